#!/usr/bin/python3
"""Prints what python3-vobject reads from a vCard file, one card a line:
FN, then every TEL, NOTE and REV value, fields between '|', a line break
inside a value as '/'."""
import sys

import vobject


def main() -> None:
    with open(sys.argv[1], encoding="utf-8", newline="") as f:
        text = f.read()
    for card in vobject.readComponents(text):
        fields = [card.fn.value]
        for name in ("tel", "note", "rev"):
            fields += [name.upper() + "=" + str(item.value) for item in card.contents.get(name, [])]
        print("|".join(field.replace("\r\n", "/").replace("\n", "/") for field in fields))


if __name__ == "__main__":
    main()
