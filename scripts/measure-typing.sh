#!/usr/bin/env bash
# Measures the typing product on Wine with a data file of 10,000 snippets: the time
# from the hotkey to the list being shown, the time to rebuild the list after one
# filter character, and typing a 1,000-character snippet into notepad (every character
# must arrive; characters per second). Prints the figures.
# Usage: scripts/measure-typing.sh [BUILD_DIR]   (default build/windows, built already)
set -u
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build/windows}"
E2E_BUILD="$build"
. "$root/tests/e2e/lib.sh"
trap e2e_stop EXIT
e2e_start "$build"

e2e_fresh_user
long=$(python3 -c "
import string
s=''.join((string.ascii_letters+string.digits+' .,')[i*7%65] for i in range(1000))
print(s, end='')")
python3 - "$E2E_DOCS/Quillora.tpt" "$long" <<'PY'
import sys
path, long = sys.argv[1], sys.argv[2]
parts = ['<Chars Value="zz%s"/><Br/>' % long]
for i in range(1, 10000):
    parts.append('<Chars Value="snippet %d with some words"/>\r\n\t<Tab/>\r\n\t<Chars Value="and more"/><Br/>' % i)
with open(path, 'w', encoding='utf-8', newline='') as f:
    f.write('\ufeff<Quillora FormatVersion="1.2">\r\n\t' + '\r\n\t'.join(parts) + '\r\n</Quillora>\r\n')
PY
timing="$E2E_OUT/timing.txt"
export QUILLORA_TIMING="Z:${timing//\//\\}"
wine "$build/shell/win32/Quillora.exe" >"$E2E_OUT/app.log" 2>&1 </dev/null &
app=$!
e2e_probe wait-window TAppMainForm 30000 >/dev/null || { echo "Quillora did not start"; exit 1; }
wine notepad >/dev/null 2>&1 </dev/null &
e2e_probe wait-window Notepad 20000 >/dev/null
sleep 1
e2e_probe activate Notepad >/dev/null
sleep 0.3
for i in 1 2 3 4 5 6; do
  xdotool key ctrl+b
  e2e_probe wait-visible TDropDownForm 5000 >/dev/null
  sleep 0.2
  xdotool type --delay 100 s
  sleep 0.3
  xdotool key BackSpace
  sleep 0.3
  xdotool key Escape
  e2e_probe wait-hidden TDropDownForm 5000 >/dev/null
  sleep 0.2
done
e2e_probe clear Notepad >/dev/null
printf 'zz%s' "$long" >"$E2E_OUT/expected.txt"
xdotool key ctrl+b
e2e_probe wait-visible TDropDownForm 5000 >/dev/null
sleep 0.2
xdotool type --delay 100 zz
sleep 0.3
start=$(date +%s.%N)
xdotool key Return
if e2e_probe wait-text Notepad "Z:${E2E_OUT//\//\\}\\expected.txt" 60000 >"$E2E_OUT/got.txt"; then
  end=$(date +%s.%N)
  echo "typing 1,002 characters (Method 2): every character arrived, $(python3 -c "print('%.0f characters per second (%.2f s)' % (1002/($end-$start), $end-$start))")"
else
  echo "typing 1,002 characters: NOT every character arrived; notepad holds $(wc -c <"$E2E_OUT/got.txt") bytes"
fi
echo "list timings with 10,000 snippets (first opening includes loading the hook library):"
python3 - "$timing" <<'PY'
import sys, collections
rows = collections.defaultdict(list)
for line in open(sys.argv[1]):
    name, value, _ = line.split()
    rows[name].append(float(value))
for name, values in rows.items():
    later = values[1:] or values
    print('  %-15s first %.2f ms, then median %.2f ms, max %.2f ms (%d runs)' % (
        name, values[0], sorted(later)[len(later)//2], max(later), len(values)))
PY
e2e_probe close TAppMainForm >/dev/null
wait "$app"
