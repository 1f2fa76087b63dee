"""The queries around animation uploads.

AT#PMMEM?  ->  #PMMEM: <free>,<total>   the phone's picture memory, from the state's "memory"
AT#PMGLG?  ->  #PMGLG: <count>          the animations stored: the complete uploads.animations
"""

from .command import READ
from .context import Context, text
from .outcome import Outcome, error, ok


def memory(ctx: Context, form: str) -> Outcome:
    if form != READ:
        return error("AT#PMMEM is a query")
    mem = ctx.state["memory"]
    return ok(b"#PMMEM: " + text(mem["free"]) + b"," + text(mem["total"]))


def animation_count(ctx: Context, form: str) -> Outcome:
    if form != READ:
        return error("AT#PMGLG is a query")
    count = sum(1 for entry in ctx.state["uploads"]["animations"] if entry["complete"])
    return ok(b"#PMGLG: %d" % count)
