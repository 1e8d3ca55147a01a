#!/usr/bin/env bash
# End to end: a plain text file picked in the import dialog is refused with a message;
# the snippets stay as they were, and so does the data file, also after the autosave
# delay.
# Usage: tests/e2e/import-refused.sh BUILD_DIR
set -u
build="$1"
E2E_BUILD="$build"
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
trap e2e_stop EXIT
e2e_start "$build"

exe="$build/shell/win32/Quillora.exe"
e2e_fresh_user
docs="$E2E_DOCS"
printf '\xEF\xBB\xBF<Quillora FormatVersion="1.2">\r\n\t<Chars Value="old one"/><Br/>\r\n\t<Chars Value="old two"/><Br/>\r\n\t<Chars Value="old three"/>\r\n</Quillora>\r\n' >"$docs/Quillora.tpt"
cp "$docs/Quillora.tpt" "$E2E_OUT/old.tpt"
printf 'Dear diary,\r\ntoday I imported a shopping list.\r\n' >"$docs/notes.txt"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

wine "$exe" >"$E2E_OUT/app.log" 2>&1 </dev/null &
app=$!
e2e_probe wait-visible TAppMainForm 20000 >/dev/null || { echo "FAIL: Quillora did not start"; exit 1; }
[ "$(e2e_wait_snippet_count 3)" = 3 ] || fail "the list does not show the three snippets of the data file"
e2e_probe activate TAppMainForm >/dev/null
sleep 0.5
# File > Import (command 101); the text file's name is typed into the dialog, which
# offers "All Files" beside the snippet files.
e2e_probe post TAppMainForm 0x111 101 >/dev/null
e2e_probe wait-window '#32770' 10000 >/dev/null || fail "the import dialog did not open"
sleep 1
xdotool type --delay 20 'C:\users\'"$(id -un)"'\Documents\Quillora\notes.txt'
xdotool key Return
imported=$(date +%s)
# The dialog goes and the refusal comes, both of the dialog class: wait for the message.
message=""
for _ in $(seq 1 100); do
  message=$(e2e_probe texts '#32770')
  case "$message" in *"was not imported"*) break ;; esac
  sleep 0.1
done
case "$message" in
  *"was not imported"*"notes.txt"* | *"notes.txt"*"was not imported"*) echo "refusal: $(echo "$message" | grep -m1 'was not imported')" ;;
  *) fail "no refusal message (the dialog said: $message)" ;;
esac
e2e_probe activate '#32770' >/dev/null
xdotool key Return
e2e_probe wait-gone '#32770' 5000 >/dev/null || fail "the refusal message did not close"
[ "$(e2e_wait_snippet_count 3)" = 3 ] || fail "the snippets changed: the list holds $(e2e_probe listcount TAppMainForm) items"
# Past the autosave delay, nothing was written.
while [ $(($(date +%s) - imported)) -lt 13 ]; do sleep 0.5; done
cmp -s "$docs/Quillora.tpt" "$E2E_OUT/old.tpt" || fail "the data file changed after the refused import"
[ -e "$docs/QuilloraBackup.tpt" ] && fail "a save made a backup after the refused import"
e2e_probe close TAppMainForm >/dev/null
rc=0
wait "$app" || rc=$?
[ "$rc" = 0 ] || fail "Quillora ended with exit code $rc"
cmp -s "$docs/Quillora.tpt" "$E2E_OUT/old.tpt" || fail "the data file changed at the end"
if [ "$failures" != 0 ]; then echo "FAIL: $failures check(s) failed"; exit 1; fi
echo "PASS: an import of a file that holds no snippets is refused and changes nothing"
