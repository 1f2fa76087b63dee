"""The phone book between the real program and the simulated phone: a read of
twelve entries in thirty positions, the write back with a nameless row, an
empty stamp and a refused row, the failures of a read (a refused position, an
entry cut short) and of the erase, and a name edited in place that then
reaches the phone."""

import time

import transfers as t
import vmharness as h

PHONE_BOOK = h.ID["IDM_PHONEBOOK"]
EDITOR = h.ID["IDC_EDITOR_TEXT"]
TITLE = "Телефонная книга"
POSITIONS = [1, 2, 3, 5, 8, 9, 12, 15, 20, 21, 27, 30]
NAMES = ["Иванов Иван", "Мама", "Петров Пётр", "Сидорова Анна", "Такси", "Ёлкин Юрий", "Щукин", "Office",
         "Жанна Э.", "Доктор Айболит", "Школа №5", "Яна"]


def entry(i, pos):
    numbers = [f"09{pos:02d}{k}00{i:03d}" for k in range(1, 6)]
    if pos == 3:
        numbers[2] = "+74951234567"
    return {"pos": pos, "name": NAMES[i], "numbers": numbers, "kinds": ["1", "2", "3", "4"],
            "text1": f"адрес {pos}", "text2": f"заметка №{pos}",
            "stamp": f"2005{i % 12 + 1:02d}{pos:02d}T1{i % 10}3000"}


BOOK = [entry(i, pos) for i, pos in enumerate(POSITIONS)]


def state(book, capacity):
    return {"key": "0471", "limits": {"phonebook": capacity}, "phonebook": book}


def table_row(e):
    numbers = ["" if n.startswith("+") else n for n in e["numbers"]]
    return (e["name"], *numbers, e["text1"], e["text2"], e["stamp"], e["pos"])


def phone_row(e):
    return (e["name"], *e["numbers"], e["text1"], e["text2"], e["stamp"], e["pos"])


def write_command(row):
    name, numbers, text1, text2, stamp, pos = row[0], row[1:6], row[6], row[7], row[8], row[9]
    return f'AT#PBOKW=0,0,{pos},"{name}"' + "".join(f",{n}," for n in numbers) + f'"{text1}","{text2}",{stamp}'


