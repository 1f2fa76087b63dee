#!/usr/bin/env python3
"""Fails when a source file includes a header from a folder on a higher floor.

Floors, lowest first: the portable core (the sources CMake lists for
velarmon_core, wherever they live) and common/; serial/, db/, res/; phone/;
models/; grid/ and calendar/; worker/; app/ and install/. A folder may include its own
floor, any lower floor and any portable-core header.
"""
import os
import re
import sys

FLOORS = {'common': 0, 'serial': 1, 'db': 1, 'res': 1, 'phone': 2, 'models': 3,
          'grid': 4, 'calendar': 4, 'worker': 5, 'app': 6, 'install': 6}
INCLUDE = re.compile(r'^\s*#\s*include\s+"(\w+)/([^"]+)"', re.M)
SOURCES = re.compile(r'target_sources\((velarmon_core|velarmon_win)\s+PRIVATE([^)]*)\)')

root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..')
os.chdir(root)

# Headers of portable sources; a header with no source of its own is portable
# when it uses no Win32 header and includes only portable headers.
core, win, texts = set(), set(), {}
for folder in FLOORS:
    listing = os.path.join(folder, 'CMakeLists.txt')
    if os.path.exists(listing):
        for target, names in SOURCES.findall(open(listing).read()):
            for name in names.split():
                (core if target == 'velarmon_core' else win).add(f'{folder}/{os.path.splitext(name)[0]}.h')
    for name in sorted(os.listdir(folder)) if os.path.isdir(folder) else []:
        if name.endswith(('.h', '.cpp', '.rc')):
            texts[f'{folder}/{name}'] = open(os.path.join(folder, name), encoding='utf-8', errors='replace').read()
changed = True
while changed:
    changed = False
    for path, text in texts.items():
        if path.endswith('.h') and path not in core and path not in win \
                and not re.search(r'#\s*include\s+<(windows|commctrl|sql)', text) \
                and all(f'{d}/{h}' in core for d, h in INCLUDE.findall(text)):
            core.add(path)
            changed = True

upward = 0
for path, text in sorted(texts.items()):
    floor = FLOORS[path.split('/')[0]]
    for folder, header in INCLUDE.findall(text):
        if folder in FLOORS and f'{folder}/{header}' not in core and FLOORS[folder] > floor:
            print(f'{path} includes {folder}/{header}, a higher floor')
            upward += 1
print(f'layers: {upward} upward includes')
sys.exit(1 if upward else 0)
