"""Phone exchanges of the real program: the table commands run behind the
progress dialog, and the frame is usable again when they end."""

import time

import vmharness as h

PHONE_BOOK = h.ID["IDM_PHONEBOOK"]
RECEIVE_PHONE = h.ID["IDM_RECEIVE_PHONE"]
MDI_CLIENT = h.ID["IDC_MDI_CLIENT"]
PHONE_BOOK_TITLE = "Телефонная книга"
PROGRESS = "title:Обмен данных с телефоном"


class Exchange(h.ProgramTest):
    def start(self):
        # A small phone book: the read asks every position, about 0.8 s each.
        s = self.session(sim_state={"limits": {"phonebook": 3}})
        s.start_phone()
        s.start_program()
        s.wait_frame()
        return s

    def active_child(self, s):
        return s.ok("mdiactive", f"{h.FRAME}/{MDI_CLIENT}")

    def open_phone_book(self, s):
        s.ok("post", h.FRAME, PHONE_BOOK)
        for _ in range(100):
            child = self.active_child(s)
            if child != "0x0":
                return child
            time.sleep(0.2)
        self.fail("the phone book window did not open")

    def children(self, s):
        return [line for line in s.ok("children", f"{h.FRAME}/{MDI_CLIENT}").splitlines() if line]

    def test_receiving_closes_the_phone_book_window_and_opens_it_again(self):
        s = self.start()
        before = self.open_phone_book(s)
        self.assertEqual(s.ok("text", before), PHONE_BOOK_TITLE)

        s.ok("post", h.FRAME, RECEIVE_PHONE)
        s.ok("gone", before)
        after = None
        for _ in range(100):
            after = self.active_child(s)
            if after not in ("0x0", before):
                break
            time.sleep(0.2)
        self.assertNotIn(after, ("0x0", before))
        self.assertEqual(s.ok("text", after), PHONE_BOOK_TITLE)
        self.assertEqual(len(self.children(s)), 1)
        s.ok("gone", PROGRESS)
        s.ok("enabled", h.FRAME, "--expect", "1")
        s.screenshot("reopened")


if __name__ == "__main__":
    h.main()
