#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the program (optimised) and starts it. Without a display it
# says so and shows how to run it under xvfb-run.
set -euo pipefail
cd "$(dirname "$0")"
tools/ensure-deps.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target platterwise platterwise-cli
exec "$build/app/platterwise" "$@"
