#include "TableFixture.h"

// Adding, editing and deleting in the phone book, scheduler and memo windows
// goes to the database at once, through the real driver.

TEST_F(TableTest, InsertOnAnEmptyPhoneBookAddsIdOneWithEmptyCells)
{
    ASSERT_TRUE(Start());
    TableModel* book = Open(IDM_PHONEBOOK);
    ASSERT_NE(book, nullptr);
    Key(book, VK_INSERT);
    ASSERT_EQ(book->Rows().size(), 1u);
    EXPECT_EQ(book->Rows()[0], TextRow({"", "", "", "", "", "", "", "", "", "1"}));
    EXPECT_EQ(GridOf(*book)->CurrentRow(), 0);
    const RowSet stored = database->Query("SELECT name, phone1, stamp, id, typeof(id) FROM phbook");
    EXPECT_EQ(stored, (RowSet{{"", "", "", "1", "integer"}}));
}

TEST_F(TableTest, TheSchedulerAndTheMemosCountTheirIdsFromZero)
{
    ASSERT_TRUE(Start());
    for (int command : {IDM_SCHEDULER, IDM_MEMO}) {
        TableModel* model = Open(command);
        ASSERT_NE(model, nullptr);
        Key(model, VK_INSERT);
        Key(model, VK_INSERT);
        ASSERT_EQ(model->Rows().size(), 2u) << command;
        EXPECT_EQ(model->Rows()[0].back(), "0") << command;
        EXPECT_EQ(model->Rows()[1].back(), "1") << command;
    }
    EXPECT_EQ(Stored("SELECT group_concat(id) FROM (SELECT id FROM sched ORDER BY id)"), "0,1");
    EXPECT_EQ(Stored("SELECT group_concat(id) FROM (SELECT id FROM memo ORDER BY id)"), "0,1");
}

TEST_F(TableTest, ANewRecordFollowsTheHighestId)
{
    database->Run({"INSERT INTO phbook VALUES ('Иванов Иван', '0957001122', '', '', '', '', '', '', '', 1)",
                   "INSERT INTO phbook VALUES ('Такси', '0958888888', '', '', '', '', '', '', '', 7)",
                   "INSERT INTO phbook VALUES ('Мама', '0951110000', '', '', '', '', '', '', '', 2)"});
    ASSERT_TRUE(Start());
    TableModel* book = Open(IDM_PHONEBOOK);
    ASSERT_NE(book, nullptr);
    ASSERT_EQ(book->Rows().size(), 3u);
    // Read in id order.
    EXPECT_EQ(book->Rows()[1][0], "Мама");
    Key(book, VK_INSERT);
    ASSERT_EQ(book->Rows().size(), 4u);
    EXPECT_EQ(book->Rows()[3].back(), "8");
    EXPECT_EQ(GridOf(*book)->CurrentRow(), 3);
    EXPECT_EQ(GridOf(*book)->FirstVisibleRow(), 3);
    EXPECT_EQ(Stored("SELECT count(*) FROM phbook WHERE id=8"), "1");
    EXPECT_EQ(book->ChangeCount(), 0);
}

TEST_F(TableTest, DeletingAWholeRowRemovesTheRecordFromWindowAndDatabase)
{
    database->Run({"INSERT INTO memo VALUES ('20050305T121500', 'Купить хлеб', 0)",
                   "INSERT INTO memo VALUES ('20050306T080000', 'Позвонить в банк', 1)",
                   "INSERT INTO memo VALUES ('20050307T200000', 'Call back Petr', 5)"});
    ASSERT_TRUE(Start());
    TableModel* memo = Open(IDM_MEMO);
    ASSERT_NE(memo, nullptr);
    GridOf(*memo)->SetCurrentRow(1);
    Key(memo, VK_DELETE);
    ASSERT_EQ(memo->Rows().size(), 2u);
    EXPECT_EQ(memo->Rows()[1].back(), "5");
    EXPECT_EQ(GridOf(*memo)->CurrentRow(), 1);
    EXPECT_EQ(Stored("SELECT group_concat(id) FROM (SELECT id FROM memo ORDER BY id)"), "0,5");
    EXPECT_EQ(memo->ChangeCount(), 1);

    // The last row: the current row moves up with it.
    Key(memo, VK_DELETE);
    EXPECT_EQ(memo->Rows().size(), 1u);
    EXPECT_EQ(GridOf(*memo)->CurrentRow(), 0);
    EXPECT_EQ(Stored("SELECT group_concat(id) FROM memo"), "0");
}

