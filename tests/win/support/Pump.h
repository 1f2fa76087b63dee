#pragma once

// Dispatches the messages waiting for this thread's windows.
void PumpMessages();
