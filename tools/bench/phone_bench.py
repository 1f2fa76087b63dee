#!/usr/bin/env python3
"""A benchmark, not a test: times the real program's phone operations against
the simulated phone paced at 115,200 baud (30 ms think time before every
answer), each with the slow exchange (no FastExchange value in the settings)
and with the fast one (FastExchange = 1), and prints one table.

Operations: the start-up (from starting velarmon.exe until its frame window
exists, which it shows only after the phone session start), phone book read
and write with two capacities (every position filled), scheduler read and
write (50 positions, 20 filled), memo read and write (10, all filled), one
SMS, a photo and a movie download, a melody, a picture and an animation
upload. Each operation is checked: the rows it read are in the database, the
records it wrote are on the phone and it sent one write per row, the message
reached the phone, the files are byte for byte what the phone holds or was
sent. A failed check marks the row FAILED instead of giving a time.

Columns, per operation and mode:
- time: from the moment the command reached the program (the frame's
  command posted, or the file dialog's "Записать" pressed) until its progress
  dialog had closed; for the start-up, from starting the program until its
  frame exists. The window driver polls every 50 ms, so times are late by up
  to about 0.05 s;
- exch: the commands the simulated phone logged in that time;
- bytes: the program's bytes as the phone received them plus the phone's
  answers (echo included), from the simulator's capture and log;
- floor, ratio: the time the operation cannot beat, and time / floor;
- speed-up: the slow mode's time / the fast mode's, on the fast row.

Floors. Slow mode: 0.8 s for each AT exchange (every exchange waits at least
one 400 ms pause with data and one without). The block loops do not use the
AT exchange; their floors are those of the earlier single benchmarks: a photo
block the larger of its answer's bytes at 11,520 bytes/s and ten 66 ms empty
reads; a movie block its answer's bytes at 11,520 bytes/s; a picture block its
command and answer bytes at 11,520 bytes/s plus 250 ms, the program's first
look for the answer; melody and animation blocks the same with 200 ms (the
animation's two AT exchanges, the memory query before and the count after,
take 0.8 s each like any other). The movie block's floor leaves out the
phone's think time, so in slow mode it is lower than in fast mode. The
start-up's fixed 1 s pause after the port opens and Wine's start of the
program are in no floor. Fast mode: every byte on the line both ways at
11,520 bytes/s plus the think time for each exchange, block loops included.
With --block-ms the phone takes that much longer over every media block, and
each block's floor in either mode grows by it (a slow mode's pause that is
longer already covers it).
The simulator paces only what the phone sends; the program's own bytes cross
the pseudo-terminal at once, so an operation of long commands (a write, an
upload) may come in just under its floor. The simulator also saves its state
after every change, which takes longer as the phone book grows: about 35 ms
for each record written near 500 records, which the fast phone book write
shows.

    tools/bench/run.sh [--quick] [--modes default,fast] [--only GROUPS] [--no-grid] [--block-ms MS]

It then runs tools/bench/grid.sh (the grid benchmark) when that is there and
adds its lines to the table: the grid's time beside the bare work as floor.
"""

import argparse
import os
import random
import re
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
# The harness's own fast switch would also change the phone; this script sets
# the mode itself.
os.environ.pop("VELARMON_E2E_FAST", None)
sys.path.insert(0, str(ROOT / "tests" / "e2e"))
sys.path.insert(0, str(ROOT / "tools" / "phonesim"))

import transfers as t  # noqa: E402
import upload_steps as u  # noqa: E402
import vmharness as h  # noqa: E402
from phonesim import media  # noqa: E402
from phonesim.log import unescape  # noqa: E402

BAUD = 115200
LINE_BYTES_PER_S = 11520
THINK_S = 0.030  # the harness's think time before every answer
SLOW_EXCHANGE_S = 0.8
PHOTO_BLOCK_WAIT_S = 10 * 0.066
PICTURE_PAUSE_S = 0.25
BLOCK_PAUSE_S = 0.2
MEDIA_BLOCKS = (b"AT#PMLUL=", b"AT#PMMUL=", b"AT#PMCDL=", b"AT#PUMDL=", b"AT#PMIDL=")
# The phone's extra time over every media block (--block-ms).
block_s = 0.0

