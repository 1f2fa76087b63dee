import unittest

from util import Phone, cp

PB_ENTRY = {"pos": 3, "name": "Иван", "numbers": ["123", "", "+7495", "", "9"], "text1": "дом", "text2": "",
            "stamp": "20050307T090503"}


def pb_write(pos="5", name="Пётр", numbers=("555", "", "", "", ""), t1="a", t2="b", stamp="20240101T101010"):
    nums = "".join(f",{n}," for n in numbers)
    return f'AT#PBOKW=0,0,{pos},"{name}"{nums}"{t1}","{t2}",{stamp}'


class StartUpTest(unittest.TestCase):
    def test_plain_at_and_echo_settings(self):
        phone = Phone()
        self.assertEqual(phone.ok("AT"), [])
        phone.ctx.echo = True
        phone.ok("ATE0V1")
        self.assertFalse(phone.ctx.echo)
        self.assertTrue(phone.ctx.verbose)
        self.assertTrue(phone.refused("ATX7"))

    def test_key_with_leading_zero_is_reported_as_stored(self):
        self.assertEqual(Phone({"key": "0471"}).ok("AT#PCKEY?"), [b"#PCKEY: 0471"])

    def test_empty_key_gives_a_bare_prefix(self):
        self.assertEqual(Phone({"key": ""}).ok("AT#PCKEY?"), [b"#PCKEY: "])

    def test_key_is_compared_as_a_number(self):
        phone = Phone({"key": "0471"}, unlocked=False)
        self.assertTrue(phone.refused("AT#PCKEY=472"))
        self.assertFalse(phone.ctx.session.unlocked)
        phone.ok("AT#PCKEY=471")
        self.assertTrue(phone.ctx.session.unlocked)

    def test_empty_key_is_unlocked_by_zero(self):
        Phone({"key": ""}, unlocked=False).ok("AT#PCKEY=0")

    def test_model_and_link_queries(self):
        phone = Phone({"model": "SCH-E250", "own_number": "0957654321", "pcout": "2", "pclnk": "1"})
        self.assertEqual(phone.ok("AT+GMM"), [b"+GMM: SCH-E250"])
        self.assertEqual(phone.ok("AT#PCMIT?"), [b"#PCMIT: 0957654321"])
        self.assertEqual(phone.ok("AT#PCOUT?"), [b"#PCOUT: 2"])
        self.assertEqual(phone.ok("AT#PCLNK?"), [b"#PCLNK: 1"])
        self.assertTrue(phone.refused("AT+GMM=1"))

    def test_melody_list_lines(self):
        phone = Phone({"melodies": [{"id": 2, "name": "Весна", "size": 900}, {"id": 1, "name": "A,b"}]})
        self.assertEqual(phone.ok("AT#PUGSN?"), [b"#PUGSN: 2", b"1,0,A,b", b"2,900," + cp("Весна")])

    def test_empty_melody_list(self):
        self.assertEqual(Phone().ok("AT#PUGSN?"), [b"#PUGSN: 0"])

    def test_beep(self):
        Phone().ok("AT*SKT*BEEP=1")

    def test_pc_mode_is_needed_for_phone_commands(self):
        phone = Phone()
        phone.ctx.session.pmode = False
        self.assertTrue(phone.refused("AT#PCKEY?"))
        phone.ok("AT+GMM")
        phone.ok("AT#PMODE=1")
        phone.ok("AT#PCKEY?")

    def test_pc_mode_rule_can_be_switched_off(self):
        phone = Phone({"require_pmode": False})
        phone.ctx.session.pmode = False
        phone.ok("AT#PCKEY?")

    def test_unknown_command(self):
        self.assertTrue(Phone().refused("AT#PXXXX?"))
        self.assertTrue(Phone().refused("hello"))


