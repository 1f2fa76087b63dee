"""Picture uploads:  AT#PMCDL=1,<w>,<h>,0,0,"<name>",<stamp>,<block>,"<escaped data>"  CR LF

<w>,<h> is the size the phone stores the picture at, one of SIZES; <stamp>
is YYYYMMDDTHHMMSS. Both and the name are the same in every block of a file.
Full blocks carry 396 data bytes and are numbered from 1; the last block is
numbered 0 and holds 1 to 396 bytes (396 when the file is whole blocks).
"""

import re

from . import stamp as phone_stamp, uploads
from .blockdata import FramingError, unescape
from .command import SET
from .context import Context
from .outcome import Outcome, error, ok

_LINE = re.compile(rb'^1,([0-9]{1,4}),([0-9]{1,4}),0,0,"(.*)",([^,"]*),([0-9]{1,6}),"([^"]*)"$', re.DOTALL)
SIZES = (b"640,480", b"320,240", b"176,150", b"176,168", b"160,120")
FRAMING = uploads.Framing("pictures", full=396, last=range(1, 397))


def block(ctx: Context, form: str, args: bytes) -> Outcome:
    match = _LINE.match(args) if form == SET else None
    if match is None:
        return error('AT#PMCDL takes 1,<w>,<h>,0,0,"<name>",<stamp>,<block>,"<data>"')
    width, height, name, stamp, number, data = match.groups()
    size = width + b"," + height
    if size not in SIZES:
        return error("picture size is not one the phone stores")
    if not phone_stamp.is_valid(stamp):
        return error("bad time stamp")
    try:
        piece = uploads.Block(None, name, {"size": size, "stamp": stamp}, int(number), unescape(data))
        uploads.accept(ctx, FRAMING, piece)
    except FramingError as err:
        return error(str(err))
    return ok(changed=True)
