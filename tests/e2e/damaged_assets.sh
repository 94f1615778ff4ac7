#!/usr/bin/env bash
# The game with its asset tree missing, and with every file of one kind truncated to half,
# emptied, or replaced by garbage (each byte turned by 128: no header, no text survives):
# each run starts at the opening, goes through the menus into a round on the stairs, takes a
# shot, quits with Escape, and must exit cleanly having written data.txt. What the game said
# on stderr is shown for each case.
# usage: damaged_assets.sh DRIVER ASSETS SCRIPT
set -uo pipefail
driver=$1 assets=$2 script=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

damage() {  # HOW FILE
  case $1 in
    truncated) head -c $(( $(stat -c %s "$2") / 2 )) "$2" > "$2.new" ;;
    empty) : > "$2.new" ;;
    garbage) LC_ALL=C tr '\000-\377' '\200-\377\000-\177' < "$2" > "$2.new" ;;
  esac
  mv "$2.new" "$2"
}

run_case() {  # NAME KIND HOW (KIND "" for a tree with no asset folders)
  local name=$1 kind=$2 how=$3 run="$work/$1"
  mkdir -p "$run"
  if [ -n "$kind" ]; then
    for d in XFile bitmap Wave Mid; do
      if [ "$d" = "$kind" ]; then
        cp -r "$assets/$d" "$run/$d"
        while IFS= read -r -d '' f; do damage "$how" "$f"; done < <(find "$run/$d" -type f -print0)
      else
        ln -s "$assets/$d" "$run/$d"
      fi
    done
  fi
  local rc=0
  (cd "$run" && "$driver" --assets "$run" --state "$run/final.json" "$script" > "$run/out.txt" 2> "$run/err.txt") || rc=$?
  local problems=""
  [ $rc -eq 0 ] || problems+=" driver exit $rc;"
  grep -q '"Mode":1' "$run/round.json" 2>/dev/null || problems+=" no round was reached;"
  # The shot rests (the next stroke is counted), or with no stage to land on the can flies on.
  grep -Eq '"Dasu":\[2, 0, 0\]|"ShotFlg":6' "$run/round.json" 2>/dev/null || problems+=" no shot was taken;"
  [ "$(cat "$run/data.txt" 2>/dev/null)" = "0 0" ] || problems+=" data.txt not written;"
  local said
  said=$(sort -u "$run/err.txt" | wc -l)
  if [ -n "$problems" ]; then
    echo "FAIL $name:$problems"
    sed 's/^/    /' "$run/err.txt" | head -20
    failures=$((failures + 1))
  else
    echo "ok   $name ($said distinct lines on stderr, e.g.: $(head -1 "$run/err.txt"))"
  fi
  [ -n "$kind" ] && [ "$said" -eq 0 ] && { echo "FAIL $name: nothing said about the damage"; failures=$((failures + 1)); }
  rm -rf "$run"
}

run_case missing-tree "" ""
for kind in XFile bitmap Wave Mid; do
  for how in truncated empty garbage; do run_case "$kind-$how" "$kind" "$how"; done
done
echo "$failures failed"
[ $failures -eq 0 ]
