"""The simulator's log: one line per event, in code page 1251 bytes.

    <seconds since start, 3 decimals> <KIND> <text>

KIND is CMD (a command line as received), RPL (the bytes queued as the
answer), FLT (a fault rule that fired), NOTE (why the phone refused a command)
and EVT (connection, state and life-cycle events). Texts escape CR, LF, TAB,
backslash and other control bytes (\\r \\n \\t \\\\ \\xHH); other bytes are raw.
"""

import time

from .textcodec import escape


class Log:
    def __init__(self, path: str | None):
        self._file = open(path, "ab", buffering=0) if path else None
        self._start = time.monotonic()

    def write(self, kind: str, data: bytes | str) -> None:
        if self._file is None:
            return
        if isinstance(data, str):
            data = data.encode("cp1251", errors="replace")
        stamp = time.monotonic() - self._start
        self._file.write(b"%.3f %s %s\n" % (stamp, kind.encode(), escape(data)))

    def close(self) -> None:
        if self._file is not None:
            self._file.close()
            self._file = None


def unescape(data: bytes) -> bytes:
    """Reverse of the log's escapes."""
    out = bytearray()
    named = {ord("r"): 0x0D, ord("n"): 0x0A, ord("t"): 0x09, ord("\\"): 0x5C}
    i = 0
    while i < len(data):
        if data[i] == 0x5C and i + 1 < len(data):
            if data[i + 1] in named:
                out.append(named[data[i + 1]])
                i += 2
                continue
            if data[i + 1] == ord("x"):
                out.append(int(data[i + 2 : i + 4], 16))
                i += 4
                continue
        out.append(data[i])
        i += 1
    return bytes(out)


def read_entries(path: str) -> list[tuple[float, str, bytes]]:
    """(seconds, KIND, text) for every line of a log file."""
    entries = []
    with open(path, "rb") as f:
        for raw in f.read().split(b"\n"):
            if not raw:
                continue
            stamp, kind, text = (raw.split(b" ", 2) + [b""])[:3]
            entries.append((float(stamp), kind.decode(), unescape(text)))
    return entries
