"""Tables out to vCard, iCalendar and CSV files and back in through the real
program's file dialogs: every cell comes back as it was, and files written
by other programs (an old phone or Outlook, Google Contacts) come in."""

import sqlite3
import time

import transfers as t
import upload_steps as u
import vmharness as h

EXPORT_DIALOG = "title:Экспорт таблицы в MS Excel (*.xls) или MS Word (*.rtf):"
IMPORT_DIALOG = "title:Импорт из файла vCard (*.vcf), iCalendar (*.ics) или CSV (*.csv):"
BOOK = (h.ID["IDM_PHONEBOOK"], "Телефонная книга", "phbook")
SCHEDULER = (h.ID["IDM_SCHEDULER"], "Еженедельник", "sched")
MEMOS = (h.ID["IDM_MEMO"], "Заметки", "memo")

BOOK_ROWS = [
    ("Иванов Иван", "0951234567", "0957001122", "", "", "", 'Работа, "ООО Ромашка"', "a;b\\c", "20050102T030405", 1),
    ("O'Brien, John", "+1 555 0100", "", "", "", "", "Строка 1\r\nСтрока 2", "", "20061231T235959", 2),
    ("Пять номеров", "1", "2", "3", "4", "5", "", "Второй текст", "", 7),
]
SCHEDULER_ROWS = [
    ("20050307T140000", "15", "Встреча; офис", "Мелодия 1", 0),
    ("20050308T090000", "", "Call, back", "", 3),
    ("20051231T235900", "0", "Новый год\r\nи ёлка", "", 7),
]
MEMO_ROWS = [
    ("20050305T121500", 'Купить "хлеб"; молоко', 0),
    ("20050306T080000", "", 1),
]

# As Outlook and old phones write them: version 2.1, code page 1251 texts in
# quoted-printable with soft line breaks, bare parameters.
OUTLOOK_CARDS = (
    "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=windows-1251;ENCODING=QUOTED-PRINTABLE:=CF=E5=F2=F0=EE=E2;=CF=B8=F2=F0\r\n"
    "FN;CHARSET=windows-1251;ENCODING=QUOTED-PRINTABLE:=CF=B8=F2=F0 =CF=E5=F2=F0=EE=E2\r\n"
    "TEL;CELL;PREF:+79161234567\r\nTEL;WORK;VOICE:(495) 123-45-67\r\n"
    "NOTE;CHARSET=windows-1251;ENCODING=QUOTED-PRINTABLE:=C4=F0=F3=E3 =E4=E5=F2=F1=F2=E2=E0, =E2=EC=E5=F1=F2=\r\n"
    "=E5 =F1=EB=F3=E6=E8=EB=E8\r\nREV:20070315T101500Z\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Taxi\r\nTEL;HOME:0958888888\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Many numbers\r\n" + "".join(f"TEL:{n}\r\n" for n in range(6)) +
    "END:VCARD\r\n").encode("ascii")
# As Google Contacts writes a contact: version 3.0, UTF-8, grouped and typed
# numbers, an escaped comma, a folded line.
GOOGLE_CARD = (
    "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Анна Смирнова\r\nN:Смирнова;Анна;;;\r\n"
    "item1.TEL;TYPE=CELL:+7 916 000-00-01\r\nitem1.X-ABLabel:Мобильный\r\n"
    "NOTE:Соседка\\, кв. 5\r\n"
    "X-LONG:ааааааааааааааааааааааааааааааааааааааааааааа\r\n ааа\r\nEND:VCARD\r\n").encode("utf-8")


def fill(s):
    db = sqlite3.connect(s.database)
    with db:
        for table, rows in (("phbook", BOOK_ROWS), ("sched", SCHEDULER_ROWS), ("memo", MEMO_ROWS)):
            for row in rows:
                cells = [c.encode("cp1251") for c in row[:-1]]
                db.execute(f"INSERT INTO {table} VALUES (" + "CAST(? AS TEXT), " * len(cells) + "?)",
                           cells + [row[-1]])
    db.close()


def cells(s, table):
    """The table's rows in id order without their ids."""
    return [row[:-1] for row in t.rows(s, table)]


class Interchange(t.TransferTest):
    def start_with_tables(self):
        return self.start(None, prepare=fill)

    def export(self, s, path):
        s.ok("post", h.FRAME, h.ID["IDM_EXPORT"])
        u.choose(s, EXPORT_DIALOG, path)
        deadline = time.monotonic() + 30
        while not path.exists() or path.stat().st_size == 0:
            self.assertLess(time.monotonic(), deadline, f"{path.name} was not written")
            time.sleep(0.1)

    def import_file(self, s, path):
        """Imports the file; the text and icon of the box that ends it."""
        s.ok("post", h.FRAME, h.ID["IDM_IMPORT"])
        u.choose(s, IMPORT_DIALOG, path)
        box = s.msgbox(timeout_ms=60000)
        s.answer(box, 1)
        self.assertEqual(box.caption, t.CAPTION)
        return box.text, box.icon

    def test_every_table_goes_out_and_comes_back_into_an_empty_table_cell_for_cell(self):
        s = self.start_with_tables()
        for (command, caption, table), extension in ((BOOK, "vcf"), (BOOK, "csv"), (SCHEDULER, "ics"),
                                                     (SCHEDULER, "csv"), (MEMOS, "csv")):
            with self.subTest(table=table, file=extension):
                original = cells(s, table)
                window = self.open_table(s, command, caption)
                path = s.dir / f"{table}.{extension}"
                self.export(s, path)
                s.ok("post", h.FRAME, t.CLOSE_TABLE)
                s.ok("gone", window)
                t.update(s, f"DELETE FROM {table}")
                window = self.open_table(s, command, caption)
                text, icon = self.import_file(s, path)
                self.assertEqual((text, icon), (f"Добавлено строк: {len(original)}.\n"
                                                "Пропущено (такие строки уже есть в таблице): 0.\n"
                                                "Не добавлено: 0.", "information"))
                self.assertEqual(cells(s, table), original)
                s.ok("post", h.FRAME, t.CLOSE_TABLE)
                s.ok("gone", window)

    def test_cards_as_outlook_and_google_write_them_come_into_the_phone_book(self):
        s = self.start_with_tables()
        t.update(s, "DELETE FROM phbook")
        (s.dir / "outlook.vcf").write_bytes(OUTLOOK_CARDS)
        (s.dir / "google.vcf").write_bytes(GOOGLE_CARD)
        self.open_table(s, BOOK[0], BOOK[1])
        text, icon = self.import_file(s, s.dir / "outlook.vcf")
        self.assertTrue(text.startswith("Добавлено строк: 2.\nПропущено (такие строки уже есть в таблице): 0.\n"
                                        "Не добавлено: 1.\n\nЗапись 3: "), text)
        self.assertEqual(icon, "warning")
        self.assertEqual(self.import_file(s, s.dir / "google.vcf")[1], "information")
        rows = cells(s, "phbook")
        self.assertEqual([r[:3] + r[6:8] for r in rows], [
            ("Пётр Петров", "+79161234567", "(495) 123-45-67", "Друг детства, вместе служили", ""),
            ("Taxi", "0958888888", "", "", ""),
            ("Анна Смирнова", "+7 916 000-00-01", "", "Соседка, кв. 5", ""),
        ])
        # The revision in UTC became a local time stamp of the same form.
        self.assertRegex(rows[0][8], r"^2007031\dT\d{6}$")


if __name__ == "__main__":
    h.main()
