#!/bin/sh
# Script mode in the browser's build of the game, under node, against the native game: every
# example, screenshot script, fuzz seed and test script gives the same standard output, standard
# error and exit status, and so do standard input and the files that cannot be read.
# Usage: script_parity.sh NATIVE_GAME WEB_LAUNCHER SOURCE_DIR
native=$1 web=$2 source=$3
if [ ! -x "$web" ]; then
  echo "no browser build at $web (make web builds it)"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LC_ALL=C
failures=0 checks=0

# Runs both games with the same arguments and standard input and compares all they give back.
compare() {
  name=$1 input=$2
  shift 2
  "$native" "$@" < "$input" > "$work/native.out" 2> "$work/native.err"
  echo $? > "$work/native.status"
  "$web" "$@" < "$input" > "$work/web.out" 2> "$work/web.err"
  echo $? > "$work/web.status"
  checks=$((checks + 1))
  for part in out err status; do
    if ! cmp -s "$work/native.$part" "$work/web.$part"; then
      echo "FAIL $name: standard $part differs"
      diff "$work/native.$part" "$work/web.$part" | head -n 10
      failures=$((failures + 1))
      return
    fi
  done
}

for script in "$source"/examples/*.qs "$source"/docs/screenshots/*.qs "$source"/fuzz/seeds/*.qs \
              "$source"/tests/scripts/*.qs; do
  compare "$script" /dev/null --script "$script"
done
compare "the full game on standard input" "$source/examples/full-game.qs" --script -
compare "--script=FILE" /dev/null "--script=$source/examples/missions-1-2.qs"
compare "a file that is not there" /dev/null --script "$work/missing.qs"
compare "a folder" /dev/null --script "$work"
printf 'click start Nothing\nwait 10\n' > "$work/refused.qs"
compare "a refused click" /dev/null --script "$work/refused.qs"
printf 'wait 100\nexpect dny Label2 Caption 1.1.2011\n' > "$work/failed.qs"
compare "a failed expect" /dev/null --script "$work/failed.qs"
printf 'wait 10\n\377\376 garbage\n' > "$work/binary.qs"
compare "a line that is no UTF-8" /dev/null --script "$work/binary.qs"
compare "--version" /dev/null --version

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
