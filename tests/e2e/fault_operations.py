"""The phone operations of the fault matrix: how each is started in the real
program, which of its commands the phone gets wrong, and what it leaves
behind (database rows, the phone's records, files) to compare with a run
without a fault."""

import shutil
import sqlite3
import time

import transfers as t
import upload_steps as u
import vmharness as h

FAILED = (t.CAPTION, t.EXCHANGE_FAILED, "error")
SMS_FAILED = LIST_FAILED = (t.CAPTION, t.EXCHANGE_FAILED, "warning")
INIT_FAILED = (t.CAPTION, "Ошибка инициализации телефона.", "warning")
PORT_FAILED = (t.CAPTION, "Ошибка открытия порта.\nПроверьте соединение кабеля и установку драйверов "
               "или выберете другой порт.", "error")
MELODY_FAILED = (t.CAPTION, u.MELODY_ERROR, "error")
PICTURE_FAILED = (t.CAPTION, u.PICTURE_ERROR, "error")
PORT_DIALOG = "title:Порт"
# What the matrix records when the port dialog came up; it is cancelled.
PORT_DIALOG_SHOWN = ("port dialog", "", "")

MELODIES = [{"id": 1, "size": 900, "name": "Весна"}, {"id": 2, "size": 800, "name": "My Bell 3"},
            {"id": 3, "size": 700, "name": "Вальс"}]


def lengthened(text, width):
    """A text the phone sent padded with letters to 1,000 bytes (the long
    fault), as the program keeps it: its first `width` bytes."""
    letters = "abcdefghijklmnopqrstuvwxyz" * 40
    return (text + letters)[:width]


def melodies(s):
    """The melody table as (number, name) in number order."""
    db = sqlite3.connect(s.database)
    db.text_factory = bytes
    try:
        return [(n, name.decode("cp1251")) for n, name in db.execute("SELECT mus_id, name FROM musik ORDER BY mus_id")]
    finally:
        db.close()


def download_failed(name):
    return (t.CAPTION, f"Не удалось получить с телефона файл {name}: телефон не закончил его передачу.", "error")


def rows_refused(refused, sent):
    return (t.CAPTION, f"Телефон не подтвердил записей: {refused} из {sent}.\n"
            "Их может не быть в телефоне; остальные записи записаны.", "error")


def store_rows(s, table, rows):
    """Puts rows as t.rows() reads them into the session's database: texts
    as code page 1251, numbers as they are."""
    db = sqlite3.connect(s.database)
    try:
        with db:
            for row in rows:
                db.execute(f"INSERT INTO {table} VALUES (" +
                           ", ".join("CAST(? AS TEXT)" if isinstance(v, str) else "?" for v in row) + ")",
                           [v.encode("cp1251") if isinstance(v, str) else v for v in row])
    finally:
        db.close()


def exists(s, window):
    return s.drive("wait", window, timeout_ms=50)[0] == 0


def settle(s, busy, limit, button=1):
    """Answers each message box the operation shows, with `button`, until
    `busy()` is false; then waits briefly for a late box. Returns the boxes as
    (caption, text, icon) in order."""
    boxes = []
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline:
        rc, out = s.drive("msgbox", "--print-handle", timeout_ms=300)
        if rc == 0:
            caption, text, icon, handle = (out.rstrip("\n").split("\n") + ["", "", "", ""])[:4]
            boxes.append((caption, h.unescape(text), icon))
            s.ok("answer", handle, button)
            continue
        if exists(s, PORT_DIALOG):
            boxes.append(PORT_DIALOG_SHOWN)
            s.ok("answer", PORT_DIALOG, 2)
            s.ok("gone", PORT_DIALOG)
            continue
        if not busy():
            rc, out = s.drive("msgbox", "--print-handle", timeout_ms=1000)
            if rc != 0:
                return boxes
            continue
    raise AssertionError(f"still busy after {limit} s; boxes so far: {boxes}{s.crashes()}")


