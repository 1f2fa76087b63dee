"""Assembling command lines from the bytes the program sends.

A line ends with CR (or LF). A line whose double quotes are unbalanced at that
point is a quoted text holding a line break (an SMS text may): it goes on
until its quotes balance at a later line end, or until no byte has come for
CONTINUE_WAIT seconds. LF and NUL at the start of a line are skipped, so
"AT\\r\\n" is one command.

events() also tells, for a line that ended with CR, whether the next byte
was an LF: some commands end in CR LF and others in CR alone.
"""

from dataclasses import dataclass

CR, LF, NUL, QUOTE = 0x0D, 0x0A, 0x00, 0x22
CONTINUE_WAIT = 0.2
MAX_LINE = 4096


@dataclass(frozen=True)
class Line:
    data: bytes  # without the final line end
    wire: bytes  # as received, with its line end (what an echo repeats)
    overflow: bool = False


@dataclass(frozen=True)
class LineEnd:
    """The byte after a line's CR has come: an LF (a CR LF ending) or not."""

    lf: bool


class LineAssembler:
    def __init__(self) -> None:
        self.reset()

    def reset(self) -> None:
        self._buf = bytearray()
        self._quotes = 0
        self._deadline: float | None = None
        self._overflow = False
        self._after_cr = False

    def feed(self, data: bytes, now: float) -> list[Line]:
        return [event for event in self.events(data, now) if isinstance(event, Line)]

    def events(self, data: bytes, now: float) -> list[Line | LineEnd]:
        """The lines completed by these bytes, each followed by a LineEnd
        once the byte after its CR is known, in the order of the bytes."""
        events: list[Line | LineEnd] = []
        for b in data:
            if self._after_cr:
                self._after_cr = False
                events.append(LineEnd(b == LF))
            line = self._byte(b, now)
            if line is not None:
                events.append(line)
                self._after_cr = b == CR
        return events

    def expire(self, now: float) -> list[Line]:
        if self._deadline is not None and now >= self._deadline:
            return [self._finish()]
        return []

    def deadline(self) -> float | None:
        return self._deadline

    def _byte(self, b: int, now: float) -> Line | None:
        if not self._buf and b in (LF, NUL):
            return None
        self._append(b)
        if b == QUOTE:
            self._quotes += 1
        if b in (CR, LF):
            if self._quotes % 2 == 0:
                return self._finish()
            self._deadline = now + CONTINUE_WAIT
        elif self._deadline is not None:
            self._deadline = now + CONTINUE_WAIT
        return None

    def _append(self, b: int) -> None:
        if len(self._buf) < MAX_LINE:
            self._buf.append(b)
        else:
            self._overflow = True

    def _finish(self) -> Line:
        wire = bytes(self._buf)
        line = Line(wire.rstrip(b"\r\n"), wire, self._overflow)
        self.reset()
        return line
