#!/usr/bin/env node
// The web page's module against the command-line tool, on random rows: each
// row is computed by the native `screencalc --batch --json` and by the
// module through the calls the page makes for a paste (a fresh start, a
// click on the ratio, a click on the frame, the text pasted, cut to the
// field's length). The six texts must agree to the character, and so must
// the rows that compute nothing.
//
//   node web/tests/module_test.js MODULE.wasm SCREENCALC [ROWS]
// The seed is fixed; SCREENCALC_WEB_SEED=n runs another sequence.
"use strict";

const fs = require("fs");
const path = require("path");
const { spawnSync } = require("child_process");
const Calculator = require(path.join(__dirname, "..", "calculator.js"));

const [modulePath, cliPath, rowsArg] = process.argv.slice(2);
if (!modulePath || !cliPath) {
    console.error("usage: module_test.js MODULE.wasm SCREENCALC [ROWS]");
    process.exit(2);
}
const rowCount = Number(rowsArg || 20000);
let seed = Number(process.env.SCREENCALC_WEB_SEED || 22) >>> 0;

// mulberry32: small, seeded, the same on every machine.
function random() {
    seed = (seed + 0x6d2b79f5) >>> 0;
    let t = seed;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
}
const pick = (list) => list[Math.floor(random() * list.length)];
const digits = (n) => Array.from({ length: n }, () => pick("0123456789")).join("");

// Mostly numbers a person would type, then their edges, then anything a
// paste could bring.
function randomText() {
    const kind = random();
    if (kind < 0.5) {
        const whole = digits(1 + Math.floor(random() * 5)).replace(/^0+(?=\d)/, "");
        return random() < 0.5 ? whole : `${whole}.${digits(1 + Math.floor(random() * 3))}`;
    }
    if (kind < 0.65) {
        return pick(["0", "0.", ".5", "00012", "999999", "999999999", "0.0001", "1e5", "1e308",
            "4.5e-3", "123456789012", "99999.99", "1.", "000000", "0.005", "7.125"]);
    }
    if (kind < 0.9) {
        const alphabet = ["0", "1", "5", "9", ".", ".", " ", "-", "+", "e", "E", ",", "a", "x",
            "０", "５", "٣", "∞", "😀", "宽", "\t", "\"", "'"];
        return Array.from({ length: Math.floor(random() * 12) }, () => pick(alphabet)).join("");
    }
    return pick(["", ".", " ", "..", " 100", "100 ", "1,5", "-1", "+1", "NaN", "inf"]);
}

// What a text box with this limit keeps: UTF-16 units, whole characters.
function cut(text, limit) {
    let kept = "";
    for (const ch of text) {
        if (kept.length + ch.length > limit) {
            break;
        }
        kept += ch;
    }
    return kept;
}

const entries = [["diagonal", 0, 6], ["width", 1, 9], ["height", 2, 9]];
const ratios = [["", 0], ["16:9", 0], ["4:3", 1]];
const frames = [["", 3], ["80", 2], ["12", 3], ["45", 4], ["65", 5], ["90", 6]];
const csv = (field) => `"${field.replace(/"/g, '""')}"`;

(async () => {
    const bytes = fs.readFileSync(modulePath);
    // The page loads it with nothing to import; anything reaching for the
    // host (a print, a clock) would break that.
    const imports = WebAssembly.Module.imports(new WebAssembly.Module(bytes));
    if (imports.length > 0) {
        console.error(`the module imports ${imports.map((i) => `${i.module}.${i.name}`).join(", ")}`);
        process.exit(1);
    }
    const calc = await Calculator.open(bytes);
    // The results' names as the page has them: the control table the build
    // wrote beside the module.
    const table = JSON.parse(fs.readFileSync(path.join(path.dirname(modulePath), "table.json")));
    const resultNames = table.results;

    const rows = [];
    for (let i = 0; i < rowCount; ++i) {
        rows.push({ entry: pick(entries), text: randomText(), ratio: pick(ratios), frame: pick(frames) });
    }
    const input = rows.map((r) => [r.entry[0], csv(r.text), r.ratio[0], r.frame[0]].join(",")).join("\n") + "\n";
    const run = spawnSync(cliPath, ["--batch", "--json"], { input, maxBuffer: 256 << 20 });
    if (run.error) {
        throw run.error;
    }
    const lines = run.stdout.toString("utf8").split("\n").filter((l) => l.length > 0);
    if (lines.length !== rows.length) {
        console.error(`screencalc answered ${lines.length} rows for ${rows.length}`);
        process.exit(1);
    }

    let differences = 0;
    let computed = 0;
    rows.forEach((row, i) => {
        const native = JSON.parse(lines[i]);
        calc.reset();
        calc.clicked(row.ratio[1]);
        calc.clicked(row.frame[1]);
        const pasted = cut(calc.pastedPart(row.text), row.entry[2]);
        calc.edited(row.entry[1], pasted);
        const mark = calc.markText(row.entry[1]);
        const page = resultNames.map((name) => calc.resultText(resultNames.indexOf(name)));
        let same;
        if (native.error === null) {
            ++computed;
            same = mark === "" && !calc.resultsGreyed() &&
                resultNames.every((name, k) => native[name] === page[k]);
        } else {
            // Nothing computed: the field is marked, or held nothing to compute.
            same = mark !== "" || pasted === "" || pasted === ".";
        }
        if (!same) {
            if (++differences <= 10) {
                console.error(`row ${i + 1} ${JSON.stringify(row.text)} (${row.entry[0]}, ${row.ratio[0]}, ${row.frame[0]}):\n` +
                    `  screencalc ${lines[i]}\n  page       ${JSON.stringify({ results: page, mark })}`);
            }
        }
    });
    // A text larger than the module's buffer is an error, never cut short.
    const refused = (() => {
        try {
            calc.pastedPart("1".repeat(70000));
        } catch (e) {
            return e instanceof RangeError;
        }
        return false;
    })();
    if (!refused) {
        console.error("a text larger than the module's buffer was taken");
        ++differences;
    }
    console.log(`${rows.length} rows (${computed} computed): ${differences} differences`);
    process.exit(differences === 0 ? 0 : 1);
})().catch((e) => {
    console.error(e);
    process.exit(1);
});
