#!/usr/bin/env bash
# The Windows tests, under wine on a private Xvfb: builds the zip (scripts/build-windows.sh --tests),
# unpacks it into an empty folder, and checks --version and --help against the desktop game's; the
# game's first title frames against the headless desktop game's, pixel for pixel; Space (pressed on
# the X server) through the title and the ship select into stage 1, fire held, and Escape closing it
# with its score in the score table and nothing but its recording added beside it, the recording
# verified by the desktop's sim; every golden replay verified by the Windows sim with the desktop's result line; and the Windows
# unit tests. wine's prefix lives in build-windows/wine. Ends with status 1 and the failed step's
# reason on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$PWD/build-windows
test=$out/test
fail() {
    echo "test-windows: FAILED: $*" >&2
    exit 1
}
say() { echo "test-windows: $*"; }

bash scripts/build-windows.sh --tests
bash scripts/install-deps.sh windows-test
cmake --build build -j"$(nproc)" --target VeltranoGame2 sim >/dev/null || fail "the desktop build failed"

rm -rf "$test"
mkdir -p "$test/game" "$test/frames" "$test/native-frames"
# wine: its own prefix, no messages of its own, no installers for .NET or the HTML engine, and a
# sound device that plays into nothing (wine's sound takes the environment of the first wine process).
export WINEPREFIX=$out/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
export ALSA_CONFIG_PATH=$test/alsa.conf
printf 'pcm.!default { type null }\n' >"$ALSA_CONFIG_PATH"
xvfb_pid=""
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
wineserver -k 2>/dev/null || true # one left by an earlier run has another environment
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    say "making wine's prefix (once)"
    timeout 300 wineboot --init >/dev/null 2>&1 || fail "wine could not make its prefix in $WINEPREFIX"
fi
# One wine server for every run below (each run would otherwise wait for it to end), and wine's own
# services started once with nothing to write to (a service started by a run keeps that run's output
# open, and a pipe from it would never end).
wineserver -p
timeout 120 wineboot </dev/null >/dev/null 2>&1 || fail "wine's services did not start"
# run SECONDS COMMAND...: its output and messages, through a file, without wine's CR line ends.
run() {
    timeout "$@" >"$test/run.log" 2>&1 </dev/null || true
    tr -d '\r' <"$test/run.log"
}

# The zip, unpacked into an empty folder: exactly the files a player gets.
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' \
    "$out/VeltranoGame2-windows-x64.zip" "$test/game" || fail "the zip cannot be unpacked"
shipped=$(cd "$test/game" && find . -type f | sort)
for file in VeltranoGame2.exe README.txt $(cat build/program-files.txt) Sounds/Shot.wav; do
    grep -qxF "./$file" <<<"$shipped" || fail "the zip has no $file"
done
[ "$(stat -c %s "$test/game/temp.dat")" = 44 ] && ! tr -d '\0' <"$test/game/temp.dat" | grep -q . ||
    fail "the zip's temp.dat is not 44 zero bytes"
build/tools-bin/assetgen --player-files "$test/shipped" >/dev/null
cmp -s "$test/game/VeltranoIni.ini" "$test/shipped/VeltranoIni.ini" || fail "the zip's ini is not the one shipped"

cd "$test/game"
[ "$(run 60 wine VeltranoGame2.exe --version)" = "$("$OLDPWD/build/bin/VeltranoGame2" --version)" ] ||
    fail "VeltranoGame2.exe --version does not print the version"
[ "$(run 60 wine VeltranoGame2.exe --help)" = "$("$OLDPWD/build/bin/VeltranoGame2" --help)" ] ||
    fail "VeltranoGame2.exe --help does not print the options"
cd "$OLDPWD"
say "--version and --help print what the desktop game prints"

# The game in a window on its own X server.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$test/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$test/display" ] && break; sleep 0.1; done
[ -s "$test/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$test/display")"
frames=5
(cd "$test/game" && VELTRANO_TEST_FRAMES="$frames $(winepath -w "$test/frames")" SDL_RENDER_DRIVER=software \
    exec timeout 120 wine VeltranoGame2.exe --window --scale 1 </dev/null >"$test/game.log" 2>&1) &
game_pid=$!
build/tools-bin/sim --frames "$frames" --every 1 --out "$test/native-frames" >/dev/null
window=""
for _ in $(seq 300); do
    window=$(xdotool search --name '^VeltranoGame2$' 2>/dev/null | head -1 || true)
    [ -n "$window" ] && [ -f "$test/frames/frame-$frames.bmp" ] && break
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended at the start: $(cat "$test/game.log")"
    sleep 0.2
