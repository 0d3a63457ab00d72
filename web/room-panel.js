// The room panel under the calculator: from the viewers' distances and the
// content, the screens the published viewing rules call for (calc/room.h,
// docs/room-sizing.md), for the ratio and frame selected in the calculator.
// Every number comes from the module; choosing a size types its diagonal
// into the calculator.
"use strict";

document.addEventListener("calculator-ready", ({ detail: { calc, paint } }) => {
    const panel = document.getElementById("room");
    const contents = [["电影", "cinema"], ["演示", "presentation"], ["细节（逐像素）", "detail"]];
    const rows = [["roomSmallest", "最小"], ["roomRecommended", "推荐"], ["roomLargest", "最大"]];
    const labels = ["英寸", "幕面宽", "幕面高", "含外框宽", "含外框高"];
    const shownTexts = [2, 0, 1, 3, 4]; // inch1, w, h, w1, h1 of the six labels

    const make = (tag, props = {}, ...children) => {
        const e = Object.assign(document.createElement(tag), props);
        e.append(...children);
        return e;
    };
    const field = (id, caption, hint) => {
        const input = make("input", { id, type: "text", inputMode: "decimal", autocomplete: "off",
            spellcheck: false, placeholder: hint });
        return [make("label", { htmlFor: id, textContent: caption }), input];
    };

    const [farthestLabel, farthest] = field("roomFarthest", "最远观众距离（mm）", "眼睛到银幕");
    const [closestLabel, closest] = field("roomClosest", "最近观众距离（mm）", "可不填：只有一排");
    const [elementLabel, element] = field("roomElement", "最小字符高度（%）", "4");
    const [linesLabel, lines] = field("roomLines", "信号垂直像素", "1080");
    const content = make("select", { id: "roomContent" },
        ...contents.map(([text, value]) => make("option", { value, textContent: text })));
    const message = make("p", { id: "roomMessage", role: "status" });
    const head = make("tr", {}, make("th"), ...labels.map((l) => make("th", { textContent: l })), make("th"));
    const body = make("tbody");
    const table = make("table", { id: "roomSizes" }, make("thead", {}, head), body);

    panel.append(
        make("h2", { textContent: "按观看距离选银幕" }),
        make("div", { className: "fields" }, farthestLabel, farthest, closestLabel, closest,
            make("label", { htmlFor: "roomContent", textContent: "内容" }), content,
            elementLabel, element, linesLabel, lines),
        message, make("div", { className: "sizes" }, table),
        make("p", { className: "note", textContent: "按计算器所选的比例和边框计算；点“选用”即填入计算器的英寸。" +
            "电影：最远观众水平视角至少 30°（SMPTE），推荐 36°，最近观众至多 40°（THX）；" +
            "演示、细节：AVIXA DISCAS 基本决策与分析决策。" }));

    const problems = {
        farthest: "请输入最远观众到银幕的距离（mm）。",
        closest: "最近观众距离不是有效的数字。",
        closestFarther: "最近观众比最远观众还远。",
        element: "最小字符高度须大于 0、不超过 100 %。",
        lines: "信号垂直像素须为 1 到 100000 的整数。",
        fourThreeFrame: "4：3 的尺寸只在 80 边框下计算，请在计算器中选 80。",
        beyondField: "所需对角线超过计算器的 6 位数。",
        calculator: "计算失败。",
    };
    const inches = (v) => v.toFixed(2);

    function update() {
        const which = content.selectedIndex;
        toggle([elementLabel, element], which === 1);
        toggle([linesLabel, lines], which === 2);
        const answer = calc.roomSizes(which, farthest.value, closest.value,
            which === 1 ? element.value : "", which === 2 ? lines.value : "");
        body.replaceChildren();
        table.hidden = !answer.sizes;
        message.textContent = answer.problem === "noWholeInch"
            ? `没有合适的整英寸：最远观众至少需要 ${inches(answer.least)} 英寸，最近观众最多允许 ${inches(answer.most)} 英寸。`
            : problems[answer.problem] ?? "";
        if (!answer.sizes) {
            return;
        }
        answer.sizes.forEach((size, k) => {
            const [id, name] = rows[k];
            const choose = make("button", { type: "button", id, textContent: "选用" });
            choose.dataset.inches = String(size.inches);
            choose.addEventListener("click", () => {
                calc.focused(0); // as a click into the diagonal field: the other entries empty
                calc.edited(0, String(size.inches));
                paint();
            });
            body.append(make("tr", {}, make("th", { textContent: name }),
                ...shownTexts.map((t) => make("td", { textContent: size.texts[t].trim() })),
                make("td", {}, choose)));
        });
    }

    function toggle(elements, shown) {
        for (const e of elements) {
            e.hidden = !shown;
        }
    }

    for (const input of [farthest, closest, element, lines, content]) {
        input.addEventListener("input", update);
    }
    // A ratio or frame click in the calculator changes the sizes.
    document.addEventListener("calculator-painted", update);
    update();
    panel.hidden = false;
});
