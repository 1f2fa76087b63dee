"""Routes a command line to its handler and applies the phone's access rules.

Access rules (each can be switched off in the state):
- require_pmode: every AT# command but AT#PMODE answers ERROR until AT#PMODE=1
  in the current connection;
- require_key: AT#PBSEL? and AT#PBOKR= answer ERROR until the phone's key was
  sent back with AT#PCKEY=<key> in the current connection (writes need no key:
  the program writes the phone book without sending it).
"""

from . import (animation_upload, media, melody_upload, memos, phonebook, picture_upload, scheduler, sms, startup,
               upload_queries)
from .command import BASIC, Command, parse
from .context import Context
from .outcome import Outcome, error

_KEYED = {b"#PBSEL", b"#PBOKR"}
# The blocks of a photo or movie sent to the program and of a melody, picture
# or animation received from it (--block-ms).
_MEDIA_BLOCKS = {b"#PMLUL", b"#PMMUL", b"#PUMDL", b"#PMCDL", b"#PMIDL"}


def _handlers():
    return {
        b"#PMODE": lambda c, cmd: startup.pmode(c, cmd.form, cmd.args),
        b"#PCKEY": lambda c, cmd: startup.pckey(c, cmd.form, cmd.args),
        b"+GMM": lambda c, cmd: startup.identity(c, cmd.name, cmd.form),
        b"+GMI": lambda c, cmd: startup.identity(c, cmd.name, cmd.form),
        b"+GMR": lambda c, cmd: startup.identity(c, cmd.name, cmd.form),
        b"#PCOUT": lambda c, cmd: startup.link_info(c, cmd.name, cmd.form),
        b"#PCLNK": lambda c, cmd: startup.link_info(c, cmd.name, cmd.form),
        b"#PCMIT": lambda c, cmd: startup.link_info(c, cmd.name, cmd.form),
        b"#PUGSN": lambda c, cmd: startup.melody_list(c, cmd.form),
        b"*SKT*BEEP": lambda c, cmd: startup.beep(c, cmd.form, cmd.args),
        b"#PBSEL": lambda c, cmd: phonebook.select(c, cmd.form),
        b"#PBOKR": lambda c, cmd: phonebook.read(c, cmd.form, cmd.args),
        b"#PBOKW": lambda c, cmd: phonebook.write(c, cmd.form, cmd.args),
        b"#PBEND": lambda c, cmd: phonebook.closing(c, cmd.name, cmd.form, cmd.args),
        b"#PBMNW": lambda c, cmd: phonebook.closing(c, cmd.name, cmd.form, cmd.args),
        b"#PBSYN": lambda c, cmd: phonebook.closing(c, cmd.name, cmd.form, cmd.args),
        b"#PISHR": lambda c, cmd: scheduler.read(c, cmd.form, cmd.args),
        b"#PISHW": lambda c, cmd: scheduler.write(c, cmd.form, cmd.args),
        b"#PISSY": lambda c, cmd: scheduler.sync(c, cmd.form, cmd.args),
        b"#PIMMR": lambda c, cmd: memos.read(c, cmd.form, cmd.args),
        b"#PIMMW": lambda c, cmd: memos.write(c, cmd.form, cmd.args),
        b"#PIMSY": lambda c, cmd: memos.sync(c, cmd.form, cmd.args),
        b"#PSTRM": lambda c, cmd: sms.send(c, cmd.form, cmd.args),
        b"#PMCGL": lambda c, cmd: media.catalogue(c, media.PHOTOS, cmd.form),
        b"#PMMGL": lambda c, cmd: media.catalogue(c, media.MOVIES, cmd.form),
        b"#PMLUL": lambda c, cmd: media.block(c, media.PHOTOS, cmd.form, cmd.args),
        b"#PMMUL": lambda c, cmd: media.block(c, media.MOVIES, cmd.form, cmd.args),
        b"#PUMDL": lambda c, cmd: melody_upload.block(c, cmd.form, cmd.args),
        b"#PMCDL": lambda c, cmd: picture_upload.block(c, cmd.form, cmd.args),
        b"#PMIDL": lambda c, cmd: animation_upload.block(c, cmd.form, cmd.args),
        b"#PMMEM": lambda c, cmd: upload_queries.memory(c, cmd.form),
        b"#PMGLG": lambda c, cmd: upload_queries.animation_count(c, cmd.form),
    }


HANDLERS = _handlers()


def is_media_block(line: bytes) -> bool:
    cmd = parse(line)
    return cmd is not None and cmd.name in _MEDIA_BLOCKS


def execute(ctx: Context, line: bytes) -> Outcome:
    cmd = parse(line)
    if cmd is None:
        return error("not an AT command")
    if cmd.form == BASIC:
        return startup.basic(ctx, cmd.args)
    handler = HANDLERS.get(cmd.name)
    if handler is None:
        return error("unknown command")
    refusal = _access_refusal(ctx, cmd)
    if refusal:
        return error(refusal)
    return handler(ctx, cmd)


def _access_refusal(ctx: Context, cmd: Command) -> str:
    state, session = ctx.state, ctx.session
    if state["require_pmode"] and cmd.name.startswith(b"#") and cmd.name != b"#PMODE" and not session.pmode:
        return "PC link mode is off (AT#PMODE=1 first)"
    if state["require_key"] and cmd.name in _KEYED and not session.unlocked:
        return "phone book locked (AT#PCKEY=<key> first)"
    return ""
