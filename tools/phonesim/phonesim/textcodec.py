"""Byte texts: the phone speaks code page 1251 bytes, the state file is UTF-8 JSON.

The mapping between the two is a bijection over all 256 byte values: the one
byte that cp1251 leaves undefined (0x98) maps to U+0098, which no other byte
produces, so every byte string survives a trip through the state file.
"""

import re

_UNDEFINED = 0x98
# Bytes the one-line form escapes.
_ESCAPED = re.compile(rb"[\x00-\x1f\x5c\x7f]")


def _build_tables():
    to_char = {}
    for value in range(256):
        if value == _UNDEFINED:
            to_char[value] = chr(value)
        else:
            to_char[value] = bytes([value]).decode("cp1251")
    to_byte = {char: value for value, char in to_char.items()}
    return to_char, to_byte


_TO_CHAR, _TO_BYTE = _build_tables()


def decode(data: bytes) -> str:
    # ASCII is the same in code page 1251 (upload data is kept as hex digits).
    if data.isascii():
        return data.decode("ascii")
    return "".join(_TO_CHAR[b] for b in data)


def encode(text: str) -> bytes:
    try:
        return bytes(_TO_BYTE[c] for c in text)
    except KeyError as err:
        raise ValueError(f"character {err.args[0]!r} has no code page 1251 byte") from None


def escape(data: bytes) -> bytes:
    """One-line form for logs: control bytes and backslash escaped, the rest raw."""
    if not _ESCAPED.search(data):
        return data
    out = bytearray()
    named = {0x0D: b"\\r", 0x0A: b"\\n", 0x09: b"\\t", 0x5C: b"\\\\"}
    for b in data:
        if b in named:
            out += named[b]
        elif b < 0x20 or b == 0x7F:
            out += b"\\x%02x" % b
        else:
            out.append(b)
    return bytes(out)


def unescape(text: str) -> bytes:
    """Reverse of the escapes that fault rules and the command line accept:
    \\r \\n \\t \\\\ \\s (blank) \\, (comma) and \\xHH; other characters go through encode()."""
    out = bytearray()
    i = 0
    simple = {"r": 0x0D, "n": 0x0A, "t": 0x09, "\\": 0x5C, "s": 0x20, ",": 0x2C, '"': 0x22}
    while i < len(text):
        c = text[i]
        if c != "\\" or i + 1 >= len(text):
            out += encode(c)
            i += 1
            continue
        nxt = text[i + 1]
        if nxt in simple:
            out.append(simple[nxt])
            i += 2
        elif nxt == "x" and _is_hex(text[i + 2 : i + 4]):
            out.append(int(text[i + 2 : i + 4], 16))
            i += 4
        else:
            raise ValueError(f"bad escape at {text[i:i + 4]!r}")
    return bytes(out)


def _is_hex(pair: str) -> bool:
    return len(pair) == 2 and all(c in "0123456789abcdefABCDEF" for c in pair)
