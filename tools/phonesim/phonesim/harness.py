"""Starting and driving the simulator from Python tests (its own and the project's).

    with PhoneSim(tmpdir, state={...}, rules=["error AT#PBOKR=3"]) as sim:
        port = sim.connect()
        assert port.exchange(b"AT").endswith(b"OK\\r\\n")
        sim.commands()  -> [b"AT", ...]
        sim.state()     -> the saved state as JSON (texts as str)
"""

import json
import os
import signal
import subprocess
import sys
import time

from .log import read_entries

HERE = os.path.dirname(os.path.abspath(__file__))
ENTRY = os.path.join(os.path.dirname(HERE), "phone-sim")


class PhoneSim:
    def __init__(self, workdir: str, state: dict | None = None, rules: list[str] | None = None,
                 args: list[str] | None = None, baud: int = 0, think_ms: int = 0, link: str | None = None,
                 erase_ms: int = 0, blocks: str = "length"):
        self.dir = workdir
        self.link = link or os.path.join(workdir, "com3")
        self.state_path = os.path.join(workdir, "phone.json")
        self.log_path = os.path.join(workdir, "phone.log")
        self.rules_path = os.path.join(workdir, "faults.txt")
        self.flat_path = os.path.join(workdir, "phone.flat")
        self.capture_path = os.path.join(workdir, "received.bin")
        self.proc: subprocess.Popen | None = None
        with open(self.state_path, "w", encoding="utf-8") as f:
            json.dump(state or {}, f, ensure_ascii=False)
        self.set_rules(rules or [])
        self.args = [ENTRY, "--link", self.link, "--state", self.state_path, "--log", self.log_path,
                     "--faults", self.rules_path, "--flat", self.flat_path, "--capture", self.capture_path, "--baud", str(baud),
                     "--think", str(think_ms), "--erase-ms", str(erase_ms), "--blocks", blocks] + (args or [])

    def __enter__(self):
        self.start()
        return self

    def __exit__(self, *exc):
        self.stop()

    def start(self) -> None:
        self.proc = subprocess.Popen([sys.executable] + self.args, stdout=subprocess.PIPE,
                                     stderr=subprocess.PIPE)
        ready = self.proc.stdout.readline()
        if not ready.startswith(b"ready "):
            raise RuntimeError(f"simulator did not start: {ready!r} {self.proc.stderr.read()!r}")

    def stop(self) -> int:
        if self.proc is None:
            return 0
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)
        code = self.proc.wait(timeout=10)
        self.proc.stdout.close()
        self.proc.stderr.close()
        self.proc = None
        return code

    def connect(self) -> "Port":
        return Port(self.link)

    def set_rules(self, rules: list[str]) -> None:
        """Replaces the control file in one step; the simulator reads it at its next command."""
        tmp = self.rules_path + ".tmp"
        with open(tmp, "w", encoding="utf-8") as f:
            f.write("".join(rule + "\n" for rule in rules))
        os.replace(tmp, self.rules_path)

    def log(self) -> list[tuple[float, str, bytes]]:
        return read_entries(self.log_path)

    def commands(self) -> list[bytes]:
        return [text for _, kind, text in self.log() if kind == "CMD"]

    def received(self) -> bytes:
        """Every byte the program sent, exactly as it came."""
        try:
            with open(self.capture_path, "rb") as f:
                return f.read()
        except FileNotFoundError:
            return b""

    def state(self) -> dict:
        with open(self.state_path, encoding="utf-8") as f:
            return json.load(f)

    def request_save(self) -> None:
        self.proc.send_signal(signal.SIGUSR1)


class Port:
    """The program's side of the line, opened as Wine would open the COM port."""

    def __init__(self, path: str):
        self.fd = os.open(path, os.O_RDWR | os.O_NOCTTY | os.O_NONBLOCK)

    def close(self) -> None:
        if self.fd >= 0:
            os.close(self.fd)
            self.fd = -1

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def send(self, data: bytes) -> None:
        os.write(self.fd, data)

    def read_until(self, ends: tuple[bytes, ...], timeout: float) -> bytes:
        got = b""
        limit = time.monotonic() + timeout
        while time.monotonic() < limit and not any(e in got for e in ends):
            got += self.read_now()
            time.sleep(0.005)
        return got

    def read_now(self) -> bytes:
        try:
            return os.read(self.fd, 65536)
        except BlockingIOError:
            return b""

    def exchange(self, command: bytes, timeout: float = 3.0) -> bytes:
        self.send(command + b"\r\n")
        return self.read_until((b"OK\r\n", b"ERROR\r\n"), timeout)
