#!/usr/bin/env python3
"""Cuts the window's own fonts from the installed Noto CJK faces.

The window draws its Chinese texts in 宋体 (SimSun) and 黑体 (SimHei) and
its small print in the desktop's font. Where those faces are missing (Linux,
macOS, a bare container) it falls back to the fonts written here: subsets of
Noto Serif CJK SC (for 宋体) and Noto Sans CJK SC (for 黑体 and the desktop
font's Chinese), Regular and Bold, holding only the characters of the
string literals of the core (calc/: the control table, the field marks)
and the window (window/: menus, messages, tooltips, accessible names),
printable ASCII and the clock's 年月日. The window's tests check that every
text the window can show is covered. They are
renamed "Screencalc Serif" and "Screencalc Sans" so that no one takes them
for the full faces. The results are committed, so building needs no Python;
run this again whenever a text of the window gains a character:

    python3 resources/fonts/make-fonts.py

Needs Debian's fonts-noto-cjk and python3-fonttools (fontTools' subsetter is
what pyftsubset runs). The output is the same for the same input.
"""

import pathlib
import re
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

HERE = pathlib.Path(__file__).resolve().parent
SOURCES = [HERE.parent.parent / "calc", HERE.parent.parent / "window"]
NOTO = pathlib.Path("/usr/share/fonts/opentype/noto")
SC = 2  # the Simplified Chinese face's index in each Noto CJK collection

# (file written, collection, family, style)
FACES = [
    ("screencalc-serif-regular.otf", "NotoSerifCJK-Regular.ttc", "Screencalc Serif", "Regular"),
    ("screencalc-serif-bold.otf", "NotoSerifCJK-Bold.ttc", "Screencalc Serif", "Bold"),
    ("screencalc-sans-regular.otf", "NotoSansCJK-Regular.ttc", "Screencalc Sans", "Regular"),
    ("screencalc-sans-bold.otf", "NotoSansCJK-Bold.ttc", "Screencalc Sans", "Bold"),
]

# Comments and character literals are matched too, so that a quote inside
# them does not start a string; only string literals give characters.
TOKEN = re.compile(r'//[^\n]*|/\*.*?\*/|\'(?:[^\'\\\n]|\\.)*\'|"(?:[^"\\\n]|\\.)*"', re.S)


def window_characters():
    chars = {chr(c) for c in range(0x20, 0x7F)} | set("年月日")
    files = [f for d in SOURCES for f in sorted(d.glob("*.cpp")) + sorted(d.glob("*.h"))]
    if not files:
        sys.exit(f"no sources in {SOURCES}")
    for path in files:
        for token in TOKEN.findall(path.read_text(encoding="utf-8")):
            if token.startswith('"'):
                chars.update(token[1:-1])
    return "".join(sorted(chars))


def rename(font, family, style, original):
    full = family if style == "Regular" else f"{family} {style}"
    ps_name = f"{family.replace(' ', '')}-{style}"
    version = font["name"].getDebugName(5)
    names = font["name"]
    names.names = [n for n in names.names if n.nameID not in (1, 2, 3, 4, 6, 10, 16, 17)]
    for name_id, text in ((1, family), (2, style), (3, f"{ps_name};{version}"), (4, full),
                          (6, ps_name),
                          (10, f"A subset of {original}, cut for the Korvexa screen "
                               "calculator's window.")):
        names.setName(text, name_id, 3, 1, 0x409)
    cff = font["CFF "].cff
    cff.fontNames[0] = ps_name
    top = cff.topDictIndex[0]
    top.FamilyName = family
    top.FullName = full


def main():
    text = window_characters()
    print(f"{len(text)} characters: {text}")
    options = subset.Options()
    options.name_IDs = ["*"]  # keep copyright, licence and version; rename() does the rest
    options.name_languages = [0x409]
    options.notdef_outline = True
    for out, collection, family, style in FACES:
        font = TTFont(NOTO / collection, fontNumber=SC, recalcTimestamp=False)
        original = font["name"].getDebugName(4)
        subsetter = subset.Subsetter(options)
        subsetter.populate(text=text)
        subsetter.subset(font)
        rename(font, family, style, original)
        font.save(HERE / out)
        print(f"{out}: {(HERE / out).stat().st_size} bytes from {original}")


if __name__ == "__main__":
    main()
