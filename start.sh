#!/usr/bin/env bash
# Installs what is missing, builds the program (optimised) and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/ensure-deps.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target platterwise-cli
exec "$build/cli/platterwise-cli" --help
