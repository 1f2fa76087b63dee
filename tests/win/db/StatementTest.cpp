// The six statement operations on a fresh copy of the program's database,
// checked through an independent connection.

#include "DbFixture.h"

#include "db/SqlText.h"

namespace {

constexpr std::int32_t kVarchar = 12;
constexpr std::int32_t kInteger = 4;

bool Has(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

}  // namespace

using DatabaseDescribe = dbtest::FreshDatabase;
using DatabaseSelect = dbtest::FreshDatabase;
using DatabaseInsert = dbtest::FreshDatabase;
using DatabaseUpdate = dbtest::FreshDatabase;
using DatabaseDelete = dbtest::FreshDatabase;

TEST_F(DatabaseDescribe, ProgramTablesHaveTheShapeTheModelsNeed)
{
    struct Shape {
        const char* table;
        std::size_t columns;
    };
    for (const Shape& shape : {Shape{"phbook", 10}, Shape{"sched", 5}, Shape{"memo", 3},
                               Shape{"photo", 4}, Shape{"camera", 4}}) {
        SCOPED_TRACE(shape.table);
        ColumnNameList names;
        ColumnTypeList types;
        ASSERT_TRUE(db_.DescribeColumns(shape.table, names, &types)) << db_.LastMessage();
        ASSERT_EQ(names.size(), shape.columns);
        ASSERT_EQ(types.size(), shape.columns);
        // id last and numeric; every other column holds text.
        EXPECT_EQ(names.back(), "id");
        EXPECT_EQ(types.back(), kInteger);
        for (std::size_t i = 0; i + 1 < types.size(); ++i)
            EXPECT_EQ(types[i], kVarchar) << names[i];
        // The description table has four columns, the q_ view one per column.
        ColumnNameList described;
        ASSERT_TRUE(db_.DescribeColumns(std::string("i_") + shape.table, described));
        EXPECT_EQ(described.size(), 4u);
    }
    for (const char* view : {"q_photo", "q_camera"}) {
        ColumnNameList names;
        ASSERT_TRUE(db_.DescribeColumns(view, names)) << view;
        EXPECT_EQ(names.size(), 4u);
    }
    ColumnNameList names;
    ColumnTypeList types;
    ASSERT_TRUE(db_.DescribeColumns("musik", names, &types));
    EXPECT_EQ(names, (ColumnNameList{"mus_id", "name"}));
    EXPECT_EQ(types, (ColumnTypeList{kInteger, kVarchar}));
}

TEST_F(DatabaseDescribe, MissingTableGivesTheDriversText)
{
    ColumnNameList names;
    EXPECT_FALSE(db_.DescribeColumns("nosuch", names));
    EXPECT_TRUE(Has(db_.LastMessage(), "no such table: nosuch")) << db_.LastMessage();
}

TEST_F(DatabaseSelect, DescriptionTablesHoldCodePage1251Titles)
{
    RowSet rows;
    ASSERT_TRUE(db_.SelectRows("i_phbook", rows)) << db_.LastMessage();
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows[0], (TextRow{"Имя", "0", "6", ""}));
    EXPECT_EQ(Raw().Value("SELECT hex(title) FROM i_phbook WHERE title = 'Имя'"), "C8ECFF");
    EXPECT_EQ(rows[8][1], "5");  // the time stamp has the date-time editor

    for (const char* table : {"i_phbook", "i_sched", "i_memo", "i_photo", "i_camera"}) {
        ASSERT_TRUE(db_.SelectRows(table, rows)) << table;
        for (const TextRow& row : rows) {
            ASSERT_EQ(row.size(), 4u);
            EXPECT_GE(std::atoi(row[2].c_str()), 1) << table << " " << row[0];
            if (row[1] == "3") {
                RowSet choices;
                EXPECT_TRUE(db_.SelectRows(row[3], choices)) << row[3];
            }
        }
    }
    ASSERT_TRUE(db_.SelectRows("i_sched", rows));
    EXPECT_EQ(rows[3][1], "3");
    EXPECT_EQ(rows[3][3], "musik");
}

