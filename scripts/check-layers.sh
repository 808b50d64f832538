#!/usr/bin/env bash
# Checks the layer rule on the tracked sources: which folders may include what. The build holds the
# order of the layers itself (cmake/Layers.cmake: a layer's include root and its link); this script
# also holds the rules inside a folder (the backends) and runs before anything is built. Each rule is
# one row of the table below; a rule marked "pending" is reported but does not fail the check yet (its
# violations are being removed), and the script says when a pending rule already holds.
set -euo pipefail
set -f  # the folder patterns go to git, not to the shell
cd "$(dirname "$0")/.."

# status; folders (space separated); forbidden include (extended regex on the include path); why
rules=(
  "on;world engine stages;^(app/|platform/sdl/|platform/web/|SDL|emscripten);the game's core knows no window, device, browser or program shell"
  "on;render;^(app/|platform/sdl/|platform/web/|SDL|emscripten);pictures are drawn through the platform's drawing operations"
  "on;platform/sdl platform/headless;^(platform/web/|emscripten);the desktop's backends know nothing of the browser"
  "on;platform/web;^(platform/sdl/|SDL);the browser's backend is its own, not SDL's"
  "on;platform;^app/;the platform receives the mixer as a callback and knows nothing of the program"
  "on;engine;^stages/;the engine serves the scripts and does not call into them"
  "on;app;^SDL;every SDL call goes through the backend"
)

failed=0
for rule in "${rules[@]}"; do
    IFS=';' read -r status folders pattern why <<<"$rule"
    # shellcheck disable=SC2086
    files=$(git ls-files -- $(for f in $folders; do printf '%s/*.h %s/*.cpp ' "$f" "$f"; done))
    hits=""
    for file in $files; do
        while IFS= read -r line; do
            path=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]+)[>"].*/\1/' <<<"${line#*:}")
            if grep -qE "$pattern" <<<"$path"; then hits+="  $file:$line"$'\n'; fi
        done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' "$file" || true)
    done
    if [ -z "$hits" ]; then
        if [ "$status" = pending ]; then
            echo "layers: pending rule now holds, switch it on: $folders must not include $pattern ($why)"
        fi
        continue
    fi
    if [ "$status" = on ]; then
        echo "layers: $folders must not include $pattern ($why):" >&2
        printf '%s' "$hits" >&2
        failed=1
    else
        echo "layers: pending: $folders must not include $pattern ($why); $(printf '%s' "$hits" | wc -l) left"
    fi
done
if [ "$failed" -ne 0 ]; then
    echo "layers: the layer rule is broken" >&2
    exit 1
fi
echo "layers: ok"
