#!/usr/bin/env bash
# Makes the pictures of docs/translating.md and the README with the programs of a build, without a display: a
# small game of three fonts generated from DejaVu Sans, on which the guide's Polish and Russian
# examples run as the guide gives them.
#
#   scripts/doc-pictures.sh [BUILD_DIR [OUT_DIR]]     defaults: build and docs/pictures
#
# The build needs fontlathe-cli and fontlathe-sample-game (cmake --build build --target
# fontlathe-cli fontlathe-sample-game); `cmake --build build --target doc-pictures` builds both
# and runs this script.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
out="${2:-$root/docs/pictures}"
cli="$build/src/cli/fontlathe-cli"
sample_game="$build/tests/fontlathe-sample-game"
for program in "$cli" "$sample_game"; do
  if [ ! -x "$program" ]; then
    echo "$program is missing: cmake --build $build --target fontlathe-cli fontlathe-sample-game" >&2
    exit 1
  fi
done
mkdir -p "$out"
out="$(cd "$out" && pwd)"
export QT_QPA_PLATFORM=offscreen
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"

# Quiet where it succeeds (the dry runs' notes too); what went wrong where it fails.
cli() {
  if ! "$cli" "$@" >/dev/null 2>"$work/stderr.txt"; then
    cat "$work/stderr.txt" >&2
    echo "failed: fontlathe-cli $*" >&2
    exit 1
  fi
}

# The game: a verb font, a dialogue font with a shadow and a title font with an outline.
cli generate --family "DejaVu Sans" --size 9 -o verbs.char
cli generate --family "DejaVu Sans" --size 11 --style shadowed -o talk.char
cli generate --family "DejaVu Sans" --size 12 --bold --style outlined -o titles.char
mkdir pl ru
"$sample_game" 5 pl/GAME verbs.char talk.char titles.char
"$sample_game" 5 ru/GAME verbs.char talk.char titles.char

# Polish: what font 2 shows before, the dry run's pictures (all fonts, and font 2 alone for the
# README), what font 2 shows after.
cd "$work/pl"
printf 'Zażółć gęślą jaźń.\n' > pl.txt
line="Zażółć gęślą jaźń."
cli render GAME.001 --font 2 --codepage cp1250 --text "$line" --zoom 3 -o "$out/polish-before.png"
cli add-letters GAME.001 --font all --codepage cp1250 --text-file pl.txt --dry-run \
    --picture "$out/polish-letters.png"
cli add-letters GAME.001 --font 2 --codepage cp1250 --text-file pl.txt --dry-run \
    --picture "$out/polish-dialogue-letters.png"
cli add-letters GAME.001 --font all --codepage cp1250 --text-file pl.txt
cli render GAME.001 --font 2 --codepage cp1250 --text "$line" --zoom 3 -o "$out/polish-after.png"

# Russian: the dry run's picture of font 2, then the run that moves я off its reserved code.
cd "$work/ru"
printf 'Щука, Юля и Фёдор ждут.\n' > ru.txt
cli add-letters GAME.001 --font 2 --codepage cp1251 --text-file ru.txt --draw-with "DejaVu Sans" \
    --dry-run --picture "$out/russian-letters.png"
cli add-letters GAME.001 --font all --codepage cp1251 --text-file ru.txt \
    --draw-with "DejaVu Sans" --move-reserved ru-game.txt
cli render GAME.001 --font 2 --codepage ru-game.txt --text "Щука, Юля и Фёдор ждут." --zoom 3 \
    -o "$out/russian-after.png"

echo "pictures written to $out"
