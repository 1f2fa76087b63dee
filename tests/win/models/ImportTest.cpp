#include <cstdio>
#include <fstream>

#include "TableFixture.h"
#include "support/MessageBoxWatcher.h"

namespace {
std::string Utf8(const char8_t* text)
{
    return reinterpret_cast<const char*>(text);
}
}  // namespace

// A CSV file imported into the phone book: new rows go into the database
// with the next ids and show at the end of the window; a row already there
// is skipped, rows that do not fit are left out, and one box owned by the
// frame tells it all.
TEST_F(TableTest, AnImportAddsTheNewRowsAndReportsTheRestInOneBox)
{
    database->Run("INSERT INTO phbook VALUES ('Мама', '0951110000', '', '', '', '', '', '', '', 5)");
    ASSERT_TRUE(Start());
    TableModel* book = Open(IDM_PHONEBOOK);
    ASSERT_NE(book, nullptr);

    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    const std::string path = std::string(folder) + "velarmon_import.csv";
    std::ofstream(path, std::ios::binary)
        << Utf8(u8"\uFEFFНомер 1;Имя;Непонятный столбец\r\n"
                u8"0951110000;Мама;x\r\n"
                u8"0957;\"Петров; Пётр\";\r\n"
                u8";Smile \u263A;\r\n"
                u8"1;Очень длинное имя, которое не помещается;\r\n"
                u8"0958;Такси;\r\n");

    MessageBoxWatcher watcher;
    GridOf(*book)->ImportFrom(path.c_str());
    std::remove(path.c_str());

    EXPECT_EQ(database->Query("SELECT name, phone1, info1, id FROM phbook ORDER BY id"),
              (RowSet{{"Мама", "0951110000", "", "5"}, {"Петров; Пётр", "0957", "", "6"}, {"Такси", "0958", "", "7"}}));
    ASSERT_EQ(book->Rows().size(), 3u);
    EXPECT_EQ(book->Rows()[2], (TextRow{"Такси", "0958", "", "", "", "", "", "", "", "7"}));
    EXPECT_EQ(GridOf(*book)->CurrentRow(), 1);

    const std::vector<SeenWindow> boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Сообщение программы VelarMon:");
    EXPECT_EQ(boxes[0].icon, "warning");
    EXPECT_EQ(boxes[0].owner, frame);
    EXPECT_EQ(boxes[0].text.rfind("Добавлено строк: 2.\nПропущено (такие строки уже есть в таблице): 1.\n"
                                  "Не добавлено: 2.\n\nЗапись 3: ",
                                  0),
              0u)
        << boxes[0].text;
    EXPECT_NE(boxes[0].text.find("\nЗапись 4: «Имя»: знаков 40, в столбце помещается 32."), std::string::npos)
        << boxes[0].text;
}
