#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds and starts the game.
. "$(dirname "$0")/preamble.sh"
bash tools/build.sh
exec "${BUILD_DIR:-build}/src/knorzelbart"
