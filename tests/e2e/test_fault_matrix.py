"""Every phone operation of the real program against every fault the
simulated phone makes: the program lives on, each operation ends within its
time-outs, the user sees the right boxes, and what the operation leaves
behind is what a clean run leaves, or exactly what a failure keeps.

The matrix is one table: one line per operation and fault. Each operation
runs once without a fault first; that run's data is the reference."""

import os
import time

import fault_operations as f
import transfers as t

# The rule of each fault, applied to the operation's target command. The
# close comes last: the phone is gone after it.
FAULTS = {
    "error": "error",
    "silence": "silence",
    # Four pieces, 300 ms apart: shorter than any wait of the program.
    "split": "split,at=5/12/30,pause=300",
    "garbage": "garbage,len=200",
    # Every quoted text 1,000 bytes: longer than any field the program keeps.
    "long": "long,len=1000",
    "huge": "huge,len=5000",
    "endless": "endless",
    "close": "close",
}

# The boxes each cell shows, in order, and what it leaves behind: "all" is the
# clean run's data; the other names are each operation's (see its expected()).
# A fault that has nothing to act on in an operation (blocks that never end
# where the phone sends no blocks) runs the operation clean.
FAILED, SMS_FAILED, MELODY_FAILED, PICTURE_FAILED = f.FAILED, f.SMS_FAILED, f.MELODY_FAILED, f.PICTURE_FAILED
# The scheduler write counts the rows the phone did not confirm, of the three it
# sent; an OK beyond the reply's 4,095 bytes (huge) is not seen.
REFUSED, REFUSED_TWO = f.rows_refused(1, 3), f.rows_refused(2, 3)
# A failed start: the melody list's warning, the start's, the port's, and the port dialog.
START_FAILED = (f.LIST_FAILED, f.INIT_FAILED, f.PORT_FAILED, f.PORT_DIALOG_SHOWN)
MATRIX = [
    # operation            fault      boxes                           data
    ("session start",      "error",   START_FAILED,                   "ended"),
    ("session start",      "silence", START_FAILED,                   "ended"),
    ("session start",      "split",   (),                             "all"),
    ("session start",      "garbage", START_FAILED,                   "ended"),
    ("session start",      "long",    (),                             "cut"),
    ("session start",      "huge",    START_FAILED,                   "ended"),
    ("session start",      "endless", (),                             "all"),
    ("session start",      "close",   START_FAILED,                   "ended"),
    ("phone-book read",    "error",   (FAILED,),                      "before"),
    ("phone-book read",    "silence", (FAILED,),                      "before"),
    ("phone-book read",    "split",   (),                             "all"),
    ("phone-book read",    "garbage", (FAILED,),                      "before"),
    ("phone-book read",    "long",    (),                             "cut"),
    ("phone-book read",    "huge",    (),                             "all"),
    ("phone-book read",    "endless", (),                             "all"),
    ("phone-book read",    "close",   (FAILED,),                      "before"),
    ("phone-book write",   "error",   ("debug",),                     "refused"),
    ("phone-book write",   "silence", ("debug",),                     "refused"),
    ("phone-book write",   "split",   (),                             "all"),
    ("phone-book write",   "garbage", ("debug",),                     "refused"),
    ("phone-book write",   "long",    (),                             "all"),
    ("phone-book write",   "huge",    ("debug",),                     "all"),
    ("phone-book write",   "endless", (),                             "all"),
    ("phone-book write",   "close",   ("debug", "debug next"),        "before"),
    ("scheduler read",     "error",   (FAILED,),                      "before"),
    ("scheduler read",     "silence", (FAILED,),                      "before"),
    ("scheduler read",     "split",   (),                             "all"),
    ("scheduler read",     "garbage", (FAILED,),                      "before"),
    ("scheduler read",     "long",    (),                             "cut"),
    ("scheduler read",     "huge",    (FAILED,),                      "before"),
    ("scheduler read",     "endless", (),                             "all"),
    ("scheduler read",     "close",   (FAILED,),                      "before"),
    ("scheduler write",    "error",   (REFUSED,),                     "refused"),
    ("scheduler write",    "silence", (REFUSED,),                     "refused"),
    ("scheduler write",    "split",   (),                             "all"),
    ("scheduler write",    "garbage", (REFUSED,),                     "refused"),
    ("scheduler write",    "long",    (),                             "all"),
    ("scheduler write",    "huge",    (REFUSED,),                     "all"),
    ("scheduler write",    "endless", (),                             "all"),
    ("scheduler write",    "close",   (REFUSED_TWO,),                 "before"),
    ("memo read",          "error",   (FAILED,),                      "before"),
    ("memo read",          "silence", (FAILED,),                      "before"),
    ("memo read",          "split",   (),                             "all"),
    ("memo read",          "garbage", (FAILED,),                      "before"),
    ("memo read",          "long",    (),                             "cut"),
    ("memo read",          "huge",    (FAILED,),                      "before"),
    ("memo read",          "endless", (),                             "all"),
    ("memo read",          "close",   (FAILED,),                      "before"),
    ("memo write",         "error",   ("debug",),                     "refused"),
    ("memo write",         "silence", ("debug",),                     "refused"),
    ("memo write",         "split",   (),                             "all"),
    ("memo write",         "garbage", ("debug",),                     "refused"),
    ("memo write",         "long",    (),                             "all"),
    ("memo write",         "huge",    ("debug",),                     "all"),
    ("memo write",         "endless", (),                             "all"),
    ("memo write",         "close",   ("debug", "debug next"),        "before"),
    ("sms",                "error",   (SMS_FAILED,),                  "none"),
    ("sms",                "silence", (SMS_FAILED,),                  "none"),
    ("sms",                "split",   (),                             "all"),
    ("sms",                "garbage", (SMS_FAILED,),                  "none"),
    ("sms",                "long",    (),                             "all"),
    ("sms",                "huge",    (SMS_FAILED,),                  "all"),
    ("sms",                "endless", (),                             "all"),
    ("sms",                "close",   (SMS_FAILED,),                  "none"),
    ("media list",         "error",   (),                             "none"),
    ("media list",         "silence", (),                             "none"),
    ("media list",         "split",   (),                             "all"),
    ("media list",         "garbage", (),                             "none"),
    ("media list",         "long",    (),                             "cut"),
    ("media list",         "huge",    (),                             "none"),
    ("media list",         "endless", (),                             "all"),
    ("media list",         "close",   (),                             "none"),
    ("photo download",     "error",   ("failed",),                    "others"),
    ("photo download",     "silence", ("failed",),                    "others"),
    ("photo download",     "split",   (),                             "all"),
    ("photo download",     "garbage", ("failed",),                    "others"),
    ("photo download",     "long",    (),                             "all"),
    ("photo download",     "huge",    ("failed",),                    "others"),
    ("photo download",     "endless", ("failed",),                    "others"),
    ("photo download",     "close",   ("failed", "failed next"),      "none"),
    ("movie download",     "error",   ("failed",),                    "others"),
    ("movie download",     "silence", ("failed",),                    "others"),
    ("movie download",     "split",   (),                             "all"),
    ("movie download",     "garbage", ("failed",),                    "others"),
    ("movie download",     "long",    (),                             "all"),
    ("movie download",     "huge",    ("failed",),                    "others"),
    ("movie download",     "endless", ("failed",),                    "others"),
    ("movie download",     "close",   ("failed", "failed next"),      "none"),
    ("melody upload",      "error",   (MELODY_FAILED,),               "cut"),
    ("melody upload",      "silence", (MELODY_FAILED,),               "cut"),
    ("melody upload",      "split",   (),                             "all"),
    ("melody upload",      "garbage", (MELODY_FAILED,),               "cut"),
    ("melody upload",      "long",    (),                             "all"),
    ("melody upload",      "huge",    (),                             "all"),
    ("melody upload",      "endless", (),                             "all"),
    ("melody upload",      "close",   (MELODY_FAILED, f.LIST_FAILED), "cut"),
    ("picture upload",     "error",   (PICTURE_FAILED,),              "cut"),
    ("picture upload",     "silence", (PICTURE_FAILED,),              "cut"),
    ("picture upload",     "split",   (),                             "all"),
    ("picture upload",     "garbage", (PICTURE_FAILED,),              "cut"),
    ("picture upload",     "long",    (),                             "all"),
    ("picture upload",     "huge",    (),                             "all"),
    ("picture upload",     "endless", (),                             "all"),
    ("picture upload",     "close",   (PICTURE_FAILED,),              "cut"),
    ("animation upload",   "error",   (MELODY_FAILED,),               "cut"),
    ("animation upload",   "silence", (MELODY_FAILED,),               "cut"),
    ("animation upload",   "split",   (),                             "all"),
    ("animation upload",   "garbage", (MELODY_FAILED,),               "cut"),
    ("animation upload",   "long",    (),                             "all"),
    ("animation upload",   "huge",    (),                             "all"),
    ("animation upload",   "endless", (),                             "all"),
    ("animation upload",   "close",   (MELODY_FAILED,),               "cut"),
]
# Set to 1 to print each cell's outcome instead of checking it.
EXPLORE = os.environ.get("VELARMON_MATRIX_EXPLORE") == "1"


