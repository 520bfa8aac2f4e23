#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang and runs each for a bounded time; the test command
# does the same for 20 s each (label fuzz). Corpora and findings stay in the build folder.
# Usage: tools/fuzz.sh [seconds=60] [target ...]   (default: every target in tests/fuzz;
#        FUZZ_BUILD=dir to build elsewhere)
. "$(dirname "$0")/preamble.sh"
seconds="${1:-60}"
shift || true
build="${FUZZ_BUILD:-/tmp/knorzelbart-fuzz}"

bash tests/fuzz/build.sh "$build" -DKNORZELBART_ASSETS="$root/assets" >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(sed -n 's/^knorzelbart_add_fuzz_target(\([a-z_]*\))$/\1/p' tests/fuzz/CMakeLists.txt)
fi
status=0
for target in "${targets[@]}"; do
  python3 tests/fuzz/run.py --fuzzer "$build/$target" --seconds "$seconds" \
    --work "$build/run-$target" --assets "$root/assets" || status=1
done
exit $status
