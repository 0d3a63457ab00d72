// The page: lays out the window's controls from the core's control table,
// forwards what the user does to the core, and paints what the core then
// holds. The calculator's rules (which characters a field takes, what a
// focus or Esc empties, what a paste keeps, when a field is marked) are
// the core's; nothing here decides them.
//
// The control table comes with the page (the build writes it in), so the
// controls and their texts are on screen before the module has arrived;
// the fields take input and the results fill in once it has. Below the
// width the window's layout needs, page.css lays the same elements out in
// one column for a hand; this script is the same for both layouts.
//
// In order: the table and the controls built from it; the module; painting;
// the events; the clock; the announcements, the quote and the update
// notice; then main(), which runs them.
"use strict";

const PHONE = "(max-width: 671px), (pointer: coarse) and (max-width: 767px)";
// Windowless controls are drawn on their container beneath every windowed
// one; shapes lie beneath the captions too.
const LAYERS = { shape: 0, label: 1, image: 1, frame: 2 };
// On a phone the controls go in one column in this order (page.css); it is
// also the order the keyboard and a screen reader take. The rest follow.
const READING_ORDER = ["Label3", "inch", "Label5", "mw", "Label6", "mh", "Label7", "Frame1",
    "Command4", "Frame2", "quote", "Command3", "Command1", "Image1", "temdate", "ver",
    // within 计算结果: the ratio, then the results two by two, then the notes
    "opt43", "opt169", "Label9", "w", "Label11", "h", "Label10", "inch1", "biankuangw", "bkw",
    "Label4", "w1", "Label8", "h1", "Label2", "Label1", "Label12"];

// ---- the control table and the controls built from it ----

function readTable() {
    return JSON.parse(document.getElementById("controlTable").textContent);
}

// A colour of the table as CSS: 0x00BBGGRR, or the one system colour the
// window names.
function cssColour(table, value) {
    if (value === table.menuBackground) {
        return "var(--menu)";
    }
    return `rgb(${value & 255}, ${(value >>> 8) & 255}, ${(value >>> 16) & 255})`;
}

// Keep-on-top, minimise and exit manage a desktop window; a page has none.
// A phone cannot scan the download code on its own screen.
function controlsLeftOut(onPhone) {
    const left = new Set(["check1", "Command2", "Command5", "Image5"]);
    if (onPhone) {
        left.add("Image6").add("Label13");
    }
    return left;
}

// The control's place in the window as CSS variables, which the desktop
// layout uses and the phone layout ignores; its colours as the window's,
// in both.
function place(table, box, c, stacking) {
    const px = (twips) => Math.round(twips / table.twipsPerPixel);
    const x = px(c.left);
    const y = px(c.top);
    const faces = { song: "var(--song)", hei: "var(--hei)", platform: "var(--platform)" };
    const s = box.style;
    s.setProperty("--x", `${x}px`);
    s.setProperty("--y", `${y}px`);
    s.setProperty("--w", `${px(c.left + c.width) - x}px`);
    s.setProperty("--h", `${px(c.top + c.height) - y}px`);
    s.setProperty("--z", String(stacking));
    s.setProperty("--font", `${c.bold ? "bold " : ""}${c.fontPixels || 12}px ${faces[c.face]}`);
    if (c.colour && c.kind !== "shape") {
        s.color = cssColour(table, c.colour);
    }
    if (c.background) {
        s.background = cssColour(table, c.background);
    }
    box.classList.add(c.kind, "placed");
}

function createControl(table, c) {
    const entryCaption = table.entryCaptionLabels.indexOf(c.name);
    const result = table.results.indexOf(c.name);
    const links = { Command1: table.downloadUrl, Command3: table.productUrl };
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
        el.append(Object.assign(document.createElement("span"),
            { className: "caption", textContent: c.text }));
        break;
    case "image":
        if (c.text) {
            el = box = document.createElement("img");
            el.src = c.text.replace(/^.*\//, "");
            el.alt = c.name === "Image6" ? table.controls.find((d) => d.name === "Label13").text
                : table.logoName;
        } else {
            el = box = document.createElement("div"); // a hover zone
        }
        break;
    case "label":
        if (result >= 0) {
            el = box = document.createElement("output");
            el.setAttribute("aria-live", "off"); // announced once settled instead
            el.dataset.unit = table.units[result];
        } else {
            el = box = document.createElement(entryCaption >= 0 ? "label" : "div");
            if (entryCaption >= 0) {
                el.htmlFor = table.entries[entryCaption];
            }
        }
        el.textContent = c.text;
        break;
    default: // shape; Shape1's outline is painted from the core
        el = box = document.createElement("div");
        el.style.border = `1px solid ${cssColour(table, c.colour)}`;
    }
    el.id = c.name;
    if (c.toolTip) {
        el.title = c.toolTip;
    }
    return { el, box };
}

