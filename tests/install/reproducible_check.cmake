# The same sources give the same package, bit for bit, wherever and whenever they were checked
# out: the sources are copied to another folder with new file times, built there as a second
# clone would be, and both packages are made with the same SOURCE_DATE_EPOCH.
#   cmake -DBUILD=build-dir -DSOURCE=source-dir -DWORK=scratch-dir -P reproducible_check.cmake
# Skipped (status 77) outside a git checkout, where the sources cannot be listed.

cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND git -C ${SOURCE} -c core.quotepath=off ls-files --cached --others
                        --exclude-standard
                OUTPUT_VARIABLE listed RESULT_VARIABLE result ERROR_QUIET)
if(NOT result EQUAL 0)
  message("not a git checkout: the sources cannot be listed")
  cmake_language(EXIT 77)
endif()

file(REMOVE_RECURSE ${WORK})
set(clone ${WORK}/second-clone)
string(REPLACE "\n" ";" files "${listed}")
foreach(file IN LISTS files)
  if(file AND EXISTS ${SOURCE}/${file} AND NOT IS_DIRECTORY ${SOURCE}/${file})
    get_filename_component(folder ${clone}/${file} DIRECTORY)
    file(MAKE_DIRECTORY ${folder})
    file(COPY_FILE ${SOURCE}/${file} ${clone}/${file})
  endif()
endforeach()

# Only what the package holds is built, without tests or benchmarks.
execute_process(
  COMMAND ${CMAKE_COMMAND} -S ${clone} -B ${clone}/build -G Ninja -DCMAKE_BUILD_TYPE=Release
          -DQUILLON_TESTS=OFF -DQUILLON_BENCH=OFF
  OUTPUT_QUIET ERROR_VARIABLE err RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the second clone does not configure:\n${err}")
endif()
execute_process(
  COMMAND ${CMAKE_COMMAND} --build ${clone}/build -j2
          --target quillon quillon_sound quillon_sounds quillon_icons quillon_docs
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the second clone does not build:\n${out}${err}")
endif()

# Any date serves, as long as both packages are made with the same one.
foreach(tree IN ITEMS first second)
  if(tree STREQUAL first)
    set(config ${BUILD}/CPackConfig.cmake)
  else()
    set(config ${clone}/build/CPackConfig.cmake)
  endif()
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=1290211200
            cpack -G DEB --config ${config} -B ${WORK}/${tree}
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE result)
  file(GLOB package_${tree} ${WORK}/${tree}/quillon_*.deb)
  if(NOT result EQUAL 0 OR NOT package_${tree})
    message(FATAL_ERROR "cpack failed for the ${tree} tree (${result}):\n${out}${err}")
  endif()
endforeach()

file(SHA256 ${package_first} first_sum)
file(SHA256 ${package_second} second_sum)
if(NOT first_sum STREQUAL second_sum)
  # Name the files that differ, to start looking from.
  set(differing "")
  foreach(tree IN ITEMS first second)
    execute_process(COMMAND dpkg-deb -R ${package_${tree}} ${WORK}/${tree}/unpacked
                    COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
  file(GLOB_RECURSE unpacked RELATIVE ${WORK}/first/unpacked ${WORK}/first/unpacked/*)
  foreach(file IN LISTS unpacked)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/first/unpacked/${file}
                            ${WORK}/second/unpacked/${file}
                    RESULT_VARIABLE same OUTPUT_QUIET ERROR_QUIET)
    if(NOT same EQUAL 0)
      string(APPEND differing "  ${file}\n")
    endif()
  endforeach()
  message(FATAL_ERROR "two clones of the same sources give different packages:\n"
                      "  ${first_sum}\n  ${second_sum}\nfiles that differ:\n${differing}")
endif()
message("both packages: sha256 ${first_sum}")
file(REMOVE_RECURSE ${WORK})
