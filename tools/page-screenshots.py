#!/usr/bin/python3
"""Screenshots of the web page, for a person to look at after a visible change.

    /usr/bin/python3 tools/page-screenshots.py SITE_DIR [SHOT_DIR]

The site (build/wasm/site) served on 127.0.0.1 in headless Chromium: the
phone layout at 360, 390 and 412 px and the window's layout at 672, 768 and
1366 px, each with the system's fonts and with no CJK font at all, 2000 typed
into the width; the room panel on a phone and on a desktop; and the page
without WebAssembly. PNG files go to SHOT_DIR (default build/wasm/screenshots).
Needs Debian's chromium, chromium-driver and python3-selenium.
"""

import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parents[1]
sys.path.insert(0, str(ROOT / "web" / "tests"))
from browser import Server, browser, load  # noqa: E402  (the page tests' own driver)

NO_CJK = ROOT / "window" / "tests" / "no-cjk-fonts.conf"
LAYOUTS = [(f"phone-{w}", {"phone": True, "phone_width": w}) for w in (360, 390, 412)]
LAYOUTS += [(f"desktop-{w}", {"width": w, "height": 900}) for w in (672, 768, 1366)]
ROOM = {"roomFarthest": "6m", "roomClosest": "2.5m", "roomThrow": "1.36-2.03"}


def shoot(d, url, path, fill=None, then=""):
    load(d, url) if fill is not None else d.get(url)
    for field, text in (fill or {}).items():
        d.find_element("id", field).click()
        d.find_element("id", field).send_keys(text)
    if then:
        d.execute_script(then)
    d.save_screenshot(str(path))
    print(path)


def main():
    site = pathlib.Path(sys.argv[1]).resolve()
    shots = pathlib.Path(sys.argv[2]) if len(sys.argv) > 2 else ROOT / "build/wasm/screenshots"
    shots.mkdir(parents=True, exist_ok=True)
    server = Server(site)
    for name, layout in LAYOUTS:
        for suffix, fonts in (("", None), ("-no-cjk", NO_CJK)):
            d = browser(fonts=fonts, **layout)
            try:
                shoot(d, server.url, shots / f"{name}{suffix}.png", {"mw": "2000"})
            finally:
                d.quit()
    for name, layout in (("room-phone-360", {"phone": True}), ("room-desktop", {"width": 1000})):
        d = browser(height=900, **layout)
        try:
            shoot(d, server.url, shots / f"{name}.png", ROOM,
                  "document.getElementById('room').scrollIntoView()")
        finally:
            d.quit()
    d = browser(extra=["--js-flags=--jitless"])
    try:
        shoot(d, server.url, shots / "no-webassembly.png")
    finally:
        d.quit()
    server.stop()


if __name__ == "__main__":
    main()
