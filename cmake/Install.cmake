# Installation: `cmake --install <build> --prefix <p>`.
# - The program folder (Almanor, Remover, PositionReset and the packs beside them) goes to
#   <p>/lib/almanor. A calendar.dat left in the build's program folder by a trial run is not
#   copied, and an installed calendar.dat is never overwritten.
# - The icon goes to <p>/share/icons/hicolor/scalable/apps/almanor.svg.
# - InstallLauncher.cmake then writes the desktop launcher and records "InstallPath" for the
#   Remover (HKCU for a prefix inside $HOME, HKLM otherwise) with the almanor-register tool.
set(ALMANOR_INSTALL_DIR lib/almanor)

install(DIRECTORY ${ALMANOR_PROGRAM_DIR}/ DESTINATION ${ALMANOR_INSTALL_DIR}
        USE_SOURCE_PERMISSIONS
        PATTERN calendar.dat EXCLUDE
        PATTERN data.bak EXCLUDE)
install(FILES ${CMAKE_SOURCE_DIR}/assets/almanor.svg
        DESTINATION share/icons/hicolor/scalable/apps)
install(CODE "set(ALMANOR_REGISTER_TOOL \"$<TARGET_FILE:almanor-register>\")
set(ALMANOR_INSTALL_DIR \"${ALMANOR_INSTALL_DIR}\")")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/InstallLauncher.cmake)
