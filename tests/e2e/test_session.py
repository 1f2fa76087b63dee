"""The phone session start of the real program against the simulated phone:
the start-up dialogue, the melody table, the status bar, the failure paths
with their messages and the port dialog, the about box and the port change."""

import sqlite3
import time

import vmharness as h
from phonesim_control import start_simulator

CAPTION = "Сообщение программы VelarMon:"
INIT_FAILED = "Ошибка инициализации телефона."
PORT_FAILED = ("Ошибка открытия порта.\nПроверьте соединение кабеля и установку драйверов "
               "или выберете другой порт.")
PORT_DIALOG = "title:Порт"
PORT_LIST = h.ID["IDC_PORT_LIST"]
STATUS_BAR = f"{h.FRAME}/{h.ID['IDC_STATUSBAR']}"
START = [b"AT", b"ATE0V1", b"AT#PMODE=1", b"AT#PCKEY?", b"AT+GMM", b"AT#PCOUT?", b"AT#PCLNK?", b"AT#PCMIT?",
         b"AT#PUGSN?", b"AT*SKT*BEEP=1"]
E250 = {"model": "SCH-E250", "key": "01234",
        "melodies": [{"id": 1, "size": 2436, "name": "Весна"}, {"id": 2, "size": 1890, "name": "Полёт шмеля"},
                     {"id": 3, "size": 3120, "name": "Morning"}]}


def melodies(session):
    with sqlite3.connect(session.database) as db:
        db.text_factory = bytes
        return db.execute("SELECT mus_id, name FROM musik ORDER BY mus_id").fetchall()


def windows_of_program(session):
    """The program's visible top-level windows by class."""
    rows = [line.split("\t") for line in session.ok("windows").splitlines()]
    frame_pids = {row[2] for row in rows if len(row) >= 4 and row[1] == "KORT_MDI_application"}
    return [row[1] for row in rows if len(row) >= 4 and row[2] in frame_pids and row[3] == "1"]


