#pragma once
#include "phone/MediaAssembly.h"

// The one byte area for a photo or movie coming from the phone and for an
// animation file going to it. Only one exchange worker runs at a time, so
// they never use it together.
extern char MediaReceiveBuffer[MediaReceiveBufferSize];
