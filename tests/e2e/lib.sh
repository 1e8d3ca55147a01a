# Shared setup of the end-to-end runs: an Xvfb display, the project's Wine prefix with
# one virtual desktop (so hotkeys and focus behave), and helpers to drive programs.
# Usage: . tests/e2e/lib.sh; e2e_start BUILD_DIR; ...; e2e_stop
set -u
E2E_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
# A prefix of its own: the virtual desktop set here must not reach the unit tests. Each
# build folder gets its own (set E2E_BUILD before sourcing), because e2e_stop ends the
# prefix's wineserver and would kill runs of other builds sharing it. wine-env.sh gives
# it a HOME inside itself, so its Documents folder is in the build folder too.
E2E_BUILD="$(cd "${E2E_BUILD:-$E2E_ROOT/build/windows}" && pwd)" || { echo "[e2e] no build folder" >&2; exit 2; }
QUILLORA_WINEPREFIX="${E2E_WINEPREFIX:-$E2E_BUILD/wineprefix-e2e}"
. "$E2E_ROOT/scripts/wine-env.sh"

E2E_XVFB_PID=""
E2E_OUT=""
E2E_OWN_DISPLAY=0

e2e_log() { printf '[e2e] %s\n' "$*"; }

# Starts Xvfb on a free display unless E2E_DISPLAY names one to use.
e2e_display() {
  if [ -n "${E2E_DISPLAY:-}" ]; then export DISPLAY="$E2E_DISPLAY"; return 0; fi
  local n
  for n in $(seq 90 120); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1 &
      E2E_XVFB_PID=$!
      E2E_OWN_DISPLAY=1
      export DISPLAY=":$n"
      local i
      for i in $(seq 1 100); do
        if xdpyinfo >/dev/null 2>&1; then return 0; fi
        sleep 0.1
      done
      e2e_log "Xvfb did not come up on :$n"
      return 1
    fi
  done
  e2e_log "no free display"
  return 1
}

