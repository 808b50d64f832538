# `cmake --install`: the program folder (the game beside its pictures, sounds, and a fresh default ini
# and empty save file) under lib/VeltranoGame2, a bin/ link to it, a desktop entry and its icons.
# The installed game keeps a player's ini and save file in $XDG_DATA_HOME/VeltranoGame2 (or
# ~/.local/share/VeltranoGame2) when it may not write its own folder.
set(VELTRANO_INSTALL_FOLDER lib/VeltranoGame2)

# A new player's files, generated apart from the build's program folder (whose ini and save file
# belong to whoever plays the build).
set(VELTRANO_PLAYER_FILES ${CMAKE_BINARY_DIR}/player-files)
add_custom_command(
  OUTPUT ${VELTRANO_PLAYER_FILES}/${VELTRANO_CONFIG_FILE} ${VELTRANO_PLAYER_FILES}/${VELTRANO_SAVE_FILE}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${VELTRANO_PLAYER_FILES}
  COMMAND assetgen --player-files ${VELTRANO_PLAYER_FILES}
  DEPENDS assetgen
  COMMENT "Writing a new player's ini and save file")
add_custom_target(veltrano_player_files ALL DEPENDS ${VELTRANO_PLAYER_FILES}/${VELTRANO_CONFIG_FILE})

set(VELTRANO_SHEETS)
foreach(sheet IN LISTS VELTRANO_SHEET_FILES)
  list(APPEND VELTRANO_SHEETS ${VELTRANO_PROGRAM_DIR}/${sheet})
endforeach()

install(TARGETS VeltranoGame2 RUNTIME DESTINATION ${VELTRANO_INSTALL_FOLDER})
install(FILES ${VELTRANO_SHEETS} ${VELTRANO_PLAYER_FILES}/${VELTRANO_CONFIG_FILE} ${VELTRANO_PLAYER_FILES}/${VELTRANO_SAVE_FILE}
        DESTINATION ${VELTRANO_INSTALL_FOLDER})
install(DIRECTORY ${VELTRANO_PROGRAM_DIR}/${VELTRANO_SOUNDS_FOLDER} DESTINATION ${VELTRANO_INSTALL_FOLDER})
# The link and the desktop entry are made at install time, so they follow a prefix given then.
install(CODE "
  set(root \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
  file(MAKE_DIRECTORY \"\${root}/bin\" \"\${root}/share/applications\")
  execute_process(COMMAND \"${CMAKE_COMMAND}\" -E create_symlink ../${VELTRANO_INSTALL_FOLDER}/VeltranoGame2
                          \"\${root}/bin/VeltranoGame2\")
  message(STATUS \"Installing: \${root}/bin/VeltranoGame2 -> ../${VELTRANO_INSTALL_FOLDER}/VeltranoGame2\")
  set(VELTRANO_INSTALLED_LAUNCHER \"\${CMAKE_INSTALL_PREFIX}/bin/VeltranoGame2\")
  configure_file(\"${CMAKE_SOURCE_DIR}/cmake/VeltranoGame2.desktop.in\"
                 \"\${root}/share/applications/VeltranoGame2.desktop\" @ONLY)
  message(STATUS \"Installing: \${root}/share/applications/VeltranoGame2.desktop\")")
foreach(size 64 128)
  install(FILES ${VELTRANO_PROGRAM_DIR}/VeltranoGame2-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME VeltranoGame2.png)
endforeach()
