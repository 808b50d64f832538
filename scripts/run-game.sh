#!/usr/bin/env bash
# Installs what is missing, builds the game and its data (nothing of the tests or benchmarks), and
# starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/configure-build.sh
cmake --build build -j"$(nproc)" --target VeltranoGame2
exec build/bin/VeltranoGame2
