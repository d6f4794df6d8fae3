#!/bin/sh
# Grabs the loop editor with loop 1 of an example design open to docs/loop-editor.png, without
# a display. Usage: scripts/screenshot-loop-editor.sh [DESIGN.QMR] [LOOP]
set -e
cd "$(dirname "$0")/.."
design=${1:-examples/Office.QMR}
loop=${2:-1}
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target grab-loop-editor
mkdir -p docs
QT_QPA_PLATFORM=offscreen build/tools/grab-loop-editor "$design" "$loop" docs/loop-editor.png
echo "docs/loop-editor.png"
