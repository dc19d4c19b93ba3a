# The command line of the built game: each case's exit status and first line, and never a
# signal (execute_process reports a signal as a text instead of a number).
#   cmake -DGAME=path/to/quillon -P command_line_check.cmake

cmake_minimum_required(VERSION 3.25)
set(failures "")

# run(NAME STATUS FIRST_LINE STREAM [env settings...] -- ARGUMENTS...): STREAM stdout or stderr,
# or alone: those lines are all of standard error, and nothing is on standard output. The game
# runs under ${launcher}, when set.
function(run name status first_line stream)
  set(environment "")
  set(arguments "")
  set(seen_separator FALSE)
  foreach(item IN LISTS ARGN)
    if(item STREQUAL "--")
      set(seen_separator TRUE)
    elseif(seen_separator)
      list(APPEND arguments "${item}")
    else()
      list(APPEND environment "${item}")
    endif()
  endforeach()
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env ${environment} ${launcher} ${GAME} ${arguments}
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE result
    INPUT_FILE /dev/null TIMEOUT 60)
  if(stream STREQUAL "stdout")
    set(text "${out}")
  else()
    set(text "${err}")
  endif()
  string(REGEX REPLACE "\n.*" "" line "${text}")
  if(stream STREQUAL "alone")
    string(REGEX REPLACE "\n$" "" line "${out}${err}")
  endif()
  if(NOT result STREQUAL status OR NOT line STREQUAL first_line)
    string(APPEND failures "${name}: status '${result}' (want ${status}), first line on ${stream} "
                           "'${line}'\n  want '${first_line}'\n--- stdout\n${out}--- stderr\n${err}\n")
    set(failures "${failures}" PARENT_SCOPE)
  endif()
endfunction()

set(no_display --unset=QT_QPA_PLATFORM DISPLAY= WAYLAND_DISPLAY=)
set(no_window "quillon: no display to open the game's window on (neither DISPLAY nor WAYLAND_DISPLAY is set); run it on a desktop, or play without a window with --script FILE")

run(help 0 "Usage: quillon [--windowed]" stdout ${no_display} -- --help)
run(short_help 0 "Usage: quillon [--windowed]" stdout ${no_display} -- -h)
run(version 0 "quillon 1.0.0" stdout ${no_display} -- --version)
# A command line not understood: what is wrong, then where to look, not the whole help.
set(try_help "Try 'quillon --help'.")
run(unknown_option 2 "quillon: Unknown option 'fullscreen'.\n${try_help}" alone ${no_display}
    -- --fullscreen)
run(stray_argument 2 "quillon: Unexpected argument 'game.qs'.\n${try_help}" alone ${no_display}
    -- game.qs)
run(record_no_name 2 "quillon: no file name for the recording\n${try_help}" alone ${no_display}
    -- --record=)
execute_process(COMMAND ${GAME} --windowed --record "" OUTPUT_VARIABLE out ERROR_VARIABLE err
                RESULT_VARIABLE result INPUT_FILE /dev/null TIMEOUT 60)
if(NOT result STREQUAL 2 OR NOT "${out}${err}" STREQUAL
   "quillon: no file name for the recording\n${try_help}\n")
  string(APPEND failures "record to '': status '${result}' (want 2), told '${out}${err}'\n")
endif()
run(script_without_file 2 "quillon: Missing value after '--script'." stderr ${no_display}
    -- --script)
run(no_display 1 "${no_window}" stderr ${no_display} --)
run(no_display_windowed 1 "${no_window}" stderr ${no_display} -- --windowed)
# A display that is named but cannot be reached: Qt's own abort becomes one line.
run(unreachable_display 1
    "quillon: cannot open the game's window: could not connect to display :97; run it on a desktop, or play without a window with --script FILE"
    stderr --unset=QT_QPA_PLATFORM DISPLAY=:97 WAYLAND_DISPLAY= -- --windowed)

# Wayland asked for where no compositor answers, or a Wayland display left from a session that
# is over: the real cause in one line, before Qt is asked.
set(work ${CMAKE_CURRENT_BINARY_DIR}/command-line-check)
file(MAKE_DIRECTORY ${work})
set(no_compositor "no compositor answers at WAYLAND_DISPLAY=wayland-over")
set(desktop_tail "; run it on a desktop, or play without a window with --script FILE")
run(wayland_unset 1
    "quillon: no display to open the game's window on (QT_QPA_PLATFORM asks for Wayland, but WAYLAND_DISPLAY is not set)${desktop_tail}"
    alone QT_QPA_PLATFORM=wayland DISPLAY=:0 WAYLAND_DISPLAY= -- --windowed)
