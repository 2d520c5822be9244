#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds everything from nothing with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test (tests that need an X server under xvfb-run);
# checks the Qt code with clazy; runs the threaded tests under ThreadSanitizer; then builds the
# libFuzzer targets with clang and runs each for a few seconds.
set -euo pipefail
cd "$(dirname "$0")"
tools/ensure-deps.sh

# Unoptimised: the build is most of the run, -O0 builds in about half the time of -O1, and the
# tests take as long either way.
build=build/asan
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG="-O0 -g" \
    -DPLATTERWISE_SANITIZE=ON -DPLATTERWISE_WERROR=ON >/dev/null
cmake --build "$build"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
(cd "$build" && xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j"$(nproc)" "$@")

# Connections without a context object, which Qt 6.7 refuses to compile and this Qt accepts.
tools/clazy.sh "$build"

# The tests of the code that runs threads, under ThreadSanitizer: a build folder of its own
# with only their executables (-O1: TSan's own advice, and its runs are several times faster).
tools/tsan.sh

tools/fuzz.sh 5
