import unittest

from util import cp

from phonesim import fields, stamp, textcodec
from phonesim.command import BASIC, EXEC, READ, SET, TEST, parse
from phonesim.linebuf import CONTINUE_WAIT, MAX_LINE, Line, LineAssembler, LineEnd


class TextCodecTest(unittest.TestCase):
    def test_every_byte_survives_the_state_file(self):
        data = bytes(range(256))
        self.assertEqual(textcodec.encode(textcodec.decode(data)), data)

    def test_cyrillic_reads_as_letters(self):
        self.assertEqual(textcodec.decode(cp("Привет")), "Привет")

    def test_character_outside_cp1251_is_refused(self):
        with self.assertRaises(ValueError):
            textcodec.encode("日本")

    def test_escape_keeps_cp1251_raw_and_escapes_controls(self):
        self.assertEqual(textcodec.escape(b"A\r\n\\\x01" + cp("Я")), b"A\\r\\n\\\\\\x01" + cp("Я"))

    def test_unescape_of_rule_text(self):
        self.assertEqual(textcodec.unescape(r"a\s\r\n\x00\,\\Я"), b"a \r\n\x00,\\" + cp("Я"))


class StampTest(unittest.TestCase):
    def test_valid_stamps(self):
        for text in (b"19800106T000000", b"20050307T090503", b"20240229T235959"):
            self.assertTrue(stamp.is_valid(text), text)

    def test_invalid_stamps(self):
        for text in (b"", b"2005030T090503", b"20050307 090503", b"20051307T090503", b"20050230T000000",
                     b"20230229T000000", b"20050307T240000", b"20050307T096000", b"19791231T235959",
                     b"2005030AT090503", b"20050307T0905031"):
            self.assertFalse(stamp.is_valid(text), text)


class FieldsTest(unittest.TestCase):
    def split(self, args: bytes):
        return [(f.value, f.quoted) for f in fields.split_fields(args)]

    def test_plain_and_quoted(self):
        self.assertEqual(self.split(b'1,"ab",,3'), [(b"1", False), (b"ab", True), (b"", False), (b"3", False)])

    def test_quote_inside_text_survives_without_comma(self):
        self.assertEqual(self.split(b'1,"a"b"'), [(b"1", False), (b'a"b', True)])

    def test_quote_comma_inside_text_ends_it(self):
        self.assertEqual(fields.layout_of(fields.split_fields(b'"a",b",1')), "quu")

    def test_unclosed_quote(self):
        self.assertIsNone(fields.split_fields(b'1,"abc'))

    def test_empty_quoted_text(self):
        self.assertEqual(self.split(b'""'), [(b"", True)])


class CommandParseTest(unittest.TestCase):
    def test_forms(self):
        self.assertEqual(parse(b"AT").form, BASIC)
        self.assertEqual(parse(b"ATE0V1").args, b"E0V1")
        self.assertEqual((parse(b"AT+GMM").name, parse(b"AT+GMM").form), (b"+GMM", EXEC))
        self.assertEqual(parse(b"AT#PCKEY?").form, READ)
        self.assertEqual(parse(b"AT#PISHW=?").form, TEST)
        cmd = parse(b"at#pbsyn=s")
        self.assertEqual((cmd.name, cmd.form, cmd.args), (b"#PBSYN", SET, b"s"))
        self.assertEqual(parse(b"AT*SKT*BEEP=1").name, b"*SKT*BEEP")

    def test_not_a_command(self):
        self.assertIsNone(parse(b"HELLO"))


class LineAssemblerTest(unittest.TestCase):
    def test_cr_lf_gives_one_line(self):
        lines = LineAssembler().feed(b"AT\r\nAT+GMM\r\n", 0.0)
        self.assertEqual([line.data for line in lines], [b"AT", b"AT+GMM"])
        self.assertEqual(lines[0].wire, b"AT\r")

    def test_bytes_in_pieces(self):
        asm = LineAssembler()
        self.assertEqual(asm.feed(b"AT#PB", 0.0), [])
        self.assertEqual([x.data for x in asm.feed(b"SEL?\r", 0.1)], [b"AT#PBSEL?"])

    def test_line_break_inside_quotes_continues_the_line(self):
        lines = LineAssembler().feed(b'AT#PSTRM=1,2,3,"a\r\nb",0,0,0, 4098\r\n', 0.0)
        self.assertEqual([x.data for x in lines], [b'AT#PSTRM=1,2,3,"a\r\nb",0,0,0, 4098'])

    def test_unbalanced_quote_ends_after_a_quiet_spell(self):
        asm = LineAssembler()
        self.assertEqual(asm.feed(b'AT#PIMMW=1,x,"a"b"\r\n', 0.0), [])
        self.assertEqual(asm.expire(CONTINUE_WAIT / 2), [])
        self.assertEqual([x.data for x in asm.expire(CONTINUE_WAIT + 0.01)], [b'AT#PIMMW=1,x,"a"b"'])

    def test_binary_line_ending_in_cr_alone_and_what_followed_each_cr(self):
        asm = LineAssembler()
        block = b'AT#PMIDL=1,"\x00\x80\xff}"'
        self.assertEqual(asm.events(block + b"\rAT\r", 0.0), [Line(block, block + b"\r"), LineEnd(False),
                                                                Line(b"AT", b"AT\r")])
        self.assertEqual(asm.events(b"\nAT", 0.1), [LineEnd(True)])

    def test_over_long_line_is_marked(self):
        line = LineAssembler().feed(b"A" * (MAX_LINE + 10) + b"\r", 0.0)[0]
        self.assertTrue(line.overflow)
        self.assertEqual(len(line.data), MAX_LINE)


if __name__ == "__main__":
    unittest.main()
