"""Photos and movies: the catalogue, the escaping, and whole files fetched block
by block and put together the way the program does it."""

import os
import tempfile
import time
import unittest

from util import Phone, cp

from phonesim import media, state
from phonesim.faults import parse_rule
from phonesim.harness import PhoneSim
from phonesim.reply import Reply, plan

DATA = os.path.join(state.ROOT, "tests", "e2e", "data")
PARK, CAT = "tests/e2e/data/photo_park.jpg", "tests/e2e/data/photo_cat.jpg"
STREET, SEA = "tests/e2e/data/clip_street.mp4", "tests/e2e/data/clip_sea.mp4"
PHONE = {
    "photos": [{"id": 4, "tag": "18", "path": "/DCIM/Кот.jpg", "file": CAT},
               {"id": 1, "tag": "17", "path": "/DCIM/Photo 01.jpg", "file": PARK}],
    "movies": [{"id": 3, "tag": "7", "path": "/Movie/clip.mp4", "file": STREET},
               {"id": 5, "tag": "8", "path": "sea.mp4", "file": SEA}],
}
PHOTO_END = b"\xff\xd9\xff\x22\x20\x00\x0d\x0a"


def contents(name: str) -> bytes:
    with open(os.path.join(state.ROOT, name), "rb") as f:
        return f.read()


# The program's side, written from its description: what it decodes, how it
# tells that a file is complete, and how it puts the blocks together.

def decode(data: bytes) -> bytes:
    """Writes a received file: 7D escapes, and the quote sequences it skips."""
    padded = data + b"\0\0"
    out, i = bytearray(), 0
    while i < len(data):
        b = padded[i]
        if b == 0x7D:
            nxt = padded[i + 1]
            out.append(0x7D if nxt == 0x5D else nxt + 0x20 if nxt <= 0x20 else nxt - 0x20)
            i += 2
        elif b == 0x22 and padded[i + 1:i + 3] == b"\n\r":
            i += 3
        elif b == 0x22 and padded[i + 1:i + 3] == b" \0":
            i += 11
        else:
            out.append(b)
            i += 1
    return bytes(out)


def photo_complete(received: bytes) -> bool:
    return PHOTO_END in received or b"\0" * 16 in received


def _data_start(received: bytes, pos: int) -> int:
    first = received.find(b',"', pos)
    second = received.find(b',"', first + 2) if first >= 0 else -1
    return second + 2 if second >= 0 else -1


def assemble_photo(received: bytes) -> bytes | None:
    header = b"\r\n#PMLUL: "
    at = received.find(header)
    if at < 0:
        return None
    out, pos = bytearray(), at + len(header)
    while True:
        start = _data_start(received, pos)
        following = received.find(header, start)
        if following >= 0:
            out += received[start:following]
            pos = following + len(header)
            continue
        end = received.find(b"\xff\xd9", start)
        out += received[start:end + 2] if end >= 0 else b"\xff\xd9"
        return bytes(out)


def assemble_movie(received: bytes) -> bytes:
    header, ok = b"\r\n#PMMUL: ", b"\r\n\r\nOK\r\n"
    out, pos = bytearray(), 0
    while (at := received.find(header, pos)) >= 0:
        start = _data_start(received, at + 10)
        if start < 0:
            break
        following = received.find(header, start)
        close = received.find(ok, start, following if following >= 0 else len(received))
        if following >= 0:
            out += received[start:close - 1] if close >= 0 else received[start:following]
            pos = following - 1
            continue
        if close >= 0:
            out += received[start:close - 1]
        else:
            zero = received.find(b"\0", start)
            out += received[start:zero if zero >= 0 else len(received)]
        break
    return bytes(out)


def fetch(ask, photo: bool, ident: int, limit: int = 40) -> tuple[bytes, int]:
    """Asks for blocks 1, 2, ... until the program would stop; (received, requests)."""
    command = b"AT#PMLUL=" if photo else b"AT#PMMUL="
    end = b"\r\n#PMMUL: %d,0" % ident
    received = b""
    for n in range(1, limit + 1):
        received += ask(command + b"%d,%d" % (ident, n))
        if photo_complete(received) if photo else end in received:
            return received, n
    return received, limit


