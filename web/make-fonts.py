#!/usr/bin/env python3
"""Cuts the page's faces, as WOFF2, from the window's own faces.

The page draws 宋体 and 黑体 where the system has them and these faces
otherwise. Each face keeps only the characters the page shows in it: the
texts of the controls set in that face (read from the module's control
table), the digits and point of results and entries, and the clock's.
The output is committed, so building the site needs no Python; run this
again when a text of the window gains a character:

    python3 web/make-fonts.py build/wasm/web/screencalc.wasm

Needs node, python3-fonttools and python3-brotli.
"""

import json
import pathlib
import subprocess
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

HERE = pathlib.Path(__file__).resolve().parent
OWN = HERE.parent / "resources" / "fonts"
NUMBERS = "0123456789. "
CLOCK = "0123456789年月日:"


def table(module):
    script = ("require(process.argv[1]).open(require('fs').readFileSync(process.argv[2]))"
              ".then((c) => process.stdout.write(JSON.stringify(c.table())))")
    out = subprocess.run(["node", "-e", script, str(HERE / "calculator.js"), module],
                         check=True, capture_output=True).stdout
    return json.loads(out)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    t = table(sys.argv[1])
    faces = {
        "serif-regular": set(NUMBERS + CLOCK),
        "serif-bold": set(),
        "sans-regular": set(t["version"]),
        "sans-bold": set(NUMBERS),
    }
    for c in t["controls"]:
        if c["kind"] == "image":
            continue
        family = "serif" if c["face"] == "song" else "sans"
        weight = "bold" if c["bold"] else "regular"
        faces[f"{family}-{weight}"].update(c["text"])
    options = subset.Options()
    options.flavor = "woff2"
    options.name_IDs = ["*"]
    options.name_languages = [0x409]
    options.notdef_outline = True
    options.layout_features = ["*"]
    for face, chars in faces.items():
        text = "".join(sorted(chars))
        font = TTFont(OWN / f"screencalc-{face}.otf", recalcTimestamp=False)
        subsetter = subset.Subsetter(options)
        subsetter.populate(text=text)
        subsetter.subset(font)
        out = HERE / "fonts" / f"screencalc-{face}.woff2"
        font.flavor = "woff2"
        font.save(out)
        print(f"{out.name}: {out.stat().st_size} bytes, {len(text)} characters: {text}")


if __name__ == "__main__":
    main()
