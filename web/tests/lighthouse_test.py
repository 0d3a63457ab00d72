#!/usr/bin/python3
"""Lighthouse on the site, as a phone and as a desktop browser see it.

    /usr/bin/python3 web/tests/lighthouse_test.py SITE_DIR [REPORT_DIR]

Serves SITE_DIR compressed (gzip, as any real host does) on 127.0.0.1 and
runs the pinned Lighthouse (package.json beside the repository's top; `npm
ci` installs it) with its mobile and desktop presets in Debian's headless
Chromium. Every category must score 100, and on the phone the largest
contentful paint must come under 1.2 s. As Lighthouse advises for its
timings, each preset runs three times and the run of median performance
counts, so that a moment's load on the machine does not decide. The JSON
reports go to REPORT_DIR when given.
"""

import functools
import gzip
import http.server
import io
import json
import os
import pathlib
import subprocess
import sys
import tempfile

from browser import Server

ROOT = pathlib.Path(__file__).resolve().parents[2]
LIGHTHOUSE = ROOT / "node_modules" / ".bin" / "lighthouse"
CATEGORIES = ["performance", "accessibility", "best-practices", "seo"]
# form factor, Lighthouse's preset, the largest contentful paint it must beat (ms)
RUNS = [("mobile", None, 1200), ("desktop", "desktop", None)]
TIMES = 3
CHROME_FLAGS = ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                "--no-first-run", "--disable-background-networking",
                "--disable-component-update", "--disable-sync"]


class Compressed(http.server.SimpleHTTPRequestHandler):
    """The site's files, gzipped when the browser takes it."""

    def send_head(self):
        path = pathlib.Path(self.translate_path(self.path))
        if path.is_dir():
            path = path / "index.html"
        if "gzip" not in self.headers.get("Accept-Encoding", "") or not path.is_file():
            return super().send_head()
        body = self.compressed(path)
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(str(path)))
        self.send_header("Content-Encoding", "gzip")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "no-cache")
        self.end_headers()
        return io.BytesIO(body)

    def log_message(self, *args):
        pass

    @staticmethod
    @functools.lru_cache(maxsize=None)
    def compressed(path):
        return gzip.compress(path.read_bytes(), 9)  # once, as a host keeps a .gz


def lighthouse(url, preset, out):
    profile = tempfile.mkdtemp(prefix="screencalc-lighthouse-")
    args = [str(LIGHTHOUSE), url, "--quiet", "--output=json", f"--output-path={out}",
            f"--only-categories={','.join(CATEGORIES)}",
            f"--chrome-flags={' '.join(CHROME_FLAGS + [f'--user-data-dir={profile}'])}"]
    if preset:
        args.append(f"--preset={preset}")
    env = dict(os.environ, CHROME_PATH="/usr/bin/chromium")
    subprocess.run(args, check=True, env=env)
    return json.loads(pathlib.Path(out).read_text())


def main():
    if not LIGHTHOUSE.exists():
        print(f"lighthouse: {LIGHTHOUSE} is missing; run npm ci in {ROOT}")
        sys.exit(1)
    site = pathlib.Path(sys.argv[1]).resolve()
    reports = pathlib.Path(sys.argv[2]) if len(sys.argv) > 2 else pathlib.Path(tempfile.mkdtemp())
    reports.mkdir(parents=True, exist_ok=True)
    server = Server(site, Compressed)
    url = server.url
    failures = []
    try:
        for name, preset, lcp_budget in RUNS:
            runs = [lighthouse(url, preset, reports / f"lighthouse-{name}-{k}.json")
                    for k in range(TIMES)]
            runs.sort(key=lambda r: (r["categories"]["performance"]["score"],
                                     -r["audits"]["largest-contentful-paint"]["numericValue"]))
            report = runs[TIMES // 2]
            scores = {c: round(report["categories"][c]["score"] * 100) for c in CATEGORIES}
            lcp = report["audits"]["largest-contentful-paint"]["numericValue"]
            print(f"{name}: " + " ".join(f"{c} {s}" for c, s in scores.items()) +
                  f", LCP {lcp:.0f} ms")
            for c, s in scores.items():
                if s != 100:
                    failed = [a["id"] for a in (report["audits"][r["id"]]
                              for r in report["categories"][c]["auditRefs"] if r["weight"] > 0)
                              if a["score"] is not None and a["score"] < 1]
                    failures.append(f"{name} {c} {s}: {', '.join(failed)}")
            if lcp_budget and lcp >= lcp_budget:
                failures.append(f"{name} LCP {lcp:.0f} ms, budget {lcp_budget} ms")
    finally:
        server.stop()
    for f in failures:
        print(f"FAIL {f}")
    print(f"lighthouse: {len(failures)} failures")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
