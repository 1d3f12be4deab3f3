#!/usr/bin/env bash
# scripts/run.sh started from another folder with a relative file name opens the file in that
# folder: the editor runs in the caller's folder, and the project folder gets no stray file.
set -euo pipefail
project="$1"
cli="$2"
caller="$(mktemp -d)"
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$caller"' EXIT

cd "$caller"
"$cli" generate --family "DejaVu Sans" --size 12 -o mine.char
QT_QPA_PLATFORM=offscreen bash "$project/scripts/run.sh" mine.char >/dev/null 2>&1 &
pid=$!

# run.sh ends by replacing itself with the editor; wait until it has.
for _ in $(seq 100); do
  if [ "$(basename "$(readlink "/proc/$pid/exe" 2>/dev/null)")" = fontlathe ]; then
    break
  fi
  sleep 0.1
done
[ "$(basename "$(readlink "/proc/$pid/exe")")" = fontlathe ] || { echo "the editor did not start"; exit 1; }
[ "$(readlink "/proc/$pid/cwd")" = "$caller" ] || { echo "the editor runs in $(readlink "/proc/$pid/cwd"), not in $caller"; exit 1; }
[ ! -e "$project/mine.char" ] || { echo "a stray mine.char stands in the project folder"; exit 1; }
echo "run.sh starts the editor in the caller's folder"
