#!/usr/bin/env bash
# Builds Fontlathe and starts the editor; arguments go to the editor (a .char file to open).
# The editor starts in the folder the script was called from, so a relative file name means
# the file the user meant.
set -euo pipefail
project="$(cd "$(dirname "$0")/.." && pwd)"

(
  cd "$project"
  bash scripts/install-deps.sh
  cmake -S . -B build -G Ninja >/dev/null
  cmake --build build -j "$(nproc)" --target fontlathe
)
exec "$project/build/src/app/fontlathe" "$@"
