#!/usr/bin/env bash
# End to end: a main window that was closed maximized comes back maximized, also when it
# starts hidden in the notification area, and the session file keeps saying so; restored
# by the user, it is saved as a normal window.
# Usage: tests/e2e/maximized.sh BUILD_DIR
set -u
build="$1"
E2E_BUILD="$build"
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
trap e2e_stop EXIT
e2e_start "$build"

exe="$build/shell/win32/Quillora.exe"
e2e_fresh_user
settings_folder="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Loomwise/Quillora"
session="$settings_folder/Quillora.session"
mkdir -p "$settings_folder"
printf '\xEF\xBB\xBF<Quillora FormatVersion="1.2">\r\n\t<Chars Value="one snippet"/>\r\n</Quillora>\r\n' >"$E2E_DOCS/Quillora.tpt"
printf '<Quillora>\r\n\t<MainForm Maximized="1"/>\r\n</Quillora>\r\n' >"$session"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# The "Maximized" value of the main window's node in the session file.
stored_maximized() {
  python3 - "$session" <<'PY'
import re, sys
text = open(sys.argv[1], encoding='latin-1').read()
node = re.search(r'<MainForm\b[^>]*>', text)
value = re.search(r'\bMaximized="?([^"\s/>]*)', node.group(0)) if node else None
print(value.group(1) if value else 'missing')
PY
}
state() { e2e_probe showstate TAppMainForm; }

# Run 1: with the session file present the window starts hidden ("ShowInTray" is on by
# default); closed without ever being shown, it is still saved as maximized.
wine "$exe" >"$E2E_OUT/app1.log" 2>&1 </dev/null &
app=$!
e2e_probe wait-window TAppMainForm 20000 >/dev/null || { echo "FAIL: Quillora did not start"; exit 1; }
sleep 0.5
[ "$(state)" = hidden ] || fail "the window did not start hidden in the notification area (state: $(state))"
e2e_probe close TAppMainForm >/dev/null
wait "$app" || fail "run 1 did not end cleanly"
[ "$(stored_maximized)" = 1 ] || fail "a window closed while hidden was saved as Maximized=$(stored_maximized)"

# Run 2: shown (as a second instance would ask), it is maximized; closed, it stays so.
wine "$exe" >"$E2E_OUT/app2.log" 2>&1 </dev/null &
app=$!
e2e_probe wait-window TAppMainForm 20000 >/dev/null || { echo "FAIL: Quillora did not start again"; exit 1; }
e2e_probe post TAppMainForm 0x402 >/dev/null
e2e_probe wait-visible TAppMainForm 10000 >/dev/null || fail "the window did not show"
sleep 0.5
[ "$(state)" = maximized ] || fail "the window came back $(state), not maximized"
e2e_probe close TAppMainForm >/dev/null
wait "$app" || fail "run 2 did not end cleanly"
[ "$(stored_maximized)" = 1 ] || fail "a maximized window was saved as Maximized=$(stored_maximized)"

# Run 3: restored by the user before closing, it is saved as a normal window.
wine "$exe" >"$E2E_OUT/app3.log" 2>&1 </dev/null &
app=$!
e2e_probe wait-window TAppMainForm 20000 >/dev/null || { echo "FAIL: Quillora did not start a third time"; exit 1; }
e2e_probe post TAppMainForm 0x402 >/dev/null
e2e_probe wait-visible TAppMainForm 10000 >/dev/null || fail "the window did not show in run 3"
sleep 0.5
e2e_probe post TAppMainForm 0x112 0xF120 >/dev/null # WM_SYSCOMMAND, SC_RESTORE
sleep 0.5
[ "$(state)" = normal ] || fail "the window was not restored (state: $(state))"
e2e_probe close TAppMainForm >/dev/null
wait "$app" || fail "run 3 did not end cleanly"
[ "$(stored_maximized)" = 0 ] || fail "a restored window was saved as Maximized=$(stored_maximized)"
grep -q 'Width=' "$session" || fail "the restored window's size was not saved"

if [ "$failures" != 0 ]; then echo "FAIL: $failures check(s) failed"; exit 1; fi
echo "PASS: a maximized main window comes back maximized"
