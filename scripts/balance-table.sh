#!/usr/bin/env bash
# The balance table: every stage and boss-only scene played by the dodging pilot (taking continues)
# over several seeds, with and without full power, and per scene: ships lost, how often the boss
# was shot down or timed out, launches per second (the whole scene, the boss, the boss by the third
# of its hit points left, the last boss's circling phase) and the longest stretches without an
# enemy (before the boss) and without a launch. Not part of the tests: run it by hand after a change
# to a fight. Each run is one `sim --balance` line; RAW=1 prints them too.
#
# Usage: scripts/balance-table.sh [BUILD_DIR]   (default: build)
#   SCENES="2 3 ... 23"  scenes as the game counts them (2..11 stages 1-10, 14..23 their bosses)
#   SEEDS="1 2 3"        seeds of the runs           JOBS=2   runs at once
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
sim="$build/tools-bin/sim"
[ -x "$sim" ] || { echo "balance-table: $sim is missing; build the sim first" >&2; exit 1; }
scenes=${SCENES:-"2 3 4 5 6 7 8 9 10 11 14 15 16 17 18 19 20 21 22 23"}
seeds=${SEEDS:-"1 2 3"}
jobs=${JOBS:-2}
lines=$(mktemp)
trap 'rm -f "$lines"' EXIT

for scene in $scenes; do
  for power in 0 1; do
    for seed in $seeds; do echo "$scene $seed $power"; done
  done
done | xargs -P "$jobs" -L 1 bash -c '
  flags=(--enter "$1" --seed "$2" --pilot dodge --continues --balance --frames 200000)
  [ "$3" = 1 ] && flags+=(--power)
  "'"$sim"'" "${flags[@]}" | grep "^balance:" || echo "balance: scene $1 seed $2 power $3 failed"
' _ >"$lines"

[ "${RAW:-0}" = 1 ] && sort -k3,3n -k7,7n -k5,5n "$lines"
# One row per scene and power: sums and counts over the seeds, averages of the rates, the worst
# stretches.
awk '
  function field(name,   i) { for (i = 2; i < NF; ++i) if ($i == name) return $(i + 1); return "" }
  $0 ~ / failed$/ { failed[field("scene") " " field("power")]++; next }
  {
    key = field("scene") " " field("power"); keys[key] = 1
    runs[key]++; lost[key] += field("lost"); cont[key] += field("continues")
    boss = field("boss"); down[key] += boss == "down"; timeout[key] += boss == "timeout"
    secs[key] += field("seconds"); rate[key] += field("launch/s"); brate[key] += field("boss-launch/s")
    split(field("thirds"), t, "/"); t1[key] += t[1]; t3[key] += t[3]
    fin[key] += field("final-launch/s")
    if (field("no-enemy") > quiet[key]) quiet[key] = field("no-enemy")
    if (field("no-launch") > silent[key]) silent[key] = field("no-launch")
  }
  END {
    printf "%-5s %-5s %4s %5s %5s %7s %7s %8s %8s %13s %8s %8s %9s %9s\n", "scene", "power", "runs", "lost",
           "cont", "down", "timeout", "minutes", "launch/s", "boss-launch/s", "1st/3rd", "final", "no-enemy",
           "no-launch"
    n = 0
    for (key in keys) order[++n] = key
    for (i = 1; i <= n; ++i) for (j = i + 1; j <= n; ++j) {
      split(order[i], a, " "); split(order[j], b, " ")
      if (a[1] + 0 > b[1] + 0 || (a[1] == b[1] && a[2] > b[2])) { x = order[i]; order[i] = order[j]; order[j] = x }
    }
    for (i = 1; i <= n; ++i) {
      key = order[i]; split(key, k, " "); r = runs[key]
      printf "%-5s %-5s %4d %5d %5d %7s %7s %8.1f %8.1f %13.1f %8s %8.1f %9.1f %9.1f\n", k[1], k[2], r,
             lost[key], cont[key], down[key] "/" r, timeout[key] "/" r, secs[key] / r / 60, rate[key] / r,
             brate[key] / r, sprintf("%.0f/%.0f", t1[key] / r, t3[key] / r), fin[key] / r, quiet[key], silent[key]
    }
    for (key in failed) printf "scene %s: %d runs failed\n", key, failed[key]
  }' "$lines"
