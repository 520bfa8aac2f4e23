#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer target over the folder db with clang and runs it for a bounded time.
# Usage: tools/fuzz.sh [seconds=60]   (FUZZ_BUILD=dir to build elsewhere)
. "$(dirname "$0")/preamble.sh"
seconds="${1:-60}"
build="${FUZZ_BUILD:-/tmp/knorzelbart-fuzz}"

# clang and its fuzzer runtime only for this script: CI's build stays on gcc.
need=()
for p in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

cmake -S tests/fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKNORZELBART_ASSETS="$root/assets" >/dev/null
cmake --build "$build" -j"$(nproc)" --target fuzz_db >/dev/null

# Seeds: a few real pictures under word names, in the input's record format.
corpus="$build/corpus"; artifacts="$build/findings"
mkdir -p "$corpus" "$artifacts"
python3 - "$corpus" "$root/assets" <<'PY'
import os, struct, sys
corpus, assets = sys.argv[1], sys.argv[2]
def record(name, content):
    n = name.encode()
    return bytes([len(n)]) + n + struct.pack("<H", len(content)) + content
def pic(path):
    return open(path, "rb").read()[:65535]
db = sorted(os.listdir(os.path.join(assets, "db")))[:3]
seeds = {
    "pictures": b"".join(record(n, pic(os.path.join(assets, "db", n))) for n in db),
    "gif": record("hut.gif", pic(os.path.join(assets, "bilder", "hut1.gif"))),
    "bmp": record("Affe.bmp", pic(os.path.join(assets, "bilder", "assistent_richtig_1.bmp"))),
    "odd names": record("Thumbs.db", b"x") + record(".png", b"") + record("Ba\u0308r.png", b"GIF89a"),
}
for k, v in seeds.items():
    open(os.path.join(corpus, k.replace(" ", "_")), "wb").write(v)
PY

log="$build/fuzz.log"
# The target writes its folder afresh for every input: keep that in memory when possible.
[ -w /dev/shm ] && export TMPDIR=/dev/shm
set +e
QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 "$build/fuzz_db" "$corpus" \
  -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=3072 -timeout=20 -print_final_stats=1 \
  -artifact_prefix="$artifacts/" >"$log" 2>&1
status=$?
set -e
execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
rate=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || echo "?")
findings=$(find "$artifacts" -type f | wc -l)
echo "fuzz_db: ${seconds} s, ${execs} executions (${rate}/s), coverage ${cov} edges, corpus $(ls "$corpus" | wc -l) inputs, findings ${findings} (exit ${status})"
[ "$findings" -eq 0 ] || { ls "$artifacts"; tail -40 "$log"; exit 1; }