class FaultMatrix(t.TransferTest):
    def run_operation(self, name):
        op = f.OPERATIONS[name]
        cells = [(fault, boxes, data) for o, fault, boxes, data in MATRIX if o == name]
        self.assertEqual([c[0] for c in cells], list(FAULTS))
        s = op.start(self)
        self.assertEqual(op.run(self, s), [], "the clean run showed boxes")
        reference = op.outcome(self, s)
        report = []
        for fault, boxes, data in cells:
            # An operation's own rule for a fault may name its own command.
            rule = op.rules.get(fault, FAULTS[fault])
            rule = rule if " " in rule else f"{rule} {op.target}"
            with self.subTest(fault=fault):
                if op.restarts:
                    s.stop()
                    s = op.start(self, rules=[rule])
                else:
                    s.sim.set_rules([rule])
                started = time.monotonic()
                seen = op.run(self, s)
                took = time.monotonic() - started
                left = op.outcome(self, s)
                if not op.restarts:
                    self.assertIsNone(s.programs[-1].poll(), f"the program ended{s.crashes()}")
                report.append(f"{name} / {fault}: {took:.1f} s, boxes {seen}, data {self.describe(left, reference)}")
                if EXPLORE:
                    continue
                self.assertLess(took, op.limit)
                self.assertEqual(seen, [self.box(op, b) for b in boxes])
                self.assertEqual(left, op.expected(reference, data))
        print("\n".join(report))

    def box(self, op, key):
        if key in ("debug", "debug next"):
            return ("Отладка", op.debug_text(key), "none")
        if key in ("failed", "failed next"):
            return op.box(key)
        return key

    @staticmethod
    def describe(left, reference):
        return "as clean" if left == reference else repr(left)[:300]

    def test_session_start(self):
        self.run_operation("session start")

    def test_phone_book_read(self):
        self.run_operation("phone-book read")

    def test_phone_book_write(self):
        self.run_operation("phone-book write")

    def test_scheduler_read(self):
        self.run_operation("scheduler read")

    def test_scheduler_write(self):
        self.run_operation("scheduler write")

    def test_memo_read(self):
        self.run_operation("memo read")

    def test_memo_write(self):
        self.run_operation("memo write")

    def test_sms(self):
        self.run_operation("sms")

    def test_media_list(self):
        self.run_operation("media list")

    def test_photo_download(self):
        self.run_operation("photo download")

    def test_movie_download(self):
        self.run_operation("movie download")

    def test_melody_upload(self):
        self.run_operation("melody upload")

    def test_picture_upload(self):
        self.run_operation("picture upload")

    def test_animation_upload(self):
        self.run_operation("animation upload")


if __name__ == "__main__":
    t.h.main()