class PhoneBookTransfer(t.TransferTest):
    def test_read_fills_the_table_and_the_write_brings_it_back(self):
        s = self.start(state(BOOK, 30), rules=["delay,ms=3000 AT#PBOKR=16"])
        before = self.open_table(s, PHONE_BOOK, TITLE)
        s.ok("post", h.FRAME, t.RECEIVE)
        s.ok("gone", before)
        dialog = s.ok("wait", t.PROGRESS)
        # Halfway: position 15 of 30 is shown while the phone is slow with 16.
        while b"AT#PBOKR=16" not in s.sim.commands():
            time.sleep(0.1)
        time.sleep(1)
        self.assertAlmostEqual(t.progress_fill(s, f"{dialog}/{h.ID['IDC_PROGRESS_BAR']}", "halfway"), 0.5, delta=0.06)
        s.ok("gone", t.PROGRESS, timeout_ms=120000)
        self.table_window(s, TITLE)

        self.assertEqual(t.rows(s, "phbook"), [table_row(e) for e in BOOK])
        self.assertEqual(t.commands(s, b"AT#PB"), ["AT#PBSEL?"] + [f"AT#PBOKR={i}" for i in range(1, 31)])
        self.assertEqual(t.commands(s, b"AT#PCKEY="), ["AT#PCKEY=471"])

        # A nameless row, a row without a stamp and one the phone refuses.
        t.update(s, "UPDATE phbook SET name='' WHERE id=2")
        t.update(s, "UPDATE phbook SET stamp='' WHERE id=3")
        s.sim.set_rules(["error AT#PBOKW=0,0,5,*"])
        self.reopen_table(s, PHONE_BOOK, TITLE)
        table = t.rows(s, "phbook")
        started = time.strftime("%Y%m%dT%H%M%S")
        s.ok("post", h.FRAME, t.WRITE)
        s.ok("wait", t.PROGRESS)
        refused = table[3]
        self.expect_box(s, "Отладка", "".join(f"{cell}\n" for cell in refused), "none")
        s.ok("gone", t.PROGRESS, timeout_ms=120000)
        ended = time.strftime("%Y%m%dT%H%M%S")

        written = t.commands(s, b"AT#PBOKW=")
        stamp = next(c for c in written if c.startswith("AT#PBOKW=0,0,3,"))[-15:]
        self.assertTrue(started <= stamp <= ended, stamp)
        expected = [r if r[9] != 3 else r[:8] + (stamp, 3) for r in table if r[9] != 2]
        self.assertEqual(written, ["AT#PBOKW=D"] + [write_command(r) for r in expected])
        self.assertEqual(t.commands(s, b"AT#PB")[-3:], ["AT#PBEND=E", "at#pbmnw=d", "at#pbsyn=s"])
        on_phone = [phone_row(e) for e in s.sim.state()["phonebook"]]
        self.assertEqual(on_phone, [r for r in expected if r[9] != 5])
        # The stamp went into the window's row only.
        self.assertEqual(t.rows(s, "phbook"), table)

        # Written again, the row carries the same stamp: the window kept it.
        s.sim.set_rules([])
        time.sleep(1)
        self.exchange(s, t.WRITE)
        again = t.commands(s, b"AT#PBOKW=")[len(written):]
        self.assertEqual(again, written)
        s.screenshot("written")

    def test_a_failed_read_keeps_what_it_read_and_a_failed_erase_writes_nothing(self):
        s = self.start(state(BOOK[:5], 8), rules=["error AT#PBOKR=4"])
        self.open_table(s, PHONE_BOOK, TITLE)
        s.ok("post", h.FRAME, t.RECEIVE)
        s.ok("wait", t.PROGRESS)
        self.expect_box(s, t.CAPTION, t.EXCHANGE_FAILED, "error")
        s.ok("gone", t.PROGRESS, timeout_ms=60000)
        self.table_window(s, TITLE)
        self.assertEqual(t.rows(s, "phbook"), [table_row(e) for e in BOOK[:3]])
        self.assertEqual(t.commands(s, b"AT#PBOKR=")[-1], "AT#PBOKR=4")

        # An entry that stops inside its name: its "#PBOKR:" satisfied the
        # exchange, the rest never comes, and the box says where the read ended.
        s.sim.set_rules(['raw,data=\\r\\n#PBOKR:\\s0\\,0\\,4\\,"Si AT#PBOKR=4'])
        s.ok("post", h.FRAME, t.RECEIVE)
        s.ok("wait", t.PROGRESS)
        self.expect_box(s, t.CAPTION, "Чтение с телефона прервано на позиции 4: запись телефона не удалось разобрать.\n"
                        "Таблица неполная: в ней только записи до этой позиции.", "error")
        s.ok("gone", t.PROGRESS, timeout_ms=60000)
        self.table_window(s, TITLE)
        self.assertEqual(t.rows(s, "phbook"), [table_row(e) for e in BOOK[:3]])
        self.assertEqual(t.commands(s, b"AT#PBOKR=")[-1], "AT#PBOKR=4")

        s.sim.set_rules(["error AT#PBOKW=D"])
        s.ok("post", h.FRAME, t.WRITE)
        s.ok("wait", t.PROGRESS)
        self.expect_box(s, t.CAPTION, t.EXCHANGE_FAILED, "error", button=t.YES)
        s.ok("gone", t.PROGRESS, timeout_ms=60000)
        self.assertEqual(t.commands(s, b"AT#PBOKW="), ["AT#PBOKW=D"])
        self.assertEqual(t.commands(s, b"AT#PBOKR=")[-1], "AT#PBOKR=4")
        self.assertNotIn("AT#PBEND=E", t.commands(s, b"AT#PBEND"))
        self.assertEqual([phone_row(e) for e in s.sim.state()["phonebook"]], [phone_row(e) for e in BOOK[:5]])

    def test_a_name_edited_in_place_reaches_the_phone(self):
        s = self.start(state(BOOK[:3], 4))
        self.open_table(s, PHONE_BOOK, TITLE)
        self.exchange(s, t.RECEIVE)
        window = self.table_window(s, TITLE)
        # Typing on the first name opens its field; Enter stores what it holds.
        s.ok("char", window, "X")
        self.assertEqual(s.ok("dlgtext", window, EDITOR), "X")
        s.ok("settext", window, EDITOR, "Новое имя")
        s.ok("key", f"{window}/{EDITOR}", 13)
        s.ok("gone", f"{window}/{EDITOR}")
        self.assertEqual(t.rows(s, "phbook")[0][0], "Новое имя")

        self.exchange(s, t.WRITE)
        on_phone = [phone_row(e) for e in s.sim.state()["phonebook"]]
        self.assertEqual([r[0] for r in on_phone], ["Новое имя", "Мама", "Петров Пётр"])


if __name__ == "__main__":
    h.main()
