#include "app/CommandState.h"

#include "models/TableCatalogue.h"
#include "res/resource.h"

namespace {
void Append(std::vector<int>& to, std::initializer_list<int> commands)
{
    to.insert(to.end(), commands);
}

void TextTable(CommandState& s)
{
    s.menu = FrameMenu::Table;
    Append(s.grayedCommands, {IDM_GET_ALL, IDM_GET_SELECTED});
    Append(s.shownButtons, {IDM_INSERT, IDM_EDIT, IDM_DELETE, IDM_FONT, IDM_EXPORT, IDM_IMPORT, IDM_WRITE_PHONE,
                            IDM_RECEIVE_PHONE});
    Append(s.hiddenButtons, {IDM_GET_SELECTED, IDM_GET_ALL});
}

void MediaTable(CommandState& s)
{
    s.menu = FrameMenu::Table;
    Append(s.grayedCommands, {IDM_INSERT, IDM_EDIT, IDM_DELETE, IDM_IMPORT, IDM_WRITE_PHONE, IDM_RECEIVE_PHONE});
    Append(s.shownButtons, {IDM_FONT, IDM_EXPORT, IDM_GET_SELECTED, IDM_GET_ALL});
    Append(s.hiddenButtons, {IDM_INSERT, IDM_EDIT, IDM_DELETE, IDM_IMPORT, IDM_WRITE_PHONE, IDM_RECEIVE_PHONE});
}
}  // namespace

bool IsModelWithoutMedia(std::string_view modelName)
{
    return modelName == "SCH-E120";
}

CommandState ComputeCommandState(int activeKind, bool smsPanelOpen, std::string_view modelName)
{
    CommandState s;
    Append(s.uncheckedButtons, {IDM_PHONEBOOK, IDM_SCHEDULER, IDM_MEMO, IDM_SMS, IDM_PHOTOS, IDM_MOVIES});
    if (smsPanelOpen)
        s.checkedButtons.push_back(IDM_SMS);

    switch (activeKind) {
    case kPhoneBookKind:
    case kSchedulerKind:
    case kMemoKind:
        s.checkedButtons.push_back(activeKind == kPhoneBookKind   ? IDM_PHONEBOOK
                                   : activeKind == kSchedulerKind ? IDM_SCHEDULER
                                                                  : IDM_MEMO);
        TextTable(s);
        break;
    case kPhotoKind:
    case kMovieKind:
        s.checkedButtons.push_back(activeKind == kPhotoKind ? IDM_PHOTOS : IDM_MOVIES);
        MediaTable(s);
        break;
    default:
        Append(s.hiddenButtons, {IDM_INSERT, IDM_EDIT, IDM_DELETE, IDM_FONT, IDM_EXPORT, IDM_IMPORT,
                                 IDM_WRITE_PHONE, IDM_GET_SELECTED, IDM_GET_ALL, IDM_RECEIVE_PHONE});
        break;
    }

    if (IsModelWithoutMedia(modelName)) {
        Append(s.grayedCommands, {IDM_PICTURE, IDM_PHOTOS, IDM_MOVIES});
        Append(s.hiddenButtons, {IDM_GET_SELECTED, IDM_GET_ALL, IDM_PHOTOS, IDM_MOVIES, IDM_PICTURE});
    }
    return s;
}
