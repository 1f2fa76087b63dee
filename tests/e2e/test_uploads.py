"""Melodies, pictures and animations from the PC to the simulated phone,
chosen in the real open-file dialogs: what arrives byte for byte, the places
and sizes the dialogs offer, and the phone's refusals."""

import sqlite3
import time

import transfers as t
import upload_steps as u
import vmharness as h
from upload_steps import ANIMATION_DIALOG, MELODY_DIALOG, MELODY_ERROR, PICTURE_DIALOG, bitmap, sample, sent

CHOICE = h.ID["IDC_MEDIA_CHOICE"]
FRAMES = h.ID["IDC_ANIMATION_FRAMES"]
OK, CANCEL, YES, NO = 1, 2, 6, 7

LARGE_PICTURE = ("Внимание! Размер картинки (>64kB) может быть слишком велик.\n"
                 "Если Вы попробуете все-же проивести загрузку файла\n"
                 "в телефон, он может \"зависнуть\".Если это произойдет,\n"
                 "выключите телефон и включите его снова.\n"
                 "Продожить операцию?")
NOT_ANIMATION = ("Внимание! Выбранный Вами файл не является файлом анимации,\n"
                 "либо неверно указаны параметры: количество кадров и размер.\n"
                 "Повторите выбор.")

MELODIES = [{"id": 1, "size": 900, "name": "Весна"}, {"id": 2, "size": 800, "name": "My Bell 3"},
            {"id": 3, "size": 700, "name": "Вальс"}]


def melody_names(s):
    with sqlite3.connect(s.database) as db:
        db.text_factory = bytes
        return [name.decode("cp1251") for (name,) in db.execute("SELECT name FROM musik ORDER BY mus_id")]


