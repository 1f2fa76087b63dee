"""Where uploaded melodies appear in the phone's melody list (AT#PUGSN?).

The phone has three places for melodies from the PC: the three entries that
follow the one named "My Bell 3", in id order; place p is the (p+1)-th of
them. A list without "My Bell 3" gets it appended, and a list too short after
it gets empty entries (size 0, no name), each with the next free id.
"""

ANCHOR = b"My Bell 3"
PLACES = 3


def show(melodies: list, place: int, name: bytes, size: int) -> None:
    """The place's entry lists this file, with the bytes received so far."""
    entry = _entry_at(melodies, place)
    entry["name"] = name
    entry["size"] = size


def _entry_at(melodies: list, place: int) -> dict:
    ordered = sorted(melodies, key=lambda m: m["id"])
    anchor = next((i for i, m in enumerate(ordered) if m["name"] == ANCHOR), None)
    if anchor is None:
        ordered.append(_append(melodies, ANCHOR))
        anchor = len(ordered) - 1
    while len(ordered) <= anchor + 1 + place:
        ordered.append(_append(melodies, b""))
    return ordered[anchor + 1 + place]


def _append(melodies: list, name: bytes) -> dict:
    entry = {"id": max((m["id"] for m in melodies), default=0) + 1, "size": 0, "name": name}
    melodies.append(entry)
    return entry
