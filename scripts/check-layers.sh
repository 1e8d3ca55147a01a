#!/usr/bin/env bash
# Checks the two rules of the source tree's layers and prints every break:
# - an #include may only point down (from the ground: foundation; images; render; elements;
#   text; library; widgets, typing and editor side by side; shell on top);
# - no core file (anything outside win32/ folders and the hook library) includes a Windows
#   header, so the core builds and is tested on every platform.
# Exit 0 when nothing breaks them. Run from anywhere.
set -u
cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit 2
python3 - <<'PY'
import os, re, sys
floor = {'foundation': 1, 'images': 2, 'render': 3, 'elements': 4, 'text': 5, 'library': 6,
         'widgets': 7, 'typing': 7, 'editor': 7, 'shell': 8}
include = re.compile(r'^\s*#\s*include\s*"([^"/]+)/')
windows = re.compile(r'^\s*#\s*include\s*<(windows|winuser|windef|wtypes|commctrl|shellapi|shlobj|'
                     r'mmsystem|wininet|commdlg|objbase|ole2|gdiplus)\.h>', re.I)
breaks = 0
for top in sorted(floor):
    for root, dirs, files in os.walk(top):
        dirs.sort()
        for name in sorted(files):
            if not name.endswith(('.h', '.hpp', '.cpp', '.cc', '.inc')):
                continue
            path = os.path.join(root, name)
            core = 'win32' not in path.split(os.sep) and not path.startswith('typing/hook')
            with open(path, encoding='utf-8', errors='replace') as f:
                for number, line in enumerate(f, 1):
                    m = include.match(line)
                    if m and m.group(1) in floor:
                        other = m.group(1)
                        if floor[other] > floor[top] or (floor[other] == floor[top] and other != top):
                            print(f'{path}:{number}: {top} includes {other}: {line.strip()}')
                            breaks += 1
                    if core and windows.match(line):
                        print(f'{path}:{number}: a core file includes a Windows header: {line.strip()}')
                        breaks += 1
if breaks:
    print(f'{breaks} break(s) of the layers')
    sys.exit(1)
print('layers: every include points down; no Windows header in the core')
PY
