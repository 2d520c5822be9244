#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The naming convention and the braces, checked by clang-tidy (.clang-tidy) over every
# translation unit of a build's compile database (configure one first; the Debug tree of
# ./test.sh will do). It parses every file with Qt's headers: minutes on two cores, so CI does
# not run it. Run it before sending a change that adds classes or members.
#
#   tools/tidy.sh [build-dir]         report what breaks the convention; fails if anything does
#   tools/tidy.sh --fix [build-dir]   rename (tools/rename-to-convention.py), add the braces,
#                                     then clang-format what changed; build and test after
set -euo pipefail
cd "$(dirname "$0")/.."
fix=0
if [ "${1:-}" = "--fix" ]; then
    fix=1
    shift
fi
build="${1:-build/asan}"
[ -f "$build/compile_commands.json" ] || { echo "no $build/compile_commands.json" >&2; exit 2; }
# GCC's warning flags are read by clang here: -Wno-unknown-warning-option lets it pass them.
# Our C++ sources, not the generated ones and not the cases that must fail to compile.
files="^$PWD/(app|bench|cli|disc|engine|fuzz|platform|tests/(?!boundaries/)|tools|widgets)/.*\.cpp$"

if [ "$fix" = 1 ]; then
    before=$(git status --porcelain)
    tools/rename-to-convention.py "$build"
    run-clang-tidy -p "$build" -quiet -fix -checks='-*,readability-braces-around-statements' \
        -extra-arg=-Wno-unknown-warning-option "$files" >/dev/null
    git status --porcelain | sed 's/^...//' | grep -E '\.(cpp|h)$' | xargs -r clang-format -i
    [ -n "$before" ] || git status --short
    exit 0
fi

# A public header is seen through its library's include root too: name it by its source path.
report=$(run-clang-tidy -p "$build" -quiet -extra-arg=-Wno-unknown-warning-option "$files" 2>/dev/null |
    sed 's/\x1b\[[0-9;]*m//g' |
    grep -E 'warning: .*\[readability-(identifier-naming|braces-around-statements)\]' |
    sed -E "s#^$PWD/(build[^/]*/[^/]*/include/[^/]*/)?##" | sort -u || true)
if [ -n "$report" ]; then
    echo "$report"
    echo "$(echo "$report" | wc -l) places break the convention (tools/tidy.sh --fix mends them)"
    exit 1
fi
echo "naming and braces: clean"
