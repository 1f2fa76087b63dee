#include "TableFixture.h"

// Building a table window from the database, and what happens when the
// database lacks what a table needs.

namespace {
const char Caption[] = "Сообщение программы VelarMon:";
const char MissingData[] = "Необходимые данные для работы программы в БД не найдены.\nПроверьте структуру БД.";
}  // namespace

TEST_F(TableTest, TheColumnsComeFromTheDescriptionTableInItsOrder)
{
    ASSERT_TRUE(Start());
    // The session start refills the melody list from the phone.
    database->Run("INSERT INTO musik VALUES (1, 'Весна')");
    TableModel* scheduler = Open(IDM_SCHEDULER);
    ASSERT_NE(scheduler, nullptr);
    const auto& columns = scheduler->Columns();
    ASSERT_EQ(columns.size(), 4u);
    EXPECT_EQ(columns[0].title, "Начало");
    EXPECT_EQ(columns[0].editorKind, 5);
    EXPECT_EQ(columns[2].widthDivisor, 3);
    EXPECT_EQ(columns[3].editorKind, 3);
    // The drop-down offers the melody list as it was when the window opened.
    ASSERT_FALSE(columns[3].choices.empty());
    EXPECT_EQ(columns[3].choices.back(), TextRow({"1", "Весна"}));
    EXPECT_EQ(scheduler->ChangeCount(), 0);
}

TEST_F(TableTest, AMissingDescriptionTableIsReportedAndOpensNoWindow)
{
    database->Run("DROP TABLE i_photo");
    ASSERT_TRUE(Start());
    MessageBoxWatcher watcher;
    Command(IDM_PHOTOS);
    ASSERT_EQ(watcher.Boxes().size(), 1u);
    EXPECT_EQ(watcher.Boxes()[0].caption, Caption);
    EXPECT_EQ(watcher.Boxes()[0].text, MissingData);
    EXPECT_EQ(watcher.Boxes()[0].icon, "error");
    EXPECT_EQ(WindowCount(), 0);
    EXPECT_TRUE(app->OpenTables.empty());
    EXPECT_EQ(GetMenuItemCount(GetMenu(frame)), 4);
}

TEST_F(TableTest, AMissingDataTableIsReportedAndOpensNoWindow)
{
    database->Run("DROP TABLE memo");
    ASSERT_TRUE(Start());
    MessageBoxWatcher watcher;
    Command(IDM_MEMO);
    ASSERT_EQ(watcher.Boxes().size(), 1u);
    EXPECT_EQ(watcher.Boxes()[0].text, MissingData);
    EXPECT_EQ(WindowCount(), 0);
    EXPECT_TRUE(app->OpenTables.empty());
}

TEST_F(TableTest, ADropDownWithoutItsLookupTableWarnsAndKeepsTheColumn)
{
    database->Run("UPDATE i_sched SET lookup='nosuch' WHERE editor=3");
    ASSERT_TRUE(Start());
    MessageBoxWatcher watcher;
    TableModel* scheduler = Open(IDM_SCHEDULER);
    ASSERT_EQ(watcher.Boxes().size(), 1u);
    EXPECT_EQ(watcher.Boxes()[0].caption, Caption);
    EXPECT_NE(watcher.Boxes()[0].text.find("nosuch"), std::string::npos) << watcher.Boxes()[0].text;
    EXPECT_EQ(watcher.Boxes()[0].icon, "warning");
    ASSERT_NE(scheduler, nullptr);
    ASSERT_EQ(scheduler->Columns().size(), 4u);
    EXPECT_EQ(scheduler->Columns()[3].title, "Мелодия");
    EXPECT_TRUE(scheduler->Columns()[3].choices.empty());
}

TEST_F(TableTest, AnEmptyDescriptionTableGivesAWindowWithoutColumns)
{
    database->Run({"DELETE FROM i_memo", "INSERT INTO memo VALUES ('20050305T121500', 'Купить хлеб', 0)"});
    ASSERT_TRUE(Start());
    TableModel* memo = Open(IDM_MEMO);
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->Columns().empty());
    EXPECT_EQ(memo->Rows().size(), 1u);
    // Keys on a grid without columns change nothing.
    Key(memo, VK_DOWN);
    Key(memo, VK_RIGHT);
    Key(memo, VK_DELETE);
    EXPECT_EQ(memo->Rows().size(), 1u);
    EXPECT_EQ(WindowCount(), 1);
}

