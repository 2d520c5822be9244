#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Finds connections without a context object (connect(sender, signal, functor)), which
# outlive whatever the functor captures, with clazy's connect-3arg-lambda check. Qt 6.7 and
# later refuse them at compile time (QT_NO_CONTEXTLESS_CONNECT); this catches them on the Qt
# that Debian 12 ships. Runs clazy on the compile commands of a configured build folder.
#
#   tools/clazy.sh BUILD-DIR              # every source of the Qt libraries and the program
#   tools/clazy.sh BUILD-DIR SOURCE...    # those sources only
#
# Exit status 1 and the findings when there is one.
set -euo pipefail
build="$(realpath "$1")"
shift
root="$(cd "$(dirname "$0")/.." && pwd)"
commands="$build/compile_commands.json"
[ -f "$commands" ] || { echo "no $commands: configure the build first" >&2; exit 2; }

if (($#)); then
    files=("$@")
else
    # The libraries that use Qt (the engine, disc and command-line libraries do not).
    mapfile -t files < <(sed -n 's/^ *"file": "\(.*\)",\{0,1\}$/\1/p' "$commands" |
        grep -E "^$root/(app|desktop|platform|widgets)/[^/].*\.cpp$" | LC_ALL=C sort -u)
fi
((${#files[@]})) || { echo "no sources to check" >&2; exit 2; }

log="$(mktemp)"
trap 'rm -f "$log"' EXIT
# The compile commands may be GCC's: clang is told to let its flags and warnings pass; only
# clazy's finding counts.
printf '%s\0' "${files[@]}" |
    xargs -0 -n 4 -P "$(nproc)" clazy-standalone -p "$build" --checks=connect-3arg-lambda \
        --extra-arg=-Wno-unknown-warning-option --extra-arg=-Wno-error \
        --extra-arg=-Wno-everything --extra-arg=-Wclazy-connect-3arg-lambda \
        >"$log" 2>&1 || true
if grep -A 3 -e '-Wclazy-connect-3arg-lambda' "$log"; then
    echo "connect() without a context object: pass the receiver or a context object" >&2
    exit 1
fi
if grep -E '(^|: )(fatal )?error:' "$log"; then
    echo "clazy could not read these sources" >&2
    exit 2
fi
echo "clazy connect-3arg-lambda: ${#files[@]} sources, no connect() without a context"
