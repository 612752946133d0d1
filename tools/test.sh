#!/usr/bin/env bash
# test.sh [BUILD_DIR [SANITIZER]]: installs what is missing, builds zarN and runs every test.
# SANITIZER is empty, "address" (with undefined behaviour) or "thread".
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
sanitize=${2:-}
bash "$here/tools/install-deps.sh"
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZARN_SANITIZE="$sanitize"
cmake --build "$build" -j"$(nproc)"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1 second_deadlock_stack=1 suppressions=$here/tests/support/tsan.supp}
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 600
