# SPDX-License-Identifier: GPL-3.0-or-later
# platterwise_public_headers(<library>)
#
# Gives <library> an include root of its own in the build tree, holding links to its public
# headers (every .h among its sources except the _p.h ones) at the folder path they have in
# the source tree, so that they are included as "engine/FolderSize.h". Only targets that link
# <library> see them: an include that crosses a boundary the architecture forbids fails to
# compile. Private headers are included relatively, from the library's own sources.
#
# It also makes <library>_private, an interface target whose root links every header of the
# library, _p.h ones included ("engine/FolderWalker_p.h"). Only the library's own tests link
# it, to test its internals.
function(platterwise_public_headers library)
    get_target_property(sources ${library} SOURCES)
    file(RELATIVE_PATH folder "${PROJECT_SOURCE_DIR}" "${CMAKE_CURRENT_SOURCE_DIR}")
    set(root "${PROJECT_BINARY_DIR}/include/${library}")
    set(private_root "${PROJECT_BINARY_DIR}/include/${library}_private")
    file(REMOVE_RECURSE "${root}" "${private_root}")
    file(MAKE_DIRECTORY "${root}/${folder}" "${private_root}/${folder}")
    foreach(source IN LISTS sources)
        if(NOT source MATCHES "\\.h$")
            continue()
        endif()
        if(IS_ABSOLUTE "${source}")
            message(FATAL_ERROR "${library}: list ${source} relative to its folder")
        endif()
        set(header "${CMAKE_CURRENT_SOURCE_DIR}/${source}")
        file(CREATE_LINK "${header}" "${private_root}/${folder}/${source}" SYMBOLIC)
        if(NOT source MATCHES "_p\\.h$")
            file(CREATE_LINK "${header}" "${root}/${folder}/${source}" SYMBOLIC)
        endif()
    endforeach()
    get_target_property(type ${library} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${library} INTERFACE "${root}")
    else()
        target_include_directories(${library} PUBLIC "${root}")
    endif()
    add_library(${library}_private INTERFACE)
    target_include_directories(${library}_private INTERFACE "${private_root}")
    target_link_libraries(${library}_private INTERFACE ${library})
endfunction()
