"""Melody uploads:  AT#PUMDL=<place>,"<name>",3,<block>,"<escaped data>"  CR LF

place is 0, 1 or 2; the name is the file's name in code page 1251, not
escaped. Full blocks carry 180 data bytes and are numbered from 1; a shorter
last block is numbered 0. A file of whole blocks sends no block 0, so the
melody list shows the file at its place after every block, with the bytes
received so far.
"""

import re

from . import melody_places, uploads
from .blockdata import FramingError, unescape
from .command import SET
from .context import Context
from .outcome import Outcome, error, ok

# The data holds no double quote, so the name runs to the last '",3,<n>,"'.
_LINE = re.compile(rb'^([0-9]{1,6}),"(.*)",3,([0-9]{1,6}),"([^"]*)"$', re.DOTALL)
FRAMING = uploads.Framing("melodies", full=180, last=range(1, 180), open_ended=True)


def block(ctx: Context, form: str, args: bytes) -> Outcome:
    match = _LINE.match(args) if form == SET else None
    if match is None:
        return error('AT#PUMDL takes <place>,"<name>",3,<block>,"<data>"')
    place, name, number, data = match.groups()
    if place not in (b"0", b"1", b"2"):
        return error("melody place must be 0, 1 or 2")
    try:
        piece = uploads.Block(int(place), name, {"place": int(place)}, int(number), unescape(data))
        entry = uploads.accept(ctx, FRAMING, piece)
    except FramingError as err:
        return error(str(err))
    melody_places.show(ctx.state["melodies"], int(place), name, entry["bytes"])
    return ok(changed=True)
