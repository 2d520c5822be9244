#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the test executables of the code that runs threads with ThreadSanitizer, in a build
# folder of their own, and runs their threaded cases: the disc job, the window's job runner,
# the folder walk, the directory watch and the shell's change notifier. A data race or a lock
# order inversion fails the run.
#
#   tools/tsan.sh      # build/tsan
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/tsan
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
    -DPLATTERWISE_TSAN=ON -DPLATTERWISE_WERROR=ON >/dev/null

# executable and the gtest filter of its threaded cases
runs=(
    "disc/disc_tests DiscJob*"
    "engine/engine_tests SumFolderSize*:WalkFailure*:*Walk*"
    "platform/platform_tests DirectoryWatch*"
    "shell/shell_tests ShellChangeNotifier*"
    "app/app_tests DiscActions*"
)
targets=()
for run in "${runs[@]}"; do
    read -r exe _ <<<"$run"
    targets+=("$(basename "$exe")")
done
cmake --build "$build" --target "${targets[@]}"

# Qt's libraries are not instrumented: what they do inside is not ours to report.
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/tools/tsan.supp:${TSAN_OPTIONS:-}"
export QT_QPA_PLATFORM=offscreen
status=0
for run in "${runs[@]}"; do
    read -r exe filter <<<"$run"
    log="$(mktemp)"
    if ! "$build/tests/$exe" --gtest_filter="$filter" >"$log" 2>&1; then
        cat "$log"
        echo "ThreadSanitizer run failed: $exe --gtest_filter=$filter" >&2
        status=1
    elif ! grep -qE '^\[  PASSED  \] [1-9]' "$log"; then
        # A renamed suite must not quietly leave the race check with nothing to run.
        cat "$log"
        echo "no test of $exe matches $filter" >&2
        status=1
    else
        echo "tsan: $(grep -E '^\[  PASSED  \]' "$log") $exe"
    fi
    rm -f "$log"
done
exit $status