run(wayland_over 1
    "quillon: no display to open the game's window on (QT_QPA_PLATFORM asks for Wayland, but ${no_compositor})${desktop_tail}"
    alone QT_QPA_PLATFORM=wayland DISPLAY=:0 WAYLAND_DISPLAY=wayland-over XDG_RUNTIME_DIR=${work}
    -- --windowed)
run(wayland_over_no_x11 1
    "quillon: no display to open the game's window on (DISPLAY is not set, and ${no_compositor})${desktop_tail}"
    alone --unset=QT_QPA_PLATFORM DISPLAY= WAYLAND_DISPLAY=wayland-over XDG_RUNTIME_DIR=${work}
    -- --windowed)
run(x11_asked_unset 1
    "quillon: no display to open the game's window on (QT_QPA_PLATFORM asks for X11, but DISPLAY is not set)${desktop_tail}"
    alone QT_QPA_PLATFORM=xcb DISPLAY= WAYLAND_DISPLAY=wayland-0 -- --windowed)
# Beside a named X display, the Wayland one that is over is not tried: only the X display's
# cause is told.
run(wayland_over_unreachable_x11 1
    "quillon: cannot open the game's window: could not connect to display :97${desktop_tail}"
    alone --unset=QT_QPA_PLATFORM DISPLAY=:97 WAYLAND_DISPLAY=wayland-over XDG_RUNTIME_DIR=${work}
    -- --windowed)

# A QUILLON_DATA_DIR that names no folder is told once, and the game plays on without sounds.
file(WRITE ${work}/typing.qs "click connect Picture1\ntype 15\n")
foreach(folder IN ITEMS /nonexistent/sounds ${work}/typing.qs)
  if(folder STREQUAL /nonexistent/sounds)
    set(which "does not exist")
  else()
    set(which "is not a folder")
  endif()
  run(data_dir_${which} 0
      "quillon: QUILLON_DATA_DIR names ${folder}, which ${which}; the game plays without its sounds"
      alone QUILLON_DATA_DIR=${folder} -- --script ${work}/typing.qs)
endforeach()

# A file given to --replay that is no script is refused before any window opens, with the line
# at fault; so are a folder, a missing file, standard input and a bad speed.
string(ASCII 255 not_utf8)
file(WRITE ${work}/not-utf8.qs "wait 1600\nscreens\nprint start.Visible ${not_utf8}\n")
file(WRITE ${work}/fine.qs "wait 1600\n")
set(picture ${CMAKE_CURRENT_LIST_DIR}/../../docs/desktop.png)
run(replay_binary 2 "quillon: cannot replay ${picture}: line 1: invalid UTF-8 at byte 1" stderr
    ${no_display} -- --replay ${picture})
run(replay_not_utf8 2 "quillon: cannot replay ${work}/not-utf8.qs: line 3: invalid UTF-8 at byte 21"
    stderr ${no_display} -- --replay ${work}/not-utf8.qs)
run(replay_folder 2 "quillon: cannot read ${work}" stderr ${no_display} -- --replay ${work})
run(replay_missing 2 "quillon: cannot read /nonexistent/game.qs" stderr ${no_display}
    -- --replay /nonexistent/game.qs)
run(replay_device 2 "quillon: cannot replay /dev/zero: it is no regular file" stderr ${no_display}
    -- --replay /dev/zero)
run(replay_standard_input 2 "quillon: cannot replay standard input: a replay reads a file" stderr
    ${no_display} -- --replay -)
foreach(speed IN ITEMS 0 -2 abc inf nan 1e999)
  run(replay_speed_${speed} 2 "quillon: Bad speed '${speed}': a number above 0, such as 4 or 0.5."
      stderr ${no_display} -- --replay ${work}/fine.qs --speed ${speed})
endforeach()
run(speed_alone 2 "quillon: --speed goes with --replay." stderr ${no_display} -- --speed 2)
run(replay_and_record 2 "quillon: --script, --replay and --record go one at a time." stderr
    ${no_display} -- --replay ${work}/fine.qs --record ${work}/game.qs)
