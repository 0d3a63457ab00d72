"""What the page's browser tests share: a folder served on 127.0.0.1, a
headless Chromium driven as these tests drive it, and the tally of checks
that ends each test with "N passed, N failed"."""

import functools
import http.server
import os
import sys
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class Server:
    """A folder on 127.0.0.1, on a free port, stoppable."""

    def __init__(self, folder, handler=Quiet):
        self.httpd = http.server.ThreadingHTTPServer(
            ("127.0.0.1", 0), functools.partial(handler, directory=str(folder)))
        self.url = f"http://127.0.0.1:{self.httpd.server_address[1]}/"
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()


def browser(width=900, height=700, phone=False, fonts=None, profile=None, extra=(),
            phone_width=360):
    """Debian's Chromium, headless, with a new profile unless given one; as a
    phone with touch, or with only the fonts a fontconfig file names."""
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for arg in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                "--disable-component-update", "--disable-sync", "--no-first-run",
                f"--user-data-dir={profile or tempfile.mkdtemp(prefix='screencalc-chromium-')}",
                f"--window-size={width},{height}", *extra):
        options.add_argument(arg)
    if phone:
        options.add_experimental_option("mobileEmulation", {
            "deviceMetrics": {"width": phone_width, "height": 740, "pixelRatio": 3,
                              "touch": True},
            "userAgent": "Mozilla/5.0 (Linux; Android 13; Pixel 7) AppleWebKit/537.36 "
                         "(KHTML, like Gecko) Chrome/120.0 Mobile Safari/537.36"})
    env = dict(os.environ)
    if fonts:
        env["FONTCONFIG_FILE"] = str(fonts)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver", env=env), options=options)


def load(d, url):
    """Opens the page and waits until the calculator and the room panel below
    it are there."""
    d.get(url)
    WebDriverWait(d, 10).until(lambda d: d.execute_script(
        "const done = document.documentElement.dataset;"
        "return done.ready && done.roomReady !== undefined"))


class Tally:
    def __init__(self):
        self.passed = 0
        self.failures = []

    def check(self, name, got, want):
        if got == want:
            self.passed += 1
        else:
            self.failures.append(name)
            print(f"FAIL {name}: got {got!r}, want {want!r}")

    def fail(self, what):
        self.failures.append(what)
        print(f"FAIL {what}")

    def finish(self):
        print(f"{self.passed} passed, {len(self.failures)} failed")
        sys.exit(1 if self.failures else 0)
