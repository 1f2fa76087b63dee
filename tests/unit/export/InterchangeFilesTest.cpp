#include <gtest/gtest.h>

#include "common/Cp1251Text.h"
#include "grid/ContentLines.h"
#include "grid/CsvFile.h"
#include "grid/ICalendarFile.h"
#include "grid/VCardFile.h"

namespace {
// UTF-8 input as the files hold it (the test's narrow literals are code page 1251).
std::string U8(std::u8string_view text)
{
    return {text.begin(), text.end()};
}

// UTC three hours behind local time, for the few moments the tests use.
bool Moscow(const std::string& utc, std::string& local)
{
    if (utc == "20050102T000405")
        local = "20050102T030405";
    else if (utc == "20240301T070000")
        local = "20240301T100000";
    else
        return false;
    return true;
}

std::vector<TextRow> CellsOf(const ImportedRows& read)
{
    std::vector<TextRow> rows;
    for (const ImportedRow& row : read.rows) {
        EXPECT_EQ(row.refusal, "") << (row.cells.empty() ? "" : row.cells[0]);
        rows.push_back(row.cells);
    }
    return rows;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        lines.push_back(text.substr(at, end - at));
        at = end == std::string::npos ? text.size() : end + 2;
    }
    return lines;
}
}  // namespace

