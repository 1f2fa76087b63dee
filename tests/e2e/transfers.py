"""Steps shared by the end-to-end tests of the table transfers: a table
window, a receive or write behind the progress dialog, and the database and
phone records to compare."""

import sqlite3
import subprocess
import time

import vmharness as h

CLIENT = f"{h.FRAME}/{h.ID['IDC_MDI_CLIENT']}"
PROGRESS = "title:Обмен данных с телефоном"
CAPTION = "Сообщение программы VelarMon:"
EXCHANGE_FAILED = "Внимание! Произошла ошибка обмена данными с телефоном.\nПопробуйте повторить операцию."
CLOSE_TABLE = h.ID["IDM_CLOSE_ACTIVE"]
WRITE = h.ID["IDM_WRITE_PHONE"]
RECEIVE = h.ID["IDM_RECEIVE_PHONE"]
YES = 6


class TransferTest(h.ProgramTest):
    def start(self, state, rules=None, baud=115200, blocks="length", prepare=None, block_ms=0):
        """The program against a phone holding `state`; `prepare(s)` may
        still change the state in the session's folder before the phone starts.
        `block_ms` slows the phone's answer to every media block."""
        s = self.session(sim_state=state)
        if prepare:
            prepare(s)
        s.start_phone(baud=baud, blocks=blocks, block_ms=block_ms)
        if rules:
            s.sim.set_rules(rules)
        s.start_program()
        s.wait_frame(timeout_ms=40000)
        return s

    def table_window(self, s, caption, timeout=30):
        """The handle of the MDI child with this caption, once it is there."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            for line in s.ok("children", CLIENT).splitlines():
                parts = line.split("\t")
                if len(parts) == 4 and parts[1] == "MDIChild" and parts[3] == caption:
                    return parts[0]
            time.sleep(0.1)
        self.fail(f"no table window {caption}")

    def open_table(self, s, command, caption):
        s.ok("post", h.FRAME, command)
        return self.table_window(s, caption)

    def reopen_table(self, s, command, caption):
        """Closes the active table window and opens it again on what the database holds now."""
        window = self.table_window(s, caption)
        s.ok("post", h.FRAME, CLOSE_TABLE)
        s.ok("gone", window)
        return self.open_table(s, command, caption)

    def exchange(self, s, command, timeout_ms=120000):
        """Runs a table command and waits until its progress dialog has opened
        and closed (with the fast exchange, a few records take a moment only)."""
        s.ok("run", h.FRAME, command, PROGRESS, timeout_ms=timeout_ms)

    def expect_box(self, s, caption, text, icon, button=1):
        box = s.msgbox(timeout_ms=60000)
        self.assertEqual((box.caption, box.text, box.icon), (caption, text, icon))
        s.answer(box, button)


def progress_fill(s, bar, name):
    """How far the progress bar is filled, 0 to 1, read from a screenshot."""
    left, top, right, bottom = map(int, s.ok("rect", bar).split())
    shot = s.screenshot(name)
    data = subprocess.run(["convert", str(shot), "ppm:-"], capture_output=True, check=True).stdout
    fields = data.split(maxsplit=4)
    width, pixels = int(fields[1]), fields[4]

    def at(x):
        i = ((top + bottom) // 2 * width + x) * 3
        return pixels[i:i + 3]

    # Inside the border, the bar's colour runs from the left; the empty part
    # has the colour found just inside the right border.
    inner = range(left + 2, right - 2)
    empty = at(inner[-1])
    filled = [x for x in inner if at(x) != empty]
    return (filled[-1] - inner[0] + 1) / len(inner) if filled else 0.0


def rows(s, table):
    """The table's rows in id order, texts decoded from code page 1251."""
    db = sqlite3.connect(s.database)
    db.text_factory = bytes
    try:
        found = db.execute(f"SELECT * FROM {table} ORDER BY id").fetchall()
    finally:
        db.close()
    return [tuple(v.decode("cp1251") if isinstance(v, bytes) else v for v in row) for row in found]


def update(s, sql):
    """Changes the database behind the program's back."""
    db = sqlite3.connect(s.database)
    try:
        with db:
            db.execute(sql)
    finally:
        db.close()


def commands(s, prefix):
    """The commands the phone received that start with `prefix` (bytes), decoded."""
    return [c.decode("cp1251") for c in s.sim.commands() if c.upper().startswith(prefix)]
