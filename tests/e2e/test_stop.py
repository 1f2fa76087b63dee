"""Long phone operations stopped by the user with "Прервать", Enter or Esc:
what the table, the phone and the folder hold afterwards and the one box
that says so; and a program closed in the middle of a silent exchange."""

import time
import unittest

import transfers as t
import upload_steps as u
import vmharness as h

PHONE_BOOK = h.ID["IDM_PHONEBOOK"]
PHOTOS = h.ID["IDM_PHOTOS"]
GET_ALL = h.ID["IDM_GET_ALL"]
STOP = h.ID["IDC_PROGRESS_STOP"]
VK_RETURN = 13
VK_ESCAPE = 27
DATA = h.ROOT / "tests" / "e2e" / "data"
BOOK_TITLE = "Телефонная книга"
# The phone holds its answer this long, so that the stop arrives while the
# command is under way.
HOLD_MS = 3000


def entry(pos):
    return {"pos": pos, "name": f"Абонент {pos}", "numbers": [f"8903{pos:07d}", "", "", "", ""],
            "stamp": "20240101T101010"}


def wait_until(done, what, timeout=90):
    deadline = time.monotonic() + timeout
    while not done():
        if time.monotonic() > deadline:
            raise AssertionError(f"never: {what}")
        time.sleep(0.05)


def stop_box(text, icon):
    return (t.CAPTION, text, icon)


class Stop(t.TransferTest):
    def wait_for_command(self, s, prefix):
        """Waits until the phone has got a command that starts with `prefix`."""
        wait_until(lambda: any(c.startswith(prefix) for c in s.sim.commands()), prefix)

    def stopped(self, s, press, expected_box):
        """Stops the operation under way with `press` and answers the one box
        it shows; the frame is usable again soon after."""
        dialog = s.ok("wait", t.PROGRESS)
        pressed = time.monotonic()
        press(dialog)
        s.ok("dlgtext", dialog, h.ID["IDC_PROGRESS_TEXT"], "--expect", "Остановка...")
        self.assertEqual(s.ok("enabled", f"{dialog}/{STOP}"), "0")
        box = s.msgbox(timeout_ms=30000)
        self.assertLess(time.monotonic() - pressed, 9)
        self.assertEqual((box.caption, box.text, box.icon), expected_box)
        s.answer(box, 1)
        s.ok("gone", t.PROGRESS)
        s.ok("enabled", h.FRAME, "--expect", "1")

    def test_a_stopped_read_keeps_the_positions_read_and_opens_the_table(self):
        book = [entry(pos) for pos in range(1, 51)]
        s = self.start({"key": "0471", "limits": {"phonebook": 50}, "phonebook": book},
                       rules=[f"delay,ms={HOLD_MS} AT#PBOKR=10"])
        before = self.open_table(s, PHONE_BOOK, BOOK_TITLE)
        s.ok("post", h.FRAME, t.RECEIVE)
        s.ok("gone", before)
        self.wait_for_command(s, b"AT#PBOKR=10")
        self.stopped(s, lambda dialog: s.ok("answer", dialog, STOP), stop_box(
            "Чтение с телефона прервано: прочитано позиций 10 из 50.\nВ таблице только записи этих позиций.",
            "information"))
        self.table_window(s, BOOK_TITLE)
        self.assertEqual([(r[0], r[1], r[9]) for r in t.rows(s, "phbook")],
                         [(e["name"], e["numbers"][0], e["pos"]) for e in book[:10]])
        self.assertEqual(t.commands(s, b"AT#PBOKR="), [f"AT#PBOKR={i}" for i in range(1, 11)])

    def test_a_stopped_write_ends_the_write_session_and_the_phone_holds_the_rows_written(self):
        def fill_table(s):
            for pos in range(1, 51):
                t.update(s, f"INSERT INTO phbook VALUES ('Row {pos}', '8916{pos:07d}', '', '', '', '', "
                            f"'', '', '20240101T101010', {pos})")

        s = self.start({"key": "0471", "limits": {"phonebook": 60}, "phonebook": [entry(1)]},
                       rules=[f"delay,ms={HOLD_MS} AT#PBOKW=0,0,20,*"], prepare=fill_table)
        self.open_table(s, PHONE_BOOK, BOOK_TITLE)
        s.ok("post", h.FRAME, t.WRITE)
        self.wait_for_command(s, b"AT#PBOKW=0,0,20,")
        self.stopped(s, lambda dialog: s.ok("key", dialog, VK_ESCAPE), stop_box(
            "Запись в телефон прервана: телефон принял записей: 20.\nВ телефоне теперь только эти записи.",
            "warning"))
        written = t.commands(s, b"AT#PBOKW=0")
        self.assertEqual(len(written), 20)
        self.assertEqual(t.commands(s, b"")[-3:], ["AT#PBEND=E", "at#pbmnw=d", "at#pbsyn=s"])
        phone = s.sim.state()["phonebook"]
        self.assertEqual([(e["pos"], e["name"]) for e in phone], [(pos, f"Row {pos}") for pos in range(1, 21)])

    def test_a_stopped_download_keeps_only_the_files_that_arrived_whole(self):
        photos = [("17", "/DCIM/Park.jpg", "photo_park.jpg"), ("18", "/DCIM/Cat.jpg", "photo_cat.jpg"),
                  ("19", "/DCIM/Zeros.jpg", "photo_zeros.jpg")]
        # The second photo's blocks come late, each still within the time the
        # program gives a block, so that the stop finds it on its way.
        s = self.start({"model": "SCH-E250", "photos": [
            {"id": i, "tag": tag, "path": path, "file": f"tests/e2e/data/{name}"}
            for i, (tag, path, name) in enumerate(photos, 1)]}, rules=["delay,ms=400 AT#PMLUL=2,*"])
        self.open_table(s, PHOTOS, "Фотографии")
        s.ok("post", h.FRAME, GET_ALL)
        # The second photo is on its way: eight blocks of about half a second each.
        self.wait_for_command(s, b"AT#PMLUL=2,2")
        self.stopped(s, lambda dialog: s.ok("key", dialog, VK_RETURN), stop_box(
            "Копирование файлов с телефона прервано: сохранено файлов 1 из 3.\n"
            "Сохранены только файлы, полученные целиком.", "information"))
        images = s.dir / "Images"
        self.assertEqual(sorted(p.name for p in images.iterdir()), ["Park.jpg_17.jpg"])
        self.assertEqual((images / "Park.jpg_17.jpg").read_bytes(), (DATA / "photo_park.jpg").read_bytes())
        self.assertEqual(t.commands(s, b"AT#PMLUL=3,"), [])

    def test_a_stopped_picture_upload_leaves_no_picture_on_the_phone(self):
        s = self.start({"model": "SCH-E250"}, rules=[f'delay,ms={HOLD_MS} AT#PMCDL=*,3,"*'])
        picture = s.dir / "picture.jpg"
        picture.write_bytes(u.sample(4000))
        s.ok("post", h.FRAME, h.ID["IDM_PICTURE"])
        u.choose(s, s.ok("wait", u.PICTURE_DIALOG), picture)
        wait_until(lambda: b"3" in [c.split(b",")[7] for c in u.sent(s, "AT#PMCDL=")], "the third block")
        self.stopped(s, lambda dialog: s.ok("answer", dialog, STOP), stop_box(
            "Загрузка файла в телефон прервана: телефон не сохранил файл.", "information"))
        blocks = [c.split(b",")[7] for c in u.sent(s, "AT#PMCDL=")]
        self.assertEqual(blocks, [b"1", b"2", b"3"])
        self.assertFalse(any(upload["complete"] for upload in s.sim.state()["uploads"]["pictures"]))


