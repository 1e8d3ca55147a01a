#!/usr/bin/env bash
# End to end with 10,000 snippets: a paragraph in the middle is found with Ctrl+F and
# edited with real key presses, saved with Ctrl+S and typed into Wine's notepad; Replace
# All changes a word in every paragraph and the autosave writes it. Prints, without
# judging them, the time from each key message to the end of the paint it causes and
# the resident memory of the program with the document open in the editor.
# Usage: tests/e2e/editor-large.sh BUILD_DIR
set -u
build="$1"
E2E_BUILD="$build"
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
trap e2e_stop EXIT
e2e_start "$build"

exe="$build/shell/win32/Quillora.exe"
e2e_fresh_user
data="$E2E_DOCS/Quillora.tpt"
python3 - "$data" <<'PY'
import sys
parts = ['<Chars Value="snippet %d with some words"/>\r\n\t<Tab/>\r\n\t<Chars Value="and more"/><Br/>' % i
         for i in range(10000)]
with open(sys.argv[1], 'w', encoding='utf-8', newline='') as f:
    f.write('\ufeff<Quillora FormatVersion="1.2">\r\n\t' + '\r\n\t'.join(parts) + '\r\n</Quillora>\r\n')
PY
timing="$E2E_OUT/timing.txt"
: >"$timing"
export QUILLORA_TIMING="Z:${timing//\//\\}"

data_count() { grep -c -F "$1" "$data"; }
wait_data() { e2e_wait_file "$data" "$1" 1 "$2"; } # TEXT SECONDS

wine "$exe" >"$E2E_OUT/app.log" 2>&1 </dev/null &
app=$!
e2e_probe wait-visible TAppMainForm 30000 >/dev/null || { echo "FAIL: Quillora did not start"; exit 1; }
[ "$(e2e_wait_snippet_count 10000)" = 10000 ] || fail "the main window does not hold 10,000 snippets"
e2e_probe activate TAppMainForm >/dev/null
sleep 1
read -r x y <<<"$(e2e_document_point)"
xdotool mousemove "$x" "$y"
xdotool click 1
sleep 0.5

# Ctrl+F selects the words in the middle; typing replaces them.
key ctrl+f
if e2e_probe wait-window '#32770' 5000 >/dev/null; then
  sleep 0.5
  type_chars "snippet 5000 with"
  key Return
  sleep 1
  key Escape
  sleep 0.5
  : >"$timing"
  type_chars "qz measured edit in the middle" 150
  sleep 0.5
  key ctrl+s
  if wait_data '<Chars Value="qz measured edit in the middle some words"/>' 15; then
    echo "ok: the paragraph edited in the middle was saved"
  else
    fail "the data file does not hold the edited paragraph"
  fi
  [ "$(data_count 'snippet 4999 with some words')" = 1 ] && [ "$(data_count 'snippet 5001 with some words')" = 1 ] ||
    fail "the neighbours of the edited paragraph changed"
else
  fail "the find dialog did not open"
fi
python3 - "$timing" <<'PY'
import sys
v = sorted(float(l.split()[1]) for l in open(sys.argv[1]) if l.startswith('key-to-paint'))
if v:
    print('figure: typed character in the middle of 10,000 snippets, key message to end of paint: '
          'median %.2f ms, 90th percentile %.2f ms, max %.2f ms (%d keys)' % (
          v[len(v) // 2], v[int(len(v) * 0.9)], v[-1], len(v)))
PY
pid=$(pgrep -f 'Quillora.exe' | while read -r p; do
  printf '%s %s\n' "$(awk '/VmRSS/ {print $2}' /proc/"$p"/status 2>/dev/null || echo 0)" "$p"; done | sort -n | tail -1)
[ -n "$pid" ] && echo "figure: resident memory of Quillora.exe with 10,000 snippets in the editor: $(( ${pid%% *} / 1024 )) MB"

# Typed into notepad from the drop-down list.
wine notepad >/dev/null 2>&1 </dev/null &
e2e_probe wait-window Notepad 20000 >/dev/null || { echo "FAIL: notepad did not start"; exit 1; }
sleep 1
e2e_probe activate Notepad >/dev/null
e2e_probe clear Notepad >/dev/null
sleep 0.5
key ctrl+b
if e2e_probe wait-visible TDropDownForm 5000 >/dev/null; then
  sleep 0.3
  type_chars qz
  key Return
  printf 'qz measured edit in the middle some words\tand more' >"$E2E_OUT/expected.txt"
  if got=$(e2e_probe wait-text Notepad "Z:${E2E_OUT//\//\\}\\expected.txt" 8000); then
    echo "ok: notepad holds the edited snippet"
  else
    fail "notepad holds '$got', expected the edited snippet"
  fi
else
  fail "the list did not open in notepad"
fi

# Replace All from the top changes every paragraph; the autosave writes it.
e2e_probe activate TAppMainForm >/dev/null
sleep 0.5
key ctrl+Home
key ctrl+h
if e2e_probe wait-window '#32770' 5000 >/dev/null; then
  sleep 0.5
  type_chars "some words"
  key Tab
  type_chars "few words"
  key alt+a
  sleep 3
  key Escape
  if wait_data '<Chars Value="snippet 9999 with few words"/>' 30; then
    n=$(data_count 'some words')
    [ "$n" = 0 ] && echo "ok: Replace All changed every paragraph and the autosave wrote it" ||
      fail "$n paragraphs still hold the replaced words"
  else
    fail "Replace All did not reach the data file"
  fi
else
  fail "the replace dialog did not open"
fi

e2e_finish editor-large
