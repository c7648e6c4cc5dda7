#!/usr/bin/env bash
# Builds the fuzz targets with clang (AddressSanitizer, UndefinedBehaviorSanitizer, libFuzzer)
# and runs each for a bounded time, starting from its seed corpus. Fails when a target crashes,
# takes more than 10 s or 1 GiB for one input (the bounds that every command keeps for a file
# of up to 1 MB); the input that did it is kept in the build folder.
# FUZZ_BUILD_DIR and FUZZ_SECONDS choose another build folder and running time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh clang libclang-rt-14-dev

build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}
CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPM_BUILD_FUZZ=ON -DPM_BUILD_EDITOR=OFF -DPM_BUILD_TESTS=OFF -DPM_BUILD_BENCH=OFF >/dev/null
cmake --build "$build_dir"

# The build lists its targets, each with the seed folder that it writes for it.
fuzz_dir="$build_dir/fuzz"
failed=0
while read -r target seed_name; do
  seeds="$fuzz_dir/seeds/$seed_name"
  # New inputs go into a working corpus of their own; the seeds stay as the build wrote them.
  corpus="$fuzz_dir/corpus/$target"
  artifacts="$fuzz_dir/artifacts/$target"
  log="$fuzz_dir/$target.log"
  mkdir -p "$corpus" "$artifacts"
  echo "== $target: ${seconds} s"
  status=0
  "$fuzz_dir/$target" -max_total_time="$seconds" -rss_limit_mb=1024 -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" "$seeds" </dev/null >"$log" 2>&1 ||
    status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  echo "   executions: ${runs:-unknown}, corpus: $(find "$corpus" -type f | wc -l) inputs"
  if [[ $status -ne 0 ]]; then
    echo "   FAILED (exit $status); the finding is in $artifacts, the log in $log:"
    tail -n 40 "$log"
    failed=1
  fi
done <"$fuzz_dir/targets.txt"
exit $failed
