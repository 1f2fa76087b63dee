"""Memo commands.

Read form:  #PIMMR: pos,stamp,"text"
Write form: AT#PIMMW=pos,stamp,"text"
"""

from . import stamp as phone_stamp
from .command import SET
from .context import Context, find, position, put, text
from .fields import layout_of, split_fields
from .outcome import Outcome, error, ok


def read(ctx: Context, form: str, args: bytes) -> Outcome:
    pos = position(args, 0, ctx.limit("memos")) if form == SET else None
    if pos is None:
        return error("AT#PIMMR needs a position in range")
    memo = find(ctx.state["memos"], "pos", pos)
    if memo is None:
        return ok()
    return ok(b"#PIMMR: %s,%s,\"%s\"" % (text(memo["pos"]), text(memo["stamp"]), text(memo["text"])))


def write(ctx: Context, form: str, args: bytes) -> Outcome:
    if form != SET:
        return error("AT#PIMMW needs arguments")
    if args.upper() == b"D":
        ctx.state["memos"] = []
        return ok(changed=True, delay=ctx.erase_delay)
    fields = split_fields(args)
    if fields is None or layout_of(fields) != "uuq":
        return error("memo does not have the 3-field layout")
    pos = position(fields[0].value, 0, ctx.limit("memos"))
    memo_text = ctx.fit(fields[2].value, "memo_text")
    if pos is None:
        return error("position out of range")
    if not phone_stamp.is_valid(fields[1].value):
        return error("bad time stamp")
    if not memo_text:
        return error("empty or too long text")
    put(ctx.state["memos"], "pos", {"pos": pos, "stamp": fields[1].value, "text": memo_text})
    return ok(changed=True)


def sync(ctx: Context, form: str, args: bytes) -> Outcome:
    if form == SET and args.upper() == b"S":
        return ok()
    return error("AT#PIMSY takes =S")
