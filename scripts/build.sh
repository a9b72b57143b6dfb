#!/usr/bin/env bash
# Configures and builds into the folder given (default: build), with any extra CMake options.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
cmake -S . -B "$dir" "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"