MODES = ("default", "fast")
GROUPS = ("startup", "phonebook", "phonebook-large", "scheduler", "memos", "sms", "photo", "movie", "melody",
          "picture", "animation")

PHONE_BOOK_TITLE = "Телефонная книга"
SCHEDULER_TITLE = "Еженедельник"
MEMO_TITLE = "Заметки"
SCHEDULER_CHOICES = ["0", "5", "15"]
MELODIES = [{"id": 1, "size": 2436, "name": "Весна"}, {"id": 2, "size": 1800, "name": "Вальс"},
            {"id": 3, "size": 2210, "name": "Звонок"}]
SMS_RECIPIENT = "89031234567"
SMS_TEXT = "Привет! Встречаемся завтра в 10:00 у главного входа. Позвони, если опаздываешь."


@dataclass
class Sizes:
    phone_book: int
    phone_book_large: int
    scheduler: int
    memos: int
    photo: int
    movie: int
    melody: int
    picture: int
    animation: tuple  # frames, width, height


FULL = Sizes(50, 500, 20, 10, 100 * 1024, 300 * 1024, 8 * 1024, 60 * 1024, (4, 128, 96))
QUICK = Sizes(5, 20, 5, 3, 10 * 1024, 30 * 1024, 1024, 4 * 1024, (1, 20, 20))


# -- what the phone holds ----------------------------------------------------

FIRST_NAMES = ["Иван", "Мария", "Пётр", "Анна", "Сергей", "Елена", "Дмитрий", "Ольга", "Алексей", "Наталья",
               "Юрий", "Татьяна", "Андрей", "Светлана", "Олег", "Ирина"]
LAST_NAMES = ["Иванов", "Смирнова", "Кузнецов", "Попова", "Соколов", "Лебедева", "Козлов", "Новикова",
              "Морозов", "Волкова", "Алексеев", "Зайцева"]


def phone_book(count):
    book = []
    for pos in range(1, count + 1):
        first, last = FIRST_NAMES[pos % len(FIRST_NAMES)], LAST_NAMES[pos % len(LAST_NAMES)]
        numbers = [f"8916{pos:07d}", f"8495{pos * 37 % 10000000:07d}" if pos % 3 == 0 else "", "", "", ""]
        book.append({"pos": pos, "name": f"{last} {first} {pos}", "numbers": numbers, "kinds": ["1", "2", "", ""],
                     "text1": f"ул. Садовая, {pos}" if pos % 4 == 0 else "", "text2": "",
                     "stamp": f"2005{pos % 12 + 1:02d}{pos % 28 + 1:02d}T{pos % 24:02d}{pos % 60:02d}00"})
    return book


SCHEDULE_TEXTS = ["Совещание", "Встреча с клиентом", "Позвонить маме", "Стоматолог", "Оплатить счета",
                  "День рождения Ольги", "Тренировка", "Отчёт за месяц"]


def schedule(count, rng):
    entries = []
    for n, pos in enumerate(sorted(rng.sample(range(50), count))):
        start = f"2005{n % 12 + 1:02d}{n % 28 + 1:02d}T{8 + n % 12:02d}{n % 2 * 30:02d}00"
        entries.append({"pos": pos, "date": start, "start": start, "code": n % 3, "melody": n % 2,
                        "text": SCHEDULE_TEXTS[n % len(SCHEDULE_TEXTS)]})
    return entries


MEMO_TEXTS = ["Купить хлеб и молоко", "Забрать костюм из химчистки", "Код домофона 25К1234", "Call back Petr",
              "Записаться к врачу", "Вернуть книгу", "Поменять масло", "Пароль Wi-Fi: в блокноте",
              "Подарок на 8 марта", "Список дел на субботу"]


def memos(count):
    return [{"pos": pos, "stamp": f"200503{pos + 1:02d}T12{pos:02d}00", "text": MEMO_TEXTS[pos % len(MEMO_TEXTS)]}
            for pos in range(count)]


def photo_bytes(size, rng):
    # JPEG start, no FF inside (so no early end mark), JPEG end.
    return b"\xff\xd8" + bytes(rng.randrange(1, 255) for _ in range(size - 4)) + b"\xff\xd9"


def size_label(size):
    return f"{size // 1024} kB" if size >= 1024 else f"{size} B"


