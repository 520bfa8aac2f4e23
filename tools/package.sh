#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package: installs what is missing, builds the program without its tests
# into build-package/ (or $PACKAGE_DIR) and runs CPack there. Prints the package's path.
# The build takes the distribution's flags (dpkg-buildflags, all hardening) as every build does:
# cmake/DistributionFlags.cmake.
. "$(dirname "$0")/preamble.sh"
out="${PACKAGE_DIR:-build-package}"
cmake -S . -B "$out" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF "$@" >/dev/null
cmake --build "$out" -j"$(nproc)"
rm -f "$out"/knorzelbart_*.deb
if ! (cd "$out" && cpack -G DEB >cpack.log 2>&1); then
  cat "$out/cpack.log" >&2
  exit 1
fi
deb=$(ls "$out"/knorzelbart_*.deb)
dpkg-deb -f "$deb" Package Version Architecture Depends
echo "$deb"