// Every control the page shows, placed in #onTop. Creation order decides
// stacking within a layer, as in the window; the document order is the
// reading order, and the option buttons of a group go left to right, so
// that the arrow keys move along them as the eye reads them.
function buildControls(table, onPhone) {
    const root = document.getElementById("onTop");
    const left = controlsLeftOut(onPhone);
    const shown = table.controls.filter((c) => !left.has(c.name));
    const elements = new Map(); // control name -> the element carrying its id
    const boxes = new Map(); // control name -> its positioned box
    shown.forEach((c, k) => {
        const { el, box } = createControl(table, c);
        place(table, box, c, (LAYERS[c.kind] ?? 3) * 1000 + k);
        elements.set(c.name, el);
        boxes.set(c.name, box);
    });
    const rank = (c) => {
        const k = READING_ORDER.indexOf(c.name);
        return c.container === "Frame1" ? c.left : k < 0 ? READING_ORDER.length : k;
    };
    const ordered = [...shown].sort((a, b) => rank(a) - rank(b));
    for (const c of ordered) {
        (c.container ? boxes.get(c.container) : root).append(boxes.get(c.name));
    }
    boxes.get("Frame2").after(document.getElementById("quote"));

    const page = document.documentElement.style;
    page.setProperty("--width", `${Math.round(table.clientWidth / table.twipsPerPixel)}px`);
    page.setProperty("--height", `${Math.round(table.clientHeight / table.twipsPerPixel)}px`);
    page.setProperty("--not-a-number", cssColour(table, table.notANumberBackground));
    elements.get("ver").textContent = table.version;

    // As in the window, a screen reader hears a result's exact text and
    // then what it is: its caption and unit, "幕面宽，单位毫米".
    table.results.forEach((name, k) => {
        const result = elements.get(name);
        result.setAttribute("aria-labelledby", result.id);
        result.setAttribute("aria-description", table.descriptions[k]);
        boxes.get(table.captionLabels[k]).classList.add("resultCaption");
    });
    return {
        root, elements,
        fields: table.entries.map((name) => elements.get(name)),
        results: table.results.map((name) => elements.get(name)),
        options: table.options.map((name) => elements.get(name)),
        shape: elements.get("Shape1"),
    };
}

// A caption lower than its line grows evenly about its middle, so that no
// glyph is cut; the others keep their text at the top.
function settleCaptions(root) {
    const labels = [...root.querySelectorAll(".label")];
    for (const box of labels) {
        box.classList.remove("tall");
    }
    const tall = labels.map((box) => box.scrollHeight > box.clientHeight + 1); // one layout
    labels.forEach((box, k) => box.classList.toggle("tall", tall[k]));
}

// The phone layout uses the system's CJK sans and fetches no face. A system
// with none at all (no phone; a stripped desktop in a narrow window) would
// show boxes: two different characters drawn alike tell, and the page's own
// faces then stand in.
function systemLacksCjk() {
    const canvas = Object.assign(document.createElement("canvas"), { width: 24, height: 24 });
    const g = canvas.getContext("2d", { willReadFrequently: true });
    g.font = `20px ${getComputedStyle(document.documentElement).getPropertyValue("--platform")}`;
    const drawn = (character) => {
        g.clearRect(0, 0, 24, 24);
        g.fillText(character, 2, 20);
        return g.getImageData(0, 0, 24, 24).data.join();
    };
    return drawn("幕") === drawn("宽");
}

// ---- the module ----

// The module is asked for once the page's first paint has been presented
// (the title on a phone, the controls on a desktop), so that the first
// paint waits for nothing. A page that is not shown paints nothing: it
// waits a second at most.
function firstPaint() {
    return new Promise((resolve) => {
        const paints = self.PerformanceObserver?.supportedEntryTypes?.includes("paint");
        if (paints && performance.getEntriesByName("first-contentful-paint").length > 0) {
            resolve(); // without waiting for the observer's task
            return;
        }
        if (!paints) {
            nextFrame().then(resolve);
            return;
        }
        const observer = new PerformanceObserver((list) => {
            if (list.getEntriesByName("first-contentful-paint").length > 0) {
                observer.disconnect();
                resolve();
            }
        });
        observer.observe({ type: "paint", buffered: true });
        setTimeout(resolve, 1000);
    });
}

