# SPDX-License-Identifier: GPL-3.0-or-later
include(GoogleTest)

# platterwise_add_test(<name> SOURCES <files...> LIBS <targets...> [QT] [XSERVER])
#
# One GoogleTest executable, its cases registered with CTest one by one.
# QT      links the shared main that creates a QApplication on the offscreen platform.
# XSERVER links the main that insists on a real X server (the xcb platform and DISPLAY);
#         such tests carry the label "xserver", run one at a time, and the test command runs
#         CTest under xvfb-run.
function(platterwise_add_test name)
    cmake_parse_arguments(ARG "QT;XSERVER" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE platterwise_settings ${ARG_LIBS} platterwise_test_support)
    if(NOT ARG_QT AND NOT ARG_XSERVER)
        set_target_properties(${name} PROPERTIES AUTOMOC OFF)
    endif()
    if(ARG_XSERVER)
        target_link_libraries(${name} PRIVATE platterwise_x_test_main Qt6::Test)
        set(labels xserver)
        # One X session serves every such test; grabs and focus must not interleave.
        set(lock RESOURCE_LOCK x11-session)
    elseif(ARG_QT)
        target_link_libraries(${name} PRIVATE platterwise_qt_test_main Qt6::Test)
        set(labels offscreen)
    else()
        target_link_libraries(${name} PRIVATE platterwise_test_main)
        set(labels plain)
    endif()
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES LABELS ${labels} ${lock})
endfunction()
