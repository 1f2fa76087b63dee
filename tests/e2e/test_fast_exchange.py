"""The fast exchange says the same to the phone as the slow one: runs of
every kind of phone transfer with it off and with it on (and the phone's
final OK in two writes) send the same commands in the same order and leave
the same tables and files. The kinds go in three entries, each with both
runs."""

import time

import transfers as t
import vmharness as h

PHONE_BOOK, SCHEDULER, MEMOS, PHOTOS = (h.ID[n] for n in ("IDM_PHONEBOOK", "IDM_SCHEDULER", "IDM_MEMO", "IDM_PHOTOS"))
SMS, SEND = h.ID["IDM_SMS"], h.ID["IDC_SMS_SEND"]
GET_ALL = h.ID["IDM_GET_ALL"]
TABLES = ((PHONE_BOOK, "Телефонная книга", "phbook"), (SCHEDULER, "Еженедельник", "sched"),
          (MEMOS, "Заметки", "memo"))

STATE = {
    "model": "SCH-E250", "key": "471",
    "limits": {"phonebook": 6},
    "melodies": [{"id": 1, "name": "Весна"}],
    "phonebook": [{"pos": p, "name": n, "numbers": [num, "", "", "", ""], "stamp": "20050307T090503"}
                  for p, n, num in ((1, "Иван", "123"), (2, "BOOK OK", "0951234567"), (5, "Ёлка", "+7495"))],
    "scheduler": [{"pos": 0, "date": "20050310T100000", "start": "20050310T100000", "code": 0, "melody": 1,
                   "text": "Совещание"}],
    "memos": [{"pos": 0, "stamp": "20050305T121500", "text": "Купить хлеб"},
              {"pos": 4, "stamp": "20050306T080000", "text": "OK"}],
    "photos": [{"id": 1, "tag": "17", "path": "/DCIM/Photo 01.jpg", "file": "tests/e2e/data/photo_park.jpg"}],
}


class FastExchange(t.TransferTest):
    def sms_panel(self, s):
        panel = s.child_dialog(h.FRAME)
        if not panel:
            self.fail("no SMS panel")
        return panel

    def run_transfers(self, fast, kinds):
        """The transfers of `kinds` once; the phone's log and state, the tables
        and the photo."""
        name = f"{self.id().split('.')[-1]}-{'fast' if fast else 'slow'}"
        s = h.ProgramSession(name, sim_state=STATE)
        self.addCleanup(s.stop)
        h.reg_set_dword("FastExchange", 1 if fast else 0)
        s.start_phone(split_ok=fast)
        started = time.monotonic()
        program = s.start_program()
        s.wait_frame(timeout_ms=40000)
        tables = {}
        photo = None
        for command, caption, table in TABLES:
            if table not in kinds:
                continue
            self.open_table(s, command, caption)
            self.exchange(s, t.RECEIVE)
            self.table_window(s, caption)
            tables[table] = t.rows(s, table)
            self.exchange(s, t.WRITE)
            s.ok("post", h.FRAME, t.CLOSE_TABLE)
        if "sms" in kinds:
            s.ok("post", h.FRAME, SMS)
            panel = self.sms_panel(s)
            s.ok("settext", panel, h.ID["IDC_SMS_RECIPIENT"], "89031234567")
            s.ok("settext", panel, h.ID["IDC_SMS_TEXT"], "Привет")
            s.ok("run", panel, SEND, t.PROGRESS, timeout_ms=60000)
        if "photo" in kinds:
            self.open_table(s, PHOTOS, "Фотографии")
            tables["photo"] = t.rows(s, "photo")
            self.exchange(s, GET_ALL)
            photo = (s.dir / "Images" / "Photo01.jpg_17.jpg").read_bytes()
        print(f"{'fast' if fast else 'slow'} exchange: {time.monotonic() - started:.1f} s", flush=True)
        # One instance at a time: the next run's program must not find this one.
        s.ok("post", h.FRAME, h.ID["IDM_EXIT"])
        self.assertEqual(s.wait_exit(program), 0)
        return s.sim.commands(), tables, photo, s.sim.state()

    def compare(self, *kinds):
        """The same transfers slow and fast: the same commands in the same
        order and the same tables, records and files."""
        slow = self.run_transfers(False, kinds)
        fast = self.run_transfers(True, kinds)
        self.assertEqual(fast[0], slow[0])
        self.assertEqual(fast[1], slow[1])
        self.assertEqual(fast[2], slow[2])
        for kind in ("phonebook", "scheduler", "memos", "sms"):
            self.assertEqual(fast[3].get(kind), slow[3].get(kind), kind)
        return slow

    # One entry each: the scheduler alone reads fifty positions slowly.
    def test_the_phone_book_and_the_memos(self):
        slow = self.compare("phbook", "memo")
        # The read found everything the phone holds, "OK" in its texts included.
        self.assertEqual(len(slow[1]["phbook"]), 3)
        self.assertEqual([row[1] for row in slow[1]["memo"]], ["Купить хлеб", "OK"])

    def test_the_scheduler(self):
        self.compare("sched")

    def test_an_sms_and_a_photo(self):
        self.compare("sms", "photo")


if __name__ == "__main__":
    h.main()
