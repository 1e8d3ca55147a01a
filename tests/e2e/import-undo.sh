#!/usr/bin/env bash
# End to end: one Undo (Ctrl+Z in the main window) after an import brings the old
# snippets back, and the autosave writes them; Redo and Undo of the Edit menu go the
# same way.
# Usage: tests/e2e/import-undo.sh BUILD_DIR
set -u
build="$1"
E2E_BUILD="$build"
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
trap e2e_stop EXIT
e2e_start "$build"

exe="$build/shell/win32/Quillora.exe"
tool="$build/tools/quillora-tool/quillora-tool.exe"
e2e_fresh_user
docs="$E2E_DOCS"
printf '\xEF\xBB\xBF<Quillora FormatVersion="1.2">\r\n\t<Chars Value="old one"/><Br/>\r\n\t<Chars Value="old two"/><Br/>\r\n\t<Chars Value="old three"/>\r\n</Quillora>\r\n' >"$docs/Quillora.tpt"
printf '\xEF\xBB\xBF<Quillora FormatVersion="1.2">\r\n\t<Chars Value="imported one"/><Br/>\r\n\t<Chars Value="imported two"/>\r\n</Quillora>\r\n' >"$docs/import.tpt"
printf 'old one\nold two\nold three\n' >"$E2E_OUT/old.txt"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# The snippets of a data file, one a line, as the program's tool lists them.
snippets() {
  wine "$tool" list "$1" >"$E2E_OUT/list.out" 2>&1 </dev/null
  sed -e 's/\r$//' "$E2E_OUT/list.out" | grep -v -E '^(wine: |[0-9a-f]{4}:(err|fixme|warn):)' || true
}

snippets "$docs/Quillora.tpt" >"$E2E_OUT/before.txt"
cmp -s "$E2E_OUT/before.txt" "$E2E_OUT/old.txt" || { echo "FAIL: the tool does not list the data file: $(cat "$E2E_OUT/before.txt")"; exit 1; }
before_mtime=$(stat -c %Y "$docs/Quillora.tpt")

wine "$exe" >"$E2E_OUT/app.log" 2>&1 </dev/null &
app=$!
e2e_probe wait-visible TAppMainForm 20000 >/dev/null || { echo "FAIL: Quillora did not start"; exit 1; }
[ "$(e2e_wait_snippet_count 3)" = 3 ] || fail "the list does not show the three snippets of the data file"
e2e_probe activate TAppMainForm >/dev/null
sleep 0.5
# File > Import (command 101) with a good snippet file.
e2e_probe post TAppMainForm 0x111 101 >/dev/null
e2e_probe wait-window '#32770' 10000 >/dev/null || fail "the import dialog did not open"
sleep 1
xdotool type --delay 20 'C:\users\'"$(id -un)"'\Documents\Quillora\import.tpt'
xdotool key Return
e2e_probe wait-gone '#32770' 10000 >/dev/null || fail "the import dialog did not close"
[ "$(e2e_wait_snippet_count 2)" = 2 ] || fail "the import did not replace the snippets"

# One Ctrl+Z in the main window undoes the whole import.
e2e_probe activate TAppMainForm >/dev/null
sleep 0.5
xdotool key ctrl+z
n=$(e2e_wait_snippet_count 3)
[ "$n" = 3 ] || fail "Ctrl+Z did not bring the three old snippets back (the list holds $n)"
# The Edit menu by keyboard: Redo brings the import back, Undo takes it away again.
xdotool key alt+e
sleep 0.5
xdotool key r
n=$(e2e_wait_snippet_count 2)
[ "$n" = 2 ] || fail "Edit > Redo did not redo the import (the list holds $n)"
xdotool key alt+e
sleep 0.5
xdotool key u
n=$(e2e_wait_snippet_count 3)
[ "$n" = 3 ] || fail "Edit > Undo did not undo the import (the list holds $n)"
undone=$(date +%s)

# The autosave writes the old snippets about ten seconds after the last change.
written=""
for _ in $(seq 1 300); do
  if [ "$(stat -c %Y "$docs/Quillora.tpt")" != "$before_mtime" ] || [ -e "$docs/QuilloraBackup.tpt" ]; then
    written=1
    break
  fi
  sleep 0.1
done
[ -n "$written" ] || fail "the autosave did not write the data file"
echo "data file written $(($(date +%s) - undone)) s after the last undo"
# Past the delay after the last change: whatever save came, the last one is done.
while [ $(($(date +%s) - undone)) -lt 13 ]; do sleep 0.5; done
snippets "$docs/Quillora.tpt" >"$E2E_OUT/after.txt"
cmp -s "$E2E_OUT/after.txt" "$E2E_OUT/old.txt" || fail "the data file holds other snippets than the old ones: $(tr '\n' '|' <"$E2E_OUT/after.txt")"
e2e_probe close TAppMainForm >/dev/null
rc=0
wait "$app" || rc=$?
[ "$rc" = 0 ] || fail "Quillora ended with exit code $rc"
snippets "$docs/Quillora.tpt" >"$E2E_OUT/end.txt"
cmp -s "$E2E_OUT/end.txt" "$E2E_OUT/old.txt" || fail "the data file at the end holds: $(tr '\n' '|' <"$E2E_OUT/end.txt")"
if [ "$failures" != 0 ]; then echo "FAIL: $failures check(s) failed"; exit 1; fi
echo "PASS: one Undo after an import restores the snippets, in the list and in the data file"