def random_bytes(size, rng):
    return bytes(rng.randrange(256) for _ in range(size))


# -- the simulator's log, read as it grows -----------------------------------

class LogView:
    """The simulator's log entries (seconds, KIND, bytes), read on from where
    the last look stopped; only whole lines are taken."""

    def __init__(self, path):
        self.path, self.offset, self.entries = Path(path), 0, []

    def update(self):
        try:
            with open(self.path, "rb") as f:
                f.seek(self.offset)
                data = f.read()
        except FileNotFoundError:
            return self.entries
        end = data.rfind(b"\n") + 1
        for raw in data[:end].split(b"\n"):
            if raw:
                stamp, kind, text = (raw.split(b" ", 2) + [b""])[:3]
                self.entries.append((float(stamp), kind.decode(), unescape(text)))
        self.offset += end
        return self.entries

    def commands(self, start):
        return [text for _, kind, text in self.update()[start:] if kind == "CMD"]


@dataclass
class Exchange:
    command: bytes
    sent: int = 0  # the command's bytes, line end included
    answer: bytes = b""


def exchanges(entries, captured):
    """Each command of `entries` with the bytes the program sent for it (cut
    out of `captured`, the capture of the same span) and the phone's answer."""
    found = []
    for _, kind, text in entries:
        if kind == "CMD":
            found.append(Exchange(text))
        elif kind == "RPL" and found and not found[-1].answer and text not in (b"(silence)", b"(line closed)"):
            found[-1].answer = text
    cursor = 0
    for ex in found:
        at = captured.find(ex.command, cursor)
        if at < 0:
            ex.sent = len(ex.command) + 2
            continue
        end = at + len(ex.command)
        for byte in (b"\r", b"\n"):
            if captured[end:end + 1] == byte:
                end += 1
        ex.sent, cursor = end - cursor, end
    if found and cursor < len(captured):
        found[-1].sent += len(captured) - cursor
    return found


def slow_floor(found):
    """The slow mode's floor: AT exchanges at 0.8 s, block loops as their own
    protocols allow."""
    floor = 0.0
    for ex in found:
        name = ex.command[:9].upper()
        line = (ex.sent + len(ex.answer)) / LINE_BYTES_PER_S
        if name == b"AT#PMLUL=":
            floor += max(len(ex.answer) / LINE_BYTES_PER_S + block_s, PHOTO_BLOCK_WAIT_S)
        elif name == b"AT#PMMUL=":
            floor += len(ex.answer) / LINE_BYTES_PER_S + block_s
        elif name == b"AT#PMCDL=":
            floor += line + max(PICTURE_PAUSE_S, block_s)
        elif name in (b"AT#PUMDL=", b"AT#PMIDL="):
            floor += line + max(BLOCK_PAUSE_S, block_s)
        else:
            floor += SLOW_EXCHANGE_S
    return floor


# -- rows of the table -------------------------------------------------------

@dataclass
class Row:
    operation: str
    mode: str
    seconds: float = 0.0
    exchanges: int = 0
    line_bytes: int = 0
    floor: float = 0.0
    failure: str = ""
    speed_up: float | None = None
    note: str = ""

    @property
    def ratio(self):
        return self.seconds / self.floor if self.floor else 0.0


class OperationFailed(Exception):
    pass


def check(condition, what):
    if not condition:
        raise OperationFailed(what)


def log(text):
    print(f"[{time.strftime('%H:%M:%S')}] {text}", file=sys.stderr, flush=True)


# -- one program run ---------------------------------------------------------

