"""Photos and movies between the real program and the simulated phone: the
lists their windows show, one photo and then all movies copied to the PC
byte for byte, a photo fetched again over its old file, a photo deleted on
the phone among others (one of them with runs of zero bytes in its data), a
photo the phone never ends and one that cannot be written. The downloads run
against both forms of block the phone may send: a quoted length before the
data (from a quick phone), and a quoted file name with photo blocks closed
without an OK line (from a phone slow over every block). Each block is asked
for once and in order, with the fast exchange as without it."""

import shutil
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


def requests(command, index, data, past_end):
    """The block requests of one whole file, in order: one per 512 bytes (the
    simulated phone's block), and for a movie the one past its end."""
    count = -(-len(data) // 512) + (1 if past_end else 0)
    return [f"AT#{command}={index},{n}" for n in range(1, count + 1)]


def failed(name):
    return f"Не удалось получить с телефона файл {name}: телефон не закончил его передачу."


class MediaDownload(t.TransferTest):
    BLOCKS = "length"
    BLOCK_MS = 0

    def progress_text(self, s, dialog, timeout=10):
        """The dialog's line once the worker has named its item."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            text = s.ok("dlgtext", dialog, h.ID["IDC_PROGRESS_TEXT"])
            if text:
                return text
            time.sleep(0.1)
        return ""

    def seen_part_filled(self, s, dialog):
        """Whether the progress bar is seen filled at all while the dialog is
        up: looked at again until then, since a busy machine may draw it late."""
        bar = f"{dialog}/{h.ID['IDC_PROGRESS_BAR']}"
        while s.drive("wait", dialog, timeout_ms=50)[0] == 0:
            if t.progress_fill(s, bar, "photo") > 0:
                return True
            time.sleep(0.5)
        return False

    def lists_and_downloads(self):
        park, cat = (DATA / "photo_park.jpg").read_bytes(), (DATA / "photo_cat.jpg").read_bytes()
        # The first copy's blocks come late, each still well within the time
        # the program gives a block, so that its bar is seen part filled.
        late = f"delay,ms={450 - self.BLOCK_MS},times={len(requests('PMLUL', 2, cat, False))} AT#PMLUL=2,*"
        s = self.start(STATE, blocks=self.BLOCKS, block_ms=self.BLOCK_MS, rules=[late])
        photos = self.open_table(s, PHOTOS, "Фотографии")
        self.assertEqual(t.rows(s, "photo"), [("17", "Photo 01.jpg", str(len(park)), 1),
                                              ("18", "Кот 02.jpg", str(len(cat)), 2)])

        # The second row: one file, named without its blank and Cyrillic letters.
        s.ok("key", photos, VK_DOWN)
        s.ok("post", h.FRAME, GET_SELECTED)
        dialog = s.ok("wait", t.PROGRESS)
        self.assertEqual(self.progress_text(s, dialog), "Процесс загрузки файла Кот 02.jpg_18")
        self.assertTrue(self.seen_part_filled(s, dialog), "the bar never showed the copy under way")
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
        # Each block is asked for once, in order, whichever way its end was found.
        self.assertEqual(t.commands(s, b"AT#PMLUL="), requests("PMLUL", 2, cat, False) * 2)
        self.assertEqual(t.commands(s, b"AT#PMMUL="),
                         requests("PMMUL", 3, (DATA / "clip_street.mp4").read_bytes(), True) +
                         requests("PMMUL", 4, (DATA / "clip_sea.mp4").read_bytes(), True))

    def deleted_photo_among_others(self):
        """Three photos; the second is deleted on the phone after the list was
        read, so the phone refuses its blocks. The third holds runs of 32 zero
        bytes inside its data."""
        park, zeros = (DATA / "photo_park.jpg").read_bytes(), (DATA / "photo_zeros.jpg").read_bytes()

        def copy_cat(s):
            shutil.copy(DATA / "photo_cat.jpg", s.dir / "cat.jpg")
            s.sim_state["photos"][1]["file"] = str(s.dir / "cat.jpg")

        state = dict(STATE, photos=STATE["photos"] + [
            {"id": 3, "tag": "19", "path": "/DCIM/Zeros.jpg", "file": "tests/e2e/data/photo_zeros.jpg"}])
        state["photos"] = [dict(p) for p in state["photos"]]
        s = self.start(state, blocks=self.BLOCKS, prepare=copy_cat, block_ms=self.BLOCK_MS)
        self.open_table(s, PHOTOS, "Фотографии")
        (s.dir / "cat.jpg").unlink()
        started = time.monotonic()
        s.ok("post", h.FRAME, GET_ALL)
        s.ok("wait", t.PROGRESS)
        self.expect_box(s, t.CAPTION, failed("Кот 02.jpg_18"), "error")
        s.ok("gone", t.PROGRESS, timeout_ms=60000)
        self.assertLess(time.monotonic() - started, 60)
        images = s.dir / "Images"
        self.assertEqual(files(images), ["Photo01.jpg_17.jpg", "Zeros.jpg_19.jpg"])
        self.assertEqual((images / "Photo01.jpg_17.jpg").read_bytes(), park)
        self.assertEqual((images / "Zeros.jpg_19.jpg").read_bytes(), zeros)
        # The refused photo is given up at the refusal of its first block.
        self.assertEqual(t.commands(s, b"AT#PMLUL=2,"), ["AT#PMLUL=2,1"])


class LengthBlocks(MediaDownload):
    def test_the_lists_show_the_phones_items_and_downloads_copy_them_exactly(self):
        self.lists_and_downloads()

    def test_a_photo_deleted_on_the_phone_is_named_and_the_others_arrive_whole(self):
        self.deleted_photo_among_others()

    def test_a_photo_the_phone_never_ends_or_that_cannot_be_written_is_reported(self):
        # Large blocks without pacing: far more than the listed size arrives soon.
        s = self.start(STATE, rules=["endless,size=65536 AT#PMLUL=1,*"], baud=0)
        photos = self.open_table(s, PHOTOS, "Фотографии")
        s.ok("post", h.FRAME, GET_ALL)
        s.ok("wait", t.PROGRESS)
        self.expect_box(s, t.CAPTION, failed("Photo 01.jpg_17"), "error")
        s.ok("gone", t.PROGRESS, timeout_ms=60000)
        images = s.dir / "Images"
        self.assertEqual(files(images), ["02.jpg_18.jpg"])
        self.assertEqual((images / "02.jpg_18.jpg").read_bytes(), (DATA / "photo_cat.jpg").read_bytes())

        # A file where the folder should be: the photo arrives but cannot be written.
        shutil.rmtree(images)
        images.write_bytes(b"")
        s.ok("key", photos, VK_DOWN)
        s.ok("post", h.FRAME, GET_SELECTED)
        s.ok("wait", t.PROGRESS)
        path = "Z:" + str(images.resolve()).replace("/", "\\") + "\\02.jpg_18.jpg"
        self.expect_box(s, t.CAPTION, f"Не удалось записать файл {path}.", "error")
        s.ok("gone", t.PROGRESS, timeout_ms=60000)
        self.assertEqual(images.read_bytes(), b"")


class NamedBlocks(MediaDownload):
    """A slower phone, too: 150 ms over every block."""
    BLOCKS = "named"
    BLOCK_MS = 150

    def test_the_lists_show_the_phones_items_and_downloads_copy_them_exactly(self):
        self.lists_and_downloads()

    def test_a_photo_deleted_on_the_phone_is_named_and_the_others_arrive_whole(self):
        self.deleted_photo_among_others()


if __name__ == "__main__":
    h.main()
