"""Runs the real velarmon.exe in Wine's virtual desktop against the simulated
phone and a fresh database, and drives it from outside with vmdrive.exe.

Every test gets a work folder under build/e2e/<class>.<test>/ holding its database
copy, the simulator's state and logs, and screenshots. The program runs in that
folder: like the Access driver, the stand-in finds the bare name "velarmon" in the
current folder, and the program keeps using a velarmon.mdb it finds there. Whatever a test starts
is stopped when it ends."""

import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
BUILD = Path(os.environ.get("VELARMON_BUILD", ROOT / "build"))
WIN_BUILD = BUILD / "win"
EXE = WIN_BUILD / "velarmon.exe"
DRIVER = WIN_BUILD / "tools" / "e2edrive" / "vmdrive.exe"
DB_TEMPLATE = BUILD / "db" / "velarmon.mdb"
# The slot's prefix and COM-port folder when the test runs in one (CTest
# starts it through tools/wine/inslot.sh, which sets them); the build's own
# otherwise.
PREFIX = Path(os.environ.get("WINEPREFIX", BUILD / "wine" / "prefix"))
PORTS = Path(os.environ.get("VELARMON_PORTS", BUILD / "ports"))
SIMULATOR = ROOT / "tools" / "phonesim"
SETTINGS_KEY = r"HKLM\Software\KORT application\Velarmon\Settings"
# The program is 32-bit: in the WoW64 prefix its HKLM\Software is the 32-bit
# view, which `reg` must be asked for.
REG_VIEW = "/reg:32"
FRAME = "class:KORT_MDI_application"
# VELARMON_E2E_FAST=1 runs the program with the fast exchange switched on,
# against a phone that sends each final OK in two writes.
FAST = os.environ.get("VELARMON_E2E_FAST") == "1"
SPLIT_OK_MS = 20


def read_resource_ids(path=ROOT / "res" / "resource.h"):
    """The numbers res/resource.h names, by name: every `#define NAME value`
    line whose value is one number (IDC_STATIC's "(-1)" included). The
    private messages, written as sums, are left out."""
    number = re.compile(r"#define\s+(\w+)\s+\(?(-?(?:0x[0-9A-Fa-f]+|\d+))\)?\s*(?:/\*.*)?$")
    ids = {}
    for line in path.read_text(encoding="utf-8").splitlines():
        match = number.match(line.strip())
        if match:
            ids[match.group(1)] = int(match.group(2), 0)
    return ids


# Command, control and resource numbers of the program, as it is built.
ID = read_resource_ids()


def wine_env(extra=None):
    env = dict(os.environ)
    env.update({
        "WINEPREFIX": str(PREFIX),
        "WINEARCH": "win64",
        "WINEDEBUG": "-all",
        # As tools/wine/env.sh sets it.
        "WINEDLLOVERRIDES": "mscoree=;mshtml=;winebus.sys,wineusb.sys,winehid.sys,winemenubuilder.exe=d",
        "LC_ALL": "ru_RU.UTF-8",
        "ODBCSYSINI": str(BUILD / "odbc"),
        # Bare database names resolve in the current folder, as with Access.
        "VELARMON_DB_DIR": ".",
    })
    env.update(extra or {})
    return env


