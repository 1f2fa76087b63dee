#!/usr/bin/env python3
"""Fails when a source file reaches up to a higher floor.

Floors, lowest first: common/; serial/, db/, res/; phone/; models/; grid/ and
calendar/; worker/; app/ and install/. A folder may include its own floor and
any lower floor; a portable source is no exception, so what two floors share
lives on the lower one.

Two things count as reaching up:
- including a header from a higher floor;
- calling a function, or naming an object, that a higher floor defines,
  whatever header declares it: a lower floor that needs something of a higher
  one declares an interface that the higher floor implements.
"""
import os
import re
import sys

FLOORS = {'common': 0, 'serial': 1, 'db': 1, 'res': 1, 'phone': 2, 'models': 3,
          'grid': 4, 'calendar': 4, 'worker': 5, 'app': 6, 'install': 6}
INCLUDE = re.compile(r'^\s*#\s*include\s+"(\w+)/([^"]+)"', re.M)
# A declaration at the top level of a header: a free function or an extern object.
DECLARED = re.compile(r'^(?:extern\s+)?(?:[\w:<>,]+[\s*&]+)+(\w+)\s*(?:\(|;|\[)', re.M)
# A definition at the top level of a source: a free function or an object.
DEFINED = re.compile(r'^(?:[\w:<>,]+[\s*&]+)+(\w+)\s*(?:\([^;]*$|=[^=]|;|\{|\[)', re.M)
USE = re.compile(r'(?<![\w.>:])(\w+)\b')
NOT_A_NAME = {'return', 'if', 'while', 'for', 'switch', 'sizeof', 'main', 'operator'}


def code_of(text):
    """The text without comments, string and character literals."""
    text = re.sub(r'//[^\n]*|/\*.*?\*/', ' ', text, flags=re.S)
    return re.sub(r'"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'', '""', text)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..')
    os.chdir(root)

    texts = {}
    for folder in FLOORS:
        for name in sorted(os.listdir(folder)) if os.path.isdir(folder) else []:
            if name.endswith(('.h', '.cpp', '.rc')):
                texts[f'{folder}/{name}'] = open(os.path.join(folder, name), encoding='utf-8', errors='replace').read()

    def floor_of(path):
        return FLOORS[path.split('/')[0]]

    # The names a header declares at its top level, and the lowest floor on
    # which a source defines each of them.
    declared = set()
    for path, text in texts.items():
        if path.endswith('.h'):
            declared.update(DECLARED.findall(code_of(text)))
    defined = {}
    for path, text in texts.items():
        if path.endswith('.cpp'):
            for name in DEFINED.findall(code_of(text)):
                if name in declared and name not in NOT_A_NAME:
                    defined.setdefault(name, (99, ''))
                    defined[name] = min(defined[name], (floor_of(path), path))

    problems = []
    for path, text in sorted(texts.items()):
        floor = floor_of(path)
        for folder, header in INCLUDE.findall(text):
            if folder in FLOORS and FLOORS[folder] > floor:
                problems.append(f'{path} includes {folder}/{header}, a higher floor')
        seen = set()
        for name in USE.findall(code_of(text)):
            home = defined.get(name)
            if home and home[0] > floor and name not in seen:
                seen.add(name)
                problems.append(f'{path} uses {name}, which {home[1]} defines on a higher floor')
    for problem in problems:
        print(problem)
    print(f'layers: {len(problems)} upward includes or uses')
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
