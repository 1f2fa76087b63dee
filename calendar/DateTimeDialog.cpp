#include "calendar/DateTimeDialog.h"

#include <commctrl.h>

#include <ctime>
#include <memory>
#include <string>

#include "common/DialogCentring.h"
#include "calendar/CalendarControl.h"
#include "calendar/CalendarDate.h"
#include "calendar/CalendarMonth.h"
#include "calendar/DateInput.h"
#include "res/resource.h"

namespace {
// What one open dialog works with; it lives on the stack of the call that
// runs the dialog, and the dialog finds it through DWLP_USER.
struct DialogState {
    int64_t start;
    HWND centreOn;
    // Gone once a button has ended the dialog, so that what the closing
    // dialog still sends changes nothing.
    std::unique_ptr<CalendarControl> calendar;
};

DialogState* StateOf(HWND dialog)
{
    return reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

CalendarControl* CalendarOf(HWND dialog)
{
    DialogState* state = StateOf(dialog);
    return state ? state->calendar.get() : nullptr;
}

void DropCalendar(HWND dialog)
{
    if (DialogState* state = StateOf(dialog))
        state->calendar.reset();
}

std::string ControlText(HWND dialog, int id)
{
    char text[64] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void FillList(HWND list, int count, const char* const* names)
{
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < count; ++i) {
        const std::string number = std::to_string(i);
        const char* text = names ? names[i] : number.c_str();
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
}

// Selects the number `value` in the hour or minute list by its text.
void SelectNumber(HWND list, int value)
{
    const std::string text = std::to_string(value);
    SendMessageA(list, CB_SELECTSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void SetDayRange(HWND dialog, int days)
{
    SendDlgItemMessageA(dialog, IDC_DATETIME_DAY, TBM_SETRANGE, TRUE, MAKELPARAM(1, days));
}

RECT CentringReference(HWND dialog, HWND centreOn)
{
    if (centreOn)
        return WindowRectOf(centreOn);
    HWND owner = GetWindow(dialog, GW_OWNER);
    return owner ? WindowRectOf(owner) : ScreenRect();
}

void OnInitDialog(HWND dialog, DialogState& state)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    const int64_t start = state.start;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    SendMessageA(dialog, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconA(instance, MAKEINTRESOURCEA(IDI_DATETIME))));
    const CalendarDate date = StartDate(start, static_cast<int64_t>(std::time(nullptr)));
    SelectedDate = date;

    SendDlgItemMessageA(dialog, IDC_DATETIME_YEAR_SPIN, UDM_SETRANGE32, FirstYear, LastYear);
    SendDlgItemMessageA(dialog, IDC_DATETIME_YEAR_SPIN, UDM_SETPOS32, 0, date.year);
    HWND months = GetDlgItem(dialog, IDC_DATETIME_MONTH);
    FillList(months, MonthCount, MonthNames);
    SendMessageA(months, CB_SETCURSEL, static_cast<WPARAM>(date.month - 1), 0);
    HWND hours = GetDlgItem(dialog, IDC_DATETIME_HOUR);
    FillList(hours, 24, nullptr);
    SelectNumber(hours, date.hour);
    HWND minutes = GetDlgItem(dialog, IDC_DATETIME_MINUTE);
    FillList(minutes, 60, nullptr);
    SelectNumber(minutes, date.minute);

    state.calendar = std::make_unique<CalendarControl>();
    HWND group = GetDlgItem(dialog, IDC_DATETIME_CALENDAR);
    RECT area{};
    GetClientRect(group, &area);
    state.calendar->CreateIn(instance, group, area, date);

    SetDayRange(dialog, DaysInMonth(date.month - 1, date.year));
    SendDlgItemMessageA(dialog, IDC_DATETIME_DAY, TBM_SETPAGESIZE, 0, 1);
    SendDlgItemMessageA(dialog, IDC_DATETIME_DAY, TBM_SETLINESIZE, 0, 1);
    SendDlgItemMessageA(dialog, IDC_DATETIME_DAY, TBM_SETPOS, TRUE, date.day);
    CentreAndShow(dialog, CentringReference(dialog, state.centreOn));
}

// The month or the year changed: by the month list, the arrows, or a year
// typed into the field. The day moves to the month's last when it is beyond
// it; what was typed is shown as it was taken.
void OnMonthOrYearChanged(HWND dialog)
{
    CalendarControl* calendar = CalendarOf(dialog);
    if (!calendar)
        return;
    const std::string typed = ControlText(dialog, IDC_DATETIME_YEAR);
    const int year = YearFromText(typed, SelectedDate.year);
    if (typed != std::to_string(year))
        SendDlgItemMessageA(dialog, IDC_DATETIME_YEAR_SPIN, UDM_SETPOS32, 0, year);
    HWND months = GetDlgItem(dialog, IDC_DATETIME_MONTH);
    const int selected = static_cast<int>(SendMessageA(months, CB_GETCURSEL, 0, 0));
    const int month = MonthIndexOrPrevious(selected, SelectedDate.month - 1);
    if (month != selected)
        SendMessageA(months, CB_SETCURSEL, static_cast<WPARAM>(month), 0);

    const int days = DaysInMonth(month, year);
    SetDayRange(dialog, days);
    if (SelectedDate.day > days) {
        SelectedDate.day = days;
        SendDlgItemMessageA(dialog, IDC_DATETIME_DAY, TBM_SETPOS, TRUE, days);
    }
    calendar->ShowMonth(month, year);
    calendar->PaintCalendar();
}

void OnDayMoved(HWND dialog)
{
    CalendarControl* calendar = CalendarOf(dialog);
    if (!calendar)
        return;
    SelectedDate.day = static_cast<int>(SendDlgItemMessageA(dialog, IDC_DATETIME_DAY, TBM_GETPOS, 0, 0));
    calendar->PaintCalendar();
}

// "Выбрать" and "Отмена" both leave the choice in SelectedDate; the caller
// tells them apart by the result.
void OnButton(HWND dialog, int id)
{
    OnMonthOrYearChanged(dialog);
    SelectedDate.hour = ClockFieldFromText(ControlText(dialog, IDC_DATETIME_HOUR), 23);
    SelectedDate.minute = ClockFieldFromText(ControlText(dialog, IDC_DATETIME_MINUTE), 59);
    DropCalendar(dialog);
    EndDialog(dialog, id);
}

bool IsFrom(HWND dialog, int id, LPARAM control)
{
    return reinterpret_cast<HWND>(control) == GetDlgItem(dialog, id);
}

INT_PTR Dispatch(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: OnInitDialog(dialog, *reinterpret_cast<DialogState*>(lParam)); return TRUE;
    case WM_VSCROLL:
        if (!IsFrom(dialog, IDC_DATETIME_YEAR_SPIN, lParam))
            break;
        OnMonthOrYearChanged(dialog);
        return TRUE;
    case WM_HSCROLL:
        if (!IsFrom(dialog, IDC_DATETIME_DAY, lParam))
            break;
        OnDayMoved(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_DATETIME_MONTH:
            if (HIWORD(wParam) == CBN_SELCHANGE)
                OnMonthOrYearChanged(dialog);
            return TRUE;
        case IDC_DATETIME_YEAR:
            if (HIWORD(wParam) == EN_KILLFOCUS)
                OnMonthOrYearChanged(dialog);
            return TRUE;
        case IDOK:
        case IDCANCEL: OnButton(dialog, LOWORD(wParam)); return TRUE;
        default: break;
        }
        break;
    // Ended some other way than by a button (its owner went, say).
    case WM_DESTROY: DropCalendar(dialog); break;
    default: break;
    }
    return FALSE;
}

// Nothing may unwind through the system: out of memory, the dialog closes as
// cancelled.
INT_PTR CALLBACK DateTimeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        return Dispatch(dialog, message, wParam, lParam);
    } catch (...) {
        DropCalendar(dialog);
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
}
}  // namespace

INT_PTR RunDateTimeDialog(HWND owner, int64_t start, HWND centreOn)
{
    DialogState state{start, centreOn, nullptr};
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_DATETIME), owner, DateTimeProc,
                           reinterpret_cast<LPARAM>(&state));
}

int64_t ChosenDateTime()
{
    return CalendarTimeOf(SelectedDate);
}
