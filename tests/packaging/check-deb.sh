#!/usr/bin/env bash
# Builds the Debian package from this build tree and checks its file list, the dependencies that
# dpkg-shlibdeps computed, and that lintian finds no error in it.
set -euo pipefail
build=$1 expected=$2 version=$3

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
deb=$out/fontlathe_${version}_$(dpkg --print-architecture).deb

diff -u "$expected" <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort)
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for package in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libtiff6 qt6-qpa-plugins; do
    grep -Eq "(^|, )$package( |,|$)" <<<"$depends"
done
lintian --fail-on error "$deb"
echo "Debian package: ok"
