#!/usr/bin/python3
"""The page's room panel in a real headless Chromium, against screencalc.

    /usr/bin/python3 web/tests/room_panel_test.py SITE_DIR SCREENCALC

Fills the panel's fields as typed text, selects the calculator's ratio and
frame, and compares every size the panel shows with `screencalc --room
--json` for the same texts: on fixed rows (the standards' examples, the
rooms of the trade, each refusal) and on seeded random rooms. A room the
command refuses must be refused on the page too, naming the same field.
Screenshots: tools/page-screenshots.py. Prints "N passed, N failed"; exits 1 on any failure.
"""

import json
import os
import pathlib
import random
import subprocess
import sys

from selenium.webdriver.common.by import By

from browser import Server, Tally, browser, load

SITE = pathlib.Path(sys.argv[1]).resolve()
SCREENCALC = sys.argv[2]
RANDOM_ROOMS = int(os.environ.get("SCREENCALC_ROOM_ROOMS", "40"))
RESULTS = ["w", "h", "inch1", "w1", "h1", "bkw"]
# The panel's fields by the option screencalc knows them by.
FIELDS = {"farthest": "roomFarthest", "closest": "roomClosest", "content": "roomContent",
          "element": "roomElement", "lines": "roomLines", "eye": "roomEye", "edge": "roomEdge",
          "ceiling": "roomCeiling", "throw": "roomThrow", "diagonal": "roomDiagonal"}
# The calculator's buttons for the ratios and frames screencalc names.
RATIOS = {"16:9": "opt169", "4:3": "opt43"}
FRAMES = {"80": "Option1", "12": "Option2", "45": "Option3", "65": "Option4", "90": "Option5"}
tally = Tally()
check = tally.check


def fill(d, room, ratio="16:9", frame="12"):
    """Selects the ratio and frame, then types each field's text (empty: not given)."""
    d.find_element(By.ID, RATIOS[ratio]).click()
    d.find_element(By.ID, FRAMES[frame]).click()
    d.execute_script("""
        for (const [id, text] of Object.entries(arguments[0])) {
            const e = document.getElementById(id);
            e.value = text;
            e.dispatchEvent(new Event('input', {bubbles: true}));
        }""", {FIELDS[k]: room.get(k, "cinema" if k == "content" else "") for k in FIELDS})


def panel(d):
    return d.execute_script("""
        const rows = (id) => [...document.querySelectorAll(`#${id} tbody tr`)].map((tr) =>
            [...tr.querySelectorAll('td')].map((td) => td.textContent));
        return {message: document.getElementById('roomMessage').textContent,
                sizes: document.getElementById('roomSizes').hidden ? [] : rows('roomSizes'),
                seats: document.getElementById('roomSeats').hidden ? [] : rows('roomSeats'),
                rules: document.querySelectorAll('#roomRules li').length,
                assumption: document.getElementById('roomAssumption').textContent,
                head: [...document.querySelectorAll('#roomSizes thead th')]
                    .map((th) => th.textContent),
                captions: Object.fromEntries([...document.querySelectorAll('#room label')]
                    .map((l) => [l.htmlFor, l.textContent]))};""")


def native(room, ratio="16:9", frame="12"):
    args = [SCREENCALC, "--room", "--json", "--ratio", ratio, "--frame", frame]
    for key, text in room.items():
        args.append(f"--{key}={text}")
    run = subprocess.run(args, capture_output=True, text=True)
    return run.returncode, json.loads(run.stdout) if run.returncode == 0 else None, run.stderr


def mm_down(v):
    return f"{int(v // 1)} mm"


def mm_up(v):
    return f"{-int(-v // 1)} mm"


def expected_sizes(answer):
    """The panel's rows: the six texts as shown, then the lens distances."""
    if "seating" in answer:
        shown = [answer]
    else:
        shown = [answer[k] for k in ("smallest", "recommended", "largest")]
    rows = []
    for size in shown:
        row = [size["screen"][r].strip() for r in RESULTS]
        if "throwDistance" in size:
            least, most = size["throwDistance"]
            row.append(f"{round(least)} mm" if least == most
                       else f"{round(least)}-{round(most)} mm")
        rows.append(row + [""])
    return rows


def expected_seats(answer):
    rows = []
    for content in ("cinema", "presentation", "detail"):
        seat = answer["seating"][content]
        rows.append([mm_up(seat["closest"]), mm_down(seat["farthest"]),
                     mm_down(seat["recommended"])]
                    if seat["fits"] else ["无合适座位", "", ""])
    return rows


