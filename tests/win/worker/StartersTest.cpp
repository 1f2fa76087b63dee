#include "ExchangeFixture.h"
#include "common/AppMessages.h"
#include "db/Database.h"
#include "grid/GridWindow.h"
#include "models/TableModel.h"
#include "support/MessageBoxWatcher.h"
#include "worker/ExchangeStarters.h"
#include "worker/RunExchange.h"

namespace {
// The frame with the program's database: a fresh copy per test.
class StarterTest : public ExchangeTest {
protected:
    void SetUp() override
    {
        // The ODBC stand-in finds databases in this folder, drive Z: to Wine.
        char folder[MAX_PATH] = {};
        ASSERT_TRUE(GetEnvironmentVariableA("VELARMON_DB_DIR", folder, sizeof folder));
        name_ = "exchange_" + std::to_string(GetCurrentProcessId());
        path_ = std::string("Z:") + folder + "/" + name_ + ".mdb";
        ASSERT_TRUE(CopyFileA((std::string("Z:") + folder + "/velarmon.mdb").c_str(), path_.c_str(), FALSE)) << path_;
        ASSERT_TRUE(TheDatabase().Connect(name_)) << TheDatabase().LastMessage();
        ExchangeTest::SetUp();
        DownloadRows.clear();
    }
    void TearDown() override
    {
        ExchangeTest::TearDown();
        TheDatabase().Disconnect();
        DeleteFileA(path_.c_str());
    }

    TableModel* Open(int kind)
    {
        app->OpenTable(kind);
        PumpMessages();
        TableModel* model = app->ActiveModel();
        return model && model->Kind() == kind ? model : nullptr;
    }
    HWND ActiveWindow() const
    {
        return reinterpret_cast<HWND>(SendMessageA(app->mdiClient, WM_MDIGETACTIVE, 0, 0));
    }
    void InsertPhotos(std::initializer_list<const char*> ids)
    {
        for (const char* id : ids) {
            TextRow row{std::string("t") + id, std::string("p") + id + ".jpg", "100", id};
            ASSERT_EQ(TheDatabase().InsertRow("photo", row), 1) << TheDatabase().LastMessage();
        }
    }

    std::string name_;
    std::string path_;
};
}  // namespace

TEST_F(StarterTest, ReceivingClosesThePhoneBookWindowAndOpensItAgainAfterTheExchange)
{
    ASSERT_TRUE(Open(kPhoneBookKind));
    HWND before = ActiveWindow();
    DialogWatch watch;
    // No phone answers: the read ends with its error box after the time-out.
    MessageBoxWatcher boxes;
    ReceiveActiveTable(*app);
    EXPECT_FALSE(IsWindow(before));
    ASSERT_EQ(watch.ProgressDialogs(), 1u);
    EXPECT_EQ(watch.Dialogs()[0].firstText, "");
    TableModel* after = app->ActiveModel();
    ASSERT_TRUE(after);
    EXPECT_EQ(after->Kind(), kPhoneBookKind);
    EXPECT_NE(ActiveWindow(), before);
    EXPECT_EQ(app->OpenTables.size(), 1u);
    EXPECT_FALSE(CurrentExchangeWorker());
}

TEST_F(StarterTest, WritingRunsTheTablesWriteAndKeepsItsWindow)
{
    ASSERT_TRUE(Open(kMemoKind));
    HWND before = ActiveWindow();
    DialogWatch watch;
    // No phone answers: the erase fails and its Yes/No box ends the write.
    MessageBoxWatcher boxes;
    boxes.PressNext(IDNO);
    WriteActiveTable(*app);
    ASSERT_EQ(watch.ProgressDialogs(), 1u);
    EXPECT_EQ(watch.Dialogs()[0].firstText, "Удаление старых записей");
    EXPECT_EQ(ActiveWindow(), before);
}

TEST_F(StarterTest, WithoutASuitableActiveTableNoExchangeStarts)
{
    DialogWatch watch;
    ReceiveActiveTable(*app);
    WriteActiveTable(*app);
    DownloadMedia(*app, true);
    // A photo table is neither read nor written this way, and a text table
    // has nothing to download.
    ASSERT_TRUE(Open(kPhotoKind));
    HWND photos = ActiveWindow();
    ReceiveActiveTable(*app);
    WriteActiveTable(*app);
    EXPECT_EQ(ActiveWindow(), photos);
    ASSERT_TRUE(Open(kPhoneBookKind));
    DownloadMedia(*app, true);
    DownloadMedia(*app, false);
    EXPECT_EQ(watch.ProgressDialogs(), 0u);
}

TEST_F(StarterTest, DownloadingTakesAllRowsInIdOrderOrOnlyTheCurrentRowsId)
{
    TableModel* model = Open(kPhotoKind);
    ASSERT_TRUE(model);
    InsertPhotos({"5", "2", "9"});
    DialogWatch watch;
    // No phone answers here: each row's download ends in its error box.
    MessageBoxWatcher failures;
    DownloadMedia(*app, true);
    ASSERT_EQ(DownloadRows.size(), 3u);
    EXPECT_EQ(DownloadRows[0][3] + DownloadRows[1][3] + DownloadRows[2][3], "259");

    model->Rows() = {{"t5", "p5.jpg", "100", "5"}, {"t9", "p9.jpg", "100", "9"}};
    GridOf(*model)->SetCurrentRow(1);
    DownloadMedia(*app, false);
    ASSERT_EQ(DownloadRows.size(), 1u);
    EXPECT_EQ(DownloadRows[0], (TextRow{"t9", "p9.jpg", "100", "9"}));
    EXPECT_EQ(watch.ProgressDialogs(), 2u);
}

TEST_F(StarterTest, ASelectedDownloadWithoutACurrentRowFetchesNothing)
{
    ASSERT_TRUE(Open(kPhotoKind));
    InsertPhotos({"5", "2"});
    {
        MessageBoxWatcher failures;
        DownloadMedia(*app, true);
    }
    ASSERT_EQ(DownloadRows.size(), 2u);
    // The window lists no rows, so nothing is selected; the exchange still runs.
    DialogWatch watch;
    DownloadMedia(*app, false);
    EXPECT_TRUE(DownloadRows.empty());
    EXPECT_EQ(watch.ProgressDialogs(), 1u);
}

TEST_F(StarterTest, AFailedSelectionIsShownAndDownloadsNothing)
{
    ASSERT_TRUE(Open(kPhotoKind));
    InsertPhotos({"5", "2"});
    {
        MessageBoxWatcher failures;
        DownloadMedia(*app, true);
    }
    ASSERT_EQ(DownloadRows.size(), 2u);

    TheDatabase().Disconnect();
    MessageBoxWatcher boxes;
    DialogWatch watch;
    DownloadMedia(*app, true);
    ASSERT_TRUE(boxes.WaitForSeen(1, 5000));
    const std::vector<SeenWindow> seen = boxes.Boxes();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, AppMessages[AppCaption]);
    EXPECT_EQ(seen[0].text, TheDatabase().LastMessage());
    EXPECT_EQ(seen[0].icon, "none");
    EXPECT_TRUE(DownloadRows.empty());
    EXPECT_EQ(watch.ProgressDialogs(), 1u);
}
