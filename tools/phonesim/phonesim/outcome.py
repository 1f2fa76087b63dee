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


def ok(*lines: bytes, changed: bool = False, delay: float = 0.0) -> Outcome:
    return Outcome(True, list(lines), changed, delay)


def error(note: str) -> Outcome:
    return Outcome(False, note=note)
