#!/usr/bin/env bash
# Installs what is missing, builds the game and its assets, and starts it in the asset tree.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build build --target pomelane assets
cd build/assets
exec ../pomelane
