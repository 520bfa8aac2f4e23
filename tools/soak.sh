#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Plays complete games one after another under the virtual clock in a build with
# AddressSanitizer and UndefinedBehaviorSanitizer, and reports the picture list and memory.
# Usage: tools/soak.sh [games=1000] [--lernstand]   (SOAK_BUILD=dir to build elsewhere)
# With --lernstand the games are played with the learning record on.
. "$(dirname "$0")/preamble.sh"
games="${1:-1000}"
learning="${2:-}"
build="${SOAK_BUILD:-/tmp/knorzelbart-soak}"

flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S bench -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKNORZELBART_ASSETS="$root/assets" \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build" -j"$(nproc)" --target soak >/dev/null

# Leaks are reported at the end; what the system's own libraries keep is not ours.
cat >"$build/lsan.supp" <<'SUPP'
leak:libfontconfig
leak:libQt6
leak:libdbus
SUPP
echo "With AddressSanitizer and UndefinedBehaviorSanitizer (memory includes the sanitizer's own):"
# A failing soak must not end this script before its status and its report are read.
status=0
ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:quarantine_size_mb=16 LSAN_OPTIONS="suppressions=$build/lsan.supp:print_suppressions=0" \
  UBSAN_OPTIONS=print_stacktrace=1 "$build/soak" "$games" $learning 2> "$build/soak.err" || status=$?
if grep -q "ERROR: \|runtime error" "$build/soak.err"; then
  cat "$build/soak.err"
  echo "soak: sanitizer reports above (exit $status)"
  exit 1
fi
if [ "$status" -ne 0 ]; then
  cat "$build/soak.err"
  echo "soak: failed with exit $status, no sanitizer report"
  exit "$status"
fi
echo "soak: $games games${learning:+ with the learning record on}, no sanitizer report (exit $status)"

# The same games in a plain build: the memory the program itself needs.
cmake -S bench -B "$build-plain" -DCMAKE_BUILD_TYPE=Release -DKNORZELBART_ASSETS="$root/assets" >/dev/null
cmake --build "$build-plain" -j"$(nproc)" --target soak >/dev/null
echo "Without sanitizers:"
"$build-plain/soak" "$games" $learning 2>/dev/null
