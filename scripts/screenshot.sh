#!/usr/bin/env bash
# Makes docs/main-window.png: the main window with the hospital example, drawn by the program
# itself offscreen (no display needed), with fresh settings so that no first-run window shows.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target quelmar
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
printf '[Software\\Tarvex\\Tarvex Quelmar]\nFirstTimeDone=number:-1\nLatestVersion=text:1.00\n' \
  >"$config/settings.ini"
mkdir -p docs
QT_QPA_PLATFORM=offscreen ./build/src/ui/quelmar --data-dir data --config-dir "$config" \
  --grab docs/main-window.png "$PWD/examples/Hospital.QMR" 2>/dev/null
echo "docs/main-window.png written"
