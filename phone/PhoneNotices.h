#pragma once
#include <string>

enum class NoticeIcon { None, Warning, Error };

// How the phone session tells the user something (a port that would not
// open, a phone that does not answer, a row the database refused). The phone
// floor shows no window itself: the program gives the session an object
// that shows each notice as a box with no owner.
class PhoneNotices {
public:
    virtual void Notify(const std::string& text, const char* caption, NoticeIcon icon) = 0;

protected:
    ~PhoneNotices() = default;
};
