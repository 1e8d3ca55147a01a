#!/usr/bin/env bash
# Runs a Windows console program under Wine with the project's prefix; used by ctest
# as the cross-compiling emulator. Output goes through a file, never a pipe.
# Unless QUILLORA_WINEPREFIX names one, the prefix and the scratch file live in the build
# folder of the program (the nearest folder above it that holds CMakeCache.txt).
set -u
build_folder_of() {
  local dir
  dir="$(cd "$(dirname "$1")" 2>/dev/null && pwd)" || return 1
  while [ "$dir" != / ]; do
    if [ -f "$dir/CMakeCache.txt" ]; then printf '%s\n' "$dir"; return 0; fi
    dir="$(dirname "$dir")"
  done
  return 1
}
if [ -z "${QUILLORA_WINEPREFIX:-}" ]; then
  build="$(build_folder_of "$1")" || { echo "wine-run: $1 is not in a build folder" >&2; exit 2; }
  export QUILLORA_WINEPREFIX="$build/wineprefix"
fi
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
wine_prepare || exit 1
out=$(mktemp "$WINEPREFIX/run.XXXXXX.out")
wine "$@" >"$out" 2>&1 </dev/null
rc=$?
# Wine may add carriage returns and its own noise on stderr; show the program's lines.
sed -e 's/\r$//' "$out" | grep -v -E '^(wine: |[0-9a-f]{4}:(err|fixme|warn):)' || true
rm -f "$out"
exit $rc
