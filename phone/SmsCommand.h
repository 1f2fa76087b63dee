#pragma once
#include <array>
#include <string>

// What the SMS panel hands the worker: recipient, own number, message text
// and the save flag ("1" to keep a copy on the phone, else "0").
using SmsRequest = std::array<std::string, 4>;

// The one command that sends the message. The texts go in as typed, but for
// double quotes and control bytes (a line break too), which WireText turns
// into what cannot end the field or the line.
std::string BuildSmsCommand(const SmsRequest& request);

// What the panel's counter shows: SMS_TEXT_LIMIT less the bytes of the
// text, where a line break (CR LF) costs two.
int SmsCharactersLeft(const std::string& text);
