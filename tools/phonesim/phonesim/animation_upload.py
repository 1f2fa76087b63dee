"""Animation uploads:  AT#PMIDL=<frames>,<width>,<height>,1,3,0,0,"<name>",<block>,"<escaped data>"  CR

These lines end in CR alone. Full blocks carry 200 data bytes and are
numbered from 1; the last block is numbered 0 and holds 0 to 199 bytes (none
when the pixels are whole blocks). The pixels come last byte first; they are
kept as they arrived. At block 0 the file must hold frames x width x height
bytes.
"""

import re

from . import uploads
from .blockdata import FramingError, unescape
from .command import SET
from .context import Context
from .outcome import Outcome, error, ok

_LINE = re.compile(rb'^([0-9]{1,6}),([0-9]{1,6}),([0-9]{1,6}),1,3,0,0,"(.*)",([0-9]{1,6}),"([^"]*)"$',
                   re.DOTALL)


def _whole_frames(block: uploads.Block, total: int) -> str:
    p = block.params
    expected = p["frames"] * p["width"] * p["height"]
    return "" if total == expected else f"animation holds {total} bytes, not frames x width x height = {expected}"


FRAMING = uploads.Framing("animations", full=200, last=range(0, 200), closing_check=_whole_frames)


def block(ctx: Context, form: str, args: bytes) -> Outcome:
    match = _LINE.match(args) if form == SET else None
    if match is None:
        return error('AT#PMIDL takes <frames>,<width>,<height>,1,3,0,0,"<name>",<block>,"<data>"')
    frames, width, height, name, number, data = match.groups()
    params = {"frames": int(frames), "width": int(width), "height": int(height)}
    if 0 in params.values():
        return error("frames, width and height must not be 0")
    try:
        uploads.accept(ctx, FRAMING, uploads.Block(None, name, params, int(number), unescape(data)))
    except FramingError as err:
        return error(str(err))
    return ok(changed=True)