class Display:
    """An Xvfb of our own unless the caller gave us a DISPLAY."""

    def __init__(self):
        self.proc = None

    def start(self):
        if os.environ.get("DISPLAY"):
            return
        for n in range(150, 200):
            if Path(f"/tmp/.X{n}-lock").exists():
                continue
            self.proc = subprocess.Popen(["Xvfb", f":{n}", "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            for _ in range(100):
                if Path(f"/tmp/.X11-unix/X{n}").exists():
                    os.environ["DISPLAY"] = f":{n}"
                    return
                time.sleep(0.05)
            self.proc.kill()
        raise RuntimeError("no Xvfb could be started")

    def stop(self):
        if self.proc:
            self.proc.terminate()
            self.proc.wait(10)
            os.environ.pop("DISPLAY", None)
            self.proc = None


_display = Display()


def unescape(text):
    """A text as the driver prints it, with its escapes (backslash, line
    break, tab) undone."""
    return re.sub(r"\\(.)", lambda m: {"n": "\n", "t": "\t"}.get(m.group(1), m.group(1)), text)


def start_wine():
    _display.start()
    subprocess.run([str(ROOT / "tools" / "wine" / "reset_slot.sh")], env=wine_env(), check=True)
    subprocess.run([str(ROOT / "tools" / "wine" / "prepare_prefix.sh")], env=wine_env(), check=True)
    subprocess.run([str(ROOT / "tools" / "wine" / "start_server.sh")], env=wine_env(), check=True)


def stop_wine():
    stop_drivers()
    subprocess.run(["wineserver", "-k"], env=wine_env(), stderr=subprocess.DEVNULL)
    subprocess.run(["wineserver", "-w"], env=wine_env(), stderr=subprocess.DEVNULL)
    _display.stop()


def wine(*args, env=None, timeout=60, cwd=None):
    """Runs a Windows program and returns its exit code and output. The output
    goes through files, not pipes: a Wine process that the program happens to
    start (the desktop's explorer.exe, when no window needed it before) keeps
    the program's handles open long after it ended, and a pipe would make the
    wait last until the time limit."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        done = subprocess.run(["wine", *map(str, args)], env=env or wine_env(), stdin=subprocess.DEVNULL,
                              stdout=out, stderr=err, timeout=timeout, cwd=cwd)
        out.seek(0)
        err.seek(0)
        return subprocess.CompletedProcess(done.args, done.returncode, out.read(), err.read())


class Driver:
    """vmdrive.exe serving one command after another (`vmdrive serve`) in one
    prefix and display: starting a Wine process costs a good part of a second
    of processor time, and a test sends dozens of commands."""

    def __init__(self, env):
        self.env = env
        self.proc = None
        self.pending = b""

    def start(self):
        log = Path(self.env["WINEPREFIX"]).parent / "vmdrive.log"
        with open(log, "ab") as err:
            self.proc = subprocess.Popen(["wine", str(DRIVER), "serve"], env=self.env, stdin=subprocess.PIPE,
                                         stdout=subprocess.PIPE, stderr=err)
        self.pending = b""

    def stop(self):
        if self.proc:
            self.proc.kill()
            self.proc.wait(10)
            self.proc.stdin.close()
            self.proc.stdout.close()
            self.proc = None

    def more(self, deadline):
        """Adds what the driver wrote next to `pending`; false when it ended."""
        left = deadline - time.monotonic()
        if left <= 0:
            raise subprocess.TimeoutExpired("vmdrive", 0)
        if select.select([self.proc.stdout], [], [], left)[0]:
            chunk = os.read(self.proc.stdout.fileno(), 65536)
            if not chunk:
                return False
            self.pending += chunk
        return True

    def take(self, end):
        got, self.pending = self.pending[:end], self.pending[end:]
        return got

    def run(self, args, timeout):
        """The command's exit code and what it printed, as vmdrive.exe ARGS
        would give them."""
        if self.proc is None or self.proc.poll() is not None:
            self.start()
        words = [str(a).replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n") for a in args]
        deadline = time.monotonic() + timeout
        request = ("\t".join(words) + "\n").encode("cp1251", "replace")
        try:
            self.proc.stdin.write(request)
            self.proc.stdin.flush()
        except BrokenPipeError:
            # It ended before the command reached it: another one gets it.
            self.stop()
            self.start()
            self.proc.stdin.write(request)
            self.proc.stdin.flush()
        try:
            while b"\n" not in self.pending:
                if not self.more(deadline):
                    break
            else:
                rc, length = map(int, self.take(self.pending.index(b"\n") + 1).split())
                while len(self.pending) < length:
                    if not self.more(deadline):
                        break
                else:
                    return rc, self.take(length)
        except subprocess.TimeoutExpired:
            self.stop()
            raise
        # The driver ended (its prefix's wineserver was stopped): the next
        # command starts another.
        self.stop()
        return 1, b""


_drivers = {}


def driver(env):
    key = (env.get("WINEPREFIX"), env.get("DISPLAY"))
    if key not in _drivers:
        _drivers[key] = Driver(env)
    return _drivers[key]


def stop_drivers():
    for d in _drivers.values():
        d.stop()
    _drivers.clear()


def reg_delete_settings():
    wine("reg", "delete", SETTINGS_KEY, "/f", REG_VIEW)


def reg_set_dword(name, value):
    wine("reg", "add", SETTINGS_KEY, "/v", name, "/t", "REG_DWORD", "/d", str(value), "/f", REG_VIEW)


def reg_values():
    """The settings key as {name: int}; empty when the key is missing."""
    out = wine("reg", "query", SETTINGS_KEY, REG_VIEW).stdout.decode("cp1251", "replace")
    values = {}
    for line in out.splitlines():
        parts = line.split()
        if len(parts) == 3 and parts[1] == "REG_DWORD":
            values[parts[0]] = int(parts[2], 16)
    return values


class Box:
    def __init__(self, caption, text, icon, handle):
        self.caption, self.text, self.icon, self.handle = caption, text, icon, handle

    def __repr__(self):
        return f"Box({self.caption!r}, {self.text!r}, {self.icon})"


class ProgramSession:
    """One run of velarmon.exe with its own database copy and simulated phone."""

    def __init__(self, name, database=True, port=3, sim_state=None):
        self.dir = BUILD / "e2e" / (f"{name}-fast" if FAST else name)
        shutil.rmtree(self.dir, ignore_errors=True)
        self.dir.mkdir(parents=True)
        self.database = self.dir / "velarmon.mdb"
        if database:
            shutil.copy(DB_TEMPLATE, self.database)
        self.env = wine_env()
        self.port = port
        self.sim_state = sim_state
        self.sim = None
        self.programs = []

    # -- processes -----------------------------------------------------------
    def start_phone(self, baud=115200, split_ok=FAST, blocks="length", block_ms=0):
        """`blocks` is the phone's form of photo and movie blocks, `block_ms`
        its extra time over each media block (the simulator's --blocks and
        --block-ms)."""
        from phonesim_control import start_simulator
        args = (["--split-ok", str(SPLIT_OK_MS)] if split_ok else []) + ["--block-ms", str(block_ms)]
        self.sim = start_simulator(SIMULATOR, PORTS / f"COM{self.port}", self.dir, self.sim_state, baud=baud,
                                   blocks=blocks, args=args)

    def start_program(self):
        if FAST:
            reg_set_dword("FastExchange", 1)
        with open(self.dir / "velarmon.out", "ab") as out:
            proc = subprocess.Popen(["wine", str(EXE)], env=self.env, cwd=self.dir, stdin=subprocess.DEVNULL,
                                    stdout=out, stderr=out)
        self.programs.append(proc)
        return proc

    def wait_exit(self, proc, timeout=20):
        return proc.wait(timeout)

    def stop(self):
        for proc in self.programs:
            if proc.poll() is None:
                proc.kill()
                proc.wait(10)
        self.programs = []
        if self.sim:
            self.sim.stop()
            self.sim = None

    # -- driving -------------------------------------------------------------
    def drive(self, *args, timeout_ms=10000):
        rc, out = driver(self.env).run([*args, "--timeout", timeout_ms], timeout=timeout_ms / 1000 + 30)
        return rc, out.decode("cp1251", "replace")

    def ok(self, *args, timeout_ms=10000):
        rc, out = self.drive(*args, timeout_ms=timeout_ms)
        if rc != 0:
            self.keep_evidence()
            raise AssertionError(f"vmdrive {' '.join(map(str, args))} failed ({rc}): {out}{self.crashes()}")
        return out.rstrip("\r\n")

    def crashes(self):
        """Wine's report of a crash of the program (exception, address and
        thread), as a line to add to a failure's message; empty when none."""
        try:
            text = (self.dir / "velarmon.out").read_text("utf-8", "replace")
        except FileNotFoundError:
            return ""
        lines = [line for line in text.splitlines() if line.startswith("wine: Unhandled")]
        return "".join(f"\nthe program crashed: {line}" for line in lines)

    def keep_evidence(self):
        """Keeps what the screen, the windows and the logs looked like when a
        step failed, in build/e2e-failures/, out of reach of a rerun."""
        folder = BUILD / "e2e-failures" / f"{self.dir.name}-{int(time.time())}"
        folder.mkdir(parents=True, exist_ok=True)
        subprocess.run(["import", "-window", "root", str(folder / "screen.png")], stderr=subprocess.DEVNULL,
                       timeout=30)
        _, windows = self.drive("windows", timeout_ms=1000)
        alive = [p.poll() is None for p in self.programs]
        (folder / "windows.txt").write_text(f"programs running: {alive}\n{windows}", encoding="utf-8")
        for name in ("velarmon.out", "phone.log"):
            if (self.dir / name).exists():
                shutil.copy(self.dir / name, folder / name)

    def child_dialog(self, window, timeout_s=10):
        """The handle of the first dialog (#32770) among the window's
        children, once there: a posted command makes it a moment later."""
        deadline = time.monotonic() + timeout_s
        while True:
            for line in self.ok("children", window).splitlines():
                handle, cls = (line.split("\t") + ["", ""])[:2]
                if cls == "#32770":
                    return handle
            if time.monotonic() > deadline:
                return None
            time.sleep(0.05)

    def wait_frame(self, timeout_ms=20000):
        return self.ok("wait", FRAME, timeout_ms=timeout_ms)

    def msgbox(self, timeout_ms=15000):
        lines = self.ok("msgbox", "--print-handle", timeout_ms=timeout_ms).splitlines()
        caption, text, icon, handle = (lines + ["", "", "", ""])[:4]
        return Box(caption, unescape(text), icon, handle)

    def answer(self, box, control_id):
        self.ok("answer", box.handle, control_id)

    def screenshot(self, name):
        path = self.dir / f"{name}.png"
        subprocess.run(["import", "-window", "root", str(path)], stderr=subprocess.DEVNULL, timeout=30)
        return path


class ProgramTest(unittest.TestCase):
    """Base of the end-to-end tests: one Wine session per test class."""

    @classmethod
    def setUpClass(cls):
        start_wine()

    @classmethod
    def tearDownClass(cls):
        stop_wine()

    def session(self, **kwargs):
        # Class and method: two classes of a module may share method names
        # (one test run against two kinds of phone) and run side by side.
        s = ProgramSession(".".join(self.id().split(".")[-2:]), **kwargs)
        self.addCleanup(s.stop)
        return s


def main():
    """Runs the module's tests, or those named on the command line
    (Class or Class.test_method)."""
    unittest.main(module="__main__", verbosity=2, argv=sys.argv)
