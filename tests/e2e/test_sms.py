"""Sending an SMS from the panel docked in the frame."""

import time

import vmharness as h

CAPTION = "Сообщение программы VelarMon:"
CLIENT = f"{h.FRAME}/{h.ID['IDC_MDI_CLIENT']}"
PROGRESS = "title:Обмен данных с телефоном"
TOOL_BAR = f"{h.FRAME}/{h.ID['IDC_TOOLBAR']}"
SMS = h.ID["IDM_SMS"]
SEND = h.ID["IDC_SMS_SEND"]
OWN_NUMBER = h.ID["IDC_SMS_OWN_NUMBER"]
RECIPIENT = h.ID["IDC_SMS_RECIPIENT"]
TEXT = h.ID["IDC_SMS_TEXT"]
SAVE = h.ID["IDC_SMS_SAVE"]


class Sms(h.ProgramTest):
    def start(self, rules=None, own_number=""):
        s = self.session(sim_state={"model": "SCH-E250", "own_number": own_number})
        s.start_phone()
        if rules:
            s.sim.set_rules(rules)
        s.start_program()
        s.wait_frame(timeout_ms=40000)
        return s

    def panel(self, s):
        panel = s.child_dialog(h.FRAME)
        if not panel:
            self.fail("no SMS panel")
        return panel

    def fill(self, s, panel, recipient, text, save):
        s.ok("settext", panel, RECIPIENT, recipient)
        s.ok("settext", panel, TEXT, text)
        s.ok("check", panel, SAVE, 1 if save else 0)

    def client_left(self, s, expected):
        """The MDI client's left edge, once it has moved to `expected` (or after 5 s)."""
        deadline = time.monotonic() + 5
        while True:
            value = int(s.ok("rect", CLIENT).split()[0])
            if value == expected or time.monotonic() > deadline:
                return value
            time.sleep(0.1)

    def sent(self, s):
        return [c for c in s.sim.commands() if c.startswith(b"AT#PSTRM")]

    def test_panel_narrows_the_client_and_sends_the_exact_command(self):
        # The phone holds its answer long enough (within the 8 s wait) for the
        # dialog to be read on a busy machine.
        s = self.start(rules=["delay,ms=4500 AT#PSTRM=*"])
        left = int(s.ok("rect", CLIENT).split()[0])
        s.ok("post", h.FRAME, SMS)
        panel = self.panel(s)
        width = int(s.ok("client", panel).split()[0])
        self.assertEqual(self.client_left(s, left + width), left + width)
        self.assertEqual(s.ok("tbstate", TOOL_BAR, SMS).split()[1], "1")

        self.fill(s, panel, "89031234567", "Привет", save=True)
        s.ok("post", panel, SEND)
        s.ok("wait", PROGRESS)
        self.assertEqual(s.ok("dlgtext", PROGRESS, h.ID["IDC_PROGRESS_TEXT"]), "Процесс отправки SMS...")
        self.assertEqual(s.ok("visible", f"{PROGRESS}/{h.ID['IDC_PROGRESS_BAR']}"), "0")
        s.ok("gone", PROGRESS, timeout_ms=30000)
        self.assertEqual(self.sent(s), ['AT#PSTRM=89031234567,,3,"Привет",1,0,0, 4098'.encode("cp1251")])
        self.assertEqual(s.ok("text", f"{panel}/{RECIPIENT}"), "89031234567")
        self.assertEqual(s.ok("text", f"{panel}/{TEXT}"), "Привет")

        s.ok("post", h.FRAME, SMS)
        s.ok("gone", panel)
        self.assertEqual(self.client_left(s, left), left)
        self.assertEqual(s.ok("tbstate", TOOL_BAR, SMS).split()[1], "0")

    def test_refused_send_warns_and_empty_recipient_sends_nothing(self):
        s = self.start(rules=["error AT#PSTRM=*"], own_number="0951234567")
        s.ok("post", h.FRAME, SMS)
        panel = self.panel(s)
        # The phone told its own number at the start.
        self.assertEqual(s.ok("text", f"{panel}/{OWN_NUMBER}"), "0951234567")

        self.fill(s, panel, "", "текст", save=False)
        s.ok("post", panel, SEND)
        box = s.msgbox()
        self.assertEqual((box.caption, box.text, box.icon),
                         (CAPTION, "Нельзя оставлять номер получателя SMS пустым.\nВведите номер телефона получателя.",
                          "warning"))
        s.answer(box, 1)
        self.assertEqual(self.sent(s), [])

        self.fill(s, panel, "  ", "текст", save=False)
        s.ok("post", panel, SEND)
        box = s.msgbox(timeout_ms=30000)
        self.assertEqual((box.caption, box.text, box.icon),
                         (CAPTION, "Внимание! Произошла ошибка обмена данными с телефоном.\n"
                                   "Попробуйте повторить операцию.", "warning"))
        s.answer(box, 1)
        s.ok("gone", PROGRESS, timeout_ms=30000)
        self.assertEqual(self.sent(s), ['AT#PSTRM=  ,0951234567,3,"текст",0,0,0, 4098'.encode("cp1251")])
        self.assertEqual(s.ok("text", f"{panel}/{RECIPIENT}"), "  ")


if __name__ == "__main__":
    h.main()
