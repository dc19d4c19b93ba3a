# Runs the built game in script mode on the start-up check and compares its whole output.
execute_process(
  COMMAND ${GAME} --script ${CMAKE_CURRENT_LIST_DIR}/scripts/startup.qs
  OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
set(expected "screens: start Programy connect Statistika dny board back
screens: Programy connect Statistika dny board back
dny.Label2.Caption=20.11.2010
")
if(NOT status EQUAL 0 OR NOT output STREQUAL expected)
  message(FATAL_ERROR "status ${status}\n--- output\n${output}--- expected\n${expected}--- errors\n${errors}")
endif()
