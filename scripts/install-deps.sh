#!/usr/bin/env bash
# Installs every Debian 12 package that building, testing, packaging and running Fontlathe need.
# Safe to run again: packages already present are left as they are.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev
  libtiff-dev libpng-dev zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-dejavu-core fonts-dejavu-extra fonts-liberation fontconfig
  xvfb xauth
  librsvg2-bin dpkg-dev file
  desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl libxml2-utils lintian
)

# The test suite also reads the bitmap faces X11 and the console install, with the tools that
# convert them: pcf2bdf to check the PCF reader, bdftopcf to check what export-font writes.
if [ "${1:-}" = "--for-tests" ]; then
  packages+=(xfonts-terminus xfonts-base xfonts-75dpi console-setup-linux pcf2bdf xfonts-utils)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
