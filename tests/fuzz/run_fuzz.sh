#!/usr/bin/env bash
# Runs one fuzz target for a bounded time from a seed corpus of asset files.
# usage: run_fuzz.sh FUZZER SECONDS SEED-TREE GLOB...
#   FUZZ_CORPUS=DIR   keep the corpus there (longer runs by hand); a temporary one otherwise
#   FUZZ_ARGS="..."   more libFuzzer options, e.g. -jobs=2 -workers=2
# Findings are written beside the fuzzer in fuzz-artifacts/. The game's own one-line messages
# about damaged input are left out of the log.
set -uo pipefail
fuzzer=$1 seconds=$2 seeds=$3
shift 3
name=$(basename "$fuzzer")
# Scratch files in memory where there is a memory file system: the loaders read a file a run.
work=$(mktemp -d -p "$( [ -d /dev/shm ] && echo /dev/shm || echo /tmp)")
trap 'rm -rf "$work"' EXIT
corpus=${FUZZ_CORPUS:-$work/corpus}
mkdir -p "$corpus"
for glob in "$@"; do
  for f in "$seeds"/$glob; do
    [ -f "$f" ] && [ "$(stat -c %s "$f")" -le 65536 ] && cp "$f" "$corpus/seed-$(basename "$f")"
  done
done
options=()
dict="$(dirname "$0")/${name#fuzz_}.dict"
[ -f "$dict" ] && options+=("-dict=$dict")
artifacts="$(dirname "$fuzzer")/fuzz-artifacts"
mkdir -p "$artifacts"
export TMPDIR=$work
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
# shellcheck disable=SC2086
"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=1024 \
  -print_final_stats=1 -artifact_prefix="$artifacts/$name-" "${options[@]}" ${FUZZ_ARGS:-} "$corpus" 2>&1 |
  grep -av '^pomelane: \|^LoadXMesh: '
exit "${PIPESTATUS[0]}"
