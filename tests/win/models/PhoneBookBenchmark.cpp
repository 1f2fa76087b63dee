#include <cstdio>

#include "TableFixture.h"

// Not a test: times a phone book of 65,536 records. Run it with
//   win_models.exe --gtest_also_run_disabled_tests --gtest_filter=*Benchmark*

namespace {
double Milliseconds(LARGE_INTEGER from)
{
    LARGE_INTEGER now{}, frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now;
}
}  // namespace

TEST_F(TableTest, DISABLED_BenchmarkOfALargePhoneBook)
{
    constexpr int kRecords = 65536;
    database->Run("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < " +
                  std::to_string(kRecords) +
                  ") INSERT INTO phbook SELECT 'Абонент ' || x, '095' || x, '', '', '', '', 'Работа', '', "
                  "'20050301T093000', x FROM n");
    ASSERT_TRUE(Start());

    LARGE_INTEGER start = Now();
    TableModel* book = Open(IDM_PHONEBOOK);
    const double open = Milliseconds(start);
    ASSERT_NE(book, nullptr);
    ASSERT_EQ(book->Rows().size(), static_cast<std::size_t>(kRecords));
    HWND window = GridOf(*book)->Handle();
    SendMessageA(app->mdiClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(window), 0);
    PumpMessages();

    start = Now();
    for (int i = 0; i < 20; ++i)
        GridOf(*book)->Paint();
    const double paint = Milliseconds(start) / 20;

    start = Now();
    for (int i = 0; i < 200; ++i)
        SendMessageA(window, WM_VSCROLL, SB_PAGEDOWN, 0);
    const double page = Milliseconds(start) / 200;

    start = Now();
    SendMessageA(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, kRecords - 1), 0);
    for (int i = 0; i < 50; ++i)
        SendMessageA(window, WM_KEYDOWN, VK_UP, 0);
    const double end = Milliseconds(start);
    EXPECT_EQ(GridOf(*book)->FirstVisibleRow(), kRecords - 1 - 50);

    start = Now();
    SendMessageA(window, WM_KEYDOWN, VK_INSERT, 0);
    const double insert = Milliseconds(start);
    EXPECT_EQ(book->Rows().back().back(), std::to_string(kRecords + 1));

    start = Now();
    Command(IDM_CLOSE_ACTIVE);
    const double close = Milliseconds(start);

    std::printf("open %.0f ms, paint %.1f ms, page down %.1f ms, thumb to the end and 50 lines up %.0f ms, "
                "insert %.0f ms, close %.0f ms\n",
                open, paint, page, end, insert, close);
}
