#!/usr/bin/env bash
# The browser tests: builds build-web/ (scripts/build-web.sh), the native reference (the headless
# desktop game's first title frames and its verdict on every golden replay), then drives headless
# Chromium over the page served from 127.0.0.1 (tests/web/browser-test.js, with npm's puppeteer-core,
# which uses Debian's chromium and downloads no browser). Ends with status 1 on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build-web.sh

out=build-web
cmake --build build -j"$(nproc)" --target sim >/dev/null
rm -rf "$out/test-frames"
build/tools-bin/sim --frames 5 --every 1 --out "$out/test-frames" >/dev/null
# The native verdict on every golden replay, two at a time.
ls tests/golden/*.vgr | xargs -P "$(nproc)" -I{} sh -c \
    'printf "%s\t%s\n" "$(basename {} .vgr)" "$(build/tools-bin/sim --replay {} --verify | tail -1)"' |
    python3 -c 'import json, sys; print(json.dumps(dict(l.rstrip("\n").split("\t") for l in sys.stdin), indent=1))' \
    > "$out/native-verdicts.json"

# npm's packages, exactly as tests/web/package-lock.json pins them, installed again only when it or
# package.json changed (after editing package.json: `npm install --package-lock-only` in tests/web/,
# the "funding" links taken out of the lock file).
node_dir=$out/test-node
if ! cmp -s tests/web/package-lock.json "$node_dir/installed-lock.json" ||
    ! cmp -s tests/web/package.json "$node_dir/package.json"; then
    rm -rf "$node_dir"
    mkdir -p "$node_dir"
    cp tests/web/package.json tests/web/package-lock.json "$node_dir/"
    (cd "$node_dir" && npm ci --no-audit --no-fund --loglevel=error >/dev/null)
    cp tests/web/package-lock.json "$node_dir/installed-lock.json"
fi
NODE_PATH="$PWD/$out/test-node/node_modules" node tests/web/browser-test.js \
    "$out" tests/golden "$out/test-frames" "$out/native-verdicts.json"
