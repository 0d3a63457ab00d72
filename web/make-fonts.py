#!/usr/bin/env python3
"""Cuts the page's faces, as WOFF2, from Noto CJK as the window's own are.

The page draws 宋体 and 黑体 where the system has them and these faces
otherwise. Each face keeps only the characters the page shows in it: the
texts of the controls set in that face (read from the build's table
module), the digits and point of results and entries, and the clock's; the
two sans faces also every character of the page's own texts (string
literals of web/*.js and web/*.cpp, and index.html), which it shows in the
desktop's face, and of every control: a phone without a CJK face of its
own sets them all in the sans.
The output is committed, so building the site needs no Python; run this
again when a text of the window gains a character:

    python3 web/make-fonts.py build/wasm/web/screencalc-table.wasm

Needs node, fonts-noto-cjk, python3-fonttools and python3-brotli.
"""

import importlib.util
import json
import pathlib
import re
import subprocess
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

HERE = pathlib.Path(__file__).resolve().parent
OWN = HERE.parent / "resources" / "fonts"
NUMBERS = "0123456789. "
CLOCK = "0123456789年月日:"


# String literals of the page's own scripts and of the module's sources
# beyond the table (the room panel's texts), in any quotes.
LITERAL = re.compile(r'//[^\n]*|/\*.*?\*/|"(?:[^"\\\n]|\\.)*"|\'(?:[^\'\\\n]|\\.)*\'|`(?:[^`\\]|\\.)*`', re.S)


def page_characters():
    chars = set()
    chars.update(c for c in (HERE / "index.html").read_text(encoding="utf-8") if c > "\x7f")
    for path in sorted(HERE.glob("*.js")) + sorted(HERE.glob("*.cpp")):
        for token in LITERAL.findall(path.read_text(encoding="utf-8")):
            if token[0] in "\"'`":
                # Latin comes from the desktop's face before ours.
                chars.update(c for c in token[1:-1] if c > "\x7f")
    return chars


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
    # The page's other texts are set in the desktop's face, some in bold.
    faces["sans-regular"] |= page_characters()
    faces["sans-bold"] |= page_characters()
    for c in t["controls"]:
        if c["kind"] == "image":
            continue
        family = "serif" if c["face"] == "song" else "sans"
        weight = "bold" if c["bold"] else "regular"
        faces[f"{family}-{weight}"].update(c["text"])
        faces["sans-regular"].update(c["text"])
        faces["sans-bold"].update(c["text"])
    for unit in t["units"]:  # beside the results on a phone, in bold
        faces["sans-regular"].update(unit)
        faces["sans-bold"].update(unit)
    faces["sans-regular"] |= set(CLOCK)
    faces["sans-bold"] |= set(CLOCK)
    options = subset.Options()
    options.flavor = "woff2"
    options.name_IDs = ["*"]
    options.name_languages = [0x409]
    options.notdef_outline = True
    # Cut from the full Noto CJK faces, as the window's are, and named as
    # the window's (the room panel's texts are not all in the window's cut).
    window_fonts = importlib.util.spec_from_file_location("window_fonts", OWN / "make-fonts.py")
    window = importlib.util.module_from_spec(window_fonts)
    window_fonts.loader.exec_module(window)
    sources = {out: (collection, family, style) for out, collection, family, style in window.FACES}
    for face, chars in faces.items():
        text = "".join(sorted(chars))
        collection, family, style = sources[f"screencalc-{face}.otf"]
        font = TTFont(window.NOTO / collection, fontNumber=window.SC, recalcTimestamp=False)
        original = font["name"].getDebugName(4)
        subsetter = subset.Subsetter(options)
        subsetter.populate(text=text)
        subsetter.subset(font)
        window.rename(font, family, style, original)
        out = HERE / "fonts" / f"screencalc-{face}.woff2"
        font.flavor = "woff2"
        font.save(out)
        print(f"{out.name}: {out.stat().st_size} bytes, {len(text)} characters: {text}")


if __name__ == "__main__":
    main()
