#!/usr/bin/env bash
# End to end: a data file of a newer format is never overwritten by the program. The
# user is told once at start; Ctrl+S asks before overwriting and "No" keeps the file;
# closing without a change writes nothing.
# Usage: tests/e2e/protection.sh BUILD_DIR
set -u
build="$1"
E2E_BUILD="$build"
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
trap e2e_stop EXIT
e2e_start "$build"

exe="$build/shell/win32/Quillora.exe"
e2e_fresh_user
docs="$E2E_DOCS"
printf '\xEF\xBB\xBF<Quillora FormatVersion="1.7">\r\n\t<Chars Value="from a newer version" Colour="red"/>\r\n\t<Sparkle/>\r\n</Quillora>\r\n' >"$docs/Quillora.tpt"
cp "$docs/Quillora.tpt" "$E2E_OUT/original.tpt"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

wine "$exe" >"$E2E_OUT/app.log" 2>&1 </dev/null &
app=$!
# The notice about the file comes first, as a message box.
e2e_probe wait-window '#32770' 20000 >/dev/null || fail "no notice about the data file"
e2e_probe activate '#32770' >/dev/null
xdotool key Return
e2e_probe wait-gone '#32770' 5000 >/dev/null || fail "the notice did not close"
e2e_probe wait-visible TAppMainForm 10000 >/dev/null || fail "the main window did not show"
e2e_probe activate TAppMainForm >/dev/null
sleep 0.5
# Ctrl+S asks before overwriting; "No" keeps the file.
xdotool key ctrl+s
if e2e_probe wait-window '#32770' 5000 >/dev/null; then
  e2e_probe activate '#32770' >/dev/null
  xdotool key n
  e2e_probe wait-gone '#32770' 5000 >/dev/null || fail "the question did not close"
else
  fail "Ctrl+S did not ask before overwriting"
fi
cmp -s "$docs/Quillora.tpt" "$E2E_OUT/original.tpt" || fail "the data file was overwritten after No"
e2e_probe close TAppMainForm >/dev/null
rc=0
wait "$app" || rc=$?
[ "$rc" = 0 ] || fail "Quillora ended with exit code $rc"
cmp -s "$docs/Quillora.tpt" "$E2E_OUT/original.tpt" || fail "the data file was overwritten at the end"
ls "$docs" | grep -q -i backup && fail "a backup was made from the unreadable file"
if [ "$failures" != 0 ]; then echo "FAIL: $failures check(s) failed"; exit 1; fi
echo "PASS: a data file that did not load completely stays untouched"