class Operation:
    """One phone operation. `target` is the command the faults hit; `rules`
    replaces a fault's rule where the plain one would not reach the
    operation's data; `limit` bounds, in seconds, how long the operation may
    take with any fault: its exchanges' silence time-outs (8 s a unit) and
    block waits, with room for a slow machine."""

    restarts = False  # each cell needs a program of its own
    state = {}
    rules = {}
    baud = 115200

    def start(self, test, rules=None):
        s = test.start(self.state, rules=rules, baud=self.baud)
        self.prepare(test, s)
        return s

    def prepare(self, test, s):
        pass

    def run(self, test, s):
        """Starts the operation, answers its boxes, and returns them. The
        trigger posts the command and sees the progress dialog open in one
        step of the driver: a failing operation may close it again at once."""
        self.trigger(test, s)
        return settle(s, lambda: exists(s, t.PROGRESS), self.limit)

    def trigger(self, test, s):
        raise NotImplementedError

    def outcome(self, test, s):
        """What the operation left behind, to compare with the clean run."""
        raise NotImplementedError

    def kept(self):
        """What the clean run's entry hands the entries of the cells besides
        its outcome."""
        return None

    def keep(self, kept):
        """Takes what kept() gave in the clean run's entry."""


class TableRead(Operation):
    """A read of a phone book, scheduler or memo table: the reference is what
    a clean read stored; a failed read keeps the rows before the failed
    position."""

    def __init__(self, command, title, table, state, target, position, limit, texts, rules=None):
        self.command, self.title, self.table, self.state = command, title, table, state
        self.target, self.position, self.limit = target, position, limit
        self.texts, self.rules = texts, rules or {}

    def prepare(self, test, s):
        test.open_table(s, self.command, self.title)

    def trigger(self, test, s):
        s.ok("start", h.FRAME, t.RECEIVE, t.PROGRESS)

    def outcome(self, test, s):
        test.table_window(s, self.title)
        return t.rows(s, self.table)

    def expected(self, reference, data):
        if data == "before":
            return [row for row in reference if row[-1] < self.position]
        if data == "cut":
            # The hit record's quoted texts (columns `texts`) as far as the
            # program keeps them.
            return [tuple(lengthened(v, TEXT_WIDTH) if row[-1] == self.position and i in self.texts else v
                          for i, v in enumerate(row)) for row in reference]
        return {"all": reference, "none": []}[data]


class TableWrite(Operation):
    """A write of a table to the phone: the database must not change; the
    phone ends up with every row, or every row but the refused one."""

    def __init__(self, command, title, table, state, target, refused, limit, records):
        self.command, self.title, self.table, self.state = command, title, table, state
        self.target, self.refused, self.limit, self.records = target, refused, limit, records
        self.received = None

    def kept(self):
        return self.rows

    def keep(self, kept):
        self.received = kept

    def start(self, test, rules=None):
        if self.received is None:
            return super().start(test, rules)
        # The rows the clean run's entry received go into the database
        # before the program starts: the cells need not read the phone again.
        s = test.start(self.state, rules=rules, baud=self.baud,
                       prepare=lambda s: store_rows(s, self.table, self.received))
        test.open_table(s, self.command, self.title)
        self.rows = self.received
        return s

    def prepare(self, test, s):
        test.open_table(s, self.command, self.title)
        test.exchange(s, t.RECEIVE)
        test.table_window(s, self.title)
        self.rows = t.rows(s, self.table)

    def trigger(self, test, s):
        s.ok("start", h.FRAME, t.WRITE, t.PROGRESS)

    def outcome(self, test, s):
        test.assertEqual(t.rows(s, self.table), self.rows)
        return s.sim.state()[self.records]

    def debug_text(self, key):
        """The refused row ("debug") or the one after it ("debug next") as the
        debugging box lists it: each cell on a line."""
        later = [r for r in self.rows if r[-1] >= self.refused]
        row = later[0 if key == "debug" else 1]
        return "".join(f"{cell}\n" for cell in row)

    def expected(self, reference, data):
        if data == "refused":
            return [r for r in reference if r["pos"] != self.refused]
        if data == "before":
            return [r for r in reference if r["pos"] < self.refused]
        return {"all": reference}[data]


