#pragma once
#include <string>

#include "db/DbTypes.h"

class PhoneSession;
class TransferHost;

// Files from the PC to the phone, on the exchange worker behind the
// progress dialog. Each sends the file in numbered, escaped blocks and waits
// for the phone's answer after each; the first "ERROR" ends it with a box.

// A melody into place `place` ("0" to "2"); the melody list is read again
// afterwards.
void UploadMelody(PhoneSession& session, const std::string& place, const std::string& path, TransferHost& host);
// A picture, stored at the size chosen in the session's MediaChoice.
void UploadPicture(PhoneSession& session, const std::string& path, TransferHost& host);
// An animation: `request` holds the path, the frame count, the width and
// the height as typed.
void UploadAnimation(PhoneSession& session, const TextRow& request, TransferHost& host);