class Bench:
    def __init__(self, s, mode, proc):
        self.s, self.mode, self.proc = s, mode, proc
        self.view = LogView(s.sim.log_path)

    def measure(self, operation, trigger, done, timeout):
        """Runs one operation: `trigger()` starts it and returns the time it
        reached the program; the operation has ended once `done(commands)`
        holds for the phone's commands since then and the progress dialog has
        closed. The caller checks the outcome."""
        s = self.s
        first = len(self.view.update())
        captured_before = len(s.sim.received())
        started = trigger()
        deadline = started + timeout
        next_look = time.monotonic() + 5
        while not done(self.view.commands(first)):
            if self.proc.poll() is not None:
                raise OperationFailed(f"the program ended (exit {self.proc.returncode}){s.crashes()}")
            if time.monotonic() > deadline:
                raise OperationFailed(f"not finished after {timeout} s{self.box_text()}")
            if time.monotonic() > next_look:
                box = self.box_text()
                if box:
                    raise OperationFailed(box.strip())
                next_look = time.monotonic() + 5
            time.sleep(0.05)
        rc, _ = s.drive("gone", t.PROGRESS, timeout_ms=60000)
        ended = time.monotonic()
        if rc != 0:
            raise OperationFailed(f"the progress dialog stayed{self.box_text()}")
        entries = self.view.update()[first:]
        captured = s.sim.received()[captured_before:]
        return self.row(operation, ended - started, exchanges(entries, captured))

    def row(self, operation, seconds, found):
        line = sum(ex.sent + len(ex.answer) for ex in found)
        if self.mode == "fast":
            blocks = sum(1 for ex in found if ex.command[:9].upper() in MEDIA_BLOCKS)
            floor = line / LINE_BYTES_PER_S + THINK_S * len(found) + block_s * blocks
        else:
            floor = slow_floor(found)
        return Row(operation, self.mode, seconds, len(found), line, floor)

    def box_text(self):
        rc, out = self.s.drive("msgbox", timeout_ms=100)
        return f"; message box: {out.strip()!r}" if rc == 0 else ""

    def post(self, window, command):
        self.s.ok("post", window, command)
        return time.monotonic()

    # -- tables --------------------------------------------------------------
    def table_window(self, caption, timeout=60):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            for line in self.s.ok("children", t.CLIENT).splitlines():
                parts = line.split("\t")
                if len(parts) == 4 and parts[1] == "MDIChild" and parts[3] == caption:
                    return parts[0]
            time.sleep(0.1)
        raise OperationFailed(f"no table window {caption}")

    def open_table(self, command, caption):
        self.s.ok("post", h.FRAME, command)
        return self.table_window(caption)

    def close_table(self, window):
        self.s.ok("post", h.FRAME, t.CLOSE_TABLE)
        self.s.ok("gone", window)

    def read_and_write(self, label, command, caption, table, read_last, write_last, rows_expected, written,
                       phone_records, phone_expected, per_row_s):
        """A table read from the phone into the database, then the same rows
        written back."""
        out = []
        timeout = 120 + per_row_s * 2
        self.open_table(command, caption)
        row = self.measure(f"{label} read", lambda: self.post(h.FRAME, t.RECEIVE),
                           lambda cmds: read_last in cmds, timeout)
        got = t.rows(self.s, table)
        check(got == rows_expected, f"{label} read: {len(got)} rows in the database, "
                                    f"{len(rows_expected)} expected, or their contents differ")
        out.append(row)
        window = self.table_window(caption)
        first = len(self.view.update())
        row = self.measure(f"{label} write", lambda: self.post(h.FRAME, t.WRITE),
                           lambda cmds: any(c.lower() == write_last for c in cmds), timeout)
        commands = self.view.commands(first)
        check(len([c for c in commands if written(c)]) == len(rows_expected),
              f"{label} write: not one write per row")
        on_phone = phone_records(self.s.sim.state())
        check(on_phone == phone_expected, f"{label} write: the phone holds {len(on_phone)} records, "
                                          f"{len(phone_expected)} expected, or their contents differ")
        out.append(row)
        self.close_table(window)
        return out


def phone_book_rows(book):
    return [(e["name"], *e["numbers"], e["text1"], e["text2"], e["stamp"], e["pos"]) for e in book]


def phone_book_records(state):
    return [(e["pos"], e["name"], e["numbers"], e["text1"], e["text2"], e["stamp"]) for e in state["phonebook"]]


def run_phone_book(b, label, book):
    expected = [(e["pos"], e["name"], e["numbers"], e["text1"], e["text2"], e["stamp"]) for e in book]
    return b.read_and_write(label, h.ID["IDM_PHONEBOOK"], PHONE_BOOK_TITLE, "phbook",
                            f"AT#PBOKR={len(book)}".encode(), b"at#pbsyn=s", phone_book_rows(book),
                            lambda c: c.startswith(b"AT#PBOKW=") and c != b"AT#PBOKW=D",
                            phone_book_records, expected, len(book) * 2)


