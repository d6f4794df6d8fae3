#!/usr/bin/env bash
# Whole-process time of `quelmar-cli calc --json examples/Hospital.QMR` against a bare
# `quelmar-cli check-data`: 21 runs of each, alternating, then the medians and their ratio.
#   scripts/time-cli.sh [path/to/quelmar-cli]
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${1:-build/src/cli/quelmar-cli}
runs=21
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
folders=(--data-dir data --user-dir "$scratch/user" --config-dir "$scratch/config")

# Microseconds one run of the command takes, output discarded.
time_once() {
    local start end
    start=$(date +%s%N)
    "$cli" "${folders[@]}" "$@" >/dev/null
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}

median() { sort -n | sed -n "$((runs / 2 + 1))p"; }

"$cli" "${folders[@]}" check-data >/dev/null  # warm the file cache
check=() calc=()
for ((i = 0; i < runs; i++)); do
    check+=("$(time_once check-data)")
    calc+=("$(time_once calc --json examples/Hospital.QMR)")
done
check_median=$(printf '%s\n' "${check[@]}" | median)
calc_median=$(printf '%s\n' "${calc[@]}" | median)
echo "check-data:                        median ${check_median} us of ${runs} runs"
echo "calc --json examples/Hospital.QMR: median ${calc_median} us of ${runs} runs"
awk -v a="$calc_median" -v b="$check_median" 'BEGIN { printf "ratio: %.2f\n", a / b }'
