#include <gtest/gtest.h>

#include "grid/EditorRules.h"

TEST(EditorRules, OnlyTheListedKindsOpenAControl)
{
    for (int kind : {0, 1, 2, 3, 5})
        EXPECT_TRUE(OpensEditor(kind)) << kind;
    for (int kind : {4, 6, -1, 100})
        EXPECT_FALSE(OpensEditor(kind)) << kind;
}

TEST(EditorRules, CheckBoxTextsReadExactlyAndWriteBack)
{
    for (const char* text : {"", "0", "Нет", "НЕТ", "нет"})
        EXPECT_EQ(CheckStateOfText(text), 0) << text;
    for (const char* text : {"1", "Да", "ДА", "да"})
        EXPECT_EQ(CheckStateOfText(text), 1) << text;
    // Any other spelling, or a blank around a listed one, is undecided.
    for (const char* text : {"?", "дА", "нЕт", " Да", "Да ", "2", "yes"})
        EXPECT_EQ(CheckStateOfText(text), 2) << text;
    EXPECT_STREQ(TextOfCheckState(0), "Нет");
    EXPECT_STREQ(TextOfCheckState(1), "Да");
    EXPECT_STREQ(TextOfCheckState(2), "Пр");
}

TEST(EditorRules, EachKindHandsOnItsOwnKeys)
{
    const int all[] = {kEditorTab, kEditorEscape, kEditorLeft, kEditorUp, kEditorRight, kEditorDown};
    auto forwarded = [&](int kind) {
        std::string keys;
        for (int key : all)
            keys += ForwardsKey(kind, key, false) ? '1' : '0';
        return keys;
    };
    // Tab, Esc, Left, Up, Right, Down in that order.
    EXPECT_EQ(forwarded(0), "110101");
    EXPECT_EQ(forwarded(1), "111111");
    EXPECT_EQ(forwarded(2), "111111");
    EXPECT_EQ(forwarded(3), "111010");
    EXPECT_EQ(forwarded(5), "111111");
    EXPECT_EQ(forwarded(4), "000000");
    // Enter goes on with Ctrl only; other keys stay in the control.
    for (int kind : {0, 1, 2, 3, 5}) {
        EXPECT_TRUE(ForwardsKey(kind, kEditorReturn, true)) << kind;
        EXPECT_FALSE(ForwardsKey(kind, kEditorReturn, false)) << kind;
        EXPECT_FALSE(ForwardsKey(kind, 'A', false)) << kind;
    }
}

TEST(EditorRules, TheTextFieldTakesWhatItsColumnHoldsAndNeverMoreThanItReads)
{
    EXPECT_EQ(TextEditorLimit(32), 32);
    EXPECT_EQ(TextEditorLimit(254), 254);
    EXPECT_EQ(TextEditorLimit(255), 254);
    EXPECT_EQ(TextEditorLimit(0), 254);
}
