#!/usr/bin/env bash
# End to end: every class of characters arrives exactly, with both typing methods, on
# the US, German and French keyboard layouts. For each layout the X keyboard is switched
# before a fresh Wine session starts; the real Quillora.exe then types every row of the
# matrix into Wine's notepad (chosen by filter and Enter, as a user does), once with
# synthesized key strokes and once, after a restart with "Method1", with character
# messages; notepad's text is compared exactly after each row.
# Usage: tests/e2e/typing-matrix.sh BUILD_DIR [LAYOUT...]   (default: us de fr)
# Prints one line per cell and a summary "cells passed: N of M"; exit 1 when any failed.
set -u
build="$1"
shift
layouts=("$@")
[ ${#layouts[@]} = 0 ] && layouts=(us de fr)
E2E_BUILD="$build"
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
trap e2e_stop EXIT
e2e_start "$build" || { echo "FAIL: no display or Wine prefix"; exit 1; }
command -v setxkbmap >/dev/null || { echo "FAIL: setxkbmap is missing (package x11-xkb-utils)"; exit 1; }

exe="$build/shell/win32/Quillora.exe"
e2e_fresh_user
docs="$E2E_DOCS"
settings_folder="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Loomwise/Quillora"

# The rows: a tag of two letters that filters the list to this snippet alone (letters
# that every layout types without a dead key), then the content. The data file's text
# of a row: "{Tab}", "{Return}", "{Left}" and "{Caret}" stand for key elements. The
# expected text: what notepad holds after the row ("\t" a tab, "\n" a line break), with
# "{X}" where a character typed next goes (the caret left after the snippet).
rows_file="$E2E_OUT/rows.tsv"
cat >"$rows_file" <<'ROWS'
punctuation	qp !"#$%&'()*+,-./:;<=>?@[\]^_`{|}~	qp !"#$%&'()*+,-./:;<=>?@[\]^_`{|}~{X}
diacritics	qd äöüßÄÖÜ éèêëàçùÉ ñÑ	qd äöüßÄÖÜ éèêëàçùÉ ñÑ{X}
altgr	qa @€{[]}\~|µ²³ #¤`^	qa @€{[]}\~|µ²³ #¤`^{X}
deadkeys	qk ^a ^e `a ´e ~n ¨u ^ ` ´ ~ ¨ x^	qk ^a ^e `a ´e ~n ¨u ^ ` ´ ~ ¨ x^{X}
outside	qo øłŁ¿¡ΩжЖŷ	qo øłŁ¿¡ΩжЖŷ{X}
surrogates	qs 😀👍🏽𝄞a😀	qs 😀👍🏽𝄞a😀{X}
cjk	qc 漢字かなカナ한국어	qc 漢字かなカナ한국어{X}
keys	qt1{Tab}qt2{Return}qt3{Left}Z	qt1\tqt2\nqtZ{X}3
caret	qr ab{Caret}cd😀e	qr ab{X}cd😀e
click	qu ab{Caret}cd{Return}ef	qu ab{X}cd\nef
ROWS

# The data file: one snippet per row.
python3 - "$rows_file" "$docs/Quillora.tpt" <<'PY'
import sys, html
rows, out = sys.argv[1], sys.argv[2]
parts = []
for line in open(rows, encoding='utf-8'):
    line = line.rstrip('\n')
    if not line:
        continue
    name, text, _ = line.split('\t')
    nodes = []
    chunk = ''
    i = 0
    while i < len(text):
        for key in ('Tab', 'Return', 'Left', 'Caret'):
            if text.startswith('{%s}' % key, i):
                if chunk:
                    nodes.append('<Chars Value="%s"/>' % html.escape(chunk, quote=True))
                    chunk = ''
                nodes.append('<%s/>' % key)
                i += len(key) + 2
                break
        else:
            chunk += text[i]
            i += 1
    if chunk:
        nodes.append('<Chars Value="%s"/>' % html.escape(chunk, quote=True))
    parts.append('\r\n\t'.join(nodes))
with open(out, 'w', encoding='utf-8', newline='') as f:
    f.write('\ufeff<Quillora FormatVersion="1.2">\r\n\t' + '<Br/>\r\n\t'.join(parts) + '\r\n</Quillora>\r\n')
PY

passed=0
total=0
failed_cells=()
key() { xdotool key --delay 40 "$@"; }
type_chars() { xdotool type --delay 60 "$1"; }

# Writes the settings file that chooses the method: "Method1" (character messages) or
# "" (key strokes, the default).
write_settings() {
  mkdir -p "$settings_folder"
  printf '<Quillora>\r\n\t<General>\r\n\t\t<Method Value="%s"/>\r\n\t</General>\r\n</Quillora>\r\n' "$1" \
    >"$settings_folder/Quillora.settings"
}

start_quillora() {
  wine "$exe" >"$E2E_OUT/app.log" 2>&1 </dev/null &
  app=$!
  e2e_probe wait-window TAppMainForm 20000 >/dev/null
}

stop_quillora() {
  e2e_probe close TAppMainForm >/dev/null
  e2e_probe wait-gone TAppMainForm 10000 >/dev/null
  wait "$app" 2>/dev/null || true
}

# Empties notepad and waits until it reads back empty: a cell must never start on the
# previous cell's text.
reset_notepad() {
  local try
  : >"$E2E_OUT/empty.txt"
  e2e_probe activate Notepad >/dev/null
  for try in 1 2 3; do
    e2e_probe clear Notepad >/dev/null
    e2e_probe wait-text Notepad "Z:${E2E_OUT//\//\\}\\empty.txt" 2000 >/dev/null && break
  done
  e2e_probe wait-hidden TDropDownForm 3000 >/dev/null
  sleep 0.15
}

# Types one row and compares; CELL names it in the output.
run_row() { # CELL NAME TEXT EXPECTED
  local cell="$1" text="$3" expected="$4" tag got
  tag="${text:0:2}"
  total=$((total + 1))
  expected="${expected//\\n/$'\n'}"
  expected="${expected//\\t/$'\t'}"
  local before="${expected%%\{X\}*}" rest="${expected#*\{X\}}"
  reset_notepad
  key ctrl+b
  if ! e2e_probe wait-visible TDropDownForm 5000 >/dev/null; then
    echo "FAIL $cell: the list did not open"
    failed_cells+=("$cell")
    return
  fi
  sleep 0.15
  type_chars "$tag"
  sleep 0.2
  key Return
  printf '%s%s' "$before" "$rest" >"$E2E_OUT/expected.txt"
  if ! got=$(e2e_probe wait-text Notepad "Z:${E2E_OUT//\//\\}\\expected.txt" 8000); then
    echo "FAIL $cell: notepad holds '$got', expected '$before$rest'"
    failed_cells+=("$cell")
    return
  fi
  # A character typed now lands where the caret was left.
  sleep 0.2
  type_chars X
  printf '%sX%s' "$before" "$rest" >"$E2E_OUT/expected.txt"
  if ! got=$(e2e_probe wait-text Notepad "Z:${E2E_OUT//\//\\}\\expected.txt" 5000); then
    echo "FAIL $cell: the caret was not left in place: notepad holds '$got', expected '${before}X$rest'"
    failed_cells+=("$cell")
    return
  fi
  echo "ok $cell"
  passed=$((passed + 1))
}

for layout in "${layouts[@]}"; do
  # A fresh session: every Wine process reads the X keyboard layout when it starts.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  if ! setxkbmap "$layout"; then echo "FAIL: setxkbmap $layout"; exit 1; fi
  wine cmd /c exit >/dev/null 2>&1 </dev/null
  for method in Method2 Method1; do
    [ "$method" = Method1 ] && write_settings Method1 || write_settings ""
    if ! start_quillora; then
      echo "FAIL $layout/$method: Quillora did not start"
      total=$((total + 10))
      failed_cells+=("$layout/$method/*")
      continue
    fi
    if ! e2e_probe wait-window Notepad 100 >/dev/null; then
      wine notepad >/dev/null 2>&1 </dev/null &
      e2e_probe wait-window Notepad 20000 >/dev/null || { echo "FAIL: notepad did not start"; exit 1; }
      sleep 1
    fi
    while IFS=$'\t' read -r name text expected; do
      [ -n "$name" ] || continue
      run_row "$layout/$method/$name" "$name" "$text" "$expected"
    done <"$rows_file"
    stop_quillora
  done
done
setxkbmap us

echo "cells passed: $passed of $total"
if [ ${#failed_cells[@]} != 0 ]; then
  echo "FAIL: ${failed_cells[*]}"
  exit 1
fi
echo "PASS: typing matrix"
