#!/usr/bin/env bash
# Quillora.exe starts, shows its main window, and ends cleanly with exit code 0 when closed.
set -u
build="$1"
E2E_BUILD="$build"
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
trap e2e_stop EXIT
e2e_start "$build"

wine "$build/shell/win32/Quillora.exe" >"$E2E_OUT/app.log" 2>&1 </dev/null &
app=$!
if ! e2e_probe wait-window TAppMainForm 20000; then
  echo "FAIL: the main window did not appear"; exit 1
fi
title=$(e2e_probe title TAppMainForm)
if [ "$title" != "Quillora" ]; then
  echo "FAIL: main window title is '$title'"; exit 1
fi
e2e_probe close TAppMainForm || { echo "FAIL: could not close"; exit 1; }
rc=0
wait "$app" || rc=$?
if [ "$rc" != 0 ]; then echo "FAIL: exit code $rc"; exit 1; fi
echo "PASS: start and clean stop"
