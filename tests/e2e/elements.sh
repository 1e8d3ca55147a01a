#!/usr/bin/env bash
# End to end: a comment and, inside it, a star and a logic frame inserted from the palette
# with its Ctrl accelerators (real key presses), text typed into the comment around them
# and into the new frame's content, Ctrl+S, and the data file holds them nested as they
# were made. Then, in the frame's content, a second frame inserted with Ctrl+L gets a
# description with Ctrl+M while it still has the focus, a text is typed into it, and after
# Ctrl+S the data file holds the description with the nested frame. The setting
# "FocusNew" is on, so that each new element takes the focus. A screenshot of the editor
# with the comment, the sign, the frames and the description is left beside the test's
# output.
# Usage: tests/e2e/elements.sh BUILD_DIR
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
settings_folder="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Loomwise/Quillora"
mkdir -p "$settings_folder"
printf '<Quillora>\r\n\t<Sheet>\r\n\t\t<FocusNew Value="1"/>\r\n\t</Sheet>\r\n</Quillora>\r\n' \
  >"$settings_folder/Quillora.settings"

wait_data() { e2e_wait_file "$data" "$1" 1 "$2"; } # TEXT SECONDS

e2e_start_editor "$exe"

key ctrl+End
key Return
type_chars "el start"
# The text's buttons: the fifteen key elements, then the comment ("Additional").
e2e_palette_key 16 0.8
type_chars "el note "
# The comment's buttons: the signs first (Information 1, Question 2, Star 3, ...).
e2e_palette_key 3 0.8
# The new star has the focus; Right goes back into the comment's text after it.
key Right
sleep 0.3
type_chars " "
e2e_palette_key l 0.8
# The new frame takes the focus and, a moment later, passes the caret into its content.
type_chars "el inside"
sleep 0.5
key ctrl+s
if wait_data '<Chars Value="el inside"/>' 10; then
  echo "ok: Ctrl+S saved the comment"
else
  fail "the data file does not hold the comment's text"
fi
# The comment holds its text, the star and the frame (on a line of its own) in that order,
# after the new paragraph's text; the text typed after the frame is its content.
flat=$(tr -d '\r\n\t' <"$data")
if [[ "$flat" == *'<Chars Value="el start"/><Comment><Chars Value="el note "/><Star/><Chars Value=" "/><Br/><LogicFrame>'*'<Content><Chars Value="el inside"/></Content></LogicFrame></Comment>'* ]]; then
  echo "ok: the comment holds its text, the star and the frame with its content"
else
  fail "the data file holds: $(printf '%q' "$flat")"
fi
grep -q '<Chars Value="alpha one"/>' "$data" && echo "ok: the first snippet is kept" || fail "the first snippet is lost"

# In the frame's content Ctrl+L inserts a second frame, which has the focus until its
# delayed action (300 ms) passes the caret into it; Ctrl+M right away gives it a
# description and focuses that, and the typed text goes into the description.
xdotool keydown ctrl; sleep 0.05; xdotool key l; sleep 0.05; xdotool keyup ctrl; sleep 0.05
xdotool keydown ctrl; sleep 0.05; xdotool key m; sleep 0.05; xdotool keyup ctrl
sleep 0.8
type_chars "el why"
sleep 0.5
mkdir -p "$build/e2e-pictures"
import -window root "$build/e2e-pictures/elements.png" 2>/dev/null && echo "screenshot: $build/e2e-pictures/elements.png"
key ctrl+s
if wait_data '<Chars Value="el why"/>' 10; then
  flat=$(tr -d '\r\n\t' <"$data")
  if [[ "$flat" == *'<Content><Chars Value="el inside"/>'*'<LogicFrame>'*'<Description><Chars Value="el why"/></Description></LogicFrame>'*'</Content></LogicFrame></Comment>'* ]]; then
    echo "ok: Ctrl+M gave the nested frame a description that is saved with it"
  else
    fail "the nested frame's description is not where it belongs: $(printf '%q' "$flat")"
  fi
else
  fail "the data file does not hold the description typed after Ctrl+M"
fi

e2e_finish elements
