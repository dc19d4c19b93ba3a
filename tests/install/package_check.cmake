# The Debian package as `make package` makes it: every file where Debian wants it and nothing
# more, every file dated as the last commit, binaries bound at start-up and without the
# compiler's signature, and the packaged game finding its sounds in /usr/share/games.
#   cmake -DBUILD=build-dir -DWORK=scratch-dir -DSOURCE=source-dir -DMODULE_DIR=lib/ARCH/quillon
#         -P package_check.cmake

cmake_minimum_required(VERSION 3.25)
set(failures "")
macro(fail message)
  string(APPEND failures "${message}\n")
endmacro()

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
set(id example.pergamen_studio.Quillon)
set(expected
  usr/games/quillon
  ${MODULE_DIR}/libquillon_sound.so
  usr/share/games/quillon/data/ip.dat
  usr/share/games/quillon/data/about.dat
  usr/share/applications/${id}.desktop
  usr/share/metainfo/${id}.metainfo.xml
  usr/share/icons/hicolor/scalable/apps/${id}.svg
  usr/share/man/man6/quillon.6.gz
  usr/share/doc/quillon/copyright
  usr/share/doc/quillon/changelog.gz
  usr/share/doc/quillon/examples/full-game.qs
  usr/share/doc/quillon/examples/mission-1-recorded.qs
  usr/share/doc/quillon/examples/missions-1-2.qs)
foreach(size IN ITEMS 16 24 32 48 64 128 256 512)
  list(APPEND expected usr/share/icons/hicolor/${size}x${size}/apps/${id}.png)
endforeach()
set(tree ${WORK}/tree)
execute_process(COMMAND dpkg-deb -x ${package} ${tree} COMMAND_ERROR_IS_FATAL ANY)
file(GLOB_RECURSE packaged RELATIVE ${tree} ${tree}/*)
foreach(file IN LISTS expected)
  if(NOT file IN_LIST packaged)
    fail("not in the package: ${file}")
  endif()
endforeach()
foreach(file IN LISTS packaged)
  if(NOT file IN_LIST expected)
    fail("in the package but not expected: ${file}")
  endif()
endforeach()

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
# Typing into the address entry plays the key click for each digit; a sound it cannot find
# would bring up the `error` notice instead.
file(WRITE ${WORK}/typing.qs "click connect Picture1\ntype 15\nscreens\n")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=QUILLON_DATA_DIR
          ${tree}/usr/games/quillon --script ${WORK}/typing.qs
  WORKING_DIRECTORY ${WORK}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE result TIMEOUT 60)
set(typed "sound data/ip.dat\nsound data/ip.dat\nscreens: ip connect start Programy Statistika dny board back\n")
if(NOT result EQUAL 0 OR NOT out STREQUAL typed OR NOT err STREQUAL "")
  fail("the packaged game: status ${result}\n--- output\n${out}--- errors\n${err}")
endif()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
file(REMOVE_RECURSE ${WORK})
