#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer + UndefinedBehaviorSanitizer) in
# build/fuzz and runs each for N seconds (default 30) over its seed corpus fuzz/corpus/TARGET.
# New inputs go to build/fuzz/corpus/TARGET, crashes to build/fuzz/artifacts/TARGET/.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-30}"
shift || true
dir="$root/build/fuzz"

if [ ! -f "$dir/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLORA_FUZZ=ON -DQUILLORA_SANITIZE=ON -DQUILLORA_TESTS=OFF -DQUILLORA_BENCH=OFF >/dev/null
fi
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for seeds in "$root"/fuzz/corpus/*/; do targets+=("$(basename "$seeds")"); done
fi
cmake --build "$dir" -j2 --target "${targets[@]}"

status=0
for target in "${targets[@]}"; do
  work="$dir/corpus/$target"
  artifacts="$dir/artifacts/$target/"
  mkdir -p "$work" "$artifacts"
  echo "== $target: ${seconds}s"
  if ! ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "$dir/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=3072 -max_len=65536 \
    -print_final_stats=1 -artifact_prefix="$artifacts" "$work" "$root/fuzz/corpus/$target" \
    >"$dir/$target.log" 2>&1; then
    echo "$target FAILED: see $dir/$target.log and $artifacts"
    status=1
  fi
  grep -E "^(stat::number_of_executed_units|stat::new_units_added|#[0-9]+ *DONE)" "$dir/$target.log" || tail -5 "$dir/$target.log"
done
exit $status
