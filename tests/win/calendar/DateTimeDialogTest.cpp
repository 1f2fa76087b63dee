#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <string>

#include "common/CentreRule.h"
#include "calendar/CalendarControl.h"
#include "calendar/CalendarMonth.h"
#include "calendar/DateTimeDialog.h"
#include "common/Handles.h"
#include "res/resource.h"
#include "support/MessageBoxWatcher.h"

namespace {
// Local time without daylight-saving correction, as the dialog counts it.
int64_t Local(int year, int month, int day, int hour, int minute, int second = 0)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = 0;
    return static_cast<int64_t>(std::mktime(&t));
}

// What the dialog showed at one moment.
struct Shown {
    std::string caption, month, year, hour, minute;
    int day = 0, firstDay = 0, lastDay = 0;
    RECT rect{};
};

Shown Read(HWND dialog)
{
    Shown s;
    s.caption = WindowText(dialog);
    s.month = WindowText(GetDlgItem(dialog, IDC_DATETIME_MONTH));
    s.year = WindowText(GetDlgItem(dialog, IDC_DATETIME_YEAR));
    s.hour = WindowText(GetDlgItem(dialog, IDC_DATETIME_HOUR));
    s.minute = WindowText(GetDlgItem(dialog, IDC_DATETIME_MINUTE));
    s.day = static_cast<int>(SendDlgItemMessageA(dialog, IDC_DATETIME_DAY, TBM_GETPOS, 0, 0));
    s.firstDay = static_cast<int>(SendDlgItemMessageA(dialog, IDC_DATETIME_DAY, TBM_GETRANGEMIN, 0, 0));
    s.lastDay = static_cast<int>(SendDlgItemMessageA(dialog, IDC_DATETIME_DAY, TBM_GETRANGEMAX, 0, 0));
    GetWindowRect(dialog, &s.rect);
    return s;
}

bool ShowsLocalTime(const Shown& s, std::time_t t)
{
    std::tm local{};
    localtime_s(&local, &t);
    return s.month == MonthNames[local.tm_mon] && s.year == std::to_string(local.tm_year + 1900) &&
           s.day == local.tm_mday && s.hour == std::to_string(local.tm_hour) && s.minute == std::to_string(local.tm_min);
}

void Key(HWND control, WPARAM key)
{
    SendMessageA(control, WM_KEYDOWN, key, 1);
    SendMessageA(control, WM_KEYUP, key, 0xC0000001);
}

// Types `text` as the keyboard would, over what the field holds.
void Type(HWND field, const char* text)
{
    SendMessageA(field, EM_SETSEL, 0, -1);
    for (const char* c = text; *c; ++c)
        SendMessageA(field, WM_CHAR, static_cast<unsigned char>(*c), 1);
}

HWND ComboEdit(HWND dialog, int id)
{
    return FindWindowExA(GetDlgItem(dialog, id), nullptr, "Edit", nullptr);
}

void ChooseMonth(HWND dialog, int index)
{
    HWND list = GetDlgItem(dialog, IDC_DATETIME_MONTH);
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_DATETIME_MONTH, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

HWND CalendarWindow(HWND dialog)
{
    return FindWindowExA(GetDlgItem(dialog, IDC_DATETIME_CALENDAR), nullptr, CalendarClassName, nullptr);
}

// The cell of `day` in the calendar window as it lays out the month.
DayCell CellOf(HWND calendar, int monthIndex, int year, int day)
{
    RECT client{};
    GetClientRect(calendar, &client);
    return LayOutMonth(monthIndex, year, client.right, client.bottom).at(static_cast<std::size_t>(day - 1));
}

// Red pixels on the left and right edges of a cell: the ring touches them,
// the number in the middle does not.
int RingPixels(HWND window, const DayCell& cell)
{
    const WindowDc dc(window);
    int count = 0;
    for (int y = cell.top; y < cell.bottom; ++y)
        for (int x : {cell.left, cell.right - 1})
            count += GetPixel(dc.Get(), x, y) == RGB(255, 0, 0);
    return count;
}

// Runs the dialog from `start`. Once it is open the watcher reads it, hands
// it to `act` (on the watcher's thread, as a user would work it), reads it
// again and presses `button`.
class DateTimeDialogTest : public ::testing::Test {
protected:
    INT_PTR Run(int64_t start, std::function<void(HWND)> act, int button, HWND owner = nullptr,
                HWND centreOn = nullptr)
    {
        watcher.OnDialog([this, act, button](HWND dialog) {
            if (!GetDlgItem(dialog, IDC_DATETIME_CALENDAR))
                return false;
            opened = Read(dialog);
            if (act)
                act(dialog);
            changed = Read(dialog);
            PressButton(dialog, button);
            return true;
        });
        return RunDateTimeDialog(owner, start, centreOn);
    }

    MessageBoxWatcher watcher;
    Shown opened, changed;
};
}  // namespace

