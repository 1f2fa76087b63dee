import os
import tempfile
import unittest

from util import cp

from phonesim.faults import RuleBook, RuleError, parse_rule, parse_rules
from phonesim.reply import Reply, plan


def ok_reply(*lines: bytes) -> Reply:
    return Reply(b"", list(lines), True)


class RuleParseTest(unittest.TestCase):
    def test_action_options_and_pattern_with_blanks(self):
        rule = parse_rule("split,size=4,pause=50 AT#PSTRM=*, 4098")
        self.assertEqual((rule.action, rule.options, rule.pattern), ("split", {"size": "4", "pause": "50"},
                                                                     "AT#PSTRM=*, 4098"))

    def test_bad_rules(self):
        for text in ("error", "explode AT", "split,foo=1 AT", "delay,ms=x AT", "huge,at=middle AT",
                     r"raw,data=\q AT"):
            with self.assertRaises(RuleError, msg=text):
                parse_rule(text)

    def test_comments_and_blank_lines(self):
        self.assertEqual(len(parse_rules("# note\n\nerror AT\n  # more\nsilence AT+GMM\n")), 2)

    def test_matching_is_case_insensitive_unless_asked(self):
        self.assertTrue(parse_rule("error AT#PBSYN=S").matches(b"at#pbsyn=s"))
        self.assertFalse(parse_rule("error,case=1 AT#PBSYN=S").matches(b"at#pbsyn=s"))

    def test_glob_and_cyrillic_pattern(self):
        self.assertTrue(parse_rule("error AT#PBOKW=*Иван*").matches("AT#PBOKW=0,0,1,\"Иван\"".encode("cp1251")))
        self.assertFalse(parse_rule("error AT#PBOKR=1").matches(b"AT#PBOKR=10"))

    def test_patterns_match_lines_holding_any_byte(self):
        line = b'AT#PUMDL=0,"' + cp("Я") + b'",3,1,"' + bytes(range(256)) + b'"'
        self.assertTrue(parse_rule("error,skip=1,times=1 AT#PUMDL=*").matches(line))
        self.assertTrue(parse_rule('error at#pumdl=0,"?",3,*').matches(line))
        self.assertTrue(parse_rule('error *"я"*').matches(line))
        self.assertFalse(parse_rule("silence AT#PMCDL=*").matches(line))
        self.assertFalse(parse_rule("error *Я*").matches(b"ss"))

    def test_skip_and_times(self):
        rule = parse_rule("error,skip=1,times=2 AT")
        self.assertEqual([rule.try_fire(b"AT") for _ in range(5)], [False, True, True, False, False])

    def test_default_carrying_out(self):
        self.assertFalse(parse_rule("error AT").executes)
        self.assertFalse(parse_rule("close AT").executes)
        self.assertTrue(parse_rule("close,reply=1 AT").executes)
        self.assertTrue(parse_rule("split AT").executes)
        self.assertTrue(parse_rule("error,exec=1 AT").executes)


class RuleBookTest(unittest.TestCase):
    def test_control_file_is_reread_when_it_changes(self):
        with tempfile.TemporaryDirectory() as tmp:
            path = os.path.join(tmp, "faults.txt")
            book = RuleBook([parse_rule("delay,ms=5 AT")], path)
            self.assertTrue(book.refresh())
            self.assertEqual([r.action for r in book.fire(b"AT")], ["delay"])
            with open(path + ".new", "w") as f:
                f.write("error AT\n")
            os.replace(path + ".new", path)
            self.assertTrue(book.refresh())
            self.assertFalse(book.refresh())
            self.assertEqual([r.action for r in book.fire(b"AT")], ["error", "delay"])

    def test_bad_control_file_is_reported_and_ignored(self):
        with tempfile.TemporaryDirectory() as tmp:
            path = os.path.join(tmp, "faults.txt")
            with open(path, "w") as f:
                f.write("error AT\nnonsense\n")
            book = RuleBook([], path)
            book.refresh()
            self.assertIn("nonsense", book.load_error)
            self.assertEqual(book.file_rules, [])


class PlanTest(unittest.TestCase):
    def test_no_rule_sends_echo_and_reply(self):
        self.assertEqual(plan(Reply(b"AT\r", [], True), []).pieces(), [b"AT\r\r\nOK\r\n"])

    def test_silence(self):
        self.assertIsNone(plan(ok_reply(), [parse_rule("silence AT")]).data)

    def test_error(self):
        self.assertEqual(plan(ok_reply(b"#X: 1"), [parse_rule("error AT")]).data, b"\r\nERROR\r\n")

    def test_raw(self):
        result = plan(ok_reply(b"#X: 1"), [parse_rule(r"raw,data=\r\n#PCKEY:\s\r\n\r\nOK\r\n AT")])
        self.assertEqual(result.data, b"\r\n#PCKEY: \r\n\r\nOK\r\n")

    def test_garbage_never_spells_ok_or_error(self):
        data = plan(ok_reply(), [parse_rule("garbage,len=5000,seed=7 AT")]).data
        self.assertEqual(len(data), 5000)
        self.assertNotIn(b"OK", data)
        self.assertNotIn(b"ERROR", data)

    def test_noise_goes_before_the_reply(self):
        data = plan(ok_reply(), [parse_rule("noise,len=10 AT")]).data
        self.assertEqual(len(data), 16)
        self.assertTrue(data.endswith(b"\r\nOK\r\n"))

    def test_long_pads_quoted_texts(self):
        data = plan(ok_reply(b'#PIMMR: 1,2,"ab"'), [parse_rule("long,len=40 AT")]).data
        self.assertIn(b'"ab' + b"abcdefghijklmnopqrstuvwxyzabcdefghijkl" + b'"', data)

    def test_huge_answer(self):
        data = plan(ok_reply(b"#PUGSN: 0"), [parse_rule("huge,len=5000 AT")]).data
        self.assertGreater(len(data), 5000)
        self.assertTrue(data.startswith(b"\r\n#PUGSN: 0\r\n"))
        self.assertTrue(data.endswith(b"\r\nOK\r\n"))
        at_start = plan(ok_reply(b"#PUGSN: 0"), [parse_rule("huge,len=5000,at=start AT")]).data
        self.assertTrue(at_start.startswith(b"\r\nxxxx"))

    def test_split_by_size_and_offsets(self):
        by_size = plan(ok_reply(b"#PCKEY: 1"), [parse_rule("split,size=4,pause=100 AT")])
        self.assertEqual(b"".join(by_size.pieces()), b"\r\n#PCKEY: 1\r\n\r\nOK\r\n")
        self.assertTrue(all(len(p) <= 4 for p in by_size.pieces()))
        self.assertEqual(by_size.pause, 0.1)
        at = plan(ok_reply(b"#PBOKR: 1,2"), [parse_rule("split,at=9/99 AT")]).pieces()
        self.assertEqual(at, [b"\r\n#PBOKR:", b" 1,2\r\n\r\nOK\r\n"])

    def test_delay_and_close(self):
        result = plan(ok_reply(), [parse_rule("delay,ms=1500 AT"), parse_rule("close,reply=1,reopen=2 AT")])
        self.assertEqual((result.delay, result.close_after, result.close_before, result.reopen), (1.5, True, False, 2))
        self.assertTrue(plan(ok_reply(), [parse_rule("close AT")]).close_before)

    def test_numeric_result_codes(self):
        self.assertEqual(Reply(b"", [b"+GMM: X"], True, verbose=False).body(), b"+GMM: X\r\n0\r")
        self.assertEqual(Reply(b"", [], False, verbose=False).body(), b"4\r")


if __name__ == "__main__":
    unittest.main()
