#!/usr/bin/env bash
# Installs what is missing, builds the programs and opens the main window on the shipped data with
# the hospital example loaded. Without a display it says so and prints the calculation instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target quelmar quelmar-cli
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: here is what the main window would show (quelmar-cli calc)."
  exec ./build/src/cli/quelmar-cli --data-dir data calc examples/Hospital.QMR
fi
exec ./build/src/ui/quelmar --data-dir data examples/Hospital.QMR
