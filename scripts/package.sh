#!/usr/bin/env bash
# Builds the Debian package fontlathe_VERSION_ARCH.deb into the project folder, compiled with
# Debian's own hardening flags. Install it with: sudo apt-get install ./fontlathe_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
export DEB_BUILD_MAINT_OPTIONS=hardening=+all

cmake -S . -B build-pkg -G Ninja -DCMAKE_BUILD_TYPE=None \
    -DFONTLATHE_TESTS=OFF -DFONTLATHE_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build build-pkg -j "$(nproc)"
rm -rf build-pkg/package
cpack -G DEB --config build-pkg/CPackConfig.cmake -B build-pkg/package
mv build-pkg/package/fontlathe_*.deb .
ls fontlathe_*.deb
