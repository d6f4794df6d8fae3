#!/usr/bin/env python3
"""Whole-process time of `quelmar-cli calc --json examples/Hospital.QMR` against a bare
`quelmar-cli check-data`: 21 runs of each, alternating, then the medians and their ratios, of the
elapsed time and of the processor time (user + system) the process used.

    bench/time-cli.py [path/to/quelmar-cli]
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

RUNS = 21
root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
os.chdir(root)
cli = sys.argv[1] if len(sys.argv) > 1 else "build/src/cli/quelmar-cli"


def time_once(folders, args):
    """Elapsed and processor microseconds of one run, its output discarded."""
    start = time.perf_counter()
    child = subprocess.Popen([cli, *folders, *args], stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    elapsed = time.perf_counter() - start
    if status != 0:
        sys.exit(f"{' '.join(args)} failed with status {status}")
    return elapsed * 1e6, (usage.ru_utime + usage.ru_stime) * 1e6


with tempfile.TemporaryDirectory() as scratch:
    folders = ["--data-dir", "data", "--user-dir", f"{scratch}/user", "--config-dir",
               f"{scratch}/config"]
    check_args = ["check-data"]
    calc_args = ["calc", "--json", "examples/Hospital.QMR"]
    time_once(folders, check_args)  # warm the file cache
    check, calc = [], []
    for _ in range(RUNS):
        check.append(time_once(folders, check_args))
        calc.append(time_once(folders, calc_args))

median = [[statistics.median(run[k] for run in runs) for k in (0, 1)] for runs in (check, calc)]
print(f"medians of {RUNS} alternating runs     elapsed us   processor us")
print(f"check-data                          {median[0][0]:10.0f}   {median[0][1]:12.0f}")
print(f"calc --json examples/Hospital.QMR   {median[1][0]:10.0f}   {median[1][1]:12.0f}")
print(f"ratio calc / check-data             {median[1][0] / median[0][0]:10.2f}   "
      f"{median[1][1] / median[0][1]:12.2f}")
