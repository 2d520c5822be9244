# QT_NO_CONTEXTLESS_CONNECT makes QObject::connect(sender, signal, functor) a compile error
# from Qt 6.7 on: such a connection outlives whatever the functor captures. Older Qt ignores
# the define, so for them the build gets a copy of qobject.h whose two context-less overloads
# fail with a static_assert while the define is set, placed ahead of Qt's own headers. A Qt
# whose qobject.h has another shape gets a warning, and the boundary test fails.
#
# platterwise_guard_contextless_connect(<interface-target>)
function(platterwise_guard_contextless_connect target)
    target_compile_definitions(${target} INTERFACE QT_NO_CONTEXTLESS_CONNECT)
    if(Qt6Core_VERSION VERSION_GREATER_EQUAL 6.7)
        return()
    endif()

    get_target_property(dirs Qt6::Core INTERFACE_INCLUDE_DIRECTORIES)
    set(qtcore "")
    foreach(dir IN LISTS dirs)
        if(dir MATCHES "/QtCore$" AND EXISTS "${dir}/qobject.h")
            set(qtcore "${dir}")
        endif()
    endforeach()
    if(NOT qtcore)
        message(FATAL_ERROR "QtCore's qobject.h not found among ${dirs}")
    endif()

    file(READ "${qtcore}/qobject.h" header)
    set(refusal [[
#ifdef QT_NO_CONTEXTLESS_CONNECT
        static_assert(sizeof(Func2) == 0,
                      "connect() without a context object: pass the receiver or a context");
#endif
]])
    set(replaced 0)
    foreach(body "return connect(sender, signal, sender, slot, Qt::DirectConnection);"
                 "return connect(sender, signal, sender, std::move(slot), Qt::DirectConnection);")
        string(FIND "${header}" "${body}" at)
        if(at GREATER_EQUAL 0)
            string(REPLACE "${body}" "${refusal}        ${body}" header "${header}")
            math(EXPR replaced "${replaced} + 1")
        endif()
    endforeach()
    if(NOT replaced EQUAL 2)
        # The build goes on; the boundary.contextless_connect test then fails and says so.
        message(WARNING "qobject.h of Qt ${Qt6Core_VERSION} has an unexpected shape: "
                        "context-less connects are not refused by this build")
        return()
    endif()

    # Both spellings reach the copy: <QtCore/qobject.h> through the first directory, and
    # <QObject> or "qobject.h" from a forwarding header through the second. Plain -I
    # directories come before Qt's -isystem ones; the pragma keeps the copy a system header.
    set(compat "${PROJECT_BINARY_DIR}/qt-compat")
    file(REMOVE_RECURSE "${compat}")
    file(WRITE "${compat}/QtCore/qobject.h" "#pragma GCC system_header\n${header}")
    foreach(forwarder QObject QObjectData QObjectList QSignalBlocker QtCore)
        file(COPY "${qtcore}/${forwarder}" DESTINATION "${compat}/QtCore")
    endforeach()
    target_include_directories(${target} INTERFACE "${compat}" "${compat}/QtCore")
endfunction()
