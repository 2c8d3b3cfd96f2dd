# Runs at install time, after the files are in place: writes the desktop launcher and records
# the installation folder for the Remover. Expects ALMANOR_REGISTER_TOOL and ALMANOR_INSTALL_DIR.

set(prefix "${CMAKE_INSTALL_PREFIX}")
set(folder "${prefix}/${ALMANOR_INSTALL_DIR}")
set(icon "${prefix}/share/icons/hicolor/scalable/apps/almanor.svg")

# A prefix inside the user's home is a per-user installation.
set(per_user FALSE)
if(DEFINED ENV{HOME} AND NOT "$ENV{HOME}" STREQUAL "" AND NOT "$ENV{HOME}" STREQUAL "/")
    set(home "$ENV{HOME}")
    cmake_path(IS_PREFIX home "${prefix}" NORMALIZE per_user)
endif()

# A per-user launcher goes where the desktop looks for the user's launchers, whatever the
# prefix; a system-wide one goes below the prefix. When staging into DESTDIR (packaging),
# everything stays below the prefix and nothing is recorded on this machine.
set(staging FALSE)
if(DEFINED ENV{DESTDIR} AND NOT "$ENV{DESTDIR}" STREQUAL "")
    set(staging TRUE)
endif()
if(per_user AND NOT staging)
    if(DEFINED ENV{XDG_DATA_HOME} AND IS_ABSOLUTE "$ENV{XDG_DATA_HOME}")
        set(applications "$ENV{XDG_DATA_HOME}/applications")
    else()
        set(applications "$ENV{HOME}/.local/share/applications")
    endif()
else()
    set(applications "$ENV{DESTDIR}${prefix}/share/applications")
endif()

# Exec takes a quoted path: inside the quotes \ " ` $ are escaped with a backslash, and the
# file's own escaping doubles every backslash again; % is doubled.
function(exec_quote path out)
    string(REPLACE "\\" "\\\\\\\\" path "${path}")
    string(REPLACE "\"" "\\\\\"" path "${path}")
    string(REPLACE "`" "\\\\`" path "${path}")
    string(REPLACE "$" "\\\\$" path "${path}")
    string(REPLACE "%" "%%" path "${path}")
    set(${out} "\"${path}\"" PARENT_SCOPE)
endfunction()
exec_quote("${folder}/Almanor" exec_calendar)
exec_quote("${folder}/PositionReset" exec_reset)
exec_quote("${folder}/Remover" exec_remover)

set(launcher "${applications}/almanor.desktop")
message(STATUS "Installing: ${launcher}")
file(MAKE_DIRECTORY "${applications}")
file(WRITE "${launcher}" "[Desktop Entry]
Type=Application
Name=Almanor
GenericName=Desktop Calendar
Comment=A month calendar on the desktop, with a note for any day
Exec=${exec_calendar}
Path=${folder}
Icon=${icon}
Terminal=false
Categories=Office;Calendar;
Actions=reset-position;remove-data;

[Desktop Action reset-position]
Name=Reset the calendar's position
Exec=${exec_reset}

[Desktop Action remove-data]
Name=Remove events and wallpaper packs
Exec=${exec_remover}
")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${launcher}")

if(staging)
    message(STATUS "Staging into DESTDIR: InstallPath not recorded")
    return()
endif()
execute_process(COMMAND "${ALMANOR_REGISTER_TOOL}" record "${folder}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_STRIP_TRAILING_WHITESPACE)
if(NOT result EQUAL 0)
    # The programs are installed; only the Remover will have to ask for its folder.
    message(WARNING "${output}\nThe Remover will ask for the installation folder.")
else()
    message(STATUS "${output}")
endif()