class SessionStart(Operation):
    restarts = True
    state = {"model": "SCH-E250", "key": "01234", "melodies": MELODIES}
    target = "AT#PUGSN?"
    rules = {"long": "long,len=1000,fields=3"}
    limit = 60

    def start(self, test, rules=None):
        h.reg_delete_settings()
        s = test.session(sim_state=self.state)
        s.start_phone()
        if rules:
            s.sim.set_rules(rules)
        self.proc = s.start_program()
        return s

    def run(self, test, s):
        # While the start talks to the phone the program's thread answers no
        # messages, and looking for boxes or dialogs by title then can hang
        # under Wine; the frame is looked for by its class alone, which asks
        # nothing of the program. After a failed start the thread waits in its
        # boxes, which answer.
        s.drive("wait", h.FRAME, timeout_ms=30000)
        return settle(s, lambda: self.proc.poll() is None and not exists(s, h.FRAME), self.limit)

    def outcome(self, test, s):
        running = self.proc.poll() is None
        if running:
            s.ok("post", h.FRAME, h.ID["IDM_EXIT"])
            test.assertEqual(s.wait_exit(self.proc), 0)
        return running, melodies(s)

    def expected(self, reference, data):
        if data == "cut":
            return True, [(n, lengthened(name.rstrip("\r"), TEXT_WIDTH)) for n, name in reference[1]]
        return {"all": reference, "ended": (False, [])}[data]


class Sms(Operation):
    state = {"model": "SCH-E250"}
    target = "AT#PSTRM=*"
    limit = 45

    def prepare(self, test, s):
        s.ok("post", h.FRAME, h.ID["IDM_SMS"])
        self.panel = s.child_dialog(h.FRAME)
        test.assertIsNotNone(self.panel, "no SMS panel")
        s.ok("settext", self.panel, h.ID["IDC_SMS_RECIPIENT"], "89031234567")
        s.ok("settext", self.panel, h.ID["IDC_SMS_TEXT"], "Привет")

    def trigger(self, test, s):
        self.sent = len(s.sim.state().get("sms", []))
        s.ok("start", self.panel, h.ID["IDC_SMS_SEND"], t.PROGRESS)

    def outcome(self, test, s):
        # The panel keeps what the user typed, sent or not.
        test.assertEqual(s.ok("text", f"{self.panel}/{h.ID['IDC_SMS_TEXT']}"), "Привет")
        return len(s.sim.state().get("sms", [])) - self.sent

    def expected(self, reference, data):
        return {"all": reference, "none": 0}[data]


PHOTO_STATE = {"model": "SCH-E250",
               "photos": [{"id": 1, "tag": "17", "path": "/DCIM/Photo 01.jpg", "file": "tests/e2e/data/photo_park.jpg"},
                          {"id": 2, "tag": "18", "path": "/DCIM/Кот 02.jpg", "file": "tests/e2e/data/photo_cat.jpg"}],
               "movies": [{"id": 3, "tag": "7", "path": "/Movie/street.mp4", "file": "tests/e2e/data/clip_street.mp4"},
                          {"id": 4, "tag": "8", "path": "/Movie/sea.mp4", "file": "tests/e2e/data/clip_sea.mp4"}]}


