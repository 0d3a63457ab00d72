// The room panel under the calculator: from the viewers' distances, the
// content and how the screen hangs, the screens the published viewing rules
// call for; or, for a diagonal already chosen, the seats each content
// allows (calc/room.h, docs/room-sizing.md). The ratio and frame are the
// ones selected in the calculator. Every number, every check and every
// default comes from the module; this file only words its answers in the
// page's language. Choosing a size types its diagonal into the calculator.
"use strict";

document.addEventListener("calculator-ready", ({ detail: { calc, table: controlTable, paint } }) => {
    const panel = document.getElementById("room");
    // The result captions as the calculator shows them, without their colons.
    const captions = controlTable.captions.map((c) => c.replace(/[:：]$/, ""));

    const make = (tag, props = {}, ...children) => {
        const e = Object.assign(document.createElement(tag), props);
        e.append(...children);
        return e;
    };

    // The fields in the order the module reads them (web/room.h): its key,
    // the element id, the caption and the hint.
    const fieldRows = [
        ["farthest", "roomFarthest", "最远观众距离", "mm，或 4.2m、13ft 6in"],
        ["closest", "roomClosest", "最近观众距离", "可不填：只有一排"],
        ["content", "roomContent", "内容", ""],
        ["element", "roomElement", "最小字符高度", "画面高的 %，或 mm、pt"],
        ["lines", "roomLines", "信号垂直像素", ""],
        ["eye", "roomEye", "坐姿眼高", ""],
        ["edge", "roomEdge", "银幕下沿离地", "可不填：与眼同高"],
        ["ceiling", "roomCeiling", "天花板高度", "可不填：不检查"],
        ["throw", "roomThrow", "投影机投射比", "可不填：如 1.5 或 1.36-2.03"],
        ["diagonal", "roomDiagonal", "已选对角线（英寸）", "可不填：按座位选银幕"],
    ];
    const contents = [["cinema", "电影"], ["presentation", "演示"], ["detail", "细节（逐像素）"]];
    const fields = {};
    const labels = {};
    const grid = make("div", { className: "fields" });
    for (const [key, id, caption, hint] of fieldRows) {
        const input = key === "content"
            ? make("select", { id }, ...contents.map(([value, text]) =>
                make("option", { value, textContent: text })))
            // Distances, the element and the throw take units and ranges
            // ("4.2m", "20pt", "1.36-2.03"): a phone's number pad has no letters.
            : make("input", { id, type: "text",
                inputMode: key === "lines" || key === "diagonal" ? "decimal" : "text",
                autocomplete: "off", autocapitalize: "off", spellcheck: false, placeholder: hint });
        fields[key] = input;
        labels[key] = make("label", { htmlFor: id, textContent: caption });
        grid.append(labels[key], input);
    }
    const captionOf = (key) => labels[key].textContent;

    const message = make("p", { id: "roomMessage", role: "status" });
    const assumption = make("p", { id: "roomAssumption", className: "note" });
    const head = make("tr");
    const body = make("tbody");
    const table = make("table", { id: "roomSizes" }, make("thead", {}, head), body);
    const seatHead = make("tr", {}, ...["内容", "最近座位", "最远座位", "推荐最远"].map((t) =>
        make("th", { textContent: t })));
    const seatBody = make("tbody");
    const seatTable = make("table", { id: "roomSeats" }, make("thead", {}, seatHead), seatBody);
    const rules = make("ul", { id: "roomRules", className: "rules" });

    panel.append(
        make("h2", { textContent: "按观看距离选银幕" }), grid, message,
        make("div", { className: "sizes" }, table), make("div", { className: "sizes" }, seatTable),
        rules, assumption,
        make("p", { className: "note",
            textContent: "按计算器所选的比例和边框计算；点“选用”即填入计算器的英寸。" }));

    const mm = (v) => `${Math.round(v)} mm`;
    const up = (v) => `${Math.ceil(v)} mm`;
    const down = (v) => `${Math.floor(v)} mm`;
    const number = (v) => String(Math.round(v * 1000) / 1000);

    // Each rule with its source, in the room's figures.
    const ruleText = (rule, a) => ({
        smpte30: "最远座位水平视角至少 30°（SMPTE EG 18）",
        thx36: "最远座位水平视角 36°（THX）",
        frontRow60: "最近座位水平视角至多 60°（影院前排惯例；SMPTE 为 61.8°）",
        bdmElement: `最远座位能看清画面高 ${number(a.elementPercent)} % 的元素（DISCAS 基本决策）`,
        admPixel: `${a.lines} 线，最远座位每像素 1 角分（DISCAS 分析决策）`,
        readingMargin: "最小值 × 1.25（ISO 9241-3：字高宜 20′，至少 16′）",
        bdmLookUp30: "最近座位仰视画面顶至多 30°（DISCAS 基本决策）",
        admHorizontal60: "最近座位看画面远边偏离轴线至多 60°（DISCAS 分析决策）",
        ceiling: `画面顶到天花板（${mm(a.ceiling ?? 0)}）`,
        cappedAtLargest: "取最大值：推荐规则会更大",
    })[rule];

    const remedyText = ({ kind, value }) => ({
        closestAtLeast: `最近座位至少 ${mm(value)}`,
        farthestAtMost: `最远座位至多 ${mm(value)}`,
        elementAtLeast: `最小字符至少为画面高的 ${value} %`,
        linesAtMost: `信号至多 ${value} 线`,
        ceilingAtLeast: `天花板至少 ${mm(value)}`,
        lowerEdgeAtMost: `银幕下沿至多离地 ${mm(value)}`,
    })[kind];

    // The core's problem codes in the page's words, with the field named.
    function problemText(a) {
        const typed = a.field in fields ? fields[a.field].value.trim() : "";
        const words = {
            missing: "请填写。",
            notANumber: `“${typed}”不是有效的数字。`,
            unknownUnit: a.field === "element" ? `“${typed}”的单位请用 %、mm 或 pt。`
                : `“${typed}”的单位请用 mm、cm、m、ft 或 in。`,
            notPositive: a.field === "edge" ? "不能低于地面。" : "须大于 0。",
            metresWithoutUnit: `“${typed}” mm？请填 ${number(Number(typed) * 1000)} 或 ${typed}m。`,
            outOfRange: {
                element: "超过画面高度的 100 %。",
                lines: "须为 1 到 100000 的整数。",
                throw: "投射比须大于 0、至多 20，或如 1.36-2.03 的范围。",
                diagonal: "超过计算器对角线的 6 个字符。",
            }[a.field],
            notForContent: a.field === "lines"
                ? "只用于细节内容，或字高以 mm、pt 给出时。" : "只用于演示内容。",
            notWithDiagonal: "已选对角线时座位由对角线算出，请只填一项。",
            fourThreeFrame: "4：3 的尺寸只在 80 边框下计算，请在计算器中选 80。",
            closestFarther: "比最远观众还远。",
            ceilingTooLow: "画面顶会超出天花板。",
            noWholeInch: a.problem === "noWholeInch" && `没有合适的整英寸：最远观众至少需要 ` +
                `${number2(a.least)} 英寸，${a.largestRule === "ceiling" ? "天花板" : "最近观众"}` +
                `最多允许 ${number2(a.most)} 英寸。`,
            beyondField: "所需对角线超过计算器的 6 位数。",
            calculator: "计算失败。",
        }[a.problem] ?? a.reason;
        const named = a.field in fields && a.problem !== "noWholeInch"
            ? `${captionOf(a.field)}：` : "";
        const remedies = a.remedies.length
            ? ` 可改为：${a.remedies.map(remedyText).join("；或")}。` : "";
        return named + words + remedies;
    }
    const number2 = (v) => v.toFixed(2);

    function assumptionText(a) {
        const eye = `坐姿眼高 ${mm(a.eyeHeight)}${fields.eye.value.trim() ? "" : "（默认）"}`;
        const edge = a.lowerEdgeAssumed
            ? "银幕下沿与眼同高（假定）" : `银幕下沿离地 ${mm(a.lowerEdge)}`;
        const ceiling = a.ceiling === undefined ? "未填天花板高度" : `天花板 ${mm(a.ceiling)}`;
        return `按${eye}、${edge}计算；${ceiling}。`;
    }

    function chooseButton(id, inches) {
        const choose = make("button", { type: "button", id, textContent: "选用" });
        // A screen reader names the size, not three alike buttons.
        choose.setAttribute("aria-label", `选用 ${inches} 英寸`);
        choose.dataset.inches = String(inches);
        choose.addEventListener("click", () => {
            calc.focused(0); // as a click into the diagonal field: the other entries empty
            calc.edited(0, String(inches));
            paint();
        });
        return choose;
    }

    function showHead(withThrow) {
        head.replaceChildren(make("th"), ...captions.map((c) => make("th", { textContent: c })),
            ...(withThrow ? [make("th", { textContent: "镜头到银幕" })] : []), make("th"));
    }

    function sizeRow(id, name, size) {
        const cells = size.texts.map((t) => make("td", { textContent: t.trim() }));
        if (size.throw) {
            const [least, most] = size.throw;
            cells.push(make("td", { textContent: least === most ? mm(least)
                : `${Math.round(least)}-${mm(most)}` }));
        }
        return make("tr", {}, make("th", { textContent: name }), ...cells,
            make("td", {}, chooseButton(id, size.inches)));
    }

    function update() {
        const answer = calc.roomSizes(fieldRows.map(([key]) => fields[key].value));
        toggle("content", answer.used.content);
        toggle("element", answer.used.element);
        toggle("lines", answer.used.lines);
        fields.element.placeholder = `${answer.defaults.element}（%），或 mm、pt`;
        fields.lines.placeholder = String(answer.defaults.lines);
        fields.eye.placeholder = `${answer.defaults.eye}（mm）`;
        body.replaceChildren();
        seatBody.replaceChildren();
        rules.replaceChildren();
        message.textContent = answer.problem ? problemText(answer) : "";
        assumption.textContent = answer.problem ? "" : assumptionText(answer);
        table.hidden = !answer.sizes && !answer.screen;
        seatTable.hidden = !answer.seating;
        if (answer.sizes) {
            showHead(!!answer.sizes[0].throw);
            const names = [["roomSmallest", "最小可读"], ["roomRecommended", "推荐"],
                ["roomLargest", "最大舒适"]];
            answer.sizes.forEach((size, k) => {
                const [id, name] = names[k];
                body.append(sizeRow(id, name, size));
                rules.append(make("li",
                    { textContent: `${name}：${ruleText(size.rule, answer)}` }));
            });
        }
        if (answer.screen) {
            showHead(!!answer.screen.throw);
            body.append(sizeRow("roomScreen", "该银幕", answer.screen));
            for (const seat of answer.seating) {
                const name = contents.find(([value]) => value === seat.content)[1];
                seatBody.append(make("tr", {}, make("th", { textContent: name }),
                    ...(seat.fits ? [up(seat.closest), down(seat.farthest),
                        down(seat.recommended)] : ["无合适座位", "", ""])
                        .map((t) => make("td", { textContent: t }))));
                const ruled = (rule) => ruleText(rule, answer);
                rules.append(make("li", { textContent: `${name}：${ruled(seat.closestRule)}；` +
                    `${ruled(seat.farthestRule)}；推荐：${ruled(seat.recommendedRule)}` }));
            }
        }
    }

    function toggle(key, shown) {
        labels[key].hidden = !shown;
        fields[key].hidden = !shown;
    }

    for (const input of Object.values(fields)) {
        input.addEventListener("input", update);
    }
    // A ratio or frame click in the calculator changes the sizes; a digit
    // typed into it does not, and the panel is not rebuilt for it.
    const selection = () => controlTable.options.map((_, k) => calc.isSelected(k)).join();
    let shownFor = selection();
    document.addEventListener("calculator-painted", () => {
        if (selection() !== shownFor) {
            shownFor = selection();
            update();
        }
    });
    update();
    panel.hidden = false;
    document.documentElement.dataset.roomReady = "";
});
