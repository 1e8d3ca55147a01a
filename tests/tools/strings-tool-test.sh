#!/bin/sh
# Checks `quillora-tool strings`: every language of the program has every string it is
# to have (--missing; a string added to the English table without its translations
# fails here), a language's table with the English fallback, and the errors.
# usage: strings-tool-test.sh TOOL STRINGS_DIR
set -u
tool=$1
strings=$2
# Scratch files go to $TMPDIR, which ctest points into the build tree.
if [ -n "${TMPDIR:-}" ]; then mkdir -p "$TMPDIR"; fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
tab=$(printf '\t')

# The translations: nothing falls back to English.
"$tool" strings --missing >"$tmp/out" 2>"$tmp/err"
code=$?
if [ "$code" -ne 0 ]; then
    fail "strings --missing: exit $code; these strings have no translation (language, ids):"
    cat "$tmp/out" "$tmp/err" >&2
fi

# English is its own table: the source file without comments and names, escapes kept,
# in the order of the ids.
grep -v '^#' "$strings/1033.txt" | grep -v '^$' | sed "s/^\([0-9]*\) [A-Za-z_0-9]*$tab/\1$tab/" | sort -s -n >"$tmp/expected"
"$tool" strings ENU >"$tmp/out" 2>"$tmp/err" || fail "strings ENU: exit $?"
cmp -s "$tmp/out" "$tmp/expected" || { fail "strings ENU differs from 1033.txt"; diff "$tmp/expected" "$tmp/out" | head -20 >&2; }

# has CODE LINE: the table of CODE holds exactly that line.
has() {
    "$tool" strings "$1" >"$tmp/out" 2>"$tmp/err" || fail "strings $1: exit $?"
    grep -qxF "$2" "$tmp/out" || fail "strings $1: no line \"$2\""
}
has RUS "2021${tab}Русский"
has JPN "2021${tab}日本語"
has CHS "2021${tab}汉语"
has ARA "2021${tab}العربية"
# A language with only the common strings shows the program's own strings in English.
has BGR "2021${tab}Български"
english_2320=$(grep "^2320$tab" "$tmp/expected")
has BGR "$english_2320"
has BGR "4000${tab}Quillora"
# Line breaks inside a text stay escaped: one line per string.
lines=$("$tool" strings DEU | wc -l)
[ "$lines" -eq "$(wc -l <"$tmp/expected")" ] || fail "strings DEU: $lines lines, expected one per English string"
"$tool" strings DEU | grep -q "^2067$tab.*\\\\r\\\\n\\\\r\\\\n" || fail "strings DEU: 2067 without its escaped line breaks"

# Errors: an unknown code, a code in the wrong case, a language without a table, no code.
for args in "strings XYZ" "strings deu" "strings DEA" "strings" "strings DEU RUS" "strings --all"; do
    # shellcheck disable=SC2086
    "$tool" $args >"$tmp/out" 2>"$tmp/err"
    code=$?
    [ "$code" -eq 2 ] || fail "$args: exit $code, expected 2"
    [ -s "$tmp/out" ] && fail "$args: printed a table"
    [ -s "$tmp/err" ] || fail "$args: no message"
done
"$tool" strings XYZ 2>&1 >/dev/null | grep -q '"XYZ" is not the code of a language of the program' \
    || fail "strings XYZ: unclear message"

[ "$failures" -eq 0 ] || exit 1
echo "strings tool: all checks passed"
