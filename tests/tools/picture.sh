#!/usr/bin/env bash
# Checks the picture command: picture.sh DATA_DIR PROGRAM [WORDS...]
# runs "PROGRAM WORDS... IN OUT.png [--frame K]" on the golden pictures of DATA_DIR.
# Exits 77 (skipped) when PROGRAM does not know the command yet.
set -u
data="$1"
shift
cmd=("$@")
# Scratch files go to $TMPDIR, which ctest points into the build tree.
if [ -n "${TMPDIR:-}" ]; then mkdir -p "$TMPDIR"; fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# run NAME EXPECTED_EXIT ARGS...: output in $work/NAME.out and $work/NAME.err
run() {
  local name="$1" expected="$2"
  shift 2
  "${cmd[@]}" "$@" >"$work/$name.out" 2>"$work/$name.err"
  local rc=$?
  if [ "$rc" -ne "$expected" ]; then
    fail "$name: exit $rc, expected $expected"
    sed 's/^/  /' "$work/$name.out" "$work/$name.err"
  fi
}

"${cmd[@]}" "$data/small.png" "$work/probe.png" >"$work/probe.out" 2>&1
probe=$?
if [ "$probe" -eq 2 ] && ! grep -q "^usage: quillora-tool picture" "$work/probe.out"; then
  echo "SKIP: ${cmd[*]} does not dispatch the picture command yet"
  exit 77
fi

# A PNG pixel as "r,g,b,a" read by ImageMagick, when it is installed.
pixel() {
  convert "$1" -format "%[fx:int(255*u.r+.5)],%[fx:int(255*u.g+.5)],%[fx:int(255*u.b+.5)],%[fx:int(255*u.a+.5)]" \
    -crop "1x1+$2+$3" info:- 2>/dev/null
}
is_rgba_png() {
  # Colour type 6 (RGBA), 8 bits: bytes 24 and 25 of the file.
  [ "$(od -An -tu1 -j24 -N2 "$1" | tr -s ' ')" = " 8 6" ]
}

run icon 0 "$data/multi.ico" "$work/icon.png" --frame 1
grep -qx "width: 16" "$work/icon.out" || fail "icon: width line"
grep -qx "height: 16" "$work/icon.out" || fail "icon: height line"
grep -qx "frames: 3" "$work/icon.out" || fail "icon: frames line"
is_rgba_png "$work/icon.png" || fail "icon: not an 8-bit RGBA PNG"
if command -v convert >/dev/null; then
  [ "$(identify -format %wx%h "$work/icon.png")" = "32x32" ] || fail "icon: frame 1 is not 32x32"
  # Frame 1 pixel (3, 2): r = 3*8, g = 2*8, b = 128, alpha = 255 - 2*8.
  [ "$(pixel "$work/icon.png" 3 2)" = "24,16,128,239" ] || fail "icon: pixel (3,2) is $(pixel "$work/icon.png" 3 2)"
fi

run targa 0 "$data/truecolor32.tga" "$work/targa.png"
grep -qx "frames: 1" "$work/targa.out" || fail "targa: frames line"
if command -v convert >/dev/null; then
  [ "$(pixel "$work/targa.png" 2 1)" = "81,52,7,250" ] || fail "targa: pixel (2,1) is $(pixel "$work/targa.png" 2 1)"
fi

run cursor 0 "$data/arrow.cur" "$work/cursor.png"
grep -qx "frames: 2" "$work/cursor.out" || fail "cursor: frames line"

run noframe 1 "$data/arrow.cur" "$work/none.png" --frame 2
[ -e "$work/none.png" ] && fail "noframe: wrote a file"

printf 'not a picture at all' >"$work/bad.gif"
run bad 1 "$work/bad.gif" "$work/bad.png"
[ -s "$work/bad.err" ] || fail "bad: no error message"
[ -e "$work/bad.png" ] && fail "bad: wrote a file"

run missing 1 "$work/missing.tga" "$work/missing.png"
grep -q "missing.tga" "$work/missing.err" || fail "missing: the message does not name the file"

# A truncated Targa gives the codec's error.
head -c 30 "$data/truecolor24.tga" >"$work/short.tga"
run short 1 "$work/short.tga" "$work/short.png"
grep -qx "Stream read error" "$work/short.err" || fail "short: $(cat "$work/short.err")"

run usage 2 "$data/small.png"
run usage2 2 "$data/small.png" "$work/x.png" --frame
run usage3 2 "$data/small.png" "$work/x.png" --frame -1

if [ "$failures" -ne 0 ]; then
  echo "$failures picture command checks failed"
  exit 1
fi
echo "picture command checks passed"
