#!/usr/bin/env python3
"""A benchmark, not a test: times the real program fetching a 100 kB photo
and a 300 kB movie from the simulated phone paced at 115,200 baud, and
prints each time beside its floor: per block, the bytes the phone puts on
the line at 11,520 bytes/s or, for photos, the empty-read waits the block
protocol needs if longer (a photo block ends only after ten 66 ms pauses
counted from its request, while its bytes arrive).

    source tools/wine/env.sh; source tools/wine/xvfb.sh; start_xvfb
    tools/bench/media_download.py     (after tools/setup/build.sh)
"""

import random
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tests" / "e2e"))
sys.path.insert(0, str(ROOT / "tools" / "phonesim"))

import vmharness as h  # noqa: E402
from phonesim import media  # noqa: E402

LINE_BYTES_PER_S = 11520
PHOTO_BLOCK_WAIT_S = 10 * 0.066
PROGRESS = "title:Обмен данных с телефоном"


def photo_bytes(size, rng):
    # JPEG start, no FF inside (so no early end marker), JPEG end.
    body = bytes(rng.randrange(1, 255) for _ in range(size - 4))
    return b"\xff\xd8" + body + b"\xff\xd9"


def movie_bytes(size, rng):
    return bytes(rng.randrange(1, 256) for _ in range(size))


def line_bytes(ident, data, photo):
    """The bytes the simulated phone sends for the whole file, framing
    included, the number of blocks, and the floor time of the transfer."""
    name = b"#PMLUL" if photo else b"#PMMUL"
    pieces = media.blocks(data)
    total, floor = 0, 0.0
    for n, piece in enumerate(pieces, 1):
        head = b"\r\n" + name + b": %d,%d,\"%d\",\"" % (ident, n, len(piece))
        trailer = (b'\xff" \x00' if n == len(pieces) else b'" \x00') if photo else b'"'
        size = len(head) + len(media.escape(piece)) + len(trailer) + len(b"\r\n\r\nOK\r\n")
        total += size
        floor += max(size / LINE_BYTES_PER_S, PHOTO_BLOCK_WAIT_S if photo else 0)
    if not photo:
        end = len(b"\r\n#PMMUL: %d,0\r\n\r\nOK\r\n" % ident)
        total += end
        floor += end / LINE_BYTES_PER_S
    return total, len(pieces), floor


def wait_table(s, caption, timeout=60):
    client = f"{h.FRAME}/{h.ID['IDC_MDI_CLIENT']}"
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        for line in s.ok("children", client).splitlines():
            parts = line.split("\t")
            if len(parts) == 4 and parts[1] == "MDIChild" and parts[3] == caption:
                return
        time.sleep(0.2)
    raise AssertionError(f"no table window {caption}")


def fetch(s, open_command, caption, folder, name, timeout_ms=900000):
    s.ok("post", h.FRAME, open_command)
    wait_table(s, caption)
    started = time.monotonic()
    s.ok("post", h.FRAME, h.ID["IDM_GET_ALL"])
    s.ok("wait", PROGRESS, timeout_ms=30000)
    s.ok("gone", PROGRESS, timeout_ms=timeout_ms)
    elapsed = time.monotonic() - started
    return elapsed, (s.dir / folder / name).read_bytes()


def main():
    rng = random.Random(7)
    work = h.BUILD / "bench"
    work.mkdir(parents=True, exist_ok=True)
    photo, movie = photo_bytes(100 * 1024, rng), movie_bytes(300 * 1024, rng)
    (work / "photo.jpg").write_bytes(photo)
    (work / "movie.mp4").write_bytes(movie)
    state = {"model": "SCH-E250",
             "photos": [{"id": 1, "tag": "1", "path": "/DCIM/big.jpg", "file": str(work / "photo.jpg")}],
             "movies": [{"id": 1, "tag": "1", "path": "/Movie/big.mp4", "file": str(work / "movie.mp4")}]}
    h.start_wine()
    s = h.ProgramSession("bench-media", sim_state=state)
    try:
        s.start_phone(baud=115200)
        s.start_program()
        s.wait_frame(timeout_ms=40000)
        rows = []
        for label, command, caption, folder, name, data, photo_kind in (
                ("photo 100 kB", h.ID["IDM_PHOTOS"], "Фотографии", "Images", "big.jpg_1.jpg", photo, True),
                ("movie 300 kB", h.ID["IDM_MOVIES"], "Фильмы", "Moves", "big.mp4_1.mp4", movie, False)):
            elapsed, saved = fetch(s, command, caption, folder, name)
            sent, blocks, floor = line_bytes(1, data, photo_kind)
            rows.append((label, elapsed, sent, blocks, floor, saved == data))
            s.ok("post", h.FRAME, h.ID["IDM_CLOSE_ACTIVE"])
    finally:
        s.stop()
        h.stop_wine()
    print(f"{'download':14} {'time s':>8} {'line bytes':>11} {'blocks':>7} {'floor s':>8} {'ratio':>6} exact")
    for label, elapsed, sent, blocks, floor, exact in rows:
        print(f"{label:14} {elapsed:8.1f} {sent:11d} {blocks:7d} {floor:8.1f} {elapsed / floor:6.2f} {exact}")


if __name__ == "__main__":
    main()