TEST_F(DatabaseSelect, FilterAndOrder)
{
    Raw().Run("INSERT INTO musik VALUES (3, 'My Bell 3')");
    Raw().Run("INSERT INTO musik VALUES (1, 'O''Neil')");
    Raw().Run("INSERT INTO musik VALUES (2, 'Звонок')");
    RowSet rows;
    ASSERT_TRUE(db_.SelectRows("musik", rows, "", "", "mus_id"));
    EXPECT_EQ(rows, (RowSet{{"1", "O'Neil"}, {"2", "Звонок"}, {"3", "My Bell 3"}}));
    ASSERT_TRUE(db_.SelectRows("musik", rows, "mus_id", "3"));
    EXPECT_EQ(rows, (RowSet{{"3", "My Bell 3"}}));
    ASSERT_TRUE(db_.SelectRows("musik", rows, "name", "Звонок"));
    EXPECT_EQ(rows, (RowSet{{"2", "Звонок"}}));
    ASSERT_TRUE(db_.SelectRows("musik", rows, "name", "O'Neil"));
    EXPECT_EQ(rows, (RowSet{{"1", "O'Neil"}}));

    // Only one half of the filter: the whole table.
    ASSERT_TRUE(db_.SelectRows("musik", rows, "name", ""));
    EXPECT_EQ(rows.size(), 3u);
    ASSERT_TRUE(db_.SelectRows("musik", rows, "", "2"));
    EXPECT_EQ(rows.size(), 3u);
}

TEST_F(DatabaseSelect, WhereValuesCannotChangeTheStatement)
{
    Raw().Run("INSERT INTO musik VALUES (1, 'Bell')");
    RowSet rows;
    ASSERT_TRUE(db_.SelectRows("musik", rows, "name", "x' OR '1'='1"));
    EXPECT_TRUE(rows.empty());

    rows = {{"stale"}};
    const std::string before = db_.LastMessage();
    EXPECT_FALSE(db_.SelectRows("musik", rows, "mus_id", "1 OR 1=1"));
    EXPECT_TRUE(rows.empty());
    EXPECT_NE(db_.LastMessage(), before);
    EXPECT_TRUE(Has(db_.LastMessage(), "1 OR 1=1")) << db_.LastMessage();
    EXPECT_FALSE(db_.SelectRows("musik; DELETE FROM musik", rows));
    EXPECT_EQ(Raw().Value("SELECT count(*) FROM musik"), "1");
}

TEST_F(DatabaseSelect, EmptyTableNullsAndMissingTable)
{
    RowSet rows{{"stale"}};
    ASSERT_TRUE(db_.SelectRows("memo", rows));
    EXPECT_TRUE(rows.empty());

    Raw().Run("INSERT INTO memo VALUES (NULL, NULL, 1)");
    Raw().Run("INSERT INTO memo VALUES ('20050102T030405', 'Купить хлеб', 2)");
    ASSERT_TRUE(db_.SelectRows("memo", rows, "", "", "id"));
    EXPECT_EQ(rows, (RowSet{{"", "", "1"}, {"20050102T030405", "Купить хлеб", "2"}}));

    EXPECT_FALSE(db_.SelectRows("nosuch", rows));
    EXPECT_TRUE(Has(db_.LastMessage(), "no such table: nosuch")) << db_.LastMessage();
}

TEST_F(DatabaseSelect, LongValueIsCutInsideItsSlot)
{
    // A memo field holds more than a row's slot.
    Raw().Run("CREATE TABLE notes (body MEMO, after VARCHAR(8), id INTEGER)");
    Raw().Run("INSERT INTO notes VALUES ('" + std::string(300, 'a') + "', 'next', 1)");
    Raw().Run("INSERT INTO notes (body, id) VALUES ('second', 2)");
    RowSet rows;
    ASSERT_TRUE(db_.SelectRows("notes", rows, "", "", "id"));
    ASSERT_EQ(rows.size(), 2u);  // the cut value does not end the reading
    EXPECT_EQ(rows[0], (TextRow{std::string(254, 'a'), "next", "1"}));
    EXPECT_EQ(rows[1][0], "second");
}

TEST_F(DatabaseSelect, TableWiderThanSixteenColumnsIsReadWhole)
{
    std::string create = "CREATE TABLE wide (";
    std::string insert = "INSERT INTO wide VALUES (";
    TextRow expected;
    for (int i = 1; i <= 20; ++i) {
        create += "c" + std::to_string(i) + " VARCHAR(255)" + (i < 20 ? ", " : ")");
        insert += "'" + std::string(254, static_cast<char>('a' + i)) + "'" + (i < 20 ? ", " : ")");
        expected.push_back(std::string(254, static_cast<char>('a' + i)));
    }
    Raw().Run(create);
    Raw().Run(insert);
    RowSet rows;
    ASSERT_TRUE(db_.SelectRows("wide", rows));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], expected);
}

