"""What the command handlers work on: the stored data and the link session."""

from dataclasses import dataclass, field


@dataclass
class Session:
    """Per-connection facts; a closed and reopened port starts a new session."""

    pmode: bool = False
    unlocked: bool = False
    # The upload in progress per kind and slot: its entry in the state.
    uploads: dict = field(default_factory=dict)

    def reset(self) -> None:
        self.pmode = False
        self.unlocked = False
        self.uploads = {}


@dataclass
class Context:
    state: dict
    session: Session
    echo: bool
    verbose: bool = True
    erase_delay: float = 0.4  # seconds the phone spends emptying a store
    # The photo and movie block format (--blocks): "length" puts the block's
    # raw length in its third field, "named" the item's file name.
    blocks: str = "length"
    # Actions of the fault rules that fired on the command being carried out,
    # for the faults that change what the phone does rather than its answer's form.
    faults: frozenset = frozenset()
    # The options of those rules, by action.
    fault_options: dict = field(default_factory=dict)
    # The upload entry that took the command being carried out, until the
    # byte after its line's CR tells whether an LF came (uploads.line_end).
    awaiting_line_end: dict | None = None

    def limit(self, name: str) -> int:
        return int(self.state["limits"][name])

    def fit(self, value: bytes, limit_name: str) -> bytes | None:
        """The value as the phone stores it, or None when it refuses it as too long."""
        limit = self.limit(limit_name)
        if len(value) <= limit:
            return value
        if self.state["overlong"] == b"cut":
            return value[:limit]
        return None


def text(value) -> bytes:
    """A stored value as it appears on the wire (texts as they are, numbers in decimal)."""
    return value if isinstance(value, bytes) else str(value).encode()


def find(records: list, key: str, value):
    for record in records:
        if record[key] == value:
            return record
    return None


def put(records: list, key: str, record: dict) -> None:
    records[:] = [r for r in records if r[key] != record[key]]
    records.append(record)


def position(arg: bytes, first: int, count: int) -> int | None:
    """A decimal position in first .. first + count - 1, or None."""
    if not arg.isdigit() or len(arg) > 6:
        return None
    value = int(arg)
    return value if first <= value < first + count else None
