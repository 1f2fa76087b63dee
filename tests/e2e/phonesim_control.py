"""Starts the phone simulator with its pty linked where Wine's COM port of
the test points."""

import sys
from pathlib import Path


def start_simulator(simulator_dir: Path, link: Path, workdir: Path, state=None, rules=None, baud=115200, args=None,
                    blocks="length"):
    sys.path.insert(0, str(simulator_dir))
    from phonesim.harness import PhoneSim

    link.parent.mkdir(parents=True, exist_ok=True)
    sim = PhoneSim(str(workdir), state=state, rules=rules, baud=baud, think_ms=30, args=args,
                  blocks=blocks)
    sim.link = str(link)
    sim.args[sim.args.index("--link") + 1] = str(link)
    sim.start()
    return sim
