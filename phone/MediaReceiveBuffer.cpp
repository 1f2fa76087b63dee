#include "phone/MediaReceiveBuffer.h"

char MediaReceiveBuffer[MediaReceiveBufferSize];
