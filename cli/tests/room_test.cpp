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

const std::string gap = "no whole-inch diagonal fits: the farthest viewer needs at least ";

const RoomCase cases[] = {
    {" --room --farthest 4000 --closest 3500", 0,
     "\n英寸：           97 in       115 in   115 in\n", ""},
    // The standards' examples: 10500 mm at 3.5 %, 4775 mm at 1080 lines, both 1500 mm high.
    {" --room --json --farthest=10500 --content presentation --element 3.5", 0,
     "\"smallest\":{\"width\":2666.6666666666665,\"height\":1500,", ""},
    {" --room --json --farthest 4775 --content detail", 0,
     "\"recommended\":{\"width\":2666.6666666666665,\"height\":1500,\"diagonal\":120.4564288102744,"
     "\"screen\":{\"w\":\"2679 \",\"h\":\"1507 \",\"inch1\":\"121  \"",
     ""},
    // 4:3 takes the 80 mm frame, the only one with 4:3 sizes.
    {" --room --json --farthest 12192 --content presentation --ratio 4:3", 0,
     "\"frame\":\"80\",\"smallest\":{\"width\":2032,\"height\":1524,\"diagonal\":100,\"screen\":{"
     "\"w\":\"2032 \",\"h\":\"1524 \",\"inch1\":\"100  \",\"w1\":\"2046 \",\"h1\":\"1538 "
     "\",\"bkw\":\"7\"}}",
     ""},
    {" --room --farthest 3000 --closest 2000", 1, "",
     "screencalc: --room: no whole-inch diagonal fits: the farthest viewer needs at least 72.62 "
     "in, the closest viewer allows at most 65.76 in\n"},
    {" --room --farthest 3000 --ratio 4:3 --frame 45", 1, "",
     "screencalc: --room: the calculator gives 4:3 sizes only with the 80 mm frame option (it "
     "shows them with a 7 mm frame)\n"},
    {" --room --farthest 3m", 2, "", "screencalc: --farthest: \"3m\" is not a number\n"},
    {" --room --farthest 3000 --lines 720", 2, "",
     "screencalc: --lines: counts only for detail content\n"},
    {" --room --closest 3000", 2, "",
     "screencalc: --farthest: the farthest viewer's distance in mm is needed\n"},
    {" --farthest 3000", 2, "", "screencalc: --farthest needs --room (see screencalc --help)\n"},
    {" --room --farthest 3000 --diagonal 100", 2, "",
     "screencalc: --diagonal cannot be combined with --room (see screencalc --help)\n"},
    {" --batch --farthest 3000 in", 2, "",
     "screencalc: --farthest cannot be combined with --batch (see screencalc --help)\n"},
    // A room row answers with the recommended diagonal, 36 degrees from 4000 mm: 117 in.
    {" --batch in", 1,
     "room,farthest=4000,,,2590,1457,117,2614,1481,12,,\n"
     "room,farthest=4000 closest=2947,,,,,,,,,\""
     "no whole-inch diagonal fits: the farthest viewer needs at least 96.83 in, the closest viewer "
     "allows at most 96.90 in\",\n"
     "room,lines=720 farthest=3438 content=detail,4:3,80,975,732,48,989,746,7,,\n"
     "room,farthest=1 farthest=2,,,,,,,,,\"given twice: \"\"farthest=2\"\" (use farthest=MM "
     "closest=MM content=cinema|presentation|detail element=PCT lines=N)\",\n",
     "screencalc: row 2: no whole-inch diagonal fits: the farthest viewer needs at least 96.83 in, "
     "the closest viewer allows at most 96.90 in\n"
     "screencalc: row 4: given twice: \"farthest=2\" (use farthest=MM closest=MM "
     "content=cinema|presentation|detail element=PCT lines=N)\n",
     "room,farthest=4000\nroom,farthest=4000 closest=2947\nroom,lines=720 farthest=3438 "
     "content=detail,4:3,80\nroom,farthest=1 farthest=2\n"},
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
