#!/usr/bin/env bash
# Configures and builds one configuration: native | asan | windows. Reuses the build folder.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
config="${1:-native}"
jobs="$(nproc 2>/dev/null || echo 2)"
case "$config" in
  native)  dir="$root/build/native";  args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  asan)    dir="$root/build/asan";    args=(-DCMAKE_BUILD_TYPE=Debug -DQUILLORA_SANITIZE=ON -DQUILLORA_BENCH=OFF) ;;
  windows) dir="$root/build/windows"; args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DQUILLORA_BENCH=OFF) ;;
  *) echo "usage: build.sh native|asan|windows" >&2; exit 2 ;;
esac
# A compiler cache, when the machine has one, makes rebuilds of other configurations cheap.
if command -v ccache >/dev/null 2>&1; then
  args+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$dir" -G Ninja "${args[@]}" >/dev/null
fi
cmake --build "$dir" -j "$jobs"
