#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer + UndefinedBehaviorSanitizer) in
# build-fuzz/ and runs each on its seed corpus in fuzz/corpus/<target>/.
#   scripts/fuzz.sh [SECONDS]    seconds per target (default 60)
# A finding fails the run and prints the reproducer (the input, base64, and how to replay it).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build=build-fuzz
targets=(fuzz_configreader fuzz_datafiles fuzz_profilefile)

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUELMAR_BUILD_FUZZ=ON -DQUELMAR_BUILD_TESTS=OFF -DQUELMAR_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=0
for target in "${targets[@]}"; do
  corpus="fuzz/corpus/$target"
  [ -d "$corpus" ] || { echo "$target: seed corpus $corpus is missing" >&2; exit 1; }
  work="$build/runs/$target"
  rm -rf "$work" && mkdir -p "$work/corpus"
  log="$work/log.txt"
  # New inputs go to a scratch folder, so the committed corpus stays as it is.
  if "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
       -artifact_prefix="$work/" -print_final_stats=1 "$work/corpus" "$corpus" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    echo "$target: ${runs:-?} runs in ${seconds} s ($(( ${runs:-0} / seconds )) runs/s), no finding"
  else
    failed=1
    echo "$target: FINDING" >&2
    tail -n 60 "$log" >&2
    for artifact in "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* "$work"/slow-unit-*; do
      [ -f "$artifact" ] || continue
      echo "reproducer $artifact (base64):" >&2
      base64 "$artifact" >&2
      echo "replay: $build/fuzz/$target $artifact" >&2
    done
  fi
done
exit "$failed"