class MediaList(Operation):
    state = PHOTO_STATE
    target = "AT#PMCGL?"
    rules = {"long": "long,len=1000,fields=2/3"}
    limit = 30

    def run(self, test, s):
        s.ok("post", h.FRAME, h.ID["IDM_PHOTOS"])
        self.window = test.table_window(s, "Фотографии", timeout=self.limit)
        return settle(s, lambda: False, self.limit)

    def outcome(self, test, s):
        rows = t.rows(s, "photo")
        s.ok("post", h.FRAME, t.CLOSE_TABLE)
        s.ok("gone", self.window)
        return rows

    def expected(self, reference, data):
        if data == "cut":
            # Tags and paths are kept to 49 bytes; the name is the path's end.
            paths = {p["id"]: p["path"] for p in self.state["photos"]}
            return [(lengthened(tag, CATALOGUE_WIDTH), lengthened(paths[n], CATALOGUE_WIDTH).rsplit("/", 1)[1], size, n)
                    for tag, _, size, n in reference]
        return {"all": reference, "none": []}[data]


class MediaDownload(Operation):
    """Every photo or movie of its table to the PC; the first one's second
    block is hit. The phone sends at full speed, so that a file that never
    ends fills the receive buffer soon."""

    state = PHOTO_STATE
    baud = 0

    def __init__(self, command, title, folder, target, files, shown, limit, rules):
        self.command, self.title, self.folder, self.target = command, title, folder, target
        self.files, self.shown, self.limit, self.rules = files, shown, limit, rules

    def box(self, key):
        """The box for the first ("failed") or second ("failed next") file."""
        return download_failed(self.shown[0 if key == "failed" else 1])

    def prepare(self, test, s):
        test.open_table(s, self.command, self.title)

    def trigger(self, test, s):
        shutil.rmtree(s.dir / self.folder, ignore_errors=True)
        s.ok("start", h.FRAME, h.ID["IDM_GET_ALL"], t.PROGRESS)

    def outcome(self, test, s):
        folder = s.dir / self.folder
        return {p.name: p.read_bytes() for p in sorted(folder.iterdir())} if folder.exists() else {}

    def expected(self, reference, data):
        if data == "others":
            return {name: body for name, body in reference.items() if name != self.files[0]}
        return {"all": reference, "none": {}}[data]


class Upload(Operation):
    """A small file of two or three blocks to the phone; block 2 is hit."""

    state = {"model": "SCH-E250", "melodies": MELODIES}

    def __init__(self, command, dialog, kind, name, target, limit):
        self.command, self.dialog, self.kind, self.name = command, dialog, kind, name
        self.target, self.limit = target, limit

    def prepare(self, test, s):
        self.file = s.dir / self.name
        if self.kind == "animations":
            data, pixels = u.bitmap(1, 20, 20)
            self.data = pixels[::-1]
        else:
            data = self.data = u.sample(361 if self.kind == "melodies" else 900)
        self.file.write_bytes(data)

    def trigger(self, test, s):
        s.ok("post", h.FRAME, self.command)
        dialog = s.ok("wait", self.dialog)
        if self.kind == "animations":
            s.ok("cbsel", dialog, h.ID["IDC_ANIMATION_FRAMES"], 0)
            s.ok("settext", dialog, h.ID["IDC_ANIMATION_WIDTH"], "20")
            s.ok("settext", dialog, h.ID["IDC_ANIMATION_HEIGHT"], "20")
        u.choose(s, dialog, self.file)

    def run(self, test, s):
        self.trigger(test, s)
        # The progress dialog may have come and gone while the file dialog closed.
        s.drive("wait", t.PROGRESS, timeout_ms=2000)
        return settle(s, lambda: exists(s, t.PROGRESS), self.limit)

    def outcome(self, test, s):
        uploads = s.sim.state()["uploads"][self.kind]
        last = uploads[-1] if uploads else {}
        whole = bool(last.get("complete")) and bytes.fromhex(last.get("hex", "")) == self.data
        return whole, melodies(s) if self.kind == "melodies" else []

    def expected(self, reference, data):
        return {"all": reference, "cut": (False, reference[1])}[data]


