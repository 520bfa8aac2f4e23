#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the benchmarks and prints one table: start-up to the first painted frame against a
# Qt window with one label, a whole game under the virtual clock, the picture list of large
# folders, CPU on the real clock, the time from a spoken word's request to its first samples
# at a sound server.
# Usage: bench/run.sh        (BENCH_BUILD=dir to build elsewhere, STARTUP_RUNS=n)
. "$(dirname "$0")/../tools/preamble.sh"
build="${BENCH_BUILD:-/tmp/knorzelbart-bench}"
runs="${STARTUP_RUNS:-15}"

cmake -S bench -B "$build" -DCMAKE_BUILD_TYPE=Release -DKNORZELBART_ASSETS="$root/assets" >/dev/null
cmake --build "$build" -j"$(nproc)" --target floor game_probe bench_game cpu_probe speech_probe \
  bench_lernstand >/dev/null

# An X server of our own for the programs that open windows.
display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
# And a sound server of our own on a null sink, in a private runtime folder.
pulse_runtime=$(mktemp -d)
chmod 700 "$pulse_runtime"
XDG_RUNTIME_DIR="$pulse_runtime" pulseaudio -n --daemonize=no --exit-idle-time=-1 \
  --load=module-native-protocol-unix --load="module-null-sink sink_name=nul" >/dev/null 2>&1 &
pulse=$!
cleanup() {
  kill "$xvfb" "$pulse" 2>/dev/null || true
  wait "$xvfb" "$pulse" 2>/dev/null || true
  rm -rf "$pulse_runtime"
}
trap cleanup EXIT
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done
export DISPLAY="$display" QT_QPA_PLATFORM=xcb

echo "Measuring start-up ($runs runs each)..." >&2
startup=$(python3 bench/startup.py "$runs" "$build/floor" "$build/game_probe")
echo "Measuring CPU on the real clock..." >&2
cpu=$("$build/cpu_probe" 2>/dev/null)
cpu_hd=$("$build/cpu_probe" 1920x1080 2>/dev/null | sed "s/^/hd_/")
cpu="$cpu
$cpu_hd"
echo "Measuring the time to the first spoken sample..." >&2
for _ in $(seq 50); do XDG_RUNTIME_DIR="$pulse_runtime" pactl info >/dev/null 2>&1 && break; sleep 0.1; done
speech=$(XDG_RUNTIME_DIR="$pulse_runtime" PULSE_SINK=nul "$build/speech_probe" 2>/dev/null || true)
echo "Running the virtual-clock benchmarks..." >&2
json="$build/bench_game.json"
QT_QPA_PLATFORM=offscreen "$build/bench_game" --benchmark_format=json --benchmark_out="$json" \
  --benchmark_out_format=json >/dev/null 2>&1

python3 - "$startup" "$cpu" "$json" "$speech" <<'PY'
import json, sys
startup = json.loads(sys.argv[1])
cpu = {l.split()[0]: (float(l.split()[1]), float(l.split()[2])) for l in sys.argv[2].splitlines() if l.strip()}
bench = {b["name"]: b for b in json.load(open(sys.argv[3]))["benchmarks"]}
f, g = startup["floor"], startup["game_probe"]
def span(s, fmt):
    return f"{s['min']:{fmt}}–{s['max']:{fmt}}"
rt, rm = g["ratio"]["ms"], g["ratio"]["mb"]
rows = [
    ("start-up to first painted frame: Qt window with one label", f"{f['ms']['median']:.0f} ms ({span(f['ms'], '.0f')})",
     f"{f['mb']['median']:.1f} MB peak RSS", ""),
    ("start-up to first painted frame: the game", f"{g['ms']['median']:.0f} ms ({span(g['ms'], '.0f')})",
     f"{g['mb']['median']:.1f} MB peak RSS",
     f"{rt['median']:.2f}x time ({span(rt, '.2f')}), {rm['median']:.2f}x memory ({span(rm, '.2f')})"),
]
game = bench["BM_FullGame/iterations:20"]
rows.append(("whole game, virtual clock (17 words, end sequence)", f"{game['real_time']:.1f} ms",
             f"{game['peak_rss_mb']:.1f} MB peak RSS", ""))
photos = bench["BM_FullGameWithPhotos/iterations:1"]
rows.append(("whole game with 20 camera photos (4000x3000 JPEG)", f"{photos['real_time']:.0f} ms",
             f"{photos['peak_rss_mb']:.1f} MB peak RSS", ""))
lists = {}
for n in (1000, 10000, 50000, 100000):
    b = bench[f"BM_PictureList/{n}/min_time:2.000"]
    lists[n] = b["real_time"]
    goal = ""
    if n == 50000:
        goal = "goal < 100 ms" + (" ok" if b["real_time"] < 100 else " MISSED")
    if n == 100000:
        goal = f"100k/10k = {lists[100000] / lists[10000]:.1f}x (linear: 10x)"
    rows.append((f"picture list of {n} files", f"{b['real_time']:.1f} ms",
                 f"{b['real_time'] * 1000 / n:.2f} us per file", goal))
for name, label in (("waiting", "CPU waiting for a letter"), ("assistant", "CPU during the assistant's reaction"),
                    ("walk", "CPU during the robber's walk")):
    pct, secs = cpu[name]
    rows.append((label, f"{pct:.2f} % of a core", f"over {secs:.1f} s", "limit 5 %" + (" ok" if pct < 5 else " EXCEEDED")))
for name, label in (("assistant", "CPU during the assistant's reaction, full HD window"),
                    ("walk", "CPU during the robber's walk, full HD window")):
    pct, secs = cpu["hd_" + name]
    ratio = pct / max(cpu[name][0], 0.01)
    rows.append((label, f"{pct:.2f} % of a core", f"over {secs:.1f} s",
                 f"{ratio:.1f}x scale 1, limit 2x" + (" ok" if ratio <= 2 else " EXCEEDED")))
speech = (sys.argv[4].split() + ["-1"] * 4)[1:4]
cold, median, worst = (float(x) for x in speech)
if median < 0:
    rows.append(("spoken word: request to first sample at the server", "no sound server", "", "goal 150 ms"))
else:
    rows.append(("spoken word: request to first sample at the server", f"{median:.1f} ms median",
                 f"max {worst:.1f} ms, first word {cold:.1f} ms (loads the voice)",
                 "goal 150 ms" + (" ok" if worst < 150 else " EXCEEDED")))
w = [max(len(r[i]) for r in rows) for i in range(4)]
print(" | ".join(h.ljust(w[i]) for i, h in enumerate(("measure", "value", "detail", "ratio / limit"))))
print("-+-".join("-" * x for x in w))
for r in rows:
    print(" | ".join(c.ljust(w[i]) for i, c in enumerate(r)))
PY
echo
echo "Learning record (the record on against off):"
QT_QPA_PLATFORM=offscreen "$build/bench_lernstand" 2>/dev/null
