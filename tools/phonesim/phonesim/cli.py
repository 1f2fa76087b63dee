"""Command line of the phone simulator. See README.md."""

import argparse
import sys

from . import media, state as phone_state
from .faults import RuleBook, RuleError, parse_rule
from .server import Options, Simulator

USAGE = """phone-sim --link PATH [options]      run the phone on a pty linked at PATH
phone-sim flat STATE.json             print a state file as key=value lines (cp1251)
phone-sim check STATE.json [RULES]    check a state file (and a fault rule file)"""


def main(argv: list[str] | None = None) -> int:
    argv = sys.argv[1:] if argv is None else argv
    if argv and argv[0] == "flat":
        return _flat(argv[1:])
    if argv and argv[0] == "check":
        return _check(argv[1:])
    return _run(argv)


def _parser() -> argparse.ArgumentParser:
    p = argparse.ArgumentParser(prog="phone-sim", usage=USAGE)
    p.add_argument("--link", required=True, help="path at which to link the pty's slave (Wine's COM port target)")
    p.add_argument("--state", help="JSON file with the phone's data; the built-in default phone without it")
    p.add_argument("--out", help="where to write the state after every change and at exit (default: --state)")
    p.add_argument("--no-save", action="store_true", help="never write the state back")
    p.add_argument("--flat", help="also write the state as key=value lines to this file")
    p.add_argument("--log", help="log file (appended)")
    p.add_argument("--capture", help="file to which every byte received from the program is appended, raw")
    p.add_argument("--faults", help="fault rule file, re-read whenever it changes")
    p.add_argument("--fault", action="append", default=[], help="one fault rule (repeatable)")
    p.add_argument("--baud", type=int, default=115200, help="output pace in baud; 0 sends at once")
    p.add_argument("--think", type=int, default=30, help="ms before every answer (default 30)")
    p.add_argument("--split-ok", type=int, metavar="MS",
                   help="send every answer's final OK in two writes, MS ms apart: up to its O, then the rest")
    p.add_argument("--blocks", choices=media.FORMATS, default="length", metavar="FORMAT",
                   help="photo and movie block format: length (the raw length in the third field, default) "
                        "or named (the file name there; a photo block but the last has no result line)")
    p.add_argument("--block-ms", type=int, default=0, metavar="MS",
                   help="ms the phone works on every photo, movie, melody, picture or animation block before its "
                        "answer, on top of --think (default 0)")
    p.add_argument("--erase-ms", type=int, default=400, help="ms the phone takes to empty a store (default 400)")
    return p


def _run(argv: list[str]) -> int:
    args = _parser().parse_args(argv)
    try:
        state = phone_state.load(args.state) if args.state else phone_state.default_state()
        fixed = [parse_rule(text) for text in args.fault]
    except (phone_state.StateError, RuleError, ValueError) as err:
        print(f"phone-sim: {err}", file=sys.stderr)
        return 2
    out = None if args.no_save else (args.out or args.state)
    opts = Options(args.link, out, args.flat, args.log, args.baud, args.think / 1000, args.erase_ms / 1000,
                   args.capture, None if args.split_ok is None else args.split_ok / 1000, args.blocks,
                   args.block_ms / 1000)
    return Simulator(opts, state, RuleBook(fixed, args.faults)).run()


def _flat(argv: list[str]) -> int:
    if len(argv) != 1:
        print(USAGE, file=sys.stderr)
        return 2
    try:
        state = phone_state.load(argv[0])
    except (phone_state.StateError, ValueError) as err:
        print(f"phone-sim: {err}", file=sys.stderr)
        return 2
    sys.stdout.buffer.write(b"".join(line + b"\n" for line in phone_state.flat_lines(state)))
    return 0


def _check(argv: list[str]) -> int:
    if len(argv) not in (1, 2):
        print(USAGE, file=sys.stderr)
        return 2
    try:
        phone_state.load(argv[0])
        if len(argv) == 2:
            book = RuleBook([], argv[1])
            book.refresh()
            if book.load_error:
                raise RuleError(book.load_error)
    except (phone_state.StateError, RuleError, ValueError) as err:
        print(f"phone-sim: {err}", file=sys.stderr)
        return 1
    print("ok")
    return 0