// Compiled while it downloads; from disk, where a page may load scripts
// but fetch nothing, from the script that carries it.
async function moduleSource() {
    if (location.protocol !== "file:") {
        try {
            return await fetch("screencalc.wasm");
        } catch {
            // offline without the service worker: try the script
        }
    }
    await new Promise((resolve, reject) => {
        const script = Object.assign(document.createElement("script"),
            { src: "screencalc-module.js" });
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

// Without WebAssembly (turned off, or a browser's "lockdown" mode) the page
// says so and what to do, and its fields take nothing.
function showModuleMissing(ui, reason) {
    const notice = document.getElementById(reason);
    notice.hidden = false;
    for (const field of ui.fields) {
        field.readOnly = true;
    }
}

// ---- painting what the core holds ----

function paint(app) {
    const { calc, ui, table } = app;
    ui.fields.forEach((field, i) => {
        const text = calc.entryText(i);
        if (field.value !== text) {
            field.value = text;
        }
        const mark = calc.markText(i);
        field.classList.toggle("marked", mark !== "");
        field.title = mark || app.toolTips[i];
        field.setAttribute("aria-invalid", mark ? "true" : "false");
    });
    let changed = false;
    ui.results.forEach((result, k) => {
        const text = calc.resultText(k);
        if (result.textContent !== text) {
            result.textContent = text;
            changed = true;
        }
    });
    const greyed = calc.resultsGreyed();
    ui.root.classList.toggle("greyed", greyed);
    ui.options.forEach((option, k) => {
        option.checked = calc.isSelected(k);
    });
    const outline = calc.outline();
    ui.shape.style.borderWidth = `${outline.width}px`;
    ui.shape.style.borderColor = cssColour(table, outline.colour);
    const computed = !greyed && ui.results.some((r) => r.textContent.trim() !== "0");
    document.getElementById("shareQuote").disabled = !computed;
    if (changed || greyed !== app.greyed) {
        announceLater(app, computed);
    }
    app.greyed = greyed;
    document.dispatchEvent(new Event("calculator-painted")); // the room panel follows
}

// ---- forwarding what the user does ----

// Text put into a field in one go by a paste: the selection replaced, cut
// to the field's length in whole characters, as a text box takes a paste.
function insertText(field, text) {
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

// Several characters committed at once (a soft keyboard's suggestion, an
// input method) go through the typed-character rule one by one, each
// against the text the ones before it left, exactly as if typed.
function typeCharacters(calc, i, field, text) {
    for (const ch of text) {
        const { value, selectionStart: from, selectionEnd: to } = field;
        calc.edited(i, value); // the rule looks at the field's text as it is now
        const fits = value.length - (to - from) + ch.length <= field.maxLength;
        if (fits && calc.typedPasses(i, ch)) {
            field.value = value.slice(0, from) + ch + value.slice(to);
            field.setSelectionRange(from + ch.length, from + ch.length);
        }
    }
}

// The field's text and selection, to go back to before a paste or an input
// method's commit is taken in through the rules.
function fieldState(field) {
    return { value: field.value, from: field.selectionStart, to: field.selectionEnd };
}
function restore(field, state) {
    field.value = state.value;
    field.setSelectionRange(state.from, state.to);
}

function wireField(app, field, i) {
    const edited = () => {
        app.calc.edited(i, field.value);
        paint(app);
    };
    let pasted = null; // what is being pasted, and the field before it
    let composing = null; // the field before an input method's composition
    field.addEventListener("focus", () => {
        if (!app.calc) {
            return;
        }
        app.calc.focused(i);
        paint(app);
        // Tab selects the whole text; the next digit would replace it.
        if (field.selectionStart === 0 && field.selectionEnd === field.value.length) {
            field.setSelectionRange(field.value.length, field.value.length);
        }
    });
    field.addEventListener("keydown", (event) => {
        if (event.key === "Escape" && app.calc) {
            event.preventDefault();
            app.calc.cleared();
            paint(app);
        } else if ((event.ctrlKey || event.metaKey) && !event.altKey &&
                   (event.key.length === 1 || event.key === "Backspace" ||
                    event.key === "Delete")) {
            // Editing shortcuts type nothing into these fields; the context
            // menu is the way to paste.
            event.preventDefault();
        }
    });
    field.addEventListener("beforeinput", (event) => {
        const type = event.inputType;
        if (!app.calc || type.startsWith("history") || type === "insertFromDrop" ||
            type === "deleteByDrag") {
            event.preventDefault();
        } else if (type === "insertText" || type === "insertReplacementText") {
            event.preventDefault();
            typeCharacters(app.calc, i, field,
                event.data ?? event.dataTransfer?.getData("text/plain") ?? "");
            edited();
        }
    });
    // The browser pastes (nothing here cancels a paste); then the field
    // keeps the first line of what came, as the window's field does. A paste
    // made by script has no default action to wait for.
    field.addEventListener("paste", (event) => {
        if (!app.calc) {
            return; // beforeinput keeps the text out
        }
        pasted = { text: event.clipboardData?.getData("text/plain") ?? "", ...fieldState(field) };
        if (!event.isTrusted) {
            field.dispatchEvent(new InputEvent("input", { inputType: "insertFromPaste" }));
        }
    });
    field.addEventListener("compositionstart", () => {
        composing = fieldState(field);
    });
    field.addEventListener("compositionend", (event) => {
        if (composing && app.calc) {
            restore(field, composing);
            typeCharacters(app.calc, i, field, event.data ?? "");
            edited();
        }
        composing = null;
    });
    field.addEventListener("input", (event) => {
        if (!app.calc || event.isComposing || composing) {
            return; // the commit is taken in at compositionend
        }
        if (event.inputType === "insertFromPaste" && pasted) {
            restore(field, pasted);
            insertText(field, app.calc.pastedPart(pasted.text));
            pasted = null;
        }
        edited();
    });
    field.addEventListener("drop", (event) => event.preventDefault());
}

function wireEvents(app) {
    const { ui, table } = app;
    ui.fields.forEach((field, i) => wireField(app, field, i));
    const clear = () => {
        if (app.calc) {
            app.calc.cleared();
            paint(app);
        }
    };
    ui.options.forEach((option, k) => {
        option.addEventListener("change", () => {
            if (app.calc) {
                app.calc.clicked(k);
                paint(app);
            }
        });
    });
    for (const option of ui.options.filter((o) => o.name === "Frame1")) {
        option.addEventListener("keydown", (event) => {
            if (event.key === "Escape") {
                clear();
            }
        });
    }
    ui.elements.get("Command4").addEventListener("click", clear);
    // The buttons light up under the pointer; the zone around each puts it
    // back to the grey it starts with.
    for (let k = 0; k + 1 < table.hoverPairs.length; k += 2) {
        const button = ui.elements.get(table.hoverPairs[k]);
        const zone = ui.elements.get(table.hoverPairs[k + 1]);
        if (!button || !zone) {
            continue; // left out of the page
        }
        button.addEventListener("pointermove", () => {
            button.style.background = cssColour(table, table.buttonLit);
        });
        zone.addEventListener("pointermove", () => {
            button.style.background = cssColour(table, table.buttonRest);
        });
    }
    document.getElementById("shareQuote").addEventListener("click", () => shareQuote(app));
}

// ---- the clock, in the window's format ----

function startClock(app) {
    const clock = app.ui.elements.get("temdate");
    const tick = () => {
        const d = new Date();
        clock.textContent = app.calc.clock(d.getFullYear(), d.getMonth() + 1, d.getDate(),
            d.getHours(), d.getMinutes(), d.getSeconds());
        setTimeout(tick, 1000 - d.getMilliseconds() + 5); // just after the next second starts
    };
    tick();
}

// ---- telling the user: results settled, the quote, a new build ----

// A screen reader hears the results once they have settled, not at every
// keystroke: the quote's lines, read out.
function announceLater(app, computed) {
    clearTimeout(app.announceTimer);
    app.announceTimer = setTimeout(() => {
        const text = computed ? app.calc.quote().replace(/\n/g, "。") : "";
        const region = document.getElementById("announce");
        if (text !== app.announced) {
            region.textContent = text;
            app.announced = text;
        }
    }, 800);
}

// The quote: through the system's share sheet where there is one (a phone),
// copied to the clipboard elsewhere; what happened is said beside it.
async function shareQuote(app) {
    const text = app.calc.quote();
    const status = document.getElementById("quoteStatus");
    const say = (what) => {
        status.textContent = what;
        clearTimeout(app.statusTimer);
        app.statusTimer = setTimeout(() => { status.textContent = ""; }, 4000);
    };
    if (navigator.share && matchMedia("(pointer: coarse)").matches) {
        try {
            await navigator.share({ text });
            return;
        } catch (error) {
            if (error.name === "AbortError") {
                return; // the user closed the share sheet
            }
        }
    }
    try {
        await navigator.clipboard.writeText(text);
        say("报价已复制，可粘贴发送。");
    } catch {
        say("无法复制，请手动选择结果。");
    }
}

// A new build, once its service worker has installed, waits for the user:
// the page says so and reloads on request.
function watchForUpdates() {
    if (!("serviceWorker" in navigator) || !location.protocol.startsWith("http")) {
        return;
    }
    const notice = document.getElementById("updateReady");
    const offer = (worker) => {
        if (!navigator.serviceWorker.controller) {
            return; // the first visit: nothing older is shown
        }
        notice.hidden = false;
        document.getElementById("updateReload").onclick = () => {
            worker.postMessage("activate");
        };
    };
    let reloading = false;
    navigator.serviceWorker.addEventListener("controllerchange", () => {
        if (!notice.hidden && !reloading) {
            reloading = true;
            location.reload();
        }
    });
    navigator.serviceWorker.register("sw.js").then((registration) => {
        const follow = (worker) => {
            worker.addEventListener("statechange", () => {
                if (worker.state === "installed") {
                    offer(worker);
                }
            });
        };
        if (registration.waiting) {
            offer(registration.waiting);
        } else if (registration.installing) {
            follow(registration.installing);
        }
        registration.addEventListener("updatefound", () => follow(registration.installing));
        return registration.update(); // a new build, whatever the host says of sw.js
    }).catch(() => {});
}

// ---- the page ----

// The install manifest and its icon: for the browser, not for the first
// paint, so they are linked (and fetched) once the calculator answers.
function linkInstallFiles() {
    for (const [rel, href] of [["manifest", "manifest.webmanifest"],
        ["apple-touch-icon", "icon-192.png"]]) {
        document.head.append(Object.assign(document.createElement("link"), { rel, href }));
    }
}

// After the next frame has been drawn.
function nextFrame() {
    return new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve, 0)));
}

// The module, once it has arrived, answers the controls.
async function startCalculator(app, source) {
    try {
        app.calc = await Calculator.open(await source);
    } catch {
        showModuleMissing(app.ui, "noModule");
        return;
    }
    if (document.activeElement === app.ui.fields[0]) {
        app.calc.focused(0);
    }
    paint(app);
    startClock(app);
    document.documentElement.dataset.ready = String(performance.now());
}

async function main() {
    const onPhone = matchMedia("(pointer: coarse) and (hover: none)").matches;
    const wasm = typeof WebAssembly === "object";
    if (matchMedia(PHONE).matches) {
        // The page's title is shown first, and the module is on its way
        // while the controls are built and laid out.
        await nextFrame();
    }
    const source = firstPaint().then(() => (wasm ? moduleSource() : null));
    source.catch(() => {}); // reported where it is awaited
    const table = readTable();
    const ui = buildControls(table, onPhone);
    const app = { table, ui, calc: null, toolTips: ui.fields.map((f) => f.title),
        greyed: false, announced: "" };
    wireEvents(app);
    ui.root.hidden = false;
    if (!matchMedia(PHONE).matches) { // the phone's captions wrap as they need
        settleCaptions(ui.root);
        document.fonts.addEventListener("loadingdone", () => settleCaptions(ui.root));
    }
    if (!onPhone) {
        ui.fields[0].focus(); // as the window starts; a phone would open its keyboard
    }
    if (wasm) {
        await startCalculator(app, source);
    } else {
        showModuleMissing(ui, "noWasm");
        await firstPaint();
    }
    // Drawing this test is cheap once the page has drawn with the system's
    // faces; it waits until then, and so does not delay the calculator.
    if (matchMedia(PHONE).matches && systemLacksCjk()) {
        document.documentElement.classList.add("ownFaces");
    }
    if (!app.calc) {
        return;
    }
    // The room panel (room-panel.js) works the same calculator. It lies
    // below the calculator and is built once the calculator has drawn its
    // results, so that a first keystroke is answered without waiting for it.
    await nextFrame();
    if (document.readyState === "loading") {
        await new Promise((resolve) =>
            document.addEventListener("DOMContentLoaded", resolve, { once: true }));
    }
    document.dispatchEvent(new CustomEvent("calculator-ready",
        { detail: { calc: app.calc, table: app.table, paint: () => paint(app) } }));
    linkInstallFiles();
    watchForUpdates();
}

main();
