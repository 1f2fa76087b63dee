"""Every phone operation of the real program against every fault the
simulated phone makes: the program lives on, each operation ends within its
time-outs, the user sees the right boxes, and what the operation leaves
behind is what a clean run leaves, or exactly what a failure keeps.

The matrix is one table: one line per operation and fault. Each operation
runs once without a fault first, in a CTest entry of its own; that run's data
is the reference of the entries that run its cells, a few each."""

import os
import pickle
import sys
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
# How many of an operation's cells one CTest entry runs, so that an entry
# takes about a minute at most: a cell costs one run of the operation, and
# runs of the scheduler read (fifty positions) and of a session start (a
# program of its own) take half a minute. The rest take four.
CELLS_PER_ENTRY = {"session start": 2, "scheduler read": 1, "phone-book write": 2, "scheduler write": 3,
                   "memo read": 3, "memo write": 3, "sms": 3}
# Set to 1 to print each cell's outcome instead of checking it.
EXPLORE = os.environ.get("VELARMON_MATRIX_EXPLORE") == "1"
# Where each operation's clean run leaves its reference for the entries of
# its cells, which CTest starts after it.
REFERENCES = t.h.BUILD / "e2e" / "fault-matrix"


def slug(operation):
    return operation.replace(" ", "_")


def entries():
    """The CTest entries: one clean run per operation, then its cells in
    groups, as (entry name, operation, faults)."""
    found = []
    for operation in f.OPERATIONS:
        faults = [fault for o, fault, _, _ in MATRIX if o == operation]
        size = CELLS_PER_ENTRY.get(operation, 4)
        found.append((f"{slug(operation)}.clean", operation, []))
        for i in range(0, len(faults), size):
            group = faults[i:i + size]
            found.append((f"{slug(operation)}.{'_'.join(group)}", operation, group))
    return found


class FaultMatrix(t.TransferTest):
    """One entry of the matrix: the operation and faults come from the
    command line (see the end of this file)."""

    operation = None
    faults = []

    def session(self, **kwargs):
        # Entries of one operation run side by side: each has a folder of its own.
        name = f"FaultMatrix.{slug(self.operation)}.{'_'.join(self.faults) or 'clean'}"
        s = t.h.ProgramSession(name, **kwargs)
        self.addCleanup(s.stop)
        return s

    def reference_file(self):
        return REFERENCES / f"{slug(self.operation)}.pickle"

    def test_clean_run(self):
        """The operation without a fault shows no box; what it leaves is the
        reference of its cells."""
        op = f.OPERATIONS[self.operation]
        self.assertEqual([fault for o, fault, _, _ in MATRIX if o == self.operation], list(FAULTS))
        self.reference_file().unlink(missing_ok=True)
        s = op.start(self)
        self.assertEqual(op.run(self, s), [], "the clean run showed boxes")
        saved = {"reference": op.outcome(self, s), "kept": op.kept()}
        REFERENCES.mkdir(parents=True, exist_ok=True)
        self.reference_file().write_bytes(pickle.dumps(saved))

    def test_cells(self):
        op = f.OPERATIONS[self.operation]
        self.assertTrue(self.reference_file().exists(), "no clean run of the operation before its cells")
        saved = pickle.loads(self.reference_file().read_bytes())
        reference = saved["reference"]
        op.keep(saved["kept"])
        cells = [(fault, boxes, data) for o, fault, boxes, data in MATRIX
                 if o == self.operation and fault in self.faults]
        self.assertEqual([c[0] for c in cells], self.faults)
        s = None if op.restarts else op.start(self)
        report = []
        for fault, boxes, data in cells:
            # An operation's own rule for a fault may name its own command.
            rule = op.rules.get(fault, FAULTS[fault])
            rule = rule if " " in rule else f"{rule} {op.target}"
            with self.subTest(fault=fault):
                if op.restarts:
                    if s:
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
                report.append(f"{self.operation} / {fault}: {took:.1f} s, boxes {seen}, "
                              f"data {self.describe(left, reference)}")
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


def main():
    """`--entries` lists the CTest entries (name, operation and faults,
    tab-separated); `--cells OPERATION FAULT,...` runs one entry, its clean
    run when no fault is given."""
    if sys.argv[1:2] == ["--entries"]:
        for name, operation, faults in entries():
            print(f"{name}\t{operation}\t{','.join(faults)}")
        return
    if sys.argv[1:2] == ["--cells"] and len(sys.argv) >= 3:
        FaultMatrix.operation = sys.argv[2]
        FaultMatrix.faults = [x for x in (sys.argv[3] if len(sys.argv) > 3 else "").split(",") if x]
        method = "test_cells" if FaultMatrix.faults else "test_clean_run"
        sys.argv = [sys.argv[0], f"FaultMatrix.{method}"]
    t.h.main()


if __name__ == "__main__":
    main()
