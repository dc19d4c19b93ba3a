# Runs the built game in script mode on the start-up check and compares its whole output: the
# splash lies over the desktop for 1600 ms, then hides itself, loaded still but stopped; the
# calendar's first day lasts 3000 ms, every later one 3002 ms.
execute_process(
  COMMAND ${GAME} --script ${CMAKE_CURRENT_LIST_DIR}/scripts/startup.qs
  OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
set(expected "screens: start Programy connect Statistika dny board back
start.Visible=True
screens: Programy connect Statistika dny board back
start.Loaded=True
start.Timer1.Enabled=False
dny.Label2.Caption=20.11.2010
dny.Label2.Caption=21.11.2010
dny.Label2.Caption=21.11.2010
dny.Label2.Caption=22.11.2010
")
if(NOT status EQUAL 0 OR NOT output STREQUAL expected)
  message(FATAL_ERROR "status ${status}\n--- output\n${output}--- expected\n${expected}--- errors\n${errors}")
endif()
