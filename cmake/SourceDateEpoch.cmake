# SPDX-FileCopyrightText: 2026 The Durnoval developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The one time the build records, so that the same commit gives the same bytes wherever and
# whenever it is built: SOURCE_DATE_EPOCH when the environment sets it, as distributions do,
# else the committer time of the checked-out commit, else the release date.
# Sets DURNOVAL_SOURCE_DATE_EPOCH, in seconds since 1970-01-01 UTC.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(DURNOVAL_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
    set(epoch_origin "SOURCE_DATE_EPOCH")
else()
    set(DURNOVAL_SOURCE_DATE_EPOCH "")
    # Only the tree's own repository: sources unpacked inside another one must not take its time.
    find_package(Git QUIET)
    if(Git_FOUND AND EXISTS ${PROJECT_SOURCE_DIR}/.git)
        execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
            OUTPUT_VARIABLE DURNOVAL_SOURCE_DATE_EPOCH
            OUTPUT_STRIP_TRAILING_WHITESPACE
            ERROR_QUIET)
        set(epoch_origin "the commit")
    endif()
    if(NOT DURNOVAL_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
        execute_process(COMMAND date --utc --date ${DURNOVAL_RELEASE_DATE} +%s
            OUTPUT_VARIABLE DURNOVAL_SOURCE_DATE_EPOCH
            OUTPUT_STRIP_TRAILING_WHITESPACE
            COMMAND_ERROR_IS_FATAL ANY)
        set(epoch_origin "the release date")
    endif()
endif()
if(NOT DURNOVAL_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH must be whole seconds since 1970, "
                        "not '${DURNOVAL_SOURCE_DATE_EPOCH}'")
endif()
message(STATUS "Build time: ${DURNOVAL_SOURCE_DATE_EPOCH} (from ${epoch_origin})")
unset(epoch_origin)

# Tools run by the build read it from their environment: rcc records it as the resources'
# modification time instead of the files' own, which depend on when the tree was checked out.
# The launcher works with the Makefile and Ninja generators.
set_property(DIRECTORY PROPERTY RULE_LAUNCH_CUSTOM
    "\"${CMAKE_COMMAND}\" -E env SOURCE_DATE_EPOCH=${DURNOVAL_SOURCE_DATE_EPOCH}")

# Changes only when the time does, for what records the time to depend on.
set(DURNOVAL_SOURCE_DATE_EPOCH_STAMP ${PROJECT_BINARY_DIR}/source-date-epoch)
file(CONFIGURE OUTPUT ${DURNOVAL_SOURCE_DATE_EPOCH_STAMP}
    CONTENT "${DURNOVAL_SOURCE_DATE_EPOCH}\n")

# durnoval_follow_build_time(TARGET...): the generated sources of these targets, such as the
# resources rcc compiles, are made again when the build time changes, as after a new commit;
# the Makefile generator does not rerun a command only because its command line changed.
function(durnoval_follow_build_time)
    foreach(target IN LISTS ARGN)
        get_target_property(sources ${target} SOURCES)
        foreach(source IN LISTS sources)
            get_source_file_property(generated ${source} GENERATED)
            if(generated)
                add_custom_command(OUTPUT ${source} APPEND
                    DEPENDS ${DURNOVAL_SOURCE_DATE_EPOCH_STAMP})
            endif()
        endforeach()
    endforeach()
endfunction()
