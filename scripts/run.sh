#!/usr/bin/env bash
# Builds Quillora for Windows and runs it under Wine.
# With $DISPLAY set, the program opens on that display. Without one, a headless demo
# runs it on a private Xvfb display, saves a screenshot and ends it again.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash scripts/install-deps.sh
bash scripts/build.sh native >/dev/null
bash scripts/build.sh windows >/dev/null

echo "== quillora-tool knot on a sample file =="
build/native/tools/quillora-tool/quillora-tool knot resources/samples/Sample.settings || true

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  . scripts/wine-env.sh
  wine_prepare
  echo "== running Quillora.exe on $DISPLAY (close its window to end) =="
  exec wine build/windows/shell/win32/Quillora.exe
fi

echo "== headless demo: Quillora.exe types a snippet into Wine's notepad on Xvfb =="
E2E_BUILD="$root/build/windows"
. tests/e2e/lib.sh
trap e2e_stop EXIT
e2e_start "$root/build/windows"
e2e_fresh_user
# The demo's snippets (the user's own data file is not touched: this prefix is the demo's).
printf '\xEF\xBB\xBF<Quillora FormatVersion="1.2">\r\n\t<Chars Value="Hello from Quillora!"/><Br/>\r\n\t<Chars Value="Kind regards,"/>\r\n\t<Return/>\r\n\t<Chars Value="Jane"/><Br/>\r\n\t<Chars Value="Today: "/>\r\n\t<DateTime Value="yyyy-mm-dd"/>\r\n</Quillora>\r\n' \
  >"$E2E_DOCS/Quillora.tpt"
wine build/windows/shell/win32/Quillora.exe >"$E2E_OUT/app.log" 2>&1 </dev/null &
app=$!
e2e_probe wait-visible TAppMainForm 20000
e2e_probe activate TAppMainForm
sleep 1
echo "writing a new snippet in the main window's editor, then Ctrl+S"
read -r left top _ _ <<<"$(e2e_probe rect TAppMainForm)"
xdotool mousemove $((left + 120)) $((top + 70)) click 1
xdotool key --delay 60 ctrl+End Return
xdotool type --delay 60 "Written in the editor"
xdotool key --delay 60 ctrl+s shift+Home
sleep 0.5
mkdir -p build/demo
import -window root build/demo/editor.png && echo "screenshot of the editor: build/demo/editor.png"
wine notepad >/dev/null 2>&1 </dev/null &
e2e_probe wait-window Notepad 20000
sleep 1
e2e_probe activate Notepad
sleep 0.3
echo "pressing Ctrl+B in notepad, then typing \"k\" to filter"
xdotool key ctrl+b
e2e_probe wait-visible TDropDownForm 5000
sleep 0.3
xdotool type --delay 80 k
sleep 0.5
import -window root build/demo/screenshot.png && echo "screenshot with the list open: build/demo/screenshot.png"
xdotool key Return
sleep 1.5
echo "notepad now holds:"
e2e_probe text Notepad
e2e_probe close TAppMainForm
wait "$app" && echo "Quillora.exe ended cleanly"
