"""Fault rules: what the simulated phone does wrong, and when.

One rule per line:   ACTION[,option=value...] PATTERN
PATTERN is the rest of the line, a glob (* and ?) matched against the whole
command line (without CR LF), case-insensitively unless case=1 is given.
Lines may hold any byte (upload blocks carry binary data): each byte is one
character to the glob, and upper case is taken byte for byte in code page 1251.
Blank lines and lines starting with '#' are ignored. See README.md.
"""

import fnmatch
import os
from dataclasses import dataclass

from . import textcodec

ACTIONS = {"silence", "error", "raw", "garbage", "noise", "long", "huge", "delay", "split", "close", "headless",
           "endless"}
# Actions after which the phone has not carried the command out, unless exec=1 says otherwise.
_NOT_EXECUTED = {"silence", "error", "garbage", "close"}
_COMMON = {"times", "skip", "exec", "case"}
_OPTIONS = {
    "silence": set(),
    "error": set(),
    "raw": {"data"},
    "garbage": {"len", "seed"},
    "noise": {"len", "seed"},
    "long": {"len", "numbers", "fields"},
    "huge": {"len", "at"},
    "delay": {"ms"},
    "split": {"size", "at", "pause"},
    "close": {"reply", "reopen"},
    "headless": set(),
    "endless": {"size"},
}


class RuleError(ValueError):
    pass


def _upper_table() -> bytes:
    """Code page 1251 upper case, one byte for one byte: str.upper() on a Latin-1
    reading would turn 0xDF into "SS", so that "?" no longer matched that byte
    and "Я" matched "ss"."""
    table = bytearray(range(256))
    for value in range(256):
        upper = textcodec.decode(bytes([value])).upper()
        if len(upper) == 1:
            try:
                table[value] = textcodec.encode(upper)[0]
            except ValueError:
                pass  # no upper case letter in the code page
    return bytes(table)


_UPPER = _upper_table()


def _upper(text: str) -> str:
    return text.encode("latin-1").translate(_UPPER).decode("latin-1")


@dataclass
class Rule:
    action: str
    options: dict
    pattern: str
    text: str  # the rule as written, for the log
    seen: int = 0
    fired: int = 0

    def matches(self, line: bytes) -> bool:
        subject = line.decode("latin-1")
        if self.options.get("case") == "1":
            return fnmatch.fnmatchcase(subject, self.pattern)
        return fnmatch.fnmatchcase(_upper(subject), _upper(self.pattern))

    def try_fire(self, line: bytes) -> bool:
        if not self.matches(line):
            return False
        self.seen += 1
        if self.seen <= self.int_option("skip", 0):
            return False
        times = self.int_option("times", -1)
        if 0 <= times <= self.fired:
            return False
        self.fired += 1
        return True

    @property
    def executes(self) -> bool:
        answered_close = self.action == "close" and self.options.get("reply") == "1"
        default = "0" if self.action in _NOT_EXECUTED and not answered_close else "1"
        return self.options.get("exec", default) == "1"

    def int_option(self, name: str, default: int) -> int:
        return int(self.options.get(name, default))


def parse_rule(text: str) -> Rule:
    head, _, pattern = text.strip().partition(" ")
    pattern = pattern.strip()
    if not head or not pattern:
        raise RuleError(f"rule needs an action and a pattern: {text!r}")
    action, *pairs = _split_options(head)
    if action not in ACTIONS:
        raise RuleError(f"unknown action {action!r} in {text!r}")
    options = {}
    for pair in pairs:
        key, eq, value = pair.partition("=")
        if not eq or key not in _OPTIONS[action] | _COMMON:
            raise RuleError(f"option {pair!r} does not fit action {action!r}")
        options[key] = value
    _check_numbers(options, text)
    try:
        if action == "raw":
            textcodec.unescape(options.get("data", ""))  # fail early on a bad escape
        pattern = pattern.encode("cp1251").decode("latin-1")
    except ValueError as err:
        raise RuleError(f"{err} in {text!r}") from None
    return Rule(action, options, pattern, text.strip())


def _split_options(head: str) -> list[str]:
    """Splits at commas that are not escaped with a backslash."""
    parts, current, i = [], "", 0
    while i < len(head):
        if head[i] == "\\" and i + 1 < len(head):
            current += head[i : i + 2]
            i += 2
        elif head[i] == ",":
            parts.append(current)
            current, i = "", i + 1
        else:
            current += head[i]
            i += 1
    parts.append(current)
    return parts


def _check_numbers(options: dict, text: str) -> None:
    for key in ("times", "skip", "len", "seed", "ms", "size", "pause", "reopen"):
        if key in options and not options[key].isdigit():
            raise RuleError(f"{key} must be a whole number in {text!r}")
    if "at" in options and options["at"] not in ("start", "end"):
        if not all(p.isdigit() for p in options["at"].split("/")):
            raise RuleError(f"at must be start, end or offsets like 5/20 in {text!r}")
    if "fields" in options and not all(p.isdigit() for p in options["fields"].split("/")):
        raise RuleError(f"fields must be places like 2/3 in {text!r}")


def parse_rules(text: str) -> list[Rule]:
    rules = []
    for line in text.splitlines():
        if line.strip() and not line.lstrip().startswith("#"):
            rules.append(parse_rule(line))
    return rules


class RuleBook:
    """Rules from the command line plus a control file that is re-read whenever it changes."""

    def __init__(self, fixed: list[Rule], path: str | None):
        self.fixed = fixed
        self.path = path
        self.file_rules: list[Rule] = []
        self._signature: object = "never read"
        self.load_error = ""

    def refresh(self) -> bool:
        """Re-reads the control file if it changed; True when it did."""
        if not self.path:
            return False
        signature = _signature(self.path)
        if signature == self._signature:
            return False
        self._signature = signature
        self.load_error = ""
        try:
            with open(self.path, encoding="utf-8") as f:
                self.file_rules = parse_rules(f.read())
        except FileNotFoundError:
            self.file_rules = []
        except (OSError, ValueError) as err:
            self.file_rules = []
            self.load_error = str(err)
        return True

    def fire(self, line: bytes) -> list[Rule]:
        """Every rule that applies to this command, control file rules first."""
        return [rule for rule in self.file_rules + self.fixed if rule.try_fire(line)]


def _signature(path: str):
    try:
        st = os.stat(path)
    except FileNotFoundError:
        return None
    return (st.st_ino, st.st_size, st.st_mtime_ns)
