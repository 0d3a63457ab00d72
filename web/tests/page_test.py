#!/usr/bin/python3
"""The page in a real headless Chromium, served from 127.0.0.1.

    /usr/bin/python3 web/tests/page_test.py SITE_DIR SCREENCALC

Types, presses keys, clicks and pastes through WebDriver and reads the
elements by the controls' names; the numbers it expects come from the
native screencalc. Then the page from the service worker with the server
stopped, opened from disk, and in a 360 px phone viewport. Screenshots for a
person to look at: tools/page-screenshots.py. Needs Debian's chromium,
chromium-driver and python3-selenium.
"""

import http.server
import json
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

from browser import Server, Tally, browser, load

SITE = pathlib.Path(sys.argv[1]).resolve()
SCREENCALC = sys.argv[2]
NO_CJK = pathlib.Path(__file__).resolve().parents[2] / "window" / "tests" / "no-cjk-fonts.conf"
WINDOWS_FACES = pathlib.Path(__file__).resolve().with_name("windows-faces.conf")
RESULTS = ["w", "h", "inch1", "w1", "h1", "bkw"]
tally = Tally()
check = tally.check


def native(entry, text, ratio="", frame=""):
    args = [SCREENCALC, f"--{entry}", text, "--json"]
    if ratio:
        args += ["--ratio", ratio]
    if frame:
        args += ["--frame", frame]
    return [json.loads(subprocess.run(args, capture_output=True, check=True).stdout)[r] for r in RESULTS]


def el(d, name):
    return d.find_element(By.ID, name)


def results(d):
    return [d.execute_script("return document.getElementById(arguments[0]).textContent", r)
            for r in RESULTS]


def value(d, name):
    return d.execute_script("return document.getElementById(arguments[0]).value", name)


def paste(d, name, text):
    d.execute_script("""
        const dt = new DataTransfer(); dt.setData('text/plain', arguments[1]);
        arguments[0].dispatchEvent(new ClipboardEvent('paste', {clipboardData: dt, bubbles: true, cancelable: true}));
    """, el(d, name), text)


# name, field, keys typed, the field's text afterwards
TYPED = [
    ("second point dropped", "mw", "1.2.3", "1.23"),
    ("letters and signs dropped", "mh", "1a-+, 2", "12"),
    ("diagonal cut at six", "inch", "1234567", "123456"),
    ("width cut at nine", "mw", "1234567890", "123456789"),
    ("lone point empties", "inch", ".", ""),
    ("leading zero keeps point", "mh", "0.5", "0.5"),
]


# name, field, text committed in one go (a keyboard's suggestion, an input
# method), the field's text afterwards
COMMITTED = [
    ("commit: second point dropped", "mw", "1.2.3", "1.23"),
    ("commit: thousands separator dropped", "mw", "1,000", "1000"),
    ("commit: letter dropped", "mh", "12a", "12"),
    ("commit: cut at six", "inch", "1234567", "123456"),
    ("commit: lone point empties", "inch", ".", ""),
]


def typing(d, url):
    for name, field, keys, want in TYPED:
        load(d, url)
        el(d, field).send_keys(keys)
        check(f"typed: {name}", value(d, field), want)
    for name, field, text, want in COMMITTED:
        load(d, url)
        el(d, field).click()
        d.execute_cdp_cmd("Input.insertText", {"text": text})
        check(name, value(d, field), want)
    load(d, url)
    el(d, "mw").click()
    d.execute_cdp_cmd("Input.imeSetComposition", {"text": "1,0", "selectionStart": 3,
                                                  "selectionEnd": 3})
    d.execute_cdp_cmd("Input.insertText", {"text": "1,000"})
    check("commit: an input method's composition", [value(d, "mw"), results(d)],
          ["1000", native("width", "1000")])
    load(d, url)
    el(d, "mw").send_keys("12")
    d.execute_cdp_cmd("Input.insertText", {"text": "3.4.5"})
    check("commit: after typed text", [value(d, "mw"), results(d)],
          ["123.45", native("width", "123.45")])

    load(d, url)
    check("focus at start", d.switch_to.active_element.get_attribute("id"), "inch")
    el(d, "inch").send_keys("100")
    check("diagonal 100", results(d), native("diagonal", "100"))
    el(d, "inch").send_keys(Keys.TAB)
    check("tab to mw empties inch", [value(d, "inch"), value(d, "mw")], ["", ""])
    check("tab keeps the results", results(d), native("diagonal", "100"))

    load(d, url)
    el(d, "mh").send_keys("1000")
    el(d, "mw").click()
    check("click into mw empties mh", value(d, "mh"), "")
    check("results of the height stay", results(d), native("height", "1000"))


