#pragma once
#include <windows.h>

#include "db/DbTypes.h"

// The modal dialog shown while the exchange worker runs a phone operation:
// an animation, a line of text, a progress bar and the "Прервать" button.
// There is at most one. Operations on the worker thread report to it by
// messages only.

// It accepts VM_PROGRESS_POS (wParam: the bar's position; posted) and
// VM_PROGRESS_ITEM (lParam: the const TextRow* of the current item; sent).

// The open dialog, or none.
HWND ProgressDialogHandle();

// What the button, Enter and Esc do: ask the running operation to stop.
// True when an operation runs and will end by itself (the dialog then says
// "Остановка..." and waits for it); false when none runs, and the dialog
// ends at once.
using ProgressStopRequest = bool (*)();

// User-interface thread, before a worker is started for a dialog about to
// open: from now until that dialog has closed, WaitForProgressDialog waits.
void ExpectProgressDialog();
// Runs dialog IDD_PROGRESS modally over `owner` for operation `code` (it
// decides the first text and whether the bar shows); returns when the
// dialog has ended.
INT_PTR ShowProgressDialog(HWND owner, int code, ProgressStopRequest requestStop);
// Ends the open dialog with 1, if there is one.
void CloseProgressDialog();

// Worker thread: the worker may start before the dialog exists, so this
// waits until it does. Returns its handle, or none when the expected dialog
// has already closed again.
HWND WaitForProgressDialog();
// Shows `item` (file name, tag and the end of the range) in the dialog; the
// dialog has handled it when this returns. Nothing happens without a dialog.
void SendProgressItem(const TextRow& item);
void PostProgressPosition(WPARAM position);
