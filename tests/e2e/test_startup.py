"""Start-up and shut-down of the real program: one instance, the frame, and
the settings written at exit. The database's place and its connection error
are shown by the installer's test, in a prefix of its own."""

import vmharness as h

CAPTION = "Сообщение программы VelarMon:"
TITLE = "VelarMon: ПК-менеджер CDMA телефонов Samsung"


class StartUp(h.ProgramTest):
    def test_frame_shows_with_its_title_and_a_second_start_is_refused(self):
        s = self.session()
        s.start_phone()
        first = s.start_program()
        frame = s.wait_frame()
        self.assertEqual(s.ok("text", frame), TITLE)
        s.screenshot("frame")

        second = s.start_program()
        box = s.msgbox()
        self.assertEqual((box.caption, box.text, box.icon),
                         (CAPTION, "Внимание, приложение уже запущено!", "warning"))
        s.answer(box, 1)
        self.assertEqual(s.wait_exit(second), 0)
        self.assertEqual(s.ok("count", "KORT_MDI_application"), "1")
        self.assertIsNone(first.poll())

    def test_exit_command_writes_the_settings_but_never_cmdshow(self):
        h.reg_delete_settings()
        s = self.session()
        s.start_phone()
        proc = s.start_program()
        s.wait_frame()
        s.ok("post", h.FRAME, h.ID["IDM_EXIT"])
        self.assertEqual(s.wait_exit(proc), 0)
        values = h.reg_values()
        self.assertEqual(set(values), {"WinXPos", "WinYPos", "WinWidth", "WinHeight", "ShowStatusBar",
                                       "ShowToolBar", "CommPort", "FastExchange"})
        self.assertEqual(values["CommPort"], 3)
        self.assertEqual(values["FastExchange"], 0)
        self.assertEqual(values["ShowToolBar"], 1)
        self.assertGreater(values["WinWidth"], 0)


if __name__ == "__main__":
    h.main()
