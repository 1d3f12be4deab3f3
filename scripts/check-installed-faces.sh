#!/usr/bin/env bash
# Compares every PCF face this machine has under /usr/share/fonts/X11 with the BDF that pcf2bdf
# writes for it: both are imported through latin1, cp1251 and cp1253, and the fonts must be
# byte for byte the same. Outside the test command, as it reads whatever faces are installed.
# Usage: scripts/check-installed-faces.sh [path/to/fontlathe-cli]
set -uo pipefail
cd "$(dirname "$0")/.."
cli="${1:-build/src/cli/fontlathe-cli}"
command -v pcf2bdf >/dev/null || { echo "pcf2bdf is needed (apt-get install pcf2bdf)"; exit 2; }
[ -x "$cli" ] || { echo "no $cli: build first, or name the program"; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
faces=0 failed=0
while IFS= read -r -d '' face; do
  faces=$((faces + 1))
  gzip -dcf "$face" | pcf2bdf > "$work/face.bdf" 2>/dev/null
  for page in latin1 cp1251 cp1253; do
    rm -f "$work/pcf.char" "$work/bdf.char"
    "$cli" import-font "$face" --codepage "$page" -o "$work/pcf.char" >/dev/null 2>"$work/pcf.err"
    pcf=$?
    "$cli" import-font "$work/face.bdf" --codepage "$page" -o "$work/bdf.char" >/dev/null 2>&1
    bdf=$?
    # A face refused is a difference too, even where the BDF is refused as well.
    if [ "$pcf" -ne 0 ] || [ "$bdf" -ne 0 ] || ! cmp -s "$work/pcf.char" "$work/bdf.char"; then
      echo "DIFFERS: $face ($page): $(head -c 300 "$work/pcf.err")"
      failed=$((failed + 1))
    fi
  done
done < <(find /usr/share/fonts/X11 -name '*.pcf.gz' -print0 | sort -z)
echo "$faces faces, $failed differences"
[ "$failed" -eq 0 ]