def selections(d, url):
    load(d, url)
    el(d, "opt43").click()
    el(d, "Option1").click()
    el(d, "inch").send_keys("100")
    check("4:3 and 80 mm, then 100", results(d), native("diagonal", "100", "4:3", "80"))
    outline = d.execute_script("const s = getComputedStyle(document.getElementById('Shape1'));"
                               "return [s.borderTopWidth, s.borderTopColor]")
    check("80 mm outline", outline, ["6px", "rgb(255, 0, 0)"])
    el(d, "opt169").click()
    check("ratio click recomputes with 7 mm", results(d)[5], "7")

    load(d, url)
    el(d, "mh").send_keys("1000")
    el(d, "Option3").click()
    el(d, "mh").click()
    el(d, "mh").send_keys(Keys.ESCAPE)
    check("Esc empties the fields", [value(d, f) for f in ("inch", "mw", "mh")], ["", "", ""])
    check("Esc shows 0", results(d), ["0"] * 6)
    check("Esc chooses 12 mm", el(d, "Option2").is_selected(), True)
    check("Esc keeps the focus", d.switch_to.active_element.get_attribute("id"), "mh")

    for name, focus, cleared in (("Esc on Option4", "Option4", True), ("Esc on opt169", "opt169", False)):
        load(d, url)
        el(d, "inch").send_keys("100")
        d.execute_script("document.getElementById(arguments[0]).focus()", focus)
        d.switch_to.active_element.send_keys(Keys.ESCAPE)
        check(name, value(d, "inch") == "", cleared)

    load(d, url)
    el(d, "mw").send_keys("1000")
    el(d, "Command4").click()
    check("clear button", [value(d, "mw"), results(d)], ["", ["0"] * 6])


def browser_paste(d, name, text):
    """A paste the browser itself makes (the context menu's), from the clipboard;
    whether the page cancelled it."""
    d.execute_cdp_cmd("Browser.grantPermissions", {"permissions": ["clipboardReadWrite",
                                                                   "clipboardSanitizedWrite"]})
    el(d, name).click()
    d.execute_async_script("navigator.clipboard.writeText(arguments[0]).then(arguments[1])", text)
    d.execute_script("""window.pasteCancelled = null;
        arguments[0].addEventListener('paste', (e) => setTimeout(() => {
            window.pasteCancelled = e.defaultPrevented; }), {capture: true, once: true});""",
                     el(d, name))
    key = {"key": "v", "code": "KeyV", "windowsVirtualKeyCode": 86}
    d.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": "rawKeyDown", "commands": ["paste"], **key})
    d.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": "keyUp", **key})
    WebDriverWait(d, 5).until(lambda d: d.execute_script("return window.pasteCancelled !== null"))
    return d.execute_script("return window.pasteCancelled")


# name, field, text on the clipboard, the field's text afterwards
BROWSER_PASTES = [
    ("browser paste keeps the first line", "mw", "12a\r\n34", "12a"),
    ("browser paste cut to the field", "inch", "1234567890", "123456"),
    ("browser paste of a number", "mh", "1000\n", "1000"),
]


def pasting(d, url):
    for name, field, text, want in BROWSER_PASTES:
        load(d, url)
        cancelled = browser_paste(d, field, text)
        check(name, [value(d, field), cancelled], [want, False])

    load(d, url)
    el(d, "mw").click()
    paste(d, "mw", "12a\r\n34")
    check("paste keeps the first line", value(d, "mw"), "12a")
    check("marked", el(d, "mw").get_attribute("title"), "不是有效的数字，无法计算")
    check("results greyed", "greyed" in el(d, "onTop").get_attribute("class"), True)
    el(d, "mw").send_keys(Keys.BACKSPACE)
    check("mark gone once it converts", [el(d, "mw").get_attribute("title"),
                                         "greyed" in el(d, "onTop").get_attribute("class")],
          ["输入幕布宽度", False])
    el(d, "inch").click()
    paste(d, "inch", "1234567890")
    check("paste cut to the field", value(d, "inch"), "123456")


