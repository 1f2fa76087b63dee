"""What a command handler decides: the final result, information lines, and side facts."""

from dataclasses import dataclass, field


@dataclass
class Outcome:
    ok: bool
    lines: list[bytes] = field(default_factory=list)
    changed: bool = False  # the stored data changed: save the state
    delay: float = 0.0  # the phone's own working time before it answers, seconds
    note: str = ""  # why a command was refused, for the log
    line_end: bytes = b"\r\n"  # after each information line (the media catalogue's are LF CR)
    # Whether a result code (OK / ERROR) follows the information lines. A named
    # photo block that is not the last ends with its own line end and no result.
    final: bool = True

    def result(self) -> bool | None:
        """The result code to send: True (OK), False (ERROR) or None (none)."""
        return self.ok if self.final else None


def ok(*lines: bytes, changed: bool = False, delay: float = 0.0) -> Outcome:
    return Outcome(True, list(lines), changed, delay)


def error(note: str) -> Outcome:
    return Outcome(False, note=note)
