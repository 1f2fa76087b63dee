"""Photos and movies between the real program and the simulated phone: the
lists their windows show, one photo and then all movies copied to the PC
byte for byte, a photo fetched again over its old file, and a photo the
phone never ends."""

import time

import transfers as t
import vmharness as h

PHOTOS = h.ID["IDM_PHOTOS"]
MOVIES = h.ID["IDM_MOVIES"]
GET_SELECTED = h.ID["IDM_GET_SELECTED"]
GET_ALL = h.ID["IDM_GET_ALL"]
VK_DOWN = 0x28
DATA = h.ROOT / "tests" / "e2e" / "data"

STATE = {
    "model": "SCH-E250",
    "photos": [{"id": 1, "tag": "17", "path": "/DCIM/Photo 01.jpg", "file": "tests/e2e/data/photo_park.jpg"},
               {"id": 2, "tag": "18", "path": "/DCIM/Кот 02.jpg", "file": "tests/e2e/data/photo_cat.jpg"}],
    "movies": [{"id": 3, "tag": "7", "path": "/Movie/street.mp4", "file": "tests/e2e/data/clip_street.mp4"},
               {"id": 4, "tag": "8", "path": "/Movie/sea.mp4", "file": "tests/e2e/data/clip_sea.mp4"}],
}


def files(folder):
    return sorted(p.name for p in folder.iterdir()) if folder.exists() else []


class MediaDownload(t.TransferTest):
    def progress_text(self, s, dialog, timeout=10):
        """The dialog's line once the worker has named its item."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            text = s.ok("dlgtext", dialog, h.ID["IDC_PROGRESS_TEXT"])
            if text:
                return text
            time.sleep(0.1)
        return ""

    def test_the_lists_show_the_phones_items_and_downloads_copy_them_exactly(self):
        s = self.start(STATE)
        photos = self.open_table(s, PHOTOS, "Фотографии")
        park, cat = (DATA / "photo_park.jpg").read_bytes(), (DATA / "photo_cat.jpg").read_bytes()
        self.assertEqual(t.rows(s, "photo"), [("17", "Photo 01.jpg", str(len(park)), 1),
                                              ("18", "Кот 02.jpg", str(len(cat)), 2)])

        # The second row: one file, named without its blank and Cyrillic letters.
        s.ok("key", photos, VK_DOWN)
        s.ok("post", h.FRAME, GET_SELECTED)
        dialog = s.ok("wait", t.PROGRESS)
        self.assertEqual(self.progress_text(s, dialog), "Процесс загрузки файла Кот 02.jpg_18")
        time.sleep(2)
        self.assertGreater(t.progress_fill(s, f"{dialog}/{h.ID['IDC_PROGRESS_BAR']}", "photo"), 0)
        s.ok("gone", t.PROGRESS, timeout_ms=60000)
        images = s.dir / "Images"
        self.assertEqual(files(images), ["02.jpg_18.jpg"])
        self.assertEqual((images / "02.jpg_18.jpg").read_bytes(), cat)

        # Fetched again, the file replaces the old one.
        (images / "02.jpg_18.jpg").write_bytes(b"old")
        self.exchange(s, GET_SELECTED)
        self.assertEqual((images / "02.jpg_18.jpg").read_bytes(), cat)

        self.open_table(s, MOVIES, "Фильмы")
        self.assertEqual([r[1] for r in t.rows(s, "camera")], ["street.mp4", "sea.mp4"])
        self.exchange(s, GET_ALL)
        moves = s.dir / "Moves"
        self.assertEqual(files(moves), ["sea.mp4_8.mp4", "street.mp4_7.mp4"])
        self.assertEqual((moves / "street.mp4_7.mp4").read_bytes(), (DATA / "clip_street.mp4").read_bytes())
        self.assertEqual((moves / "sea.mp4_8.mp4").read_bytes(), (DATA / "clip_sea.mp4").read_bytes())

    def test_a_photo_the_phone_never_ends_is_reported_and_the_next_one_follows(self):
        # Large blocks without pacing fill the program's receive buffer soon.
        s = self.start(STATE, rules=["endless,size=65536 AT#PMLUL=1,*"], baud=0)
        self.open_table(s, PHOTOS, "Фотографии")
        s.ok("post", h.FRAME, GET_ALL)
        s.ok("wait", t.PROGRESS)
        self.expect_box(s, t.CAPTION,
                        "Не удалось получить с телефона файл Photo 01.jpg_17: телефон не закончил его передачу.",
                        "error")
        s.ok("gone", t.PROGRESS, timeout_ms=60000)
        images = s.dir / "Images"
        self.assertEqual(files(images), ["02.jpg_18.jpg"])
        self.assertEqual((images / "02.jpg_18.jpg").read_bytes(), (DATA / "photo_cat.jpg").read_bytes())


if __name__ == "__main__":
    h.main()
