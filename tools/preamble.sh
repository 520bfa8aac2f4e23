# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced first by every script of the project: stop at the first error or unset variable,
# work from the repository's root (kept in $root), and install what is missing unless the
# script says it needs nothing (KNORZELBART_NO_SETUP=1 before sourcing).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
if [ "${KNORZELBART_NO_SETUP:-0}" != 1 ]; then bash tools/setup.sh; fi
