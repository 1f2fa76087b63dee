#pragma once
#include "phone/PhoneNotices.h"

// Shows the phone session's notices as message boxes with no owner, so that
// they also appear while the frame is being made or is disabled.
class NoticeBoxes final : public PhoneNotices {
public:
    void Notify(const std::string& text, const char* caption, NoticeIcon icon) override;
};
