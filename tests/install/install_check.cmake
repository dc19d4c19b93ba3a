# The installed game: `cmake --install` into a new prefix puts every file where the freedesktop
# and Debian conventions want it, the files pass their validators, and the installed game finds
# its sounds from any working directory, after the tree is moved, and through QUILLON_DATA_DIR.
#   cmake -DBUILD=build-dir -DWORK=scratch-dir -DMODULE_DIR=lib/ARCH/quillon -P install_check.cmake

cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/common.cmake)

file(REMOVE_RECURSE ${WORK})
set(prefix ${WORK}/first-prefix)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix}
                OUTPUT_QUIET RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

# --- Every file where it belongs --------------------------------------------------------------
shared_files(share expected)
list(APPEND expected
  bin/quillon
  ${MODULE_DIR}/libquillon_sound.so
  share/quillon/data/ip.dat
  share/quillon/data/about.dat
  share/licenses/quillon/LICENSE)
expect_exactly(${prefix} installed ${expected})

# --- Every PNG icon has the size its folder claims ----------------------------------------------
foreach(size IN LISTS icon_sizes)
  set(icon ${prefix}/share/icons/hicolor/${size}x${size}/apps/${id}.png)
  if(EXISTS ${icon})
    # The PNG signature, then the IHDR chunk: width and height as 4-byte big-endian numbers.
    file(READ ${icon} header LIMIT 24 HEX)
    string(SUBSTRING "${header}" 0 16 signature)
    string(SUBSTRING "${header}" 32 8 width_hex)
    string(SUBSTRING "${header}" 40 8 height_hex)
    math(EXPR width "0x${width_hex}")
    math(EXPR height "0x${height_hex}")
    if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT width EQUAL size OR NOT height EQUAL size)
      fail("icon ${size}x${size} is ${width}x${height} (signature ${signature})")
    endif()
  endif()
endforeach()

# --- The validators have nothing to say -------------------------------------------------------
execute_process(COMMAND desktop-file-validate ${prefix}/share/applications/${id}.desktop
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT "${out}${err}" STREQUAL "")
  fail("desktop-file-validate (${result}):\n${out}${err}")
endif()

execute_process(COMMAND appstreamcli validate --no-net ${prefix}/share/metainfo/${id}.metainfo.xml
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR "${out}${err}" MATCHES "(^|\n)[EW]: ")
  fail("appstreamcli validate (${result}):\n${out}${err}")
endif()
# No invented address for a software centre to follow.
file(READ ${prefix}/share/metainfo/${id}.metainfo.xml metainfo)
if(metainfo MATCHES "(https?://|@)[^<\n]*\\.example")
  fail("the metainfo gives an address that is only a placeholder")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E env MANWIDTH=80 LC_ALL=C.UTF-8
                        man --warnings -l ${prefix}/share/man/man6/quillon.6.gz
                OUTPUT_VARIABLE page ERROR_VARIABLE err RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT err STREQUAL "" OR NOT page MATCHES "--script FILE")
  fail("man --warnings (${result}):\n${err}")
endif()

# --- The installed game finds its sounds ------------------------------------------------------
file(WRITE ${WORK}/typing.qs "${typing}")
file(MAKE_DIRECTORY ${WORK}/elsewhere ${WORK}/no-sounds)

function(play name game expected)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${ARGN} ${game} --script ${WORK}/typing.qs
                  WORKING_DIRECTORY ${WORK}/elsewhere
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE result TIMEOUT 60)
  if(NOT result EQUAL 0 OR NOT out STREQUAL expected)
    set(failures "${failures}${name}: status ${result}\n--- output\n${out}--- expected\n${expected}--- errors\n${err}\n"
        PARENT_SCOPE)
  endif()
endfunction()

play(installed ${prefix}/bin/quillon "${typed}" --unset=QUILLON_DATA_DIR)
play(data_dir_override ${prefix}/bin/quillon "${no_sound}" QUILLON_DATA_DIR=${WORK}/no-sounds)
play(data_dir_elsewhere ${prefix}/bin/quillon "${typed}"
     QUILLON_DATA_DIR=${prefix}/share/quillon/data)

# A tree moved as a whole keeps working: nothing of the first prefix is baked in.
file(RENAME ${prefix} ${WORK}/moved-prefix)
play(moved ${WORK}/moved-prefix/bin/quillon "${typed}" --unset=QUILLON_DATA_DIR)

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
file(REMOVE_RECURSE ${WORK})
