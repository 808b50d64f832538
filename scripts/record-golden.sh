#!/usr/bin/env bash
# Records the golden replays in tests/golden/ again: every stage and both extra battles entered with
# full power and played by the shared test pilot (it dodges and may lose ships, and takes a continue
# when it must) until the scene moves on, and the staff roll watched to its end and closed by
# confirm. A stage must end with its boss shot down, not by its time-out (the endurance trial is
# survived); the script stops at the first that does not.
#
# Run it only when a change is meant to alter play, and say in the commit why the replays changed.
# Usage: scripts/record-golden.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
sim="$build/tools-bin/sim"
out=tests/golden
[ -x "$sim" ] || { echo "record-golden: $sim is missing; build the sim first" >&2; exit 1; }
confirm=$(mktemp)
trap 'rm -f "$confirm"' EXIT
echo "3066 hold space" >"$confirm"  # the roll takes confirm from its frame 3065 on

# name scene seed, scenes as the game counts them (2 is stage 1, 12 and 13 the extra battles).
golden=(
  "stage01 2 101" "stage02 3 102" "stage03 4 103" "stage04 5 104" "stage05 6 105"
  "stage06 7 106" "stage07 8 107" "stage08 9 108" "stage09 10 109" "stage10 11 110"
  "extra-battle 12 112" "extra-endurance 13 113"
)
for entry in "${golden[@]}"; do
  read -r name scene seed <<<"$entry"
  file="$out/$name.vgr"
  log=$("$sim" --enter "$scene" --seed "$seed" --pilot dodge --power --continues --until-next-scene \
    --frames 40000 --record "$file")
  echo "$name: $(tr '\n' ' ' <<<"$log")"
  if [ "$scene" != 13 ] && ! grep -q "boss shot down" <<<"$log"; then
    echo "record-golden: $name did not end with its boss shot down" >&2
    exit 1
  fi
  "$sim" --replay "$file" --verify
done
"$sim" --enter 24 --seed 124 --input "$confirm" --until-next-scene --frames 4000 --record "$out/staff-roll.vgr"
"$sim" --replay "$out/staff-roll.vgr" --verify
