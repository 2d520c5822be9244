# One INTERFACE target carries the compile settings that every target of the project shares.
add_library(platterwise_settings INTERFACE)
target_compile_features(platterwise_settings INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(platterwise_settings INTERFACE -Wall -Wextra -Wpedantic)
if(PLATTERWISE_WERROR)
    target_compile_options(platterwise_settings INTERFACE -Werror)
endif()
target_compile_definitions(platterwise_settings INTERFACE
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
