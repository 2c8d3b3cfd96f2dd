# Removes what `cmake --install` put in place, as listed in the build's install manifest, and
# forgets the recorded "InstallPath".
#   cmake -DBUILD_DIR=<build> -P cmake/Uninstall.cmake
# Files the programs made after installation (calendar.dat, packs added later) are left, and
# with them the installation folder; the Remover is the way to delete those.
if(NOT BUILD_DIR)
    set(BUILD_DIR build)
endif()
set(manifest "${BUILD_DIR}/install_manifest.txt")
if(NOT EXISTS "${manifest}")
    message(FATAL_ERROR "${manifest} not found: nothing was installed from ${BUILD_DIR}")
endif()
file(STRINGS "${manifest}" installed)

set(folder "")
foreach(path IN LISTS installed)
    if(path MATCHES "^(.*/lib/almanor)/Almanor$")
        set(folder "${CMAKE_MATCH_1}")
    endif()
endforeach()

set(parents "")
foreach(path IN LISTS installed)
    if(EXISTS "${path}" OR IS_SYMLINK "${path}")
        message(STATUS "Removing: ${path}")
        file(REMOVE "${path}")
    endif()
    cmake_path(GET path PARENT_PATH parent)
    list(APPEND parents "${parent}")
endforeach()

# Emptied folders of the installation folder go, deepest first; shared folders stay.
if(folder)
    list(APPEND parents "${folder}")
    list(REMOVE_DUPLICATES parents)
    list(SORT parents ORDER DESCENDING)
    foreach(dir IN LISTS parents)
        cmake_path(IS_PREFIX folder "${dir}" NORMALIZE inside)
        if(inside AND IS_DIRECTORY "${dir}")
            file(GLOB left LIST_DIRECTORIES true "${dir}/*" "${dir}/.*")
            if(left)
                message(STATUS "Keeping: ${dir} (holds files made after installation)")
            else()
                file(REMOVE_RECURSE "${dir}") # empty, as just checked
            endif()
        endif()
    endforeach()

    set(tool "${BUILD_DIR}/tools/almanor-register")
    if(EXISTS "${tool}")
        execute_process(COMMAND "${tool}" forget "${folder}" RESULT_VARIABLE result)
    else()
        message(WARNING "${tool} not built: InstallPath not forgotten")
    endif()
endif()
