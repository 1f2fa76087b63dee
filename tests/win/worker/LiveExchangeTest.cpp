#include "ExchangeFixture.h"

#include <functional>

#include "app/SplashDialog.h"
#include "grid/GridWindow.h"
#include "models/TableDatabase.h"
#include "models/TableModel.h"
#include "support/MessageBoxWatcher.h"
#include "support/PhoneSimulator.h"
#include "worker/ExchangeStarters.h"

// The table transfers for real, against the simulated phone, while the user
// stops them or closes the program and tries other things meanwhile.
namespace {
class LiveExchangeTest : public ExchangeTest {
protected:
    void SetUp() override
    {
        database = std::make_unique<TableDatabase>();
        ASSERT_TRUE(database->Ready()) << TheDatabase().LastMessage();
        ExchangeTest::SetUp();
    }
    void TearDown() override
    {
        ExchangeTest::TearDown();
        phone.reset();
        database.reset();
    }

    // Starts the phone with `state` and the session with it.
    void StartPhone(const std::string& state, const std::vector<std::string>& rules = {})
    {
        PhoneSimOptions options;
        options.state = state;
        options.rules = rules;
        phone = std::make_unique<PhoneSimulator>("live_exchange", options);
        ASSERT_TRUE(phone->Start());
        MessageBoxWatcher boxes;
        ASSERT_TRUE(StartSessionWithSplash(*app->session));
        ASSERT_TRUE(boxes.Boxes().empty()) << boxes.Boxes()[0].text;
    }

    TableModel* OpenPhoneBook()
    {
        app->OpenTable(kPhoneBookKind);
        PumpMessages();
        TableModel* model = app->ActiveModel();
        return model && model->Kind() == kPhoneBookKind ? model : nullptr;
    }

    std::string PhoneState() const { return ReadWholeFile(phone->Folder() + "\\phone.json"); }
    bool PhoneReceived(const std::string& command) const
    {
        for (const std::string& received : phone->Commands())
            if (received == command)
                return true;
        return false;
    }

    std::unique_ptr<TableDatabase> database;
    std::unique_ptr<PhoneSimulator> phone;
};

size_t Count(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// Polls from the watcher's thread, which has no messages of its own to pump.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(10);
    }
    return true;
}

bool IsProgressDialog(HWND dialog)
{
    return GetDlgItem(dialog, IDC_PROGRESS_BAR) != nullptr;
}

// A phone book of `count` entries "Entry <pos>" in positions 1..count.
std::string PhoneWithEntries(int count, int positions)
{
    std::string entries;
    for (int pos = 1; pos <= count; ++pos) {
        if (pos > 1)
            entries += ",";
        entries += "{\"pos\": " + std::to_string(pos) + ", \"name\": \"Entry " + std::to_string(pos) +
                   "\", \"numbers\": [\"" + std::to_string(100 + pos) +
                   "\", \"\", \"\", \"\", \"\"], \"stamp\": \"20240101T101010\"}";
    }
    return "{\"model\": \"SCH-E250\", \"limits\": {\"phonebook\": " + std::to_string(positions) +
           "}, \"phonebook\": [" + entries + "]}";
}
}  // namespace

