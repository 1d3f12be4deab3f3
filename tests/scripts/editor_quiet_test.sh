#!/usr/bin/env bash
# The editor started outside a desktop session (no XDG_RUNTIME_DIR), where Qt would warn about the
# missing runtime folder, prints nothing on stderr. Nothing closes it from a script, so it is
# stopped after two seconds; it must still be running then.
set -euo pipefail
editor="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
status=0
# The stop leaves the editor's private runtime folder behind; TMPDIR keeps it in here.
env -u XDG_RUNTIME_DIR TMPDIR="$work" QT_QPA_PLATFORM=offscreen timeout 2 "$editor" \
  2>err.txt >/dev/null || status=$?
if [ "$status" -ne 124 ]; then
  echo "the editor ended by itself, with status $status:"; cat err.txt; exit 1
fi
if [ -s err.txt ]; then
  echo "the editor printed on stderr:"; cat err.txt; exit 1
fi
echo "the editor starts silent on stderr"
