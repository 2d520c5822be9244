# SPDX-License-Identifier: GPL-3.0-or-later
# The release history in packaging/releases, read once at configure time, as the Debian
# changelog and the AppStream <releases> element; and the date the manual pages carry.
#
# platterwise_read_releases(<file>) sets in the caller's scope:
#   PLATTERWISE_CHANGELOG       the Debian changelog text, one entry per release
#   PLATTERWISE_APPSTREAM       the <release> elements, newest first
#   PLATTERWISE_SOURCE_EPOCH    SOURCE_DATE_EPOCH when set, else the last commit's time, else
#                               noon of the newest release's date (a source tarball)
# Fails when the newest release is not PROJECT_VERSION: the version lives in one place.
function(platterwise_read_releases file)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
    file(STRINGS ${file} lines ENCODING UTF-8)
    set(versions)
    foreach(line IN LISTS lines)
        if(line MATCHES "^#" OR line STREQUAL "")
            continue()
        elseif(line MATCHES "^([0-9][0-9.]*) ([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9])$")
            set(v ${CMAKE_MATCH_1})
            list(APPEND versions ${v})
            set(date_${v} ${CMAKE_MATCH_2})
            set(notes_${v})
        elseif(line MATCHES "^  (.+)$" AND versions)
            list(APPEND notes_${v} "${CMAKE_MATCH_1}")
        else()
            message(FATAL_ERROR "${file}: a line that is neither a release nor its notes: ${line}")
        endif()
    endforeach()
    list(GET versions 0 newest)
    if(NOT newest VERSION_EQUAL PROJECT_VERSION)
        message(FATAL_ERROR "${file} begins with release ${newest}, but project(VERSION) "
                            "says ${PROJECT_VERSION}: add the release's notes, or set the version")
    endif()

    set(changelog "")
    set(appstream "")
    foreach(v IN LISTS versions)
        execute_process(COMMAND date -u -R -d "${date_${v}} 12:00:00 UTC"
                        OUTPUT_VARIABLE stamp OUTPUT_STRIP_TRAILING_WHITESPACE
                        COMMAND_ERROR_IS_FATAL ANY)
        list(JOIN notes_${v} "\n    " entry)
        string(APPEND changelog "platterwise (${v}) unstable; urgency=medium\n\n  * ${entry}\n\n"
                                " -- Platterwise developers <platterwise@example.org>  ${stamp}\n\n")
        list(JOIN notes_${v} "\n          " text)
        string(APPEND appstream "    <release version=\"${v}\" date=\"${date_${v}}\">\n"
                                "      <description>\n        <p>${text}</p>\n"
                                "      </description>\n    </release>\n")
    endforeach()
    string(REGEX REPLACE "\n\n$" "\n" changelog "${changelog}")
    string(REGEX REPLACE "\n$" "" appstream "${appstream}")

    if(DEFINED ENV{SOURCE_DATE_EPOCH})
        set(epoch $ENV{SOURCE_DATE_EPOCH})
    else()
        execute_process(COMMAND git -C ${PROJECT_SOURCE_DIR} log -1 --format=%ct
                        OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                        RESULT_VARIABLE failed ERROR_QUIET)
        if(failed OR NOT epoch MATCHES "^[0-9]+$")
            execute_process(COMMAND date -u -d "${date_${newest}} 12:00:00 UTC" +%s
                            OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                            COMMAND_ERROR_IS_FATAL ANY)
        endif()
    endif()
    set(PLATTERWISE_CHANGELOG "${changelog}" PARENT_SCOPE)
    set(PLATTERWISE_APPSTREAM "${appstream}" PARENT_SCOPE)
    set(PLATTERWISE_SOURCE_EPOCH ${epoch} PARENT_SCOPE)
endfunction()
