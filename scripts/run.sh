#!/usr/bin/env bash
# Builds Fontlathe and starts the editor; arguments go to the editor (a .char file to open).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build -j "$(nproc)" --target fontlathe
exec build/src/app/fontlathe "$@"
