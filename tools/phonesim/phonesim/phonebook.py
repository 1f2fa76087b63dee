"""Phone book commands.

Read form:  #PBOKR: h1,h2,pos,"name",n1,k1,n2,k2,n3,k3,n4,k4,n5,"text1","text2",stamp
Write form: AT#PBOKW=h1,h2,pos,"name",n1,k1,...,n5,"text1","text2",stamp   (16 fields)
"""

from . import stamp as phone_stamp
from .command import READ, SET
from .context import Context, find, position, put, text
from .fields import layout_of, split_fields
from .outcome import Outcome, error, ok

WRITE_LAYOUT = "uuuq" + "u" * 9 + "qqu"
NUMBER_BYTES = set(b"0123456789+*#pP")


def select(ctx: Context, form: str) -> Outcome:
    """AT#PBSEL?: store name, entries used, and the position range in brackets."""
    if form != READ:
        return error("AT#PBSEL is a query")
    used = len(ctx.state["phonebook"])
    capacity = ctx.limit("phonebook")
    return ok(b'#PBSEL: "PH",%d,"(1-%d)"' % (used, capacity))


def read(ctx: Context, form: str, args: bytes) -> Outcome:
    pos = position(args, 1, ctx.limit("phonebook")) if form == SET else None
    if pos is None:
        return error("AT#PBOKR needs a position in range")
    entry = find(ctx.state["phonebook"], "pos", pos)
    if entry is None:
        return ok()
    return ok(b"#PBOKR: " + _entry_fields(entry))


def _entry_fields(entry: dict) -> bytes:
    parts = [text(entry["head"][0]), text(entry["head"][1]), text(entry["pos"]), _quoted(entry["name"])]
    for i in range(5):
        parts.append(text(entry["numbers"][i]))
        if i < 4:
            parts.append(text(entry["kinds"][i]))
    parts += [_quoted(entry["text1"]), _quoted(entry["text2"]), text(entry["stamp"])]
    return b",".join(parts)


def _quoted(value) -> bytes:
    return b'"' + text(value) + b'"'


def write(ctx: Context, form: str, args: bytes) -> Outcome:
    if form != SET:
        return error("AT#PBOKW needs arguments")
    if args.upper() == b"D":
        ctx.state["phonebook"] = []
        return ok(changed=True, delay=ctx.erase_delay)
    fields = split_fields(args)
    if fields is None or layout_of(fields) != WRITE_LAYOUT:
        return error("phone book entry does not have the 16-field layout")
    entry_or_note = _build_entry(ctx, [f.value for f in fields])
    if isinstance(entry_or_note, str):
        return error(entry_or_note)
    put(ctx.state["phonebook"], "pos", entry_or_note)
    return ok(changed=True)


def _build_entry(ctx: Context, v: list[bytes]) -> dict | str:
    pos = position(v[2], 1, ctx.limit("phonebook"))
    if pos is None:
        return "position out of range"
    if not v[0].isdigit() or not v[1].isdigit():
        return "first two fields must be numbers"
    name = ctx.fit(v[3], "pb_name")
    texts = [ctx.fit(v[13], "pb_text"), ctx.fit(v[14], "pb_text")]
    numbers = [ctx.fit(v[4 + 2 * i], "pb_number") for i in range(5)]
    if name is None or None in texts or None in numbers:
        return "a field is too long"
    if not name:
        return "empty name"
    if any(not set(n) <= NUMBER_BYTES for n in numbers):
        return "a number holds a character other than 0-9 + * # p"
    if not phone_stamp.is_valid(v[15]):
        return "bad time stamp"
    kinds = [v[5 + 2 * i] for i in range(4)]
    return {"pos": pos, "head": [v[0], v[1]], "name": name, "numbers": numbers, "kinds": kinds,
            "text1": texts[0], "text2": texts[1], "stamp": v[15]}


def closing(ctx: Context, name: bytes, form: str, args: bytes) -> Outcome:
    """AT#PBEND=E, AT#PBMNW=D and AT#PBSYN=S close a phone book write; nothing to store."""
    expected = {b"#PBEND": b"E", b"#PBMNW": b"D", b"#PBSYN": b"S"}[name]
    if form == SET and args.upper() == expected:
        return ok()
    return error(f"{name.decode()} takes ={expected.decode()}")
