#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "grid/XlsWriter.h"

// A phone book's sheet converted to CSV by LibreOffice: with every text cell
// quoted, what comes back unquoted was read as a number.
TEST(XlsReadback, LibreOfficeReadsPhoneNumbersAsTheirTextAndOnlyCanonicalNumbersAsNumbers)
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("velarmon_xls_" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const TableSnapshot book{"Phone book", "", {"Name", "Phone"},
                             {{"8-095-123-45-67", "0957001122"},
                              {"+7 916 000", "12345678901234567890"},
                              {"3,5", "-12.5"},
                              {"0", ""},
                              {"O'Brien", "1.50"}}};
    std::size_t rowsLeftOut = 0;
    std::ofstream(folder / "book.xls", std::ios::binary) << BuildXlsFile(book, rowsLeftOut);

    // Separator ",", quote '"', UTF-8, from line 1, every text quoted; numbers
    // written with a decimal point whatever the machine's locale.
    const std::string command = "LC_ALL=C.UTF-8 LANG=C.UTF-8 " + std::string(VELARMON_SOFFICE) +
                                " -env:UserInstallation=file://" +
                                (folder / "profile").string() +
                                " --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,true'" +
                                " --outdir " + folder.string() + " " + (folder / "book.xls").string() +
                                " >" + (folder / "soffice.log").string() + " 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    std::ifstream csv(folder / "book.csv", std::ios::binary);
    std::stringstream text;
    text << csv.rdbuf();
    EXPECT_EQ(text.str(),
              "\"Phone book\",\n"
              "\"Name\",\"Phone\"\n"
              "\"8-095-123-45-67\",\"0957001122\"\n"
              "\"+7 916 000\",\"12345678901234567890\"\n"
              "\"3,5\",-12.5\n"
              "0,\n"
              "\"O'Brien\",\"1.50\"\n");
    fs::remove_all(folder);
}
