#!/bin/sh
# Checks `quillora-tool knot`: exit codes 0 (well-formed), 3 (corrupt, partial tree
# printed) and 2 (missing file), and the tree written to stdout.
# usage: knot-tool-test.sh TOOL DATA_DIR
set -u
tool=$1
data=$2
# Scratch files go to $TMPDIR, which ctest points into the build tree.
if [ -n "${TMPDIR:-}" ]; then mkdir -p "$TMPDIR"; fi
out=$(mktemp)
err=$(mktemp)
expected=$(mktemp)
trap 'rm -f "$out" "$err" "$expected"' EXIT
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Runs the tool; checks the exit code and that stdout equals the printf-format $3.
check() {
    want_exit=$1
    want_out=$2
    shift 2
    "$tool" knot "$@" >"$out" 2>"$err"
    code=$?
    [ "$code" -eq "$want_exit" ] || fail "knot $*: exit $code, expected $want_exit"
    printf "$want_out" >"$expected"
    cmp -s "$out" "$expected" || { fail "knot $*: output differs"; od -c "$out" | head -20 >&2; }
}

# UTF-8 with a mark and a declaration; written back without the declaration or mark.
check 0 '<Settings>\r\n\t<Typing Interval="20" Sound="1"/>\r\n\t<Font Name="Segoe UI" Size="9"/>\r\n</Settings>\r\n' \
    "$data/settings-utf8.txt"
# The root's options: unquoted values (8) and, in hexadecimal, skip empty (4) as well.
check 0 '<Settings>\r\n\t<Typing Interval=20 Sound=1/>\r\n\t<Font Name="Segoe UI" Size=9/>\r\n</Settings>\r\n' \
    "$data/settings-utf8.txt" --options 8
check 0 '<Doc>\r\n\t<Full a=\303\251/>\r\n</Doc>\r\n' "$data/utf16le.txt" --options 0x000C
# Corrupt text: exit 3 with the partial tree.
check 3 '<Root>\r\n\t<Kept a="1"/>\r\n\t<Open b="2"/>\r\n</Root>\r\n' "$data/corrupt.txt"
# A missing file: exit 2 and the message.
check 2 '' "$data/no-such-file.txt"
grep -q "^File not found: $data/no-such-file.txt\$" "$err" || fail "missing file message: $(cat "$err")"
# A bad command line.
check 2 '' "$data/corrupt.txt" --options
check 2 '' "$data/corrupt.txt" --options 0x10000

[ "$failures" -eq 0 ] || exit 1
echo "knot tool: all checks passed"
