#!/usr/bin/env bash
# Runs one driver script in a private copy of the asset tree (so each run has its own
# data.txt) and checks the results against the script's check lines:
#   #expect TEXT      TEXT appears in the final state dump, e.g. #expect "FinishFlg":1
#   #data TEXT        data.txt holds exactly TEXT and a line feed after the run
#   #given-data TEXT  data.txt holds TEXT before the run
# usage: run_script.sh DRIVER SCRIPT ASSETS [driver options...]
set -uo pipefail
driver=$1 script=$2 assets=$3
shift 3
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
mkdir "$out/run"
for d in XFile bitmap Wave Mid; do
  [ -e "$assets/$d" ] && ln -s "$assets/$d" "$out/run/$d"
done
given=$(sed -n 's/^#given-data //p' "$script")
[ -n "$given" ] && printf '%s\n' "$given" > "$out/run/data.txt"
"$driver" --assets "$out/run" "$@" --state "$out/state.json" "$script" || { echo "driver failed"; exit 1; }
status=0
while IFS= read -r want; do
  grep -qF -- "$want" "$out/state.json" || { echo "missing in state: $want"; status=1; }
done < <(sed -n 's/^#expect //p' "$script")
while IFS= read -r want; do
  [ "$(cat "$out/run/data.txt" 2>/dev/null)" = "$want" ] || {
    echo "data.txt is '$(cat "$out/run/data.txt" 2>/dev/null)', wanted '$want'"; status=1; }
done < <(sed -n 's/^#data //p' "$script")
[ $status -eq 0 ] || { echo "state:"; cat "$out/state.json"; echo; }
exit $status