run(replay_without_display 1 "${no_window}" stderr ${no_display} -- --replay ${work}/fine.qs)
# Script mode on what it cannot read: one line, status 2. Root reads a file of mode 000, so then
# the game runs as nobody, from a copy in a folder open to all when the build tree is closed.
run(missing_script 2 "quillon: cannot read /nonexistent/game.qs" alone ${no_display}
    -- --script /nonexistent/game.qs)
run(script_folder 2 "quillon: cannot read ${work}" alone ${no_display} -- --script ${work})
run(script_equals_folder 2 "quillon: cannot read ${work}" alone ${no_display} -- --script=${work})
set(closed ${work}/closed.qs)
execute_process(COMMAND id -u OUTPUT_VARIABLE uid OUTPUT_STRIP_TRAILING_WHITESPACE)
if(uid EQUAL 0)
  string(RANDOM LENGTH 8 suffix)
  set(open /tmp/quillon-command-line-${suffix})
  file(MAKE_DIRECTORY ${open})
  file(CHMOD ${open} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
       GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(closed ${open}/closed.qs)
  set(launcher setpriv --reuid=65534 --regid=65534 --clear-groups)
  execute_process(COMMAND ${launcher} ${GAME} --version RESULT_VARIABLE reachable
                  OUTPUT_QUIET ERROR_QUIET)
  if(NOT reachable STREQUAL 0)
    set(built ${GAME})
    file(COPY ${GAME} DESTINATION ${open})
    get_filename_component(name ${GAME} NAME)
    set(GAME ${open}/${name})
  endif()
endif()
file(WRITE ${closed} "wait 1600\n")
file(CHMOD ${closed} PERMISSIONS OWNER_WRITE)
run(script_unreadable 2 "quillon: cannot read ${closed}" alone ${no_display} -- --script ${closed})
set(launcher "")
if(open)
  file(REMOVE_RECURSE ${open})
endif()
if(built)
  set(GAME ${built})
endif()

# Script mode refuses a line that never ends at once, without reading it to its end.
run(script_endless_line 2 "quillon: line 1: longer than 1048576 bytes" stderr ${no_display}
    -- --script /dev/zero)

# Script mode's output that cannot be written does not pass for a game that went well.
file(WRITE ${work}/prints.qs "print start.Visible\n")
execute_process(
  COMMAND ${GAME} --script ${work}/prints.qs
  OUTPUT_FILE /dev/full ERROR_VARIABLE err RESULT_VARIABLE result)
if(NOT result STREQUAL 3 OR NOT err STREQUAL "quillon: cannot write the script's output\n")
  string(APPEND failures "script output to /dev/full: status '${result}' (want 3), told '${err}'\n")
endif()

# A recording that cannot be written is told once, and the game plays on until it is ended.
find_program(TIMEOUT timeout REQUIRED)
foreach(record IN ITEMS /nonexistent/game.qs /dev/full)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            ${TIMEOUT} --preserve-status -k 10 -s TERM 2 ${GAME} --windowed --record ${record}
    OUTPUT_QUIET ERROR_VARIABLE err RESULT_VARIABLE result)
  string(REGEX MATCHALL "quillon: [^\n]*" told "${err}")
  if(record STREQUAL "/dev/full")
    set(reason "No space left on device")
  else()
    set(reason "No such file or directory")
  endif()
  set(want "quillon: cannot record the game to ${record}: ${reason}; the game goes on unrecorded")
  if(NOT result STREQUAL 143 OR NOT told STREQUAL want)
    string(APPEND failures "record to ${record}: status '${result}' (want 143, still playing "
                           "when stopped), told '${told}'\n  want '${want}'\n")
  endif()
endforeach()

# SIGTERM and SIGINT end the game in its window at once, as the signal's default does: the
# shell's status 128 + N. A game that lingered would be killed 10 s later, status 137.
find_program(TIMEOUT timeout REQUIRED)
set(ENV{QT_QPA_PLATFORM} offscreen)
foreach(signal_status IN ITEMS TERM=143 INT=130)
  string(REPLACE "=" ";" pair "${signal_status}")
  list(GET pair 0 signal)
  list(GET pair 1 status)
  execute_process(
    COMMAND ${TIMEOUT} --preserve-status -k 10 -s ${signal} 1 ${GAME} --windowed
    OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE result)
  if(NOT result STREQUAL status)
    string(APPEND failures "SIG${signal}: status '${result}' (want ${status})\n")
  endif()
endforeach()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
