#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora from the worked examples of the
command line's rules. Run from the repository root:
python3 tests/fuzz/make_seeds.py"""
import hashlib
import os
import struct

ROOT = os.path.join(os.path.dirname(__file__), "corpus")

LINES = [
    "dir /s /b x", "dir/s/b", 'echo "a b" c', 'a "b c', "copy a^ b c", "ab^ c", "echo ^",
    "echo %path% x", "echo %1 %2", "echo %@upper[abc def] x", "a,b %@f[x,y]", "%[x]y z",
    "x %@a[] y", '%@f["a]b" c]d e', 'say "%@f[a b]" z', "echo %@a[%@b[c d] e] f",
    "echo %@f[a b", "  abc", "   ", "copy a~ b c", "echo \U0001F600 %@len[\u00e9t\u00e9] x",
    "%[" * 600 + "]" * 520 + " ,y",
]


def utf16(text):
    return text.encode("utf-16-le")


def write(surface, payload):
    folder = os.path.join(ROOT, surface)
    os.makedirs(folder, exist_ok=True)
    name = hashlib.sha1(payload).hexdigest()[:16]
    with open(os.path.join(folder, name), "wb") as out:
        out.write(payload)


def keystroke_seeds():
    for line in LINES:
        length = len(utf16(line)) // 2
        for action in range(4):
            for cursor in {0, length // 2, length}:
                for flags in (0, 1):
                    escape = 1 if "~" in line else 0
                    write("keystroke", bytes([flags, escape, action]) + struct.pack("<H", cursor) + utf16(line))


if __name__ == "__main__":
    keystroke_seeds()
