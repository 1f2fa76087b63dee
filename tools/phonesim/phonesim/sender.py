"""Paced output: bytes leave at the line's speed (10 bits a byte), pauses in between."""

from collections import deque

CHUNK = 16  # bytes per write: 1.4 ms at 115,200 baud
# Late wake-ups up to this much are made up, so the average rate stays exact.
SLACK = 0.003

PAUSE, DATA, CLOSE = "pause", "data", "close"


class Sender:
    def __init__(self, baud: int):
        self.byte_time = 10.0 / baud if baud > 0 else 0.0
        self.items: deque = deque()
        self.busy_until = 0.0
        self.blocked = False

    def push(self, kind: str, value) -> None:
        self.items.append([kind, value])

    def drop(self) -> int:
        """Forgets everything not yet sent; returns the number of bytes dropped."""
        dropped = sum(len(v) for k, v in self.items if k == DATA)
        self.items.clear()
        self.blocked = False
        return dropped

    def next_wake(self, now: float) -> float | None:
        if not self.items or self.blocked:
            return None
        return max(now, self.busy_until)

    def step(self, port, now: float):
        """Sends what is due. Returns None, ("close", reopen) or ("hangup", None)."""
        self.blocked = False
        while self.items and now >= self.busy_until:
            kind, value = self.items[0]
            if kind == PAUSE:
                self.busy_until = max(self.busy_until, now) + value
                self.items.popleft()
            elif kind == CLOSE:
                self.items.popleft()
                return (CLOSE, value)
            else:
                event = self._send(port, now)
                if event or self.blocked:
                    return event
        return None

    def _send(self, port, now: float):
        value = self.items[0][1]
        chunk = value[:CHUNK] if self.byte_time else value
        count = port.write(chunk)
        if count is None:
            return ("hangup", None)
        if count == 0:
            self.blocked = True
            return None
        if self.byte_time:
            self.busy_until = max(self.busy_until, now - SLACK) + count * self.byte_time
        rest = value[count:]
        if rest:
            self.items[0][1] = rest
        else:
            self.items.popleft()
        return None
