// SQL texts and value rules of the database layer.

#include <gtest/gtest.h>

#include <cstring>

#include "db/SqlText.h"

namespace {

constexpr std::int32_t kVarchar = 12;
constexpr std::int32_t kInteger = 4;
constexpr std::int32_t kDouble = 8;

// musik as the program's database describes it.
const ColumnNameList kMusikNames{"mus_id", "name"};
const ColumnTypeList kMusikTypes{kInteger, kVarchar};

std::string Select(std::string_view whereColumn, std::string_view whereValue,
                   std::string_view order = {})
{
    const sql::BuiltSql built =
        sql::SelectSql("musik", kMusikNames, kMusikTypes, whereColumn, whereValue, order);
    EXPECT_TRUE(built.ok) << built.message;
    return built.text;
}

}  // namespace

TEST(SqlRules, CharacterTypesAreTheCharAndUnknownCodes)
{
    for (std::int32_t code : {1, 12, -1, -8, -9, -10, 0})
        EXPECT_TRUE(sql::IsCharacterType(code)) << code;
    for (std::int32_t code : {4, 5, 2, 3, 6, 7, 8, -5, -6, -7, 9, 10, 11, 91, 93, -2, -3, -4})
        EXPECT_FALSE(sql::IsCharacterType(code)) << code;
}

TEST(SqlRules, OnlyFixedSizeTextColumnsHaveATextSize)
{
    for (std::int32_t code : {1, 12, -8, -9})
        EXPECT_EQ(sql::TextColumnSize(code, 32), 32u) << code;
    // Long texts, numbers and unknown types hold no fixed number of characters.
    for (std::int32_t code : {-1, -10, 0, 4, 8})
        EXPECT_EQ(sql::TextColumnSize(code, 1073741823), 0u) << code;
}

TEST(SqlRules, PlainNumbers)
{
    for (const char* good : {"0", "7", "-3", "+3", "12.5", "007", ".5", "5.", "-0.25"})
        EXPECT_TRUE(sql::IsPlainNumber(good)) << good;
    for (const char* bad : {"", " ", "-", ".", "+.", "1.2.3", "12,5", " 1", "1 ", "1e5", "0x1F",
                            "1 OR 1=1", "1;DROP TABLE memo", "--1", "1-1", "3)"})
        EXPECT_FALSE(sql::IsPlainNumber(bad)) << bad;
    EXPECT_FALSE(sql::IsPlainNumber(std::string_view("1\0", 2)));
}

TEST(SqlRules, PlainNames)
{
    for (const char* good : {"phbook", "i_phbook", "q_photo", "mus_id", "T2", "Мелодии"})
        EXPECT_TRUE(sql::IsPlainName(good)) << good;
    for (const char* bad : {"", "a b", "x;y", "t--", "name'", "[id]", "a.b", "t)"})
        EXPECT_FALSE(sql::IsPlainName(bad)) << bad;
}

TEST(SqlRules, Normalisation)
{
    auto character = [](std::string text) { sql::NormaliseCharacter(text); return text; };
    auto number = [](std::string text) { sql::NormaliseNumber(text); return text; };
    EXPECT_EQ(character("tea's 'n' milk"), "tea's 'n' milk");
    EXPECT_EQ(character(" "), "");
    EXPECT_EQ(character("  "), "  ");  // only a lone space empties
    EXPECT_EQ(number("1,5"), "1.5");
    EXPECT_EQ(number(" "), " ");
}

TEST(SqlConnection, StringEndsWithTheBareName)
{
    EXPECT_EQ(sql::ConnectionString("velarmon"),
              "DRIVER=Microsoft Access Driver (*.mdb);SERVER=localhost;DBQ=velarmon;");
    EXPECT_EQ(sql::ConnectionString("velarmon", true),
              "DRIVER=Microsoft Access Driver (*.mdb);SERVER=localhost;DBQ=velarmon;ExtendedAnsiSQL=1;");
    // A full path is passed as it stands, braced only where a ';' would end it.
    EXPECT_EQ(sql::ConnectionString("C:\\Docs\\VelarMon\\velarmon"),
              "DRIVER=Microsoft Access Driver (*.mdb);SERVER=localhost;DBQ=C:\\Docs\\VelarMon\\velarmon;");
    EXPECT_EQ(sql::ConnectionString("C:\\A;B\\velarmon"),
              "DRIVER=Microsoft Access Driver (*.mdb);SERVER=localhost;DBQ={C:\\A;B\\velarmon};");
}

