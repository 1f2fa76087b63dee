"""Uploads: the block escaping, block framing and sizes, the melody places in
the melody list, and the queries around animation uploads."""

import unittest

from util import Phone, cp

from phonesim import media
from phonesim.blockdata import FramingError, unescape

ESCAPED = b"\x08\x0a\x0d\x22\x7d"


def melody(place, name, number, data):
    return b'AT#PUMDL=%d,"%s",3,%d,"%s"' % (place, cp(name), number, media.escape(data))


def picture(number, data, name="Кот.jpg", size=b"640,480", stamp=b"20240301T101500"):
    return b'AT#PMCDL=1,%s,0,0,"%s",%s,%d,"%s"' % (size, cp(name), stamp, number, media.escape(data))


def animation(number, data, dims=(2, 100, 100), name="Огонь"):
    return b'AT#PMIDL=%d,%d,%d,1,3,0,0,"%s",%d,"%s"' % (*dims, cp(name), number, media.escape(data))


def sample(size: int) -> bytes:
    return (bytes(range(256)) + ESCAPED * 20)[::-1] * (size // 356) + bytes(size % 356)


class EscapeTest(unittest.TestCase):
    def test_every_byte_round_trips_and_each_pair_means_its_byte(self):
        data = bytes(range(256)) + ESCAPED
        self.assertEqual(unescape(media.escape(data)), data)
        self.assertEqual(unescape(b"\x7d\x28\x7d\x2a\x7d\x2d\x7d\x02\x7d\x5d"), ESCAPED)

    def test_framing_faults(self):
        for bad in (b"ab\x7d", b"\x7d\x29", b"a\rb", b"\x08"):
            with self.assertRaises(FramingError, msg=bad):
                unescape(bad)


class MelodyTest(unittest.TestCase):
    LIST = [{"id": 1, "name": "My Bell 1"}, {"id": 2, "name": "My Bell 3"}, {"id": 5, "name": "a"},
            {"id": 7, "name": "b", "size": 9}, {"id": 9, "name": "c"}, {"id": 12, "name": "after"}]

    def test_whole_blocks_without_block_zero_then_a_short_file(self):
        phone, data = Phone({"melodies": self.LIST}), sample(360)
        phone.ok(melody(1, "Звон, 1.mid", 1, data[:180]))
        phone.ok(melody(1, "Звон, 1.mid", 2, data[180:]))
        self.assertIn(b"7,360," + cp("Звон, 1.mid"), phone.ok("AT#PUGSN?"))
        entry = phone.state["uploads"]["melodies"][0]
        self.assertEqual((entry["place"], entry["blocks"], entry["complete"]), (1, [1, 2], False))
        self.assertEqual(entry["hex"], data.hex().encode())
        phone.ok(melody(1, "x.mid", 0, b"\x00" * 5))  # another name: the next file, not a fault
        self.assertEqual([e["complete"] for e in phone.state["uploads"]["melodies"]], [False, True])
        self.assertEqual(phone.ok("AT#PUGSN?")[3:6], [b"5,0,a", b"7,5,x.mid", b"9,0,c"])

    def test_list_without_my_bell_3_grows(self):
        phone = Phone({"melodies": [{"id": 4, "name": "x"}]})
        phone.ok(melody(2, "t.mid", 0, b"\x7d"))
        self.assertEqual(phone.ok("AT#PUGSN?"), [b"#PUGSN: 5", b"4,0,x", b"5,0,My Bell 3", b"6,0,", b"7,0,",
                                                 b"8,1,t.mid"])

    def test_framing_faults_change_nothing(self):
        phone = Phone()
        phone.ok(melody(0, "a", 1, bytes(180)))
        for line in (melody(3, "a", 0, b"x"), melody(0, "a", 2, bytes(179)), melody(0, "a", 0, b""),
                     melody(0, "a", 0, bytes(180)), melody(0, "a", 3, bytes(180)), melody(0, "b", 2, bytes(180)),
                     melody(1, "a", 2, bytes(180)), b'AT#PUMDL=0,"a",3,2,"' + bytes(179) + b'\x7d"'):
            self.assertTrue(phone.refused(line), line)
        self.assertEqual([e["blocks"] for e in phone.state["uploads"]["melodies"]], [[1]])


class PictureTest(unittest.TestCase):
    def test_whole_blocks_end_with_a_full_block_zero(self):
        phone, data = Phone(), sample(792)
        phone.ok(picture(1, data[:396]))
        phone.ok(picture(0, data[396:]))
        entry = phone.state["uploads"]["pictures"][0]
        self.assertEqual((entry["name"], entry["size"], entry["stamp"]),
                         (cp("Кот.jpg"), b"640,480", b"20240301T101500"))
        self.assertEqual((entry["blocks"], entry["complete"], entry["hex"]), ([1, 0], True, data.hex().encode()))

    def test_framing_faults(self):
        phone = Phone()
        phone.ok(picture(1, bytes(396), size=b"176,150"))
        for line in (picture(0, b"x", size=b"176,160"), picture(0, b"x", size=b"176,150", stamp=b"20240301T101501"),
                     picture(0, b"x"), picture(0, b"x", size=b"176,150", name="Пёс.jpg"),
                     picture(2, bytes(395), size=b"176,150"), picture(0, bytes(397), size=b"176,150")):
            self.assertTrue(phone.refused(line), line)
        phone.ok(picture(0, bytes(3), size=b"176,150"))
        phone.ok(picture(0, b"x"))  # block 0 after a finished picture starts the next one
        self.assertEqual([e["size"] for e in phone.state["uploads"]["pictures"]], [b"176,150", b"640,480"])


class AnimationTest(unittest.TestCase):
    def test_whole_blocks_end_with_an_empty_block_zero(self):
        phone, data = Phone(), sample(20000)
        for n in range(100):
            phone.ok(animation(n + 1, data[n * 200:(n + 1) * 200]))
        self.assertEqual(phone.ok("AT#PMGLG?"), [b"#PMGLG: 0"])
        phone.ok(animation(0, b""))
        entry = phone.state["uploads"]["animations"][0]
        self.assertEqual((entry["frames"], entry["width"], entry["height"]), (2, 100, 100))
        self.assertEqual((len(entry["blocks"]), entry["complete"], entry["hex"]), (101, True, data.hex().encode()))
        self.assertEqual(phone.ok("AT#PMGLG?"), [b"#PMGLG: 1"])

    def test_size_and_dimensions_are_checked(self):
        phone = Phone()
        phone.ok(animation(1, bytes(200), dims=(3, 10, 10)))
        self.assertTrue(phone.refused(animation(0, bytes(10), dims=(3, 10, 11))))
        self.assertTrue(phone.refused(animation(0, bytes(99), dims=(3, 10, 10))))
        phone.ok(animation(0, bytes(100), dims=(3, 10, 10)))

    def test_memory_query(self):
        self.assertEqual(Phone().ok("AT#PMMEM?"), [b"#PMMEM: 1048576,2097152"])
        self.assertEqual(Phone({"memory": {"free": 10}}).ok("AT#PMMEM?"), [b"#PMMEM: 10,2097152"])
        for line in ("AT#PMMEM", "AT#PMMEM=?", "AT#PMGLG=1"):
            self.assertTrue(Phone().refused(line), line)


if __name__ == "__main__":
    unittest.main()
