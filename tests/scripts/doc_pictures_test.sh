#!/usr/bin/env bash
# scripts/doc-pictures.sh runs without a display from a build and makes, into a folder of its own,
# a PNG image for each picture the guides hold in docs/pictures, and no other.
set -euo pipefail
source_dir="$1"
build_dir="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    bash "$source_dir/scripts/doc-pictures.sh" "$build_dir" "$work/pictures" >/dev/null
made="$(cd "$work/pictures" && ls)"
kept="$(cd "$source_dir/docs/pictures" && ls)"
if [ "$made" != "$kept" ]; then
  echo "the script makes:"; echo "$made"; echo "docs/pictures holds:"; echo "$kept"; exit 1
fi
for picture in "$work"/pictures/*; do
  if [ "$(head -c 8 "$picture" | od -An -tx1 | tr -d ' \n')" != "89504e470d0a1a0a" ]; then
    echo "$(basename "$picture") is no PNG image"; exit 1
  fi
done
echo "the guides' pictures are made headless: $(echo $made)"