def page_facts(d, url):
    load(d, url)
    check("ids of the controls", d.execute_script(
        "return ['inch','mw','mh','opt169','opt43','Option1','Option5','w','bkw','Command1','Command3',"
        "'Command4','Shape1','temdate','ver'].filter(n => !document.getElementById(n))"), [])
    check("desktop-only controls left out", d.execute_script(
        "return ['check1','Command2','Command5'].filter(n => document.getElementById(n))"), [])
    check("numeric keyboard", el(d, "inch").get_attribute("inputmode"), "decimal")
    check("field name with unit", el(d, "mw").accessible_name, "输入幕布宽(mm):")
    el(d, "inch").send_keys("100")
    check("result name and unit", [el(d, "w").accessible_name, el(d, "inch1").get_attribute("aria-description")],
          ["2214 ", "英寸，单位英寸"])
    shown = subprocess.run([SCREENCALC, "--version"], capture_output=True, check=True,
                           text=True).stdout.split()[-1]
    check("version of the build", el(d, "ver").text, f"2023| 版本: {shown}")
    check("no installability errors",
          d.execute_cdp_cmd("Page.getInstallabilityErrors", {}).get("installabilityErrors"), [])


def offline(d, server):
    load(d, server.url)
    d.execute_async_script("""const done = arguments[0];
        navigator.serviceWorker.ready.then(() => navigator.serviceWorker.controller ? done() :
            navigator.serviceWorker.addEventListener('controllerchange', () => done()));""")
    server.stop()
    load(d, server.url)
    el(d, "inch").send_keys("100")
    check("offline reload computes", results(d), native("diagonal", "100"))


def from_disk(d):
    load(d, (SITE / "index.html").as_uri())
    el(d, "mw").send_keys("1000")
    check("file:// computes", results(d), native("width", "1000"))


def phone(d, url):
    load(d, url)
    facts = d.execute_script("""const r = document.getElementById('onTop').getBoundingClientRect();
        return [Math.round(r.width), document.documentElement.scrollWidth <= innerWidth,
                !!document.getElementById('Image6'), document.activeElement.id || ''];""")
    check("360 px: one column at the width, no sideways scroll, no code, no keyboard", facts,
          [360, True, False, ""])
    el(d, "mh").click()
    el(d, "mh").send_keys("1000")
    check("360 px computes", results(d), native("height", "1000"))
    check("no zoom on focus", d.execute_script("return visualViewport.scale"), 1)
    d.execute_script("""Object.defineProperty(navigator, 'share', {configurable: true,
        value: (data) => { window.shared = data; return Promise.resolve(); }});""")
    el(d, "shareQuote").click()
    WebDriverWait(d, 5).until(lambda d: d.execute_script("return window.shared"))
    check("phone: the quote goes to the share sheet",
          d.execute_script("return window.shared.text"), quote_native("--height", "1000"))


def quote_native(*args):
    return subprocess.run([SCREENCALC, *args, "--quote"], capture_output=True, check=True,
                          text=True).stdout


def sharing(d, url):
    load(d, url)
    check("share: nothing to share yet", el(d, "shareQuote").is_enabled(), False)
    d.execute_cdp_cmd("Browser.grantPermissions", {"permissions": ["clipboardReadWrite",
                                                                   "clipboardSanitizedWrite"]})
    el(d, "Option4").click()
    el(d, "inch").send_keys("100")
    el(d, "shareQuote").click()
    WebDriverWait(d, 5).until(lambda d: el(d, "quoteStatus").text)
    copied = d.execute_async_script("navigator.clipboard.readText().then(arguments[0])")
    check("share: the clipboard holds screencalc's quote", copied,
          quote_native("--diagonal", "100", "--frame", "65"))
    check("share: said so", el(d, "quoteStatus").text, "报价已复制，可粘贴发送。")