def run_scheduler(b, entries):
    melodies = {m["id"]: m["name"] + "\r" for m in MELODIES}
    rows = [(e["start"], SCHEDULER_CHOICES[e["code"]], e["text"], melodies.get(e["melody"], ""), e["pos"])
            for e in entries]
    expected = [(e["pos"], e["start"], e["code"], e["melody"], e["text"]) for e in entries]
    return b.read_and_write("scheduler", h.ID["IDM_SCHEDULER"], SCHEDULER_TITLE, "sched", b"AT#PISHR=49",
                            b"at#pissy=s", rows,
                            lambda c: c.startswith(b"AT#PISHW=") and c[9:10].isdigit(),
                            lambda st: [(e["pos"], e["start"], e["code"], e["melody"], e["text"])
                                        for e in st["scheduler"]], expected, 60)


def run_memos(b, entries):
    rows = [(e["stamp"], e["text"], e["pos"]) for e in entries]
    expected = [(e["pos"], e["stamp"], e["text"]) for e in entries]
    return b.read_and_write("memo", h.ID["IDM_MEMO"], MEMO_TITLE, "memo", b"AT#PIMMR=9", b"at#pimsy=s", rows,
                            lambda c: c.startswith(b"AT#PIMMW=") and c[9:10].isdigit(),
                            lambda st: [(e["pos"], e["stamp"], e["text"]) for e in st["memos"]], expected, 20)


def run_sms(b):
    s = b.s
    s.ok("post", h.FRAME, h.ID["IDM_SMS"])
    panel = None
    deadline = time.monotonic() + 10
    while panel is None and time.monotonic() < deadline:
        for line in s.ok("children", h.FRAME).splitlines():
            handle, cls = (line.split("\t") + ["", ""])[:2]
            if cls == "#32770":
                panel = handle
        time.sleep(0.1)
    check(panel is not None, "no SMS panel")
    s.ok("settext", panel, h.ID["IDC_SMS_RECIPIENT"], SMS_RECIPIENT)
    s.ok("settext", panel, h.ID["IDC_SMS_TEXT"], SMS_TEXT)
    before = len(s.sim.state().get("sms", []))
    row = b.measure("SMS send", lambda: b.post(panel, h.ID["IDC_SMS_SEND"]),
                    lambda cmds: any(c.startswith(b"AT#PSTRM=") for c in cmds), 60)
    sent = s.sim.state().get("sms", [])
    check(len(sent) == before + 1 and sent[-1]["text"] == SMS_TEXT and sent[-1]["to"] == SMS_RECIPIENT,
          "the message did not reach the phone")
    s.ok("post", h.FRAME, h.ID["IDM_SMS"])
    s.ok("gone", panel)
    return [row]


def run_download(b, label, command, caption, folder, name, data, photo):
    s = b.s
    window = b.open_table(command, caption)
    count = len(media.blocks(data))
    if photo:
        done = lambda cmds: len([c for c in cmds if c.startswith(b"AT#PMLUL=")]) >= count  # noqa: E731
    else:
        done = lambda cmds: f"AT#PMMUL=1,{count + 1}".encode() in cmds  # noqa: E731
    row = b.measure(label, lambda: b.post(h.FRAME, h.ID["IDM_GET_ALL"]), done,
                    60 + count * (3 if photo else 1))
    path = s.dir / folder / name
    check(path.exists() and path.read_bytes() == data, f"{label}: the saved file differs from the phone's")
    b.close_table(window)
    return [row]


def choose_file(b, dialog, path):
    """Types the path and presses "Записать"; the time the press went out."""
    s = b.s
    s.ok("settext", dialog, u.FILE_NAME, u.windows_path(path))
    started = time.monotonic()
    s.ok("answer", dialog, u.OK)
    return started


def upload_entry(s, kind, before):
    uploads = s.sim.state().get("uploads", {}).get(kind, [])
    check(len(uploads) == before + 1, f"no new {kind} upload on the phone")
    return uploads[-1]


