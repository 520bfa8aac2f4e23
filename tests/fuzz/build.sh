#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds every fuzz target with clang into the folder given first; further arguments go to
# cmake's configure step. The game's libraries and program are compiled with clang on the
# way, warnings as errors: a break under clang fails here.
# Usage: tests/fuzz/build.sh FOLDER [-DNAME=VALUE ...]
set -euo pipefail
out=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
cmake -S "$here" -B "$out" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$out" -j"$(nproc)"
