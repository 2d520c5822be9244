#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source file names its licence in its first line (after a shebang, for scripts).
#
#   tools/spdx.sh          # list the files without it; exit status 1 when there is one
#   tools/spdx.sh --fix    # insert the line into those files
#
# Sources: C and C++ files (// comment) and CMake, shell and Python files (# comment), as git
# knows them (tracked or new and not ignored); outside a git checkout, every such file
# below the source folder but the build folders.
set -euo pipefail
cd "$(dirname "$0")/.."
tag="SPDX-License-Identifier: GPL-3.0-or-later"

fix=0
case "${1:-}" in
"") ;;
--fix) fix=1 ;;
*)
    echo "usage: $0 [--fix]" >&2
    exit 2
    ;;
esac

sources() {
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        git ls-files -z --cached --others --exclude-standard
    else
        find . -path ./build -prune -o -type f -print0 | sed -z 's|^\./||'
    fi
}

# The comment style of a file, or nothing when the file is not a source this rule covers.
style() {
    case "$1" in
    *.cpp | *.h | *.c | *.hpp | *.cc) echo "//" ;;
    *CMakeLists.txt | *.cmake | *.sh | *.py) echo "#" ;;
    esac
}

# The line the tag belongs on: 2 after a shebang, else 1.
tag_line() {
    if [ "$(head -c 2 "$1")" = "#!" ]; then echo 2; else echo 1; fi
}

missing=0
while IFS= read -r -d '' file; do
    [ -f "$file" ] || continue # deleted but still in the index
    comment="$(style "$file")"
    [ -n "$comment" ] || continue
    line="$(tag_line "$file")"
    [ "$(sed -n "${line}p" "$file")" = "$comment $tag" ] && continue
    if ((fix)); then
        if [ "$line" -eq 2 ]; then
            sed -i "1a $comment $tag" "$file"
        elif [ -s "$file" ]; then
            sed -i "1i $comment $tag" "$file"
        else
            echo "$comment $tag" >"$file"
        fi
        echo "added: $file"
    else
        echo "no licence line: $file"
        missing=$((missing + 1))
    fi
done < <(sources)

if ((missing)); then
    echo "$missing source files lack '$tag' in their first line (after a shebang);" \
        "tools/spdx.sh --fix adds it" >&2
    exit 1
fi