def run_melody(b, size, rng):
    s = b.s
    data = random_bytes(size, rng)
    path = s.dir / "Мелодия.mmf"
    path.write_bytes(data)
    before = len(s.sim.state().get("uploads", {}).get("melodies", []))
    s.ok("post", h.FRAME, h.ID["IDM_MELODY"])
    dialog = s.ok("wait", u.MELODY_DIALOG)
    s.ok("cbsel", dialog, h.ID["IDC_MEDIA_CHOICE"], 1)
    first = len(b.view.update())
    row = b.measure(f"melody upload {size_label(size)}", lambda: choose_file(b, dialog, path),
                    lambda cmds: b"AT#PUGSN?" in cmds, 60 + size // 180)
    entry = upload_entry(s, "melodies", before)
    check(entry["complete"] and bytes.fromhex(entry["hex"]) == data, "the melody arrived changed or incomplete")
    check(b"AT#PUGSN?" in b.view.commands(first), "the melody list was not read again")
    return [row]


def run_picture(b, size, rng):
    s = b.s
    data = random_bytes(size, rng)
    path = s.dir / "picture.jpg"
    path.write_bytes(data)
    before = len(s.sim.state().get("uploads", {}).get("pictures", []))
    s.ok("post", h.FRAME, h.ID["IDM_PICTURE"])
    dialog = s.ok("wait", u.PICTURE_DIALOG)

    def last_block(cmds):
        return any(c.startswith(b"AT#PMCDL=") and c.split(b",")[7:8] == [b"0"] for c in cmds)

    row = b.measure(f"picture upload {size_label(size)}", lambda: choose_file(b, dialog, path), last_block,
                    60 + size // 396)
    entry = upload_entry(s, "pictures", before)
    check(entry["complete"] and bytes.fromhex(entry["hex"]) == data, "the picture arrived changed or incomplete")
    return [row]


def run_animation(b, frames, width, height):
    s = b.s
    data, pixels = u.bitmap(frames, width, height)
    path = s.dir / "anim.bmp"
    path.write_bytes(data)
    before = len(s.sim.state().get("uploads", {}).get("animations", []))
    s.ok("post", h.FRAME, h.ID["IDM_ANIMATION"])
    dialog = s.ok("wait", u.ANIMATION_DIALOG)
    items = s.ok("cbitems", dialog, h.ID["IDC_ANIMATION_FRAMES"]).splitlines()
    s.ok("cbsel", dialog, h.ID["IDC_ANIMATION_FRAMES"], items.index(str(frames)) if str(frames) in items else frames - 1)
    s.ok("settext", dialog, h.ID["IDC_ANIMATION_WIDTH"], str(width))
    s.ok("settext", dialog, h.ID["IDC_ANIMATION_HEIGHT"], str(height))
    row = b.measure(f"animation upload {size_label(len(pixels))}", lambda: choose_file(b, dialog, path),
                    lambda cmds: b"AT#PMGLG?" in cmds, 60 + len(pixels) // 200)
    entry = upload_entry(s, "animations", before)
    check(entry["complete"] and bytes.fromhex(entry["hex"]) == pixels[::-1],
          "the animation arrived changed or incomplete")
    check((entry["frames"], entry["width"], entry["height"]) == (frames, width, height),
          "the animation's frames or size differ")
    return [row]


# -- the runs ----------------------------------------------------------------

def set_mode(mode):
    if mode == "fast":
        h.reg_set_dword("FastExchange", 1)
    else:
        h.wine("reg", "delete", h.SETTINGS_KEY, "/v", "FastExchange", "/f", h.REG_VIEW)
    value = h.reg_values().get("FastExchange")
    if value != (1 if mode == "fast" else None):
        raise RuntimeError(f"the setting FastExchange is {value} for the {mode} mode")


def start_up(s, mode):
    """Starts the program; its start-up row (the frame window exists once the
    phone session has started)."""
    view = LogView(s.sim.log_path)
    started = time.monotonic()
    proc = s.start_program()
    s.wait_frame(timeout_ms=90000)
    seconds = time.monotonic() - started
    b = Bench(s, mode, proc)
    found = exchanges(view.update(), s.sim.received())
    check(any(ex.command == b"AT#PUGSN?" for ex in found), "the session start did not reach the melody list")
    return b, b.row("start-up", seconds, found)


def planned(group, sizes):
    """The rows a group gives, in order, for the table of a failed run."""
    return {
        "startup": ["start-up"],
        "phonebook": [f"phone book {sizes.phone_book} read", f"phone book {sizes.phone_book} write"],
        "phonebook-large": [f"phone book {sizes.phone_book_large} read", f"phone book {sizes.phone_book_large} write"],
        "scheduler": ["scheduler read", "scheduler write"],
        "memos": ["memo read", "memo write"],
        "sms": ["SMS send"],
        "photo": [f"photo download {size_label(sizes.photo)}"],
        "movie": [f"movie download {size_label(sizes.movie)}"],
        "melody": [f"melody upload {size_label(sizes.melody)}"],
        "picture": [f"picture upload {size_label(sizes.picture)}"],
        "animation": [f"animation upload {size_label(sizes.animation[0] * sizes.animation[1] * sizes.animation[2])}"],
    }[group]


def run_session(name, mode, groups, sizes, work):
    """One program run in one mode over the groups given; its rows."""
    rng = random.Random(7)
    book = phone_book(sizes.phone_book_large if name == "large" else sizes.phone_book)
    entries = schedule(sizes.scheduler, rng)
    notes = memos(sizes.memos)
    photo, movie = photo_bytes(sizes.photo, rng), random_bytes(sizes.movie, rng)
    (work / "photo.jpg").write_bytes(photo)
    (work / "movie.mp4").write_bytes(movie)
    state = {"model": "SCH-E250", "key": "0471", "limits": {"phonebook": len(book)}, "phonebook": book,
             "scheduler_choices": SCHEDULER_CHOICES, "scheduler": entries, "memos": notes, "melodies": MELODIES,
             "photos": [{"id": 1, "tag": "1", "path": "/DCIM/big.jpg", "file": str(work / "photo.jpg")}],
             "movies": [{"id": 1, "tag": "1", "path": "/Movie/big.mp4", "file": str(work / "movie.mp4")}]}
    steps = {
        "phonebook": lambda b: run_phone_book(b, f"phone book {len(book)}", book),
        "phonebook-large": lambda b: run_phone_book(b, f"phone book {len(book)}", book),
        "scheduler": lambda b: run_scheduler(b, entries),
        "memos": lambda b: run_memos(b, notes),
        "sms": run_sms,
        "photo": lambda b: run_download(b, f"photo download {size_label(sizes.photo)}", h.ID["IDM_PHOTOS"],
                                        "Фотографии", "Images", "big.jpg_1.jpg", photo, True),
        "movie": lambda b: run_download(b, f"movie download {size_label(sizes.movie)}", h.ID["IDM_MOVIES"],
                                        "Фильмы", "Moves", "big.mp4_1.mp4", movie, False),
        "melody": lambda b: run_melody(b, sizes.melody, rng),
        "picture": lambda b: run_picture(b, sizes.picture, rng),
        "animation": lambda b: run_animation(b, *sizes.animation),
    }
    rows = []
    set_mode(mode)
    s = h.ProgramSession(f"bench-{name}-{mode}", sim_state=state)
    pending = list(groups)
    try:
        s.start_phone(baud=BAUD, block_ms=round(block_s * 1000))
        b, row = start_up(s, mode)
        if "startup" in pending:
            rows.append(row)
            log(f"{mode:7} {row.operation:26} {row.seconds:7.2f} s")
            pending.remove("startup")
        while pending:
            group = pending[0]
            for row in steps[group](b):
                rows.append(row)
                log(f"{mode:7} {row.operation:26} {row.seconds:7.2f} s")
            pending.pop(0)
    except (OperationFailed, AssertionError, RuntimeError, OSError, KeyError, ValueError) as failure:
        done = {r.operation for r in rows}
        group = pending[0] if pending else "startup"
        log(f"{mode:7} {group}: FAILED: {failure}")
        for g in pending:
            for operation in planned(g, sizes):
                if operation not in done:
                    rows.append(Row(operation, mode, failure=f"FAILED: {failure}" if g == group else "not run"))
    finally:
        s.stop()
    return rows


def run_grid():
    """The grid benchmark's lines as rows; notes when it is missing or failed."""
    script = ROOT / "tools" / "bench" / "grid.sh"
    if not script.exists():
        return [], ["grid: tools/bench/grid.sh is not there yet; skipped"]
    log("grid benchmark (tools/bench/grid.sh)")
    run = subprocess.run(["bash", str(script)], cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    rows, notes = [], []
    pattern = re.compile(r"^grid (\S+) ([0-9.]+) ms bare ([0-9.]+) ms ratio ([0-9.]+)")
    for line in run.stdout.decode("utf-8", "replace").splitlines():
        match = pattern.match(line)
        if match:
            rows.append(Row(f"grid {match[1]}", "-", float(match[2]) / 1000, floor=float(match[3]) / 1000,
                            note="floor: the bare work"))
        elif line.strip():
            notes.append(line)
    if run.returncode != 0:
        tail = run.stderr.decode("utf-8", "replace").strip().splitlines()[-5:]
        notes.append(f"grid: tools/bench/grid.sh failed (exit {run.returncode}): " + " | ".join(tail))
    return rows, notes


def table(rows, notes):
    lines = [f"{'operation':28} {'mode':7} {'time s':>8} {'exch':>5} {'bytes':>9} {'floor s':>8} {'ratio':>6} "
             f"{'speed-up':>8}"]
    for r in rows:
        if r.failure:
            lines.append(f"{r.operation:28} {r.mode:7} {r.failure}")
            continue
        speed = f"{r.speed_up:7.1f}x" if r.speed_up else ""
        grid = r.mode == "-"
        exch, line_bytes = ("-", "-") if grid else (str(r.exchanges), str(r.line_bytes))
        digits = 4 if grid else 2
        lines.append(f"{r.operation:28} {r.mode:7} {r.seconds:8.{digits}f} {exch:>5} {line_bytes:>9} "
                     f"{r.floor:8.{digits}f} {r.ratio:6.2f} {speed:>8}")
    return "\n".join(lines + notes)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--quick", action="store_true", help="small sizes, for a check that it all works")
    parser.add_argument("--modes", default="default,fast", help="default, fast or both (default,fast)")
    parser.add_argument("--only", default=",".join(GROUPS), help="groups to run: " + ",".join(GROUPS))
    parser.add_argument("--no-grid", action="store_true", help="leave out the grid benchmark")
    parser.add_argument("--block-ms", type=int, default=0,
                        help="a slow phone: ms it takes over every media block on top of its think time")
    args = parser.parse_args()
    global block_s
    block_s = args.block_ms / 1000
    modes = [m for m in args.modes.split(",") if m]
    groups = [g for g in args.only.split(",") if g]
    for m in modes:
        if m not in MODES:
            parser.error(f"unknown mode {m}")
    for g in groups:
        if g not in GROUPS:
            parser.error(f"unknown group {g}")
    sizes = QUICK if args.quick else FULL
    work = h.BUILD / "bench"
    work.mkdir(parents=True, exist_ok=True)

    began = time.monotonic()
    rows = []
    h.start_wine()
    try:
        main_groups = [g for g in GROUPS if g in groups and g != "phonebook-large"]
        for name, session_groups in (("main", main_groups),
                                     ("large", ["phonebook-large"] if "phonebook-large" in groups else [])):
            if not session_groups:
                continue
            for mode in modes:
                log(f"{name} run, {mode} mode")
                rows += run_session(name, mode, session_groups, sizes, work)
    finally:
        h.stop_wine()

    # Each operation's modes side by side, in the order they ran.
    order = []
    for r in rows:
        if r.operation not in order:
            order.append(r.operation)
    rows.sort(key=lambda r: (order.index(r.operation), MODES.index(r.mode)))
    by_key = {(r.operation, r.mode): r for r in rows}
    for r in rows:
        slow = by_key.get((r.operation, "default"))
        if r.mode == "fast" and slow and not slow.failure and not r.failure and r.seconds:
            r.speed_up = slow.seconds / r.seconds

    notes = []
    if not args.no_grid:
        grid_rows, notes = run_grid()
        rows += grid_rows
    minutes = (time.monotonic() - began) / 60
    notes.append(f"{'quick' if args.quick else 'full'} run, {minutes:.1f} min; simulated phone at {BAUD} baud, "
                 f"{THINK_S * 1000:.0f} ms think time" +
                 (f", {args.block_ms} ms more over every media block" if args.block_ms else ""))
    text = table(rows, notes)
    (work / "phone-bench.txt").write_text(text + "\n", encoding="utf-8")
    print(text)
    return 1 if any(r.failure for r in rows) else 0


if __name__ == "__main__":
    sys.exit(main())
