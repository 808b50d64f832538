#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: once in a Release build, and
# once more built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")

# The sanitizer build reuses the data the first build generated.
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRANO_SANITIZE=ON \
      -DVELTRANO_BUILD_BENCH=OFF -DVELTRANO_BUILD_GAME=OFF -DVELTRANO_PREBUILT_ASSETS="$PWD/build/bin"
cmake --build build-sanitize -j"$jobs"
# fontconfig keeps its caches until the process ends; that is not our leak.
suppressions="$PWD/scripts/lsan.supp"
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$suppressions" \
    UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j"$jobs")
