#!/usr/bin/env bash
# Builds Fontlathe and runs every test twice: once in a normal build with warnings as errors,
# once under AddressSanitizer and UndefinedBehaviorSanitizer, together with a bounded fuzz run
# of the file decoder.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --for-tests

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== Build and test (gcc, warnings as errors)"
cmake -S . -B build -G Ninja -DFONTLATHE_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== Build and test under ASan + UBSan, with the fuzz run (clang)"
CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja \
    -DFONTLATHE_WERROR=ON -DFONTLATHE_SANITIZE=ON -DFONTLATHE_FUZZ=ON -DFONTLATHE_BENCH=OFF
cmake --build build-asan -j "$jobs"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
ctest --test-dir build-asan --output-on-failure -j "$jobs"
