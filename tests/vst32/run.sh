#!/usr/bin/env bash
# run.sh BUILD_DIR [build-only]: builds the VST 2.4 effect base classes and their tests for
# 32-bit x86 and runs them (unless build-only); exits non-zero when anything fails.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?usage: run.sh BUILD_DIR}
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j"$(nproc)" --target zarn_vst32_tests
if [ "${2:-}" != build-only ]; then
    ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 300
fi
