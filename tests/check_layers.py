#!/usr/bin/env python3
"""Fails when a source folder includes from a folder above or beside it.

The folders stand in layers, top to bottom; a folder may include from itself
and from the layers below it, never from a sibling in its own layer. The
linker catches most upward uses, but not an include of a header that carries
only inline code or declarations.

Usage: check_layers.py SRC_DIR
       check_layers.py --self-test
"""

import re
import sys
import tempfile
from pathlib import Path

# The subsystems under app stand side by side: where one window opens
# another's, app hands it a callback.
LAYERS = [
    ["app"],
    ["users", "drills", "listening", "review", "align"],
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


def faults_in(src):
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
    return faults


def self_test():
    """The rules catch a sideways, an upward and an unknown folder's include,
    and pass the downward ones."""
    files = {
        "users/Report.cpp": '#include "users/Report.h"\n#include "drills/Lexicon.h"\n',
        "review/Figures.cpp": '#include "listening/Lesson.h"\n',
        "sound/Player.cpp": '#include "widgets/Look.h"\n',
        "dialogs/Message.cpp": '#include "app/FormMain.h"\n',
        "extra/Thing.cpp": '#include "common/Paths.h"\n',
        "app/FormMain.cpp": '#include "users/Report.h"\n#include "review/Figures.h"\n',
        "listening/Lesson.cpp": '#include "dialogs/Message.h"\n#include "common/Paths.h"\n',
    }
    with tempfile.TemporaryDirectory() as root:
        src = Path(root)
        for name, text in files.items():
            (src / name).parent.mkdir(parents=True, exist_ok=True)
            (src / name).write_text(text, encoding="utf-8")
        found = {Path(f.split(":")[0]).relative_to(src).as_posix() for f in faults_in(src)}
    expected = {"users/Report.cpp", "review/Figures.cpp", "sound/Player.cpp",
                "dialogs/Message.cpp", "extra/Thing.cpp"}
    print(f"self-test: faults in {sorted(found)}")
    return 0 if found == expected else 1


def main(argv):
    if argv[1:] == ["--self-test"]:
        return self_test()
    faults = faults_in(Path(argv[1]))
    print("\n".join(faults) or "layers: every include goes downward")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
