#!/usr/bin/env bash
# End to end: a new paragraph gets an Enter key element and a date element from the
# palette through its Ctrl accelerators (real key presses), Ctrl+S saves them, and the
# drop-down list types the paragraph into Wine's notepad with the line break and today's
# date. A screenshot of the editor with the palette is left beside the test's output.
# Usage: tests/e2e/palette.sh BUILD_DIR
set -u
build="$1"
E2E_BUILD="$build"
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
trap e2e_stop EXIT
e2e_start "$build"

exe="$build/shell/win32/Quillora.exe"
e2e_fresh_user
data="$E2E_DOCS/Quillora.tpt"
{
  printf '\xEF\xBB\xBF<Quillora FormatVersion="1.2">\r\n'
  printf '\t<Chars Value="alpha one"/>\r\n'
  printf '</Quillora>\r\n'
} >"$data"

wait_data() { e2e_wait_file "$data" "$1" 1 "$2"; } # TEXT SECONDS

e2e_start_editor "$exe"

key ctrl+End
key Return
type_chars "pz start"
e2e_palette_key 10 # Enter
type_chars "pz mid "
e2e_palette_key 15 # Date and Time
sleep 0.5
key ctrl+s
if wait_data '<Chars Value="pz mid "/>' 10; then
  echo "ok: Ctrl+S saved the paragraph with the palette's elements"
else
  fail "the data file does not hold the new paragraph"
fi
grep -q '<Return/>' "$data" && echo "ok: the Enter key element is in the data file" || fail "no Enter key element saved"
grep -q '<DateTime' "$data" && echo "ok: the date element is in the data file" || fail "no date element saved"
mkdir -p "$build/e2e-pictures"
import -window root "$build/e2e-pictures/palette.png" 2>/dev/null && echo "screenshot: $build/e2e-pictures/palette.png"

wine notepad >/dev/null 2>&1 </dev/null &
e2e_probe wait-window Notepad 20000 >/dev/null || { echo "FAIL: notepad did not start"; exit 1; }
sleep 1
e2e_probe activate Notepad >/dev/null
e2e_probe clear Notepad >/dev/null
sleep 0.5
key ctrl+b
if e2e_probe wait-visible TDropDownForm 5000 >/dev/null; then
  sleep 0.3
  before=$(date +%Y.%m.%d)
  type_chars pz
  key Return
  sleep 3
  after=$(date +%Y.%m.%d)
  got=$(e2e_probe text Notepad | tr -d '\r')
  # The date element's default mask: "yyyy.mm.dd hh:nn:ss".
  if [[ "$got" == $'pz start\npz mid '"$before "* || "$got" == $'pz start\npz mid '"$after "* ]]; then
    echo "ok: notepad holds the paragraph with the line break and today's date: $(printf '%q' "$got")"
  else
    fail "notepad holds $(printf '%q' "$got")"
  fi
else
  fail "the list did not open in notepad"
fi

e2e_finish palette
