#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "grid/InterchangeRows.h"

// The content lines vCard and iCalendar share (RFC 2425, 5545): a property
// "group.NAME;PARAM=value;...:value", long lines folded onto lines that begin
// with a blank.

// --- Writing

// A text value with "\", ",", ";" escaped by a backslash and a line break
// (CR LF, a lone CR or a lone LF) written as "\n". Without `separators` the
// comma and the semicolon stay bare (a phone number's pause is a comma, and
// readers take a number's value as it stands).
std::string EscapeText(std::string_view text, bool separators = true);
// `line` and CR LF onto `out`, folded so that no line holds more than 75
// octets without its CR LF; a fold never splits a UTF-8 sequence.
void AppendFolded(std::string& out, std::string_view line);

// --- Reading

struct ContentLine {
    std::string group;  // "item1" of "item1.TEL"; empty when none
    std::string name;   // upper case
    // Parameters by upper-case name, values unquoted. A bare vCard 2.1
    // parameter counts as ENCODING when it names an encoding, else as TYPE.
    std::vector<std::pair<std::string, std::string>> params;
    std::string value;  // as it stands in the file, unfolded

    // The first value of parameter `name` (upper case); nullptr when absent.
    const std::string* Param(std::string_view name) const;
};
// The logical lines of `file`: physical lines end with CR LF or LF; a line
// that begins with a space or a tab continues the one before it (the blank
// is dropped). A quoted-printable value that ends in "=" goes on with the
// next physical line whatever it begins with. Lines without a ":" are left
// out.
std::vector<ContentLine> ReadContentLines(std::string_view file);

// `value` with "\n" and "\N" as CR LF and "\\", "\,", "\;" as the character
// itself; any other backslash stays as it is.
std::string UnescapeText(std::string_view value);
// The parts of `value` between separators that no backslash escapes,
// escapes kept.
std::vector<std::string> SplitUnescaped(std::string_view value, char separator);
// Quoted-printable bytes decoded: "=XX" is the byte, "=" at a line end joins
// the lines, anything else stays as it is.
std::string DecodeQuotedPrintable(std::string_view value);
// Every line break (CR LF, lone CR, lone LF) as CR LF, the grid's.
std::string WithCrLf(std::string_view text);
// Compares ASCII letters without regard to case.
bool SameWord(std::string_view a, std::string_view b);
char UpperAscii(char c);
std::string UpperCase(std::string_view text);
// `text` without blanks and tabs at either end.
std::string Trimmed(std::string_view text);
// Cell `column` of `row`; empty for a cell the row does not have.
std::string_view CellOf(const TextRow& row, std::size_t column);

// The value of `line` as code page 1251 (escapes kept): quoted-printable
// decoded when ENCODING says so, read in the CHARSET the line names, else
// as UTF-8 when the bytes are UTF-8 and as code page 1251 otherwise. False
// with the reason (Russian, code page 1251) in `refusal`.
bool ValueAsCp1251(const ContentLine& line, std::string& text, std::string& refusal);

// A row being read from a card or an event: the first reason to refuse it
// is the one kept, and its texts come in code page 1251.
class RowReading {
protected:
    void Refuse(const std::string& reason);
    // The value of `line` in code page 1251, escapes kept; empty, and the
    // row refused, when it cannot be.
    std::string Raw(const ContentLine& line);
    // The value unescaped when the file escapes its texts, line breaks CR LF.
    std::string Text(const ContentLine& line);

    bool escaped_ = true;
    ImportedRow row_;
};

// --- Time stamps

// True when `stamp` is YYYYMMDDTHHMMSS with every field in its range.
bool IsStamp(std::string_view stamp);
// A date-time of the files as a local stamp: 20050102T030405,
// 2005-01-02T03:04:05, either with "Z" for UTC (then turned into local time
// by `toLocal`), or a date alone (midnight). False for anything else.
bool StampFromIso(std::string_view value, const UtcToLocal& toLocal, std::string& stamp);

// The refusal of a text with a character that code page 1251 lacks.
extern const char* const NotInCp1251;
