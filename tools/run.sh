#!/usr/bin/env bash
# run.sh: installs what is missing, builds zarN and starts the standalone program in its folder,
# which holds "GUI Resource" and "presets.xml".
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/tools/install-deps.sh"
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$here/build" -j"$(nproc)"
cd "$here/build/standalone"
exec ./Zarn "$@"
