#!/usr/bin/env bash
# data.txt when the folder refuses the write: the game runs in a small memory file system
# that is full, then one that is read-only, then with a file size limit of 0 (the process is
# killed by SIGXFSZ in the middle of the write). Each time the settings that were there
# ("1 1": window, music off) must survive whole; the first two must still exit cleanly and say
# why on stderr. Mounting needs root: without it the case is skipped and says so.
# usage: data_txt_faults.sh DRIVER ASSETS
set -uo pipefail
driver=$1 assets=$2
work=$(mktemp -d)
mounted=""
cleanup() {
  [ -n "$mounted" ] && umount "$mounted" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
script="$work/quit.script"
printf '30 message escape\n100 tap Z\n' > "$script"

prepare() {  # DIR
  for d in XFile bitmap Wave Mid; do ln -s "$assets/$d" "$1/$d"; done
  printf '1 1\n' > "$1/data.txt"
}

check() {  # NAME DIR RC WANT-CLEAN-EXIT
  local problems=""
  [ "$(cat "$2/data.txt")" = "1 1" ] || problems+=" data.txt is now '$(cat "$2/data.txt" 2>/dev/null)';"
  if [ "$4" = yes ]; then
    [ "$3" -eq 0 ] || problems+=" driver exit $3;"
    grep -q "cannot" "$work/err.txt" || problems+=" nothing said on stderr;"
  fi
  if [ -n "$problems" ]; then
    echo "FAIL $1:$problems"
    sed 's/^/    /' "$work/err.txt" | tail -5
    failures=$((failures + 1))
  else
    echo "ok   $1: $(grep -m1 'data.txt' "$work/err.txt" || echo "exit status $3")"
  fi
}

run() {  # DIR -> rc
  local rc=0
  "$driver" --assets "$1" "$script" > /dev/null 2> "$work/err.txt" || rc=$?
  echo $rc
}

# Full: 64 KiB, filled to the last block once the settings are in place.
mkdir "$work/full"
if mount -t tmpfs -o size=64k tmpfs "$work/full" 2>/dev/null; then
  mounted="$work/full"
  prepare "$work/full"
  dd if=/dev/zero of="$work/full/filler" bs=4k 2>/dev/null
  check "full folder" "$work/full" "$(run "$work/full")" yes
  [ -e "$work/full/data.txt.tmp" ] && { echo "FAIL full folder: data.txt.tmp left behind"; failures=$((failures + 1)); }
  umount "$work/full" && mounted=""

  # Read-only.
  mkdir "$work/ro"
  mount -t tmpfs -o size=64k tmpfs "$work/ro" && mounted="$work/ro"
  prepare "$work/ro"
  mount -o remount,ro "$work/ro"
  check "read-only folder" "$work/ro" "$(run "$work/ro")" yes
  umount "$work/ro" && mounted=""
else
  echo "skip full and read-only folders: cannot mount a tmpfs here (needs root)"
fi

# Killed during the write: with no file allowed to grow, the first byte written to the
# temporary file kills the driver (SIGXFSZ); the empty temporary file shows where it died.
mkdir "$work/killed"
prepare "$work/killed"
rc=0
(ulimit -f 0; exec "$driver" --assets "$work/killed" "$script" > /dev/null 2> /dev/null) || rc=$?
: > "$work/err.txt"
if [ $rc -ne $((128 + 25)) ] || [ ! -e "$work/killed/data.txt.tmp" ]; then
  echo "FAIL killed: exit $rc, not killed by the size limit in the write of data.txt.tmp"
  failures=$((failures + 1))
fi
check "killed during the write" "$work/killed" "$rc" no

echo "$failures failed"
[ $failures -eq 0 ]
