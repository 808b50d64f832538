#!/usr/bin/env bash
# Plays stage 1 of the real game under Xvfb with SDL's disk audio driver capturing what the game
# plays, fire held for 60 s while two busy processes load both cores, and fails when the sound has
# a run of digital silence of 5 ms or more while the music plays (the device ran dry). Not part of
# the test suite: it takes about 75 s of wall time.
#   scripts/check-audio-gaps.sh [PROGRAM] [SECONDS]
# PROGRAM defaults to build/bin/VeltranoGame2 (its folder must hold the game's data), SECONDS to 60.
# RATE=44100 reads a capture of a build whose mixer ran at that rate.
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/bin/VeltranoGame2}")
seconds=${2:-60}
rate=${RATE:-32000}
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A copy of the program folder, so the run's scores go to a save file of its own.
folder=$(dirname "$program")
mkdir "$work/game"
cp "$program" "$work/game/"
for item in "$folder"/*; do
    case $(basename "$item") in
        VeltranoGame2 | veltrano_* | temp.dat | *.ini) ;;
        *) ln -s "$item" "$work/game/" ;;
    esac
done
cp "$folder"/*.ini "$work/game/" 2>/dev/null || true
cp "$folder/temp.dat" "$work/game/" 2>/dev/null || true

cat >"$work/gaps.c" <<'C'
/* Reads 16-bit stereo frames from stdin, skipping `skip` frames, and reports every run of
   `minimum` or more frames whose samples are all exactly zero. */
#include <stdio.h>
#include <stdlib.h>
int main(int argc, char** argv) {
    const long skip = atol(argv[1]), minimum = atol(argv[2]), rate = atol(argv[3]);
    short frame[2];
    long at = 0, run = 0, gaps = 0, silent = 0, longest = 0, sounding = 0;
    while (fread(frame, sizeof frame, 1, stdin) == 1) {
        if (at++ < skip) continue;
        if (frame[0] == 0 && frame[1] == 0) { ++run; continue; }
        ++sounding;
        if (run >= minimum) {
            ++gaps;
            silent += run;
            if (run > longest) longest = run;
            if (gaps <= 10) printf("  silent %.1f ms at %.2f s\n", run * 1000.0 / rate, (at - run) / (double)rate);
        }
        run = 0;
    }
    printf("%.1f s checked, %.1f s sounding: %ld runs of silence of %.0f ms or more (%.1f ms in all, longest %.1f ms)\n",
           (at - skip) / (double)rate, sounding / (double)rate, gaps, minimum * 1000.0 / rate,
           silent * 1000.0 / rate, longest * 1000.0 / rate);
    if (run >= minimum) printf("  (and silence from %.2f s to the end)\n", (at - run) / (double)rate);
    return gaps > 0;
}
C
cc -O2 -o "$work/gaps" "$work/gaps.c"

# Xvfb picks a free display itself and says which.
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
display=:$(cat "$work/display")
export DISPLAY=$display

capture="$work/audio.raw"
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$capture" "$work/game/VeltranoGame2" &
game=$!
pids+=($game)
# The game reads the keys once a frame, so a tap is held long enough for a few frames to see it.
tap() {
    xdotool keydown "$1"
    sleep 0.15
    xdotool keyup "$1"
}
window=$(xdotool search --sync --name VeltranoGame2 | head -1)
xdotool windowfocus "$window" 2>/dev/null || true
sleep 2
# Title: skip the animation, choose the game, then start stage 1 from the ship select.
for _ in 1 2 3; do
    tap space
    sleep 0.5
done
start_bytes=$(stat -c %s "$capture")

for _ in 1 2; do
    sh -c 'while :; do :; done' &
    pids+=($!)
done
xdotool keydown x
# A tap of the confirm key every 5 s continues after a game over (and otherwise pauses or resumes),
# so the stage's music plays throughout.
for ((t = 0; t < seconds; t += 5)); do
    sleep 5
    tap space
done
xdotool keyup x
tap Escape
wait "$game" || true

# Half a second after the start of the stage, to the end of the capture.
skip=$((start_bytes / 4 + rate / 2))
echo "stage 1 for $seconds s with fire held, both cores busy:"
"$work/gaps" "$skip" $((rate * 5 / 1000)) "$rate" <"$capture"
