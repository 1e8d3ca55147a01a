#!/usr/bin/env bash
# Measures the typing product on Wine with a data file of 10,000 snippets: the time
# from the hotkey to the list being shown, the time from a filter character to the
# rebuilt and to the painted list, and typing 1,000 and 10,000 characters into notepad
# (time to the first character and to the whole text) beside a control that sends the
# same records in one SendInput call (Method 2) or one WM_CHAR per unit with the same
# pauses (Method 1). Prints the figures; MEASURE_RUNS runs of each (default 3),
# MEASURE_LIST_ONLY=1 the list's figures only.
# Usage: scripts/measure-typing.sh [BUILD_DIR]   (default build/windows, built already)
set -u
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build/windows}"
E2E_BUILD="$build"
. "$root/tests/e2e/lib.sh"
trap e2e_stop EXIT
e2e_start "$build"

e2e_fresh_user
settings_folder="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Loomwise/Quillora"
long=$(python3 -c "
import string
s=''.join((string.ascii_letters+string.digits+' .,')[i*7%65] for i in range(1000))
print(s, end='')")
longer=$(python3 -c "
import string
s=''.join((string.ascii_letters+string.digits+' .,')[i*11%65] for i in range(10000))
print(s, end='')")
python3 - "$E2E_DOCS/Quillora.tpt" "$long" "$longer" <<'PY'
import sys
path, long, longer = sys.argv[1], sys.argv[2], sys.argv[3]
parts = ['<Chars Value="%s"/><Br/>' % long, '<Chars Value="%s"/><Br/>' % longer]
for i in range(2, 10000):
    parts.append('<Chars Value="snippet %d with some words"/>\r\n\t<Tab/>\r\n\t<Chars Value="and more"/><Br/>' % i)
with open(path, 'w', encoding='utf-8', newline='') as f:
    f.write('\ufeff<Quillora FormatVersion="1.2">\r\n\t' + '\r\n\t'.join(parts) + '\r\n</Quillora>\r\n')
PY
printf '%s' "$long" >"$E2E_OUT/long.txt"
printf '%s' "$longer" >"$E2E_OUT/longer.txt"
win_path() { printf 'Z:%s' "${1//\//\\}"; }
timing="$E2E_OUT/timing.txt"
export QUILLORA_TIMING="$(win_path "$timing")"

start_quillora() { # METHOD ("Method1" or "")
  mkdir -p "$settings_folder"
  printf '<Quillora>\r\n\t<General>\r\n\t\t<Method Value="%s"/>\r\n\t</General>\r\n</Quillora>\r\n' "$1" \
    >"$settings_folder/Quillora.settings"
  wine "$build/shell/win32/Quillora.exe" >"$E2E_OUT/app.log" 2>&1 </dev/null &
  app=$!
  e2e_probe wait-window TAppMainForm 30000 >/dev/null || { echo "Quillora did not start"; exit 1; }
}
stop_quillora() {
  e2e_probe close TAppMainForm >/dev/null
  wait "$app"
}
fresh_notepad() {
  e2e_probe activate Notepad >/dev/null
  e2e_probe clear Notepad >/dev/null
  sleep 0.3
}
# Opens the list, selects item INDEX with Down, and times the typing from Enter.
program_types() { # INDEX FILE
  fresh_notepad
  xdotool key ctrl+b
  e2e_probe wait-visible TDropDownForm 5000 >/dev/null
  sleep 0.3
  local i
  for ((i = 0; i < $1; i++)); do xdotool key Down; sleep 0.1; done
  sleep 0.3
  e2e_probe time-typing Notepad "$(win_path "$2")" enter
}
control_types() { # FILE HOW [INTERVAL]
  fresh_notepad
  e2e_probe time-typing Notepad "$(win_path "$1")" "$2" "${3:-1}"
}
# "first A full B" lines: the medians of A and B.
medians() {
  python3 -c "
import sys
rows = [l.split() for l in sys.stdin if l.startswith('first')]
ok = [r for r in rows if r[3] != 'timeout']
if not ok: print('no complete run'); sys.exit()
f = sorted(float(r[1]) for r in ok); t = sorted(float(r[3]) for r in ok)
n = $1
print('first character %.0f ms, whole text %.0f ms, %.0f characters per second (median of %d, %d incomplete)' % (
    f[len(f)//2], t[len(t)//2], n / (t[len(t)//2] / 1000), len(ok), len(rows) - len(ok)))"
}

start_quillora ""
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

# MEASURE_LIST_ONLY=1: the list's figures only, without the typing runs.
[ -n "${MEASURE_LIST_ONLY:-}" ] && exit 0
runs="${MEASURE_RUNS:-3}"
: >"$E2E_OUT/p1k"; : >"$E2E_OUT/c1k"; : >"$E2E_OUT/p10k"; : >"$E2E_OUT/c10k"
for ((r = 0; r < runs; r++)); do
  program_types 0 "$E2E_OUT/long.txt" >>"$E2E_OUT/p1k"
  control_types "$E2E_OUT/long.txt" sendinput >>"$E2E_OUT/c1k"
  program_types 1 "$E2E_OUT/longer.txt" >>"$E2E_OUT/p10k"
  control_types "$E2E_OUT/longer.txt" sendinput >>"$E2E_OUT/c10k"
done
echo "Method 2, 1,000 characters:  program: $(medians 1000 <"$E2E_OUT/p1k")"
echo "                              control: $(medians 1000 <"$E2E_OUT/c1k")"
echo "Method 2, 10,000 characters: program: $(medians 10000 <"$E2E_OUT/p10k")"
echo "                              control: $(medians 10000 <"$E2E_OUT/c10k")"
# The program's own trace of the same runs (1,000 and 10,000 characters in turn): when
# its records were ready and when its SendInput call returned, counted from the moment
# it took Enter.
python3 - "$timing" <<'PY'
import sys
rows = {'typing-sendinput-start': [], 'typing-sendinput-end': []}
for line in open(sys.argv[1]):
    name, value, _ = line.split()
    if name in rows: rows[name].append(float(value))
def median(v): return sorted(v)[len(v)//2] if v else float('nan')
for offset, size in ((0, '1,000'), (1, '10,000')):
    start = rows['typing-sendinput-start'][offset::2]
    end = rows['typing-sendinput-end'][offset::2]
    print('  program trace, %s characters: records ready %.0f ms, SendInput returned %.0f ms after it took Enter (median of %d)' % (
        size, median(start), median(end), len(start)))
PY
stop_quillora

start_quillora Method1
: >"$E2E_OUT/m1p"; : >"$E2E_OUT/m1c"
for ((r = 0; r < runs; r++)); do
  program_types 0 "$E2E_OUT/long.txt" >>"$E2E_OUT/m1p"
  control_types "$E2E_OUT/long.txt" wmchar 1 >>"$E2E_OUT/m1c"
done
echo "Method 1, 1,000 characters:  program: $(medians 1000 <"$E2E_OUT/m1p")"
echo "                              control: $(medians 1000 <"$E2E_OUT/m1c")"
stop_quillora
