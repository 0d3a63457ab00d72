#!/usr/bin/python3
"""The web edition's budgets: sizes, time to the first result, one recalculation.

    /usr/bin/python3 bench/web_budget.py [SITE_DIR] [MODULE.wasm] [RUNS]

Defaults: build/wasm/site, build/wasm/web/screencalc.wasm, 5 runs. Prints

- the module's size, raw and gzip -9 (budget 80 KB gzip), and the script
  that carries it for the page;
- the site, each file gzip -9, and what a desktop's first visit fetches of
  it (budget 250 KB) and a phone's (budget 150 KB);
- the time from navigation to the first computed result, in a headless
  Chromium started afresh with an empty profile for every run, the page
  served from 127.0.0.1 (budget 200 ms); then the same from the service
  worker, the server stopped and Chromium started again on the profile of
  a first visit; then cold on a phone at 360 px with the CPU slowed four
  times (budget 400 ms). Each browser is left SETTLE seconds (default 3)
  to finish starting before it navigates: a visitor's browser is already
  running, and on two cores its own start-up would otherwise be timed with
  the page. The result counts when "100" typed into `inch` as soon as the
  page is ready has put its six texts into the page, and again at the
  next frame;
- one recalculation through the module under Node (budget 10 µs).

Needs chromium, chromium-driver, python3-selenium and nodejs.
"""

import gzip
import os
import pathlib
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "web" / "tests"))

ROOT = pathlib.Path(__file__).resolve().parents[1]
SITE = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ROOT / "build/wasm/site").resolve()
MODULE = pathlib.Path(sys.argv[2] if len(sys.argv) > 2 else ROOT / "build/wasm/web/screencalc.wasm")
RUNS = int(sys.argv[3]) if len(sys.argv) > 3 else 5

import browser as driver  # noqa: E402  (the page tests' server and browser set-up)

# Runs in the page before its own scripts: as soon as the page says it is
# ready, type 100 into inch and note when the results are there.
PROBE = """
new MutationObserver((changes, observer) => {
    if (!document.documentElement.dataset.ready) return;
    observer.disconnect();
    const inch = document.getElementById('inch');
    inch.value = '100';
    inch.dispatchEvent(new InputEvent('input', {inputType: 'insertText', data: '100'}));
    const computed = performance.now();
    const ok = document.getElementById('w').textContent.trim() === '2214';
    requestAnimationFrame(() => { window.firstResult = [computed, performance.now(), ok]; });
}).observe(document, {attributes: true, subtree: true, attributeFilter: ['data-ready']});
"""


# The floor: a page with one field and one label that answers at once,
# measured the same way in the same runs.
BARE = """<!DOCTYPE html><meta charset="utf-8"><input id="inch"><p id="w">0</p>
<script>
document.getElementById('inch').addEventListener('input', () => {
    document.getElementById('w').textContent = '2214 ';
});
document.documentElement.dataset.ready = String(performance.now());
</script>
"""


def gz(path):
    return len(gzip.compress(path.read_bytes(), 9))


def kb(n):
    return f"{n / 1024:.1f} KB"


def sizes():
    print(f"module {MODULE.name}: {kb(MODULE.stat().st_size)} raw, {kb(gz(MODULE))} gzip -9 (budget 80 KB)")
    print("site, each file gzip -9:")
    for f in sorted(SITE.rglob("*")):
        if f.is_file() and f.name != "OFL.txt":
            print(f"  {str(f.relative_to(SITE)):40} {f.stat().st_size:8} B raw {gz(f):8} B gzip")


# Every file a phone's first visit fetches: the page's own requests and what
# its service worker keeps for offline use.
FETCHED = """const done = arguments[0];
navigator.serviceWorker.ready.then(async () => {
    const urls = performance.getEntriesByType('resource').map((e) => e.name);
    for (const name of await caches.keys()) {
        for (const request of await (await caches.open(name)).keys()) urls.push(request.url);
    }
    urls.push(location.href, navigator.serviceWorker.controller?.scriptURL ?? '');
    done([...new Set(urls.map((u) => new URL(u || location.href).pathname.slice(1)))]);
});"""


def first_visit(d, who, budget):
    names = {name or "index.html" for name in d.execute_async_script(FETCHED)} | {"sw.js"}
    total = sum(gz(SITE / name) for name in names)
    print(f"{who}'s first visit: {kb(total)} gzip (budget {budget} KB): {' '.join(sorted(names))}")


SETTLE = float(os.environ.get("SETTLE", "3"))


def first_result(d, url, throttle=1):
    time.sleep(SETTLE)
    d.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": PROBE})
    d.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": throttle})
    d.get(url)
    driver.WebDriverWait(d, 10).until(lambda d: d.execute_script("return window.firstResult"))
    computed, painted, ok = d.execute_script("return window.firstResult")
    if not ok:
        sys.exit("the page did not compute the diagonal 100")
    return computed, painted


def show(label, times, budget=200):
    computed = [t[0] for t in times]
    painted = [t[1] for t in times]
    print(f"{label}: computed median {statistics.median(computed):.0f} ms "
          f"(min {min(computed):.0f}, max {max(computed):.0f}); next frame median "
          f"{statistics.median(painted):.0f} ms (budget {budget} ms)")


def timings():
    cold, offline, bare, phone = [], [], [], []
    floor = pathlib.Path(tempfile.mkdtemp(prefix="screencalc-bare-"))
    (floor / "index.html").write_text(BARE, encoding="utf-8")
    for _ in range(RUNS):
        server = driver.Server(floor)
        d = driver.browser()
        try:
            bare.append(first_result(d, server.url))
        finally:
            d.quit()
        server.stop()

        server = driver.Server(SITE)
        profile = tempfile.mkdtemp(prefix="screencalc-bench-")
        d = driver.browser(profile=profile)
        try:
            cold.append(first_result(d, server.url))
            if len(cold) == 1:
                first_visit(d, "a desktop", 250)
            d.execute_async_script("""const done = arguments[0];
                navigator.serviceWorker.ready.then(() => setTimeout(done, 200));""")
        finally:
            d.quit()
        server.stop()
        d = driver.browser(profile=profile)
        try:
            offline.append(first_result(d, server.url))
        finally:
            d.quit()

        server = driver.Server(SITE)
        d = driver.browser(phone=True)
        try:
            phone.append(first_result(d, server.url, throttle=4))
            if len(phone) == 1:
                first_visit(d, "a phone", 150)
        finally:
            d.quit()
        server.stop()
    show(f"a bare page, cold, {RUNS} runs", bare)
    show(f"navigation to first result, cold, {RUNS} runs", cold)
    show("the same from the service worker, server stopped, browser restarted", offline)
    show("a phone at 360 px, CPU slowed 4x, cold", phone, 400)


def recalculation():
    script = """
        const Calculator = require(process.argv[1]);
        Calculator.open(require('fs').readFileSync(process.argv[2])).then((calc) => {
            const texts = ['100', '101', '99.5', '1000'];
            for (let i = 0; i < 20000; ++i) calc.edited(0, texts[i % 4]);
            const n = 200000;
            const start = process.hrtime.bigint();
            for (let i = 0; i < n; ++i) calc.edited(0, texts[i % 4]);
            const ns = Number(process.hrtime.bigint() - start) / n;
            console.log(`one recalculation (a diagonal typed, six texts written), through the module under Node: ${(ns / 1000).toFixed(2)} µs (budget 10 µs)`);
        });
    """
    subprocess.run(["node", "-e", script, str(ROOT / "web" / "calculator.js"), str(MODULE)], check=True)


if __name__ == "__main__":
    sizes()
    recalculation()
    timings()
