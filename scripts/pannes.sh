#!/usr/bin/env bash
# The full form of the fault tests: every call of the commit path made to fail with both EIO
# and ENOSPC, writes cut to 7 bytes so that a failure lands at many points of each file, and
# 200 kills of a large insertion; then the full-disk test. Builds into the folder given
# (default: build), with any extra CMake options, e.g. scripts/pannes.sh build-asan -DVORLAN_SANITIZE=ON.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
cmake -S . -B "$dir" -DVORLAN_TESTS=ON "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)" --target pannes_tests
VORLAN_PANNES_COMPLET=1 ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} "$dir/tests/pannes_tests"
