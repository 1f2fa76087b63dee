"""SMS sending: AT#PSTRM=to,from,3,"text",save,0,0, 4098

The text is neither escaped nor limited to one line, so it is taken greedily:
everything between the first '"' after the third comma and the last '",'
that still leaves four more fields.
"""

import re

from .command import SET
from .context import Context
from .outcome import Outcome, error, ok

_LAYOUT = re.compile(rb'^([^,"]*),([^,"]*),([^,"]*),"(.*)",([^,"]*),([^,"]*),([^,"]*),([^,"]*)$', re.DOTALL)
_RECIPIENT = re.compile(rb"^\+?[0-9*#]+$")
_OWN = re.compile(rb"^\+?[0-9*#]*$")


def send(ctx: Context, form: str, args: bytes) -> Outcome:
    match = _LAYOUT.match(args) if form == SET else None
    if match is None:
        return error("AT#PSTRM does not have the 8-field layout")
    to, own, kind, body, save, f6, f7, f8 = match.groups()
    note = _refusal(ctx, to, own, kind, body, save, (f6, f7, f8))
    if note:
        return error(note)
    ctx.state["sms"].append({"to": to, "from": own, "text": body, "save": save == b"1"})
    return ok(changed=True)


def _refusal(ctx: Context, to: bytes, own: bytes, kind: bytes, body: bytes, save: bytes, tail) -> str:
    if not _RECIPIENT.match(to) or len(to) > ctx.limit("sms_number"):
        return "bad recipient"
    if not _OWN.match(own) or len(own) > ctx.limit("sms_number"):
        return "bad own number"
    if kind != b"3" or save not in (b"0", b"1"):
        return "bad message kind or save flag"
    if not all(f.strip(b" ").isdigit() for f in tail):
        return "bad trailing fields"
    if len(body) > ctx.limit("sms_text"):
        return "text too long"
    return ""