TEST_F(DateTimeDialogTest, OpensAtTheMonthYearDayAndTimeOfItsStartAndCancelReturnsTwo)
{
    EXPECT_EQ(Run(Local(2005, 3, 7, 14, 5, 9), nullptr, IDCANCEL), IDCANCEL);
    EXPECT_EQ(opened.caption, "Дата и время");
    EXPECT_EQ(opened.month, "Март");
    EXPECT_EQ(opened.year, "2005");
    EXPECT_EQ(opened.day, 7);
    EXPECT_EQ(opened.firstDay, 1);
    EXPECT_EQ(opened.lastDay, 31);
    EXPECT_EQ(opened.hour, "14");
    EXPECT_EQ(opened.minute, "5");
    EXPECT_TRUE(watcher.Boxes().empty());
}

TEST_F(DateTimeDialogTest, ChoosingReturnsOneAndTheChosenMinute)
{
    const INT_PTR result = Run(
        Local(2005, 3, 7, 14, 5, 9),
        [](HWND dialog) {
            Key(GetDlgItem(dialog, IDC_DATETIME_DAY), VK_RIGHT);
            SendDlgItemMessageA(dialog, IDC_DATETIME_HOUR, CB_SETCURSEL, 9, 0);
            SendDlgItemMessageA(dialog, IDC_DATETIME_MINUTE, CB_SETCURSEL, 30, 0);
        },
        IDOK);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(changed.day, 8);
    EXPECT_EQ(ChosenDateTime(), Local(2005, 3, 8, 9, 30));
}

TEST_F(DateTimeDialogTest, The31stOfMarchBecomesThe30thInApril)
{
    Run(Local(2005, 3, 31, 12, 0), [](HWND dialog) { ChooseMonth(dialog, 3); }, IDOK);
    EXPECT_EQ(changed.month, "Апрель");
    EXPECT_EQ(changed.day, 30);
    EXPECT_EQ(changed.firstDay, 1);
    EXPECT_EQ(changed.lastDay, 30);
    EXPECT_EQ(ChosenDateTime(), Local(2005, 4, 30, 12, 0));
}

TEST_F(DateTimeDialogTest, TheYearArrowsStopAt2030And2000)
{
    const auto press = [](WPARAM key) {
        return [key](HWND dialog) {
            for (int i = 0; i < 3; ++i)
                Key(GetDlgItem(dialog, IDC_DATETIME_YEAR), key);
        };
    };
    Run(Local(2029, 6, 15, 8, 0), press(VK_UP), IDOK);
    EXPECT_EQ(changed.year, "2030");
    EXPECT_EQ(ChosenDateTime(), Local(2030, 6, 15, 8, 0));
    Run(Local(2001, 6, 15, 8, 0), press(VK_DOWN), IDOK);
    EXPECT_EQ(changed.year, "2000");
    EXPECT_EQ(ChosenDateTime(), Local(2000, 6, 15, 8, 0));
}

