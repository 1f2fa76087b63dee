import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

from phonesim import dispatch, state  # noqa: E402
from phonesim.context import Context, Session  # noqa: E402


def cp(text: str) -> bytes:
    return text.encode("cp1251")


class Phone:
    """The command handlers in-process, with PC mode on and the phone book unlocked."""

    def __init__(self, raw_state: dict | None = None, unlocked: bool = True):
        self.state = state.normalise(raw_state or {})
        self.ctx = Context(self.state, Session(pmode=True, unlocked=unlocked), echo=False, erase_delay=0.0)

    def run(self, line):
        return dispatch.execute(self.ctx, cp(line) if isinstance(line, str) else line)

    def ok(self, line) -> list[bytes]:
        outcome = self.run(line)
        assert outcome.ok, (line, outcome.note)
        return outcome.lines

    def refused(self, line) -> bool:
        return not self.run(line).ok
