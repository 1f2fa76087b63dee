#pragma once
#include <string>

class PhoneSession;
class TransferHost;

// Files from the PC to the phone, on the exchange worker behind the
// progress dialog. Each sends the file in numbered, escaped blocks and waits
// for the phone's answer after each; the first failed block ends it with a
// box.

// A melody for one of the phone's three own melody places (0 to 2).
struct MelodyUpload {
    int place = 0;
    std::string path;
};

// A picture, stored at the size of entry `size` of the sizes the phone's
// model takes (see PictureSizeChoices).
struct PictureUpload {
    int size = 0;
    std::string path;
};

// An animation bitmap with its frame count and frame size as the user typed
// them (the upload reads the numbers the way the phone gets them).
struct AnimationUpload {
    std::string frames{"4"};
    std::string width{"128"};
    std::string height{"128"};
    std::string path;
};

// The melody list is read again afterwards, unless the user stopped.
void UploadMelody(PhoneSession& session, const MelodyUpload& request, TransferHost& host);
void UploadPicture(PhoneSession& session, const PictureUpload& request, TransferHost& host);
void UploadAnimation(PhoneSession& session, const AnimationUpload& request, TransferHost& host);
