// The verbs, one function each; the table in verbs.cpp maps names to them.
#pragma once

#include "drive.h"

namespace vmdrive {

// Resolves a window argument: Usage when it is malformed, Retry while the window is missing.
Step Target(const std::string& text, HWND& hwnd);
// Resolves DIALOG and the control ID inside it.
Step TargetControl(const std::string& dialog, const std::string& id, HWND& control);
// Parses a number argument or reports a usage error.
bool NumberArg(const std::string& text, long long& value, const char* what);

#define VMDRIVE_VERB(name) Step name(const Args& args, const Options& options, Lines& out)

// Windows (verbs_window.cpp).
VMDRIVE_VERB(VerbWait);
VMDRIVE_VERB(VerbGone);
VMDRIVE_VERB(VerbCount);
VMDRIVE_VERB(VerbWindows);
VMDRIVE_VERB(VerbPost);
VMDRIVE_VERB(VerbRun);
VMDRIVE_VERB(VerbStart);
VMDRIVE_VERB(VerbSend);
VMDRIVE_VERB(VerbClose);
VMDRIVE_VERB(VerbKey);
VMDRIVE_VERB(VerbChar);
VMDRIVE_VERB(VerbText);
VMDRIVE_VERB(VerbRect);
VMDRIVE_VERB(VerbClient);
VMDRIVE_VERB(VerbVisible);
VMDRIVE_VERB(VerbEnabled);
VMDRIVE_VERB(VerbChildren);
VMDRIVE_VERB(VerbMdiActive);

// Message boxes and dialog buttons (verbs_msgbox.cpp).
VMDRIVE_VERB(VerbMsgBox);
VMDRIVE_VERB(VerbAnswer);

// Controls (verbs_control.cpp).
VMDRIVE_VERB(VerbDlgText);
VMDRIVE_VERB(VerbSetText);
VMDRIVE_VERB(VerbSetSel);
VMDRIVE_VERB(VerbCheck);
VMDRIVE_VERB(VerbChecked);
VMDRIVE_VERB(VerbCbSel);
VMDRIVE_VERB(VerbCbCount);
VMDRIVE_VERB(VerbCbCur);
VMDRIVE_VERB(VerbCbItems);
VMDRIVE_VERB(VerbLbSel);
VMDRIVE_VERB(VerbLbCount);
VMDRIVE_VERB(VerbLbCur);
VMDRIVE_VERB(VerbLbItems);

// Tool bar and status bar (verbs_bars.cpp).
VMDRIVE_VERB(VerbTbState);
VMDRIVE_VERB(VerbTbCount);
VMDRIVE_VERB(VerbTbButtons);
VMDRIVE_VERB(VerbSbText);
VMDRIVE_VERB(VerbSbParts);

}  // namespace vmdrive