def announcements(d, url):
    load(d, url)
    d.execute_script("""window.heard = [];
        new MutationObserver(() => heard.push(document.getElementById('announce').textContent))
            .observe(document.getElementById('announce'), {childList: true, subtree: true,
                                                           characterData: true});""")
    el(d, "mh").send_keys("1000")
    WebDriverWait(d, 5).until(lambda d: d.execute_script("return heard.length"))
    d.execute_script("return new Promise((done) => setTimeout(done, 1200))")
    heard = d.execute_script("return heard")
    check("announced once when settled", len(heard), 1)
    check("announced with captions and units", heard[-1:],
          [quote_native("--height", "1000").replace("\n", "。")])
    check("no result announced at every key",
          [r.get_attribute("aria-live") for r in map(lambda n: el(d, n), RESULTS)], ["off"] * 6)


class OldHost(http.server.SimpleHTTPRequestHandler):
    """A host that sends Last-Modified (the files' own, set years back) and
    no Cache-Control, so that a browser keeps its copies fresh for long."""

    def log_message(self, *args):
        pass


def new_build(folder, marker):
    """Another build in the folder: a page that differs, a worker with a new cache name."""
    index = folder / "index.html"
    index.write_text(index.read_text(encoding="utf-8").replace(
        "<body>", f"<body data-build=\"{marker}\">", 1), encoding="utf-8")
    sw = folder / "sw.js"
    sw.write_text(sw.read_text(encoding="utf-8").replace(
        'const CACHE = "screencalc-', f'const CACHE = "screencalc-{marker}-', 1), encoding="utf-8")
    for f in folder.rglob("*"):
        os.utime(f, (978307200, 978307200))  # 2001-01-01: newer, and still old


def update_notice():
    folder = pathlib.Path(tempfile.mkdtemp(prefix="screencalc-site-")) / "site"
    shutil.copytree(SITE, folder)
    for f in folder.rglob("*"):
        os.utime(f, (946684800, 946684800))  # 2000-01-01
    host = Server(folder, OldHost)
    url = host.url
    d = browser()
    try:
        load(d, url)
        d.execute_async_script("""const done = arguments[0];
            navigator.serviceWorker.ready.then(() => navigator.serviceWorker.controller ? done() :
                navigator.serviceWorker.addEventListener('controllerchange', () => done()));""")
        check("update: no notice on the first visit", el(d, "updateReady").is_displayed(), False)
        new_build(folder, "second")
        load(d, url)
        WebDriverWait(d, 10).until(lambda d: el(d, "updateReady").is_displayed())
        check("update: the notice", el(d, "updateReady").text, "新版本已就绪。重新载入")
        el(d, "updateReload").click()
        WebDriverWait(d, 10).until(lambda d: d.execute_script(
            "return document.body.dataset.build === 'second' && "
            "document.documentElement.dataset.ready"))
        check("update: the new build after the button", d.execute_script(
            "return [document.body.dataset.build, !document.getElementById('updateReady').hidden]"),
            ["second", False])
    finally:
        d.quit()
        host.stop()


def without_webassembly(server):
    d = browser(extra=["--js-flags=--jitless"])
    try:
        d.get(server.url)
        WebDriverWait(d, 10).until(lambda d: el(d, "noWasm").is_displayed())
        check("no WebAssembly: said in Chinese", "WebAssembly" in el(d, "noWasm").text and
              "浏览器" in el(d, "noWasm").text, True)
        check("no WebAssembly: the calculator still shown",
              [el(d, n).is_displayed() for n in ("inch", "w", "Label3")], [True] * 3)
        el(d, "inch").send_keys("100")
        check("no WebAssembly: the fields take nothing", value(d, "inch"), "")
    finally:
        d.quit()