class PhoneBookTest(unittest.TestCase):
    def test_selection_reports_used_and_range(self):
        phone = Phone({"phonebook": [PB_ENTRY], "limits": {"phonebook": 120}})
        self.assertEqual(phone.ok("AT#PBSEL?"), [b'#PBSEL: "PH",1,"(1-120)"'])

    def test_read_entry_layout(self):
        line = Phone({"phonebook": [PB_ENTRY]}).ok("AT#PBOKR=3")
        expected = b'#PBOKR: 0,0,3,"' + cp("Иван") + b'",123,,,,+7495,,,,9,"' + cp("дом") + b'","",20050307T090503'
        self.assertEqual(line, [expected])

    def test_empty_position_is_just_ok(self):
        self.assertEqual(Phone({"phonebook": [PB_ENTRY]}).ok("AT#PBOKR=4"), [])

    def test_positions_out_of_range(self):
        phone = Phone({"limits": {"phonebook": 10}})
        for line in ("AT#PBOKR=0", "AT#PBOKR=11", "AT#PBOKR=", "AT#PBOKR=x", "AT#PBOKR?"):
            self.assertTrue(phone.refused(line), line)

    def test_key_is_needed_to_read_but_not_to_write(self):
        phone = Phone({"phonebook": [PB_ENTRY]}, unlocked=False)
        self.assertTrue(phone.refused("AT#PBSEL?"))
        self.assertTrue(phone.refused("AT#PBOKR=3"))
        phone.ok("AT#PBOKW=D")
        phone.ok(pb_write())

    def test_erase_and_write_round_trip(self):
        phone = Phone({"phonebook": [PB_ENTRY]})
        self.assertTrue(phone.run("AT#PBOKW=D").changed)
        self.assertEqual(phone.state["phonebook"], [])
        phone.ok(pb_write(numbers=("1", "", "2", "", "3")))
        self.assertEqual(phone.ok("AT#PBOKR=5"),
                         [b'#PBOKR: 0,0,5,"' + cp("Пётр") + b'",1,,,,2,,,,3,"a","b",20240101T101010'])

    def test_erase_accepts_lower_case(self):
        Phone().ok("at#pbokw=d")

    def test_write_replaces_the_entry_at_its_position(self):
        phone = Phone({"phonebook": [PB_ENTRY]})
        phone.ok(pb_write(pos="3", name="Новый"))
        self.assertEqual(len(phone.state["phonebook"]), 1)
        self.assertEqual(phone.state["phonebook"][0]["name"], cp("Новый"))

    def test_quote_inside_name_without_comma_is_kept(self):
        phone = Phone()
        phone.ok(pb_write(name='Ab"c'))
        self.assertEqual(phone.state["phonebook"][0]["name"], b'Ab"c')

    def test_refused_entries(self):
        phone = Phone({"limits": {"phonebook": 10, "pb_name": 8}})
        bad = [pb_write(pos="11"), pb_write(pos="0"), pb_write(name=""), pb_write(name="123456789"),
               pb_write(numbers=("12 3", "", "", "", "")), pb_write(stamp=""), pb_write(stamp="20051301T000000"),
               pb_write(name='a",b'), 'AT#PBOKW=0,0,1,"x",1', "AT#PBOKW"]
        for line in bad:
            self.assertTrue(phone.refused(line), line)
        self.assertEqual(phone.state["phonebook"], [])

    def test_over_long_fields_cut_when_the_state_says_so(self):
        phone = Phone({"overlong": "cut", "limits": {"pb_name": 4}})
        phone.ok(pb_write(name="Александр"))
        self.assertEqual(phone.state["phonebook"][0]["name"], cp("Алек"))

    def test_closing_commands(self):
        phone = Phone()
        for line in ("AT#PBEND=E", "at#pbmnw=d", "at#pbsyn=s"):
            phone.ok(line)
        self.assertTrue(phone.refused("AT#PBSYN=X"))