def compare(d, name, room, ratio="16:9", frame="12"):
    fill(d, room, ratio, frame)
    got = panel(d)
    status, answer, error = native(room, ratio, frame)
    if status == 0:
        check(f"{name}: sizes", [[c for c in r if c != "选用"] for r in got["sizes"]],
              [r[:-1] for r in expected_sizes(answer)])
        check(f"{name}: answered without a message", got["message"], "")
        check(f"{name}: assumption stated", got["assumption"].startswith("按坐姿眼高"), True)
        if "seating" in answer:
            check(f"{name}: seats", got["seats"], expected_seats(answer))
        check(f"{name}: a rule for every row", got["rules"], 3)
        return
    # Refused by screencalc: refused on the page, naming the same field.
    field = error.split(": ")[1].removeprefix("--")
    check(f"{name}: refused", [got["sizes"], got["seats"], got["message"] != ""], [[], [], True])
    want = ({"room": "没有合适的整英寸", "frame": "4：3"}.get(field)
            or got["captions"][FIELDS[field]])
    check(f"{name}: names {field}", got["message"].startswith(want), True)


FIXED = [
    ("twoRowCinema", {"farthest": "4000", "closest": "2500"}),
    ("cinemaRisers", {"farthest": "5075", "closest": "3394"}),
    ("discasBasic", {"farthest": "10500", "content": "presentation", "element": "3.5"}),
    ("discasAnalyticalCloseRow", {"farthest": "4775", "closest": "2598", "content": "detail"}),
    ("meetingRoomDefaults", {"farthest": "6m", "closest": "2.5m", "content": "presentation"}),
    ("elementInPoints", {"farthest": "6000", "content": "presentation", "element": "20pt",
                         "lines": "1080"}),
    ("mountedUnderACeiling", {"farthest": "20ft", "content": "presentation", "edge": "900",
                              "ceiling": "2.7m", "eye": "1150"}),
    ("projector", {"farthest": "4000", "throw": "1.36-2.03"}),
    ("seatsOfADiagonal", {"diagonal": "100", "element": "3"}),
    ("seatsWithAProjector", {"diagonal": "120", "throw": "1.5"}),
    ("tooCloseFrontRow", {"farthest": "3000", "closest": "1000"}),
    ("metresWithoutUnit", {"farthest": "4"}),
    ("zero", {"farthest": "0"}),
    ("negative", {"farthest": "-3000"}),
    ("letters", {"farthest": "abc"}),
    ("exponent", {"farthest": "1e4"}),
    ("elementZero", {"farthest": "4000", "content": "presentation", "element": "0"}),
    ("closestFarther", {"farthest": "3000", "closest": "3001"}),
    ("ceilingCutsTheDiagonal", {"diagonal": "100", "ceiling": "2400"}),
    ("seatsAndDiagonal", {"diagonal": "100", "farthest": "3000"}),
]

# Distinct reasons for distinct faults, in the field's words.
REFUSALS = [
    ("zeroIsNotAbove0", {"farthest": "0"}, "最远观众距离：须大于 0。"),
    ("lettersAreNoNumber", {"farthest": "abc"}, "最远观众距离：“abc”不是有效的数字。"),
    ("metresHint", {"farthest": "4"}, "最远观众距离：“4” mm？请填 4000 或 4m。"),
    ("exponentIsNoUnit", {"farthest": "1e4"},
     "最远观众距离：“1e4”的单位请用 mm、cm、m、ft 或 in。"),
    ("emptyFarthest", {"closest": "3000"}, "最远观众距离：请填写。"),
    ("remedies", {"farthest": "3000", "closest": "1000"},
     "没有合适的整英寸：最远观众至少需要 72.62 英寸，最近观众最多允许 52.16 英寸。 "
     "可改为：最近座位至少 1400 mm；或最远座位至多 2148 mm。"),
]