# Every text the page can show, in the face it is shown in: with no CJK font
# in the system, each character must come from one of the page's own faces.
GLYPHS = """
const done = arguments[0];
document.head.append(Object.assign(document.createElement('style'),
    {textContent: '[hidden] { display: block !important; }'}));
const wanted = new Map(); // "family|weight" -> characters
const want = (s, text) => {
    const key = s.fontFamily + '|' + s.fontWeight;
    const chars = wanted.get(key) ?? new Set();
    for (const c of text) if (c > '\\x7f') chars.add(c);
    wanted.set(key, chars);
};
const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
while (walker.nextNode()) {
    const e = walker.currentNode.parentElement;
    if (!e.closest('script, style, noscript')) want(getComputedStyle(e), walker.currentNode.textContent);
}
for (const e of document.querySelectorAll('[data-unit]')) {  // the units beside the results
    const after = getComputedStyle(e, '::after');
    if (after.content !== 'none') want(after, e.dataset.unit);
}
const probes = document.createElement('div');
for (const [key, chars] of wanted) {
    const [family, weight] = key.split('|');
    for (const c of chars) {
        const p = document.createElement('span');
        Object.assign(p.style, {fontFamily: family, fontWeight: weight});
        p.textContent = c;
        p.className = 'glyphProbe';
        probes.append(p);
    }
}
document.body.append(probes);
// A face that lacks a character draws it as it draws one that no font has
// (U+10FFFD), whichever face the browser then reports: compare the pixels.
const drawn = (font, c) => {
    const canvas = Object.assign(document.createElement('canvas'), {width: 48, height: 48});
    const g = canvas.getContext('2d');
    g.font = font;
    g.fillText(c, 4, 36);
    return canvas.toDataURL();
};
document.fonts.ready.then(async () => {
    const boxes = [];
    for (const [key, chars] of wanted) {
        const [family, weight] = key.split('|');
        const font = `${weight} 32px ${family}`;
        await document.fonts.load(font, [...chars].join(''));
        const none = drawn(font, String.fromCodePoint(0x10FFFD));
        for (const c of chars) if (drawn(font, c) === none) boxes.push(c);
    }
    requestAnimationFrame(() => done([probes.children.length, boxes.join('')]));
});
"""


def glyphs(server, **layout):
    d = browser(fonts=NO_CJK, **layout)
    name = "phone" if layout.get("phone") else "desktop"
    try:
        load(d, server.url)
        el(d, "inch").send_keys("100")
        el(d, "roomFarthest").send_keys("4000")  # the room panel's buttons
        d.execute_script("document.getElementById('shareQuote').click()")
        count, boxes = d.execute_async_script(GLYPHS)
        d.execute_cdp_cmd("DOM.enable", {})
        d.execute_cdp_cmd("CSS.enable", {})
        root = d.execute_cdp_cmd("DOM.getDocument", {"depth": 0})["root"]["nodeId"]
        probes = d.execute_cdp_cmd("DOM.querySelectorAll",
                                   {"nodeId": root, "selector": ".glyphProbe"})["nodeIds"]
        missing = [boxes]
        for node in probes:
            fonts = d.execute_cdp_cmd("CSS.getPlatformFontsForNode", {"nodeId": node})["fonts"]
            if not all(f["isCustomFont"] for f in fonts):
                text = d.execute_cdp_cmd("DOM.describeNode", {"nodeId": node, "depth": 1})
                missing.append(text["node"]["children"][0]["nodeValue"])
        check(f"glyphs, {name}: all {count} characters in the page's faces", "".join(missing), "")
    finally:
        d.quit()


def system_faces(server):
    d = browser(fonts=WINDOWS_FACES, width=1366, height=900)
    try:
        load(d, server.url)
        el(d, "inch").send_keys("100")
        fetched = d.execute_async_script("""const done = arguments[0];
            document.fonts.ready.then(() => done(performance.getEntriesByType('resource')
                .map((e) => e.name).filter((name) => name.endsWith('.woff2'))));""")
        check("SimSun and SimHei on the system: none of the page's faces fetched", fetched, [])
    finally:
        d.quit()


def overflow(d, clipped_ok=False):
    """How far the page scrolls sideways, or any element reaches past the
    viewport's right edge (unless the window's clipping hides it)."""
    return d.execute_script("""scrollTo(1000, scrollY);
        let right = document.documentElement.clientWidth + scrollX;
        scrollTo(0, scrollY);
        if (!arguments[0]) for (const e of document.querySelectorAll('body *')) {
            const r = e.getBoundingClientRect();
            if (r.width && r.height) right = Math.max(right, Math.ceil(r.right));
        }
        return right - document.documentElement.clientWidth;""", clipped_ok)


