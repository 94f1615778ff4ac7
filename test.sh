#!/usr/bin/env bash
# Installs what is missing, builds the game, its assets and its tests, and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build build
cd build
status=0
ctest -LE 'gl|soak|fuzz' --output-on-failure -j2 || status=1
xvfb-run -a -s "-screen 0 1024x768x24" ctest -L gl --output-on-failure || status=1
exit $status
