#!/usr/bin/env bash
# Runs the Windows tests of the keystroke sender that need injected input to reach a
# window (they skip themselves without a display): on an Xvfb display and in a Wine
# prefix of their own, so that no other run's session is disturbed.
# Usage: tests/typing/display-tests.sh WINDOWS_BUILD_DIR [gtest filter]
# The keyboard hook and the foreground tracking tests run here as well, and those of the
# window base, of the menu bar and of the find and replace dialogs that need top-level
# windows, the sheet in its viewport (a picture file dropped on the document included) and
# the drop-down list window.
set -u
build="$(cd "$1" && pwd)"
filter="${2:-SendKeysWin*:HookWin*:AccessibleCaretWin*:AutomationCaretWin*:FocusedWindowNotifierWin*:WindowPlacementWin*:WindowSnapWin*:MenuBarWin*:SheetWin*:FindDialogsWin*:WindowHintWin*:DropDownListWindowWin*:SettingsDialogWin*}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
# (wine-run.sh below uses the same prefix; wine-env.sh gives it a HOME of its own.)
export QUILLORA_WINEPREFIX="$build/wineprefix-display"
. "$root/scripts/wine-env.sh"

xvfb_pid=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

for n in $(seq 160 199); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    break
  fi
done
if [ -z "$xvfb_pid" ]; then echo "no free display" >&2; exit 1; fi
for _ in $(seq 1 100); do
  if xdpyinfo >/dev/null 2>&1; then break; fi
  sleep 0.1
done

"$root/scripts/wine-run.sh" "$build/tests/quillora_tests.exe" --gtest_filter="$filter"