TEST_F(TableTest, DeletingACellEmptiesItAndStoresADashOrAZero)
{
    // A memo table with a numeric column before its id, shown as a column.
    database->Run({"DROP TABLE memo",
                   "CREATE TABLE memo (stamp VARCHAR(15), content VARCHAR(32), priority INTEGER, id INTEGER)",
                   "INSERT INTO memo VALUES ('20050305T121500', 'Купить хлеб', 3, 4)",
                   "INSERT INTO i_memo VALUES ('Важность', 0, 6, '')"});
    ASSERT_TRUE(Start());
    TableModel* memo = Open(IDM_MEMO);
    ASSERT_NE(memo, nullptr);
    ASSERT_EQ(memo->Columns().size(), 3u);
    SelectCell(memo, 1, 0);
    Key(memo, VK_DELETE);
    SelectCell(memo, 2, 0);
    Key(memo, VK_DELETE);
    EXPECT_EQ(memo->Rows(), (RowSet{{"20050305T121500", "", "", "4"}}));
    EXPECT_EQ(database->Query("SELECT content, priority FROM memo WHERE id=4"), (RowSet{{"-", "0"}}));
}

TEST_F(TableTest, EnterNeverEmptiesACell)
{
    database->Run("INSERT INTO memo VALUES ('20050305T121500', 'Купить хлеб', 0)");
    ASSERT_TRUE(Start());
    TableModel* memo = Open(IDM_MEMO);
    ASSERT_NE(memo, nullptr);
    GridOf(*memo)->SetCurrentColumn(1);
    Key(memo, VK_RETURN);
    EXPECT_TRUE(GridOf(*memo)->InCellMode());
    Key(memo, VK_RETURN);
    Command(IDM_EDIT);
    EXPECT_EQ(memo->Rows()[0][1], "Купить хлеб");
    EXPECT_EQ(Stored("SELECT content FROM memo"), "Купить хлеб");
}

TEST_F(TableTest, AnEditIsStoredNormalisedAndShownAsTyped)
{
    UseMemoWithPriority();
    ASSERT_TRUE(Start());
    TableModel* memo = Open(IDM_MEMO);
    ASSERT_NE(memo, nullptr);
    memo->CellEdited("Петр's", 1, 0, true);
    memo->CellEdited("1,5", 2, 0, true);
    memo->CellEdited(" ", 0, 0, true);
    EXPECT_EQ(memo->Rows()[0], TextRow({" ", "Петр's", "1,5", "4"}));
    EXPECT_EQ(database->Query("SELECT stamp, content, priority FROM memo"), (RowSet{{"-", "Петр's", "1.5"}}));

    // Without the apply flag nothing changes anywhere.
    memo->CellEdited("new", 1, 0, false);
    EXPECT_EQ(memo->Rows()[0][1], "Петр's");
    EXPECT_EQ(Stored("SELECT content FROM memo"), "Петр's");
}

TEST_F(TableTest, ARefusedUpdateIsReportedAndTheWindowKeepsItsText)
{
    UseMemoWithPriority();
    ASSERT_TRUE(Start());
    TableModel* memo = Open(IDM_MEMO);
    ASSERT_NE(memo, nullptr);
    MessageBoxWatcher watcher;
    memo->CellEdited("три", 2, 0, true);
    ASSERT_EQ(watcher.Boxes().size(), 1u);
    EXPECT_EQ(watcher.Boxes()[0].caption, "Сообщение программы VelarMon:");
    EXPECT_EQ(watcher.Boxes()[0].icon, "error");
    EXPECT_EQ(memo->Rows()[0][2], "3");
    EXPECT_EQ(Stored("SELECT priority FROM memo"), "3");
}

TEST_F(TableTest, EditsOutsideTheRowsAreIgnored)
{
    database->Run("INSERT INTO memo VALUES ('20050305T121500', 'Купить хлеб', 0)");
    ASSERT_TRUE(Start());
    TableModel* memo = Open(IDM_MEMO);
    ASSERT_NE(memo, nullptr);
    MessageBoxWatcher watcher;
    memo->CellEdited("x", 3, 0, true);
    memo->CellEdited("x", 0, 1, true);
    memo->CellEdited("x", -1, 0, true);
    memo->DeleteRow(0, 5, false);
    memo->DeleteRow(7, 0, true);
    EXPECT_TRUE(watcher.Boxes().empty());
    EXPECT_EQ(memo->Rows(), (RowSet{{"20050305T121500", "Купить хлеб", "0"}}));
    EXPECT_EQ(Stored("SELECT stamp || content FROM memo"), "20050305T121500Купить хлеб");
}
