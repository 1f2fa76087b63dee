"""Commands of the session start and the phone's identity."""

from .command import EXEC, READ, SET
from .context import Context, text
from .outcome import Outcome, error, ok


def basic(ctx: Context, args: bytes) -> Outcome:
    """V.250 basic commands: "AT", "ATE0V1", "ATZ", "ATI"."""
    info: list[bytes] = []
    i = 0
    while i < len(args):
        letter = args[i : i + 1].upper()
        j = i + 1
        while j < len(args) and args[j : j + 1].isdigit():
            j += 1
        number = int(args[i + 1 : j]) if j > i + 1 else 0
        if not _apply_basic(ctx, letter, number, info):
            return error(f"basic command {letter.decode('latin-1')}{number} not supported")
        i = j
    return ok(*info)


def _apply_basic(ctx: Context, letter: bytes, number: int, info: list[bytes]) -> bool:
    if letter == b"E" and number in (0, 1):
        ctx.echo = number == 1
    elif letter == b"V" and number in (0, 1):
        ctx.verbose = number == 1
    elif letter == b"Z" and number == 0:
        ctx.echo = bool(ctx.state["echo"])
        ctx.verbose = True
    elif letter == b"I" and number == 0:
        info.append(ctx.state["manufacturer"] + b" " + ctx.state["model"])
    else:
        return False
    return True


def pmode(ctx: Context, form: str, args: bytes) -> Outcome:
    if form == READ:
        return ok(b"#PMODE: " + (b"1" if ctx.session.pmode else b"0"))
    if form == SET and args in (b"0", b"1"):
        ctx.session.pmode = args == b"1"
        if not ctx.session.pmode:
            ctx.session.unlocked = False
        return ok()
    return error("AT#PMODE takes 0 or 1")


def pckey(ctx: Context, form: str, args: bytes) -> Outcome:
    """The phone tells its key and unlocks its phone book for the one who sends it back.

    The key is compared as a number, so "0471" and "471" are the same key."""
    key = ctx.state["key"]
    if form == READ:
        return ok(b"#PCKEY: " + key)
    if form != SET:
        return error("AT#PCKEY takes ? or =<key>")
    if not args.isdigit() or len(args) > 10:
        return error("key must be decimal digits")
    if int(args) != _key_value(key):
        return error("wrong key")
    ctx.session.unlocked = True
    return ok()


def _key_value(key: bytes) -> int:
    digits = bytearray()
    for b in key:
        if not 0x30 <= b <= 0x39:
            break
        digits.append(b)
    return int(digits) if digits else 0


def identity(ctx: Context, name: bytes, form: str) -> Outcome:
    fields = {b"+GMM": "model", b"+GMI": "manufacturer", b"+GMR": "firmware"}
    if form != EXEC:
        return error(f"{name.decode()} takes no arguments")
    return ok(name + b": " + ctx.state[fields[name]])


def link_info(ctx: Context, name: bytes, form: str) -> Outcome:
    """AT#PCOUT?, AT#PCLNK? and AT#PCMIT? (the last reports the phone's own number)."""
    fields = {b"#PCOUT": "pcout", b"#PCLNK": "pclnk", b"#PCMIT": "own_number"}
    if form != READ:
        return error(f"{name.decode()} is a query")
    return ok(name + b": " + ctx.state[fields[name]])


def melody_list(ctx: Context, form: str) -> Outcome:
    """AT#PUGSN?: a count line, then one line per melody: number, size, name."""
    if form != READ:
        return error("AT#PUGSN is a query")
    melodies = sorted(ctx.state["melodies"], key=lambda m: m["id"])
    lines = [b"#PUGSN: " + str(len(melodies)).encode()]
    for melody in melodies:
        lines.append(b",".join((text(melody["id"]), text(melody["size"]), text(melody["name"]))))
    return ok(*lines)


def beep(ctx: Context, form: str, args: bytes) -> Outcome:
    if form == SET and args in (b"0", b"1"):
        return ok()
    return error("AT*SKT*BEEP takes 0 or 1")