def in_process(phone: Phone, *rules: str, blocks: str = "length"):
    """Answers as they go on the line, with these fault rules applied."""
    phone.ctx.blocks = blocks

    def ask(line: bytes) -> bytes:
        outcome = phone.run(line)
        reply = Reply(b"", outcome.lines, outcome.result(), True, outcome.line_end)
        return plan(reply, [parse_rule(r) for r in rules]).data
    return ask


class CatalogueTest(unittest.TestCase):
    def test_empty_lists(self):
        phone = Phone()
        for query, marker in ((b"AT#PMCGL?", b"#PMCGL"), (b"AT#PMMGL?", b"#PMMGL")):
            self.assertEqual(in_process(phone)(query), b"\r\n" + marker + b": 0\n\r\r\nOK\r\n")

    def test_over_long_fields_fault(self):
        ask = in_process(Phone(PHONE), "long,len=60,fields=2/3 AT#PM?GL?")
        photo = ask(b"AT#PMCGL?").split(b"\n\r")[1]
        movie = ask(b"AT#PMMGL?").split(b"\n\r")[1]
        tag, path = photo.split(b",")[1:3]
        self.assertEqual((len(tag), len(path)), (60, 60))
        self.assertTrue(tag.startswith(b"17") and path.startswith(b"/DCIM/Photo 01.jpg"))
        self.assertRegex(movie, rb'^3,7[a-z]{59},"/Movie/clip\.mp4[a-z]{45}",3819$')


class EscapeTest(unittest.TestCase):
    def test_every_byte_value_and_the_real_files_survive(self):
        every = bytes(range(256))
        escaped = media.escape(every)
        self.assertFalse(set(escaped) & set(b"\x08\x0a\x0d\x22"))
        self.assertEqual(len(escaped), 256 + 5)
        for data in [every] + [contents(n) for n in (PARK, CAT, STREET, SEA)]:
            self.assertEqual(decode(media.escape(data)), data)


class BlockTest(unittest.TestCase):
    def test_last_photo_block_keeps_the_end_marker_whole(self):
        data = b"\xff\xd8" + (bytes(range(256)) * 4)[:2 * media.BLOCK - 3] + b"\xff\xd9"
        with tempfile.TemporaryDirectory() as tmp:
            path = os.path.join(tmp, "odd.jpg")
            with open(path, "wb") as f:
                f.write(data)
            for blocks, third in (("length", b"2"), ("named", b"odd.jpg")):
                with self.subTest(blocks=blocks):
                    phone = Phone({"photos": [{"id": 2, "tag": "x", "path": "odd.jpg", "file": path}]})
                    received, requests = fetch(in_process(phone, blocks=blocks), True, 2)
                    self.assertEqual(requests, 3)
                    self.assertIn(b'\r\n#PMLUL: 2,3,"%s","\xff\xd9\xff" \x00\r\n\r\nOK\r\n' % third, received)
                    self.assertEqual(decode(assemble_photo(received)), data)

    def test_named_blocks(self):
        data = b"\xff\xd8\x22\x0a" + b"A" * 508 + b"BBBB\xff\xd9"  # a block of 512 bytes, then one of 6
        with tempfile.TemporaryDirectory() as tmp:
            path = os.path.join(tmp, "small.jpg")
            with open(path, "wb") as f:
                f.write(data)
            ask = in_process(Phone({"photos": [{"id": 7, "tag": "x", "path": '/DCIM/Кот "1",2.jpg', "file": path}],
                                    "movies": [{"id": 8, "tag": "y", "path": "/Movie/clip.mp4", "file": path}]}),
                             blocks="named")
            name = cp("Кот 12.jpg")
            self.assertEqual(ask(b"AT#PMLUL=7,1"),
                             b'\r\n#PMLUL: 7,1,"' + name + b'","\xff\xd8\x7d\x02\x7d\x2a' + b"A" * 508 + b'"\n\r')
            self.assertEqual(ask(b"AT#PMLUL=7,2"),
                             b'\r\n#PMLUL: 7,2,"' + name + b'","BBBB\xff\xd9\xff" \x00\r\n\r\nOK\r\n')
            self.assertEqual(ask(b"AT#PMLUL=7,3"), b"\r\n#PMLUL: 7,0\r\n\r\nOK\r\n")
            self.assertEqual(ask(b"AT#PMMUL=8,2"), b'\r\n#PMMUL: 8,2,"clip.mp4","BBBB\xff\xd9"\r\n\r\nOK\r\n')
            self.assertEqual(ask(b"AT#PMLUL=9,1"), b"\r\nERROR\r\n")

    def test_unknown_id_and_block_past_the_end(self):
        ask = in_process(Phone(PHONE))
        self.assertEqual(ask(b"AT#PMLUL=2,1"), b"\r\nERROR\r\n")
        self.assertEqual(ask(b"AT#PMMUL=9,1"), b"\r\nERROR\r\n")
        self.assertEqual(ask(b"AT#PMLUL=4,9"), b"\r\n#PMLUL: 4,0\r\n\r\nOK\r\n")

    def test_block_without_header_fault_leaves_no_file(self):
        received, requests = fetch(in_process(Phone(PHONE), "headless AT#PMLUL=*"), True, 4)
        self.assertEqual(requests, 8)  # the end mark still arrives
        self.assertTrue(received.startswith(b'4,1,"512","'))
        self.assertIsNone(assemble_photo(received))


