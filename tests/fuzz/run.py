#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs one libFuzzer target for a bounded time and fails on any finding.

The corpus lives in WORK/corpus and grows from run to run; each run first adds the seeds:
the files in seeds/NAME/ beside this script, the shipped file the target reads (the
settings example, the pronunciation table), and for fuzz_db a few real pictures under word
names in its record format. Findings land in WORK/findings. Last line:
"NAME: S s, N executions (R/s), coverage C edges, corpus K inputs, findings F".
"""

import argparse
import os
import re
import shutil
import struct
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
# The shipped files a target reads, as seeds.
SHIPPED = {
    "fuzz_settings": [os.path.join(ROOT, "packaging", "einstellungen.conf")],
    "fuzz_aussprache": [os.path.join(ROOT, "assets", "speech", "aussprache.txt")],
}


def db_seeds(assets):
    """Records of [name length: 1 byte][name][content length: 2 bytes, little end][content]."""
    def record(name, content):
        n = name.encode()
        return bytes([len(n)]) + n + struct.pack("<H", len(content)) + content

    def picture(*path):
        with open(os.path.join(assets, *path), "rb") as f:
            return f.read()[:65535]

    db = sorted(os.listdir(os.path.join(assets, "db")))[:3]
    return {
        "pictures": b"".join(record(n, picture("db", n)) for n in db),
        "gif": record("hut.gif", picture("bilder", "hut1.gif")),
        "bmp": record("Affe.bmp", picture("bilder", "assistent_richtig_1.bmp")),
        "odd_names": record("Thumbs.db", b"x") + record(".png", b"") +
                     record("Ba\u0308r.png", b"GIF89a"),
    }


def add_seeds(name, corpus, assets):
    os.makedirs(corpus, exist_ok=True)
    seeds = os.path.join(HERE, "seeds", name)
    paths = SHIPPED.get(name, [])
    if os.path.isdir(seeds):
        paths += [os.path.join(seeds, n) for n in sorted(os.listdir(seeds))]
    for path in paths:
        shutil.copyfile(path, os.path.join(corpus, "seed-" + os.path.basename(path)))
    if name == "fuzz_db":
        for seed, content in db_seeds(assets).items():
            with open(os.path.join(corpus, "seed-" + seed), "wb") as f:
                f.write(content)


def stat(log, key):
    found = re.findall(rf"stat::{key}: *(\d+)", log)
    return found[-1] if found else "?"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--fuzzer", required=True, help="the built fuzz target")
    parser.add_argument("--seconds", type=int, default=20)
    parser.add_argument("--work", required=True, help="folder for corpus, findings and log")
    parser.add_argument("--assets", default=os.path.join(ROOT, "assets"))
    args = parser.parse_args()

    name = os.path.basename(args.fuzzer)
    corpus = os.path.join(args.work, "corpus")
    findings = os.path.join(args.work, "findings")
    shutil.rmtree(findings, ignore_errors=True)
    os.makedirs(findings)
    add_seeds(name, corpus, args.assets)

    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", ASAN_OPTIONS="detect_leaks=0",
               UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1")
    # The targets write their files afresh for every input: in memory when possible.
    if os.access("/dev/shm", os.W_OK):
        env["TMPDIR"] = "/dev/shm"
    argv = [args.fuzzer, corpus, f"-max_total_time={args.seconds}", "-max_len=65536",
            "-rss_limit_mb=3072", "-timeout=20", "-print_final_stats=1",
            f"-artifact_prefix={findings}/"]
    log_path = os.path.join(args.work, "fuzz.log")
    with open(log_path, "w") as log_file:
        # libFuzzer stops on its own after the time; the bound is for a target that hangs.
        result = subprocess.run(argv, stdout=log_file, stderr=subprocess.STDOUT, env=env,
                                timeout=args.seconds + 90)
    with open(log_path, errors="replace") as f:
        log = f.read()
    cov = re.findall(r"cov: (\d+)", log)
    found = sorted(os.listdir(findings))
    print(f"{name}: {args.seconds} s, {stat(log, 'number_of_executed_units')} executions "
          f"({stat(log, 'average_exec_per_sec')}/s), coverage {cov[-1] if cov else '?'} edges, "
          f"corpus {len(os.listdir(corpus))} inputs, findings {len(found)} "
          f"(exit {result.returncode})")
    if found or result.returncode != 0:
        print("\n".join(log.splitlines()[-60:]))
        for n in found:
            print(f"finding: {os.path.join(findings, n)}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
