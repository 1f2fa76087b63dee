"""The data field of an upload block, with the 7D escapes undone.

The program sends the five bytes that would end or confuse the line as 7D and
a substitute: 7D 28 for 08, 7D 2A for 0A, 7D 2D for 0D, 7D 02 for 22 and
7D 5D for 7D. Every other byte goes as it is, NUL and bytes from 0x80 included.
A 7D followed by anything else, a 7D that ends the data, or one of the five
bytes sent raw is a framing fault.
"""

ESCAPE = 0x7D
_SUBSTITUTES = {0x28: 0x08, 0x2A: 0x0A, 0x2D: 0x0D, 0x02: 0x22, 0x5D: 0x7D}
_NEVER_RAW = frozenset(b"\x08\x0a\x0d\x22")


class FramingError(ValueError):
    """A block the phone refuses; the text says why, for the log."""


def unescape(data: bytes) -> bytes:
    out = bytearray()
    i = 0
    while i < len(data):
        b = data[i]
        if b in _NEVER_RAW:
            raise FramingError(f"byte {b:02X} unescaped at data offset {i}")
        if b != ESCAPE:
            out.append(b)
            i += 1
            continue
        if i + 1 == len(data):
            raise FramingError("7D ends the data")
        original = _SUBSTITUTES.get(data[i + 1])
        if original is None:
            raise FramingError(f"7D followed by {data[i + 1]:02X} at data offset {i}")
        out.append(original)
        i += 2
    return bytes(out)
