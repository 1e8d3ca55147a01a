#!/usr/bin/env bash
# End to end: when the user logs off or shuts down, the program writes a changed
# document, the session file and the settings file while the system ends the session,
# well before the autosave would; the system then ends the process.
# Usage: tests/e2e/session-end.sh BUILD_DIR
set -u
build="$1"
E2E_BUILD="$build"
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
trap e2e_stop EXIT
e2e_start "$build"

exe="$build/shell/win32/Quillora.exe"
e2e_fresh_user
docs="$E2E_DOCS"
settings_folder="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Loomwise/Quillora"
printf '\xEF\xBB\xBF<Quillora FormatVersion="1.2">\r\n\t<Chars Value="old one"/><Br/>\r\n\t<Chars Value="old two"/><Br/>\r\n\t<Chars Value="old three"/>\r\n</Quillora>\r\n' >"$docs/Quillora.tpt"
printf '\xEF\xBB\xBF<Quillora FormatVersion="1.2">\r\n\t<Chars Value="imported one"/><Br/>\r\n\t<Chars Value="imported two"/>\r\n</Quillora>\r\n' >"$docs/import.tpt"
cp "$docs/Quillora.tpt" "$E2E_OUT/old.tpt"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A first run: neither a settings nor a session file yet.
wine "$exe" >"$E2E_OUT/app.log" 2>&1 </dev/null &
app=$!
e2e_probe wait-visible TAppMainForm 20000 >/dev/null || { echo "FAIL: Quillora did not start"; exit 1; }
[ "$(e2e_wait_snippet_count 3)" = 3 ] || fail "the list does not show the three snippets of the data file"
e2e_probe activate TAppMainForm >/dev/null
sleep 0.5
# A real change: File > Import (command 101) through the file dialog.
e2e_probe post TAppMainForm 0x111 101 >/dev/null
e2e_probe wait-window '#32770' 10000 >/dev/null || fail "the import dialog did not open"
sleep 1
xdotool type --delay 20 'C:\users\'"$(id -un)"'\Documents\Quillora\import.tpt'
xdotool key Return
e2e_probe wait-gone '#32770' 10000 >/dev/null || fail "the import dialog did not close"
[ "$(e2e_wait_snippet_count 2)" = 2 ] || fail "the import did not replace the snippets"
changed=$(date +%s.%N)
cmp -s "$docs/Quillora.tpt" "$E2E_OUT/old.tpt" || fail "the data file was written before the session end"
[ -e "$settings_folder/Quillora.settings" ] && fail "the settings file was written before the session end"
[ -e "$settings_folder/Quillora.session" ] && fail "the session file was written before the session end"

# The session ends as Windows ends it: every window is asked (WM_QUERYENDSESSION) and
# told (WM_ENDSESSION), then the processes are ended without further notice (Wine's
# session end does that itself; whatever is left is ended here, so that nothing the
# program might do later counts).
wine wineboot --end-session >"$E2E_OUT/wineboot.log" 2>&1 </dev/null
wineserver -k >/dev/null 2>&1
ended=$(date +%s.%N)
wait "$app" 2>/dev/null
elapsed=$(python3 -c "print('%.1f' % ($ended - $changed))")
echo "the session ended ${elapsed} s after the change"
python3 -c "import sys; sys.exit(0 if $ended - $changed < 9.0 else 1)" ||
  fail "the session end came too late (${elapsed} s) to tell its save from the autosave's"

grep -q 'imported two' "$docs/Quillora.tpt" || fail "the changed document was not written"
grep -q 'old one' "$docs/Quillora.tpt" && fail "the data file still holds the old snippets"
[ -s "$settings_folder/Quillora.settings" ] || fail "the settings file was not written"
grep -q '<MainForm' "$settings_folder/Quillora.session" 2>/dev/null || fail "the session file was not written with the main window's place"
if [ "$failures" != 0 ]; then echo "FAIL: $failures check(s) failed"; exit 1; fi
echo "PASS: the session end writes the data, session and settings files"
