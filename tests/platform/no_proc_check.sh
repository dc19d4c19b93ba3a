#!/bin/sh
# Script mode where /proc is not mounted, so that the game's own folder cannot be known: its
# sounds come from QUILLON_DATA_DIR or from nowhere, never from the working directory, which
# here holds a sound of its own.
#   no_proc_check.sh GAME DATA_FOLDER
# Exits with 77 (skipped) where this machine does not let it mount a /proc of its own.
game=$1
data=$2
unshare -m sh -c 'mount -t tmpfs none /proc' 2>/dev/null || {
  echo "skipped: no mount namespace of its own here (it needs root)"
  exit 77
}
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
mkdir "$work/data" && cp "$data/ip.dat" "$work/data/" && cp "$data/ip.dat" "$work/" || exit 1
cd "$work" || exit 1

failed=0
# play NAME EXPECTED_OUTPUT EXPECTED_ERRORS: types an IP address, which plays a sound.
play() {
  printf 'click connect Picture1\ntype 15\nscreens\n' |
    unshare -m sh -c 'mount -t tmpfs none /proc && exec "$0" --script -' "$game" >out 2>err
  status=$?
  if [ "$status" != 0 ] || [ "$(cat out)" != "$2" ] || [ "$(cat err)" != "$3" ]; then
    printf '%s: status %s\n--- output\n%s\n--- expected\n%s\n--- errors\n%s\n--- expected\n%s\n' \
      "$1" "$status" "$(cat out)" "$2" "$(cat err)" "$3"
    failed=1
  fi
}

screens='ip connect start Programy Statistika dny board back'
unset QUILLON_DATA_DIR
play no_sounds "screens: error $screens" "quillon: no sounds: the game's own folder cannot be \
known (/proc is not mounted); set QUILLON_DATA_DIR to the folder of its sounds"
QUILLON_DATA_DIR=$data play data_dir "sound data/ip.dat
sound data/ip.dat
screens: $screens" ""
exit $failed