TEST_F(DatabaseInsert, StoresTheRowAndSaysSo)
{
    TextRow row{"Иван", "0951234567", "", "", "", "", "e'mail", " ", "20050102T030405", "1"};
    EXPECT_EQ(db_.InsertRow("phbook", row), 1);
    EXPECT_EQ(db_.LastMessage(), "В таблице phbook добавленно 1 записей.");
    // The row now holds what was stored.
    EXPECT_EQ(row[6], "e'mail");
    EXPECT_EQ(row[7], "");
    EXPECT_EQ(Raw().Query("SELECT hex(name), info1, info2, typeof(info2), typeof(id) FROM phbook"),
              (RowSet{{"C8E2E0ED", "e'mail", "", "text", "integer"}}));
}

TEST_F(DatabaseInsert, ShortRowFillsEmptyTextAndZero)
{
    TextRow row{"20050102T030405"};
    EXPECT_EQ(db_.InsertRow("memo", row), 1);
    EXPECT_EQ(row.size(), 1u);
    EXPECT_EQ(Raw().Query("SELECT stamp, content, typeof(content), id FROM memo"),
              (RowSet{{"20050102T030405", "", "text", "0"}}));
}

TEST_F(DatabaseInsert, DecimalCommaInNumericColumn)
{
    TextRow row{"Сумма", "0", "12,5", ""};
    EXPECT_EQ(db_.InsertRow("i_memo", row), 1);
    EXPECT_EQ(row[2], "12.5");
    EXPECT_EQ(Raw().Value("SELECT divisor FROM i_memo WHERE title = 'Сумма'"),
              "12.5");
}

TEST_F(DatabaseInsert, NonNumberIsRefusedBeforeTheDriver)
{
    TextRow row{"x", "", "", "", "", "", "", "", "", "1); DELETE FROM phbook; --"};
    const TextRow original = row;
    Raw().Run("INSERT INTO phbook (name, id) VALUES ('kept', 5)");
    EXPECT_EQ(db_.InsertRow("phbook", row), -1);
    EXPECT_TRUE(Has(db_.LastMessage(), "id")) << db_.LastMessage();
    EXPECT_EQ(row, original);
    EXPECT_EQ(Raw().Query("SELECT name FROM phbook"), (RowSet{{"kept"}}));
}

TEST_F(DatabaseInsert, DriverRefusalAndMissingTable)
{
    TextRow row{"1", "Bell"};
    ASSERT_EQ(db_.InsertRow("musik", row), 1);
    TextRow again{"1", "Other"};
    EXPECT_EQ(db_.InsertRow("musik", again), -1);  // the same mus_id twice
    EXPECT_FALSE(Has(db_.LastMessage(), "добавленно")) << db_.LastMessage();
    EXPECT_FALSE(db_.LastMessage().empty());

    EXPECT_EQ(db_.InsertRow("nosuch", row), 0);
    EXPECT_TRUE(Has(db_.LastMessage(), "no such table: nosuch")) << db_.LastMessage();
}

// Rows inserted together: the one the driver refuses is named, the others
// are stored.
TEST_F(DatabaseInsert, ManyRowsGoInTogetherAndARefusedOneLeavesTheOthers)
{
    RowSet rows{{"1", "Bell"}, {"1", "Again"}, {"2", "Chime"}};
    std::vector<std::string> refusals;
    ASSERT_TRUE(db_.InsertRows("musik", rows, refusals));
    ASSERT_EQ(refusals.size(), 3u);
    EXPECT_EQ(refusals[0], "");
    EXPECT_NE(refusals[1], "");
    EXPECT_EQ(refusals[2], "");
    EXPECT_EQ(Raw().Query("SELECT mus_id, name FROM musik ORDER BY mus_id"), (RowSet{{"1", "Bell"}, {"2", "Chime"}}));
    // The connection stores at once again afterwards.
    TextRow row{"3", "Gong"};
    EXPECT_EQ(db_.InsertRow("musik", row), 1);
    EXPECT_EQ(Raw().Value("SELECT count(*) FROM musik"), "3");
}

