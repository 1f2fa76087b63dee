#pragma once
#include <string>

#include "phone/UploadAnswer.h"

// The port side of an upload block: the command goes out whole, then the
// phone's answer is awaited in the kind's way.

// Input that arrived before the command is dropped first: a late answer to
// the block before is not this block's. False when the port did not take the
// whole command (the line is gone).
bool WriteBlockCommand(const std::string& command);
// With `fast` (the fast exchange) each waits only until the answer is complete.
BlockAnswer AwaitBlockAnswer(bool fast);
BlockAnswer AwaitPictureBlockAnswer(bool fast);
