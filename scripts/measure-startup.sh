#!/usr/bin/env bash
# Measures how long the game takes from launch to the first frame shown, under Xvfb with SDL's
# disk audio driver, over several runs. A small preloaded library notes the time of the first
# present and ends the program there, so the game itself is measured unchanged.
#   scripts/measure-startup.sh [PROGRAM] [RUNS]
# PROGRAM defaults to build/bin/VeltranoGame2, RUNS to 7. Prints each run (with the SDL renderer that
# drew it) and the median in ms. MEASURE_SCREEN sets the screen (default 640x480x24, e.g. 1920x1080x24);
# SDL_RENDER_DRIVER=opengl measures the OpenGL renderer the game would use on a desktop with a card.
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/bin/VeltranoGame2}")
runs=${2:-7}
work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

cat >"$work/first-frame.c" <<'C'
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>
struct RendererInfo {  // SDL_RendererInfo
    const char* name;
    unsigned flags, formatCount, formats[16];
    int maxWidth, maxHeight;
};
void SDL_RenderPresent(void* renderer) {
    void (*real)(void*) = (void (*)(void*))dlsym(RTLD_NEXT, "SDL_RenderPresent");
    real(renderer);
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    const long long launched = atoll(getenv("VELTRANO_LAUNCH_NS"));
    const long long ns = now.tv_sec * 1000000000LL + now.tv_nsec - launched;
    int (*info)(void*, struct RendererInfo*) = (int (*)(void*, struct RendererInfo*))dlsym(RTLD_NEXT, "SDL_GetRendererInfo");
    struct RendererInfo drawn = {"?"};
    if (info) info(renderer, &drawn);
    fprintf(stderr, "first frame after %.1f ms (%s)\n", ns / 1e6, drawn.name);
    _exit(0);
}
C
cc -shared -fPIC -O2 -o "$work/first-frame.so" "$work/first-frame.c" -ldl

# Xvfb picks a free display itself and says which.
Xvfb -displayfd 3 -screen 0 "${MEASURE_SCREEN:-640x480x24}" -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
display=:$(cat "$work/display")

times=()
for run in $(seq "$runs"); do
    line=$(DISPLAY=$display SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null LD_PRELOAD="$work/first-frame.so" \
        VELTRANO_LAUNCH_NS=$(date +%s%N) "$program" 2>&1 | grep 'first frame after' || true)
    ms=$(echo "$line" | awk '{print $4}')
    [ -z "$ms" ] && { echo "run $run: no frame shown" >&2; exit 1; }
    echo "run $run: $ms ms $(echo "$line" | awk '{print $6}')"
    times+=("$ms")
done
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {printf "median: %s ms over %d runs\n", a[int((NR+1)/2)], NR}'
