#!/usr/bin/env bash
# panel-look.sh OUT.png [BUILD_DIR]: builds the artwork and the panel renderer, then draws the
# whole panel (background and every widget at its place) into OUT.png.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "$1")
build=${2:-$here/build}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$build" -j"$(nproc)" --target zarn_panel_look
"$build/tools/panel-look/zarn_panel_look" "$build/standalone/GUI Resource" "$out"
echo "$out"
