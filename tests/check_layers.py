#!/usr/bin/env python3
"""Fails when a source folder includes from a folder above it.

The folders stand in layers, top to bottom; a folder may include from itself
and from the layers below it. The linker catches most upward uses, but not an
include of a header that carries only inline code or declarations.

Usage: check_layers.py SRC_DIR
"""

import re
import sys
from pathlib import Path

LAYERS = [
    ["app"],
    ["users", "review"],
    ["drills", "listening", "align"],
    ["dialogs"],
    ["sound", "widgets"],
    ["common"],
]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+)/', re.MULTILINE)


def allowed(folder):
    for depth, layer in enumerate(LAYERS):
        if folder in layer:
            return {folder}.union(*LAYERS[depth + 1:])
    return None


def main(src):
    faults = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp") or path.parent == src:
            continue
        folder = path.relative_to(src).parts[0]
        permitted = allowed(folder)
        if permitted is None:
            faults.append(f"{path}: folder '{folder}' has no layer")
            continue
        for target in INCLUDE.findall(path.read_text(encoding="utf-8")):
            if target not in permitted:
                faults.append(f"{path}: includes from '{target}', a layer above or beside '{folder}'")
    print("\n".join(faults) or "layers: every include goes downward")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(Path(sys.argv[1])))
