#pragma once
#include <string>

#include "phone/UploadAnswer.h"

// The port side of an upload block: the command goes out whole, then the
// phone's answer is awaited in the kind's way.

// False when the port did not take the whole command (the line is gone).
bool WriteBlockCommand(const std::string& command);
BlockAnswer AwaitBlockAnswer();
BlockAnswer AwaitPictureBlockAnswer();