done
[ -n "$window" ] || fail "the game opened no window in 60 s"
[ -f "$test/frames/frame-$frames.bmp" ] || fail "the game wrote no frames in 60 s"
xwininfo -id "$window" | grep -q 'Map State: IsViewable' || fail "the game's window is not shown"
python3 tests/windows/same-frames.py "$test/frames" "$test/native-frames" "$frames" || fail "the title's first frames differ"

# Space skips the title's opening, then leaves the title, then starts stage 1 from the ship select.
# press KEY SECONDS: holds KEY down for SECONDS.
timeout 20 xdotool windowfocus --sync "$window" || fail "the game's window cannot take the keyboard"
press() {
    xdotool keydown "$1" && sleep "$2" && xdotool keyup "$1" && sleep 0.5
}
# Fire held for eight seconds of stage 1 scores; Escape then closes the game, which keeps the score.
press space 1.5 && press space 1.5 && press space 1 && press x 8 || fail "xdotool cannot press keys"
press Escape 0
for _ in $(seq 150); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.2; done
kill -0 "$game_pid" 2>/dev/null && fail "Escape did not close the game in 30 s"
status=0
wait "$game_pid" || status=$?
game_pid=""
[ "$status" = 0 ] || fail "the game ended with status $status: $(cat "$test/game.log")"
said=$(grep '^VeltranoGame2:' "$test/game.log" || true)
[ -z "$said" ] || fail "the game reported a fault: $said"
# Beside the game: what the zip held, the score table written by this run and its recording.
left=$(cd "$test/game" && find . -type f | sort)
[ "$left" = "$(printf '%s\n' "$shipped" ./last.vgr | sort)" ] ||
    fail "the folder holds other files than the zip's and last.vgr: $(diff <(echo "$shipped") <(echo "$left") || true)"
trace=$(build/tools-bin/sim --replay "$test/game/last.vgr" --verify --trace) ||
    fail "the Windows game's recording does not verify on the desktop: $(tail -1 <<<"$trace")"
awk '$2 == 2 { found = 1 } END { exit !found }' <<<"$trace" || fail "the game recorded did not reach stage 1"
# The score table: the cleared flag, then the ten best scores, each a 32-bit little-endian number.
score=$(sed -nE 's/^replay ok: [0-9]+ frames, score ([0-9]+)$/\1/p' <<<"$trace")
best=$(od -A n -t d4 -j 4 -N 4 "$test/game/temp.dat" | tr -d ' ')
[ "$(stat -c %s "$test/game/temp.dat")" = 44 ] && [ -n "$score" ] && [ "$score" -gt 0 ] && [ "$best" = "$score" ] ||
    fail "temp.dat does not hold the game's score ${score:-?} as the best (it holds ${best:-nothing})"
say "the title's first $frames frames are the desktop's; Space started stage 1; Escape closed it and temp.dat holds its score $score"

# Every golden replay: the Windows sim's result line is the desktop's, two at a time.
verdicts() {
    mkdir -p "$test/verdicts-$2"
    ls tests/golden/*.vgr | xargs -P "$(nproc)" -I{} sh -c \
        "$1 --replay {} --verify </dev/null >'$test/verdicts-$2/'\$(basename {}) 2>&1; true"
    for file in "$test/verdicts-$2"/*.vgr; do echo "$(basename "$file") $(tr -d '\r' <"$file" | tail -1)"; done
}
native=$(verdicts build/tools-bin/sim native)
windows=$(verdicts "timeout 600 wine $out/cmake/tools-bin/sim.exe" windows)
[ "$windows" = "$native" ] || fail "golden replays differ on Windows: $(diff <(echo "$native") <(echo "$windows") || true)"
say "$(wc -l <<<"$windows") golden replays verified by the Windows sim with the desktop's result"

# The unit tests built for Windows.
(cd "$out/cmake" && timeout 600 wine bin/veltrano_tests.exe --gtest_brief=1 </dev/null >"$test/unit-tests.log" 2>&1) ||
    fail "the Windows unit tests failed: $(tr -d '\r' <"$test/unit-tests.log" | grep -E 'FAILED|Failure|error' | head -20)"
say "$(tr -d '\r' <"$test/unit-tests.log" | grep -E '^\[  PASSED  \]' || echo 'unit tests passed')"
