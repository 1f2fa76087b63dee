#pragma once
#include <windows.h>

#include <optional>
#include <vector>

#include "calendar/CalendarDate.h"
#include "calendar/CalendarMonth.h"
#include "common/Handles.h"
#include "common/MemoryBitmap.h"

// Window class of the month calendar, registered once per run.
extern const char* const CalendarClassName;

// The month calendar of the date and time dialog, drawn by the program in a
// window over the dialog's group box: the day names in a heading strip, the
// days of the shown month below, the selected day of SelectedDate ringed in
// red. A click on a day selects it and moves the dialog's day slider. Its
// window holds the object from creation until the object goes.
class CalendarControl {
public:
    // Registers the window class unless done before; tells the user when the
    // system refuses.
    CalendarControl();
    ~CalendarControl();
    CalendarControl(const CalendarControl&) = delete;
    CalendarControl& operator=(const CalendarControl&) = delete;

    // Creates the calendar window over `area` of `parent` and shows the month
    // of `date` with its day selected. False when there is no window; the
    // user has then been told.
    bool CreateIn(HINSTANCE instance, HWND parent, const RECT& area, const CalendarDate& date);
    // Makes month `monthIndex` (0 to 11) of `year` the shown and selected
    // one; the selected day stays.
    void ShowMonth(int monthIndex, int year);
    // Draws the calendar at once (also on WM_PAINT).
    void PaintCalendar();
    // A click at client point (x, y): selects the day there, if any.
    void OnClick(int x, int y);

    HWND Window() const { return window_; }

private:
    bool PrepareBackBuffer(HDC reference);
    void Draw(HDC dc) const;
    void DrawDayNames(HDC dc) const;
    void DrawDays(HDC dc) const;

    bool classReady_ = false;
    HWND window_ = nullptr;
    HWND parent_ = nullptr;
    std::vector<DayCell> cells_;
    int width_ = 0;
    int height_ = 0;
    int headingHeight_ = 0;
    FontHandle boldFont_;
    FontHandle normalFont_;
    // The normal font stays selected into the back buffer while it lives.
    MemoryBitmap backBuffer_;
    std::optional<SelectedObject> bufferFont_;
};

