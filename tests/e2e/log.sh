#!/usr/bin/env bash
# End to end: a data file with a broken element (a date element without a mask) opens
# with the log panel shown below the document, its close button over the splitter; the
# log's link (Ctrl+Enter on it) puts the focus on that element in the document, where
# typed text lands and is saved; dragging the splitter sets the log's height, which the
# session keeps; the close button clears the log and hides the panel.
# A screenshot of the editor with the log is left beside the test's output.
# Usage: tests/e2e/log.sh BUILD_DIR
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
  printf '\t<Chars Value="alpha one"/><Br/>\r\n'
  printf '\t<Chars Value="date "/><DateTime/>\r\n'
  printf '</Quillora>\r\n'
} >"$data"

wait_data() { e2e_wait_file "$data" "$1" 1 "$2"; } # TEXT SECONDS

wine "$exe" >"$E2E_OUT/app.log" 2>&1 </dev/null &
app=$!
e2e_probe wait-visible TAppMainForm 20000 >/dev/null || { echo "FAIL: Quillora did not start"; exit 1; }
e2e_probe activate TAppMainForm >/dev/null
sleep 1

# The log panel is shown: its close button stands over the splitter.
button=""
for _ in $(seq 1 20); do
  button=$(e2e_probe childrect TAppMainForm TLogCloseButton) && break
  sleep 0.25
done
if [ -z "$button" ]; then
  fail "the log panel is not shown for a document with a broken element"
else
  echo "ok: the log panel is shown"
  read -r bleft btop bright bbottom <<<"$button"
  [ $((bright - bleft)) = 58 ] && [ $((bbottom - btop)) = 18 ] || fail "the close button is $((bright - bleft))x$((bbottom - btop))"
  read -r left top right bottom <<<"$(e2e_probe rect TAppMainForm)"
  # The log's first line: below the splitter (the button sticks out 5 pixels above and
  # below its 8 pixels).
  logtop=$((btop + 13))
  xdotool mousemove $((left + 200)) $((logtop + 12))
  xdotool click 1
  sleep 0.5
  # Ctrl+Enter on the link at the end of the first line.
  key ctrl+Home End ctrl+Return
  sleep 1
  mkdir -p "$build/e2e-pictures"
  import -window root "$build/e2e-pictures/log.png" 2>/dev/null && echo "screenshot: $build/e2e-pictures/log.png"
  # The focus is on the date element: what is typed now is its mask.
  xdotool type --delay 80 "yyyy"
  key ctrl+s
  if wait_data '<DateTime Value="yyyy' 10; then
    echo "ok: the link focused the broken element"
  else
    fail "the typed text did not reach the date element: $(tr -d '\r' <"$data" | tr '\n' ' ')"
  fi

  # Dragging the splitter 40 pixels up makes the log 40 pixels higher (130 + 40), and
  # the button follows.
  read -r bleft btop bright bbottom <<<"$(e2e_probe childrect TAppMainForm TLogCloseButton)"
  xdotool mousemove $((left + 60)) $((btop + 9))
  xdotool mousedown 1
  for step in 10 20 30 40; do xdotool mousemove $((left + 60)) $((btop + 9 - step)); sleep 0.1; done
  xdotool mouseup 1
  sleep 0.5
  read -r _ moved _ _ <<<"$(e2e_probe childrect TAppMainForm TLogCloseButton)"
  if [ "$moved" = $((btop - 40)) ]; then echo "ok: the splitter sets the log's height"; else fail "the button stands at $moved after the drag, expected $((btop - 40))"; fi

  # The close button clears the log and hides the panel.
  read -r bleft btop bright bbottom <<<"$(e2e_probe childrect TAppMainForm TLogCloseButton)"
  xdotool mousemove $(((bleft + bright) / 2)) $(((btop + bbottom) / 2))
  xdotool click 1
  gone=0
  for _ in $(seq 1 20); do
    if ! e2e_probe childrect TAppMainForm TLogCloseButton >/dev/null; then gone=1; break; fi
    sleep 0.25
  done
  if [ "$gone" = 1 ]; then echo "ok: the close button cleared and closed the log"; else fail "the log panel is still shown"; fi
fi

e2e_probe close TAppMainForm >/dev/null
wait "$app" 2>/dev/null
# The log's height is kept in the session, also while the log is hidden.
session="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Loomwise/Quillora/Quillora.session"
if grep -q -E '<Log Height="?170\b' "$session" 2>/dev/null; then
  echo "ok: the session keeps the log's height"
else
  fail "the session does not keep the log's height: $(grep -o '<Log[^>]*>' "$session" 2>/dev/null)"
fi
if [ "$failures" -gt 0 ]; then
  echo "log: $failures failure(s)"
  exit 1
fi
echo "log: all passed"
