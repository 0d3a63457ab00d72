#!/usr/bin/python3
"""Draws the page's install pictures: the maskable home-screen icons (the
program icon on a full-bleed ground, inside the safe circle a launcher
crops to) and the two screenshots the install dialog shows, a phone's and
a desktop's, taken from the built site in headless Chromium.

    /usr/bin/python3 web/make-images.py build/wasm/site

The output is committed, so building the site needs neither ImageMagick
nor a browser; run this again when the page's look changes.
"""

import base64
import pathlib
import sys
import time

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE / "tests"))
SITE = pathlib.Path(sys.argv[1]).resolve()
sys.argv = [sys.argv[0], str(SITE), "-"]  # what page_test reads at import
import page_test  # noqa: E402  (its server and browser)


# The icon at three fifths of the side: its corners stay inside the circle
# of 40 % radius that every launcher's mask keeps.
DRAW = """
const [size, done] = arguments;
const image = new Image();
image.onload = () => {
    const canvas = Object.assign(document.createElement('canvas'), {width: size, height: size});
    const g = canvas.getContext('2d');
    g.fillStyle = '#f0f0f0';
    g.fillRect(0, 0, size, size);
    const side = Math.round(size * 3 / 5);
    g.drawImage(image, (size - side) / 2, (size - side) / 2, side, side);
    done(canvas.toDataURL('image/png'));
};
image.src = 'icon-512.png';
"""


def icons():
    server = page_test.Server(SITE)
    d = page_test.browser()
    try:
        d.get(server.url + "manifest.webmanifest")
        for size in (192, 512):
            url = d.execute_async_script(DRAW, size)
            data = base64.b64decode(url.split(",", 1)[1])
            (HERE / f"icon-maskable-{size}.png").write_bytes(data)
    finally:
        d.quit()
        server.stop()


def screenshot(name, phone, width, height):
    server = page_test.Server(SITE)
    d = page_test.browser(width=width, height=height, phone=phone)
    try:
        page_test.load(d, server.url)
        d.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                          {"width": width, "height": height, "deviceScaleFactor": 2 if phone else 1,
                           "mobile": phone})
        d.execute_script("document.activeElement.blur()")
        field = page_test.el(d, "inch")
        field.click()
        field.send_keys("120")
        d.execute_script("document.activeElement.blur(); scrollTo(0, 0)")
        time.sleep(0.5)
        d.save_screenshot(str(HERE / f"screenshot-{name}.png"))
    finally:
        d.quit()
        server.stop()


def main():
    icons()
    screenshot("narrow", True, 360, 740)
    screenshot("wide", False, 1280, 800)


if __name__ == "__main__":
    main()
