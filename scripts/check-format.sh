#!/usr/bin/env bash
# Checks that every tracked C++ source is formatted as the root .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
echo "format: ok"
