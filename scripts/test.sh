#!/usr/bin/env bash
# Installs what is missing, builds every configuration once and runs every test:
# native unit tests, the same under AddressSanitizer + UndefinedBehaviorSanitizer,
# a short libFuzzer run of every fuzz target, the Windows build's tests under Wine, and
# the tool's command-line checks.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash scripts/install-deps.sh

stage() { printf '\n==== %s ====\n' "$*"; }

stage "layers of the source tree"
bash scripts/check-layers.sh

stage "native build"
bash scripts/build.sh native
stage "native unit tests"
ctest --test-dir build/native --output-on-failure -j "$(nproc)" 

stage "sanitizer build"
bash scripts/build.sh asan
stage "sanitizer unit tests"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/asan --output-on-failure -j "$(nproc)"

stage "fuzzing (clang, libFuzzer, 20 s per target over the seed corpus)"
bash scripts/fuzz.sh 20

stage "windows build"
bash scripts/build.sh windows
stage "windows tests under wine"
ctest --test-dir build/windows --output-on-failure

stage "all tests passed"