class SessionStart(h.ProgramTest):
    def start(self, state=E250, rules=None, port=3):
        # A port saved by an earlier run would be opened instead of COM3, so
        # none is left behind for the tests that follow either.
        h.reg_delete_settings()
        self.addCleanup(h.reg_delete_settings)
        s = self.session(port=port, sim_state=state)
        s.start_phone()
        if rules:
            s.sim.set_rules(rules)
        return s, s.start_program()

    def expect_box(self, s, text, icon, button=1):
        box = s.msgbox(timeout_ms=20000)
        self.assertEqual((box.caption, box.text, box.icon), (CAPTION, text, icon))
        s.answer(box, button)
        return box

    def test_a_normal_start_fills_the_melody_table_and_shows_the_session(self):
        s, proc = self.start()
        frame = s.wait_frame(timeout_ms=40000)
        # The frame is shown a moment after it is made.
        s.ok("visible", frame, "--expect", "1")
        self.assertEqual(s.sim.commands(), START)
        self.assertEqual(s.sim.received(), b"".join(c + b"\r\n" for c in START))
        self.assertEqual(melodies(s), [(1, "Весна\r".encode("cp1251")), (2, "Полёт шмеля\r".encode("cp1251")),
                                       (3, b"Morning\r")])
        self.assertEqual(s.ok("sbtext", STATUS_BAR, "--expect", "Samsung SCH-E250, порт COM3."),
                         "Samsung SCH-E250, порт COM3.")
        # The splash is gone: the frame is the program's only window on screen.
        self.assertEqual(windows_of_program(s), ["KORT_MDI_application"])
        s.screenshot("started")

        # The about box, and the port dialog left with Cancel.
        s.ok("post", h.FRAME, h.ID["IDM_ABOUT"])
        about = s.ok("wait", "title:О программе")
        s.ok("visible", about, "--expect", "1")
        s.screenshot("about")
        s.ok("answer", about, 1)
        s.ok("gone", about)

        s.ok("post", h.FRAME, h.ID["IDM_PORT"])
        dialog = s.ok("wait", PORT_DIALOG)
        self.assertEqual(s.ok("cbcur", dialog, PORT_LIST), "2")
        s.ok("cbsel", dialog, PORT_LIST, 6)
        s.ok("answer", dialog, 2)
        s.ok("gone", dialog)
        time.sleep(1)
        self.assertEqual(s.sim.commands(), START)
        self.assertNotIn("port closed", " ".join(t.decode("cp1251") for _, k, t in s.sim.log() if k == "EVT"))
        self.assertEqual(h.reg_values(), {"FastExchange": 1} if h.FAST else {})
        self.assertEqual(s.ok("sbtext", STATUS_BAR), "Samsung SCH-E250, порт COM3.")

        s.ok("post", h.FRAME, h.ID["IDM_EXIT"])
        self.assertEqual(s.wait_exit(proc), 0)
        self.assertEqual(h.reg_values()["CommPort"], 3)

    def test_the_port_change_restarts_the_session_on_the_chosen_port(self):
        s, proc = self.start()
        s.wait_frame(timeout_ms=40000)
        twelve = start_simulator(h.SIMULATOR, h.PORTS / "COM12", self._folder(s, "com12"), {"model": "SCH-E120"})
        self.addCleanup(twelve.stop)
        s.ok("post", h.FRAME, h.ID["IDM_PORT"])
        dialog = s.ok("wait", PORT_DIALOG)
        s.ok("cbsel", dialog, PORT_LIST, 11)
        s.ok("answer", dialog, 1)
        self.assertEqual(s.ok("sbtext", STATUS_BAR, "--expect", "Samsung SCH-E120, порт COM12.", timeout_ms=40000),
                         "Samsung SCH-E120, порт COM12.")
        self.assertEqual(twelve.commands(), START)
        self.assertEqual(h.reg_values()["CommPort"], 12)
        self.assertIn("port closed by the program",
                      " ".join(t.decode("cp1251") for _, k, t in s.sim.log() if k == "EVT"))
        s.ok("post", h.FRAME, h.ID["IDM_EXIT"])
        self.assertEqual(s.wait_exit(proc), 0)

    def test_a_silent_phone_leads_to_the_port_dialog_and_cancel_ends_the_program(self):
        s, proc = self.start(rules=["silence AT"])
        # Timed from the phone's first command, not from the start: starting
        # a Wine process takes seconds of its own on a busy machine.
        deadline = time.monotonic() + 30
        while not s.sim.commands() and time.monotonic() < deadline:
            time.sleep(0.05)
        asked = time.monotonic()
        self.expect_box(s, INIT_FAILED, "warning")
        # The exchange's 8 s bound, and the box read after it.
        self.assertGreaterEqual(time.monotonic() - asked, 7.5)
        self.assertLess(time.monotonic() - asked, 13)
        self.expect_box(s, PORT_FAILED, "error")
        dialog = s.ok("wait", PORT_DIALOG)
        self.assertEqual(s.ok("cbcur", dialog, PORT_LIST), "2")
        s.screenshot("port-dialog")
        s.ok("answer", dialog, 2)
        self.assertEqual(s.wait_exit(proc), 0)
        self.assertEqual(s.ok("count", "KORT_MDI_application"), "0")
        self.assertEqual(s.sim.commands(), [b"AT"])

    def test_a_silent_phone_then_com12_starts_there_and_saves_the_port(self):
        s, proc = self.start(rules=["silence AT"])
        twelve = start_simulator(h.SIMULATOR, h.PORTS / "COM12", self._folder(s, "com12"), E250)
        self.addCleanup(twelve.stop)
        self.expect_box(s, INIT_FAILED, "warning")
        self.expect_box(s, PORT_FAILED, "error")
        dialog = s.ok("wait", PORT_DIALOG)
        s.ok("cbsel", dialog, PORT_LIST, 11)
        s.ok("answer", dialog, 1)
        s.wait_frame(timeout_ms=40000)
        self.assertEqual(s.ok("sbtext", STATUS_BAR, "--expect", "Samsung SCH-E250, порт COM12."),
                         "Samsung SCH-E250, порт COM12.")
        self.assertEqual(twelve.commands(), START)
        self.assertEqual(h.reg_values()["CommPort"], 12)
        s.ok("post", h.FRAME, h.ID["IDM_EXIT"])
        self.assertEqual(s.wait_exit(proc), 0)

    def test_an_error_to_the_echo_setting_only_warns(self):
        s, proc = self.start(rules=["error ATE0V1"])
        self.expect_box(s, INIT_FAILED, "warning")
        s.wait_frame(timeout_ms=40000)
        self.assertEqual(s.sim.commands(), START)
        self.assertEqual(s.ok("sbtext", STATUS_BAR, "--expect", "Samsung SCH-E250, порт COM3."),
                         "Samsung SCH-E250, порт COM3.")
        s.ok("post", h.FRAME, h.ID["IDM_EXIT"])
        self.assertEqual(s.wait_exit(proc), 0)

    def test_a_key_reply_without_its_prefix_ends_the_program_silently(self):
        s, proc = self.start(rules=[r"raw,data=\r\nOK\r\n AT#PCKEY?"])
        self.assertEqual(s.wait_exit(proc, timeout=40), 0)
        self.assertEqual(s.sim.commands(), START[:4])
        self.assertEqual(s.ok("count", "KORT_MDI_application"), "0")
        rc, _ = s.drive("msgbox", timeout_ms=500)
        self.assertNotEqual(rc, 0)

    @staticmethod
    def _folder(s, name):
        folder = s.dir / name
        folder.mkdir(parents=True, exist_ok=True)
        return folder


if __name__ == "__main__":
    h.main()
