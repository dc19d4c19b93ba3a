#!/bin/sh
# Recording files as a player names them on the command line: a file the game must not record
# into is refused with one line and status 2 before any window opens (here there is no display
# at all, which would end with status 1); a device and a name that is not UTF-8 are recorded
# into, in a window drawn off screen that closes after its first frame.
#   record_check.sh GAME DATA_FOLDER
game=$1
data=$2
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
mkdir -m 700 runtime data && cp "$data/ip.dat" "$data/about.dat" data/ || exit 1
export XDG_RUNTIME_DIR=$work/runtime LC_ALL=C QUILLON_DATA_DIR=$work/data

failed=0
# check NAME STATUS ERRORS GAME_ARGUMENTS...: the game's status and standard error, literally.
check() {
  name=$1 status=$2 errors=$3
  shift 3
  "$game" "$@" >out 2>err
  got=$?
  if [ "$got" != "$status" ] || [ "$(cat err)" != "$errors" ]; then
    printf '%s: status %s (expected %s)\n--- errors\n%s\n--- expected\n%s\n' \
      "$name" "$got" "$status" "$(cat err)" "$errors"
    failed=1
  fi
}
fail() {
  echo "$1"
  failed=1
}

# No display: a refusal must come first.
(
  unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
  check own_sound 2 "quillon: cannot record the game to data/../data/./ip.dat: it is one of \
the game's own sound files" --record data/../data/./ip.dat
  cmp -s data/ip.dat "$data/ip.dat" || fail "own_sound: the sound was written over"
  ln -s data/about.dat other-name.qs
  check own_sound_by_link 2 "quillon: cannot record the game to other-name.qs: it is one of \
the game's own sound files" --record other-name.qs
  cmp -s data/about.dat "$data/about.dat" || fail "own_sound_by_link: the sound was written over"

  # Another game holds the file (flock(1) holds it as a recording game does).
  printf 'wait 100\n' >held.qs
  flock held.qs "$game" --record held.qs >out 2>err
  got=$?
  [ "$got" = 2 ] && [ "$(cat err)" = "quillon: cannot record the game to held.qs: another game \
is recording into it" ] || fail "held: status $got, errors: $(cat err)"
  [ "$(cat held.qs)" = "wait 100" ] || fail "held: the other game's recording was emptied"
  exit $failed
) || failed=1

# A window off screen that closes after its first frame.
export QT_QPA_PLATFORM=offscreen QUILLON_QUIT_AFTER_FIRST_FRAME=1
check device 0 "" --record /dev/null
not_utf8=$(printf 'hra-\350.qs')
check not_utf8 0 "" --record "$not_utf8"
head -c 10 "$not_utf8" 2>/dev/null | grep -q '^# Quillon' || fail "not_utf8: no recording named hra-\\350.qs: $(ls)"
exit $failed
