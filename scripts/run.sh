#!/usr/bin/env bash
# Installs what is missing, builds the program and runs its main job on the shipped data.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target quelmar-cli
./build/src/cli/quelmar-cli --data-dir data check-data
./build/src/cli/quelmar-cli --data-dir data calc examples/Hospital.QMR
