# SPDX-License-Identifier: GPL-3.0-or-later
# One INTERFACE target carries the compile settings that every target of the project shares.

add_library(platterwise_settings INTERFACE)
target_compile_features(platterwise_settings INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
# Qt's headers are system headers, so these judge our code only.
target_compile_options(platterwise_settings INTERFACE
    -Wall -Wextra -Wpedantic -Wcast-align -Wcast-qual
    $<$<COMPILE_LANGUAGE:CXX>:-Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual>
    $<$<COMPILE_LANG_AND_ID:CXX,GNU>:-Wstrict-null-sentinel>)
if(PLATTERWISE_WERROR)
    target_compile_options(platterwise_settings INTERFACE -Werror)
endif()
# Text reaches a QString only through a stated encoding, and connections die with a context:
# from Qt 6.7 on, QT_NO_CONTEXTLESS_CONNECT makes connect(sender, signal, functor) a compile
# error, since such a connection outlives whatever the functor captures. Older Qt ignores the
# define; there tools/clazy.sh (in the test command) finds such connects instead.
target_compile_definitions(platterwise_settings INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CONTEXTLESS_CONNECT
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_URL_CAST_FROM_STRING
    QT_NO_FOREACH)

if(PLATTERWISE_SANITIZE AND PLATTERWISE_TSAN)
    message(FATAL_ERROR "PLATTERWISE_SANITIZE and PLATTERWISE_TSAN cannot be combined")
endif()
if(PLATTERWISE_SANITIZE)
    target_compile_options(platterwise_settings INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(platterwise_settings INTERFACE -fsanitize=address,undefined)
endif()
if(PLATTERWISE_TSAN)
    target_compile_options(platterwise_settings INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
    target_link_options(platterwise_settings INTERFACE -fsanitize=thread)
endif()