TEST_F(DatabaseUpdate, CharacterCells)
{
    Raw().Run("INSERT INTO phbook (name, phone1, id) VALUES ('Анна', '111', 4)");
    Raw().Run("INSERT INTO phbook (name, phone1, id) VALUES ('Борис', '222', 5)");
    const std::string message = db_.LastMessage();
    ASSERT_TRUE(db_.UpdateCell("phbook", 0, "4", "Пётр")) << db_.LastMessage();
    EXPECT_EQ(db_.LastMessage(), message);  // success leaves the message
    ASSERT_TRUE(db_.UpdateCell("phbook", 1, "4", "it's"));
    EXPECT_EQ(Raw().Query("SELECT name, phone1 FROM phbook ORDER BY id"),
              (RowSet{{"Пётр", "it's"}, {"Борис", "222"}}));

    ASSERT_TRUE(db_.UpdateCell("phbook", 0, "4", ""));
    ASSERT_TRUE(db_.UpdateCell("phbook", 1, "4", " "));
    EXPECT_EQ(Raw().Query("SELECT name, phone1 FROM phbook WHERE id = 4"), (RowSet{{"-", "-"}}));

    // No record with that id: nothing changes, and that is no failure.
    EXPECT_TRUE(db_.UpdateCell("phbook", 0, "99", "x"));
    EXPECT_EQ(Raw().Value("SELECT count(*) FROM phbook WHERE name = 'x'"), "0");
}

TEST_F(DatabaseUpdate, NumericCells)
{
    Raw().Run("CREATE TABLE amounts (label VARCHAR(20), amount REAL, id INTEGER)");
    Raw().Run("INSERT INTO amounts VALUES ('a', 1, 1)");
    ASSERT_TRUE(db_.UpdateCell("amounts", 1, "1", "12,5")) << db_.LastMessage();
    EXPECT_EQ(Raw().Value("SELECT amount FROM amounts"), "12.5");
    ASSERT_TRUE(db_.UpdateCell("amounts", 1, "1", " "));
    EXPECT_EQ(Raw().Value("SELECT amount FROM amounts"), "0.0");
    EXPECT_FALSE(db_.UpdateCell("amounts", 1, "1", "abc"));
    EXPECT_TRUE(Has(db_.LastMessage(), "amount")) << db_.LastMessage();
}

TEST_F(DatabaseUpdate, RefusedIdsColumnsAndTables)
{
    Raw().Run("INSERT INTO memo VALUES ('20050102T030405', 'one', 0)");
    Raw().Run("INSERT INTO memo VALUES ('20050102T030405', 'two', 1)");
    EXPECT_FALSE(db_.UpdateCell("memo", 1, "0 OR 1=1", "all"));
    EXPECT_FALSE(db_.UpdateCell("memo", 1, "", "all"));
    EXPECT_FALSE(db_.UpdateCell("memo", 3, "0", "all"));
    EXPECT_FALSE(db_.UpdateCell("memo", -1, "0", "all"));
    EXPECT_EQ(Raw().Query("SELECT content FROM memo ORDER BY id"), (RowSet{{"one"}, {"two"}}));

    EXPECT_FALSE(db_.UpdateCell("nosuch", 0, "0", "x"));
    EXPECT_TRUE(Has(db_.LastMessage(), "no such table: nosuch")) << db_.LastMessage();
    // The i_ tables have no id column: the driver says so.
    EXPECT_FALSE(db_.UpdateCell("i_memo", 0, "0", "x"));
    EXPECT_TRUE(Has(db_.LastMessage(), "id")) << db_.LastMessage();
}

TEST_F(DatabaseDelete, ByIdAndAll)
{
    for (int id = 1; id <= 3; ++id)
        Raw().Run("INSERT INTO photo VALUES ('t', 'p" + std::to_string(id) + ".jpg', '10', " +
                  std::to_string(id) + ")");
    EXPECT_TRUE(db_.DeleteRows("photo", "2", "id"));
    EXPECT_EQ(Raw().Query("SELECT id FROM photo ORDER BY id"), (RowSet{{"1"}, {"3"}}));
    EXPECT_TRUE(db_.DeleteRows("photo", "2", "id"));  // nothing left to match

    EXPECT_FALSE(db_.DeleteRows("photo", "1 OR 1=1", "id"));
    EXPECT_FALSE(db_.DeleteRows("photo", "", "id"));
    EXPECT_EQ(Raw().Value("SELECT count(*) FROM photo"), "2");

    EXPECT_TRUE(db_.DeleteAllRows("photo"));
    EXPECT_EQ(Raw().Value("SELECT count(*) FROM photo"), "0");
    EXPECT_TRUE(db_.DeleteAllRows("photo"));

    EXPECT_FALSE(db_.DeleteAllRows("nosuch"));
    EXPECT_TRUE(Has(db_.LastMessage(), "no such table: nosuch")) << db_.LastMessage();
    EXPECT_FALSE(db_.DeleteRows("nosuch", "1", "id"));
    EXPECT_TRUE(Has(db_.LastMessage(), "no such table: nosuch")) << db_.LastMessage();
}