# True when PATH, with every link in it followed, lies inside the build folder.
e2e_inside_build() {
  local real build_real
  real="$(realpath -m "$1")"
  build_real="$(realpath -m "$E2E_BUILD")"
  case "$real/" in
    "$build_real"/*) return 0 ;;
    *) return 1 ;;
  esac
}

e2e_start() {
  E2E_BUILD="$(cd "$1" && pwd)"
  E2E_PROBE="$E2E_BUILD/tools/winprobe/winprobe.exe"
  # Scratch output stays in the build folder as well.
  mkdir -p "$E2E_BUILD/e2e-scratch"
  E2E_OUT="$(mktemp -d "$E2E_BUILD/e2e-scratch/run.XXXXXX")"
  # The display first: the session's desktop process, started by the first Wine call,
  # keeps the display it found; without one every later window fails to appear.
  e2e_display || return 1
  wine_prepare || return 1
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Quillora /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Quillora /d 1280x800 /f >/dev/null 2>&1
}

# Empties FOLDER (deletes it with everything in it); refuses, deleting nothing, when the
# folder, links followed, lies outside the build folder.
e2e_remove_folder() {
  if ! e2e_inside_build "$1"; then
    e2e_log "refusing to delete $1: it is $(realpath -m "$1"), outside the build folder $E2E_BUILD"
    return 1
  fi
  rm -rf "$1"
}

# A fresh user of the program in this prefix: no settings or session file and an empty
# folder for the data file, named by E2E_DOCS. Ends the script when either folder leads
# outside the build folder, so that nothing is written there either.
e2e_fresh_user() {
  local users="$WINEPREFIX/drive_c/users/$(id -un)"
  local docs="$users/Documents/Quillora"
  e2e_remove_folder "$docs" || exit 1
  e2e_remove_folder "$users/AppData/Local/Loomwise/Quillora" || exit 1
  mkdir -p "$docs"
  E2E_DOCS="$docs"
}

# Runs winprobe with output to a file (never a pipe); prints that output.
e2e_probe() {
  local out="$E2E_OUT/probe.$$.$RANDOM"
  wine "$E2E_PROBE" "$@" >"$out" 2>&1 </dev/null
  local rc=$?
  # (grep finds nothing when the probe printed nothing: not a failure)
  sed -e 's/\r$//' "$out" | grep -v -E '^(wine: |[0-9a-f]{4}:(err|fixme|warn):)' || true
  rm -f "$out"
  return $rc
}

# The editor's runs: failures counted by fail, real key presses and typing.
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
key() { xdotool key --delay 60 "$@"; }
type_chars() { xdotool type --delay "${2:-80}" "$1"; } # TEXT [DELAY_MS]
# Waits up to SECONDS until FILE holds TEXT (PRESENT 1) or no longer holds it (0).
e2e_wait_file() { # FILE TEXT PRESENT SECONDS
  local deadline=$((SECONDS + $4))
  while [ $SECONDS -lt $deadline ]; do
    if grep -q -F "$2" "$1"; then [ "$3" = 1 ] && return 0; else [ "$3" = 0 ] && return 0; fi
    sleep 0.5
  done
  return 1
}

# Prints "X Y": a screen point on the first rows of the main window's document, below the
# palette when it shows.
e2e_document_point() {
  local left top right bottom
  read -r left top right bottom <<<"$(e2e_probe rect TAppMainForm)"
  local y=$((top + 70))
  local pl pt pr pb
  if read -r pl pt pr pb <<<"$(e2e_probe childrect TAppMainForm TPaletteForm)" && [ -n "$pb" ]; then
    y=$((pb + 14))
  fi
  echo "$((left + 120)) $y"
}

# Ctrl held while the keys of a palette accelerator are pressed one by one, then released;
# then SETTLE seconds (default 0.5) for the palette's wait and the insertion.
e2e_palette_key() { # KEYS [SETTLE]
  xdotool keydown ctrl
  sleep 0.2
  local k
  for k in $(echo "$1" | grep -o .); do xdotool key "$k"; sleep 0.2; done
  xdotool keyup ctrl
  sleep "${2:-0.5}"
}

# Starts the program EXE (its output in $E2E_OUT/app.log, its process in $app), waits for
# the main window with its palette and clicks into the document below the palette.
e2e_start_editor() { # EXE
  wine "$1" >"$E2E_OUT/app.log" 2>&1 </dev/null &
  app=$!
  e2e_probe wait-visible TAppMainForm 20000 >/dev/null || { echo "FAIL: Quillora did not start"; exit 1; }
  e2e_probe activate TAppMainForm >/dev/null
  sleep 1
  e2e_probe childrect TAppMainForm TPaletteForm >/dev/null || fail "the palette does not show"
  local x y
  read -r x y <<<"$(e2e_document_point)"
  xdotool mousemove "$x" "$y"
  xdotool click 1
  sleep 0.5
}

# Closes the main window started as $app and ends the run: exit 1 with the count of
# failures, else "NAME: all passed".
e2e_finish() { # NAME
  e2e_probe close TAppMainForm >/dev/null
  wait "$app" 2>/dev/null
  if [ "$failures" -gt 0 ]; then
    echo "$1: $failures failure(s)"
    exit 1
  fi
  echo "$1: all passed"
}

# Waits (up to five seconds) until the main window holds $1 snippets; prints the count
# seen last.
e2e_wait_snippet_count() {
  local n=""
  for _ in $(seq 1 50); do
    n=$(e2e_probe listcount TAppMainForm)
    [ "$n" = "$1" ] && break
    sleep 0.1
  done
  echo "$n"
}

e2e_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ "$E2E_OWN_DISPLAY" = 1 ] && [ -n "$E2E_XVFB_PID" ]; then
    kill "$E2E_XVFB_PID" >/dev/null 2>&1 || true
    wait "$E2E_XVFB_PID" 2>/dev/null || true
  fi
  if [ -n "$E2E_OUT" ]; then rm -rf "$E2E_OUT"; fi
}
