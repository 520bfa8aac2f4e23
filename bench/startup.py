#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Times programs from their start to their first painted frame, with peak memory.

Each program prints "painted" once its first frame is on screen and leaves at once
(shown_probe.cpp). The programs run interleaved, `runs` times each, so that a slower or
busier moment of the machine hits them alike. Besides the time to the frame, the CPU time
the process used (user and system) is taken: on a busy machine it varies far less than the
time on the clock. Printed as JSON: per program the median, and for each program after the
first its ratio to each program before it ("ratio_to", by name), taken run by run (min,
median, max).
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
    painted = time.perf_counter() - start
    _, status, usage = os.wait4(proc.pid, 0)
    if line.strip() != b"painted":
        sys.exit(f"{path}: no frame painted (status {status})")
    return painted * 1000.0, usage.ru_maxrss / 1024.0, (usage.ru_utime + usage.ru_stime) * 1000.0


def spread(values):
    return {"min": min(values), "median": statistics.median(values), "max": max(values)}


def main():
    runs = int(sys.argv[1])
    programs = sys.argv[2:]
    for p in programs:  # warm the file cache
        once(p)
    results = {p: {"ms": [], "mb": [], "cpu_ms": []} for p in programs}
    for i in range(runs):
        # Interleaved, and the order turned every other run.
        for p in programs if i % 2 == 0 else reversed(programs):
            ms, mb, cpu_ms = once(p)
            results[p]["ms"].append(ms)
            results[p]["mb"].append(mb)
            results[p]["cpu_ms"].append(cpu_ms)
    def ratios(r, base):
        return {k: spread([a / b for a, b in zip(r[k], base[k])]) for k in ("ms", "mb", "cpu_ms")}
    out = {}
    for i, p in enumerate(programs):
        r = results[p]
        entry = {k: spread(v) for k, v in r.items()}
        if i > 0:
            entry["ratio_to"] = {os.path.basename(q): ratios(r, results[q]) for q in programs[:i]}
        out[os.path.basename(p)] = entry
    print(json.dumps(out))


main()
