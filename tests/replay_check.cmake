# The whole game played once in each front end: in script mode, where its expects decide and every
# click must reach a control, then replayed in the window (off screen, many times faster), which
# must end as script mode did: the same standard output and exit status.
#   cmake -DGAME=path/to/quillon -DSCRIPT=full-game.qs -P replay_check.cmake
cmake_minimum_required(VERSION 3.25)
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{LC_ALL} C)
execute_process(COMMAND ${GAME} --script ${SCRIPT}
  OUTPUT_VARIABLE script_out ERROR_VARIABLE script_err RESULT_VARIABLE script_status TIMEOUT 60)
if(NOT script_status STREQUAL 0 OR NOT script_err STREQUAL "")
  message(FATAL_ERROR "script mode: status '${script_status}'\n--- output\n${script_out}"
                      "--- errors\n${script_err}")
endif()
execute_process(COMMAND ${GAME} --replay ${SCRIPT} --speed 100000
  OUTPUT_VARIABLE replay_out ERROR_VARIABLE replay_err RESULT_VARIABLE replay_status
  INPUT_FILE /dev/null TIMEOUT 120)
if(NOT replay_status STREQUAL 0 OR NOT replay_out STREQUAL script_out)
  message(FATAL_ERROR "replay: status '${replay_status}'\n--- replay\n${replay_out}"
                      "--- script mode\n${script_out}--- replay errors\n${replay_err}")
endif()