class LiveTransferTest(unittest.TestCase):
    """Through the simulator on a pty, read 256 bytes at a time as the program reads."""

    def sim(self, baud: int = 0, rules: list[str] | None = None, blocks: str = "length"):
        tmp = tempfile.TemporaryDirectory()
        self.addCleanup(tmp.cleanup)
        sim = PhoneSim(tmp.name, state=PHONE, rules=rules, baud=baud, blocks=blocks)
        sim.start()
        self.addCleanup(sim.stop)
        port = sim.connect()
        self.addCleanup(port.close)
        port.exchange(b"ATE0")
        port.exchange(b"AT#PMODE=1")

        def ask(line: bytes, timeout: float = 3.0) -> bytes:
            port.send(line + b"\r\n")
            got, limit = b"", time.monotonic() + timeout
            # A named photo block but the last ends with its quote and LF CR, no result.
            while not got.endswith((b"OK\r\n", b"ERROR\r\n", b'"\n\r')) and time.monotonic() < limit:
                try:
                    got += os.read(port.fd, 256)
                except BlockingIOError:
                    time.sleep(0.005)
            return got
        return ask

    def test_catalogue(self):
        ask = self.sim()
        self.assertEqual(ask(b"AT#PMCGL?"), b"\r\n#PMCGL: 2\n\r1,17,/DCIM/Photo 01.jpg,4553\n\r4,18,"
                         + cp("/DCIM/Кот.jpg") + b",3738\n\r\r\nOK\r\n")
        self.assertEqual(ask(b"AT#PMMGL?"), b'\r\n#PMMGL: 2\n\r3,7,"/Movie/clip.mp4",3819\n\r5,8,"sea.mp4",3095'
                         b"\n\r\r\nOK\r\n")

    def test_photo_and_movie_at_line_speed(self):
        for blocks in media.FORMATS:
            with self.subTest(blocks=blocks):
                ask = self.sim(baud=115200, blocks=blocks)
                received, requests = fetch(ask, True, 1)
                self.assertEqual(requests, 9)
                self.assertEqual(received.count(b"OK\r\n"), 9 if blocks == "length" else 1)
                self.assertEqual(decode(assemble_photo(received)), contents(PARK))
                received, requests = fetch(ask, False, 3)
                self.assertEqual(requests, 9)  # eight blocks, then the one past the end
                self.assertEqual(decode(assemble_movie(received)), contents(STREET))

    def test_endless_fault_never_ends_a_file(self):
        ask = self.sim(rules=["endless AT#PM?UL=*"])
        for photo, ident, blocks in ((True, 4, 8), (False, 5, 7)):
            received, _ = fetch(ask, photo, ident, limit=3 * blocks)
            self.assertFalse(photo_complete(received) if photo else b"#PMMUL: 5,0" in received)
            self.assertEqual(received.count(b'","'), 3 * blocks)  # a data block every time

    def test_silence_after_some_blocks(self):
        ask = self.sim(rules=["silence,skip=2 AT#PMMUL=*"])
        self.assertTrue(ask(b"AT#PMMUL=3,1").endswith(b'"\r\n\r\nOK\r\n'))
        self.assertTrue(ask(b"AT#PMMUL=3,2").endswith(b'"\r\n\r\nOK\r\n'))
        self.assertEqual(ask(b"AT#PMMUL=3,3", timeout=0.5), b"")
        self.assertEqual(ask(b"AT#PMLUL=1,1", timeout=0.5)[-4:], b"OK\r\n")


if __name__ == "__main__":
    unittest.main()
