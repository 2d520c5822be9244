#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang in build/fuzz and runs each for SECONDS (default 60),
# starting from its seed corpus in fuzz/corpus/<target>/; what a run finds worth keeping goes
# to build/fuzz/corpus/<target>/, never into the repository. Prints the executions of every
# target; fails on any crash, sanitizer report, time-out or leak, leaving the input that caused
# it in build/fuzz/artifacts/.
#
#   tools/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true

build=build/fuzz
cmake -S . -B "$build" -G Ninja -DPLATTERWISE_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" --target fuzzers >/dev/null

targets=("$@")
if ((${#targets[@]} == 0)); then
    for dir in fuzz/corpus/*/; do
        targets+=("$(basename "$dir")")
    done
fi

export QT_QPA_PLATFORM=offscreen
mkdir -p "$build/artifacts"
failed=0
for t in "${targets[@]}"; do
    mkdir -p "$build/corpus/$t"
    log="$build/$t.log"
    if "$build/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$build/artifacts/$t-" "$build/corpus/$t" "fuzz/corpus/$t" >"$log" 2>&1; then
        runs=$(sed -n 's/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\1 \2/p' "$log")
        read -r n s <<<"${runs:-0 0}"
        printf '%-24s %12s executions in %3s s (%s per second)\n' "$t" "$n" "$s" \
            "$((s > 0 ? n / s : n))"
    else
        echo "$t: FAILED (log: $log)" >&2
        tail -n 40 "$log" >&2
        failed=1
    fi
done
exit "$failed"
