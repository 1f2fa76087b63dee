"""The scheduler and the memos between the real program and the simulated
phone: choices by code, melodies by number and name, texts cut at a line
break, every position asked; rows without a start or a text left out, an
empty memo stamp written with the current time."""

import time

import transfers as t
import vmharness as h

SCHEDULER = h.ID["IDM_SCHEDULER"]
MEMOS = h.ID["IDM_MEMO"]
MELODIES = [{"id": 1, "name": "Весна"}, {"id": 2, "name": "Полёт шмеля"}]
FIXED = "19800106T000000"


def entry(pos, start, code, melody, text):
    return {"pos": pos, "date": start, "start": start, "code": code, "melody": melody, "text": text}


SCHEDULE = [
    entry(0, "20050310T100000", 1, 1, "Совещание"),
    entry(3, "20050308T090000", 0, 2, "Встреча\rзал 5"),
    entry(12, "20050401T183000", 2, 9, "Dentist"),
    entry(20, "20050402T070000", 3, 0, "Бег"),
    # A melody field that is no number must not reach the database.
    entry(49, "20051231T235900", 1, "1 OR 1=1", "Новый год"),
]
MEMO_LIST = [{"pos": 0, "stamp": "20050305T121500", "text": "Купить хлеб и молоко"},
             {"pos": 1, "stamp": "20050306T080000", "text": "Позвонить\r\nв банк"},
             {"pos": 5, "stamp": "20050307T200000", "text": "Call back Petr"},
             {"pos": 9, "stamp": "20050308T200000", "text": "Ёж"}]


class SchedulerAndMemoTransfer(t.TransferTest):
    def test_scheduler_choices_melodies_and_texts_both_ways(self):
        s = self.start({"melodies": MELODIES, "scheduler_choices": ["0", "5", "15"], "scheduler": SCHEDULE})
        self.open_table(s, SCHEDULER, "Еженедельник")
        self.exchange(s, t.RECEIVE)
        self.table_window(s, "Еженедельник")
        self.assertEqual(t.rows(s, "sched"), [
            ("20050310T100000", "5", "Совещание", "Весна\r", 0),
            ("20050308T090000", "0", "Встреча", "Полёт шмеля\r", 3),
            ("20050401T183000", "15", "Dentist", "", 12),
            ("20050402T070000", "", "Бег", "", 20),
            ("20051231T235900", "5", "Новый год", "", 49),
        ])
        self.assertEqual(t.commands(s, b"AT#PISH"), ["AT#PISHW=?"] + [f"AT#PISHR={i}" for i in range(50)])

        # A choice the phone does not list, a row without a start, an empty text.
        t.update(s, "UPDATE sched SET choice='7' WHERE id=3")
        t.update(s, "UPDATE sched SET starts='' WHERE id=20")
        t.update(s, "UPDATE sched SET content='' WHERE id=12")
        self.reopen_table(s, SCHEDULER, "Еженедельник")
        read = len(s.sim.commands())
        self.exchange(s, t.WRITE)
        self.assertEqual([c.decode("cp1251") for c in s.sim.commands()[read:]], [
            "AT#PISHW=?", "AT#PISHW=D",
            f'AT#PISHW=0,{FIXED},20050310T100000,20050310T100000,1,1,"Совещание"',
            f'AT#PISHW=3,{FIXED},20050308T090000,20050308T090000,0,2,"Встреча"',
            f'AT#PISHW=12,{FIXED},20050401T183000,20050401T183000,2,0,""',
            f'AT#PISHW=49,{FIXED},20051231T235900,20051231T235900,1,0,"Новый год"',
            "at#pissy=s",
        ])
        on_phone = s.sim.state()["scheduler"]
        self.assertEqual([(e["pos"], e["start"], e["code"], e["melody"], e["text"]) for e in on_phone],
                         [(0, "20050310T100000", 1, 1, "Совещание"), (3, "20050308T090000", 0, 2, "Встреча"),
                          (12, "20050401T183000", 2, 0, ""), (49, "20051231T235900", 1, 0, "Новый год")])

    def test_memos_both_ways(self):
        s = self.start({"memos": MEMO_LIST})
        self.open_table(s, MEMOS, "Заметки")
        self.exchange(s, t.RECEIVE)
        self.table_window(s, "Заметки")
        self.assertEqual(t.rows(s, "memo"), [("20050305T121500", "Купить хлеб и молоко", 0),
                                             ("20050306T080000", "Позвонить", 1),
                                             ("20050307T200000", "Call back Petr", 5),
                                             ("20050308T200000", "Ёж", 9)])
        self.assertEqual(t.commands(s, b"AT#PIMMR="), [f"AT#PIMMR={i}" for i in range(10)])

        # A text without its stamp and a stamp without its text.
        t.update(s, "UPDATE memo SET stamp='' WHERE id=1")
        t.update(s, "UPDATE memo SET content='' WHERE id=5")
        self.reopen_table(s, MEMOS, "Заметки")
        read = len(s.sim.commands())
        started = time.strftime("%Y%m%dT%H%M%S")
        self.exchange(s, t.WRITE)
        ended = time.strftime("%Y%m%dT%H%M%S")
        written = [c.decode("cp1251") for c in s.sim.commands()[read:]]
        stamp = written[2][len("AT#PIMMW=1,"):][:15]
        self.assertTrue(started <= stamp <= ended, stamp)
        self.assertEqual(written, ["AT#PIMMW=D", 'AT#PIMMW=0,20050305T121500,"Купить хлеб и молоко"',
                                   f'AT#PIMMW=1,{stamp},"Позвонить"', 'AT#PIMMW=9,20050308T200000,"Ёж"',
                                   "AT#PIMSY=S"])
        self.assertEqual([(m["pos"], m["stamp"], m["text"]) for m in s.sim.state()["memos"]],
                         [(0, "20050305T121500", "Купить хлеб и молоко"), (1, stamp, "Позвонить"),
                          (9, "20050308T200000", "Ёж")])
        self.assertEqual(t.rows(s, "memo")[1], ("", "Позвонить", 1))


if __name__ == "__main__":
    h.main()
