#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Readers of the phone's answers during the session start, and the session's
// status bar text. Each reader takes the zero-terminated reply of one exchange.

// At most this many key digits are kept; later ones are dropped.
constexpr std::size_t PhoneKeyDigits = 7;
// Melody numbers and names keep at most this many bytes.
constexpr std::size_t MelodyFieldLength = 31;

// The key after "#PCKEY: ": the value of the run of digits that follows (0
// for none, so a leading zero is lost). Nothing when the prefix is missing.
std::optional<std::int32_t> ParsePhoneKey(const char* reply);

// The model after "GMM: ", up to the first byte that is not printable
// non-blank ASCII; empty when the prefix is missing.
std::string ParseModelName(const char* reply);

// The phone's own number after "#PCMIT:" (blanks skipped): its digits and a
// leading plus, at most SMS_NUMBER_LIMIT of them, as the SMS panel's field takes them;
// empty when the prefix is missing.
std::string ParseOwnNumber(const char* reply);

struct MelodyEntry {
    std::string number;
    std::string name;  // up to the line feed: a CR before it stays
};

// The melodies listed after "#PUGSN:": after its line, each line
// "number,anything,name" up to its line feed. The list ends where no further
// comma or line feed is found. Nothing when the prefix is missing.
std::optional<std::vector<MelodyEntry>> ParseMelodyList(const char* reply);

// "Samsung " + model + ", порт COM" + port + "."
std::string DescribeSession(const std::string& model, int port);
