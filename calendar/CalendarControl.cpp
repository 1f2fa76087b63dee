#include "calendar/CalendarControl.h"

#include <windowsx.h>
#include <commctrl.h>

#include <string>

#include "res/resource.h"

const char* const CalendarClassName = "CALENDAR_WINDOW";

namespace {
constexpr UINT TextFlags = DT_CENTER | DT_VCENTER | DT_WORDBREAK;
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF Red = RGB(255, 0, 0);
bool classRegistered = false;

void Report(const char* text)
{
    MessageBoxA(nullptr, text, "Calendar module report", MB_OK);
}

LRESULT CALLBACK CalendarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The control's object comes with the window's creation and stays in
    // the window until the object goes.
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* calendar = reinterpret_cast<CalendarControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (calendar) {
        // Nothing may unwind through the system: a message that fails is lost.
        try {
            switch (message) {
            case WM_PAINT: calendar->PaintCalendar(); return 0;
            // The back buffer covers the whole window.
            case WM_ERASEBKGND: return 1;
            case WM_LBUTTONDOWN: calendar->OnClick(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
            default: break;
            }
        } catch (...) {
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterCalendarClass()
{
    if (classRegistered)
        return true;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_GLOBALCLASS;
    windowClass.lpfnWndProc = CalendarProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    windowClass.lpszClassName = CalendarClassName;
    classRegistered = RegisterClassExA(&windowClass) != 0;
    return classRegistered;
}

HFONT MakeFont(int weight)
{
    return CreateFontA(14, 0, 0, 0, weight, FALSE, FALSE, FALSE, RUSSIAN_CHARSET, OUT_TT_ONLY_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial");
}
}  // namespace

CalendarControl::CalendarControl()
{
    classReady_ = RegisterCalendarClass();
    if (!classReady_) {
        Report("Ошибка регистрации класса окна");
        Report("Невозможно зарегистрировать calWnd!");
    }
}

CalendarControl::~CalendarControl()
{
    if (window_ && IsWindow(window_)) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    cells_.clear();
    bufferFont_.reset();
    backBuffer_.Reset();
}

bool CalendarControl::CreateIn(HINSTANCE instance, HWND parent, const RECT& area, const CalendarDate& date)
{
    // Without the class the user has been told already.
    if (!classReady_)
        return false;
    parent_ = parent;
    window_ = CreateWindowExA(0, CalendarClassName, "CALENDAR_WINDOW_TITLE", WS_CHILD | WS_VISIBLE | WS_BORDER,
                              area.left, area.top, area.right - area.left, area.bottom - area.top, parent, nullptr,
                              instance, this);
    if (!window_) {
        Report("Ошибка создания окна");
        return false;
    }
    // The cells fill what the border leaves, so that none is drawn under it.
    RECT client{};
    GetClientRect(window_, &client);
    width_ = client.right;
    height_ = client.bottom;
    headingHeight_ = HeadingHeight(height_);
    boldFont_.Reset(MakeFont(FW_BOLD));
    normalFont_.Reset(MakeFont(FW_NORMAL));
    SelectedDate.day = date.day;
    ShowMonth(date.month - 1, date.year);
    SetFocus(window_);
    return true;
}

void CalendarControl::ShowMonth(int monthIndex, int year)
{
    SelectedDate.month = monthIndex + 1;
    SelectedDate.year = year;
    cells_ = LayOutMonth(monthIndex, year, width_, height_);
}

void CalendarControl::PaintCalendar()
{
    if (!window_)
        return;
    InvalidateRect(window_, nullptr, FALSE);
    const PaintScope paint(window_);
    const HDC dc = paint.Dc();
    if (dc && PrepareBackBuffer(dc)) {
        Draw(backBuffer_.Dc());
        BitBlt(dc, 0, 0, width_, height_, backBuffer_.Dc(), 0, 0, SRCCOPY);
    }
}

void CalendarControl::OnClick(int x, int y)
{
    const int day = DayAt(cells_, x, y);
    if (day == 0)
        return;
    SelectedDate.day = day;
    HWND slider = GetDlgItem(GetParent(parent_), IDC_DATETIME_DAY);
    if (slider)
        SendMessageA(slider, TBM_SETPOS, TRUE, day);
    PaintCalendar();
}

bool CalendarControl::PrepareBackBuffer(HDC reference)
{
    if (backBuffer_.IsValid())
        return true;
    if (!backBuffer_.Create(reference, width_, height_))
        return false;
    bufferFont_.emplace(backBuffer_.Dc(), normalFont_.Get());
    return true;
}

void CalendarControl::Draw(HDC dc) const
{
    SetBkMode(dc, TRANSPARENT);
    RECT all{0, 0, width_, height_};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    RECT heading{0, 0, width_, headingHeight_};
    FillRect(dc, &heading, GetSysColorBrush(COLOR_MENU));
    DrawEdge(dc, &all, EDGE_RAISED, BF_RECT);
    DrawDayNames(dc);
    DrawDays(dc);
}

void CalendarControl::DrawDayNames(HDC dc) const
{
    SelectedObject bold(dc, boldFont_.Get());
    SetTextColor(dc, Black);
    const int columnWidth = width_ / WeekDays;
    for (int column = 0; column < WeekDays; ++column) {
        RECT r{column * columnWidth, 0, (column + 1) * columnWidth, headingHeight_};
        DrawTextA(dc, DayNames[column], -1, &r, TextFlags);
    }
}

void CalendarControl::DrawDays(HDC dc) const
{
    PenHandle redPen(CreatePen(PS_SOLID, 1, Red));
    for (const DayCell& cell : cells_) {
        RECT r{cell.left, cell.top, cell.right, cell.bottom};
        const bool selected = cell.day == SelectedDate.day;
        if (selected) {
            SelectedObject pen(dc, redPen.Get());
            SelectedObject hollow(dc, GetStockObject(NULL_BRUSH));
            Ellipse(dc, r.left, r.top, r.right, r.bottom);
        }
        SetTextColor(dc, selected ? Red : Black);
        const std::string number = std::to_string(cell.day);
        DrawTextA(dc, number.c_str(), -1, &r, TextFlags);
    }
}
