# What the install check and the package check share: the failures they collect, the files an
# installed tree must hold, and a game typing into the address entry to show it finds its sounds.

set(failures "")
macro(fail message)
  string(APPEND failures "${message}\n")
endmacro()

set(id example.pergamen_studio.Quillon)
set(icon_sizes 16 24 32 48 64 128 256 512)

# The files every installed tree holds below `share`, whatever the layout, into `variable`.
function(shared_files share variable)
  set(files
    ${share}/applications/${id}.desktop
    ${share}/metainfo/${id}.metainfo.xml
    ${share}/icons/hicolor/scalable/apps/${id}.svg
    ${share}/man/man6/quillon.6.gz
    ${share}/doc/quillon/copyright
    ${share}/doc/quillon/changelog.gz
    ${share}/doc/quillon/examples/full-game.qs
    ${share}/doc/quillon/examples/mission-1-recorded.qs
    ${share}/doc/quillon/examples/missions-1-2.qs)
  foreach(size IN LISTS icon_sizes)
    list(APPEND files ${share}/icons/hicolor/${size}x${size}/apps/${id}.png)
  endforeach()
  set(${variable} ${files} PARENT_SCOPE)
endfunction()

# Every file of ARGN (paths relative to `root`) is there, and no other; `where` says where in
# the messages ("installed", "in the package").
function(expect_exactly root where)
  file(GLOB_RECURSE found RELATIVE ${root} ${root}/*)
  foreach(file IN LISTS ARGN)
    if(NOT file IN_LIST found)
      fail("not ${where}: ${file}")
    endif()
  endforeach()
  foreach(file IN LISTS found)
    if(NOT file IN_LIST ARGN)
      fail("${where} but not expected: ${file}")
    endif()
  endforeach()
  set(failures "${failures}" PARENT_SCOPE)
endfunction()

# Typing into the address entry plays the key click for each digit; a sound the game cannot
# find would bring up the `error` notice instead.
set(typing "click connect Picture1\ntype 15\nscreens\n")
set(typed "sound data/ip.dat\nsound data/ip.dat\nscreens: ip connect start Programy Statistika dny board back\n")
set(no_sound "screens: error ip connect start Programy Statistika dny board back\n")
