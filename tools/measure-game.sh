#!/usr/bin/env bash
# Measures the game itself (build/pomelane) under Xvfb with Mesa's llvmpipe, 640 x 480 in a
# window, music on, mixed by SDL's dummy audio driver:
#   start-up: from launch to the first presented picture (the loading notice) and to the first
#             presented title frame, assets built, RUNS times;
#   title:    processor use while the game waits at the title menu, per thread, over 10 s;
#   round:    resident memory while a round is played (menus by key, a shot taken).
# Keys reach the window through XTEST (xdotool). Nothing is written in build/assets.
# usage: tools/measure-game.sh [BUILD-DIR]      (RUNS=5 by default; SHOT=FILE.png keeps a
#        screenshot of the round)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
runs=${RUNS:-5}
work=$(mktemp -d)
xvfb=""
game=""
cleanup() {
  [ -n "$game" ] && kill "$game" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

cc -shared -fPIC -O2 -o "$work/swap_probe.so" tools/measure/swap_probe.c -ldl
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdotool getdisplaygeometry > /dev/null 2>&1 && break; sleep 0.1; done
mkdir "$work/run"
for d in XFile bitmap Wave Mid; do ln -s "$build/assets/$d" "$work/run/$d"; done
export SDL_AUDIODRIVER=dummy

launch() {  # starts the game in the run folder; sets $game and $t0
  printf '1 0\n' > "$work/run/data.txt"  # a window, music on
  rm -f "$work/probe"
  t0=$(date +%s.%N)
  (cd "$work/run" && LD_PRELOAD="$work/swap_probe.so" POMELANE_PROBE="$work/probe" exec "$build/pomelane") \
    > /dev/null 2> "$work/err.txt" &
  game=$!
}
stop() {
  kill "$game" 2>/dev/null || true
  wait "$game" 2>/dev/null || true
  game=""
}
swap_time() {  # N -> seconds from launch, waiting up to 20 s
  for _ in $(seq 2000); do
    local t
    t=$(awk -v n="$1" '$1 == "swap" && $2 == n { print $3 }' "$work/probe" 2>/dev/null)
    [ -n "$t" ] && { awk -v a="$t" -v b="$t0" 'BEGIN { print a - b }'; return; }
    sleep 0.01
  done
  echo "none"
}

echo "== start-up (load $(cut -d' ' -f1-3 /proc/loadavg))"
for i in $(seq "$runs"); do
  launch
  first=$(swap_time 1)
  title=$(swap_time 2)
  stop
  printf 'run %d: first picture %.3f s, first title frame %.3f s\n' "$i" "$first" "$title"
done

# Processor time of each thread of the game, in clock ticks: "name ticks" lines.
thread_ticks() {
  for t in /proc/"$game"/task/*; do
    awk '{ sub(/^[0-9]+ \(/, ""); name = $0; sub(/\).*/, "", name); rest = $0; sub(/^[^)]*\) /, "", rest);
           split(rest, f, " "); print name, f[12] + f[13] }' "$t/stat" 2>/dev/null
  done | awk '{ n = $1; for (i = 2; i < NF; i++) n = n "_" $i; ticks[n] += $NF } END { for (n in ticks) print n, ticks[n] }'
}

echo "== title menu, 10 s (load $(cut -d' ' -f1-3 /proc/loadavg))"
launch
sleep 12  # the opening has played; the title menu waits
thread_ticks | sort > "$work/ticks0"
sleep 10
thread_ticks | sort > "$work/ticks1"
hz=$(getconf CLK_TCK)
join -a2 -e 0 -o 0,1.2,2.2 "$work/ticks0" "$work/ticks1" |
  awk -v hz="$hz" '{ cpu = ($3 - $2) / hz / 10 * 100; total += cpu; printf "  thread %-16s %5.1f %% of a core\n", $1, cpu }
                   END { printf "  whole process    %5.1f %% of a core\n", total }'
wid=$(xdotool search --name '^Pomelane$' | head -1)
echo "  window $(xdotool getwindowgeometry "$wid" | awk '/Geometry/ { print $2 }')"

echo "== a round (load $(cut -d' ' -f1-3 /proc/loadavg))"
xdotool windowfocus "$wid" 2>/dev/null || true
key() { xdotool key --delay 60 "$1"; sleep "${2:-1}"; }
# Title menu -> players -> character -> mode -> stage -> the round on the stairs.
for _ in 1 2 3 4 5; do key z; done
sleep 8
peak=0
sample() { awk '/^VmRSS/ { print $2 }' /proc/"$game"/status; }
for k in z z z z; do key "$k" 1.5; r=$(sample); [ "$r" -gt "$peak" ] && peak=$r; done
for _ in $(seq 10); do sleep 0.5; r=$(sample); [ "$r" -gt "$peak" ] && peak=$r; done
hwm=$(awk '/^VmHWM/ { print $2 }' /proc/"$game"/status)
[ -n "${SHOT:-}" ] && import -window root "$SHOT"  # what the round looked like
grep -E '^Rss(Anon|File|Shmem)' /proc/"$game"/status | awk '{ printf "  %s %d MiB\n", $1, $2 / 1024 }'
echo "  the largest parts, resident MiB:"
awk '/^[0-9a-f]+-[0-9a-f]+ / { name = $6 == "" ? "[anonymous]" : $6 } /^Rss:/ { rss[name] += $2 }
     END { for (n in rss) printf "%8.1f %s\n", rss[n] / 1024, n }' /proc/"$game"/smaps | sort -rn | head -8 | sed 's/^/  /'
echo "  resident now $(sample) KiB, highest sampled $peak KiB, high-water mark $hwm KiB ($((hwm / 1024)) MiB)"
key Escape 1
key z 2
if kill -0 "$game" 2>/dev/null; then echo "  (still running after Escape, Z)"; stop; else wait "$game" || true; game=""; fi
echo "  data.txt after the exit: $(cat "$work/run/data.txt")"
grep -v '^$' "$work/err.txt" | head -5 | sed 's/^/  stderr: /'
