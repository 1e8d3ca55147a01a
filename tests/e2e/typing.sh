#!/usr/bin/env bash
# End to end: the real Quillora.exe and QuilloraHook.dll type snippets into Wine's
# notepad, driven by real key presses from xdotool; notepad's text is read back.
# Usage: tests/e2e/typing.sh BUILD_DIR
set -u
build="$1"
E2E_BUILD="$build"
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
trap e2e_stop EXIT
e2e_start "$build"

exe="$build/shell/win32/Quillora.exe"
e2e_fresh_user
docs="$E2E_DOCS"
year=$(date +%Y)

# The snippets, written by hand in the data file's format.
printf '\xEF\xBB\xBF' >"$docs/Quillora.tpt"
cat >>"$docs/Quillora.tpt" <<'DATA'
<Quillora FormatVersion="1.2">
	<Chars Value="hello world"/><Br/>
	<Chars Value="help desk"/><Br/>
	<Chars Value="k1"/>
	<Tab/>
	<Chars Value="k2"/>
	<Return/>
	<Chars Value="k3"/>
	<Left/>
	<Chars Value="Z"/><Br/>
	<Chars Value="ab"/>
	<Caret/>
	<Chars Value="cd"/><Br/>
	<Chars Value="y="/>
	<DateTime Value="yyyy"/><Br/>
	<Chars Value="uni: café 😀"/>
</Quillora>
DATA

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_text() { # NAME EXPECTED
  printf '%s' "$2" >"$E2E_OUT/expected.txt"
  local got
  if ! got=$(e2e_probe wait-text Notepad "Z:${E2E_OUT//\//\\}\\expected.txt" 8000); then
    fail "$1: notepad holds '$got', expected '$2'"
    return 1
  fi
  echo "ok: $1"
}
key() { xdotool key --delay 60 "$@"; }
type_chars() { xdotool type --delay 80 "$1"; }
open_list() {
  key ctrl+b
  if ! e2e_probe wait-visible TDropDownForm 5000 >/dev/null; then fail "$1: the list did not open"; return 1; fi
  sleep 0.2
}
reset_notepad() {
  e2e_probe activate Notepad >/dev/null
  e2e_probe clear Notepad >/dev/null
  e2e_probe wait-hidden TDropDownForm 3000 >/dev/null
  sleep 0.2
}

wine "$exe" >"$E2E_OUT/app.log" 2>&1 </dev/null &
app=$!
e2e_probe wait-window TAppMainForm 20000 >/dev/null || { echo "FAIL: Quillora did not start"; exit 1; }
wine notepad >/dev/null 2>&1 </dev/null &
e2e_probe wait-window Notepad 20000 >/dev/null || { echo "FAIL: notepad did not start"; exit 1; }
sleep 1
reset_notepad

# A plain snippet chosen by filter and arrow keys: the filter typed into notepad is erased.
if open_list "filter"; then
  type_chars he
  key Down
  key Return
  expect_text "filter and arrow keys" "help desk"
fi

# A click on an item chooses it; the list never takes the focus from notepad.
reset_notepad
if open_list "mouse"; then
  type_chars he
  sleep 0.3
  read -r left top right bottom <<<"$(e2e_probe rect TDropDownForm)"
  xdotool mousemove $((left + 60)) $((top + 37))
  sleep 0.3
  xdotool click 1
  expect_text "mouse click on the second item" "help desk"
  xdotool mousemove 1200 20
fi

# Key elements: Tab, Enter and Left.
reset_notepad
if open_list "keys"; then
  type_chars k1
  key Return
  expect_text "key elements" $'k1\tk2\nkZ3'
fi

# The caret element leaves the caret where it stands in the snippet.
reset_notepad
if open_list "caret"; then
  type_chars ab
  key Return
  expect_text "caret snippet" "abcd" && { type_chars X; expect_text "caret placement" "abXcd"; }
fi

# A date element types the current moment in its mask.
reset_notepad
if open_list "date"; then
  type_chars y
  key Return
  expect_text "date element" "y=$year"
fi

# Characters outside the keyboard layout and outside the basic plane.
reset_notepad
if open_list "unicode"; then
  type_chars un
  key Return
  expect_text "unicode" "uni: café 😀"
fi

# Backspace: withheld with an empty filter, passed on while there are filter characters.
reset_notepad
type_chars ab
if open_list "backspace"; then
  key BackSpace
  type_chars c
  key BackSpace
  key Escape
  e2e_probe wait-hidden TDropDownForm 3000 >/dev/null || fail "Escape did not close the list"
  expect_text "backspace" "ab"
fi

# Escape closes the list without typing; so does switching to another window.
reset_notepad
if open_list "escape"; then
  key Escape
  e2e_probe wait-hidden TDropDownForm 3000 >/dev/null || fail "Escape did not close the list"
  expect_text "escape" ""
fi
reset_notepad
if open_list "switch"; then
  e2e_probe activate TAppMainForm >/dev/null
  e2e_probe wait-hidden TDropDownForm 3000 >/dev/null || fail "switching windows did not close the list"
  expect_text "switching windows" ""
fi

# A second instance brings the first to the front and ends.
e2e_probe activate Notepad >/dev/null
sleep 0.3
wine "$exe" >"$E2E_OUT/second.log" 2>&1 </dev/null
for i in $(seq 1 50); do
  e2e_probe foreground TAppMainForm >/dev/null && break
  sleep 0.1
done
e2e_probe foreground TAppMainForm >/dev/null && echo "ok: second instance" || fail "the second instance did not bring the first to the front"

e2e_probe close TAppMainForm >/dev/null
rc=0
wait "$app" || rc=$?
[ "$rc" = 0 ] || fail "Quillora ended with exit code $rc"
if [ -n "${QUILLORA_TIMING:-}" ] && [ -f "$QUILLORA_TIMING" ]; then cat "$QUILLORA_TIMING"; fi
if [ "$failures" != 0 ]; then echo "FAIL: $failures check(s) failed"; exit 1; fi
echo "PASS: typing end to end"
