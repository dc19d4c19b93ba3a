# Where the game goes when it is installed, laid out the freedesktop and Debian way under any
# prefix: the game finds its sounds relative to its own executable, so a moved tree still works.
#
#   bin/quillon                                          games/quillon in the Debian package
#   share/quillon/data/ip.dat, about.dat                 the two sounds; share/games/quillon/data
#                                                        in the Debian package
#   lib/ARCH/quillon/libquillon_sound.so                 plays the sounds, loaded after start-up
#   share/applications/ID.desktop                        the menu entry
#   share/metainfo/ID.metainfo.xml                       for software centres
#   share/icons/hicolor/{scalable,NxN}/apps/ID.{svg,png} the icon
#   share/man/man6/quillon.6.gz                          the manual page
#   share/doc/quillon/{copyright,changelog.gz}, share/licenses/quillon/LICENSE
#   share/doc/quillon/examples/*.qs                      scripts the manual page points to
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME data)
set(QUILLON_APP_ID example.pergamen_studio.Quillon)
set(QUILLON_ICON_SOURCE ${PROJECT_SOURCE_DIR}/assets/back-icon.svg)
set(QUILLON_ICON_SIZES 16 24 32 48 64 128 256 512)
set(QUILLON_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)

# Debian keeps games in /usr/games and their data in /usr/share/games: the package takes the
# executable and the sounds from components of their own.
install(TARGETS quillon RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT program)
install(FILES ${QUILLON_SOUNDS} DESTINATION ${CMAKE_INSTALL_DATADIR}/quillon/data COMPONENT sounds)
install(TARGETS quillon RUNTIME DESTINATION games COMPONENT debian_program EXCLUDE_FROM_ALL)
install(FILES ${QUILLON_SOUNDS} DESTINATION ${CMAKE_INSTALL_DATADIR}/games/quillon/data
        COMPONENT debian_sounds EXCLUDE_FROM_ALL)
if(TARGET quillon_sound)
  install(TARGETS quillon_sound
          LIBRARY DESTINATION ${QUILLON_MODULE_DIR})
endif()
# A stripped install (the package's) also drops the compiler's signature, which nothing reads.
find_program(QUILLON_OBJCOPY NAMES ${CMAKE_OBJCOPY} objcopy REQUIRED)
foreach(binary IN ITEMS games/quillon ${CMAKE_INSTALL_BINDIR}/quillon
                        ${QUILLON_MODULE_DIR}/libquillon_sound.so)
  install(CODE "
    set(binary \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${binary}\")
    if(CMAKE_INSTALL_DO_STRIP AND EXISTS \"\${binary}\")
      execute_process(COMMAND \"${QUILLON_OBJCOPY}\" --remove-section=.comment \"\${binary}\"
                      COMMAND_ERROR_IS_FATAL ANY)
    endif()" ALL_COMPONENTS)
endforeach()

install(FILES ${QUILLON_PACKAGING}/${QUILLON_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QUILLON_PACKAGING}/${QUILLON_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${QUILLON_ICON_SOURCE}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${QUILLON_APP_ID}.svg)

# The PNG icons are drawn from the game's own artwork at build time, as the sounds are made.
if(QUILLON_WINDOW)
  find_package(Qt6 REQUIRED COMPONENTS Gui Svg)
  add_executable(make_icons ${PROJECT_SOURCE_DIR}/tools/make_icons.cpp)
  target_link_libraries(make_icons PRIVATE Qt6::Gui Qt6::Svg)
  set(QUILLON_ICONS)
  foreach(size IN LISTS QUILLON_ICON_SIZES)
    list(APPEND QUILLON_ICONS ${CMAKE_BINARY_DIR}/icons/${size}x${size}/${QUILLON_APP_ID}.png)
  endforeach()
  add_custom_command(
    OUTPUT ${QUILLON_ICONS}
    COMMAND make_icons ${QUILLON_ICON_SOURCE} ${CMAKE_BINARY_DIR}/icons ${QUILLON_APP_ID}
    DEPENDS make_icons ${QUILLON_ICON_SOURCE}
    COMMENT "Drawing the game's icons")
  add_custom_target(quillon_icons ALL DEPENDS ${QUILLON_ICONS})
  foreach(size IN LISTS QUILLON_ICON_SIZES)
    install(FILES ${CMAKE_BINARY_DIR}/icons/${size}x${size}/${QUILLON_APP_ID}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
endif()

# Manual pages and changelogs are installed compressed, as Debian has them.
find_program(GZIP gzip REQUIRED)
set(QUILLON_MAN_PAGE ${CMAKE_BINARY_DIR}/man/quillon.6.gz)
set(QUILLON_CHANGELOG ${CMAKE_BINARY_DIR}/doc/changelog.gz)
add_custom_command(
  OUTPUT ${QUILLON_MAN_PAGE} ${QUILLON_CHANGELOG}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man ${CMAKE_BINARY_DIR}/doc
  COMMAND ${GZIP} -9nc ${QUILLON_PACKAGING}/quillon.6 > ${QUILLON_MAN_PAGE}
  COMMAND ${GZIP} -9nc ${QUILLON_PACKAGING}/changelog > ${QUILLON_CHANGELOG}
  DEPENDS ${QUILLON_PACKAGING}/quillon.6 ${QUILLON_PACKAGING}/changelog
  COMMENT "Compressing the manual page and the changelog")
add_custom_target(quillon_docs ALL DEPENDS ${QUILLON_MAN_PAGE} ${QUILLON_CHANGELOG})
install(FILES ${QUILLON_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${QUILLON_PACKAGING}/copyright ${QUILLON_CHANGELOG}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillon)
file(GLOB QUILLON_EXAMPLES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/examples/*.qs)
install(FILES ${QUILLON_EXAMPLES} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillon/examples)
# The licence beside the game, where distributions other than Debian look for it; the Debian
# package carries it in its copyright file instead.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/licenses/quillon
        COMPONENT licence)

# `make package`: a Debian package, its library dependencies computed from the binary.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillon)
set(CPACK_PACKAGE_VENDOR "Pergamen")
set(CPACK_PACKAGE_CONTACT "Pergamen <games@pergamen-studio.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so not seen in the binary: the X11 platform plugin and the game's font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "hacking-simulation game in Czech")
# Debian wraps no lines of its own: the description keeps its lines within 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
    "Quillon puts the player at a hacker's desktop of 2010: a message board, a
calendar, statistics, a connect button and a tools panel. Five clients send
missions one after another: connect to their targets, get around proxies and
firewalls, race the trace countdown with the password breaker, delete or copy
files, flood a server and plant a trojan, then collect the reward before the
police collect you. All of the game's texts are in Czech.")
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL debian_program debian_sounds data)
# The same commit gives the same package: every file in it dated as the commit (cpack reads
# SOURCE_DATE_EPOCH), or as the changelog's last entry outside a git checkout.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/package_date.cmake)
configure_file(${QUILLON_PACKAGING}/package_date.cmake.in ${CPACK_PROJECT_CONFIG_FILE} @ONLY)
include(CPack)
