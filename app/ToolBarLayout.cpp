#include "app/ToolBarLayout.h"

#include "res/resource.h"

namespace {
constexpr ToolBarEntry Sep{0, -1};
}

const std::array<ToolBarEntry, ToolBarEntryCount> ToolBarEntries = {{
    Sep,
    {IDM_SMS, 0},
    Sep,
    {IDM_PHONEBOOK, 1},
    {IDM_SCHEDULER, 2},
    {IDM_MEMO, 3},
    Sep,
    {IDM_MELODY, 4},
    {IDM_PICTURE, 5},
    {IDM_ANIMATION, 6},
    Sep,
    {IDM_PHOTOS, 7},
    {IDM_MOVIES, 8},
    Sep,
    {IDM_WRITE_PHONE, 9},
    {IDM_RECEIVE_PHONE, 10},
    Sep,
    {IDM_GET_SELECTED, 11},
    {IDM_GET_ALL, 12},
    Sep,
    {IDM_FONT, 13},
    Sep,
    {IDM_INSERT, 14},
    {IDM_EDIT, 15},
    {IDM_DELETE, 16},
    Sep,
    {IDM_EXPORT, 17},
    {IDM_IMPORT, 19},
    Sep,
    {IDM_ABOUT, 18},
}};