TEST(SqlConnection, MessagesAreCodePage1251)
{
    // "О" of "Ошибка" is 0xCE in code page 1251 (two bytes in UTF-8).
    EXPECT_EQ(static_cast<unsigned char>(sql::kConnectFailed[0]), 0xCE);
    EXPECT_EQ(std::strlen(sql::kConnectFailed), 17u);
    // The letter between the last two words is the Latin c.
    EXPECT_NE(std::strstr(sql::kDisconnected, " c "), nullptr);
}

TEST(SqlSelect, TextsWithAndWithoutFilterAndOrder)
{
    EXPECT_EQ(sql::DescribeSql("phbook").text, "SELECT * FROM phbook");
    EXPECT_EQ(Select("", "", "mus_id"), "SELECT * FROM musik ORDER BY mus_id");
    EXPECT_EQ(Select("mus_id", "3"), "SELECT * FROM musik WHERE mus_id=3");
    EXPECT_EQ(Select("name", "My Bell 3"), "SELECT * FROM musik WHERE name='My Bell 3'");
    EXPECT_EQ(Select("name", "Звонок", "mus_id"),
              "SELECT * FROM musik WHERE name='Звонок' ORDER BY mus_id");
}

TEST(SqlSelect, FilterNeedsBothColumnAndValue)
{
    EXPECT_EQ(Select("name", ""), "SELECT * FROM musik");
    EXPECT_EQ(Select("", "3"), "SELECT * FROM musik");
    // Only one half given: the other half is not checked either.
    EXPECT_EQ(Select("", "not a number"), "SELECT * FROM musik");
}

TEST(SqlSelect, CharacterValueCannotLeaveItsLiteral)
{
    EXPECT_EQ(Select("name", "O'Neil"), "SELECT * FROM musik WHERE name='O''Neil'");
    EXPECT_EQ(Select("name", "x' OR '1'='1"),
              "SELECT * FROM musik WHERE name='x'' OR ''1''=''1'");
    EXPECT_EQ(Select("name", "'"), "SELECT * FROM musik WHERE name=''''");
    const sql::BuiltSql zero = sql::SelectSql("musik", kMusikNames, kMusikTypes, "name",
                                              std::string_view("a\0b", 3), "");
    EXPECT_FALSE(zero.ok);
}

TEST(SqlSelect, NumericAndUnknownColumnsTakeOnlyNumbers)
{
    // A column the table lacks is written bare, so it must hold a number too.
    EXPECT_EQ(Select("nothere", "5"), "SELECT * FROM musik WHERE nothere=5");
    for (const char* bad : {"3 OR 1=1", "3;DELETE FROM musik", "'3'", "3,5"}) {
        const sql::BuiltSql built =
            sql::SelectSql("musik", kMusikNames, kMusikTypes, "mus_id", bad, "");
        EXPECT_FALSE(built.ok) << bad;
        EXPECT_TRUE(built.text.empty());
        EXPECT_NE(built.message.find(bad), std::string::npos) << built.message;
    }
    EXPECT_FALSE(sql::SelectSql("musik", kMusikNames, kMusikTypes, "nothere", "x", "").ok);
}

TEST(SqlSelect, NameMatchIsExactAndFirstWins)
{
    // "NAME" is not "name": unknown, therefore numeric, therefore refused.
    EXPECT_FALSE(sql::SelectSql("musik", kMusikNames, kMusikTypes, "NAME", "x", "").ok);
    const ColumnNameList names{"a", "a"};
    const ColumnTypeList types{kVarchar, kInteger};
    EXPECT_EQ(sql::SelectSql("t", names, types, "a", "x", "").text,
              "SELECT * FROM t WHERE a='x'");
}

