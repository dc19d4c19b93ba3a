# The Debian package as `make package` makes it: every file where Debian wants it and nothing
# more, every file dated as the last commit, binaries bound at start-up and without the
# compiler's signature, and the packaged game finding its sounds in /usr/share/games.
#   cmake -DBUILD=build-dir -DWORK=scratch-dir -DSOURCE=source-dir -DMODULE_DIR=lib/ARCH/quillon
#         -P package_check.cmake

cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/common.cmake)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=SOURCE_DATE_EPOCH
          cpack -G DEB --config ${BUILD}/CPackConfig.cmake -B ${WORK}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE result)
file(GLOB package ${WORK}/quillon_*.deb)
if(NOT result EQUAL 0 OR NOT package)
  message(FATAL_ERROR "cpack failed (${result}):\n${out}${err}")
endif()

# --- Every file where Debian wants it ----------------------------------------------------------
shared_files(usr/share expected)
list(APPEND expected
  usr/games/quillon
  ${MODULE_DIR}/libquillon_sound.so
  usr/share/games/quillon/data/ip.dat
  usr/share/games/quillon/data/about.dat)
set(tree ${WORK}/tree)
execute_process(COMMAND dpkg-deb -x ${package} ${tree} COMMAND_ERROR_IS_FATAL ANY)
expect_exactly(${tree} "in the package" ${expected})

# --- Every file dated as the last commit --------------------------------------------------------
execute_process(COMMAND git -C ${SOURCE} log -1 --format=%ct
                OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE git_result ERROR_QUIET)
if(git_result EQUAL 0)
  execute_process(COMMAND dpkg-deb --fsys-tarfile ${package} OUTPUT_FILE ${WORK}/data.tar
                  COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND tar --list --verbose --full-time --utc -f ${WORK}/data.tar
                  OUTPUT_VARIABLE listing COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND date -u -d @${commit_time} "+%Y-%m-%d %H:%M:%S"
                  OUTPUT_VARIABLE commit_date OUTPUT_STRIP_TRAILING_WHITESPACE)
  string(REGEX MATCHALL "[0-9]+-[0-9]+-[0-9]+ [0-9]+:[0-9]+:[0-9]+" dates "${listing}")
  list(REMOVE_DUPLICATES dates)
  if(NOT dates STREQUAL commit_date)
    fail("the package's files are dated ${dates}, not as the last commit, ${commit_date}")
  endif()
endif()

# --- Hardened as a distribution builds: bound at start-up, no compiler signature -------------
foreach(binary IN ITEMS usr/games/quillon ${MODULE_DIR}/libquillon_sound.so)
  execute_process(COMMAND readelf --dynamic --section-headers --wide ${tree}/${binary}
                  OUTPUT_VARIABLE elf COMMAND_ERROR_IS_FATAL ANY)
  if(NOT elf MATCHES "\\(FLAGS\\)[^\n]*BIND_NOW")
    fail("${binary} is not bound at start-up (no BIND_NOW)")
  endif()
  if(elf MATCHES "\\.comment")
    fail("${binary} keeps its .comment section")
  endif()
  if(elf MATCHES "\\.debug_")
    fail("${binary} is not stripped")
  endif()
endforeach()

# --- The packaged game finds its sounds in Debian's place for a game's data -------------------
file(WRITE ${WORK}/typing.qs "${typing}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=QUILLON_DATA_DIR
          ${tree}/usr/games/quillon --script ${WORK}/typing.qs
  WORKING_DIRECTORY ${WORK}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE result TIMEOUT 60)
if(NOT result EQUAL 0 OR NOT out STREQUAL typed OR NOT err STREQUAL "")
  fail("the packaged game: status ${result}\n--- output\n${out}--- errors\n${err}")
endif()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
file(REMOVE_RECURSE ${WORK})
