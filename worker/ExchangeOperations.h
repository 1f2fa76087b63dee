#pragma once

class PhoneSession;

// Worker thread: runs the phone operation selected by `code` with its data.
// A code no operation has runs nothing.
void RunExchangeOperation(PhoneSession& session, int code, void* data);