def phone_book_entry(pos, name):
    return {"pos": pos, "name": name, "numbers": [f"0951{pos}00", "", "", "", ""], "stamp": "20050307T090503"}


# How many bytes of a text, and of a catalogue field, the program keeps.
TEXT_WIDTH = 31
CATALOGUE_WIDTH = 49

PHONE_BOOK = {"key": "0471", "limits": {"phonebook": 3},
              "phonebook": [phone_book_entry(1, "Иван"), phone_book_entry(2, "Мама"), phone_book_entry(3, "Такси")]}
SCHEDULE = {"scheduler_choices": ["0", "5"], "melodies": MELODIES[:1],
            "scheduler": [{"pos": p, "date": f"2005031{p}T100000", "start": f"2005031{p}T100000", "code": 1,
                           "melody": 1, "text": f"Встреча {p}"} for p in (0, 1, 2)]}
MEMOS = {"memos": [{"pos": p, "stamp": f"2005030{p + 1}T121500", "text": f"Заметка {p}"} for p in (0, 1, 2)]}

PB, SCHED, MEMO = h.ID["IDM_PHONEBOOK"], h.ID["IDM_SCHEDULER"], h.ID["IDM_MEMO"]

OPERATIONS = {
    "session start": SessionStart(),
    # The phone-book answer's "#PBOKR:" holds "OK", which ends the exchange
    # early: the split and the long texts leave the rest of the entry to come.
    "phone-book read": TableRead(PB, "Телефонная книга", "phbook", PHONE_BOOK, "AT#PBOKR=2", 2, 40, (0, 6, 7)),
    "phone-book write": TableWrite(PB, "Телефонная книга", "phbook", PHONE_BOOK, "AT#PBOKW=0,0,2,*", 2, 60,
                                   "phonebook"),
    "scheduler read": TableRead(SCHED, "Еженедельник", "sched", SCHEDULE, "AT#PISHR=1", 1, 90, (2,)),
    "scheduler write": TableWrite(SCHED, "Еженедельник", "sched", SCHEDULE, "AT#PISHW=1,*", 1, 60, "scheduler"),
    "memo read": TableRead(MEMO, "Заметки", "memo", MEMOS, "AT#PIMMR=1", 1, 40, (1,)),
    "memo write": TableWrite(MEMO, "Заметки", "memo", MEMOS, "AT#PIMMW=1,*", 1, 60, "memos"),
    "sms": Sms(),
    "media list": MediaList(),
    "photo download": MediaDownload(h.ID["IDM_PHOTOS"], "Фотографии", "Images", "AT#PMLUL=1,2",
                                    ("Photo01.jpg_17.jpg", "02.jpg_18.jpg"), ("Photo 01.jpg_17", "Кот 02.jpg_18"), 60,
                                    {"endless": "endless,size=65536 AT#PMLUL=1,*",
                                     "long": "long,len=1000,fields=3 AT#PMLUL=1,2"}),
    "movie download": MediaDownload(h.ID["IDM_MOVIES"], "Фильмы", "Moves", "AT#PMMUL=3,2",
                                    ("street.mp4_7.mp4", "sea.mp4_8.mp4"), ("street.mp4_7", "sea.mp4_8"), 60,
                                    {"endless": "endless,size=65536 AT#PMMUL=3,*",
                                     "long": "long,len=1000,fields=3 AT#PMMUL=3,2"}),
    "melody upload": Upload(h.ID["IDM_MELODY"], u.MELODY_DIALOG, "melodies", "tune.mmf", 'AT#PUMDL=*,3,2,"*', 60),
    "picture upload": Upload(h.ID["IDM_PICTURE"], u.PICTURE_DIALOG, "pictures", "pic.jpg", 'AT#PMCDL=*,2,"*', 60),
    "animation upload": Upload(h.ID["IDM_ANIMATION"], u.ANIMATION_DIALOG, "animations", "anim.bmp",
                               'AT#PMIDL=*,2,"*', 60),
}
