"""Files the program sends to the phone in numbered blocks, kept in the state.

Every kind of upload is framed the same way: full blocks of a fixed size are
numbered 1, 2, ...; the last block is numbered 0. Block 1 starts a new file,
and so does block 0 when no upload of that kind (and slot) is in progress.
A block out of sequence, of the wrong size, or with other parameters than
the blocks before it is refused, and changes nothing.

The state keeps one entry per file started, in arrival order, under
uploads.<kind>:
    {"name": ..., <the kind's parameters>, "blocks": [1, 2, 0], "bytes": n,
     "complete": true, "lf": false, "hex": "..."}
"hex" holds the data bytes as they arrived; "complete" is set by block 0;
"lf" tells whether an LF followed the CR of the entry's block lines (null
until the byte after such a CR has arrived). Which upload is in progress is
a fact of the connection: a closed port ends it.
"""

from dataclasses import dataclass, field
from typing import Callable

from .blockdata import FramingError
from .context import Context


@dataclass(frozen=True)
class Block:
    slot: object  # uploads in different slots go on side by side (a melody's place)
    name: bytes
    params: dict  # stored with the file; every block of a file must repeat them
    number: int
    data: bytes  # unescaped


@dataclass(frozen=True)
class Framing:
    kind: str  # the list under uploads
    full: int  # data bytes of every numbered block
    last: range  # allowed sizes of block 0
    # A file of whole blocks sends no block 0, so block 0 with another name
    # than the upload in progress is the next file rather than a fault.
    open_ended: bool = False
    # A refusal note for block 0 given the file's total size, or "".
    closing_check: Callable[[Block, int], str] = field(default=lambda block, total: "")


def accept(ctx: Context, framing: Framing, block: Block) -> dict:
    """Stores an accepted block and returns its file's entry; raises FramingError otherwise."""
    _check_size(framing, block)
    progress = ctx.session.uploads
    key = (framing.kind, block.slot)
    entry = progress.get(key)
    if _starts_file(framing, block, entry):
        entry = None
    elif entry is None:
        raise FramingError(f"block {block.number} with no {framing.kind} upload in progress")
    else:
        _check_continuation(entry, block)
    if block.number == 0:
        total = (entry["bytes"] if entry else 0) + len(block.data)
        note = framing.closing_check(block, total)
        if note:
            raise FramingError(note)
    if entry is None:
        entry = _new_entry(block)
        ctx.state["uploads"][framing.kind].append(entry)
        progress[key] = entry
    entry["blocks"].append(block.number)
    entry["bytes"] += len(block.data)
    entry["hex"] += block.data.hex().encode()
    if block.number == 0:
        entry["complete"] = True
        del progress[key]
    ctx.awaiting_line_end = entry
    return entry


def _check_size(framing: Framing, block: Block) -> None:
    size = len(block.data)
    if block.number > 0 and size != framing.full:
        raise FramingError(f"block {block.number} holds {size} bytes, not {framing.full}")
    if block.number == 0 and size not in framing.last:
        raise FramingError(f"last block holds {size} bytes, not {framing.last.start}..{framing.last.stop - 1}")


def _starts_file(framing: Framing, block: Block, entry: dict | None) -> bool:
    if block.number == 1 or (block.number == 0 and entry is None):
        return True
    return framing.open_ended and block.number == 0 and entry["name"] != block.name


def _check_continuation(entry: dict, block: Block) -> None:
    if entry["name"] != block.name:
        raise FramingError("the name changed in the middle of the upload")
    for name, value in block.params.items():
        if entry[name] != value:
            raise FramingError(f"{name} changed in the middle of the upload")
    previous = entry["blocks"][-1]
    if block.number != 0 and block.number != previous + 1:
        raise FramingError(f"block {block.number} after block {previous}")


def _new_entry(block: Block) -> dict:
    entry = {"name": block.name}
    entry.update(block.params)
    entry.update({"blocks": [], "bytes": 0, "complete": False, "lf": None, "hex": b""})
    return entry


def line_end(ctx: Context, lf: bool) -> bool:
    """Records what followed the CR of the last command's line, when that
    command was an accepted block; True when the stored data changed."""
    entry, ctx.awaiting_line_end = ctx.awaiting_line_end, None
    if entry is None:
        return False
    seen = bool(entry["lf"]) or lf
    changed = entry["lf"] != seen
    entry["lf"] = seen
    return changed