class Uploads(t.TransferTest):
    def uploads(self, s, kind):
        return s.sim.state()["uploads"][kind]

    def test_a_melody_goes_to_the_chosen_place_and_an_error_stops_it(self):
        s = self.start({"model": "SCH-E250", "melodies": MELODIES})
        melody = s.dir / "Весна 2.mmf"
        data = sample(361)
        melody.write_bytes(data)

        s.ok("post", h.FRAME, h.ID["IDM_MELODY"])
        dialog = s.ok("wait", MELODY_DIALOG)
        self.assertEqual(s.ok("dlgtext", dialog, OK), "Записать")
        self.assertEqual(s.ok("cbitems", dialog, CHOICE).splitlines(), ["1. Вальс", "2. Пусто", "3. Пусто"])
        s.ok("cbsel", dialog, CHOICE, 2)
        u.choose(s, dialog, melody)
        s.ok("gone", t.PROGRESS, timeout_ms=60000)

        [upload] = self.uploads(s, "melodies")
        self.assertEqual((upload["place"], upload["name"], upload["blocks"], upload["complete"]),
                         (2, "Весна 2.mmf", [1, 2, 0], True))
        self.assertEqual(bytes.fromhex(upload["hex"]), data)
        # The list was read again, and the third place names the new melody.
        self.assertEqual(len(sent(s, "AT#PUGSN?")), 2)
        self.assertEqual(melody_names(s), ["Весна\r", "My Bell 3\r", "Вальс\r", "\r", "Весна 2.mmf\r"])

        # The phone refuses the second block: a box, and no third block.
        s.sim.set_rules(["error,skip=1,times=1 AT#PUMDL=*"])
        before = len(sent(s, "AT#PUMDL="))
        s.ok("post", h.FRAME, h.ID["IDM_MELODY"])
        dialog = s.ok("wait", MELODY_DIALOG)
        u.choose(s, dialog, melody)
        self.expect_box(s, t.CAPTION, MELODY_ERROR, "error")
        s.ok("gone", t.PROGRESS, timeout_ms=60000)
        self.assertEqual(len(sent(s, "AT#PUMDL=")) - before, 2)
        self.assertEqual(len(sent(s, "AT#PUGSN?")), 3)

    def test_a_large_picture_asks_first_and_goes_with_one_stamp_and_the_chosen_size(self):
        s = self.start({"model": "SCH-E250"})
        picture = s.dir / "photo.jpg"
        data = sample(70 * 1024, seed=3)
        picture.write_bytes(data)

        s.ok("post", h.FRAME, h.ID["IDM_PICTURE"])
        dialog = s.ok("wait", PICTURE_DIALOG)
        self.assertEqual(s.ok("dlgtext", dialog, h.ID["IDC_MEDIA_LABEL"]), "Размер рис:")
        self.assertEqual(s.ok("cbitems", dialog, CHOICE).splitlines(), ["640x480", "320x240", "176x150", "160x120"])
        s.ok("cbsel", dialog, CHOICE, 3)
        u.choose(s, dialog, picture)
        self.expect_box(s, t.CAPTION, LARGE_PICTURE, "error", button=NO)
        s.ok("gone", t.PROGRESS, timeout_ms=30000)
        self.assertEqual(sent(s, "AT#PMCDL"), [])

        s.ok("post", h.FRAME, h.ID["IDM_PICTURE"])
        dialog = s.ok("wait", PICTURE_DIALOG)
        s.ok("cbsel", dialog, CHOICE, 3)
        u.choose(s, dialog, picture)
        self.expect_box(s, t.CAPTION, LARGE_PICTURE, "error", button=YES)
        s.ok("gone", t.PROGRESS, timeout_ms=180000)
        [upload] = self.uploads(s, "pictures")
        self.assertEqual((upload["size"], upload["name"], upload["complete"]), ("160,120", "photo.jpg", True))
        self.assertEqual(upload["blocks"], list(range(1, 182)) + [0])
        self.assertEqual(bytes.fromhex(upload["hex"]), data)
        stamps = {c.split(b",")[6] for c in sent(s, "AT#PMCDL=")}
        self.assertEqual(len(stamps), 1)

    def test_an_animation_goes_back_to_front_after_its_frames_are_checked(self):
        # Another model: the picture dialog offers its three sizes.
        s = self.start({"model": "SCH-X100"})
        s.ok("post", h.FRAME, h.ID["IDM_PICTURE"])
        dialog = s.ok("wait", PICTURE_DIALOG)
        self.assertEqual(s.ok("cbitems", dialog, CHOICE).splitlines(), ["640x480", "320x240", "176x168"])
        s.ok("answer", dialog, CANCEL)
        s.ok("gone", dialog)

        animation = s.dir / "clip.bmp"
        data, pixels = bitmap(4, 128, 128)
        animation.write_bytes(data)

        # Two frames chosen for a file of four: refused, no block sent.
        s.ok("post", h.FRAME, h.ID["IDM_ANIMATION"])
        dialog = s.ok("wait", ANIMATION_DIALOG)
        s.ok("cbsel", dialog, FRAMES, 1)
        u.choose(s, dialog, animation)
        self.expect_box(s, t.CAPTION, NOT_ANIMATION, "error")
        s.ok("gone", t.PROGRESS, timeout_ms=30000)
        self.assertEqual(sent(s, "AT#PMIDL"), [])

        s.ok("post", h.FRAME, h.ID["IDM_ANIMATION"])
        dialog = s.ok("wait", ANIMATION_DIALOG)
        u.choose(s, dialog, animation)
        progress = s.ok("wait", t.PROGRESS)
        s.ok("dlgtext", progress, h.ID["IDC_PROGRESS_TEXT"], "--expect", "Процесс загрузки файла clip.bmp_")
        # The bar's range is the file's size: after a few seconds of 200-byte
        # blocks it has moved, but not far.
        time.sleep(8)
        fill = t.progress_fill(s, f"{progress}/{h.ID['IDC_PROGRESS_BAR']}", "animation")
        self.assertGreater(fill, 0)
        self.assertLess(fill, 0.5)
        s.ok("gone", t.PROGRESS, timeout_ms=240000)
        [upload] = self.uploads(s, "animations")
        self.assertEqual((upload["frames"], upload["width"], upload["height"], upload["complete"]), (4, 128, 128, True))
        self.assertEqual(upload["blocks"], list(range(1, 328)) + [0])
        self.assertEqual(bytes.fromhex(upload["hex"]), pixels[::-1])
        commands = s.sim.commands()
        self.assertEqual(commands[-1], b"AT#PMGLG?")
        self.assertIn(b"AT#PMMEM?", commands)
        # Every block ends in a quote and CR alone.
        received = (s.dir / "received.bin").read_bytes()
        self.assertEqual(received.count(b"AT#PMIDL="), 328)
        self.assertNotIn(b"\"\r\n", received[received.index(b"AT#PMIDL="):received.index(b"AT#PMGLG?")])


if __name__ == "__main__":
    h.main()
