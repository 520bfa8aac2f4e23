#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates every picture under assets/ from the pinned Noto emoji artwork.
# Needs node/npm (only to fetch the package), rsvg-convert and python3 with PIL.
set -eu
NOTO_VERSION=1.2.9
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
npm install --silent --no-audit --no-fund --prefix "$tmp" "@iconify-json/noto@$NOTO_VERSION" >/dev/null
py=python3
if ! "$py" -c 'import PIL' 2>/dev/null; then py=/usr/bin/python3; fi
"$py" "$here/make_art.py" "$tmp/node_modules/@iconify-json/noto/icons.json" "$repo" "$@"
