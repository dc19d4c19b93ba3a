# A recording of a game played in the window, run in script mode with checks of where it left the
# game appended: every check holds, every click reaches its control.
#   cmake -DGAME=quillon -DRECORDING=a.qs -DCHECKS=b.qs -DWORK=folder -P recorded_check.cmake
cmake_minimum_required(VERSION 3.25)
file(READ ${RECORDING} recording)
file(READ ${CHECKS} checks)
file(MAKE_DIRECTORY ${WORK})
file(WRITE ${WORK}/checked.qs "${recording}${checks}")
execute_process(COMMAND ${GAME} --script ${WORK}/checked.qs
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status TIMEOUT 60)
set(screens "screens: board wizard Programy connect Statistika dny back\n")
string(FIND "${out}" "${screens}" at)
if(NOT status EQUAL 0 OR NOT err STREQUAL "" OR at EQUAL -1)
  message(FATAL_ERROR "status ${status}\n--- output\n${out}--- errors\n${err}")
endif()
