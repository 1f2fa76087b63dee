"""The phone's data and settings, kept in a UTF-8 JSON file.

In memory every text is a byte string (code page 1251, exactly as on the
wire); numbers stay numbers. A state file may be partial: whatever it leaves
out takes the defaults below, so a test writes only what it cares about.
See README.md for the schema.
"""

import copy
import json
import os

from . import textcodec

# The repository's top folder: a photo's or movie's "file" is found from here
# unless it is absolute, so a state file works wherever it is copied.
ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))

FORMAT = "velarmon-phonesim/1"

DEFAULTS = {
    "format": FORMAT,
    "model": "SCH-E120",
    "manufacturer": "SAMSUNG",
    "firmware": "E120.ZG1",
    "key": "4711",
    "own_number": "0951234567",
    "pcout": "0",
    "pclnk": "1",
    "echo": True,
    "require_pmode": True,
    "require_key": True,
    "overlong": "error",
    "limits": {
        "phonebook": 500,
        "scheduler": 50,
        "memos": 10,
        "pb_name": 32,
        "pb_number": 32,
        "pb_text": 32,
        "sched_text": 32,
        "memo_text": 32,
        "sms_text": 160,
        "sms_number": 20,
    },
    "phonebook": [],
    "scheduler_choices": ["0", "5", "15"],
    "scheduler": [],
    "memos": [],
    "melodies": [],
    "photos": [],
    "movies": [],
    "sms": [],
    "memory": {"free": 1048576, "total": 2097152},
    "uploads": {"melodies": [], "pictures": [], "animations": []},
}
# Objects that a state file may give in part: the keys it leaves out keep their defaults.
_MERGED = ("limits", "memory", "uploads")

PHONEBOOK_DEFAULTS = {
    "head": ["0", "0"],
    "name": "",
    "numbers": ["", "", "", "", ""],
    "kinds": ["", "", "", ""],
    "text1": "",
    "text2": "",
    "stamp": "",
}
SCHEDULER_DEFAULTS = {"created": "19800106T000000", "date": "", "start": "", "code": 0, "melody": 0, "text": ""}
MEMO_DEFAULTS = {"stamp": "", "text": ""}
MELODY_DEFAULTS = {"size": 0, "name": ""}
MEDIA_DEFAULTS = {"tag": "", "path": ""}  # "file" is required
# An upload entry also holds its kind's parameters (place; size and stamp;
# frames, width and height), which only the blocks of an upload compare.
UPLOAD_DEFAULTS = {"name": "", "blocks": [], "bytes": 0, "complete": False, "lf": None, "hex": ""}

_RECORD_DEFAULTS = {
    "phonebook": PHONEBOOK_DEFAULTS,
    "scheduler": SCHEDULER_DEFAULTS,
    "memos": MEMO_DEFAULTS,
    "melodies": MELODY_DEFAULTS,
    "photos": MEDIA_DEFAULTS,
    "movies": MEDIA_DEFAULTS,
}
# The field that tells a kind's records apart.
_KEYS = (("phonebook", "pos"), ("scheduler", "pos"), ("memos", "pos"),
         ("melodies", "id"), ("photos", "id"), ("movies", "id"))
_BY_ID = {kind for kind, key in _KEYS if key == "id"}


class StateError(Exception):
    pass


def _to_bytes(value):
    if isinstance(value, str):
        return textcodec.encode(value)
    if isinstance(value, list):
        return [_to_bytes(v) for v in value]
    if isinstance(value, dict):
        return {k: _to_bytes(v) for k, v in value.items()}
    return value


def _to_text(value):
    if isinstance(value, bytes):
        return textcodec.decode(value)
    if isinstance(value, list):
        return [_to_text(v) for v in value]
    if isinstance(value, dict):
        return {k: _to_text(v) for k, v in value.items()}
    return value


def normalise(raw: dict) -> dict:
    """Fills defaults into a JSON object and turns its texts into bytes."""
    if not isinstance(raw, dict):
        raise StateError("the state must be a JSON object")
    merged = copy.deepcopy(DEFAULTS)
    for key, value in raw.items():
        if key in _MERGED:
            if not isinstance(value, dict):
                raise StateError(f"{key} must be an object")
            merged[key].update(value)
        else:
            merged[key] = value
    for kind, defaults in _RECORD_DEFAULTS.items():
        merged[kind] = [_with_defaults(kind, rec, defaults) for rec in merged[kind]]
    merged["uploads"] = _uploads_with_defaults(merged["uploads"])
    state = _to_bytes(merged)
    _check(state)
    return state