TEST(Cp1251Text, EveryByteGoesToUtf8AndBackAndOnlyWellFormedUtf8ComesBack)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    std::string back;
    ASSERT_TRUE(Utf8ToCp1251(Cp1251ToUtf8(all), back));
    EXPECT_EQ(back, all);
    EXPECT_EQ(Cp1251ToUtf8("Ёж\x98\x88"), U8(u8"Ёж\xC2\x98€"));

    for (const char* bad : {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xD0", "\x80", "\xF8\x88"})
        EXPECT_FALSE(IsUtf8(bad) || Utf8ToCp1251(bad, back)) << bad;
    EXPECT_TRUE(IsUtf8(U8(u8"\xE4\xB8\xAD\xF4\x8F\xBF\xBF")));
    EXPECT_FALSE(Utf8ToCp1251(U8(u8"Иван \xE4\xB8\xAD"), back));  // well-formed, not in the code page

    TextCharset charset{};
    ASSERT_TRUE(CharsetByName("KOI8-R", charset));
    ASSERT_TRUE(ToCp1251("\xF0\xD2\xC9\xD7\xC5\xD4 \xB3", charset, back));
    EXPECT_EQ(back, "Привет Ё");
    EXPECT_TRUE(CharsetByName("Windows-1251", charset) && charset == TextCharset::Cp1251);
    EXPECT_TRUE(CharsetByName("utf-8", charset) && charset == TextCharset::Utf8);
    EXPECT_FALSE(CharsetByName("ISO-8859-5", charset));
}

TEST(ContentLines, FoldingKeepsLinesTo75OctetsWithoutSplittingACharacterAndUnfoldsBack)
{
    for (const std::string& value : {U8(u8"Ж").append(200, 'x'), std::string(1, 'a') + U8(u8"€Жx") + U8(u8"Ж€")}) {
        std::string text = U8(u8"NOTE:");
        for (int i = 0; i < 40; ++i)
            text += value;
        std::string out;
        AppendFolded(out, text);
        for (const std::string& line : Lines(out)) {
            EXPECT_LE(line.size(), 75u);
            EXPECT_TRUE(IsUtf8(line)) << line;
        }
        const std::vector<ContentLine> read = ReadContentLines(out);
        ASSERT_EQ(read.size(), 1u);
        EXPECT_EQ("NOTE:" + read[0].value, text);
    }
}

TEST(VCardFile, RowsGoToCardsAndBackCellForCell)
{
    const RowSet rows = {
        {"Иванов Пётр", "+7 916 123-45-67", "8(495)1234567", "", "", "", "Заметка, с запятой", "вторая; точка\r\nстрока",
         "20050102T030405", "17"},
        {"O'Brien \"Bob\", Jr.; \\x", "1,2;3", "2", "3", "4", "5", "", "only the second", "20050230T000000", "18"},
        {"Ёлка" + std::string(100, 'ж'), "123"},
        {"", "", "", "", "", "", "только первая"},
    };
    const std::string file = BuildVCards(rows);
    for (const std::string& line : Lines(file))
        EXPECT_LE(line.size(), 75u);
    EXPECT_NE(file.find("BEGIN:VCARD\r\nVERSION:3.0\r\n" + U8(u8"FN:Иванов Пётр\r\nN:Иванов Пётр;;;;\r\n") +
                        "TEL:+7 916 123-45-67\r\nTEL:8(495)1234567\r\n" + U8(u8"NOTE:Заметка\\, с запятой\r\n") +
                        U8(u8"NOTE:вторая\\; точка\\nстрока\r\nREV:2005-01-02T03:04:05\r\nEND:VCARD\r\n")),
              std::string::npos)
        << file;
    EXPECT_NE(file.find("TEL:1,2;3\r\n"), std::string::npos);

    const ImportedRows read = ReadVCards(file, Moscow);
    EXPECT_EQ(read.error, "");
    const std::vector<TextRow> expected = {
        {"Иванов Пётр", "+7 916 123-45-67", "8(495)1234567", "", "", "", "Заметка, с запятой",
         "вторая; точка\r\nстрока", "20050102T030405"},
        {"O'Brien \"Bob\", Jr.; \\x", "1,2;3", "2", "3", "4", "5", "", "only the second", ""},
        {"Ёлка" + std::string(100, 'ж'), "123", "", "", "", "", "", "", ""},
        {"", "", "", "", "", "", "только первая", "", ""},
    };
    EXPECT_EQ(CellsOf(read), expected);

    // A lone LF or CR comes back as CR LF, the edit boxes' line break.
    EXPECT_EQ(ReadVCards(BuildVCards({{"a\nb\rc"}}), Moscow).rows.at(0).cells[BookName], "a\r\nb\r\nc");
}

TEST(VCardFile, ReadsOldPhonesAndOutlookVersion21)
{
    const std::string file =
        "BEGIN:VCARD\r\nVERSION:2.1\r\n"
        "N;CHARSET=windows-1251;ENCODING=QUOTED-PRINTABLE:=C8=E2=E0=ED=EE=E2;=CF=B8=F2=F0\r\n"
        "TEL;CELL;PREF:+79161234567\r\nTEL;HOME;VOICE:4951234567\r\n"
        "NOTE;CHARSET=windows-1251;ENCODING=QUOTED-PRINTABLE:=C4=EB=E8=ED=ED=E0=FF =E7=E0=EC=E5=F2=EA=E0=0D=0A=\r\n"
        "=E2=F2=EE=F0=E0=FF =F1=F2=F0=EE=EA=E0=\r\n"
        " =E8 =EA=EE=ED=E5=F6\r\n"
        "REV:20050102T000405Z\r\n"
        "END:VCARD\r\n"
        "BEGIN:VCARD\nVERSION:2.1\nFN;CHARSET=KOI8-R:\xF0\xC5\xD4\xD2\xCF\xD7\nN:;;;;\n"
        "TEL;WORK:+7 (812) 000\nEND:VCARD\n"
        // No CHARSET: code page 1251 bytes, then UTF-8 ones; a card in an AGENT.
        "begin:vcard\r\nversion:2.1\r\nfn:\xD1\xE8\xE4\xEE\xF0\xEE\xE2\r\nAGENT:\r\nBEGIN:VCARD\r\nFN:x\r\nTEL:9\r\n"
        "END:VCARD\r\ntel:5\r\nnote:" + U8(u8"Жук; \\x") + "\r\nrev:2005-01-02\r\nend:vcard\r\n";
    const std::vector<TextRow> expected = {
        {"Пётр Иванов", "+79161234567", "4951234567", "", "", "", "Длинная заметка\r\nвторая строка и конец", "", "20050102T030405"},
        {"Петров", "+7 (812) 000", "", "", "", "", "", "", ""},
        {"Сидоров", "5", "", "", "", "", "Жук; \\x", "", "20050102T000000"},
    };
    EXPECT_EQ(CellsOf(ReadVCards(file, Moscow)), expected);
}

TEST(VCardFile, ReadsGoogleContactsVersion30)
{
    const std::string file = U8(u8"BEGIN:VCARD\r\nVERSION:3.0\r\nN:Смирнова;Анна;Сергеевна;;\r\n"
                                u8"item1.TEL;TYPE=CELL:+7 903 111-22-33\r\nitem1.X-ABLabel:мобильный\r\n"
                                u8"TEL;TYPE=\"WORK,VOICE\":+7 495 000\r\n"
                                u8"NOTE:Коллега\\, отдел продаж\\; этаж 3\\Nвторая строка с длинным текстом, к\r\n"
                                u8" оторый Google переносит\r\n\tпо строкам\r\n"
                                u8"REV:2024-03-01T07:00:00Z\r\nEND:VCARD\r\n");
    const std::vector<TextRow> expected = {
        {"Анна Сергеевна Смирнова", "+7 903 111-22-33", "+7 495 000", "", "", "",
         "Коллега, отдел продаж; этаж 3\r\nвторая строка с длинным текстом, который Google переноситпо строкам", "",
         "20240301T100000"}};
    EXPECT_EQ(CellsOf(ReadVCards(file, Moscow)), expected);
}

TEST(VCardFile, RefusesCardsItCannotTakeWholeAndFilesWithoutCards)
{
    const std::string file = U8(u8"BEGIN:VCARD\r\nFN:Шесть\r\nTEL:1\r\nTEL:2\r\nTEL:3\r\nTEL:4\r\nTEL:5\r\nTEL:6\r\nEND:VCARD\r\n"
                                u8"BEGIN:VCARD\r\nFN:Три\r\nNOTE:1\r\nNOTE:2\r\nNOTE:3\r\nEND:VCARD\r\n"
                                u8"BEGIN:VCARD\r\nFN:Иван \xE4\xB8\xAD\r\nEND:VCARD\r\n"
                                u8"BEGIN:VCARD\r\nVERSION:3.0\r\nN:;;;;\r\nREV:2005-01-02\r\nEND:VCARD\r\n"
                                u8"BEGIN:VCARD\r\nFN;CHARSET=ISO-8859-5:x\r\nEND:VCARD\r\n"
                                u8"BEGIN:VCARD\r\nFN:\xFF\r\nREV:yesterday\r\nEND:VCARD\r\n");
    const ImportedRows read = ReadVCards(file, Moscow);
    ASSERT_EQ(read.rows.size(), 6u);
    EXPECT_EQ(read.rows[0].refusal, "больше пяти номеров");
    EXPECT_EQ(read.rows[1].refusal, "больше двух заметок");
    EXPECT_EQ(read.rows[2].refusal, "знак, которого нет в кодировке 1251");
    EXPECT_EQ(read.rows[3].refusal, "пустая карточка");
    EXPECT_EQ(read.rows[4].refusal, "неизвестная кодировка");
    // A byte that is no UTF-8 is code page 1251; a time that is none is no stamp.
    EXPECT_EQ(read.rows[5].refusal, "");
    EXPECT_EQ(read.rows[5].cells, TextRow({"я", "", "", "", "", "", "", "", ""}));
    for (const ImportedRow& row : read.rows)
        EXPECT_EQ(row.cells.size(), std::size_t(BookColumns));
    EXPECT_NE(ReadVCards("FN:x\r\n", Moscow).error, "");
    EXPECT_EQ(ReadVCards("BEGIN:VCARD\r\nFN:x", Moscow).rows.at(0).cells[BookName], "x");
}

TEST(ICalendarFile, RowsGoToEventsAndBack)
{
    const RowSet rows = {
        {"20050307T090500", "15", "Встреча, кабинет; 5\r\nвзять \\ папку", "Мелодия 3", "7"},
        {"20051231T235900", "", "Новый год", "", "8"},
        {"20050307T140000", "0"},
        {"20050307T140000", "05", "", "bell"},
        {"20050307T140000", "каждый день", "x"},
        {"2005", "5", "no start", "", "9"},
        {"20050230T000000", "5"},
    };
    const ICalendarText out = BuildICalendar(rows, "20240301T120000");
    EXPECT_EQ(out.rowsLeftOut, 2u);
    EXPECT_EQ(out.text.rfind("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//VelarMon//VelarMon//RU\r\nCALSCALE:GREGORIAN\r\n", 0), 0u);
    EXPECT_NE(out.text.find("BEGIN:VEVENT\r\nUID:sched-7@velarmon\r\nDTSTAMP:20240301T120000Z\r\n"
                            "DTSTART:20050307T090500\r\n" +
                            U8(u8"SUMMARY:Встреча\\, кабинет\\; 5\\nвзять \\\\ папку\r\nX-VELARMON-MELODY:Мелодия 3\r\n") +
                            "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\n"),
              std::string::npos)
        << out.text;
    EXPECT_NE(out.text.find("X-VELARMON-CHOICE:05\r\n"), std::string::npos);
    EXPECT_EQ(out.text.find("END:VEVENT\r\nEND:VCALENDAR\r\n"), out.text.size() - 27);

    const RowSet expected = {
        {"20050307T090500", "15", "Встреча, кабинет; 5\r\nвзять \\ папку", "Мелодия 3"},
        {"20051231T235900", "", "Новый год", ""},
        {"20050307T140000", "0", "", ""},
        {"20050307T140000", "05", "", "bell"},
        {"20050307T140000", "каждый день", "x", ""},
    };
    EXPECT_EQ(CellsOf(ReadICalendar(out.text, Moscow)), expected);
}

TEST(ICalendarFile, ReadsStartsAndRemindersOfOtherCalendars)
{
    const std::string file = U8(
        u8"BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VTIMEZONE\r\nTZID:Europe/Moscow\r\nBEGIN:STANDARD\r\n"
        u8"DTSTART:19700101T000000\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
        u8"BEGIN:VTODO\r\nDTSTART:20050101T000000\r\nSUMMARY:todo\r\nEND:VTODO\r\n"
        u8"BEGIN:VEVENT\r\nDTSTART;TZID=Europe/Moscow:20240301T100000\r\nSUMMARY:Обед\r\n"
        u8"BEGIN:VALARM\r\nTRIGGER:-PT1H\r\nEND:VALARM\r\nBEGIN:VALARM\r\nTRIGGER:-PT5M\r\nEND:VALARM\r\nEND:VEVENT\r\n"
        u8"BEGIN:VEVENT\r\ndtstart:20240301T070000Z\r\nsummary:UTC\r\nBEGIN:VALARM\r\nTRIGGER;RELATED=START:-P1DT2H30M\r\n"
        u8"END:VALARM\r\nEND:VEVENT\r\n"
        u8"BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20240308\r\nSUMMARY:День\r\nBEGIN:VALARM\r\nTRIGGER:PT0S\r\n"
        u8"END:VALARM\r\nEND:VEVENT\r\n"
        u8"BEGIN:VEVENT\r\nDTSTART:20240308T120000\r\nBEGIN:VALARM\r\nTRIGGER:PT15M\r\nEND:VALARM\r\nEND:VEVENT\r\n"
        u8"BEGIN:VEVENT\r\nDTSTART:20240308T120000\r\nBEGIN:VALARM\r\nTRIGGER;VALUE=DATE-TIME:20240308T110000Z\r\n"
        u8"END:VALARM\r\nEND:VEVENT\r\n"
        u8"BEGIN:VEVENT\r\nSUMMARY:без даты\r\nEND:VEVENT\r\n"
        u8"BEGIN:VEVENT\r\nDTSTART:20240308T120000\r\nSUMMARY:\xE4\xB8\xAD\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    const ImportedRows read = ReadICalendar(file, Moscow);
    ASSERT_EQ(read.rows.size(), 7u);
    const RowSet expected = {
        {"20240301T100000", "60", "Обед", ""},   {"20240301T100000", "1590", "UTC", ""},
        {"20240308T000000", "0", "День", ""},    {"20240308T120000", "", "", ""},
        {"20240308T120000", "", "", ""},
    };
    EXPECT_EQ(CellsOf(ImportedRows{std::vector<ImportedRow>(read.rows.begin(), read.rows.begin() + 5), ""}), expected);
    EXPECT_EQ(read.rows[5].refusal, "нет даты начала");
    EXPECT_EQ(read.rows[6].refusal, "знак, которого нет в кодировке 1251");

    // vCalendar 1.0: quoted-printable texts, the alarm at a time of its own.
    const ImportedRows old = ReadICalendar(
        "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\n"
        "SUMMARY;CHARSET=WINDOWS-1251;ENCODING=QUOTED-PRINTABLE:=C7=E2=EE=ED=EE=EA \\=\r\n=E4=F0=F3=E3=F3\r\n"
        "DTSTART:20050307T090000\r\nDALARM:20050307T084500;PT5M;2;\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n",
        Moscow);
    EXPECT_EQ(CellsOf(old), RowSet({{"20050307T090000", "15", "Звонок \\другу", ""}}));

    EXPECT_NE(ReadICalendar("BEGIN:VCARD\r\nEND:VCARD\r\n", Moscow).error, "");
    EXPECT_EQ(ReadICalendar("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n", Moscow).error, "");
}

TEST(CsvFile, TablesGoToCsvAndBackCellForCell)
{
    const std::vector<std::string> titles = {"Имя", "Номер; первый", " Заметка ", "\"Q\""};
    const RowSet rows = {
        {"Иванов", "+7 916", "две\r\nстроки", "\"в кавычках\""},
        {" пробелы ", "a;b", "lf\nonly", ""},
        {"", "", "", ""},
        {"short"},
        {"x", "y", "z", "w", "beyond the titles"},
    };
    const std::string file = BuildCsv(TableContents("t", "n", titles, rows));
    EXPECT_EQ(file.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(Lines(file.substr(3))[0], U8(u8"Имя;\"Номер; первый\";\" Заметка \";\"\"\"Q\"\"\""));
    EXPECT_NE(file.find(U8(u8"\r\n\" пробелы \";\"a;b\";\"lf\nonly\";\r\n;;;\r\nshort;;;\r\nx;y;z;w\r\n")),
              std::string::npos);
    RowSet expected = rows;
    expected[3].resize(4);
    expected[4].resize(4);
    EXPECT_EQ(CellsOf(ReadCsv(file, titles)), expected);

    // One column: an empty cell is quoted so that its line is not blank.
    const RowSet single = {{""}, {"a,b"}, {""}};
    EXPECT_EQ(CellsOf(ReadCsv(BuildCsv(TableContents("", "", {"x,y"}, single)), {"x,y"})), single);
}

TEST(CsvFile, ReadsOtherProgramsFilesByTheirHeader)
{
    const std::vector<std::string> titles = {"Имя", "Номер", "Заметка"};
    // Code page 1251 without a mark, commas, a column the table lacks, the
    // columns in another order, no line end at the end.
    EXPECT_EQ(CellsOf(ReadCsv("Номер , Город,Имя\n123,Москва,\"Петров, Иван\"\n\n456,,\"Ли\"\"\"", titles)),
              RowSet({{"Петров, Иван", "123", ""}, {"Ли\"", "456", ""}}));
    // UTF-8 without a mark, tabs; Excel's "sep=" line.
    EXPECT_EQ(CellsOf(ReadCsv(U8(u8"Заметка\tИмя\r\nа;б\tЁ\r\n"), titles)), RowSet({{"Ё", "", "а;б"}}));
    EXPECT_EQ(CellsOf(ReadCsv("sep=,\r\nИмя,Номер;x\r\n1;2,3\r\n", titles)), RowSet({{"1;2", "", ""}}));

    const ImportedRows refused = ReadCsv(U8(u8"\uFEFFИмя\r\nИван \xE4\xB8\xAD\r\n\xFF\r\n"), titles);
    ASSERT_EQ(refused.rows.size(), 2u);
    EXPECT_EQ(refused.rows[0].refusal, "знак, которого нет в кодировке 1251");
    EXPECT_EQ(refused.rows[1].refusal, "неверные байты UTF-8");
    EXPECT_NE(ReadCsv("a;b\r\n1;2\r\n", titles).error, "");
    EXPECT_NE(ReadCsv("", titles).error, "");
}
