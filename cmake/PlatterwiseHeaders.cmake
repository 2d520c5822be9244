# platterwise_public_headers(<library>)
#
# Gives <library> an include root of its own in the build tree, holding links to its public
# headers (every .h among its sources except the _p.h ones) at the folder path they have in
# the source tree, so that they are included as "engine/FolderSize.h". Only targets that link
# <library> see them: an include that crosses a boundary the architecture forbids fails to
# compile. Private headers are included relatively, from the library's own sources.
function(platterwise_public_headers library)
    get_target_property(sources ${library} SOURCES)
    file(RELATIVE_PATH folder "${PROJECT_SOURCE_DIR}" "${CMAKE_CURRENT_SOURCE_DIR}")
    set(root "${PROJECT_BINARY_DIR}/include/${library}")
    file(REMOVE_RECURSE "${root}")
    file(MAKE_DIRECTORY "${root}/${folder}")
    foreach(source IN LISTS sources)
        if(source MATCHES "\\.h$" AND NOT source MATCHES "_p\\.h$")
            if(IS_ABSOLUTE "${source}")
                message(FATAL_ERROR "${library}: list ${source} relative to its folder")
            endif()
            file(CREATE_LINK "${CMAKE_CURRENT_SOURCE_DIR}/${source}" "${root}/${folder}/${source}"
                 SYMBOLIC)
        endif()
    endforeach()
    get_target_property(type ${library} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${library} INTERFACE "${root}")
    else()
        target_include_directories(${library} PUBLIC "${root}")
    endif()
endfunction()
