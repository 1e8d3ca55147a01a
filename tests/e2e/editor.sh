#!/usr/bin/env bash
# End to end: a new user writes a snippet in the main window's editor with real key
# presses, saves it with Ctrl+S and has it typed into Wine's notepad; Ctrl+Z takes the
# typing back and the autosave writes the document without it; Ctrl+F and F3 find a word
# in a later paragraph. A screenshot of the editor is left beside the test's output.
# Usage: tests/e2e/editor.sh BUILD_DIR
set -u
build="$1"
E2E_BUILD="$build"
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
trap e2e_stop EXIT
e2e_start "$build"

exe="$build/shell/win32/Quillora.exe"
e2e_fresh_user
docs="$E2E_DOCS"
data="$docs/Quillora.tpt"
{
  printf '\xEF\xBB\xBF<Quillora FormatVersion="1.2">\r\n'
  printf '\t<Chars Value="alpha one"/><Br/>\r\n'
  for i in $(seq 1 60); do printf '\t<Chars Value="filler line %s"/><Br/>\r\n' "$i"; done
  printf '\t<Chars Value="zeta needle at the end"/>\r\n'
  printf '</Quillora>\r\n'
} >"$data"

data_holds() { grep -q -F "$1" "$data"; }
wait_data() { e2e_wait_file "$data" "$1" "$2" "$3"; } # TEXT PRESENT(1|0) SECONDS

wine "$exe" >"$E2E_OUT/app.log" 2>&1 </dev/null &
app=$!
e2e_probe wait-visible TAppMainForm 20000 >/dev/null || { echo "FAIL: Quillora did not start"; exit 1; }
e2e_probe activate TAppMainForm >/dev/null
sleep 1
# A click into the first rows puts the caret into the document's text.
read -r x y <<<"$(e2e_document_point)"
xdotool mousemove "$x" "$y"
xdotool click 1
sleep 0.5

# A new paragraph at the end, saved with Ctrl+S.
key ctrl+End
key Return
type_chars "qx new snippet"
key ctrl+s
if wait_data '<Chars Value="qx new snippet"/>' 1 10; then echo "ok: Ctrl+S saved the typed paragraph"; else fail "the data file does not hold the typed paragraph"; fi
key shift+Home
sleep 0.5
mkdir -p "$build/e2e-pictures"
import -window root "$build/e2e-pictures/editor.png" 2>/dev/null && echo "screenshot: $build/e2e-pictures/editor.png"

# Typed into notepad from the drop-down list.
wine notepad >/dev/null 2>&1 </dev/null &
e2e_probe wait-window Notepad 20000 >/dev/null || { echo "FAIL: notepad did not start"; exit 1; }
sleep 1
e2e_probe activate Notepad >/dev/null
e2e_probe clear Notepad >/dev/null
sleep 0.5
key ctrl+b
if e2e_probe wait-visible TDropDownForm 5000 >/dev/null; then
  sleep 0.2
  type_chars qx
  key Return
  printf '%s' "qx new snippet" >"$E2E_OUT/expected.txt"
  if got=$(e2e_probe wait-text Notepad "Z:${E2E_OUT//\//\\}\\expected.txt" 8000); then
    echo "ok: notepad holds the new snippet"
  else
    fail "notepad holds '$got', expected 'qx new snippet'"
  fi
else
  fail "the list did not open in notepad"
fi

# Ctrl+Z takes the typing back; the autosave writes the document without it.
e2e_probe activate TAppMainForm >/dev/null
sleep 0.5
for _ in 1 2 3 4 5 6; do key ctrl+z; done
if wait_data 'qx new snippet' 0 25; then echo "ok: the autosave wrote the document without the undone text"; else fail "the undone text is still in the data file"; fi
data_holds '<Chars Value="zeta needle at the end"/>' || fail "the last snippet went missing"

# Ctrl+F finds a word in a later paragraph; Enter in the dialog searches.
key ctrl+Home
key ctrl+f
if e2e_probe wait-window '#32770' 5000 >/dev/null; then
  sleep 0.5
  type_chars needle
  key Return
  sleep 1
  key Escape
  sleep 0.5
  # The found word is selected: typing replaces it, and the save shows where.
  type_chars pin
  key ctrl+s
  if wait_data '<Chars Value="zeta pin at the end"/>' 1 10; then echo "ok: Ctrl+F found the word in a later paragraph"; else fail "the find did not select the word"; fi
else
  fail "the find dialog did not open"
fi

e2e_finish editor
