#include "grid/ICalendarFile.h"

#include <algorithm>
#include <cstdint>

#include "common/Cp1251Text.h"
#include "grid/ContentLines.h"

// Line breaks in texts go as in vCard files: written as "\n", read back as
// CR LF.
//
// The scheduler's choice is a reminder in minutes before the start. A
// decimal choice becomes an alarm (TRIGGER:-PT<n>M) that any calendar shows;
// the choice itself goes into X-VELARMON-CHOICE as well when the alarm would
// not give back the same text (leading zeros, more than nine digits), and
// alone when it is no number at all.

namespace {
constexpr std::size_t MaxTriggerDigits = 9;
constexpr std::size_t MaxNesting = 16;

bool IsDigitRun(std::string_view text)
{
    if (text.empty())
        return false;
    for (const char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// The value of a run of decimal digits the caller has checked.
std::uint64_t Decimal(std::string_view digits)
{
    std::uint64_t value = 0;
    for (const char c : digits)
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    return value;
}

// Whole minutes of a duration that ends at the start or before it: -PT15M,
// -PT1H, -P1D, -P1W, -P1DT2H30M, PT0S. False for a duration after the
// start, or anything else.
bool MinutesBefore(std::string_view duration, std::string& minutes)
{
    bool before = false;
    if (!duration.empty() && (duration[0] == '-' || duration[0] == '+')) {
        before = duration[0] == '-';
        duration.remove_prefix(1);
    }
    if (duration.empty() || UpperAscii(duration[0]) != 'P')
        return false;
    duration.remove_prefix(1);
    std::uint64_t seconds = 0;
    bool inTime = false, anyPart = false;
    std::size_t at = 0;
    // The units in the order they may come, with their seconds.
    const char dateUnits[] = "WD", timeUnits[] = "HMS";
    const std::uint64_t dateSeconds[] = {604800, 86400}, timeSeconds[] = {3600, 60, 1};
    std::size_t nextUnit = 0;
    while (at < duration.size()) {
        if (UpperAscii(duration[at]) == 'T' && !inTime) {
            inTime = true;
            nextUnit = 0;
            ++at;
            continue;
        }
        const std::size_t digitsFrom = at;
        while (at < duration.size() && duration[at] >= '0' && duration[at] <= '9')
            ++at;
        const std::size_t digits = at - digitsFrom;
        if (digits == 0 || digits > MaxTriggerDigits || at == duration.size())
            return false;
        const std::uint64_t number = Decimal(duration.substr(digitsFrom, digits));
        const char unit = UpperAscii(duration[at++]);
        const char* units = inTime ? timeUnits : dateUnits;
        const std::uint64_t* unitSeconds = inTime ? timeSeconds : dateSeconds;
        const std::size_t unitCount = inTime ? 3 : 2;
        while (nextUnit < unitCount && units[nextUnit] != unit)
            ++nextUnit;
        if (nextUnit == unitCount)
            return false;
        seconds += number * unitSeconds[nextUnit++];
        anyPart = true;
    }
    if (!anyPart || (!before && seconds != 0))
        return false;
    minutes = std::to_string(seconds / 60);
    return true;
}

// Days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t DaysFromCivil(std::int64_t year, int month, int day)
{
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// Seconds of a stamp counted as if its clock had no time zone.
std::int64_t ClockSeconds(const std::string& stamp)
{
    const auto field = [&](std::size_t at, std::size_t count) {
        return static_cast<int>(Decimal(std::string_view(stamp).substr(at, count)));
    };
    return DaysFromCivil(field(0, 4), field(4, 2), field(6, 2)) * 86400 + field(9, 2) * 3600 + field(11, 2) * 60 +
           field(13, 2);
}

// What one VEVENT's lines say, gathered before the row is made.
struct EventLines {
    std::vector<const ContentLine*> lines;
    const ContentLine* trigger = nullptr;  // of the first VALARM
    bool alarmSeen = false;
};

class EventReader : RowReading {
public:
    EventReader(const UtcToLocal& toLocal, bool escaped) : toLocal_(toLocal) { escaped_ = escaped; }

    ImportedRow Read(const EventLines& event)
    {
        row_.cells.assign(SchedColumns, std::string());
        const ContentLine *start = nullptr, *summary = nullptr, *choice = nullptr, *melody = nullptr,
                          *oldAlarm = nullptr;
        for (const ContentLine* line : event.lines) {
            const ContentLine** slot = line->name == "DTSTART"             ? &start
                                       : line->name == "SUMMARY"           ? &summary
                                       : line->name == "X-VELARMON-CHOICE" ? &choice
                                       : line->name == "X-VELARMON-MELODY" ? &melody
                                       : line->name == "DALARM" || line->name == "AALARM" ? &oldAlarm
                                                                                           : nullptr;
            if (slot && !*slot)
                *slot = line;
        }
        if (summary)
            row_.cells[SchedText] = Text(*summary);
        if (melody)
            row_.cells[SchedMelody] = Text(*melody);
        std::string& startCell = row_.cells[SchedStart];
        if (!start || !StampFromIso(Trimmed(start->value), toLocal_, startCell))
            Refuse("нет даты начала");
        if (choice) {
            row_.cells[SchedChoice] = Text(*choice);
        } else if (event.trigger) {
            const std::string* type = event.trigger->Param("VALUE");
            const std::string* related = event.trigger->Param("RELATED");
            if ((!type || SameWord(*type, "DURATION")) && (!related || SameWord(*related, "START")))
                MinutesBefore(Trimmed(event.trigger->value), row_.cells[SchedChoice]);
        } else if (oldAlarm && !startCell.empty()) {
            // vCalendar 1.0: the alarm's own time, first of its fields.
            std::string at;
            const std::string value = oldAlarm->value.substr(0, oldAlarm->value.find(';'));
            if (StampFromIso(Trimmed(value), toLocal_, at) && ClockSeconds(at) <= ClockSeconds(startCell))
                row_.cells[SchedChoice] = std::to_string((ClockSeconds(startCell) - ClockSeconds(at)) / 60);
        }
        return std::move(row_);
    }

private:
    const UtcToLocal& toLocal_;
};
}  // namespace

ICalendarText BuildICalendar(const RowSet& rows, const std::string& nowUtc)
{
    ICalendarText result;
    std::string& out = result.text;
    out.reserve(rows.size() * 200 + 100);
    out += "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//VelarMon//VelarMon//RU\r\nCALSCALE:GREGORIAN\r\n";
    std::string line;
    const auto property = [&](const char* name, std::string_view cell) {
        line = name;
        line += EscapeText(Cp1251ToUtf8(cell));
        AppendFolded(out, line);
    };
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const TextRow& row = rows[r];
        const std::string_view start = CellOf(row, SchedStart);
        if (!IsStamp(start)) {
            ++result.rowsLeftOut;
            continue;
        }
        out += "BEGIN:VEVENT\r\n";
        const std::string_view id = CellOf(row, SchedColumns);
        // The id keeps an event's UID from one export to the next.
        line = "UID:sched-";
        line += id.empty() ? "row" + std::to_string(r + 1) : EscapeText(Cp1251ToUtf8(id));
        line += "@velarmon";
        AppendFolded(out, line);
        AppendFolded(out, "DTSTAMP:" + nowUtc + "Z");
        out += "DTSTART:";
        out.append(start) += "\r\n";
        property("SUMMARY:", CellOf(row, SchedText));
        const std::string_view choice = CellOf(row, SchedChoice);
        std::string_view minutes;
        if (IsDigitRun(choice)) {
            minutes = choice.substr(std::min(choice.find_first_not_of('0'), choice.size() - 1));
            if (minutes.size() > MaxTriggerDigits)
                minutes = {};
        }
        if (!choice.empty() && minutes != choice)
            property("X-VELARMON-CHOICE:", choice);
        if (!CellOf(row, SchedMelody).empty())
            property("X-VELARMON-MELODY:", CellOf(row, SchedMelody));
        if (!minutes.empty()) {
            out += "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT";
            out.append(minutes) += "M\r\n";
            property("DESCRIPTION:", CellOf(row, SchedText));
            out += "END:VALARM\r\n";
        }
        out += "END:VEVENT\r\n";
    }
    out += "END:VCALENDAR\r\n";
    return result;
}

ImportedRows ReadICalendar(std::string_view file, const UtcToLocal& toLocal)
{
    ImportedRows result;
    const std::vector<ContentLine> lines = ReadContentLines(file);
    // Version 1.0 (vCalendar) has no backslash escapes in its texts.
    bool escaped = true;
    for (const ContentLine& line : lines)
        if (line.name == "VERSION") {
            escaped = Trimmed(line.value) != "1.0";
            break;
        }
    bool anyCalendar = false;
    std::vector<std::string> open;  // the components the line stands in, outermost first
    std::size_t tooDeep = 0;
    EventLines event;
    const auto finishEvent = [&] {
        result.rows.push_back(EventReader(toLocal, escaped).Read(event));
        event = EventLines();
    };
    for (const ContentLine& line : lines) {
        const std::string component = UpperCase(Trimmed(line.value));
        if (line.name == "BEGIN") {
            anyCalendar = anyCalendar || component == "VCALENDAR" || component == "VEVENT";
            // Components nested deeper than any calendar nests them are
            // only counted, so that an END never searches a long list.
            if (open.size() >= MaxNesting) {
                ++tooDeep;
                continue;
            }
            if (component == "VEVENT")
                event = EventLines();
            open.push_back(component);
        } else if (line.name == "END" && tooDeep > 0) {
            --tooDeep;
        } else if (line.name == "END") {
            // Closes the innermost component of that name, and any left open inside it.
            std::size_t k = open.size();
            while (k > 0 && open[k - 1] != component)
                --k;
            if (k == 0)
                continue;
            if (component == "VEVENT")
                finishEvent();
            if (component == "VALARM" && !open.empty() && k >= 2 && open[k - 2] == "VEVENT")
                event.alarmSeen = true;
            open.resize(k - 1);
        } else if (!open.empty() && open.back() == "VEVENT") {
            event.lines.push_back(&line);
        } else if (open.size() >= 2 && open.back() == "VALARM" && open[open.size() - 2] == "VEVENT") {
            if (line.name == "TRIGGER" && !event.alarmSeen && !event.trigger)
                event.trigger = &line;
        }
    }
    // An event the file breaks off is read as far as it goes.
    for (const std::string& component : open)
        if (component == "VEVENT") {
            finishEvent();
            break;
        }
    if (!anyCalendar)
        result.error = "В файле нет календаря iCalendar.";
    return result;
}
