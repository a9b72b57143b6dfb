#!/usr/bin/env bash
# Installs what is missing, builds, and runs the bundled example: dump a ROM's text, change a line, put it back.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build -DVORLAN_TESTS=OFF -DVORLAN_BENCH=OFF
cd examples
../build/vorlan-tool -e demo.lua
