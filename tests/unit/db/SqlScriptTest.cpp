#include <gtest/gtest.h>

#include "db/SqlScript.h"

namespace {

std::vector<std::string> Texts(const std::string& script)
{
    std::vector<std::string> texts;
    for (const ScriptStatement& s : SplitSqlScript(script))
        texts.push_back(s.text);
    return texts;
}

TEST(SqlScript, StatementsEndAtSemicolonsAndLoseCommentsAndBlanks)
{
    const std::string script =
        "-- header\n"
        "-- more\n"
        "\n"
        "CREATE TABLE t (\n"
        "    a VARCHAR(8), -- the name\n"
        "    id INTEGER\n"
        ");\n"
        "INSERT INTO t VALUES ('x', 1);\n"
        "\n"
        "  CREATE VIEW q AS SELECT a FROM t  \n";
    const std::vector<ScriptStatement> statements = SplitSqlScript(script);
    ASSERT_EQ(statements.size(), 3u);
    EXPECT_EQ(statements[0].text, "CREATE TABLE t (\n    a VARCHAR(8), \n    id INTEGER\n)");
    EXPECT_EQ(statements[0].line, 4);
    EXPECT_EQ(statements[1].text, "INSERT INTO t VALUES ('x', 1)");
    EXPECT_EQ(statements[1].line, 8);
    EXPECT_EQ(statements[2].text, "CREATE VIEW q AS SELECT a FROM t");
    EXPECT_EQ(statements[2].line, 10);
}

TEST(SqlScript, SemicolonsAndDashesInsideLiteralsAreText)
{
    EXPECT_EQ(Texts("INSERT INTO t VALUES ('a;b', 'it''s -- not; a comment');SELECT 1"),
              (std::vector<std::string>{"INSERT INTO t VALUES ('a;b', 'it''s -- not; a comment')",
                                        "SELECT 1"}));
    EXPECT_EQ(Texts("SELECT \"a;--b\" FROM t;"), (std::vector<std::string>{"SELECT \"a;--b\" FROM t"}));
    // Code page 1251 bytes pass as they are.
    EXPECT_EQ(Texts("INSERT INTO i VALUES ('\xC8\xEC\xFF');"),
              (std::vector<std::string>{"INSERT INTO i VALUES ('\xC8\xEC\xFF')"}));
}

TEST(SqlScript, EmptyPiecesAndAnUnclosedLiteral)
{
    EXPECT_TRUE(Texts("").empty());
    EXPECT_TRUE(Texts(" ;; -- nothing\n;\r\n").empty());
    // An unclosed literal runs to the end and makes one statement, which the
    // database then refuses with its own message.
    EXPECT_EQ(Texts("SELECT 'a; b"), (std::vector<std::string>{"SELECT 'a; b"}));
    // Line counting goes on through literals and comments.
    const std::vector<ScriptStatement> s = SplitSqlScript("SELECT 'a\nb';\n-- c\nSELECT 2;");
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[1].line, 4);
}

}  // namespace