def _with_defaults(kind: str, record: dict, defaults: dict) -> dict:
    if not isinstance(record, dict):
        raise StateError(f"{kind}: every record must be an object")
    key = "id" if kind in _BY_ID else "pos"
    if not isinstance(record.get(key), int):
        raise StateError(f"{kind}: every record needs an integer {key!r}")
    full = copy.deepcopy(defaults)
    full.update(record)
    return full


def _uploads_with_defaults(uploads: dict) -> dict:
    kinds = tuple(DEFAULTS["uploads"])
    if set(uploads) != set(kinds):
        raise StateError(f"uploads holds only {', '.join(kinds)}")
    full = {}
    for kind in kinds:
        entries = uploads[kind]
        if not isinstance(entries, list) or not all(isinstance(e, dict) for e in entries):
            raise StateError(f"uploads.{kind} must be a list of objects")
        full[kind] = [dict(copy.deepcopy(UPLOAD_DEFAULTS), **entry) for entry in entries]
    return full


def _check(state: dict) -> None:
    for kind, key in _KEYS:
        seen = [rec[key] for rec in state[kind]]
        if len(seen) != len(set(seen)):
            raise StateError(f"{kind}: {key} values must be unique")
    for rec in state["phonebook"]:
        if len(rec["numbers"]) != 5 or len(rec["kinds"]) != 4 or len(rec["head"]) != 2:
            raise StateError("phonebook: numbers needs 5 texts, kinds 4, head 2")
    for kind in ("photos", "movies"):
        for rec in state[kind]:
            if not isinstance(rec.get("file"), bytes) or not os.path.isfile(media_file(rec)):
                raise StateError(f"{kind}: id {rec['id']} needs a \"file\" that exists")


def media_file(record: dict) -> str:
    """Where a photo's or movie's contents are: an absolute path, or one relative to the repository."""
    return os.path.join(ROOT, textcodec.decode(record["file"]))


def default_state() -> dict:
    return normalise({})


def load(path: str) -> dict:
    try:
        with open(path, encoding="utf-8") as f:
            raw = json.load(f)
    except (OSError, json.JSONDecodeError) as err:
        raise StateError(f"{path}: {err}") from None
    return normalise(raw)


def to_json_text(state: dict) -> str:
    doc = _to_text(state)
    for kind, key in _KEYS:
        doc[kind] = sorted(doc[kind], key=lambda rec, k=key: rec[k])
    return json.dumps(doc, ensure_ascii=False, indent=1) + "\n"


def save(state: dict, path: str) -> None:
    """Writes atomically, so a reader never sees half a file."""
    tmp = f"{path}.tmp{os.getpid()}"
    with open(tmp, "w", encoding="utf-8") as f:
        f.write(to_json_text(state))
    os.replace(tmp, path)


def flat_lines(state: dict) -> list[bytes]:
    """key=value lines in code page 1251 for readers without JSON (tests under Wine).

    Keys are dotted paths: phonebook.<pos>.name, phonebook.<pos>.numbers.0,
    scheduler.<pos>.text, memos.<pos>.stamp, melodies.<id>.name, sms.<n>.text ...
    Values use the log's escapes (\\r, \\n, \\\\, \\xHH)."""
    lines: list[bytes] = []
    _flatten(b"", state, lines)
    return lines


def _flatten(prefix: bytes, value, lines: list[bytes]) -> None:
    if isinstance(value, dict):
        for key, item in value.items():
            _flatten(_join(prefix, key.encode()), item, lines)
    elif isinstance(value, list):
        for index, item in enumerate(value):
            label = _record_label(item, index)
            _flatten(_join(prefix, label), item, lines)
    elif isinstance(value, bytes):
        lines.append(prefix + b"=" + textcodec.escape(value))
    else:
        lines.append(prefix + b"=" + json.dumps(value).encode())


def _join(prefix: bytes, key: bytes) -> bytes:
    return prefix + b"." + key if prefix else key


def _record_label(item, index: int) -> bytes:
    if isinstance(item, dict):
        for key in ("pos", "id"):
            if isinstance(item.get(key), int):
                return str(item[key]).encode()
    return str(index).encode()
