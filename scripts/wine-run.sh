#!/usr/bin/env bash
# Runs a Windows console program under Wine with the project's prefix; used by ctest
# as the cross-compiling emulator. Output goes through a file, never a pipe.
set -u
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
wine_prepare
# The output file lives in the prefix (inside the build tree), not in the system's temporary folder.
out=$(mktemp -p "$WINEPREFIX" wine-run.XXXXXX)
wine "$@" >"$out" 2>&1 </dev/null
rc=$?
# Wine may add carriage returns and its own noise on stderr; show the program's lines.
sed -e 's/\r$//' "$out" | grep -v -E '^(wine: |[0-9a-f]{4}:(err|fixme|warn):)' || true
rm -f "$out"
exit $rc
