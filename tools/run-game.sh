#!/usr/bin/env bash
# Installs what is missing, builds and starts the game.
. "$(dirname "$0")/preamble.sh"
bash tools/build.sh
exec "${BUILD_DIR:-build}/src/knorzelbart"
