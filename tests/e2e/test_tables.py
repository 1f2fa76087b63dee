"""The five table windows of the real program over a database filled with the
simulated phone's records: each command opens its window once, the phone
book shows its Cyrillic rows, and the close commands empty the client."""

import json
import sqlite3
from collections import Counter
import subprocess
import time

import vmharness as h

DEMO_PHONE = h.ROOT / "tools" / "phonesim" / "demo_phone.json"
CLIENT = f"{h.FRAME}/{h.ID['IDC_MDI_CLIENT']}"
TOOL_BAR = f"{h.FRAME}/{h.ID['IDC_TOOLBAR']}"
TABLES = [(h.ID["IDM_PHONEBOOK"], "Телефонная книга"), (h.ID["IDM_SCHEDULER"], "Еженедельник"),
          (h.ID["IDM_MEMO"], "Заметки"), (h.ID["IDM_PHOTOS"], "Фотографии"), (h.ID["IDM_MOVIES"], "Фильмы")]


def fill_database(path, phone):
    """Writes the phone's records into the database as the phone transfers
    do: code page 1251 texts, ids from the phone's positions."""
    def text(value):
        # The program's texts are code page 1251 bytes stored as they are.
        return str(value).encode("cp1251")

    melodies = {m["id"]: m["name"] for m in phone["melodies"]}
    db = sqlite3.connect(path)
    with db:
        for m in phone["melodies"]:
            db.execute("INSERT INTO musik VALUES (?, CAST(? AS TEXT))", (m["id"], text(m["name"])))
        for r in phone["phonebook"]:
            cells = [r["name"], *r["numbers"], r["text1"], r["text2"], r["stamp"]]
            db.execute("INSERT INTO phbook VALUES (" + ", ".join(["CAST(? AS TEXT)"] * 9) + ", ?)",
                       [text(c) for c in cells] + [r["pos"]])
        for r in phone["scheduler"]:
            cells = [r["start"], r["code"], r["text"], melodies.get(r["melody"], "")]
            db.execute("INSERT INTO sched VALUES (" + ", ".join(["CAST(? AS TEXT)"] * 4) + ", ?)",
                       [text(c) for c in cells] + [r["pos"]])
        for r in phone["memos"]:
            db.execute("INSERT INTO memo VALUES (CAST(? AS TEXT), CAST(? AS TEXT), ?)",
                       (text(r["stamp"]), text(r["text"]), r["pos"]))
        db.execute("INSERT INTO photo VALUES ('1', CAST(? AS TEXT), '20480', 1)", (text("Фото001.jpg"),))
    db.close()


class Picture:
    """A screenshot's pixels, read through ImageMagick as a PPM."""

    def __init__(self, path):
        data = subprocess.run(["convert", str(path), "ppm:-"], capture_output=True, check=True).stdout
        fields = data.split(maxsplit=4)
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = fields[4]

    def at(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def row(self, x1, x2, y):
        return [self.at(x, y) for x in range(x1, x2)]


def client_origin(s, window):
    """Screen position of a maximised child's client area: its borders are
    equal on every side and it has no caption."""
    left, top, right, bottom = map(int, s.ok("rect", window).split())
    width, height = map(int, s.ok("client", window).split())
    border = (right - left - width) // 2
    return left + border, bottom - border - height


class TableWindows(h.ProgramTest):
    def start(self):
        phone = json.loads(DEMO_PHONE.read_text(encoding="utf-8"))
        s = self.session(sim_state=phone)
        fill_database(s.database, phone)
        s.start_phone()
        s.start_program()
        s.wait_frame()
        return s

    def table_windows(self, s):
        """{caption: handle} of the table windows in the MDI client."""
        windows = {}
        for line in s.ok("children", CLIENT).splitlines():
            parts = line.split("\t")
            if len(parts) == 4 and parts[1] == "MDIChild":
                windows[parts[3]] = parts[0]
        return windows

    def wait_windows(self, s, count, timeout=30):
        deadline = time.monotonic() + timeout
        while True:
            windows = self.table_windows(s)
            if len(windows) == count or time.monotonic() > deadline:
                return windows
            time.sleep(0.1)

    def wait_maximised(self, s, window, timeout=20):
        # A table window paints as it is resized, so it is drawn once it fills the client.
        width = int(s.ok("client", CLIENT).split()[0])
        deadline = time.monotonic() + timeout
        while int(s.ok("client", window).split()[0]) < width - 30:
            self.assertLess(time.monotonic(), deadline, "the table window was not maximised")
            time.sleep(0.1)

    def test_each_command_opens_its_table_once_and_the_close_commands_empty_the_client(self):
        s = self.start()
        for i, (command, caption) in enumerate(TABLES):
            s.ok("post", h.FRAME, command)
            windows = self.wait_windows(s, i + 1)
            self.assertIn(caption, windows)
            self.assertEqual(s.ok("mdiactive", CLIENT), windows[caption])
        s.ok("post", h.FRAME, h.ID["IDM_CASCADE"])  # for the picture
        s.screenshot("five-tables")

        # A second phone book command brings the window forward, no new one.
        s.ok("post", h.FRAME, h.ID["IDM_PHONEBOOK"])
        s.ok("mdiactive", CLIENT, "--expect", windows["Телефонная книга"])
        self.assertEqual(len(self.wait_windows(s, 5)), 5)
        self.assertEqual(s.ok("tbstate", TOOL_BAR, h.ID["IDM_PHONEBOOK"]), "0 1 1")

        s.ok("post", h.FRAME, h.ID["IDM_CLOSE_ACTIVE"])  # Ctrl+Q closes the active table
        self.assertNotIn("Телефонная книга", self.wait_windows(s, 4))
        s.ok("post", h.FRAME, h.ID["IDM_CLOSE_ALL"])  # Ctrl+A closes them all
        self.assertEqual(self.wait_windows(s, 0), {})
        self.assertEqual(s.ok("tbstate", TOOL_BAR, h.ID["IDM_INSERT"]), "1 0 1")

    def test_the_phone_book_shows_its_cyrillic_rows(self):
        s = self.start()
        s.ok("post", h.FRAME, h.ID["IDM_PHONEBOOK"])
        book = self.wait_windows(s, 1)["Телефонная книга"]
        s.ok("post", h.FRAME, h.ID["IDM_MAXIMIZE"])  # maximise it
        self.wait_maximised(s, book)
        picture = Picture(s.screenshot("phone-book"))
        x, y = client_origin(s, book)
        width = int(s.ok("client", book).split()[0])
        white = (255, 255, 255)

        def colours(row):
            pixels = picture.row(x + 40, x + width - 10, y + 16 + row * 16 + 8)
            return Counter(pixels).most_common()

        # Row 0 is the current row: the selection colour with white text.
        selected = colours(0)
        self.assertNotEqual(selected[0][0], white)
        self.assertIn(white, dict(selected))
        # Row 1 ("Мама") is white with dark text.
        plain = colours(1)
        self.assertEqual(plain[0][0], white)
        self.assertTrue(any(sum(colour) < 200 for colour, _ in plain), "no text in row 1")
        # Below the last row (3) there is only the empty area.
        empty = colours(5)
        self.assertEqual(len(empty), 1)
        self.assertNotEqual(empty[0][0], white)
        # The tool bar offers the text-table commands.
        for command in ("IDM_INSERT", "IDM_EDIT", "IDM_DELETE", "IDM_WRITE_PHONE", "IDM_RECEIVE_PHONE"):
            self.assertEqual(s.ok("tbstate", TOOL_BAR, h.ID[command]), "0 0 1")


if __name__ == "__main__":
    h.main()
