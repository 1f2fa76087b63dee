"""One AT command line, split into its name, form and arguments."""

from dataclasses import dataclass

EXEC, SET, READ, TEST, BASIC = "exec", "set", "read", "test", "basic"


@dataclass(frozen=True)
class Command:
    raw: bytes  # the line as received, without its terminator
    name: bytes  # upper case: b"#PBOKR", b"+GMM", b"*SKT*BEEP"; b"" for basic commands
    form: str
    args: bytes  # after "=" for SET; the letters and digits for BASIC


def parse(line: bytes) -> Command | None:
    """None when the line is not an AT command at all."""
    text = line.strip(b" \x00")
    if text[:2].upper() != b"AT":
        return None
    rest = text[2:]
    if not rest or rest[:1] not in b"#+*":
        return Command(line, b"", BASIC, rest)
    cut = _first_of(rest, b"=?")
    name = rest[:cut].upper()
    tail = rest[cut:]
    if not tail:
        return Command(line, name, EXEC, b"")
    if tail == b"?":
        return Command(line, name, READ, b"")
    if tail == b"=?":
        return Command(line, name, TEST, b"")
    if tail[:1] == b"=":
        return Command(line, name, SET, tail[1:])
    return Command(line, name, EXEC, tail)


def _first_of(data: bytes, chars: bytes) -> int:
    hits = [i for i in (data.find(bytes([c])) for c in chars) if i >= 0]
    return min(hits) if hits else len(data)