TEST(SqlSelect, NamesThatAreNotPlainAreRefused)
{
    EXPECT_FALSE(sql::DescribeSql("phbook; DROP TABLE memo").ok);
    EXPECT_FALSE(sql::DescribeSql("").ok);
    EXPECT_FALSE(sql::SelectSql("musik", kMusikNames, kMusikTypes, "", "", "id DESC").ok);
    EXPECT_FALSE(sql::SelectSql("musik", kMusikNames, kMusikTypes, "1=1 OR id", "1", "").ok);
    EXPECT_FALSE(sql::SelectSql("musik x", kMusikNames, kMusikTypes, "", "", "").ok);
}

TEST(SqlInsert, ValuesByColumnTypeAndRowNormalisedInPlace)
{
    const ColumnNameList names{"a", "b"};
    const ColumnTypeList types{kVarchar, kInteger};
    TextRow row{"tea's", "3,5"};
    const sql::BuiltSql built = sql::InsertSql("t", names, types, row);
    ASSERT_TRUE(built.ok) << built.message;
    EXPECT_EQ(built.text, "INSERT INTO t VALUES ('tea''s', 3.5)");
    EXPECT_EQ(row, (TextRow{"tea's", "3.5"}));
}

TEST(SqlInsert, EmptyAndMissingCells)
{
    const ColumnNameList names{"a", "n", "b", "id"};
    const ColumnTypeList types{kVarchar, kDouble, kVarchar, kInteger};
    TextRow row{" ", " "};
    const sql::BuiltSql built = sql::InsertSql("t", names, types, row);
    ASSERT_TRUE(built.ok) << built.message;
    EXPECT_EQ(built.text, "INSERT INTO t VALUES ('', 0, '', 0)");
    // The lone space of the character cell is gone; the numeric one stays,
    // only its SQL value is 0; the row is not lengthened.
    EXPECT_EQ(row, (TextRow{"", " "}));

    TextRow empty;
    EXPECT_EQ(sql::InsertSql("t", names, types, empty).text,
              "INSERT INTO t VALUES ('', 0, '', 0)");
}

TEST(SqlInsert, ExtraCellsAreIgnored)
{
    const ColumnNameList names{"mus_id", "name"};
    TextRow row{"1", "Bell", "extra'"};
    EXPECT_EQ(sql::InsertSql("musik", names, kMusikTypes, row).text,
              "INSERT INTO musik VALUES (1, 'Bell')");
    EXPECT_EQ(row[2], "extra'");
}

TEST(SqlInsert, NonNumberInNumericColumnIsRefusedAndRowKept)
{
    for (const char* bad : {"1); DELETE FROM musik; --", "abc", "1 2", "1,2,3"}) {
        TextRow row{bad, "it's"};
        const sql::BuiltSql built = sql::InsertSql("musik", kMusikNames, kMusikTypes, row);
        EXPECT_FALSE(built.ok) << bad;
        EXPECT_NE(built.message.find("mus_id"), std::string::npos) << built.message;
        EXPECT_EQ(row, (TextRow{bad, "it's"}));
    }
    TextRow zero{"1", std::string("a\0b", 3)};
    EXPECT_FALSE(sql::InsertSql("musik", kMusikNames, kMusikTypes, zero).ok);
}

TEST(SqlInsert, Message)
{
    EXPECT_EQ(sql::InsertedMessage("phbook", 1), "В таблице phbook добавленно 1 записей.");
    EXPECT_EQ(sql::InsertedMessage("memo", -1), "В таблице memo добавленно -1 записей.");
}

TEST(SqlUpdate, CharacterColumn)
{
    const ColumnNameList names{"K", "id"};
    const ColumnTypeList types{kVarchar, kInteger};
    auto update = [&](std::string_view value) {
        return sql::UpdateSql("T", names, types, 0, "4", value).text;
    };
    EXPECT_EQ(update(""), "UPDATE T SET K='-' WHERE id=4");
    EXPECT_EQ(update(" "), "UPDATE T SET K='-' WHERE id=4");
    EXPECT_EQ(update("it's"), "UPDATE T SET K='it''s' WHERE id=4");
    EXPECT_EQ(update("x' WHERE 1=1 --"), "UPDATE T SET K='x'' WHERE 1=1 --' WHERE id=4");
    EXPECT_EQ(update("1,5"), "UPDATE T SET K='1,5' WHERE id=4");
}

