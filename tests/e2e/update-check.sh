#!/usr/bin/env bash
# End to end: Help > Check for Updates against a local web server that serves the
# application-information document. The running version listed gives the "latest
# version" message, a list without it the "newer version" one; a document past the size
# limit is refused with a message; a closed port gives
# WinINet's message; while a slow answer is awaited the drop-down hotkey still opens the
# snippet list in notepad. F1 asks for the online help the same way. The About box is
# photographed.
# Usage: tests/e2e/update-check.sh BUILD_DIR
set -u
build="$1"
E2E_BUILD="$build"
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
server_pid=""
cleanup() {
  if [ -n "$server_pid" ]; then kill "$server_pid" 2>/dev/null; wait "$server_pid" 2>/dev/null; fi
  e2e_stop
}
trap cleanup EXIT
e2e_start "$build"

exe="$build/shell/win32/Quillora.exe"
e2e_fresh_user
docs="$E2E_DOCS"
printf '\xEF\xBB\xBF<Quillora FormatVersion="1.2"><Chars Value="alpha"/><Br/><Chars Value="beta"/></Quillora>' >"$docs/Quillora.tpt"

# The web server, on a free port of its own.
web="$E2E_OUT/web"
mkdir -p "$web"
echo latest >"$web/mode"
python3 "$(dirname "${BASH_SOURCE[0]}")/appinfo-server.py" "$web" &
server_pid=$!
for _ in $(seq 1 50); do [ -s "$web/port" ] && break; sleep 0.1; done
port=$(cat "$web/port" 2>/dev/null) || { echo "FAIL: the web server did not start"; exit 1; }
# The local server is reached directly, whatever proxy the machine has.
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY all_proxy ALL_PROXY
export QUILLORA_APPINFO_URL="http://127.0.0.1:$port/appinfo.xml"

wine "$exe" >"$E2E_OUT/app.log" 2>&1 </dev/null &
e2e_probe wait-visible TAppMainForm 20000 >/dev/null || { echo "FAIL: Quillora did not start"; exit 1; }
wine notepad >/dev/null 2>&1 </dev/null &
e2e_probe wait-window Notepad 20000 >/dev/null || { echo "FAIL: notepad did not start"; exit 1; }
sleep 1

# Prints "ok: TEXT" when no failure came since the step began (failures then $1).
step_ok() { [ "$failures" = "$1" ] && echo "ok: $2"; return 0; }

requests() { [ -f "$web/requests" ] && wc -l <"$web/requests" || echo 0; }

# Help menu items by real pointer clicks: the menu's title in the bar, then the item.
# (Wine's menus here do not take the synthesised arrow keys.) Offsets are from the main
# window's top-left corner: the bar's Help (after File, Edit, View, Service), then the
# rows of the open menu.
click_help_item() { # Y_OFFSET
  e2e_probe activate TAppMainForm >/dev/null
  sleep 0.5
  local l t r b
  read -r l t r b <<<"$(e2e_probe rect TAppMainForm)"
  xdotool mousemove $((l + 188)) $((t + 32)) click 1
  sleep 0.8
  xdotool mousemove $((l + 220)) $((t + $1)) click 1
  sleep 0.3
  xdotool mousemove 1200 20
}
check_for_updates() { click_help_item 78; }

# Waits for the message box and prints its text; fails with NAME when none comes.
box_text() { # NAME TIMEOUT_MS
  if ! e2e_probe wait-window '#32770' "$2" >/dev/null; then fail "$1: no message box"; return 1; fi
  sleep 0.3
  e2e_probe texts '#32770'
}

# Closes the box with a real key press.
close_box() { # KEY
  e2e_probe activate '#32770' >/dev/null
  sleep 0.2
  key "$1"
  e2e_probe wait-gone '#32770' 5000 >/dev/null || fail "the message box did not close"
}

