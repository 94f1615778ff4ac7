#!/usr/bin/env bash
# Installs what is missing, builds the game, its assets and its tests, and runs every test:
# unit and end-to-end tests, the display tests under xvfb-run, and the long soak runs on a
# build with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
configure() {  # DIR [cmake options...]
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@" >/dev/null
}
configure build
cmake --build build
status=0
(cd build && ctest -LE 'gl|soak|fuzz' --output-on-failure -j2) || status=1
(cd build && xvfb-run -a -s "-screen 0 1024x768x24" ctest -L gl --output-on-failure) || status=1

if [ -n "$(ls tests/e2e/scripts/*.soak.script 2>/dev/null)" ]; then
  configure build-asan -DPOMELANE_SANITIZE=ON
  cmake --build build-asan --target pomelane-script assets
  (cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest -L soak --output-on-failure -j2) || status=1
fi
exit $status
