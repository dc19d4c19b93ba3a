#!/bin/sh
# Script mode and the replay's check on the input a player can hand them: a pipe that never
# ends, standard input closed or a folder, a script saved with a byte-order mark, a file name
# that is not UTF-8, and a long script. Each case: the exit status, standard output and standard
# error, literally.
# Usage: script_input_check.sh GAME
game=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LC_ALL=C
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
no_window="quillon: no display to open the game's window on (neither DISPLAY nor WAYLAND_DISPLAY is set); run it on a desktop, or play without a window with --script FILE"
failures=0 checks=0

# expect NAME STATUS OUT ERR: what the last run left in $work/out, $work/err and $status.
expect() {
  checks=$((checks + 1))
  printf '%b' "$3" > "$work/want.out"
  printf '%b' "$4" > "$work/want.err"
  if [ "$status" != "$2" ] || ! cmp -s "$work/out" "$work/want.out" ||
     ! cmp -s "$work/err" "$work/want.err"; then
    echo "FAIL $1: status $status (want $2)"
    echo "--- stdout"; head -c 400 "$work/out"; echo "--- want"; cat "$work/want.out"
    echo "--- stderr"; head -c 400 "$work/err"; echo "--- want"; cat "$work/want.err"
    failures=$((failures + 1))
  fi
}

# The game ends at the third line; what comes after it is never read to its end, so a pipe that
# never closes ends with the game (a game still reading is killed after 20 s: status 124).
escape='wait 1600\nclick connect Picture1\nkey 27\n'
(printf "$escape"; yes screens) | timeout 20 "$game" --script - > "$work/out" 2> "$work/err"
status=$?
expect "a pipe that goes on after the end" 0 "ended\n" "quillon: lines after the end were not read\n"
printf "${escape}screens\n" > "$work/after.qs"
"$game" --script "$work/after.qs" > "$work/out" 2> "$work/err"; status=$?
expect "a file that goes on after the end" 0 "ended\n" "quillon: lines after the end were not read\n"
printf "$escape" | "$game" --script - > "$work/out" 2> "$work/err"; status=$?
expect "a script that ends with the game" 0 "ended\n" ""
printf "${escape}\n" | "$game" --script - > "$work/out" 2> "$work/err"; status=$?
expect "one blank line after the end" 0 "ended\n" ""

# Standard input that cannot be read is told, as a file that cannot be read is.
"$game" --script - <&- > "$work/out" 2> "$work/err"; status=$?
expect "standard input closed" 2 "" "quillon: cannot read standard input\n"
"$game" --script - < "$work" > "$work/out" 2> "$work/err"; status=$?
expect "standard input a folder" 2 "" "quillon: cannot read standard input\n"
printf 'print start.Visible\n' | "$game" --script - > "$work/out" 2> "$work/err"; status=$?
expect "standard input a pipe" 0 "start.Visible=True\n" ""

# A refused line is told as every message of the game is; the output before it stays.
printf 'print start.Visible\nscreens now\nscreens\n' | "$game" --script - > "$work/out" 2> "$work/err"
status=$?
expect "a refused line" 2 "start.Visible=True\n" \
  "quillon: line 2: screens takes nothing after it, not 'now'\n"

# A byte-order mark at the start is skipped; anywhere else it is refused as any other byte.
printf '\357\273\277# saved with a mark\nprint start.Visible\n' > "$work/mark.qs"
"$game" --script "$work/mark.qs" > "$work/out" 2> "$work/err"; status=$?
expect "a byte-order mark" 0 "start.Visible=True\n" ""
printf '\357\273\277print start.Visible\r\n' | "$game" --script - > "$work/out" 2> "$work/err"
status=$?
expect "a byte-order mark before a command" 0 "start.Visible=True\n" ""
printf 'print start.Visible\n\357\273\277screens\n' > "$work/mark-later.qs"
"$game" --script "$work/mark-later.qs" > "$work/out" 2> "$work/err"; status=$?
expect "a byte-order mark on line 2" 2 "start.Visible=True\n" \
  "quillon: line 2: unknown command '$(printf '\357\273\277')screens'\n"
"$game" --replay "$work/mark.qs" > "$work/out" 2> "$work/err"; status=$?
expect "a replay of a script with a byte-order mark" 1 "" "$no_window\n"

# A file name that is not UTF-8 names the file of those bytes.
name=$(printf 'hra-\350.qs')
printf 'wait 10\njump\n' > "$work/$name"
"$game" --replay "$work/$name" > "$work/out" 2> "$work/err"; status=$?
expect "a replay of a name that is not UTF-8" 2 "" \
  "quillon: cannot replay $work/$name: line 2: unknown command 'jump'\n"
"$game" --script "$work/$name" > "$work/out" 2> "$work/err"; status=$?
expect "script mode on a name that is not UTF-8" 2 "" "quillon: line 2: unknown command 'jump'\n"
printf 'wait 10\n' > "$work/$name"
"$game" --replay "$work/$name" > "$work/out" 2> "$work/err"; status=$?
expect "a replay of a good script of a name that is not UTF-8" 1 "" "$no_window\n"

# The replay's check runs the whole script before any window opens, and keeps none of its
# output: 10 MB of `screens` would print 70 MB. Its memory stays that of script mode, which
# streams its output.
if [ -x /usr/bin/time ]; then
  yes screens | head -n 1250000 > "$work/long.qs"
  for mode in --script --replay; do
    /usr/bin/time -f '%M' -o "$work/$mode.kb" "$game" $mode "$work/long.qs" > /dev/null 2>&1
  done
  checks=$((checks + 1))
  script_kb=$(tail -n 1 "$work/--script.kb") replay_kb=$(tail -n 1 "$work/--replay.kb")
  if [ "$replay_kb" -gt $((script_kb + 20000)) ]; then
    echo "FAIL the replay's check of a long script: ${replay_kb} kB, script mode ${script_kb} kB"
    failures=$((failures + 1))
  fi
fi

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