step=$failures
# 1. The document lists the running version.
before=$(requests)
check_for_updates
text=$(box_text "latest" 10000)
echo "$text" | grep -q "You have the latest version of" || fail "latest: the box says '$text'"
[ "$(requests)" -gt "$before" ] || fail "latest: the server was not asked"
close_box Return
step_ok "$step" "latest version"

step=$failures
# 2. The document lists only a newer version; Cancel opens nothing.
echo newer >"$web/mode"
check_for_updates
text=$(box_text "newer" 10000)
echo "$text" | grep -q "The newer version of.*available: 9.9.9" || fail "newer: the box says '$text'"
echo "$text" | grep -q "version: 0.1.0" || fail "newer: the running version is missing in '$text'"
close_box Escape
step_ok "$step" "newer version"

step=$failures
# 3. A document past the size limit is refused with its own message.
echo big >"$web/mode"
check_for_updates
text=$(box_text "big" 15000)
echo "$text" | grep -q "larger than 1048576 bytes" || fail "big: the box says '$text'"
close_box Return
step_ok "$step" "oversized document refused"

step=$failures
# 4. A slow answer: the program's thread goes on, the drop-down hotkey works in notepad.
echo slow >"$web/mode"
check_for_updates
sleep 1
e2e_probe activate Notepad >/dev/null
sleep 0.5
started=$SECONDS
key ctrl+b
if e2e_probe wait-visible TDropDownForm 4000 >/dev/null; then
  count=$(e2e_probe listcount TDropDownForm)
  [ "$count" = 2 ] || fail "slow: the list shows '$count' snippets, not 2"
  [ $((SECONDS - started)) -lt 6 ] || fail "slow: the list opened only after the download"
  key Escape
  step_ok "$step" "the list opens during the download"
else
  fail "slow: Ctrl+B did not open the list while the document was awaited"
fi
e2e_probe wait-window '#32770' 100 >/dev/null && fail "slow: the answer came before the server gave it"
text=$(box_text "slow" 15000)
echo "$text" | grep -q "You have the latest version of" || fail "slow: the box says '$text'"
close_box Return

step=$failures
# 5. A closed port: WinINet's message, after the fixed text.
kill "$server_pid" 2>/dev/null; wait "$server_pid" 2>/dev/null; server_pid=""
check_for_updates
text=$(box_text "unreachable" 20000)
echo "$text" | grep -q "Can't open URL: http://127.0.0.1:$port/appinfo.xml" || fail "unreachable: the box says '$text'"
system=$(echo "$text" | grep -A1 "Can't open URL" | sed -n 2p)
{ [ -n "$system" ] && [ "$system" != OK ]; } || fail "unreachable: no system message in '$text'"
close_box Return
step_ok "$step" "unreachable server: $(echo "$text" | tr '\n' ' ')"

step=$failures
# 6. F1 asks for the online help page: with the server gone, the same message.
e2e_probe activate TAppMainForm >/dev/null
sleep 0.5
key F1
text=$(box_text "F1" 20000)
echo "$text" | grep -q "Can't open URL" || fail "F1: the box says '$text'"
close_box Return
step_ok "$step" "F1"

# 7. Help > About: the last item of the menu.
click_help_item 155
if e2e_probe wait-visible TAboutForm 5000 >/dev/null; then
  sleep 1
  title=$(e2e_probe title TAboutForm)
  echo "$title" | grep -q "^About.Quillora$" || fail "about: the caption is '$title'"
  e2e_probe text TAboutForm | grep -q "^Quillora 0.1.0" || fail "about: the title line is '$(e2e_probe text TAboutForm)'"
  mkdir -p "$build/e2e-pictures"
  import -window root "$build/e2e-pictures/about.png" 2>/dev/null && echo "screenshot: $build/e2e-pictures/about.png"
  key Escape
  e2e_probe wait-gone TAboutForm 5000 >/dev/null || fail "about: Escape did not close the box"
else
  fail "about: the box did not open"
fi

if [ "$failures" -gt 0 ]; then
  echo "FAILED: $failures"
  exit 1
fi
echo "PASS: update check"
