#!/usr/bin/env python3
"""Measures how long the headless bot needs for every sublevel and writes bot_times.py,
from which make_levels.py derives the TimeLimits.

The levels are generated into a scratch copy of data/ (the TimeLimits written there do
not matter: the bot plays on past them), then the bot plays every sublevel with several
seeds.  Build the bot first (target bot).  Re-run this after changing a board or the
difficulty in make_levels.py, then run make_levels.py.

Usage: measure_times.py BOT [runs] [repository root]
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
from concurrent.futures import ThreadPoolExecutor

HERE = os.path.dirname(os.path.abspath(__file__))
LINE = re.compile(r"(\d)\.(\d)\.(\d)#?\d*\s+\S+\s+\S+\s+\S+\s+([\d.]+)")


def play(bot, data, pass_no, runs):
    out = subprocess.run([bot, "--data", data, "--pass", str(pass_no), "--runs", str(runs),
                          "--seed", "1", "--no-limit"], capture_output=True, text=True).stdout
    times = {}
    for line in out.splitlines():
        m = LINE.match(line)
        if m:
            key = (int(m.group(1)), int(m.group(2)), int(m.group(3)))
            times.setdefault(key, []).append(float(m.group(4)))
    return times


def main():
    if len(sys.argv) < 2:
        raise SystemExit(__doc__)
    bot = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 6
    root = sys.argv[3] if len(sys.argv) > 3 else os.path.join(HERE, "..", "..")
    scratch = tempfile.mkdtemp(prefix="vantero-times-")
    try:
        shutil.copytree(os.path.join(root, "data"), os.path.join(scratch, "data"))
        subprocess.run([sys.executable, os.path.join(HERE, "make_levels.py"), scratch],
                       check=True, stdout=subprocess.DEVNULL)
        data = os.path.join(scratch, "data")
        with ThreadPoolExecutor(2) as pool:
            parts = list(pool.map(lambda p: play(bot, data, p, runs), range(3)))
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    times = {}
    for part in parts:
        times.update(part)
    if len(times) != 147 or any(len(v) != runs for v in times.values()):
        raise SystemExit("measure_times.py: the bot did not play every sublevel %d times" % runs)
    lines = ['"""Seconds the headless bot needs per sublevel (greedy policy, seeds 1 .. %d):' % runs,
             "the mean and the slowest play, written by measure_times.py; read by make_levels.py.",
             '"""', "", "# (monument, pass, sublevel): (mean, slowest)", "BOT_SECONDS = {"]
    for key in sorted(times):
        v = times[key]
        lines.append("    (%d, %d, %d): (%.1f, %.1f)," % (key + (sum(v) / len(v), max(v))))
    lines.append("}")
    with open(os.path.join(HERE, "bot_times.py"), "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(lines) + "\n")
    print("measure_times.py: wrote bot_times.py (%d sublevels, %d runs each)" % (len(times), runs))


if __name__ == "__main__":
    main()