def random_room(rng):
    def distance(mm):
        return rng.choice([str(round(mm)), f"{mm / 1000:.2f}m", f"{mm / 10:.0f}cm"])

    content = rng.choice(["cinema", "presentation", "detail"])
    farthest = rng.uniform(1500, 15000)
    room = {"content": content, "farthest": distance(farthest)}
    if rng.random() < 0.6:
        room["closest"] = distance(farthest * rng.uniform(0.3, 1.0))
    if content == "presentation" and rng.random() < 0.7:
        unit = rng.choice(["", "%", "pt", "mm"])
        room["element"] = {"": f"{rng.uniform(1, 5):.1f}", "%": f"{rng.uniform(1, 5):.1f}%",
                           "pt": f"{rng.randint(10, 40)}pt",
                           "mm": f"{rng.uniform(3, 12):.1f}mm"}[unit]
        if unit in ("pt", "mm"):
            room["lines"] = rng.choice(["720", "1080", "2160"])
    if content == "detail" and rng.random() < 0.7:
        room["lines"] = rng.choice(["480", "720", "1080", "1200", "2160"])
    if rng.random() < 0.3:
        room["edge"] = str(rng.randint(600, 1600))
    if rng.random() < 0.3:
        room["ceiling"] = str(rng.randint(2300, 4000))
    if rng.random() < 0.3:
        room["throw"] = rng.choice(["1.5", "1.36-2.03", "0.8", "2.1:1"])
    return room


def main():
    try:
        run()
    except Exception as e:  # a step that cannot run is a failure, not a crash
        tally.fail(repr(e))
    tally.finish()


def run():
    server = Server(SITE)
    url = server.url
    d = browser(1000, 900)
    try:
        load(d, url)
        for name, room in FIXED:
            compare(d, name, room)
        compare(d, "fourThreeWithTwelve", {"farthest": "4000"}, "4:3", "12")
        compare(d, "fourThreeWithEighty", {"farthest": "4000"}, "4:3", "80")
        for name, room, want in REFUSALS:
            fill(d, room)
            check(f"refusal {name}", panel(d)["message"], want)
        rng = random.Random(int(os.environ.get("SCREENCALC_ROOM_SEED", "28")))
        for n in range(RANDOM_ROOMS):
            room = random_room(rng)
            ratio, frame = rng.choice([("16:9", "12"), ("16:9", "45"), ("16:9", "90"),
                                       ("4:3", "80"), ("16:9", "65")])
            compare(d, f"random {n} {room} {ratio} {frame}", room, ratio, frame)

        # Only the fields the room takes are shown: the lines of a presentation
        # only once its element is in pt or mm.
        shown = ("return ['roomContent', 'roomElement', 'roomLines']"
                 ".map((id) => !document.getElementById(id).hidden)")
        for name, room, want in (("cinema", {"farthest": "4000"}, [True, False, False]),
                                 ("percent", {"farthest": "4000", "content": "presentation"},
                                  [True, True, False]),
                                 ("points", {"farthest": "4000", "content": "presentation",
                                             "element": "20pt"}, [True, True, True]),
                                 ("detail", {"farthest": "4000", "content": "detail"},
                                  [True, False, True]),
                                 ("diagonal", {"diagonal": "100"}, [False, True, True])):
            fill(d, room)
            check(f"fields shown: {name}", d.execute_script(shown), want)
        # Units need letters: only the pure numbers get a phone's number pad.
        check("keyboards", d.execute_script(
            "return ['roomFarthest', 'roomElement', 'roomThrow', 'roomLines', 'roomDiagonal']"
            ".map((id) => document.getElementById(id).inputMode)"),
            ["text", "text", "text", "decimal", "decimal"])
        # The head names the six results by the calculator's own captions.
        fill(d, {"farthest": "4000"})
        check("head: the calculator's captions", panel(d)["head"][1:7],
              ["幕面宽", "幕面高", "英寸", "含外框宽", "含外框高", "边框宽"])
        # Choosing a size types its diagonal into the calculator.
        fill(d, {"farthest": "4000", "closest": "2500"})
        check("choose buttons named by their size",
              [d.find_element(By.ID, b).accessible_name
               for b in ("roomSmallest", "roomRecommended", "roomLargest")],
              ["选用 97 英寸", "选用 117 英寸", "选用 130 英寸"])
        d.execute_script("document.getElementById('roomRecommended').click()")
        check("choosing fills the diagonal",
              d.execute_script("return document.getElementById('inch').value"), "117")
        check("no script errors", [e["message"] for e in d.get_log("browser")
                                   if e["level"] == "SEVERE"], [])
    finally:
        d.quit()
    d = browser(360, 740, phone=True)
    try:
        load(d, url)
        fill(d, {"farthest": "6m", "closest": "2.5m", "content": "presentation"})
        check("360 px: no sideways scroll of the page",
              d.execute_script("return document.documentElement.scrollWidth <= innerWidth"), True)
    finally:
        d.quit()
    server.stop()


if __name__ == "__main__":
    main()
