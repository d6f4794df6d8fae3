#!/usr/bin/env bash
# Renders the first page of the Hospital example's printed report to a PNG (for the README).
#   scripts/report-png.sh [OUT.png]      default: docs/hospital-report.png
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-docs/hospital-report.png}"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target quelmar-cli
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# A fixed locale and fresh settings, so that the picture is the same on every machine.
LC_ALL=en_GB.UTF-8 ./build/src/cli/quelmar-cli --data-dir data --user-dir "$work/user" \
  --config-dir "$work/config" report examples/Hospital.QMR --pdf "$work/hospital.pdf"
pdftoppm -png -r 110 -f 1 -l 1 -singlefile "$work/hospital.pdf" "$work/page"
mkdir -p "$(dirname "$out")"
mv "$work/page.png" "$out"
echo "$out"
