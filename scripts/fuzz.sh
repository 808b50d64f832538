#!/usr/bin/env bash
# Fuzzes every target in tests/fuzz for a bounded time with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer:   bash scripts/fuzz.sh [SECONDS_PER_TARGET (default 60)] [NAME...]
# New inputs go to build-fuzz/corpus/<Name>/ (the checked-in corpus is only read); a crash leaves its
# input in build-fuzz/crashes/. Exits with status 1 when any target failed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh fuzz
seconds=${1:-60}
shift || true
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
    for source in tests/fuzz/Fuzz*.cpp; do
        name=$(basename "$source" .cpp)
        names+=("${name#Fuzz}")
    done
fi

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRANO_FUZZ=ON \
    -DVELTRANO_BUILD_GAME=OFF -DVELTRANO_BUILD_BENCH=OFF -DVELTRANO_LTO=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${names[@]/#/fuzz_}"

suppressions="$PWD/scripts/lsan.supp"
mkdir -p build-fuzz/crashes
failed=()
for name in "${names[@]}"; do
    mkdir -p "build-fuzz/corpus/$name"
    echo "== $name: ${seconds} s"
    if ! ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$suppressions" \
        "build-fuzz/fuzz-bin/fuzz_$name" -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=2048 \
        -timeout=10 -print_final_stats=1 -artifact_prefix="build-fuzz/crashes/$name-" \
        "build-fuzz/corpus/$name" "tests/fuzz/corpus/$name" 2> "build-fuzz/$name.log"; then
        failed+=("$name")
        tail -30 "build-fuzz/$name.log"
    fi
    grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb" "build-fuzz/$name.log" || true
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzzing failed: ${failed[*]} (inputs in build-fuzz/crashes/)"
    exit 1
fi
echo "fuzzing found nothing in ${#names[@]} targets"
