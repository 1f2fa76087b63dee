#!/usr/bin/env python3
"""Fails when a source file includes a header from a folder on a higher floor.

Floors, lowest first: common/; serial/, db/, res/; phone/; models/; grid/ and
calendar/; worker/; app/ and install/. A folder may include its own floor and
any lower floor; a portable source is no exception, so what two floors share
lives on the lower one.
"""
import os
import re
import sys

FLOORS = {'common': 0, 'serial': 1, 'db': 1, 'res': 1, 'phone': 2, 'models': 3,
          'grid': 4, 'calendar': 4, 'worker': 5, 'app': 6, 'install': 6}
INCLUDE = re.compile(r'^\s*#\s*include\s+"(\w+)/([^"]+)"', re.M)

root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..')
os.chdir(root)

texts = {}
for folder in FLOORS:
    for name in sorted(os.listdir(folder)) if os.path.isdir(folder) else []:
        if name.endswith(('.h', '.cpp', '.rc')):
            texts[f'{folder}/{name}'] = open(os.path.join(folder, name), encoding='utf-8', errors='replace').read()

upward = 0
for path, text in sorted(texts.items()):
    floor = FLOORS[path.split('/')[0]]
    for folder, header in INCLUDE.findall(text):
        if folder in FLOORS and FLOORS[folder] > floor:
            print(f'{path} includes {folder}/{header}, a higher floor')
            upward += 1
print(f'layers: {upward} upward includes')
sys.exit(1 if upward else 0)
