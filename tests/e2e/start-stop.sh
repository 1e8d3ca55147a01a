#!/usr/bin/env bash
# Quillora.exe starts for a fresh user, shows its main window, and ends cleanly with exit
# code 0 when closed. The run stays in the build folder: a stand-in for the home folder
# of whoever runs the tests, with a ~/Quillora of its own, must come through untouched,
# and the fresh-user helper refuses to delete a folder that leads outside.
set -u
build="$(cd "$1" && pwd)"
E2E_BUILD="$build"
# What the caller's HOME would be; the library must replace it before Wine starts.
stand_in="$build/e2e-scratch/home-of-the-tester"
mkdir -p "$stand_in/Quillora"
printf 'snippets of a real user\n' >"$stand_in/Quillora/Quillora.tpt"
export HOME="$stand_in"
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
trap e2e_stop EXIT
e2e_start "$build" || { echo "FAIL: no session"; exit 1; }

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

e2e_fresh_user
e2e_inside_build "$E2E_DOCS" || fail "the data folder $E2E_DOCS leads to $(realpath -m "$E2E_DOCS")"
ln -s "/nonexistent-quillora-$$" "$E2E_OUT/outside"
e2e_remove_folder "$E2E_OUT/outside/Quillora" >/dev/null && fail "the helper would delete a folder outside the build folder"

wine "$build/shell/win32/Quillora.exe" >"$E2E_OUT/app.log" 2>&1 </dev/null &
app=$!
if ! e2e_probe wait-window TAppMainForm 20000; then
  echo "FAIL: the main window did not appear"; exit 1
fi
title=$(e2e_probe title TAppMainForm)
[ "$title" = "Quillora" ] || fail "main window title is '$title'"
e2e_probe close TAppMainForm || { echo "FAIL: could not close"; exit 1; }
rc=0
wait "$app" || rc=$?
[ "$rc" = 0 ] || fail "exit code $rc"

# Nothing reached the stand-in home.
[ "$(ls -A "$stand_in")" = "Quillora" ] || fail "the run wrote into the caller's home: $(ls -A "$stand_in" | tr '\n' ' ')"
[ "$(ls -A "$stand_in/Quillora")" = "Quillora.tpt" ] || fail "the caller's ~/Quillora changed: $(ls -A "$stand_in/Quillora" | tr '\n' ' ')"
[ "$(cat "$stand_in/Quillora/Quillora.tpt")" = "snippets of a real user" ] || fail "the caller's data file changed"
rm -rf "$stand_in"
if [ "$failures" != 0 ]; then echo "FAIL: $failures check(s) failed"; exit 1; fi
echo "PASS: start and clean stop of a fresh user, inside the build folder"