@unittest.skipIf(h.FAST, "the silence lasts as long in either exchange")
class StopOnClose(t.TransferTest):
    def test_closing_during_a_silent_exchange_ends_the_program_without_force(self):
        s = self.session(sim_state={"model": "SCH-E250"})
        s.start_phone()
        s.sim.set_rules(["silence AT#PSTRM=*"])
        program = s.start_program()
        s.wait_frame(timeout_ms=40000)
        s.ok("post", h.FRAME, h.ID["IDM_SMS"])
        panel = s.child_dialog(h.FRAME)
        self.assertIsNotNone(panel, "no SMS panel")
        s.ok("settext", panel, h.ID["IDC_SMS_RECIPIENT"], "89031234567")
        s.ok("settext", panel, h.ID["IDC_SMS_TEXT"], "Тишина")
        s.ok("post", panel, h.ID["IDC_SMS_SEND"])
        s.ok("wait", t.PROGRESS)
        wait_until(lambda: any(c.startswith(b"AT#PSTRM=") for c in s.sim.commands()), "the SMS command")
        # The phone stays silent for the whole 24 s of the exchange.
        time.sleep(1)
        closed = time.monotonic()
        s.ok("close", h.FRAME)
        s.wait_exit(program, timeout=30)
        self.assertLess(time.monotonic() - closed, 30)
        output = (s.dir / "velarmon.out").read_text("utf-8", "replace")
        self.assertNotIn("did not stop in time", output)


if __name__ == "__main__":
    h.main()
