#!/usr/bin/env bash
# build-windows.sh [BUILD_DIR [NATIVE_BUILD_DIR]]: installs what is missing, then cross-builds the
# 32-bit Windows Zarn.exe (in BUILD_DIR/standalone) and zarNvst.dll (in BUILD_DIR/plugin), each
# beside its "GUI Resource" and "presets.xml", with MinGW-w64 from the project's own sources.
# A native build (NATIVE_BUILD_DIR, by default build/) gives the artwork generator, and the
# library, program and renderer that the Windows tests compare with: it is configured if need be
# and brought up to date. Then `ctest --test-dir BUILD_DIR` runs the Windows tests under Wine.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$here/build-windows}")
native=$(realpath -m "${2:-$here/build}")
bash "$here/tools/install-deps.sh" win32
if [ ! -f "$native/CMakeCache.txt" ]; then
    cmake -S "$here" -B "$native" -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$native" -j"$(nproc)" --target zarn_artwork zarNvst zarn_render_scenario Zarn
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/i686-w64-mingw32.cmake" \
    -DZARN_HOST_BUILD="$native"
cmake --build "$build" -j"$(nproc)"
