#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: once in a Release build, once
# more built with AddressSanitizer and UndefinedBehaviorSanitizer, then the browser build in
# headless Chromium (scripts/test-web.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

# The cheap checks first: the layer rule and the formatting of every tracked source.
bash scripts/check-layers.sh
bash scripts/check-format.sh
bash scripts/count-bare-literals.sh

# The game's own build folder, configured as the game's command configures it.
bash scripts/configure-build.sh
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")

# The sanitizer build reuses the data the first build generated.
generator=()
[ -f build-sanitize/CMakeCache.txt ] || generator=(-G Ninja)
cmake -S . -B build-sanitize "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRANO_SANITIZE=ON \
      -DVELTRANO_BUILD_BENCH=OFF -DVELTRANO_BUILD_GAME=OFF -DVELTRANO_PREBUILT_ASSETS="$PWD/build/bin"
cmake --build build-sanitize -j"$jobs"
# The windowing and GL libraries keep what they allocate until exit (the game under an X server);
# the file names them. Nothing else is suppressed.
suppressions="$PWD/scripts/lsan.supp"
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$suppressions" \
    UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j"$jobs")

# The browser build: built with emscripten, served from 127.0.0.1 and driven in headless Chromium.
bash scripts/test-web.sh
