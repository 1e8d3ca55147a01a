#!/bin/sh
# Checks `quillora-tool check`, `list`, `resave` and `keys` on data files: their output
# and their exit codes (0 clean, 1 with messages, 2 unreadable input or unwritable output).
# usage: document-tool-test.sh TOOL DATA_DIR
set -u
tool=$1
data=$2
# Scratch files go to $TMPDIR, which ctest points into the build tree.
if [ -n "${TMPDIR:-}" ]; then mkdir -p "$TMPDIR"; fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# run WANT_EXIT EXPECTED_STDOUT(printf format) ARGS...
run() {
    want_exit=$1
    want_out=$2
    shift 2
    "$tool" "$@" >"$tmp/out" 2>"$tmp/err"
    code=$?
    [ "$code" -eq "$want_exit" ] || { fail "$*: exit $code, expected $want_exit"; cat "$tmp/err" >&2; }
    printf "$want_out" >"$tmp/expected"
    cmp -s "$tmp/out" "$tmp/expected" || { fail "$*: output differs"; cat "$tmp/out" >&2; }
}

golden="$data/shell/snippets.tpt"
# The texts keep the string table's no-break spaces (octal escapes for printf).
nbsp='\302\240'
unsupported="Unsupported element \"Gadget\" in${nbsp}this editor\\n"
run 1 "$unsupported" check "$golden"
run 0 'Kind regards,\nName:\tJane\nabcd\nk1k2\nafter an unknown element\n' list "$golden"
run 0 'mkBack\nmkBack\nmkBack\nmkText\tab\nmkCaret\nmkText\tcd\n' keys "$golden" 2 --backspaces 3
run 0 'mkText\tafter an unknown element\n' keys "$golden" 4 --now 2026-12-10T08:30:00.000
run 2 '' keys "$golden" 5
run 2 '' keys "$golden" 0 --now 2026-13-10T08:30:00
run 1 "$unsupported" resave "$golden" "$tmp/copy.tpt"
cmp -s "$golden" "$tmp/copy.tpt" || fail "resave does not write the file back byte for byte"
run 2 "$unsupported" resave "$golden" "$tmp/no-such-folder/copy.tpt"
run 2 '' check "$tmp/missing.tpt"

# Comments, logic frames, signs and a picture in a comment load as their own classes and are
# written back unchanged.
common="$data/library/common-elements.tpt"
run 0 '' check "$common"
run 0 'Greeting\nAddresses\nLogo\nKind regards\n' list "$common"
run 0 '' resave "$common" "$tmp/common-copy.tpt"
cmp -s "$common" "$tmp/common-copy.tpt" || fail "resave does not write the common elements back byte for byte"

# A newer, partly unread file is reported and never written over itself.
printf '<Quillora FormatVersion="1.3"><Chars Value="a" Bold="1"/></Quillora>' >"$tmp/newer.tpt"
cp "$tmp/newer.tpt" "$tmp/newer-copy.tpt"
reports="The format of${nbsp}the data provided is${nbsp}of${nbsp}a${nbsp}newer version${nbsp}\342\200\224 perhaps you should update the program version\\nAttribute \"Quillora.Chars.Bold\" was not read\\n"
run 1 "$reports" check "$tmp/newer.tpt"
run 2 "$reports" resave "$tmp/newer.tpt" "$tmp/newer.tpt"
cmp -s "$tmp/newer.tpt" "$tmp/newer-copy.tpt" || fail "resave overwrote a file that did not load completely"
run 1 "$reports" resave "$tmp/newer.tpt" "$tmp/newer-saved.tpt"

[ "$failures" -eq 0 ] && echo "PASS: document commands" || exit 1
