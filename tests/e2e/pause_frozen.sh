#!/usr/bin/env bash
# A paused round stands still: runs proof_pause_in_flight.script and checks that the dumps
# from just before the pause and from its start and end are the same, every counter and
# position included, and that the round moves again right after the restore.
# usage: pause_frozen.sh DRIVER ASSETS SCRIPT
set -uo pipefail
driver=$1 assets=$2 script=$3
run=$(mktemp -d)
trap 'rm -rf "$run"' EXIT
for d in XFile bitmap Wave Mid; do ln -s "$assets/$d" "$run/$d"; done
"$driver" --assets "$run" --state "$run/final.json" "$script" || { echo "driver failed"; exit 1; }
status=0
grep -q '"PauseFlg":1' "$run/paused-a.json" || { echo "not paused at the first dump"; status=1; }
for f in paused-a paused-b; do
  # The pause flag itself is the one field that may differ from the dump before the pause.
  diff <(sed 's/"PauseFlg":[01]//' "$run/before.json") <(sed 's/"PauseFlg":[01]//' "$run/$f.json") > /dev/null ||
    { echo "$f differs from before the pause:"; diff "$run/before.json" "$run/$f.json"; status=1; }
done
cmp -s "$run/paused-b.json" "$run/after.json" && { echo "nothing moved after the restore"; status=1; }
grep -q '"FinishFlg":1' "$run/final.json" || { echo "the can did not hole out after the pause"; status=1; }
[ $status -eq 0 ] && echo "frozen for the whole pause, moving again after it: $(grep -o '"turn":{[^}]*}' "$run/before.json")"
exit $status
