#!/usr/bin/env bash
# Installs what building, running and testing VeltranoGame2 needs on Debian 12 (run as root).
# `install-deps.sh fuzz` also installs clang, which the fuzzing script builds with; `install-deps.sh web`
# the browser build's compiler, music encoder and the browser its tests drive; `windows` and
# `windows-test` the Windows build's and its tests' tools.
set -euo pipefail
packages=(build-essential cmake ninja-build clang-format pkg-config libsdl2-dev libfreetype-dev libfontconfig-dev libpng-dev
          libgtest-dev libbenchmark-dev fonts-ipafont-gothic)
if [ "${1:-}" = fuzz ]; then packages+=(clang); fi
# The Windows build's cross-compiler (posix threads), and wine with a private X server for its tests.
if [ "${1:-}" = windows ]; then packages+=(g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev python3); fi
if [ "${1:-}" = windows-test ]; then packages+=(wine wine64 xvfb xdotool x11-utils python3); fi
if [ "${1:-}" = web ]; then
    packages+=(emscripten node-acorn opus-tools chromium python3)
    # Node.js with its npm may come from elsewhere than Debian; Debian's are taken only when missing.
    command -v node >/dev/null || packages+=(nodejs)
    command -v npm >/dev/null || packages+=(npm)
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}"
fi
