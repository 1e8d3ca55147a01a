#!/usr/bin/env bash
# End to end: File > Import replaces the snippets; the autosave writes the data file
# once, about ten seconds after that change, and first copies the old file to the
# backup. The save clears away the temporary file an interrupted save left long ago and
# leaves one that a save running elsewhere may be writing.
# Usage: tests/e2e/autosave.sh BUILD_DIR
set -u
build="$1"
E2E_BUILD="$build"
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
trap e2e_stop EXIT
e2e_start "$build"

exe="$build/shell/win32/Quillora.exe"
e2e_fresh_user
docs="$E2E_DOCS"
printf '\xEF\xBB\xBF<Quillora FormatVersion="1.2">\r\n\t<Chars Value="the old snippet"/>\r\n</Quillora>\r\n' >"$docs/Quillora.tpt"
cp "$docs/Quillora.tpt" "$E2E_OUT/old.tpt"
import="$docs/import.tpt"
printf 'half a document' >"$docs/Rplc1.tmp"
touch -d '2 hours ago' "$docs/Rplc1.tmp"
printf 'being written' >"$docs/Rplc2.tmp"
printf '\xEF\xBB\xBF<Quillora FormatVersion="1.2">\r\n\t<Chars Value="imported one"/><Br/>\r\n\t<Chars Value="imported two"/>\r\n</Quillora>\r\n' >"$import"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

wine "$exe" >"$E2E_OUT/app.log" 2>&1 </dev/null &
app=$!
e2e_probe wait-visible TAppMainForm 20000 >/dev/null || { echo "FAIL: Quillora did not start"; exit 1; }
e2e_probe activate TAppMainForm >/dev/null
sleep 0.5
# File > Import (command 101) opens the file dialog; the file name is typed into it.
e2e_probe post TAppMainForm 0x111 101 >/dev/null
e2e_probe wait-window '#32770' 10000 >/dev/null || fail "the import dialog did not open"
sleep 1
xdotool type --delay 20 'C:\users\'"$(id -un)"'\Documents\Quillora\import.tpt'
xdotool key Return
e2e_probe wait-gone '#32770' 10000 >/dev/null || fail "the import dialog did not close"
imported=$(date +%s.%N)
# Nothing is written at once; one save about ten seconds after the change.
sleep 3
cmp -s "$docs/Quillora.tpt" "$E2E_OUT/old.tpt" || fail "the data file was written before the autosave delay"
saved=""
for i in $(seq 1 200); do
  if grep -q "imported two" "$docs/Quillora.tpt" 2>/dev/null; then saved=$(date +%s.%N); break; fi
  sleep 0.1
done
if [ -z "$saved" ]; then
  fail "the autosave did not write the imported snippets"
else
  delay=$(python3 -c "print('%.1f' % ($saved - $imported))")
  echo "autosave wrote the data file ${delay} s after the import"
  python3 -c "import sys; sys.exit(0 if 9.0 <= $saved - $imported <= 13.0 else 1)" || fail "the autosave came after ${delay} s, not about 10 s"
fi
cmp -s "$docs/QuilloraBackup.tpt" "$E2E_OUT/old.tpt" || fail "the backup does not hold the file as it was before the save"
for i in $(seq 1 20); do [ -e "$docs/Rplc1.tmp" ] || break; sleep 0.1; done
[ -e "$docs/Rplc1.tmp" ] && fail "the temporary file of an interrupted save is still there"
[ -e "$docs/Rplc2.tmp" ] || fail "a recent temporary file (a save running elsewhere) was deleted"
leftover=$(cd "$docs" && ls Rplc*.tmp 2>/dev/null | grep -v -x Rplc2.tmp)
[ -z "$leftover" ] || fail "the save left temporary files: $leftover"
e2e_probe close TAppMainForm >/dev/null
wait "$app" || fail "Quillora did not end cleanly"
if [ "$failures" != 0 ]; then echo "FAIL: $failures check(s) failed"; exit 1; fi
echo "PASS: import and autosave"
