#!/usr/bin/env bash
# Pomelane beside Neverball, a different game of the same kind on the same SDL2 + OpenGL
# stack, as a measuring stick: both under one Xvfb with Mesa's llvmpipe, 640 x 480 in a
# window, vsync off, one after the other in the same run, rendering as fast as they can.
#   Neverball: its title screen (a recorded ball run plays behind the menu), with `stats 1`
#              printing frames per second once a second; the mean of the seconds after the
#              first two.
#   Pomelane:  the script driver on the OpenGL device playing the stairs round from the start
#              point into the goal (tests/e2e/scripts/round_stage0.script: aiming, gauges,
#              five shots with their effects), every pass a frame (the fake clock lets each
#              one run): frames / wall seconds.
# Prints both figures and their ratio. Neverball is not a dependency of the game: install it
# for this comparison only (apt-get install neverball).
# usage: tools/compare-neverball.sh [BUILD-DIR]      (SECONDS=20 for Neverball's run)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
seconds=${SECONDS_NEVERBALL:-${SECONDS:-20}}
neverball=$(command -v neverball || echo /usr/games/neverball)
[ -x "$neverball" ] || { echo "neverball is not installed (apt-get install neverball)"; exit 2; }
work=$(mktemp -d)
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display SDL_AUDIODRIVER=dummy
for _ in $(seq 50); do xdotool getdisplaygeometry > /dev/null 2>&1 && break; sleep 0.1; done
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"

# Neverball, with a settings file of its own in a private home.
mkdir -p "$work/home/.neverball"
printf 'fullscreen 0\nwidth 640\nheight 480\nvsync 0\nstats 1\n' > "$work/home/.neverball/neverballrc"
HOME="$work/home" timeout -s INT "$seconds" "$neverball" > "$work/neverball.txt" 2>&1 || true
nb=$(awk 'NF == 2 && $1 ~ /^[0-9]+$/ && $2 ~ /^[0-9.]+$/ { if (++n > 2) { sum += $1; k++ } }
          END { if (k) printf "%.1f", sum / k; else print "none" }' "$work/neverball.txt")

# Pomelane through the script driver, in a private copy of the asset tree.
mkdir "$work/run"
for d in XFile bitmap Wave Mid; do ln -s "$build/assets/$d" "$work/run/$d"; done
script=tests/e2e/scripts/round_stage0.script
frames=$(awk '$1 ~ /^[0-9]+$/ { last = $1 } END { print last }' "$script")
t0=$(date +%s.%N)
"$build/pomelane-script" --gl --assets "$work/run" --state "$work/state.json" "$script" > /dev/null 2>&1
t1=$(date +%s.%N)
grep -q '"FinishFlg":1' "$work/state.json" || echo "(the round did not finish as scripted)"
pm=$(awk -v f="$frames" -v a="$t0" -v b="$t1" 'BEGIN { printf "%.1f", f / (b - a) }')

echo "load after:  $(cut -d' ' -f1-3 /proc/loadavg)"
echo "Neverball, title screen:      $nb frames per second"
echo "Pomelane, a round on stage 0: $pm frames per second ($frames frames)"
awk -v p="$pm" -v n="$nb" 'BEGIN { if (n + 0 > 0) printf "ratio Pomelane / Neverball: %.2f\n", p / n }'
