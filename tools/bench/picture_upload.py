#!/usr/bin/env python3
"""A benchmark, not a test: times the real program sending a 60 kB picture
to the simulated phone paced at 115,200 baud, from "Записать" in the file
dialog until the progress dialog closes, and prints it beside its floor:
every byte on the line both ways (the escaped block commands and the
phone's answers) at 11,520 bytes/s, plus one 250 ms pause per block, since
the program's first look for an answer comes before the phone can have
answered. The simulator paces only what the phone sends, so the program's
own commands cross the pseudo-terminal at once; the waits alone are
printed too, as the floor this stand can reach.

    source tools/wine/env.sh; source tools/wine/xvfb.sh; start_xvfb
    tools/bench/picture_upload.py     (after tools/setup/build.sh)
"""

import random
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

import vmharness as h  # noqa: E402

LINE_BYTES_PER_S = 11520
ANSWER = b"\r\nOK\r\n"
PAUSE_S = 0.25
PROGRESS = "title:Обмен данных с телефоном"
DIALOG = "title:Выбор файла картинки *.jpg"
FILE_NAME = 1148


def main():
    rng = random.Random(11)
    data = bytes(rng.randrange(256) for _ in range(60 * 1024))
    h.start_wine()
    s = h.ProgramSession("bench-picture", sim_state={"model": "SCH-E250"})
    try:
        picture = s.dir / "picture.jpg"
        picture.write_bytes(data)
        s.start_phone(baud=115200)
        s.start_program()
        s.wait_frame(timeout_ms=40000)
        before = len(s.sim.received())
        s.ok("post", h.FRAME, h.ID["IDM_PICTURE"])
        dialog = s.ok("wait", DIALOG)
        s.ok("settext", dialog, FILE_NAME, "Z:" + str(picture).replace("/", "\\"))
        started = time.monotonic()
        s.ok("answer", dialog, 1)
        s.ok("wait", PROGRESS, timeout_ms=30000)
        s.ok("gone", PROGRESS, timeout_ms=900000)
        elapsed = time.monotonic() - started
        [upload] = s.sim.state()["uploads"]["pictures"]
        sent = len(s.sim.received()) - before
    finally:
        s.stop()
        h.stop_wine()
    blocks = len(upload["blocks"])
    line = sent + blocks * len(ANSWER)
    floor = line / LINE_BYTES_PER_S + blocks * PAUSE_S
    exact = bytes.fromhex(upload["hex"]) == data
    waits = blocks * PAUSE_S
    print(f"{'upload':14} {'time s':>8} {'line bytes':>11} {'blocks':>7} {'floor s':>8} {'ratio':>6} "
          f"{'waits s':>8} {'ratio':>6} exact")
    print(f"{'picture 60 kB':14} {elapsed:8.1f} {line:11d} {blocks:7d} {floor:8.1f} {elapsed / floor:6.2f} "
          f"{waits:8.1f} {elapsed / waits:6.2f} {exact}")


if __name__ == "__main__":
    main()
