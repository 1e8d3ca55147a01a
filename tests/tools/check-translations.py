#!/usr/bin/env python3
"""Checks every translation of resources/strings against the English table (1033.txt).

A translated string must keep what the program relies on: the same placeholders
(%1, %2, %s, %d, ...), the same number of line breaks (list strings such as
"Method 1\\r\\nMethod 2" are split on them, entry for entry), one link stretch in
square brackets where the English has one, the same number of accelerator
ampersands, and accelerators that differ within one menu. A translation holds no id
that the English table lacks. French puts a no-break space, never a plain one, before
: ; ? ! and inside « ». The title (4000) stays the program's name.
usage: check-translations.py STRINGS_DIR
"""

import collections
import os
import re
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import importlib.util

spec = importlib.util.spec_from_file_location(
    "gen_strings", os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "gen-strings.py"))
gen_strings = importlib.util.module_from_spec(spec)
spec.loader.exec_module(gen_strings)

# The ids that appear together in one menu (the menu bar, File, Edit, View).
MENUS = [
    [2034, 2046, 2054, 2056, 2059],
    [4004, 4005, 2045],
    [4025, 4026, 4030, 4031, 4032, 4033, 4034, 2941, 2942, 2943, 4035],
    [2947, 4036],
]

PLACEHOLDER_RE = re.compile(r"%(?:[0-9]+|[sd])")


def accelerator(text):
    m = re.search(r"&([^&])", text.replace("&&", ""))
    return m.group(1).lower() if m else None


def check(folder):
    errors = []
    tables = {}
    for name in sorted(os.listdir(folder)):
        if name.endswith(".txt"):
            language, strings, _ = gen_strings.read_table(os.path.join(folder, name))
            tables[language] = strings
    english = tables[1033]
    for language, strings in sorted(tables.items()):
        where = f"{language}.txt"
        for sid, text in sorted(strings.items()):
            if sid not in english:
                errors.append(f"{where}: {sid} is not in the English table")
                continue
            source = english[sid]
            if collections.Counter(PLACEHOLDER_RE.findall(text)) != collections.Counter(PLACEHOLDER_RE.findall(source)):
                errors.append(f"{where}: {sid} has other placeholders than the English {source!r}")
            if text.count("\n") != source.count("\n") or text.count("\r") != source.count("\r"):
                errors.append(f"{where}: {sid} has another number of line breaks than the English")
            if "[" in source and (text.count("[") != 1 or text.count("]") != 1
                                  or text.index("[") > text.index("]")):
                errors.append(f"{where}: {sid} needs exactly one [link] stretch")
            if "[" not in source and ("[" in text or "]" in text):
                errors.append(f"{where}: {sid} has brackets where the English has no link")
            if text.replace("&&", "").count("&") != source.replace("&&", "").count("&"):
                errors.append(f"{where}: {sid} has another number of accelerators than the English")
            if text != text.strip(" \u00A0") and source == source.strip(" \u00A0"):
                errors.append(f"{where}: {sid} starts or ends with a space")
            if "  " in text:
                errors.append(f"{where}: {sid} has a double space")
            if language == 1036:
                if re.search(r" [:;?!»]|« ", text):
                    errors.append(f"{where}: {sid} needs a no-break space before : ; ? ! » and after «")
        if strings.get(4000, "Quillora") != "Quillora":
            errors.append(f"{where}: the title 4000 must stay \"Quillora\"")
        for menu in MENUS:
            seen = {}
            for sid in menu:
                key = accelerator(strings.get(sid, english.get(sid, "")))
                if key is None:
                    continue
                if key in seen:
                    errors.append(f"{where}: {sid} and {seen[key]} share the accelerator \"{key}\" in one menu")
                seen[key] = sid
    return errors


def main(argv):
    if len(argv) != 1:
        print(__doc__.splitlines()[-1], file=sys.stderr)
        return 2
    try:
        errors = check(argv[0])
    except (gen_strings.InputError, OSError) as e:
        print(f"check-translations: {e}", file=sys.stderr)
        return 2
    for e in errors:
        print(e, file=sys.stderr)
    if errors:
        return 1
    print("translations: all checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
