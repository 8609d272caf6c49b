# The packages: a per-user installer (NSIS) and a portable zip, both from `--target package`.

# The player plug-ins the installer offers, as "file|what the user sees"; the first is the one
# the program takes when nothing is chosen. One line here adds a plug-in to the package and to
# the installer's choice.
set(SPINDREL_PLAYER_PLUGINS
  "Wyvernel.dll|Creative PC-DVD Player"
  "Brannock.dll|Creative Brannock"
  "Corvane.dll|CyberLink Corvane (titled CyberLink Universal Player)"
  "Corvane3.dll|CyberLink Corvane 3"
  "Mpc.dll|MPC-HC or MPC-BE (Media Player Classic)"
  "Vlc.dll|VLC media player")

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  set(SPINDREL_PACKAGE_ARCH win32)
  set(CPACK_SPINDREL_REG_VIEW 32)
else()
  set(SPINDREL_PACKAGE_ARCH win64)
  set(CPACK_SPINDREL_REG_VIEW 64)
endif()

install(TARGETS DVD_Spindrel RUNTIME DESTINATION .)
# The installer's player page lists them from a file of its own: CPack's variables cannot carry
# NSIS's quotes and blanks.
set(players "!macro SpindrelPlayerList\n")
set(index 0)
foreach(entry IN LISTS SPINDREL_PLAYER_PLUGINS)
  string(REPLACE "|" ";" fields "${entry}")
  list(GET fields 0 file)
  list(GET fields 1 label)
  install(FILES ${SPINDREL_DIST_DIR}/${file} DESTINATION .)
  string(APPEND players "  !insertmacro SpindrelPlayer ${index} \"${file}\" \"${label}\"\n")
  math(EXPR index "${index} + 1")
endforeach()
string(APPEND players "!macroend\n")
set(CPACK_SPINDREL_PLAYERS_NSH ${CMAKE_BINARY_DIR}/spindrel_players.nsh)
file(CONFIGURE OUTPUT ${CPACK_SPINDREL_PLAYERS_NSH} CONTENT "${players}")
install(DIRECTORY ${SPINDREL_DIST_DIR}/images DESTINATION .)

set(CPACK_PACKAGE_NAME "DVD_Spindrel")
set(CPACK_PACKAGE_VENDOR "Tolvrey")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "DVD Spindrel: DVD macros for software DVD players")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "DVD Spindrel")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(SPINDREL_PACKAGE_FILE_NAME "DVD_Spindrel-${PROJECT_VERSION}-${SPINDREL_PACKAGE_ARCH}")
set(CPACK_PACKAGE_FILE_NAME ${SPINDREL_PACKAGE_FILE_NAME})
set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_NSIS_DISPLAY_NAME "DVD Spindrel")
set(CPACK_NSIS_PACKAGE_NAME "DVD Spindrel")
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
# The template is our own: per user, a player page, an uninstaller that keeps the user's DSMs.
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/per_generator.cmake)
# More NSIS lines may come through CPACK_NSIS_EXTRA_INSTALL_COMMANDS and
# CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS (run after the files are installed, before they are removed).

include(CPack)
