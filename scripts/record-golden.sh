#!/usr/bin/env bash
# Records the golden replays in tests/golden/ again: every stage and both extra battles entered with
# full power and played by the shared test pilot (it dodges and may lose ships, and takes a continue
# when it must) until the scene moves on, and the staff roll watched to its end and closed by
# confirm. A stage must end with its boss shot down, not by its time-out (the endurance trial is
# survived); the script stops at the first that does not. Last come the boss-only scenes whose
# bosses have parts, below.
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
# The boss-only scenes whose scripts branch on the boss's parts (stage 4's guns, stage 6's arms and
# pylons, stage 10's rings), flown by the pilot that shoots the parts before the boss, so that the
# branches no stage plays (the fans of a boss whose guns or upper pylon are down, a ring broken by
# shots) are played. The boss must be shot down, and the parts named must fall to shots: A-B every
# slot from A to B, A~B at least one of them (a ring breaks when one of its four falls).
boss_only=(
  "boss-stage04 17 117 2400-2411" "boss-stage06 19 119 2424-2425" "boss-stage10 23 123 2484~2487"
)
for entry in "${boss_only[@]}"; do
  read -r name scene seed parts <<<"$entry"
  file="$out/$name.vgr"
  log=$("$sim" --enter "$scene" --seed "$seed" --pilot dodge --parts-first --power --continues \
    --until-next-scene --frames 20000 --record "$file")
  echo "$name: $(tr '\n' ' ' <<<"$log")"
  grep -q "boss shot down" <<<"$log" || { echo "record-golden: $name did not end with its boss shot down" >&2; exit 1; }
  standing=" $(sed -n 's/.*enemies shot down: [0-9]* of [0-9]*, not://p' <<<"$log") "
  first=${parts%[-~]*} last=${parts#*[-~]} fallen=0
  for ((slot = first; slot <= last; ++slot)); do
    if [[ $standing == *" $slot "* ]]; then
      [[ $parts == *-* ]] && { echo "record-golden: $name left part $slot standing" >&2; exit 1; }
    else
      fallen=1
    fi
  done
  [ "$fallen" = 1 ] || { echo "record-golden: $name shot down none of $parts" >&2; exit 1; }
  "$sim" --replay "$file" --verify
done
"$sim" --enter 24 --seed 124 --input "$confirm" --until-next-scene --frames 4000 --record "$out/staff-roll.vgr"
"$sim" --replay "$out/staff-roll.vgr" --verify
