"""The simulator as a process on a real pseudo-terminal, driven like the program drives it."""

import errno
import os
import tempfile
import time
import unittest

from test_uploads import animation, melody
from util import cp

from phonesim.harness import PhoneSim

START = [b"ATE0", b"AT#PMODE=1", b"AT#PCKEY=471"]
STATE = {"key": "0471", "phonebook": [{"pos": 1, "name": "Иван", "numbers": ["123", "", "", "", ""],
                                       "stamp": "20050307T090503"}]}


class LiveCase(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.addCleanup(self.tmp.cleanup)

    def sim(self, **kwargs) -> PhoneSim:
        sim = PhoneSim(self.tmp.name, **kwargs)
        sim.start()
        self.addCleanup(sim.stop)
        return sim

    def wait_for(self, predicate, timeout=5.0):
        limit = time.monotonic() + timeout
        while time.monotonic() < limit:
            if predicate():
                return True
            time.sleep(0.02)
        return False


class DialogueTest(LiveCase):
    def test_start_up_dialogue_with_echo_until_ate0(self):
        sim = self.sim(state=STATE)
        with sim.connect() as port:
            self.assertEqual(port.exchange(b"AT"), b"AT\r\r\nOK\r\n")
            self.assertEqual(port.exchange(b"ATE0V1"), b"ATE0V1\r\r\nOK\r\n")
            self.assertEqual(port.exchange(b"AT#PMODE=1"), b"\r\nOK\r\n")
            self.assertEqual(port.exchange(b"AT#PCKEY?"), b"\r\n#PCKEY: 0471\r\n\r\nOK\r\n")
            self.assertEqual(port.exchange(b"AT+GMM"), b"\r\n+GMM: SCH-E120\r\n\r\nOK\r\n")
            self.assertEqual(port.exchange(b"AT#PBOKR=1"), b"\r\nERROR\r\n")
            self.assertEqual(port.exchange(b"AT#PCKEY=471"), b"\r\nOK\r\n")
            self.assertEqual(port.exchange(b"AT#PBOKR=1"),
                             b'\r\n#PBOKR: 0,0,1,"' + cp("Иван") + b'",123,,,,,,,,,"","",20050307T090503\r\n\r\nOK\r\n')

    def test_capture_keeps_every_byte_received_with_its_line_end(self):
        sim = self.sim(state={"echo": False})
        with sim.connect() as port:
            port.exchange(b"AT")
            port.send(b"AT+GMM\r")
            port.read_until((b"OK\r\n",), 3.0)
        self.assertEqual(sim.received(), b"AT\r\nAT+GMM\r")
        self.assertEqual(sim.commands(), [b"AT", b"AT+GMM"])

    def test_log_records_every_command_as_sent(self):
        sim = self.sim(state=STATE)
        with sim.connect() as port:
            port.exchange(b"AT")
            port.exchange(b"at#pbsyn=s")
            port.exchange(cp('AT#PIMMW=1,20240101T000000,"Заметка\\"'))
        self.assertEqual(sim.commands(), [b"AT", b"at#pbsyn=s", cp('AT#PIMMW=1,20240101T000000,"Заметка\\"')])
        kinds = [kind for _, kind, _ in sim.log()]
        self.assertIn("NOTE", kinds)
        times = [t for t, kind, _ in sim.log() if kind == "CMD"]
        self.assertEqual(times, sorted(times))

    def test_state_is_written_after_each_change_and_flat(self):
        sim = self.sim(state=STATE)
        with sim.connect() as port:
            for line in START:
                port.exchange(line)
            self.assertTrue(port.exchange(b"AT#PBOKW=D").endswith(b"OK\r\n"))
            self.assertEqual(sim.state()["phonebook"], [])
            write = cp('AT#PBOKW=0,0,4,"Пётр",555,,,,,,,,,"","",20240101T101010')
            self.assertTrue(port.exchange(write).endswith(b"OK\r\n"))
            self.assertEqual(sim.state()["phonebook"][0]["name"], "Пётр")
            with open(sim.flat_path, "rb") as f:
                self.assertIn(b"phonebook.4.name=" + cp("Пётр") + b"\n", f.read())

    def test_sms_text_with_line_break_is_one_command(self):
        sim = self.sim()
        with sim.connect() as port:
            port.exchange(b"AT#PMODE=1")
            command = cp('AT#PSTRM=0951112233,,3,"Привет,\r\nмир",1,0,0, 4098')
            self.assertTrue(port.exchange(command).endswith(b"\r\nOK\r\n"))
        self.assertEqual(sim.commands()[-1], command)
        self.assertEqual(sim.state()["sms"], [{"to": "0951112233", "from": "", "text": "Привет,\r\nмир", "save": True}])

    def test_save_on_request_and_at_exit(self):
        sim = self.sim(state={"model": "SCH-E250"})
        os.remove(sim.state_path)
        sim.request_save()
        self.assertTrue(self.wait_for(lambda: os.path.exists(sim.state_path)))
        os.remove(sim.state_path)
        self.assertEqual(sim.stop(), 0)
        self.assertEqual(sim.state()["model"], "SCH-E250")
        self.assertFalse(os.path.lexists(sim.link))


class ConnectionTest(LiveCase):
    def test_reopened_port_starts_a_new_session(self):
        sim = self.sim(state=STATE)
        with sim.connect() as port:
            for line in START:
                port.exchange(line)
            self.assertTrue(port.exchange(b"AT#PBSEL?").endswith(b"OK\r\n"))
        self.assertTrue(self.wait_for(lambda: any(b"closed by the program" in t for _, _, t in sim.log())))
        with sim.connect() as port:
            self.assertEqual(port.exchange(b"AT#PBSEL?"), b"\r\nERROR\r\n")

    def test_close_fault_ends_the_line(self):
        sim = self.sim(rules=["close AT+GMM"])
        with sim.connect() as port:
            port.exchange(b"AT")
            port.send(b"AT+GMM\r\n")
            self.assertEqual(sim.proc.wait(timeout=5), 0)
            self.assertEqual(os.read(port.fd, 10), b"")
            with self.assertRaises(OSError) as caught:
                port.send(b"AT\r\n")
            self.assertEqual(caught.exception.errno, errno.EIO)
        self.assertFalse(os.path.lexists(sim.link))

    def test_close_after_reply_and_reopen(self):
        sim = self.sim(rules=["close,reply=1,reopen=1 AT+GMM"])
        with sim.connect() as port:
            reply = port.exchange(b"AT+GMM")
            # A reply lost at the close names why in the simulator's log.
            events = [text for _, kind, text in sim.log() if kind == "EVT"]
            self.assertTrue(reply.endswith(b"OK\r\n"), (reply, events))
            self.assertTrue(self.wait_for(lambda: not os.path.lexists(sim.link), 3))
        self.assertTrue(self.wait_for(lambda: os.path.lexists(sim.link), 5))
        with sim.connect() as port:
            self.assertEqual(port.exchange(b"AT"), b"AT\r\r\nOK\r\n")


class FaultTest(LiveCase):
    def test_silence_then_normal_answer(self):
        sim = self.sim(rules=["silence,times=1 AT"])
        with sim.connect() as port:
            self.assertEqual(port.exchange(b"AT", timeout=0.5), b"")
            self.assertEqual(port.exchange(b"AT"), b"AT\r\r\nOK\r\n")

    def test_control_file_change_applies_to_the_next_command(self):
        sim = self.sim()
        with sim.connect() as port:
            self.assertTrue(port.exchange(b"AT").endswith(b"OK\r\n"))
            sim.set_rules(["error AT"])
            self.assertTrue(port.exchange(b"AT").endswith(b"ERROR\r\n"))
            sim.set_rules([])
            self.assertTrue(port.exchange(b"AT").endswith(b"OK\r\n"))
        self.assertEqual([t for _, k, t in sim.log() if k == "FLT"], [b"error AT"])

    def test_error_fault_does_not_carry_the_command_out(self):
        sim = self.sim(state=STATE, rules=["error AT#PBOKW=D"])
        with sim.connect() as port:
            port.exchange(b"AT#PMODE=1")
            self.assertTrue(port.exchange(b"AT#PBOKW=D").endswith(b"ERROR\r\n"))
        self.assertEqual(len(sim.state()["phonebook"]), 1)

    def test_split_reply_arrives_in_pieces_with_pauses(self):
        sim = self.sim(rules=["split,at=12,pause=400 AT+GMM"])
        with sim.connect() as port:
            port.send(b"AT+GMM\r\n")
            first = port.read_until((b"+GMM",), 2.0)
            time.sleep(0.2)
            first += port.read_now()
            self.assertEqual(first, b"AT+GMM\r\r\n+GM")
            rest = port.read_until((b"OK\r\n",), 2.0)
            self.assertEqual(rest, b"M: SCH-E120\r\n\r\nOK\r\n")

    def test_a_final_ok_can_come_in_two_writes(self):
        sim = self.sim(args=["--split-ok", "300"])
        with sim.connect() as port:
            port.send(b"AT+GMM\r\n")
            first = port.read_until((b"\r\nO",), 2.0)
            time.sleep(0.15)
            first += port.read_now()
            self.assertEqual(first, b"AT+GMM\r\r\n+GMM: SCH-E120\r\n\r\nO")
            self.assertEqual(port.read_until((b"OK\r\n",), 2.0), b"K\r\n")
            self.assertEqual(port.exchange(b"ATX"), b"ATX\r\r\nERROR\r\n")


class UploadTest(LiveCase):
    def test_binary_blocks_ending_in_cr_lf_and_in_cr_alone(self):
        sim = self.sim(rules=["error,skip=1,times=1 AT#PUMDL=*"])
        tune = bytes(range(256))[::-1] + bytes(104)  # blocks 1 and 2, no block 0
        pixels = bytes(range(256)) + b"\x7d\x00" * 22  # 1 x 15 x 20: blocks 1 and 0
        with sim.connect() as port:
            port.exchange(b"ATE0")
            port.exchange(b"AT#PMODE=1")
            replies = [port.exchange(melody(0, "Звон.mid", n, tune[a:a + 180]))
                       for n, a in ((1, 0), (2, 180), (2, 180))]
            self.assertEqual(replies, [b"\r\nOK\r\n", b"\r\nERROR\r\n", b"\r\nOK\r\n"])
            dims = (1, 15, 20)
            port.send(animation(1, pixels[:200], dims) + b"\r" + animation(0, pixels[200:], dims) + b"\r")
            got, limit = b"", time.monotonic() + 3
            while got.count(b"OK\r\n") < 2 and time.monotonic() < limit:
                got += port.read_until((b"OK\r\n",), 0.1)
            self.assertEqual(got, b"\r\nOK\r\n" * 2)
            self.assertEqual(port.exchange(b"AT#PMGLG?"), b"\r\n#PMGLG: 1\r\n\r\nOK\r\n")
        uploads = {kind: [(e["blocks"], e["hex"], e["lf"]) for e in entries]
                   for kind, entries in sim.state()["uploads"].items()}
        self.assertEqual(uploads, {"melodies": [([1, 2], tune.hex(), True)], "pictures": [],
                                   "animations": [([1, 0], pixels.hex(), False)]})
        self.assertEqual(sim.commands()[2], melody(0, "Звон.mid", 1, tune[:180]))


class PacingTest(LiveCase):
    def timed_answer(self, baud: int) -> tuple[float, int]:
        sim = self.sim(baud=baud, rules=["huge,len=5700 AT#PUGSN?"], args=["--think", "0"])
        with sim.connect() as port:
            port.exchange(b"ATE0")
            port.exchange(b"AT#PMODE=1")
            port.send(b"AT#PUGSN?\r\n")
            got = port.read_until((b"\r\n#",), 2.0)
            start = time.monotonic()
            got += port.read_until((b"OK\r\n",), 5.0)
            return time.monotonic() - start, len(got)

    def test_output_runs_at_115200_baud(self):
        elapsed, size = self.timed_answer(115200)
        expected = size * 10 / 115200
        self.assertGreater(size, 5700)
        self.assertGreater(elapsed, expected * 0.8)
        self.assertLess(elapsed, expected * 2 + 0.2)

    def test_slower_line_when_told(self):
        elapsed, size = self.timed_answer(57600)
        self.assertGreater(elapsed, size * 10 / 57600 * 0.8)

    def test_a_slow_phone_takes_its_time_over_media_blocks_only(self):
        sim = self.sim(args=["--think", "0", "--block-ms", "300"])
        with sim.connect() as port:
            port.exchange(b"ATE0")
            port.exchange(b"AT#PMODE=1")
            times = []
            for line in (b"AT#PMMEM?", melody(0, "a.mmf", 0, b"x")):
                start = time.monotonic()
                self.assertEqual(port.exchange(line)[-6:], b"\r\nOK\r\n")
                times.append(time.monotonic() - start)
        self.assertLess(times[0], 0.2)
        self.assertGreater(times[1], 0.29)


if __name__ == "__main__":
    unittest.main()
