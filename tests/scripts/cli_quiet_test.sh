#!/usr/bin/env bash
# A successful command prints nothing on stderr, even run as root or outside a desktop session
# (no XDG_RUNTIME_DIR), where Qt would warn about the missing runtime folder.
set -euo pipefail
cli="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
run() {
  env -u XDG_RUNTIME_DIR -u QT_QPA_PLATFORM "$cli" "$@" 2>err.txt >/dev/null
  if [ -s err.txt ]; then
    echo "fontlathe-cli $* printed on stderr:"; cat err.txt; exit 1
  fi
}
run generate --family "DejaVu Sans" --size 12 -o font.char
run render font.char -o preview.png
run info font.char
echo "successful commands are silent on stderr"
