"""Turning an outcome into bytes on the line, and fault rules into a sending plan."""

import random
import re
from dataclasses import dataclass, field

from . import textcodec
from .faults import Rule

FILLER_LINE = b"x" * 78


@dataclass
class Reply:
    echo: bytes
    lines: list[bytes]
    ok: bool | None  # None: no final result code at all
    verbose: bool = True
    line_end: bytes = b"\r\n"
    lead: bool = True  # the line end before the information lines

    def body(self) -> bytes:
        end = self.line_end
        if self.verbose:
            info = (b"\r\n" if self.lead else b"") + end.join(self.lines) + end if self.lines else b""
            final = {True: b"\r\nOK\r\n", False: b"\r\nERROR\r\n", None: b""}[self.ok]
        else:
            info = b"".join(line + end for line in self.lines)
            final = {True: b"0\r", False: b"4\r", None: b""}[self.ok]
        return info + final


@dataclass
class Plan:
    """What goes on the line: a pause, pieces of data with pauses, maybe a close."""

    data: bytes | None
    delay: float = 0.0
    cuts: list[int] = field(default_factory=list)
    cut_size: int = 0
    pause: float = 0.0
    close_before: bool = False
    close_after: bool = False
    reopen: float | None = None

    def pieces(self) -> list[bytes]:
        if not self.data:
            return []
        cuts = list(self.cuts)
        if self.cut_size:
            cuts = list(range(self.cut_size, len(self.data), self.cut_size))
        edges = [0] + sorted(c for c in set(cuts) if 0 < c < len(self.data)) + [len(self.data)]
        return [self.data[a:b] for a, b in zip(edges, edges[1:])]


def plan(reply: Reply, rules: list[Rule]) -> Plan:
    replaced: bytes | None = None
    silent = False
    result = Plan(None)
    for rule in rules:
        opts, action = rule.options, rule.action
        if action == "silence":
            silent = True
        elif action == "error":
            reply.lines, reply.ok = [], False
        elif action == "raw":
            replaced = textcodec.unescape(opts.get("data", ""))
        elif action == "garbage":
            replaced = _garbage(int(opts.get("len", "64")), int(opts.get("seed", "1")))
        elif action == "long":
            length = int(opts.get("len", "300"))
            if "fields" in opts:
                places = [int(k) for k in opts["fields"].split("/")]
                reply.lines = [_lengthen_fields(line, length, places) for line in reply.lines]
            else:
                reply.lines = [_lengthen(line, length, opts.get("numbers") == "1") for line in reply.lines]
        elif action == "headless":
            if reply.lines:
                first = reply.lines[0]
                reply.lines[0] = first[first.find(b": ") + 2:] if b": " in first else first
                reply.lead = False
        elif action == "endless":
            pass  # the command's handler acts on it
        elif action == "huge":
            _inflate(reply, int(opts.get("len", "5000")), opts.get("at", "end"))
        else:
            _timing(result, rule)
    if silent or result.close_before:
        return result
    data = replaced if replaced is not None else reply.echo + reply.body()
    for rule in rules:
        if rule.action == "noise":
            data = _garbage(int(rule.options.get("len", "16")), int(rule.options.get("seed", "2"))) + data
    result.data = data
    return result


def _timing(result: Plan, rule: Rule) -> None:
    opts, action = rule.options, rule.action
    if action == "delay":
        result.delay += int(opts.get("ms", "0")) / 1000
    elif action == "split":
        result.pause = int(opts.get("pause", "300")) / 1000
        if "at" in opts:
            result.cuts = [int(p) for p in opts["at"].split("/")]
        else:
            result.cut_size = int(opts.get("size", "8"))
    elif action == "close":
        result.close_after = opts.get("reply") == "1"
        result.close_before = not result.close_after
        if "reopen" in opts:
            result.reopen = float(opts["reopen"])


def _garbage(length: int, seed: int) -> bytes:
    """Random bytes that can never spell "OK" or "ERROR" (no 'O', no 'E')."""
    rng = random.Random(seed)
    allowed = [b for b in range(256) if b not in (0x4F, 0x45)]
    return bytes(rng.choice(allowed) for _ in range(length))


LETTERS = b"abcdefghijklmnopqrstuvwxyz"


def _pad(value: bytes, length: int, alphabet: bytes = LETTERS) -> bytes:
    extra = max(0, length - len(value))
    return value + (alphabet * (extra // len(alphabet) + 1))[:extra]


def _lengthen(line: bytes, length: int, numbers: bool) -> bytes:
    line = re.sub(rb'"([^"\r\n]*)"', lambda m: b'"' + _pad(m.group(1), length) + b'"', line)
    if numbers:
        line = re.sub(rb"(?<=,)(\d+)(?=,|$)", lambda m: _pad(m.group(1), length, b"0123456789"), line)
    return line


def _lengthen_fields(line: bytes, length: int, places: list[int]) -> bytes:
    """Pads the comma-separated fields at these places (counted from 1) with
    letters; a quoted field is padded inside its quotes."""
    fields = line.split(b",")
    for place in places:
        if 1 <= place <= len(fields):
            value = fields[place - 1]
            quoted = len(value) >= 2 and value[:1] == value[-1:] == b'"'
            fields[place - 1] = b'"' + _pad(value[1:-1], length) + b'"' if quoted else _pad(value, length)
    return b",".join(fields)


def _inflate(reply: Reply, length: int, where: str) -> None:
    count = max(1, length // (len(FILLER_LINE) + 2) + 1)
    filler = [FILLER_LINE] * count
    reply.lines = filler + reply.lines if where == "start" else reply.lines + filler
