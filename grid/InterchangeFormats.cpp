#include "grid/InterchangeFormats.h"

#include <cctype>

#include "grid/CsvFile.h"
#include "grid/ICalendarFile.h"
#include "grid/VCardFile.h"
#include "models/TableCatalogue.h"

namespace {
// The literals hold their terminating zeros; a std::string keeps them.
template <std::size_t N>
std::string Pairs(const char (&text)[N])
{
    return std::string(text, N - 1);
}

const char OfficeTypes[] = "Файлы Excel(*.xls)\0*.xls\0Файлы MS Word(*.rtf)\0*.rtf\0";
const char VCardType[] = "vCard (*.vcf)\0*.vcf\0";
const char ICalendarType[] = "iCalendar (*.ics)\0*.ics;*.vcs\0";
const char CsvType[] = "CSV (*.csv)\0*.csv\0";

bool SameLetters(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool IsTextTable(int kind)
{
    return kind == kPhoneBookKind || kind == kSchedulerKind || kind == kMemoKind;
}

// The first line's word after a byte-order mark and blank lines, as the
// interchange formats begin: "BEGIN:VCARD" or "BEGIN:VCALENDAR".
bool BeginsWith(std::string_view bytes, std::string_view word)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    while (!bytes.empty() && std::isspace(static_cast<unsigned char>(bytes.front())))
        bytes.remove_prefix(1);
    return bytes.size() >= word.size() && SameLetters(bytes.substr(0, word.size()), word);
}
}  // namespace

std::string ExportFilterOf(int kind)
{
    std::string filter = Pairs(OfficeTypes);
    if (kind == kPhoneBookKind)
        filter += Pairs(VCardType);
    if (kind == kSchedulerKind)
        filter += Pairs(ICalendarType);
    filter += Pairs(CsvType);
    return filter;
}

ExportFormat ExportFormatOf(std::string_view extension, int kind)
{
    if (extension == "xls")
        return ExportFormat::Xls;
    if (extension == "rtf")
        return ExportFormat::Rtf;
    if (kind == kPhoneBookKind && SameLetters(extension, "vcf"))
        return ExportFormat::VCard;
    if (kind == kSchedulerKind && SameLetters(extension, "ics"))
        return ExportFormat::ICalendar;
    if (SameLetters(extension, "csv"))
        return ExportFormat::Csv;
    return ExportFormat::None;
}

std::string ImportFilterOf(int kind)
{
    if (!IsTextTable(kind))
        return {};
    std::string filter;
    if (kind == kPhoneBookKind)
        filter += Pairs(VCardType);
    if (kind == kSchedulerKind)
        filter += Pairs(ICalendarType);
    return filter + Pairs(CsvType);
}

ImportedRows ReadInterchangeFile(std::string_view bytes, int kind, const std::vector<std::string>& columnTitles,
                                 const UtcToLocal& toLocal)
{
    ImportedRows refused;
    if (BeginsWith(bytes, "BEGIN:VCARD")) {
        if (kind == kPhoneBookKind)
            return ReadVCards(bytes, toLocal);
        refused.error = "Карточки vCard добавляются только в телефонную книгу.";
        return refused;
    }
    if (BeginsWith(bytes, "BEGIN:VCALENDAR")) {
        if (kind == kSchedulerKind)
            return ReadICalendar(bytes, toLocal);
        refused.error = "События iCalendar добавляются только в еженедельник.";
        return refused;
    }
    if (!IsTextTable(kind)) {
        refused.error = "В эту таблицу строки из файла не добавляются.";
        return refused;
    }
    return ReadCsv(bytes, columnTitles);
}
