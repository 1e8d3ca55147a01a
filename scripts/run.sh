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

echo "== headless demo: Quillora.exe under Wine on Xvfb =="
. tests/e2e/lib.sh
trap e2e_stop EXIT
e2e_start "$root/build/windows"
wine build/windows/shell/win32/Quillora.exe >"$E2E_OUT/app.log" 2>&1 </dev/null &
app=$!
e2e_probe wait-window TAppMainForm 20000
echo "main window: $(e2e_probe title TAppMainForm)"
sleep 1
mkdir -p build/demo
import -window root build/demo/screenshot.png && echo "screenshot: build/demo/screenshot.png"
e2e_probe close TAppMainForm
wait "$app" && echo "Quillora.exe ended cleanly"
