#include "grid/EditorRules.h"

#include <initializer_list>

namespace {
bool Among(const std::string& text, std::initializer_list<const char*> texts)
{
    for (const char* candidate : texts)
        if (text == candidate)
            return true;
    return false;
}

bool KeyAmong(int key, std::initializer_list<int> keys)
{
    for (int candidate : keys)
        if (key == candidate)
            return true;
    return false;
}
}  // namespace

bool OpensEditor(int kind)
{
    switch (static_cast<EditorKind>(kind)) {
    case EditorKind::Text:
    case EditorKind::Check:
    case EditorKind::ThreeState:
    case EditorKind::DropDown:
    case EditorKind::Date: return true;
    default: return false;
    }
}

int CheckStateOfText(const std::string& text)
{
    if (Among(text, {"", "0", "Нет", "НЕТ", "нет"}))
        return 0;
    if (Among(text, {"1", "Да", "ДА", "да"}))
        return 1;
    return 2;
}

const char* TextOfCheckState(int state)
{
    switch (state) {
    case 0: return "Нет";
    case 1: return "Да";
    default: return "Пр";
    }
}

bool ForwardsKey(int kind, int key, bool ctrl)
{
    if (key == kEditorReturn)
        return ctrl;
    switch (static_cast<EditorKind>(kind)) {
    case EditorKind::Text: return KeyAmong(key, {kEditorTab, kEditorEscape, kEditorUp, kEditorDown});
    case EditorKind::DropDown: return KeyAmong(key, {kEditorTab, kEditorEscape, kEditorLeft, kEditorRight});
    case EditorKind::Check:
    case EditorKind::ThreeState:
    case EditorKind::Date:
        return KeyAmong(key, {kEditorTab, kEditorEscape, kEditorLeft, kEditorUp, kEditorRight, kEditorDown});
    default: return false;
    }
}

int TextEditorLimit(std::size_t columnSize)
{
    if (columnSize == 0 || columnSize > static_cast<std::size_t>(kEditorTextLimit))
        return kEditorTextLimit;
    return static_cast<int>(columnSize);
}
