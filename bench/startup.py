#!/usr/bin/env python3
"""Times programs from their start to their first window on screen, with peak memory.

Each program prints "shown" at its first exposed window and leaves at once (shown_probe.cpp).
The programs run alternately, `runs` times each; the medians are printed as JSON.
"""
import json
import os
import statistics
import subprocess
import sys
import time


def once(path):
    start = time.perf_counter()
    proc = subprocess.Popen([path], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    line = proc.stdout.readline()
    shown = time.perf_counter() - start
    _, status, usage = os.wait4(proc.pid, 0)
    if line.strip() != b"shown":
        sys.exit(f"{path}: no window shown (status {status})")
    return shown * 1000.0, usage.ru_maxrss / 1024.0


def main():
    runs = int(sys.argv[1])
    programs = sys.argv[2:]
    for p in programs:  # warm the file cache
        once(p)
    results = {p: {"ms": [], "mb": []} for p in programs}
    for _ in range(runs):
        for p in programs:
            ms, mb = once(p)
            results[p]["ms"].append(ms)
            results[p]["mb"].append(mb)
    print(json.dumps({os.path.basename(p): {k: statistics.median(v) for k, v in r.items()}
                      for p, r in results.items()}))


main()
