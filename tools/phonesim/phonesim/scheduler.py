"""Scheduler commands.

Read form:  #PISHR: pos,created,date,start,code,melody,"text"
Write form: AT#PISHW=pos,created,date,start,code,melody,"text"
The program writes the fixed stamp 19800106T000000 as "created" and its start
into both "date" and "start"; it reads "start" (the fourth field) back.
"""

from . import stamp as phone_stamp
from .command import SET, TEST
from .context import Context, find, position, put, text
from .fields import layout_of, split_fields
from .outcome import Outcome, error, ok

WRITE_LAYOUT = "uuuuuuq"


def choices(ctx: Context) -> Outcome:
    """AT#PISHW=?: the position range, then one bracketed value per line."""
    lines = [b"#PISHW: (0-%d)" % (ctx.limit("scheduler") - 1)]
    lines += [b"(" + value + b")" for value in ctx.state["scheduler_choices"]]
    return ok(*lines)


def read(ctx: Context, form: str, args: bytes) -> Outcome:
    pos = position(args, 0, ctx.limit("scheduler")) if form == SET else None
    if pos is None:
        return error("AT#PISHR needs a position in range")
    entry = find(ctx.state["scheduler"], "pos", pos)
    if entry is None:
        return ok()
    parts = [text(entry[k]) for k in ("pos", "created", "date", "start", "code", "melody")]
    parts.append(b'"' + text(entry["text"]) + b'"')
    return ok(b"#PISHR: " + b",".join(parts))


def write(ctx: Context, form: str, args: bytes) -> Outcome:
    if form == TEST:
        return choices(ctx)
    if form != SET:
        return error("AT#PISHW needs arguments")
    if args.upper() == b"D":
        ctx.state["scheduler"] = []
        return ok(changed=True, delay=ctx.erase_delay)
    fields = split_fields(args)
    if fields is None or layout_of(fields) != WRITE_LAYOUT:
        return error("scheduler entry does not have the 7-field layout")
    entry_or_note = _build_entry(ctx, [f.value for f in fields])
    if isinstance(entry_or_note, str):
        return error(entry_or_note)
    put(ctx.state["scheduler"], "pos", entry_or_note)
    return ok(changed=True)


def _build_entry(ctx: Context, v: list[bytes]) -> dict | str:
    pos = position(v[0], 0, ctx.limit("scheduler"))
    if pos is None:
        return "position out of range"
    if not all(phone_stamp.is_valid(s) for s in v[1:4]):
        return "bad time stamp"
    code_count = max(len(ctx.state["scheduler_choices"]), 1)
    if not v[4].isdigit() or int(v[4]) >= code_count:
        return "code out of range"
    if not v[5].isdigit() or not _melody_known(ctx, int(v[5])):
        return "unknown melody"
    entry_text = ctx.fit(v[6], "sched_text")
    if entry_text is None:
        return "text too long"
    return {"pos": pos, "created": v[1], "date": v[2], "start": v[3], "code": int(v[4]),
            "melody": int(v[5]), "text": entry_text}


def _melody_known(ctx: Context, number: int) -> bool:
    """0 is the phone's default sound; any other number must be a melody it holds."""
    return number == 0 or find(ctx.state["melodies"], "id", number) is not None


def sync(ctx: Context, form: str, args: bytes) -> Outcome:
    if form == SET and args.upper() == b"S":
        return ok()
    return error("AT#PISSY takes =S")
