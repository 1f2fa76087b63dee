"""The phone's end of the serial line: a pseudo-terminal whose slave is linked at a path.

The simulator keeps only the master. It does not hold the slave open, so it
sees when the program closes its port (the master then reports a hang-up)
and when it opens it again.

A process that leads a session without a terminal takes the first terminal it
opens as its controlling one. Wine's server is such a process, and it opens
the port itself: the pty would become its terminal, and closing the master
would send it SIGHUP, on which it writes a dump of all its objects (hundreds
of megabytes over a test run) and stalls every Wine process meanwhile. So a
small child of the simulator takes the slave as its own controlling terminal
first, holding no descriptor of it; a terminal belongs to one session only,
and the hang-up goes to that child, which ends with it.
"""

import errno
import fcntl
import os
import select
import signal
import struct
import termios
import time
import tty

B115200 = termios.B115200


class Port:
    def __init__(self, link: str):
        self.link = link
        self.master: int | None = None
        self.slave_name = ""
        self.keeper: int | None = None

    def open(self) -> None:
        master, slave = os.openpty()
        self.slave_name = os.ttyname(slave)
        _make_raw(slave)
        os.close(slave)
        os.set_blocking(master, False)
        self.master = master
        self.keeper = _keep_terminal(self.slave_name)
        self._publish_link()

    def _publish_link(self) -> None:
        """Replaces the link in one step, so a reader never finds it missing or stale."""
        tmp = f"{self.link}.tmp{os.getpid()}"
        if os.path.lexists(tmp):
            os.unlink(tmp)
        os.symlink(self.slave_name, tmp)
        os.replace(tmp, self.link)

    def close(self) -> None:
        if self.master is None:
            return
        os.close(self.master)
        self.master = None
        _end_keeper(self.keeper)
        self.keeper = None
        if os.path.islink(self.link) and os.readlink(self.link) == self.slave_name:
            os.unlink(self.link)

    def drain(self, limit: float) -> str | None:
        """Waits until the program has read what was sent, as bytes already on a real
        line would still arrive after it is cut; gives up after limit seconds.
        Closing the master throws away what the program has not read yet, so
        when the wait could not be made, or ran out, the reason is returned
        for the log; None when everything sent was read."""
        try:
            slave = os.open(self.slave_name, os.O_RDWR | os.O_NOCTTY | os.O_NONBLOCK)
        except OSError as err:
            return f"could not wait for the program to read the reply: {self.slave_name}: {err.strerror}"
        try:
            end = time.monotonic() + limit
            while (unread := _unread(slave)) > 0:
                if time.monotonic() >= end:
                    return f"{unread} bytes still unread after {limit} s"
                time.sleep(0.01)
            return None
        finally:
            os.close(slave)

    def is_open(self) -> bool:
        return self.master is not None

    def wait(self, timeout: float, want_write: bool) -> tuple[bool, bool, bool]:
        """(readable, writable, hung_up) after at most timeout seconds."""
        poller = select.poll()
        events = select.POLLIN | (select.POLLOUT if want_write else 0)
        poller.register(self.master, events)
        ready = poller.poll(max(0.0, timeout) * 1000)
        mask = ready[0][1] if ready else 0
        return bool(mask & select.POLLIN), bool(mask & select.POLLOUT), bool(mask & select.POLLHUP)

    def read(self) -> bytes | None:
        """Bytes waiting, b"" when none, None when the other end is closed."""
        try:
            return os.read(self.master, 4096)
        except BlockingIOError:
            return b""
        except OSError as err:
            if err.errno == errno.EIO:
                return None
            raise

    def write(self, data: bytes) -> int | None:
        """Bytes written (0 when the pty is full), None when the other end is closed."""
        try:
            return os.write(self.master, data)
        except BlockingIOError:
            return 0
        except OSError as err:
            if err.errno == errno.EIO:
                return None
            raise


def _keep_terminal(slave_name: str) -> int | None:
    """Starts the child that holds the slave as its controlling terminal and
    waits until it does; its pid, or None when it could not be started."""
    ready_read, ready_write = os.pipe()
    try:
        pid = os.fork()
    except OSError:
        os.close(ready_read)
        os.close(ready_write)
        return None
    if pid == 0:
        try:
            os.close(ready_read)
            signal.signal(signal.SIGHUP, signal.SIG_DFL)
            signal.signal(signal.SIGTERM, signal.SIG_DFL)
            signal.signal(signal.SIGINT, signal.SIG_IGN)
            os.setsid()
            # Without O_NOCTTY the session's leader takes the terminal.
            os.close(os.open(slave_name, os.O_RDWR | os.O_NONBLOCK))
            os.write(ready_write, b"1")
            os.close(ready_write)
            while True:
                signal.pause()
        finally:
            os._exit(0)
    os.close(ready_write)
    os.read(ready_read, 1)
    os.close(ready_read)
    return pid


def _end_keeper(pid: int | None) -> None:
    if pid is None:
        return
    try:
        os.kill(pid, signal.SIGTERM)
    except ProcessLookupError:
        pass
    try:
        os.waitpid(pid, 0)
    except ChildProcessError:
        pass


def _unread(slave: int) -> int:
    """Bytes sent to the slave that its reader has not taken yet.

    What the master writes reaches the slave's read queue through the kernel's
    tty buffer a moment later, and FIONREAD counts only the read queue: just
    after a write it can say 0 while the bytes are still on their way, and
    closing the master then would throw them away. A poll on the slave first
    waits for that hand-over to finish."""
    poller = select.poll()
    poller.register(slave, select.POLLIN)
    poller.poll(0)
    return struct.unpack("i", fcntl.ioctl(slave, termios.FIONREAD, b"\0\0\0\0"))[0]


def _make_raw(fd: int) -> None:
    """Raw, no echo, no flow control: all 256 byte values pass both ways unchanged."""
    tty.setraw(fd)
    attrs = termios.tcgetattr(fd)
    attrs[0] &= ~(termios.IXON | termios.IXOFF | termios.IXANY | termios.ICRNL | termios.INLCR | termios.IGNCR)
    attrs[3] &= ~(termios.ECHO | termios.ECHONL | termios.ICANON | termios.ISIG | termios.IEXTEN)
    attrs[4] = attrs[5] = B115200
    termios.tcsetattr(fd, termios.TCSANOW, attrs)
