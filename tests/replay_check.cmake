# Each script replayed in the window (off screen, many times faster) ends as script mode does:
# the same standard output and exit status.
#   cmake -DGAME=path/to/quillon -DSCRIPTS="a.qs;b.qs" -P replay_check.cmake
cmake_minimum_required(VERSION 3.25)
set(failures "")
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{LC_ALL} C)
foreach(script IN LISTS SCRIPTS)
  execute_process(COMMAND ${GAME} --script ${script}
    OUTPUT_VARIABLE script_out ERROR_QUIET RESULT_VARIABLE script_status TIMEOUT 60)
  execute_process(COMMAND ${GAME} --replay ${script} --speed 100000
    OUTPUT_VARIABLE replay_out ERROR_VARIABLE replay_err RESULT_VARIABLE replay_status
    INPUT_FILE /dev/null TIMEOUT 120)
  if(NOT replay_status STREQUAL script_status OR NOT replay_out STREQUAL script_out)
    string(APPEND failures "${script}: replay status '${replay_status}' (script mode "
                           "'${script_status}')\n--- replay\n${replay_out}--- script mode\n"
                           "${script_out}--- replay stderr\n${replay_err}\n")
  endif()
endforeach()
if(failures)
  message(FATAL_ERROR "${failures}")
endif()
