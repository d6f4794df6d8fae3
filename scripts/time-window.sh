#!/usr/bin/env bash
# Times the windowed program offscreen from process start until its main window is shown and
# ready on the shipped data (every catalogue loaded, a new design calculated, first activation
# done), then ends: the median of 21 runs. With a design file given, it is opened as well.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target quelmar >/dev/null
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
printf '[Software\\Tarvex\\Tarvex Quelmar]\nFirstTimeDone=number:-1\nLatestVersion=text:1.00\n' \
  >"$config/settings.ini"
times=()
for _ in $(seq 21); do
  start=$(date +%s%N)
  QT_QPA_PLATFORM=offscreen ./build/src/ui/quelmar --data-dir data --config-dir "$config" \
    --exit-when-shown "$@" 2>/dev/null
  end=$(date +%s%N)
  times+=($(((end - start) / 1000000)))
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "process start to main window shown (offscreen), median of 21: ${sorted[10]} ms" \
  "(fastest ${sorted[0]} ms, slowest ${sorted[20]} ms)"
