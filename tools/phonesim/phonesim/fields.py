"""Splitting the argument text of a write command into fields.

The phone's own rule (the program's parsers are not used here): fields are
separated by commas; a field that starts with a double quote is a quoted text
that runs to the first double quote followed by a comma or by the end of the
line. Texts are not escaped, so a quote inside a text survives unless a comma
follows it.
"""

from dataclasses import dataclass


@dataclass(frozen=True)
class Field:
    value: bytes
    quoted: bool


def split_fields(args: bytes) -> list[Field] | None:
    """Returns the fields, or None when a quoted text is never closed."""
    fields: list[Field] = []
    pos = 0
    while True:
        if args[pos : pos + 1] == b'"':
            end = _closing_quote(args, pos + 1)
            if end < 0:
                return None
            fields.append(Field(args[pos + 1 : end], True))
            pos = end + 1
            if pos == len(args):
                return fields
            pos += 1  # the comma after the closing quote
            continue
        comma = args.find(b",", pos)
        if comma < 0:
            fields.append(Field(args[pos:], False))
            return fields
        fields.append(Field(args[pos:comma], False))
        pos = comma + 1


def _closing_quote(args: bytes, start: int) -> int:
    pos = start
    while True:
        quote = args.find(b'"', pos)
        if quote < 0:
            return -1
        if quote + 1 == len(args) or args[quote + 1 : quote + 2] == b",":
            return quote
        pos = quote + 1


def layout_of(fields: list[Field]) -> str:
    """'q' for a quoted field, 'u' for a plain one, e.g. 'uuuq' ."""
    return "".join("q" if f.quoted else "u" for f in fields)


def is_digits(value: bytes) -> bool:
    return len(value) > 0 and all(0x30 <= b <= 0x39 for b in value)
