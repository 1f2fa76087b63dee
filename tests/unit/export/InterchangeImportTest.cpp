#include <gtest/gtest.h>

#include "grid/ImportSummary.h"
#include "grid/InterchangeFormats.h"
#include "models/TableCatalogue.h"

namespace {
std::vector<std::string> Patterns(const std::string& filter)
{
    std::vector<std::string> parts;
    for (std::size_t at = 0; at < filter.size(); at = filter.find('\0', at) + 1)
        parts.push_back(filter.substr(at, filter.find('\0', at) - at));
    std::vector<std::string> patterns;
    for (std::size_t i = 1; i < parts.size(); i += 2)
        patterns.push_back(parts[i]);
    return patterns;
}

bool NoTime(const std::string&, std::string&)
{
    return false;
}
}  // namespace

// Excel and Word stay first; vCard only for the phone book, iCalendar only
// for the scheduler, CSV for all; the media lists take no imports.
TEST(InterchangeFormats, EachTableOffersItsOwnFileTypes)
{
    using P = std::vector<std::string>;
    EXPECT_EQ(Patterns(ExportFilterOf(kPhoneBookKind)), (P{"*.xls", "*.rtf", "*.vcf", "*.csv"}));
    EXPECT_EQ(Patterns(ExportFilterOf(kSchedulerKind)), (P{"*.xls", "*.rtf", "*.ics;*.vcs", "*.csv"}));
    EXPECT_EQ(Patterns(ExportFilterOf(kPhotoKind)), (P{"*.xls", "*.rtf", "*.csv"}));
    EXPECT_EQ(Patterns(ImportFilterOf(kPhoneBookKind)), (P{"*.vcf", "*.csv"}));
    EXPECT_EQ(Patterns(ImportFilterOf(kMemoKind)), (P{"*.csv"}));
    EXPECT_EQ(ImportFilterOf(kMovieKind), "");

    EXPECT_EQ(ExportFormatOf("xls", kMemoKind), ExportFormat::Xls);
    EXPECT_EQ(ExportFormatOf("XLS", kMemoKind), ExportFormat::None);
    EXPECT_EQ(ExportFormatOf("VCF", kPhoneBookKind), ExportFormat::VCard);
    EXPECT_EQ(ExportFormatOf("vcf", kSchedulerKind), ExportFormat::None);
    EXPECT_EQ(ExportFormatOf("ics", kSchedulerKind), ExportFormat::ICalendar);
    EXPECT_EQ(ExportFormatOf("Csv", kPhotoKind), ExportFormat::Csv);
}

// The file's first line decides its kind, whatever its name; a kind the
// table cannot take is refused as a whole.
TEST(InterchangeFormats, AFileIsReadAsItsFirstLineShowsAndOnlyIntoItsTable)
{
    const std::string card = "\xEF\xBB\xBF\r\nbegin:vcard\r\nVERSION:3.0\r\nFN:A\r\nEND:VCARD\r\n";
    EXPECT_EQ(ReadInterchangeFile(card, kPhoneBookKind, {}, NoTime).rows.size(), 1u);
    EXPECT_EQ(ReadInterchangeFile(card, kMemoKind, {}, NoTime).error,
              "Карточки vCard добавляются только в телефонную книгу.");
    const std::string calendar = "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n";
    EXPECT_EQ(ReadInterchangeFile(calendar, kPhoneBookKind, {}, NoTime).error,
              "События iCalendar добавляются только в еженедельник.");
    const ImportedRows csv = ReadInterchangeFile("Время;Текст\r\n1;2\r\n", kMemoKind, {"Время", "Текст"}, NoTime);
    ASSERT_EQ(csv.rows.size(), 1u);
    EXPECT_EQ(csv.rows[0].cells, (TextRow{"1", "2"}));
    EXPECT_FALSE(ReadInterchangeFile("a;b\r\n", kPhotoKind, {"a", "b"}, NoTime).error.empty());
}

// Rows are numbered as they stand in the file, the reader's refusals among
// the table's; a long list of reasons is cut short and counted.
TEST(ImportSummary, CountsEveryRowAndNumbersTheRefusedOnesAsInTheFile)
{
    ImportedRows read;
    read.rows = {{{"a"}, ""}, {{}, "пустая карточка"}, {{"b"}, ""}, {{"c"}, ""}};
    const ImportSummary summary = SummariseImport(
        read, {{ImportOutcome::Added, ""}, {ImportOutcome::Skipped, ""}, {ImportOutcome::Refused, "нет места"}});
    EXPECT_TRUE(summary.anyRefused);
    EXPECT_EQ(summary.text,
              "Добавлено строк: 1.\nПропущено (такие строки уже есть в таблице): 1.\nНе добавлено: 2.\n\n"
              "Запись 2: пустая карточка.\nЗапись 4: нет места.");

    ImportedRows many;
    many.rows.assign(ImportReasonsShown + 3, ImportedRow{{}, "x"});
    const std::string text = SummariseImport(many, {}).text;
    EXPECT_NE(text.find("Запись 10: x.\n...и ещё 3."), std::string::npos) << text;
    EXPECT_EQ(text.find("Запись 11"), std::string::npos);

    EXPECT_FALSE(SummariseImport({}, {}).anyRefused);
}