PHONE_FACTS = """
const shown = (e) => { const r = e.getBoundingClientRect(); return r.width > 0 && r.height > 0; };
const targets = [...document.querySelectorAll('input:not([type=radio]), select, button, a, ' +
                                              'label.optionButton')]
    .filter(shown).map(e => { const r = e.getBoundingClientRect();
        return [e.id || e.textContent.trim(), Math.floor(Math.min(r.width, r.height))]; });
const small = [];
const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
while (walker.nextNode()) {
    const e = walker.currentNode.parentElement;
    if (walker.currentNode.textContent.trim() && shown(e) &&
        parseFloat(getComputedStyle(e).fontSize) < 12) small.push(e.id || e.className);
}
const inputs = [...document.querySelectorAll('input[type=text], select')]
    .map(e => parseFloat(getComputedStyle(e).fontSize));
const fonts = performance.getEntriesByType('resource').filter(r => r.name.endsWith('.woff2'));
return {targets: targets.filter(t => t[1] < 44), small, inputs: Math.min(...inputs),
        fonts: fonts.length, columns: getComputedStyle(document.getElementById('onTop'))
            .gridTemplateColumns.split(' ').length};
"""


def phone_layouts(server):
    for width in (360, 390, 412):
        d = browser(phone=True, phone_width=width)
        try:
            load(d, server.url)
            el(d, "mw").click()
            el(d, "mw").send_keys("2000")
            facts = d.execute_script(PHONE_FACTS)
            check(f"{width} px: no sideways scrolling", overflow(d), 0)
            check(f"{width} px: controls of 44 px or more", facts["targets"], [])
            check(f"{width} px: no text under 12 px", facts["small"], [])
            check(f"{width} px: fields of 16 px or more", facts["inputs"] >= 16, True)
            check(f"{width} px: no face fetched", facts["fonts"], 0)
            check(f"{width} px: computes", results(d), native("width", "2000"))
            check(f"{width} px: units beside the results", [
                el(d, "w").get_attribute("data-unit"), el(d, "inch1").get_attribute("data-unit")],
                ["毫米", "英寸"])
        finally:
            d.quit()


def desktop_layouts(server):
    """The window's pixel layout, exactly, at tablet and desktop widths."""
    html = (SITE / "index.html").read_text(encoding="utf-8")
    inline = r'<script id="controlTable" type="application/json">(.*?)</script>'
    table = json.loads(re.search(inline, html, re.S).group(1).replace("<\\/", "</"))
    px = lambda t: round(t / table["twipsPerPixel"])
    want = {}
    for c in table["controls"]:
        if c["kind"] in ("textBox", "pushButton", "frame", "label", "shape") and not c["container"]:
            x, y = px(c["left"]), px(c["top"])
            want[c["name"]] = [x, y, px(c["left"] + c["width"]) - x, px(c["top"] + c["height"]) - y]
    for width in (672, 768, 1366):
        d = browser(width=width, height=900)
        try:
            load(d, server.url)
            got = d.execute_script("""
                const o = document.getElementById('onTop').getBoundingClientRect();
                const out = {};
                for (const n of arguments[0]) { const e = document.getElementById(n);
                    if (!e) continue; const r = e.getBoundingClientRect();
                    out[n] = [r.left - o.left, r.top - o.top, r.width, r.height].map(Math.round); }
                return out;""", list(want))
            check(f"{width} px: the window's layout",
                  {n: got[n] for n in got if got[n] != want[n]}, {})
            check(f"{width} px: no sideways scrolling", overflow(d, clipped_ok=True), 0)
        finally:
            d.quit()


def main():
    server = Server(SITE)
    d = browser()
    try:
        typing(d, server.url)
        selections(d, server.url)
        pasting(d, server.url)
        page_facts(d, server.url)
        sharing(d, server.url)
        announcements(d, server.url)
        offline(d, server)
        from_disk(d)
    finally:
        d.quit()
    server = Server(SITE)
    d = browser(phone=True)
    try:
        phone(d, server.url)
    finally:
        d.quit()
    phone_layouts(server)
    desktop_layouts(server)
    glyphs(server, width=1366, height=900)
    glyphs(server, phone=True)
    system_faces(server)
    without_webassembly(server)
    update_notice()
    server.stop()
    tally.finish()


if __name__ == "__main__":
    main()
