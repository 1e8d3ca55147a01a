#!/usr/bin/env bash
# End to end: the settings dialog opened from the Service menu with real key presses.
# The drop-down hotkey becomes Ctrl+Shift+K and the typing method Method 1; after OK the
# settings file holds both and Ctrl+Shift+K in Wine's notepad opens the list that types
# the snippet. Then the language becomes German in the dialog, and after OK the main
# window's menus read German at once. A screenshot of the dialog is left beside the
# test's output.
# Usage: tests/e2e/settings.sh BUILD_DIR
set -u
build="$1"
E2E_BUILD="$build"
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
trap e2e_stop EXIT
e2e_start "$build"

exe="$build/shell/win32/Quillora.exe"
e2e_fresh_user
data="$E2E_DOCS/Quillora.tpt"
settings="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Loomwise/Quillora/Quillora.settings"
{
  printf '\xEF\xBB\xBF<Quillora FormatVersion="1.2">\r\n'
  printf '\t<Chars Value="alpha one"/>\r\n'
  printf '</Quillora>\r\n'
} >"$data"

# Clicks the middle of the visible child CHILDCLASS of the settings dialog.
click_child() {
  local l t r b
  read -r l t r b <<<"$(e2e_probe childrect TSettingsForm "$1")" || return 1
  [ -n "$b" ] || return 1
  xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2))
  xdotool click 1
  sleep 0.4
}
# Clicks the first row of the page tree, then moves down N rows with the arrow key.
select_page() {
  local l t r b
  read -r l t r b <<<"$(e2e_probe childrect TSettingsForm SysTreeView32)" || return 1
  xdotool mousemove $((l + 30)) $((t + 10))
  xdotool click 1
  sleep 0.3
  key Home
  local i
  for ((i = 0; i < $1; i++)); do key Down; done
  sleep 0.3
}
# Opens the dialog through the menu bar: Alt+S (Service), T (Settings...).
open_dialog() {
  e2e_probe activate TAppMainForm >/dev/null
  sleep 0.5
  key alt+s
  sleep 1
  key t
  e2e_probe wait-visible TSettingsForm 5000 >/dev/null && return 0
  mkdir -p "$build/e2e-pictures"
  import -window root "$build/e2e-pictures/settings-not-open.png" 2>/dev/null
  return 1
}

wine "$exe" >"$E2E_OUT/app.log" 2>&1 </dev/null &
app=$!
e2e_probe wait-visible TAppMainForm 20000 >/dev/null || { echo "FAIL: Quillora did not start"; exit 1; }
sleep 1
read -r x y <<<"$(e2e_document_point)"
xdotool mousemove "$x" "$y"
xdotool click 1
sleep 0.5

menus=$(e2e_probe menus TAppMainForm | tr '\n' ' ')
[[ "$menus" == *"&Service"* ]] && echo "ok: the menu bar holds the Service menu: $menus" || fail "menu bar: $menus"

if open_dialog; then
  echo "ok: Service > Settings opened the dialog"
  click_child msctls_hotkey32 || fail "no hotkey control on the first page"
  key ctrl+shift+k
  sleep 0.5
  mkdir -p "$build/e2e-pictures"
  import -window root "$build/e2e-pictures/settings.png" 2>/dev/null && echo "screenshot: $build/e2e-pictures/settings.png"
  select_page 1 # Problem Solving
  key Tab       # into the methods: the checked one, Method 2
  key Up        # Method 1
  key space
  sleep 0.3
  import -window root "$build/e2e-pictures/settings-method.png" 2>/dev/null
  key Return
  e2e_probe wait-gone TSettingsForm 5000 >/dev/null && echo "ok: OK closed the dialog" || fail "the dialog did not close"
else
  fail "the dialog did not open from the menu"
fi

if e2e_wait_file "$settings" 'Shift+Ctrl+K' 1 5; then
  echo "ok: the settings file holds the new drop-down hotkey"
else
  fail "the settings file does not hold Shift+Ctrl+K: $(cat "$settings" 2>/dev/null | tr -d '\r' | tr '\n' ' ')"
fi
grep -q -E '<Method Value="?Method1' "$settings" 2>/dev/null && echo "ok: the settings file holds Method 1" ||
  fail "the settings file does not hold Method 1"

wine notepad >/dev/null 2>&1 </dev/null &
e2e_probe wait-window Notepad 20000 >/dev/null || { echo "FAIL: notepad did not start"; exit 1; }
sleep 1
e2e_probe activate Notepad >/dev/null
e2e_probe clear Notepad >/dev/null
sleep 0.5
key ctrl+shift+k
if e2e_probe wait-visible TDropDownForm 5000 >/dev/null; then
  sleep 0.3
  type_chars al
  key Return
  sleep 2
  got=$(e2e_probe text Notepad | tr -d '\r')
  [ "$got" = "alpha one" ] && echo "ok: Ctrl+Shift+K typed the snippet into notepad" || fail "notepad holds $(printf '%q' "$got")"
else
  fail "Ctrl+Shift+K did not open the list in notepad"
fi

# German through the dialog: the language list is the first control of the first page.
if open_dialog; then
  select_page 0
  key Tab # to the language list
  key d   # "Deutsch"
  sleep 0.3
  key Return
  e2e_probe wait-gone TSettingsForm 5000 >/dev/null || fail "the dialog did not close"
  menus=""
  for _ in $(seq 1 20); do
    menus=$(e2e_probe menus TAppMainForm | tr '\n' ' ')
    [[ "$menus" == "&Datei "* ]] && break
    sleep 0.25
  done
  [[ "$menus" == "&Datei "* ]] && echo "ok: the menus read German at once: $menus" || fail "the menus read: $menus"
  grep -q -E '<Language Value="?DEU' "$settings" 2>/dev/null && echo "ok: the settings file holds the language" ||
    fail "the settings file does not hold DEU"
else
  fail "the dialog did not open a second time"
fi

e2e_finish settings
