#!/usr/bin/env bash
# run.sh BUILD_DIR [SECONDS]: builds the timbre file reader's fuzz target and runs it for
# SECONDS (60) from the seeds: every hostile file in tests/hostile and the shipped presets.
# Exits non-zero when the fuzzer finds a crash, a sanitizer report, a slow input or a leak.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=${1:?usage: run.sh BUILD_DIR [SECONDS]}
seconds=${2:-60}
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j"$(nproc)"

# New inputs go to a scratch corpus, never into the seeds; findings land in the build folder.
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp "$repo"/tests/hostile/*.xml "$repo/timbre/presets.xml" "$corpus/"
mkdir -p "$build/findings"
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/zarn_timbre_fuzz" -max_total_time="$seconds" -timeout=5 -max_len=32768 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build/findings/" "$corpus"