TEST_F(DateTimeDialogTest, AClickOnADayMovesTheSliderAndTheRedRing)
{
    int ringOnClicked = 0, ringOnStart = 0;
    Run(
        Local(2005, 3, 7, 14, 5),
        [&](HWND dialog) {
            HWND calendar = CalendarWindow(dialog);
            if (!calendar)
                return;
            const DayCell cell = CellOf(calendar, 2, 2005, 20);
            SendMessageA(calendar, WM_LBUTTONDOWN, MK_LBUTTON,
                         MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
            ringOnClicked = RingPixels(calendar, cell);
            ringOnStart = RingPixels(calendar, CellOf(calendar, 2, 2005, 7));
        },
        IDOK);
    EXPECT_EQ(changed.day, 20);
    EXPECT_GT(ringOnClicked, 0);
    EXPECT_EQ(ringOnStart, 0);
    EXPECT_EQ(ChosenDateTime(), Local(2005, 3, 20, 14, 5));
}

TEST_F(DateTimeDialogTest, ZeroOpensAtNow)
{
    const std::time_t before = std::time(nullptr);
    Run(0, nullptr, IDCANCEL);
    const std::time_t after = std::time(nullptr);
    // The minute may turn while the dialog opens.
    EXPECT_TRUE(ShowsLocalTime(opened, before) || ShowsLocalTime(opened, after))
        << opened.day << " " << opened.month << " " << opened.year << " " << opened.hour << ":" << opened.minute;
}

TEST_F(DateTimeDialogTest, TypedValuesOutsideTheirRangesAreTakenAtTheNearestEnd)
{
    Run(
        Local(2005, 3, 7, 14, 5),
        [](HWND dialog) {
            Type(GetDlgItem(dialog, IDC_DATETIME_YEAR), "1990");
            Type(ComboEdit(dialog, IDC_DATETIME_MONTH), "abc");
            Type(ComboEdit(dialog, IDC_DATETIME_HOUR), "99");
            Type(ComboEdit(dialog, IDC_DATETIME_MINUTE), "75");
        },
        IDOK);
    EXPECT_EQ(changed.year, "1990");
    EXPECT_EQ(changed.month, "abc");
    EXPECT_EQ(ChosenDateTime(), Local(2000, 3, 7, 23, 59));
}

TEST_F(DateTimeDialogTest, CentredOverTheFrameWhenGivenElseOverTheOwner)
{
    const auto popup = [](int x, int y, int w, int h) {
        return CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, x, y, w, h, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    };
    HWND owner = popup(50, 60, 500, 300);
    HWND frame = popup(300, 200, 700, 500);
    ASSERT_TRUE(owner && frame);
    Run(Local(2005, 3, 7, 14, 5), nullptr, IDCANCEL, owner);
    const Shown overOwner = opened;
    Run(Local(2005, 3, 7, 14, 5), nullptr, IDCANCEL, owner, frame);
    DestroyWindow(frame);
    DestroyWindow(owner);

    const int width = opened.rect.right - opened.rect.left;
    const int height = opened.rect.bottom - opened.rect.top;
    const WindowOrigin onOwner = CentredOrigin(50, 60, 550, 360, width, height);
    EXPECT_EQ(overOwner.rect.left, onOwner.x);
    EXPECT_EQ(overOwner.rect.top, onOwner.y);
    const WindowOrigin onFrame = CentredOrigin(300, 200, 1000, 700, width, height);
    EXPECT_EQ(opened.rect.left, onFrame.x);
    EXPECT_EQ(opened.rect.top, onFrame.y);
}

TEST_F(DateTimeDialogTest, ACalendarWithoutAWindowTellsTheUser)
{
    HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr),
                                nullptr);
    DestroyWindow(gone);
    {
        CalendarControl calendar;
        EXPECT_FALSE(calendar.CreateIn(GetModuleHandleA(nullptr), gone, RECT{0, 0, 100, 100},
                                       CalendarDate{7, 3, 2005, 14, 5}));
        EXPECT_EQ(calendar.Window(), nullptr);
    }
    const std::vector<SeenWindow> boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Calendar module report");
    EXPECT_EQ(boxes[0].text, "Ошибка создания окна");
    EXPECT_EQ(boxes[0].icon, "none");
}
