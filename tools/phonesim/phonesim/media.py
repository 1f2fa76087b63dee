"""Photos and movies: the catalogue, and their files sent in escaped blocks.

Catalogue (AT#PMCGL? for photos, AT#PMMGL? for movies):
    \\r\\n#PMCGL: <count>\\n\\r  then per item  <id>,<tag>,<path>,<size>\\n\\r  then \\r\\nOK\\r\\n
The lines end in LF CR: the reader skips a line feed and the one byte after it
before each entry, and takes the size up to the next line feed. A movie's path
is in double quotes.

Blocks (AT#PMLUL=<id>,<n> for photos, AT#PMMUL=<id>,<n> for movies, n from 1):
    \\r\\n#PMLUL: <id>,<n>,"<raw length>","<escaped bytes><trailer>\\r\\n\\r\\nOK\\r\\n
A photo block's trailer is `" ` and a zero byte; the last block's raw bytes end
with the JPEG's FF D9, and an FF goes before its trailer, so that the line
carries FF D9 FF 22 20 00 0D 0A, the reader's end mark. A movie block's
trailer is a plain `"`; the reader asks for the block after the last and is
told `#PMMUL: <id>,0`. A photo block past the end gets the same kind of answer.

That is the "length" block format. In the "named" one (--blocks named) the
third field holds the item's file name (the path's last part) instead, and a
photo block that is not the last ends `"` LF CR with no result line after it:
    \\r\\n#PMLUL: <id>,<n>,"<name>","<escaped bytes>"\\n\\r
The last photo block, the movie blocks and the answer past the end are as in
the length format.
"""

from dataclasses import dataclass

from . import state as phone_state
from .command import READ, SET
from .context import Context, find, text
from .outcome import Outcome, error, ok

BLOCK = 512  # raw file bytes per block

# Bytes that would end or confuse the line; each goes as 7D and a substitute.
_ESCAPED = frozenset(b"\x08\x0a\x0d\x22\x7d")
ESCAPE = 0x7D


@dataclass(frozen=True)
class Kind:
    records: str  # the state's list
    listing: bytes  # catalogue command name
    block: bytes  # block command name
    photo: bool


PHOTOS = Kind("photos", b"#PMCGL", b"#PMLUL", photo=True)
MOVIES = Kind("movies", b"#PMMGL", b"#PMMUL", photo=False)

_PHOTO_MORE = b'" \x00'  # before \r\n\r\nOK\r\n: 11 bytes the reader skips
_PHOTO_LAST = b'\xff" \x00'
_MOVIE_CLOSE = b'"'
# A named photo block before the last: its closing quote, then LF CR as the
# line end, and no result code.
_NAMED_MORE_END = b"\n\r"

FORMATS = ("length", "named")
# Bytes a file name in the named format leaves out: they would end its field or its line.
_NAME_DROPPED = b'",\r\n'


def escape(data: bytes) -> bytes:
    out = bytearray()
    for b in data:
        if b not in _ESCAPED:
            out.append(b)
        elif b == ESCAPE:
            out += b"\x7d\x5d"
        else:
            out += bytes((ESCAPE, b + 0x20 if b <= 0x20 else b - 0x20))
    return bytes(out)


def blocks(data: bytes) -> list[bytes]:
    """The file cut into BLOCK-byte pieces. The last piece holds at least two
    bytes, so that a photo's FF D9 end marker is never cut in two."""
    starts = list(range(0, len(data), BLOCK))
    if len(starts) > 1 and len(data) - starts[-1] < 2:
        starts[-1] = len(data) - 2
    ends = starts[1:] + [len(data)]
    return [data[a:b] for a, b in zip(starts, ends)]


def file_name(path: bytes) -> bytes:
    """The named format's third field: the path's part after its last "/",
    its cp1251 bytes as they are, without the bytes that would break the line."""
    name = path.rsplit(b"/", 1)[-1]
    return bytes(b for b in name if b not in _NAME_DROPPED)


def _contents(record: dict) -> bytes | None:
    try:
        with open(phone_state.media_file(record), "rb") as f:
            return f.read()
    except OSError:
        return None


def catalogue(ctx: Context, kind: Kind, form: str) -> Outcome:
    name = kind.listing.decode()
    if form != READ:
        return error(f"AT{name} is a query")
    items = sorted(ctx.state[kind.records], key=lambda r: r["id"])
    lines = [kind.listing + b": " + str(len(items)).encode()]
    for item in items:
        data = _contents(item)
        if data is None:
            return error(f"{kind.records} {item['id']}: cannot read {text(item['file']).decode('cp1251')}")
        path = b'"' + text(item["path"]) + b'"' if not kind.photo else text(item["path"])
        lines.append(b",".join((text(item["id"]), text(item["tag"]), path, str(len(data)).encode())))
    return Outcome(True, lines, line_end=b"\n\r")


def block(ctx: Context, kind: Kind, form: str, args: bytes) -> Outcome:
    """One block of a file. With the endless fault every block number gets
    data, the file's blocks over again, and never the end of the file."""
    name = kind.block.decode()
    parts = args.split(b",")
    if form != SET or len(parts) != 2 or not all(p.isdigit() and len(p) <= 6 for p in parts):
        return error(f"AT{name} takes <id>,<block>")
    ident, number = int(parts[0]), int(parts[1])
    if number < 1:
        return error("blocks count from 1")
    record = find(ctx.state[kind.records], "id", ident)
    if record is None:
        return error(f"no {kind.records[:-1]} with id {ident}")
    data = _contents(record)
    if data is None:
        return error(f"cannot read {text(record['file']).decode('cp1251')}")
    pieces = blocks(data)
    head = kind.block + b": " + str(ident).encode() + b","
    endless = "endless" in ctx.faults
    if not pieces or (number > len(pieces) and not endless):
        return ok(head + b"0")
    index = (number - 1) % len(pieces)
    piece = pieces[index]
    size = int(ctx.fault_options.get("endless", {}).get("size", "0") or 0)
    if endless and size > 0:
        # Large blocks of the file over and over: what arrives grows fast.
        piece = (data * (size // len(data) + 1))[:size]
    last = index == len(pieces) - 1 and not endless
    named = ctx.blocks == "named"
    third = file_name(text(record["path"])) if named else str(len(piece)).encode()
    line = head + b"%d,\"%s\",\"" % (number, third) + escape(piece)
    if kind.photo and named and not last:
        return Outcome(True, [line + b'"'], line_end=_NAMED_MORE_END, final=False)
    if not kind.photo:
        trailer = _MOVIE_CLOSE
    else:
        trailer = _PHOTO_LAST if last else _PHOTO_MORE
    return ok(line + trailer)