class SchedulerTest(unittest.TestCase):
    STATE = {"melodies": [{"id": 2, "name": "Весна"}],
             "scheduler": [{"pos": 4, "date": "20240301T080000", "start": "20240301T080000", "code": 1,
                            "melody": 2, "text": "Врач"}]}

    def write(self, pos="7", start="20240102T090000", code="1", melody="2", text="x"):
        return f'AT#PISHW={pos},19800106T000000,{start},{start},{code},{melody},"{text}"'

    def test_choices_reply(self):
        self.assertEqual(Phone().ok("AT#PISHW=?"), [b"#PISHW: (0-49)", b"(0)", b"(5)", b"(15)"])

    def test_choices_from_state(self):
        self.assertEqual(Phone({"scheduler_choices": ["", "30"]}).ok("AT#PISHW=?")[1:], [b"()", b"(30)"])

    def test_read_entry_layout(self):
        self.assertEqual(Phone(self.STATE).ok("AT#PISHR=4"),
                         [b'#PISHR: 4,19800106T000000,20240301T080000,20240301T080000,1,2,"' + cp("Врач") + b'"'])

    def test_positions(self):
        phone = Phone(self.STATE)
        self.assertEqual(phone.ok("AT#PISHR=0"), [])
        phone.ok("AT#PISHR=49")
        self.assertTrue(phone.refused("AT#PISHR=50"))

    def test_write_and_read_back(self):
        phone = Phone(self.STATE)
        phone.ok("AT#PISHW=D")
        self.assertEqual(phone.state["scheduler"], [])
        phone.ok(self.write(text=""))
        self.assertEqual(phone.ok("AT#PISHR=7"),
                         [b'#PISHR: 7,19800106T000000,20240102T090000,20240102T090000,1,2,""'])

    def test_refused_entries(self):
        phone = Phone(self.STATE)
        for line in (self.write(pos="50"), self.write(code="3"), self.write(melody="9"), self.write(start=""),
                     self.write(code="a"), 'AT#PISHW=1,2,3', self.write(text="x" * 33)):
            self.assertTrue(phone.refused(line), line)

    def test_melody_zero_and_code_zero_always_fit(self):
        Phone({"scheduler_choices": []}).ok(self.write(code="0", melody="0"))

    def test_sync(self):
        Phone().ok("at#pissy=s")


class MemoTest(unittest.TestCase):
    def test_read_layout_and_empty_position(self):
        phone = Phone({"memos": [{"pos": 9, "stamp": "20240101T000000", "text": "Купить хлеб"}]})
        self.assertEqual(phone.ok("AT#PIMMR=9"), [b'#PIMMR: 9,20240101T000000,"' + cp("Купить хлеб") + b'"'])
        self.assertEqual(phone.ok("AT#PIMMR=0"), [])
        self.assertTrue(phone.refused("AT#PIMMR=10"))

    def test_write_erase_and_sync(self):
        phone = Phone()
        phone.ok('AT#PIMMW=2,20240101T101010,"a"b"')
        self.assertEqual(phone.state["memos"][0]["text"], b'a"b')
        phone.ok("AT#PIMMW=D")
        self.assertEqual(phone.state["memos"], [])
        phone.ok("AT#PIMSY=S")

    def test_refused_memos(self):
        phone = Phone()
        for line in ('AT#PIMMW=10,20240101T101010,"a"', 'AT#PIMMW=1,2024,"a"', 'AT#PIMMW=1,20240101T101010,""',
                     'AT#PIMMW=1,20240101T101010,"' + "я" * 33 + '"', "AT#PIMMW=1,20240101T101010,a"):
            self.assertTrue(phone.refused(line), line)


class SmsTest(unittest.TestCase):
    def test_message_is_recorded(self):
        phone = Phone()
        phone.ok('AT#PSTRM=0951112233,0950000000,3,"Привет",1,0,0, 4098')
        self.assertEqual(phone.state["sms"], [{"to": b"0951112233", "from": b"0950000000", "text": cp("Привет"),
                                               "save": True}])

    def test_empty_own_number_text_with_quotes_and_line_break(self):
        phone = Phone()
        phone.ok('AT#PSTRM=123,,3,"say "hi",\r\nbye",0,0,0, 4098')
        self.assertEqual(phone.state["sms"][0]["text"], b'say "hi",\r\nbye')
        self.assertFalse(phone.state["sms"][0]["save"])

    def test_refused_messages(self):
        phone = Phone({"limits": {"sms_text": 5}})
        for line in ('AT#PSTRM=,1,3,"a",0,0,0, 4098', 'AT#PSTRM=   ,1,3,"a",0,0,0, 4098',
                     'AT#PSTRM=1,1,3,"a",2,0,0, 4098', 'AT#PSTRM=1,1,4,"a",0,0,0, 4098',
                     'AT#PSTRM=1,1,3,"123456",0,0,0, 4098', 'AT#PSTRM=1,1,3,"a",0,0, 4098', "AT#PSTRM?"):
            self.assertTrue(phone.refused(line), line)
        self.assertEqual(phone.state["sms"], [])


if __name__ == "__main__":
    unittest.main()
