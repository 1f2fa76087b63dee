// What the Access driver refuses, and so its stand-in too: views made
// through SQL outside Jet's ANSI-92 mode, and texts longer than their field.

#include "DbFixture.h"

namespace {
bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

const char SyntaxError[] = "Syntax error in CREATE TABLE statement.";
const char FieldTooSmall[] = "The field is too small to accept the amount of data you attempted to add.";
}  // namespace

using AccessRules = dbtest::FreshDatabase;

TEST_F(AccessRules, ViewsAreMadeAndDroppedOnlyWithExtendedAnsiSql)
{
    EXPECT_FALSE(db_.RunStatement("CREATE VIEW names AS SELECT name FROM phbook"));
    EXPECT_TRUE(Has(db_.LastMessage(), SyntaxError)) << db_.LastMessage();
    EXPECT_FALSE(db_.RunStatement("DROP VIEW q_phbook"));
    EXPECT_TRUE(Has(db_.LastMessage(), SyntaxError)) << db_.LastMessage();

    Database ansi92;
    ASSERT_TRUE(ansi92.Connect(name_, true)) << ansi92.LastMessage();
    EXPECT_TRUE(ansi92.RunStatement("CREATE VIEW names AS SELECT name FROM phbook")) << ansi92.LastMessage();
    EXPECT_TRUE(ansi92.RunStatement("DROP VIEW names")) << ansi92.LastMessage();
    // Tables are made in either mode.
    EXPECT_TRUE(db_.RunStatement("CREATE TABLE extra (note VARCHAR(8), id INTEGER)")) << db_.LastMessage();
}

TEST_F(AccessRules, ATextLongerThanItsFieldIsRefused)
{
    const std::string fits(32, 'x');
    const std::string tooLong(33, 'x');
    TextRow row{tooLong, "1", "", "", "", "", "", "", "", "7"};
    EXPECT_EQ(db_.InsertRow("phbook", row), -1);
    EXPECT_TRUE(Has(db_.LastMessage(), FieldTooSmall)) << db_.LastMessage();
    // An apostrophe counts once; the id is a number, not a text.
    row = {std::string(31, 'x') + "'", "1", "", "", "", "", "", "", "", "7"};
    EXPECT_EQ(db_.InsertRow("phbook", row), 1) << db_.LastMessage();

    EXPECT_FALSE(db_.UpdateCell("phbook", 1, "7", tooLong));
    EXPECT_TRUE(Has(db_.LastMessage(), FieldTooSmall)) << db_.LastMessage();
    EXPECT_TRUE(db_.UpdateCell("phbook", 1, "7", fits)) << db_.LastMessage();
    EXPECT_FALSE(db_.RunStatement("INSERT INTO musik (name, mus_id) VALUES ('" + std::string(65, 'm') + "', 3)"));
    EXPECT_TRUE(Has(db_.LastMessage(), FieldTooSmall)) << db_.LastMessage();
    EXPECT_EQ(Raw().Query("SELECT phone1 FROM phbook WHERE id=7"), (RowSet{{fits}}));
}
