"""The simulator's main loop: one pty, one phone, one command at a time."""

import os
import signal
import sys
import time
from dataclasses import dataclass

from . import dispatch, state as phone_state, uploads
from .context import Context, Session
from .faults import RuleBook
from .linebuf import Line, LineAssembler, LineEnd
from .log import Log
from .outcome import Outcome
from .port import Port
from .reply import Reply, plan
from .sender import CLOSE, DATA, PAUSE, Sender

HANGUP_POLL = 0.02  # while nobody has the port open the master reports a hang-up at once
MAX_SLEEP = 0.25  # so that signals are acted on promptly
DRAIN_LIMIT = 3.0  # how long a closing line waits for the program to read what was sent


@dataclass
class Options:
    link: str
    out: str | None
    flat: str | None
    log: str | None
    baud: int
    think: float
    erase: float
    capture: str | None = None
    # Seconds between the two writes of every answer's final OK; None sends it whole.
    split_ok: float | None = None
    # The photo and movie block format: "length" or "named" (media.FORMATS).
    blocks: str = "length"
    # Seconds the phone works on every media block before it answers, on top of the think time.
    block_delay: float = 0.0


class Simulator:
    def __init__(self, opts: Options, state: dict, rules: RuleBook):
        self.opts = opts
        self.ctx = Context(state, Session(), echo=bool(state["echo"]), erase_delay=opts.erase,
                           blocks=opts.blocks)
        self.rules = rules
        self.log = Log(opts.log)
        # Every byte the program sends, as it came, line ends included.
        self.capture = open(opts.capture, "ab", buffering=0) if opts.capture else None
        self.port = Port(opts.link)
        self.sender = Sender(opts.baud)
        self.lines = LineAssembler()
        self.connected = False
        self.running = True
        self.save_requested = False
        self.reopen_at: float | None = None

    def run(self) -> int:
        self._install_signals()
        self.port.open()
        self.log.write("EVT", f"line open at {self.port.slave_name}, linked as {self.opts.link}")
        print(f"ready {self.opts.link} -> {self.port.slave_name}", flush=True)
        try:
            while self.running:
                self._cycle()
        finally:
            self._shutdown()
        return 0

    def _install_signals(self) -> None:
        def stop(signum, frame):
            self.running = False

        def save(signum, frame):
            self.save_requested = True

        for sig in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
            signal.signal(sig, stop)
        signal.signal(signal.SIGUSR1, save)

    def _cycle(self) -> None:
        now = time.monotonic()
        if self.save_requested:
            self.save_requested = False
            self._save("on request")
        if not self.port.is_open():
            self._wait_for_reopen(now)
            return
        readable, _, hung_up = self.port.wait(self._timeout(now), self.sender.blocked)
        now = time.monotonic()
        if readable:
            self._receive(now)
        elif hung_up:
            self._hang_up()
            time.sleep(HANGUP_POLL)
            return
        elif not self.connected:
            self._connect()
        for line in self.lines.expire(now):
            self._handle(line)
        self._send(time.monotonic())

    def _timeout(self, now: float) -> float:
        wakes = [w for w in (self.sender.next_wake(now), self.lines.deadline()) if w is not None]
        return min([MAX_SLEEP] + [w - now for w in wakes])

    def _wait_for_reopen(self, now: float) -> None:
        if self.reopen_at is None:
            self.running = False
        elif now >= self.reopen_at:
            self.reopen_at = None
            self.port.open()
            self.log.write("EVT", f"line reopened at {self.port.slave_name}")
        else:
            time.sleep(min(MAX_SLEEP, self.reopen_at - now))

    def _connect(self) -> None:
        self.connected = True
        self.log.write("EVT", "port opened by the program")

    def _hang_up(self) -> None:
        if not self.connected:
            return
        self.connected = False
        self.ctx.session.reset()
        self.lines.reset()
        dropped = self.sender.drop()
        self.log.write("EVT", f"port closed by the program ({dropped} unsent bytes dropped)")

    def _receive(self, now: float) -> None:
        if not self.connected:
            self._connect()
        data = self.port.read()
        if data is None:
            self._hang_up()
            return
        if self.capture:
            self.capture.write(data)
        for event in self.lines.events(data, now):
            if isinstance(event, LineEnd):
                if uploads.line_end(self.ctx, event.lf):
                    self._save(None)
            else:
                self._handle(event)

    def _handle(self, line: Line) -> None:
        self.log.write("CMD", line.data)
        self.ctx.awaiting_line_end = None
        self._refresh_rules()
        fired = self.rules.fire(line.data)
        for rule in fired:
            self.log.write("FLT", rule.text)
        echo = line.wire if self.ctx.echo else b""
        outcome = self._execute(line, fired)
        if not outcome.ok and outcome.note:
            self.log.write("NOTE", outcome.note)
        if outcome.changed:
            self._save(None)
        reply = Reply(echo, outcome.lines, outcome.result(), self.ctx.verbose, outcome.line_end)
        delay = outcome.delay + (self.opts.block_delay if dispatch.is_media_block(line.data) else 0.0)
        self._queue(plan(reply, fired), delay)

    def _execute(self, line: Line, fired: list) -> Outcome:
        if line.overflow:
            return Outcome(False, note="line too long")
        if not all(rule.executes for rule in fired):
            return Outcome(False, note="not carried out (fault rule)")
        self.ctx.faults = frozenset(rule.action for rule in fired)
        self.ctx.fault_options = {rule.action: rule.options for rule in fired}
        return dispatch.execute(self.ctx, line.data)

    def _refresh_rules(self) -> None:
        if self.rules.refresh():
            count = len(self.rules.file_rules)
            error = f": {self.rules.load_error}" if self.rules.load_error else ""
            self.log.write("EVT", f"fault rules read from {self.rules.path} ({count}){error}")

    def _queue(self, sending, phone_delay: float) -> None:
        if sending.close_before:
            self.log.write("RPL", "(line closed)")
            self.sender.push(CLOSE, sending.reopen)
            return
        if sending.data is None:
            self.log.write("RPL", "(silence)")
            return
        self.log.write("RPL", sending.data)
        self.sender.push(PAUSE, self.opts.think + phone_delay + sending.delay)
        pieces = sending.pieces()
        if self.opts.split_ok is not None and pieces and pieces[-1].endswith(b"OK\r\n"):
            # "\r\nO" now, "K\r\n" later: a program must not take the answer
            # as ended before its result line is complete.
            last = pieces.pop()
            pieces += [last[:-3], last[-3:]]
        for index, piece in enumerate(pieces):
            if index:
                pause = self.opts.split_ok if index == len(pieces) - 1 and self.opts.split_ok is not None \
                    else sending.pause
                self.sender.push(PAUSE, pause)
            self.sender.push(DATA, piece)
        if sending.close_after:
            self.sender.push(CLOSE, sending.reopen)

    def _send(self, now: float) -> None:
        event = self.sender.step(self.port, now)
        if event is None:
            return
        kind, reopen = event
        if kind == "hangup":
            self._hang_up()
            return
        self.sender.drop()
        unread = self.port.drain(DRAIN_LIMIT)
        if unread:
            self.log.write("EVT", f"closing the line: {unread}")
        self.port.close()
        self.connected = False
        self.ctx.session.reset()
        self.lines.reset()
        self.log.write("EVT", "line closed (fault rule)" + (f", reopening in {reopen} s" if reopen else ""))
        if reopen is not None:
            self.reopen_at = time.monotonic() + reopen

    def _save(self, why: str | None) -> None:
        if self.opts.out:
            phone_state.save(self.ctx.state, self.opts.out)
        if self.opts.flat:
            _write_flat(self.ctx.state, self.opts.flat)
        if why:
            self.log.write("EVT", f"state saved {why}")

    def _shutdown(self) -> None:
        self._save("at exit")
        self.port.close()
        self.log.write("EVT", "simulator stopped")
        self.log.close()
        if self.capture:
            self.capture.close()
        sys.stdout.flush()


def _write_flat(state: dict, path: str) -> None:
    tmp = f"{path}.tmp{os.getpid()}"
    with open(tmp, "wb") as f:
        f.write(b"".join(line + b"\n" for line in phone_state.flat_lines(state)))
    os.replace(tmp, path)
