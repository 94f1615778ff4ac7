#!/usr/bin/env bash
# Installs what is missing, builds the game, its assets and its tests, and runs every test:
# unit and end-to-end tests, the display tests under xvfb-run, the long soak runs on a build
# with AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzz targets for a few
# seconds each on a clang build with both (FUZZ_SECONDS, default 15).
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
# Fuzz targets: libFuzzer needs clang; the seeds come from the asset tree built above.
configure build-fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DPOMELANE_SANITIZE=ON \
  -DPOMELANE_FUZZ=ON -DPOMELANE_FUZZ_SECONDS="${FUZZ_SECONDS:-15}" -DPOMELANE_FUZZ_SEEDS="$PWD/build/assets"
cmake --build build-fuzz --target fuzz_targets
(cd build-fuzz && ctest -L fuzz --output-on-failure -j2) || status=1
exit $status
