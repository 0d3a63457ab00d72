// screencalc --room and batch room rows, through the real executable.

#include "cli/tests/run.h"

#include <gtest/gtest.h>

namespace {

struct RoomCase {
    const char* args;
    int status;
    const char* outHolds; // a piece of standard output
    const char* err;
    const char* input = "";
};

const RoomCase cases[] = {
    // A two-row cinema with risers, refused while the front row was held to 40°.
    {" --room --farthest 4000 --closest 2500", 0,
     "\n英寸：                    97 in       117 in               130 in\n", ""},
    {" --room --farthest 4000 --closest 2500", 0,
     "seated eye height 1200 mm (default); screen's lower edge at eye height (assumed; give "
     "--edge); no ceiling given\n",
     ""},
    // The standards' examples: 10500 mm at 3.5 %, 4775 mm at 1080 lines, both 1500 mm high.
    {" --room --json --farthest=10500 --content presentation --element 3.5", 0,
     "\"smallest\":{\"name\":\"smallest readable\",\"width\":2666.6666666666665,\"height\":1500,",
     ""},
    {" --room --json --farthest 4775 --closest 2598 --content detail", 0,
     "\"closest\":2598,\"element\":2.5,\"elementUnit\":\"%\",\"elementPercent\":2.5,\"lines\":1080,"
     "\"eyeHeight\":1200,\"lowerEdge\":1200,\"lowerEdgeAssumed\":true,",
     ""},
    {" --room --json --farthest 4775 --content detail", 0, "\"farthest\":4775,\"element\":", ""},
    // 4:3 takes the 80 mm frame, the only one with 4:3 sizes.
    {" --room --json --farthest 12192 --content presentation --element 4 --ratio 4:3", 0,
     "\"ratio\":\"4:3\",\"frame\":\"80\",", ""},
    {" --room --json --farthest 4000 --eye 1.1m --edge 900 --ceiling 9ft", 0,
     "\"eyeHeight\":1100,\"lowerEdge\":900,\"lowerEdgeAssumed\":false,\"ceiling\":2743.2,", ""},
    {" --room --farthest 13ft6in", 0, "cinema, farthest seat 4115 mm,", ""},
    {" --room --farthest 4000 --throw 1.36-2.03", 0,
     "\nlens to screen       2920-4359 mm  3523-5258 mm         6262-9348 mm\n", ""},
    {" --room --diagonal 100", 0,
     "\ncinema             1918 mm        4131 mm               3406 mm  at most 60°", ""},
    {" --room --json --diagonal 120.46 --element 3.5", 0,
     "\"presentation\":{\"fits\":true,\"closest\":2598.15", ""},
    // Usage errors: a value that is not one. Exit 2.
    {" --room --farthest 4", 2, "", "screencalc: --farthest: \"4\" mm? give 4000 or 4m\n"},
    {" --room --farthest 0", 2, "", "screencalc: --farthest: \"0\" is not above 0\n"},
    {" --room --farthest -3000", 2, "", "screencalc: --farthest: \"-3000\" is not above 0\n"},
    {" --room --farthest abc", 2, "",
     "screencalc: --farthest: \"abc\" is not a distance (mm, or give m, cm, ft or in)\n"},
    {" --room --farthest 3000 --content presentation --element 0", 2, "",
     "screencalc: --element: \"0\" is not above 0\n"},
    {" --room --farthest 3000 --content presentation --element -2", 2, "",
     "screencalc: --element: \"-2\" is not above 0\n"},
    {" --room --farthest 3000 --lines 720", 2, "",
     "screencalc: --lines: counts only for detail content or an element in mm or pt\n"},
    {" --room --closest 3000", 2, "",
     "screencalc: --farthest: the farthest viewer's distance is needed\n"},
    {" --room --diagonal 100 --farthest 3000", 2, "",
     "screencalc: --farthest: the seats follow from --diagonal; give one or the other\n"},
    {" --room --farthest 3000 --ratio 4:3 --frame 45", 2, "",
     "screencalc: --frame: the calculator gives 4:3 sizes only with the 80 mm frame option (it "
     "shows them with a 7 mm frame)\n"},
    {" --farthest 3000", 2, "", "screencalc: --farthest needs --room (see screencalc --help)\n"},
    {" --room --farthest 3000 --width 100", 2, "",
     "screencalc: --width cannot be combined with --room (see screencalc --help)\n"},
    {" --batch --farthest 3000 in", 2, "",
     "screencalc: --farthest cannot be combined with --batch (see screencalc --help)\n"},
    // A JSON room row carries the whole answer of --room --json.
    {" --batch --json in", 0,
     "\"bkw\":\"12\",\"room\":{\"ratio\":\"16:9\",\"frame\":\"12\",\"content\":\"cinema\","
     "\"farthest\":4000,\"closest\":2500,",
     "screencalc: row 1: smallest readable 97 in (30° wide from the farthest seat (SMPTE EG 18)), "
     "recommended 117 in (36° wide from the farthest seat (THX)), largest comfortable 130 in (at "
     "most 60° wide from the closest seat (cinema front rows; SMPTE quotes 61.8°)); seated eye "
     "height 1200 mm (default); screen's lower edge at eye height (assumed; give --edge); no "
     "ceiling given\n",
     "room,farthest=4000 closest=2500\n"},
    // Rooms without an answer: exit 1, with what would make them work.
    {" --room --farthest 3000 --closest 1000", 1, "",
     "screencalc: --room: no whole-inch diagonal fits: the farthest viewer needs at least 72.62 "
     "in, the closest viewer allows at most 52.16 in; it fits with the closest seat at least "
     "1400 mm away, or the farthest seat at most 2148 mm away\n"},
    {" --room --farthest 3000 --closest 3001", 1, "",
     "screencalc: --closest: the closest viewer (3001 mm) sits farther than the farthest viewer "
     "(3000 mm)\n"},
    {" --room --diagonal 100 --ceiling 2400", 1, "",
     "screencalc: --ceiling: the image (1245 mm high) from a lower edge at 1200 mm passes the "
     "2400 mm ceiling; it fits with a ceiling at least 2446 mm high, or the screen's lower edge "
     "at most 1154 mm high\n"},
    // A room row answers with the recommended diagonal, 36 degrees from 4000 mm: 117 in, and
    // gives the whole range on standard error; an empty frame with 4:3 is the 80 mm one.
    {" --batch in", 1,
     "room,farthest=4000,,,2590,1457,117,2614,1481,12,,\n"
     "room,farthest=4000 closest=1000,,,,,,,,,\""
     "room: no whole-inch diagonal fits: the farthest viewer needs at least 96.83 in, the closest "
     "viewer "
     "allows at most 52.16 in; it fits with the closest seat at least 1860 mm away, or the "
     "farthest seat at most 2148 mm away\",\n"
     "room,lines=720 farthest=3438 content=detail,4:3,,1199,899,59,1213,913,7,,\n"
     "room,diagonal=100 element=3,,,2214,1245,100,2238,1269,12,,\n"
     "room,farthest=1,,,,,,,,,\"farthest: \"\"1\"\" mm? give 1000 or 1m\",\n",
     "screencalc: row 1: smallest readable 97 in (30° wide from the farthest seat (SMPTE EG 18)), "
     "recommended 117 in (36° wide from the farthest seat (THX)), largest comfortable 208 in (at "
     "most 60° wide from the closest seat (cinema front rows; SMPTE quotes 61.8°)); seated eye "
     "height 1200 mm (default); screen's lower edge at eye height (assumed; give --edge); no "
     "ceiling given\n"
     "screencalc: row 2: room: no whole-inch diagonal fits: the farthest viewer needs at least "
     "96.83 in, the closest viewer allows at most 52.16 in; it fits with the closest seat at "
     "least 1860 mm away, or the farthest seat at most 2148 mm away\n"
     "screencalc: row 3: smallest readable 48 in (720 lines, one arc-minute a pixel at the "
     "farthest seat (DISCAS analytical decision making)), recommended 59 in (1.25 x the "
     "smallest: ISO 9241-3's preferred 20' over its least 16' for text), largest comfortable 586 "
     "in (far edge at most 60° off axis from the closest seat (DISCAS analytical decision "
     "making: horizontal limits only)); seated eye height 1200 mm (default); screen's lower edge "
     "at eye height (assumed; give --edge); no ceiling given\n"
     "screencalc: row 4: seats: cinema 1918-4131 mm, presentation 2157-7471 mm, detail 640-3964 "
     "mm\n"
     "screencalc: row 5: farthest: \"1\" mm? give 1000 or 1m\n",
     "room,farthest=4000\nroom,farthest=4000 closest=1000\nroom,lines=720 farthest=3438 "
     "content=detail,4:3,\nroom,diagonal=100 element=3\nroom,farthest=1\n"},
};

TEST(ScreencalcRoom, ThroughTheExecutable) {
    const auto dir = testFolder();
    for (const RoomCase& c : cases) {
        writeInput(dir, c.input);
        const Ran r = runExecutable(dir, c.args);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_NE(r.out.find(c.outHolds), std::string::npos) << c.args << "\n" << r.out;
        EXPECT_EQ(r.err, c.err) << c.args;
    }
    std::filesystem::remove_all(dir);
}

} // namespace
