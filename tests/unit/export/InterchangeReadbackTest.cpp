#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "grid/CsvFile.h"
#include "grid/ICalendarFile.h"
#include "grid/VCardFile.h"

// The interchange files as other programs read them: vCards by Debian's
// python3-vobject, iCalendar by python3-icalendar (the scripts next to this
// file print what they read), CSV by LibreOffice.
namespace {
namespace fs = std::filesystem;

std::string U8(std::u8string_view text, std::size_t times = 1)
{
    std::string repeated;
    for (std::size_t i = 0; i < times; ++i)
        repeated.append(text.begin(), text.end());
    return repeated;
}

class Readback : public testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() / ("velarmon_interchange_" + std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path Write(const std::string& name, const std::string& bytes)
    {
        std::ofstream(folder_ / name, std::ios::binary) << bytes;
        return folder_ / name;
    }

    static std::string Contents(const fs::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // What a script next to this file prints for `file`.
    std::string Script(const char* script, const fs::path& file)
    {
        const fs::path here = fs::path(__FILE__).parent_path();
        const std::string command = "/usr/bin/python3 " + (here / script).string() + " " + file.string() + " >" +
                                    (folder_ / "out.txt").string() + " 2>" + (folder_ / "err.txt").string();
        EXPECT_EQ(std::system(command.c_str()), 0) << Contents(folder_ / "err.txt");
        return Contents(folder_ / "out.txt");
    }

    fs::path folder_;
};
}  // namespace

TEST_F(Readback, VobjectReadsTheCards)
{
    const RowSet book = {
        {"Иванов Пётр", "+79161234567", "84951234567", "", "", "", "Коллега, отдел; этаж 3\r\nвторая строка",
         "Вторая заметка", "20050102T030405", "1"},
        {"O'Brien \"Bob\" \\ Jr.", "1", "2", "3", "4", "5", "", "", "2005", "2"},
        {std::string(30, 'ж') + " " + std::string(30, 'Ё'), "123", "", "", "", "", "", "только вторая"},
    };
    EXPECT_EQ(Script("read_vcards.py", Write("book.vcf", BuildVCards(book))),
              U8(u8"Иванов Пётр|TEL=+79161234567|TEL=84951234567|NOTE=Коллега, отдел; этаж 3/вторая строка|"
                 u8"NOTE=Вторая заметка|REV=2005-01-02T03:04:05\n"
                 u8"O'Brien \"Bob\" \\ Jr.|TEL=1|TEL=2|TEL=3|TEL=4|TEL=5\n") +
                  U8(u8"ж", 30) + " " + U8(u8"Ё", 30) + U8(u8"|TEL=123|NOTE=|NOTE=только вторая\n"));
}

TEST_F(Readback, PythonIcalendarReadsTheEvents)
{
    const RowSet scheduler = {
        {"20050307T090500", "15", "Встреча, кабинет; 5\r\nвзять папку", "Мелодия 3", "7"},
        {"20051231T235900", "", "Новый год", "", "8"},
        {"20050307T140000", "0", std::string(50, 'ю'), "", "9"},
        {"20050307", "5", "no start", "", "10"},
    };
    const ICalendarText calendar = BuildICalendar(scheduler, "20240301T120000");
    EXPECT_EQ(calendar.rowsLeftOut, 1u);
    EXPECT_EQ(Script("read_icalendar.py", Write("sched.ics", calendar.text)),
              U8(u8"sched-7@velarmon|20050307T090500|Встреча, кабинет; 5/взять папку|ALARM=15|MELODY=Мелодия 3\n"
                 u8"sched-8@velarmon|20051231T235900|Новый год\n"
                 u8"sched-9@velarmon|20050307T140000|") +
                  U8(u8"ю", 50) + "|ALARM=0\n");
}

// LibreOffice opens the file as a user would (separator ";", UTF-8, the
// columns as text so that numbers keep their leading zeros) and writes it
// again with tabs, every text quoted.
TEST_F(Readback, LibreOfficeReadsTheCsv)
{
    const TableSnapshot book{"", "", {"Имя", "Номер", "Заметка"},
                             {{"Иванов Пётр", "+79161234567", "две\r\nстроки"},
                              {"O'Brien \"Bob\"", "0957001122", "a;b, c"},
                              {" пробелы ", "", ""},
                              {"short"}}};
    const fs::path csv = Write("book.csv", BuildCsv(book));
    const std::string command = "LC_ALL=C.UTF-8 LANG=C.UTF-8 " + std::string(VELARMON_SOFFICE) +
                                " -env:UserInstallation=file://" + (folder_ / "profile").string() +
                                " --headless --infilter='CSV:59,34,76,1,1/2/2/2/3/2' " +
                                " --convert-to 'csv:Text - txt - csv (StarCalc):9,34,76,1,,0,true'" + " --outdir " +
                                (folder_ / "out").string() + " " + csv.string() + " >" +
                                (folder_ / "soffice.log").string() + " 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_EQ(Contents(folder_ / "out" / "book.csv"),
              U8(u8"\"Имя\"\t\"Номер\"\t\"Заметка\"\n"
                 u8"\"Иванов Пётр\"\t\"+79161234567\"\t\"две\nстроки\"\n"
                 u8"\"O'Brien \"\"Bob\"\"\"\t\"0957001122\"\t\"a;b, c\"\n"
                 u8"\" пробелы \"\t\t\n"
                 u8"\"short\"\t\t\n"));
}