TEST_F(TableTest, PhotoEditsStayInTheWindow)
{
    // The window lists the phone's two photos.
    ASSERT_TRUE(Start());
    TableModel* photos = Open(IDM_PHOTOS);
    ASSERT_NE(photos, nullptr);
    EXPECT_EQ(photos->ChangeCount(), 0);
    Key(photos, VK_INSERT);
    ASSERT_EQ(photos->Rows().size(), 3u);
    // Sized by the q_ query: its columns less the id.
    EXPECT_EQ(photos->Rows()[2], TextRow(3));
    EXPECT_EQ(photos->ChangeCount(), 1);
    photos->CellEdited("renamed.jpg", 1, 0, true);
    EXPECT_EQ(photos->Rows()[0][1], "renamed.jpg");
    GridOf(*photos)->SetCurrentRow(1);
    Key(photos, VK_DELETE);
    EXPECT_EQ(photos->Rows().size(), 2u);
    EXPECT_EQ(photos->ChangeCount(), 2);
    EXPECT_EQ(database->Query("SELECT name FROM photo ORDER BY id"), (RowSet{{"img001.jpg"}, {"img002.jpg"}}));
}

TEST_F(TableTest, AMediaRowQueryThatCannotBeDescribedAddsNothing)
{
    database->Run("DROP VIEW q_camera");
    ASSERT_TRUE(Start());
    TableModel* movies = Open(IDM_MOVIES);
    ASSERT_NE(movies, nullptr);
    MessageBoxWatcher watcher;
    Key(movies, VK_INSERT);
    ASSERT_EQ(watcher.Boxes().size(), 1u);
    EXPECT_EQ(watcher.Boxes()[0].icon, "error");
    EXPECT_NE(watcher.Boxes()[0].text.find("q_camera"), std::string::npos) << watcher.Boxes()[0].text;
    EXPECT_TRUE(movies->Rows().empty());
    EXPECT_EQ(movies->ChangeCount(), 0);
}

TEST_F(TableTest, OpeningTheSameTableWhileItsWarningShowsGivesOneWindow)
{
    database->Run("UPDATE i_sched SET lookup='nosuch' WHERE editor=3");
    ASSERT_TRUE(Start());
    MessageBoxWatcher watcher;
    // The warning has no owner: the user can ask for the same table again.
    std::atomic<bool> askedAgain{false};
    watcher.OnBox([&](const SeenWindow&) {
        if (!askedAgain.exchange(true))
            PostMessageA(frame, WM_COMMAND, IDM_SCHEDULER, 0);
    });
    Command(IDM_SCHEDULER);
    EXPECT_EQ(watcher.Boxes().size(), 2u);
    EXPECT_EQ(WindowCount(), 1);
    ASSERT_EQ(app->OpenTables.size(), 1u);
    EXPECT_EQ(app->OpenTables[0]->Kind(), kSchedulerKind);
    EXPECT_EQ(app->ActiveModel(), app->OpenTables[0].get());
}

TEST_F(TableTest, ClosingTheFrameWhileAWarningShowsEndsTheProgramCleanly)
{
    database->Run("UPDATE i_sched SET lookup='nosuch' WHERE editor=3");
    ASSERT_TRUE(Start());
    MessageBoxWatcher watcher;
    watcher.OnBox([&](const SeenWindow&) { PostMessageA(frame, WM_CLOSE, 0, 0); });
    SendMessageA(frame, WM_COMMAND, IDM_SCHEDULER, 0);
    // The warning only: no window is made for a frame that is gone.
    EXPECT_EQ(watcher.Boxes().size(), 1u);
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_EQ(TheApp, nullptr);
    // The quit message the frame's end posted is the program's last.
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    app = nullptr;
    frame = nullptr;
}
