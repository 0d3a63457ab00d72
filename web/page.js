// The page: lays out the window's controls from the core's control table,
// forwards what the user does to the core, and paints what the core then
// holds. The calculator's rules (which characters a field takes, what a
// focus or Esc empties, what a paste keeps, when a field is marked) are
// the core's; nothing here decides them.
"use strict";

// The module: compiled while it downloads; from disk, where a page may
// load scripts but fetch nothing, from the script that carries it.
async function moduleSource() {
    if (location.protocol !== "file:") {
        try {
            return await fetch("screencalc.wasm");
        } catch {
            // offline without the service worker: try the script
        }
    }
    await new Promise((resolve, reject) => {
        const script = Object.assign(document.createElement("script"), { src: "screencalc-module.js" });
        script.onload = resolve;
        script.onerror = reject;
        document.head.append(script);
    });
    const text = atob(self.screencalcModule);
    const bytes = new Uint8Array(text.length);
    for (let i = 0; i < text.length; ++i) {
        bytes[i] = text.charCodeAt(i);
    }
    return bytes;
}

(async () => {
    const calc = await Calculator.open(await moduleSource());
    const table = calc.table();
    const root = document.getElementById("onTop");

    // Keep-on-top, minimise and exit manage a desktop window; a page has
    // none. A phone cannot scan the download code on its own screen.
    const onPhone = matchMedia("(pointer: coarse) and (hover: none)").matches;
    const left = new Set(["check1", "Command2", "Command5", "Image5"]);
    if (onPhone) {
        left.add("Image6").add("Label13");
    }
    const captionFor = { Label3: "inch", Label5: "mw", Label6: "mh" };
    const links = { Command1: table.downloadUrl, Command3: table.productUrl };
    const hoverZones = { Command4: "Image2", Command3: "Image3", Command1: "Image4" };
    const highlight = "rgb(128, 255, 255)";
    const rest = "rgb(224, 224, 224)";

    const px = (twips) => Math.round(twips / table.twipsPerPixel);
    const colour = (value) => {
        if (value >= 0x80000000) {
            return "var(--menu)"; // the one system colour the window names
        }
        return `rgb(${value & 255}, ${(value >>> 8) & 255}, ${(value >>> 16) & 255})`;
    };
    const faces = { song: "var(--song)", hei: "var(--hei)", platform: "var(--platform)" };
    // Windowless controls are drawn on their container beneath every
    // windowed one; shapes lie beneath the captions too.
    const layers = { shape: 0, label: 1, image: 1, frame: 2 };

    const elements = new Map(); // control name -> the element carrying its id
    const boxes = new Map(); // control name -> its positioned box

    function place(box, c) {
        const x = px(c.left);
        const y = px(c.top);
        Object.assign(box.style, {
            left: `${x}px`,
            top: `${y}px`,
            width: `${px(c.left + c.width) - x}px`,
            height: `${px(c.top + c.height) - y}px`,
            zIndex: String(layers[c.kind] ?? 3),
            font: `${c.bold ? "bold " : ""}${c.fontPixels || 12}px ${faces[c.face]}`,
        });
        if (c.colour && c.kind !== "shape") {
            box.style.color = colour(c.colour);
        }
        if (c.background) {
            box.style.background = colour(c.background);
        }
        box.classList.add(c.kind);
    }

    function create(c) {
        let el;
        let box;
        switch (c.kind) {
        case "textBox":
            el = box = document.createElement("input");
            Object.assign(el, {
                type: "text", inputMode: "decimal", maxLength: c.maxLength, autocomplete: "off",
                spellcheck: false, enterKeyHint: "done",
            });
            el.setAttribute("autocapitalize", "off");
            el.setAttribute("autocorrect", "off");
            break;
        case "optionButton":
            box = document.createElement("label");
            el = document.createElement("input");
            el.type = "radio";
            el.name = c.container;
            el.checked = c.selected === 1;
            box.append(el, c.text);
            break;
        case "pushButton":
            if (links[c.name]) {
                el = box = document.createElement("a");
                Object.assign(el, { href: links[c.name], target: "_blank", rel: "noopener" });
            } else {
                el = box = document.createElement("button");
                el.type = "button";
            }
            el.textContent = c.text;
            break;
        case "frame":
            el = box = document.createElement("div");
            el.setAttribute("role", "group");
            el.setAttribute("aria-label", c.text);
            el.append(Object.assign(document.createElement("span"), { className: "caption", textContent: c.text }));
            break;
        case "image":
            if (c.text) {
                el = box = document.createElement("img");
                el.src = c.text.replace(/^.*\//, "");
                el.alt = c.name === "Image6" ? "扫码下载 手机安卓版" : "Korvexa";
            } else {
                el = box = document.createElement("div"); // a hover zone
            }
            break;
        case "label":
            if (table.results.includes(c.name)) {
                el = box = document.createElement("output");
                el.setAttribute("aria-live", "off");
            } else {
                el = box = document.createElement(captionFor[c.name] ? "label" : "div");
                if (captionFor[c.name]) {
                    el.htmlFor = captionFor[c.name];
                }
            }
            el.textContent = c.text;
            break;
        default: // shape; Shape1's outline is painted from the core
            el = box = document.createElement("div");
            el.style.border = `1px solid ${colour(c.colour)}`;
        }
        el.id = c.name;
        if (c.toolTip) {
            el.title = c.toolTip;
        }
        if (c.tabIndex >= 0 && c.kind !== "frame") {
            el.tabIndex = c.tabIndex + 1;
        }
        place(box, c);
        elements.set(c.name, el);
        boxes.set(c.name, box);
        return box;
    }

    // Creation order decides stacking within a layer. The option buttons of
    // a group go in as the eye reads them, left to right, so that the arrow
    // keys move along them that way.
    const shown = table.controls.filter((c) => !left.has(c.name));
    const order = [];
    for (const c of shown) {
        if (c.kind === "optionButton") {
            if (!order.includes(c)) {
                order.push(...shown.filter((o) => o.kind === "optionButton" && o.container === c.container)
                    .sort((a, b) => a.left - b.left));
            }
        } else {
            order.push(c);
        }
    }
    for (const c of order) {
        (c.container ? boxes.get(c.container) : root).append(create(c));
    }
    const page = document.documentElement.style;
    page.setProperty("--width", `${px(table.clientWidth)}px`);
    page.setProperty("--height", `${px(table.clientHeight)}px`);
    page.setProperty("--not-a-number", colour(table.notANumberBackground));
    elements.get("ver").textContent = table.version;

    const fields = table.entries.map((name) => elements.get(name));
    const results = table.results.map((name) => elements.get(name));
    // As in the window, a screen reader hears a result's exact text and then
    // what it is: its caption and unit, "幕面宽，单位毫米".
    results.forEach((result, k) => {
        result.setAttribute("aria-labelledby", result.id);
        result.setAttribute("aria-description", table.descriptions[k]);
    });
    const options = table.options.map((name) => elements.get(name));
    const frameOptions = options.filter((o) => o.name === "Frame1");
    const shape = elements.get("Shape1");
    const toolTips = fields.map((f) => f.title);

    // ---- painting what the core holds ----

    function paint() {
        fields.forEach((field, i) => {
            const text = calc.entryText(i);
            if (field.value !== text) {
                field.value = text;
            }
            const mark = calc.markText(i);
            field.classList.toggle("marked", mark !== "");
            field.title = mark || toolTips[i];
            field.setAttribute("aria-invalid", mark ? "true" : "false");
        });
        results.forEach((result, k) => {
            const text = calc.resultText(k);
            if (result.textContent !== text) {
                result.textContent = text;
            }
        });
        root.classList.toggle("greyed", calc.resultsGreyed());
        options.forEach((option, k) => {
            option.checked = calc.isSelected(k);
        });
        const outline = calc.outline();
        shape.style.borderWidth = `${outline.width}px`;
        shape.style.borderColor = colour(outline.colour);
        document.dispatchEvent(new Event("calculator-painted")); // the room panel follows the selection
    }

    // ---- forwarding what the user does ----

    // A field's text, by hand: the selection replaced, cut to the field's
    // length in whole characters, as a text box takes a paste.
    function insert(field, text) {
        const { value, selectionStart: from, selectionEnd: to } = field;
        const room = field.maxLength - (value.length - (to - from));
        let kept = "";
        for (const ch of text) {
            if (kept.length + ch.length > room) {
                break;
            }
            kept += ch;
        }
        field.value = value.slice(0, from) + kept + value.slice(to);
        field.setSelectionRange(from + kept.length, from + kept.length);
    }

    const typedPasses = (i, text) => [...text].every((ch) => calc.typedPasses(i, ch));

    fields.forEach((field, i) => {
        field.addEventListener("focus", () => {
            calc.focused(i);
            paint();
            // Tab selects the whole text; the next digit would replace it.
            if (field.selectionStart === 0 && field.selectionEnd === field.value.length) {
                field.setSelectionRange(field.value.length, field.value.length);
            }
        });
        field.addEventListener("keydown", (event) => {
            if (event.key === "Escape") {
                event.preventDefault();
                calc.cleared();
                paint();
            } else if ((event.ctrlKey || event.metaKey) && !event.altKey &&
                       (event.key.length === 1 || event.key === "Backspace" || event.key === "Delete")) {
                // Editing shortcuts type nothing into these fields; the
                // context menu is the way to paste.
                event.preventDefault();
            }
        });
        field.addEventListener("beforeinput", (event) => {
            const type = event.inputType;
            if (type === "insertText" && !typedPasses(i, event.data ?? "")) {
                event.preventDefault();
            } else if (type.startsWith("history") || type === "insertFromDrop" || type === "deleteByDrag") {
                event.preventDefault();
            }
        });
        field.addEventListener("paste", (event) => {
            event.preventDefault();
            insert(field, calc.pastedPart(event.clipboardData.getData("text/plain")));
            calc.edited(i, field.value);
            paint();
        });
        field.addEventListener("input", (event) => {
            // An input method's text cannot always be stopped beforehand;
            // what the character rule drops is taken back here.
            const typed = event.inputType && event.inputType.startsWith("insert") && event.inputType !== "insertFromPaste";
            if (typed && event.data && !typedPasses(i, event.data)) {
                const caret = Math.max(0, field.selectionStart - event.data.length);
                field.value = calc.entryText(i);
                field.setSelectionRange(caret, caret);
                return;
            }
            calc.edited(i, field.value);
            paint();
        });
        field.addEventListener("drop", (event) => event.preventDefault());
    });

    options.forEach((option, k) => {
        option.addEventListener("change", () => {
            calc.clicked(k);
            paint();
        });
    });
    for (const option of frameOptions) {
        option.addEventListener("keydown", (event) => {
            if (event.key === "Escape") {
                calc.cleared();
                paint();
            }
        });
    }
    elements.get("Command4").addEventListener("click", () => {
        calc.cleared();
        paint();
    });
    for (const [button, zone] of Object.entries(hoverZones)) {
        const b = elements.get(button);
        b.addEventListener("pointermove", () => { b.style.background = highlight; });
        elements.get(zone).addEventListener("pointermove", () => { b.style.background = rest; });
    }

    // ---- the clock: 2026年12月06日4:30:7 ----

    const clock = elements.get("temdate");
    const two = (n) => String(n).padStart(2, "0");
    function tick() {
        const d = new Date();
        clock.textContent = `${d.getFullYear()}年${two(d.getMonth() + 1)}月${two(d.getDate())}日` +
            `${d.getHours()}:${d.getMinutes()}:${d.getSeconds()}`;
        setTimeout(tick, 1000 - d.getMilliseconds() + 5); // just after the next second starts
    }
    tick();

    // ---- the fixed layout, scaled to a narrower viewport ----

    function fit() {
        const width = px(table.clientWidth);
        const scale = Math.min(1, document.documentElement.clientWidth / width);
        page.setProperty("--scale", String(scale));
    }
    addEventListener("resize", fit);
    fit();

    // A caption lower than its line grows evenly about its middle, so that
    // no glyph is cut; the others keep their text at the top.
    const settle = () => {
        for (const box of root.querySelectorAll(".label")) {
            box.classList.toggle("tall", box.scrollHeight > box.clientHeight + 1);
        }
    };

    // The faces first, so that no text is laid out in a stand-in and
    // left so (a face that fails to load leaves the system's).
    await Promise.all(["400 12px 'Screencalc Serif'", "700 12px 'Screencalc Serif'",
        "400 12px 'Screencalc Sans'", "700 12px 'Screencalc Sans'"]
        .map((font) => document.fonts.load(font, "：").catch(() => [])));
    paint();
    root.hidden = false;
    settle();
    if (!onPhone) {
        fields[0].focus(); // as the window starts; a phone would open its keyboard
    }
    // The room panel (room-panel.js) works the same calculator; it is
    // listening once the page is parsed.
    if (document.readyState === "loading") {
        await new Promise((resolve) => document.addEventListener("DOMContentLoaded", resolve, { once: true }));
    }
    document.dispatchEvent(new CustomEvent("calculator-ready", { detail: { calc, paint } }));
    document.documentElement.dataset.ready = String(performance.now());

    if ("serviceWorker" in navigator && location.protocol.startsWith("http")) {
        navigator.serviceWorker.register("sw.js").catch(() => {});
    }
})();