TEST(SqlUpdate, NumericColumn)
{
    const ColumnNameList names{"N", "id"};
    const ColumnTypeList types{kInteger, kInteger};
    auto update = [&](std::string_view value) {
        return sql::UpdateSql("T", names, types, 0, "4", value);
    };
    EXPECT_EQ(update("").text, "UPDATE T SET N=0 WHERE id=4");
    EXPECT_EQ(update(" ").text, "UPDATE T SET N=0 WHERE id=4");
    EXPECT_EQ(update("12,5").text, "UPDATE T SET N=12.5 WHERE id=4");
    EXPECT_EQ(sql::UpdateSql("T", names, types, 1, "-2", "7").text,
              "UPDATE T SET id=7 WHERE id=-2");
    EXPECT_FALSE(update("5 WHERE 1=1 --").ok);
    EXPECT_FALSE(update("abc").ok);
}

TEST(SqlUpdate, IdMustBeANumberAndColumnMustExist)
{
    const ColumnNameList names{"K", "id"};
    const ColumnTypeList types{kVarchar, kInteger};
    for (const char* id : {"4 OR 1=1", "", "'4'", "4,0"})
        EXPECT_FALSE(sql::UpdateSql("T", names, types, 0, id, "v").ok) << id;
    for (int column : {-1, 2, 100})
        EXPECT_FALSE(sql::UpdateSql("T", names, types, column, "4", "v").ok) << column;
    // Names without types (or the reverse) do not make a column.
    EXPECT_FALSE(sql::UpdateSql("T", names, ColumnTypeList{kVarchar}, 1, "4", "v").ok);
}

TEST(SqlDelete, ValueIsBareNumber)
{
    EXPECT_EQ(sql::DeleteSql("phbook", "7", "id").text, "DELETE FROM phbook WHERE id=7");
    EXPECT_EQ(sql::DeleteAllSql("musik").text, "DELETE FROM musik");
    for (const char* bad : {"7 OR 1=1", "", " ", "7;", "x"})
        EXPECT_FALSE(sql::DeleteSql("phbook", bad, "id").ok) << bad;
    EXPECT_FALSE(sql::DeleteSql("phbook", "7", "id OR 1").ok);
    EXPECT_FALSE(sql::DeleteAllSql("musik WHERE 1=0; DELETE FROM memo").ok);
}

TEST(SqlRowBuffer, SixteenColumnsFitTheFixedBuffer)
{
    sql::RowBuffer buffer(16);
    EXPECT_EQ(buffer.Size(), 4096u);
    EXPECT_EQ(buffer.Slot(15) + sql::RowBuffer::kSlotSize, buffer.Slot(0) + 16 * 255);
    EXPECT_EQ(buffer.Row(), TextRow(16));
}

TEST(SqlRowBuffer, WiderTablesGrowTheBuffer)
{
    sql::RowBuffer buffer(20);
    ASSERT_GE(buffer.Size(), 20 * sql::RowBuffer::kSlotSize);
    // Writing every byte of the last slot stays inside the buffer (ASan checks).
    std::memset(buffer.Slot(19), 'z', sql::RowBuffer::kSlotSize);
    EXPECT_EQ(buffer.Row()[19], std::string(255, 'z'));
}

TEST(SqlRowBuffer, FullSlotDoesNotRunIntoTheNext)
{
    sql::RowBuffer buffer(3);
    std::memset(buffer.Slot(0), 'a', sql::RowBuffer::kSlotSize);
    std::strcpy(buffer.Slot(1), "bee");
    const TextRow row = buffer.Row();
    ASSERT_EQ(row.size(), 3u);
    EXPECT_EQ(row[0], std::string(255, 'a'));
    EXPECT_EQ(row[1], "bee");
    EXPECT_EQ(row[2], "");
    buffer.Clear();
    EXPECT_EQ(buffer.Row(), TextRow(3));
}