TEST_F(LiveExchangeTest, StoppingAWriteLeavesTheTableAloneUntilTheWriteHasEnded)
{
    for (int pos = 1; pos <= 10; ++pos) {
        const std::string name = (pos % 3 == 1 ? "Refused " : "Kept ") + std::to_string(pos);
        TextRow row{name, std::to_string(200 + pos), "", "", "", "", "", "", "20240101T101010",
                    std::to_string(pos)};
        ASSERT_EQ(TheDatabase().InsertRow("phbook", row), 1) << TheDatabase().LastMessage();
    }
    StartPhone("{\"model\": \"SCH-E250\", \"limits\": {\"phonebook\": 20}}", {"error AT#PBOKW=0,0,*,\"Refused*"});
    TableModel* model = OpenPhoneBook();
    ASSERT_TRUE(model);
    HWND table = GridOf(*model)->Handle();

    MessageBoxWatcher watcher;
    std::atomic<bool> acted{false};
    // At the first refused row the user presses Enter, which asks the write
    // to stop, and at once tries to close the table, add rows and change
    // the port.
    watcher.OnBox([&](const SeenWindow&) {
        if (acted.exchange(true))
            return;
        HWND dialog = ProgressDialogHandle();
        if (dialog)
            PostMessageA(dialog, WM_KEYDOWN, VK_RETURN, 0);
        WaitUntil([dialog] {
            char text[64] = {};
            GetDlgItemTextA(dialog, IDC_PROGRESS_TEXT, text, sizeof text);
            return std::string(text) == "Остановка...";
        });
        PostMessageA(table, WM_CLOSE, 0, 0);
        PostMessageA(table, WM_KEYDOWN, VK_INSERT, 0);
        PostMessageA(frame, WM_COMMAND, IDM_INSERT, 0);
        PostMessageA(frame, WM_COMMAND, IDM_PORT, 0);
    });
    // A port dialog would be a command that got through: it is cancelled and noted.
    watcher.OnDialog([](HWND dialog) {
        // The progress dialog that has just gone shows no caption any more.
        char caption[128] = {};
        if (IsProgressDialog(dialog) || !GetWindowTextA(dialog, caption, sizeof caption))
            return false;
        PressButton(dialog, IDCANCEL);
        return true;
    });
    WriteActiveTable(*app);
    PumpMessages();

    EXPECT_TRUE(acted);
    ASSERT_TRUE(IsWindow(table));
    ASSERT_EQ(app->OpenTables.size(), 1u);
    EXPECT_EQ(app->OpenTables[0]->Rows().size(), 10u);
    // The refused row's box, then the one that says the write stopped.
    const std::vector<SeenWindow> seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_TRUE(seen[0].messageBox && seen[1].messageBox);
    EXPECT_EQ(seen[0].caption, "Отладка");
    EXPECT_EQ(seen[1].caption, "Сообщение программы VelarMon:");
    // The write ended after that row, on the port it started on, and still
    // told the phone that the write is over.
    const std::vector<std::string> commands = phone->Commands();
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.back(), "at#pbsyn=s");
    EXPECT_EQ(Count(PhoneState(), "\"Kept "), 0u);
    EXPECT_EQ(Count(PhoneState(), "Refused"), 0u);
}

TEST_F(LiveExchangeTest, ClosingTheFrameDuringAReceiveEndsSoonWithWholeRowsStored)
{
    StartPhone(PhoneWithEntries(20, 20));
    ASSERT_TRUE(OpenPhoneBook());
    MessageBoxWatcher watcher;
    std::atomic<DWORD> closedAt{0};
    HWND frameWindow = frame;
    watcher.OnDialog([&](HWND dialog) {
        if (!IsProgressDialog(dialog))
            return false;
        WaitUntil([this] { return PhoneReceived("AT#PBOKR=3"); });
        closedAt = GetTickCount();
        PostMessageA(frameWindow, WM_CLOSE, 0, 0);
        return true;
    });
    ReceiveActiveTable(*app);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(frameWindow); }));
    const DWORD endedAfterMs = GetTickCount() - closedAt;
    EXPECT_LT(endedAfterMs, 5000u);
    EXPECT_EQ(TheApp, nullptr);
    frame = nullptr;
    // Nobody is told of the stop of a closing program.
    EXPECT_TRUE(watcher.Boxes().empty());

    // The read stopped between two records: what is stored are whole
    // entries from the first position on.
    RowSet stored;
    ASSERT_TRUE(TheDatabase().SelectRows("phbook", stored, {}, {}, "id"));
    EXPECT_GT(stored.size(), 0u);
    EXPECT_LT(stored.size(), 20u);
    for (size_t i = 0; i < stored.size(); ++i) {
        ASSERT_EQ(stored[i].size(), 10u);
        EXPECT_EQ(stored[i][0], "Entry " + std::to_string(i + 1));
        EXPECT_EQ(stored[i][1], std::to_string(101 + i));
        EXPECT_EQ(stored[i][9], std::to_string(i + 1));
    }
}
