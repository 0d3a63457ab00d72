// The command line: options, single calculations and the executable itself.

#include "buildinfo.h"
#include "cli/tests/run.h"

#include <clocale>
#include <fstream>
#include <gtest/gtest.h>

namespace {

// The JSON of one calculation from the six texts, separated by '|'.
std::string json(std::string texts) {
    std::string out = "{";
    for (const char* key : {"w", "h", "inch1", "w1", "h1", "bkw"}) {
        const std::size_t bar = texts.find('|');
        out += std::string(out.size() > 1 ? "," : "") + "\"" + key + "\":\"" +
               texts.substr(0, bar) + "\"";
        texts.erase(0, bar == std::string::npos ? bar : bar + 1);
    }
    return out + "}\n";
}

const std::string help = " (see screencalc --help)\n";
const std::string table84 = "幕面宽:     1871 mm\n幕面高:     1052 mm\n英寸：        85 in\n"
                            "含外框宽：  2001 mm\n含外框高：  1182 mm\n边框宽：      65 mm\n";

// One line a case.
TEST(Screencalc, SingleCalculationGivesTheWindowsTexts) {
    const std::string cut = "only the first 6 characters count: ";
    expectAll({
        {{"--diagonal", "100", "--json"}, 0, json("2214 |1245 |100  |2238 |1269 |12")},
        // The ratio is selected before the frame, as 4:3 counts only under the 80 mm frame.
        {{"--frame", "80", "--diagonal", "100", "--ratio", "4:3", "--json"},
         0,
         json("2032 |1524 |100  |2046 |1538 |7"),
         "--frame 80 has no effect on the frame: 4:3 computes with a 7 mm frame\n"},
        // A given ratio that the results do not show is said, with the reason.
        {{"--ratio", "4:3", "--diagonal", "100", "--json"},
         0,
         json("2214 |1245 |100  |2238 |1269 |12"),
         "--ratio 4:3 has no effect: a diagonal computes 4:3 only with the 80 mm frame\n"},
        {{"--height", "900", "--ratio", "4:3", "--frame", "80", "--json"},
         0,
         json("1600 |900 |72.27 |1760 |1060 |80"),
         "--ratio 4:3 has no effect: a height always computes 16:9\n"},
        {{"--width=1920", "--frame=90", "--json"}, 0, json("1920 |1080 |86.73 |2100 |1260 |90")},
        {{"--diagonal", "84.5", "--frame", "65"}, 0, table84},
        // Cut to the field's length, 6 characters for the diagonal, 9 otherwise, and said so.
        {{"--diagonal", "100000x", "--json"},
         0,
         json("2213802 |1245264 |100000  |2213826 |1245288 |12"),
         "--diagonal: " + cut + "\"100000\"\n"},
        {{"--height", "100000000x", "--json"},
         0,
         json("177777778 |100000000 |8030428.10 |177777802 |100000024 |12"),
         "--height: only the first 9 characters count: \"100000000\"\n"},
    });
}

TEST(Screencalc, BadInputGetsOneLineAndItsStatus) {
    const std::string nan = " is not a number: only digits and one point are accepted\n",
                      unit = " is not a number: units are not written, the diagonal is in inches\n",
                      one = "give only one of --diagonal, --width or --height" + help;
    expectAll({
        {{"--diagonal", "12a"}, 1, "", "--diagonal: \"12a\"" + unit},
        {{"--diagonal", "-5"}, 1, "", "--diagonal: \"-5\"" + nan},
        {{"--diagonal", "100inch"}, 1, "", "--diagonal: \"100inc\" (cut to 6 characters)" + unit},
        {{"--width", "2 m"},
         1,
         "",
         "--width: \"2 m\" is not a number: units are not written, the width is in millimetres\n"},
        {{"--width", ""}, 1, "", "--width: the text is empty\n"},
        {{"--height", ".", "--json"}, 1, "", "--height: \".\" is not a number\n"},
        // Characters, not bytes, are cut; a bad byte counts as one character.
        {{"--diagonal", "12\u20ac456789"},
         1,
         "",
         "--diagonal: \"12\u20ac456\" (cut to 6 characters)" + nan},
        {{"--width", "1\xff"
                     "23456789"},
         1,
         "",
         "--width: \"1\ufffd2345678\" (cut to 9 characters)" + nan},
        // As in the window, a character beyond the basic plane takes two UTF-16 units,
        // and one that only half fits is dropped.
        {{"--diagonal", "1234a\U0001F600"},
         1,
         "",
         "--diagonal: \"1234a\" (cut to 6 UTF-16 units)" + unit},
        // Controls and format characters cannot drive the terminal or hide text.
        {{"--width", "\u009B1\u202E\x01"}, 1, "", "--width: \"\\u009B1\\u202E\\u0001\"" + nan},
        {{"--width", "\uFEFF1"},
         1,
         "",
         "--width: \"\\uFEFF1\" (\\uFEFF is a byte order mark)" + nan},
        {{"--diagonal", "1", "--ratio", "5:4"},
         2,
         "",
         "--ratio: unknown ratio \"5:4\" (use 16:9 or 4:3)\n"},
        {{"--diagonal", "1", "--frame", "13"},
         2,
         "",
         "--frame: unknown frame \"13\" (use 12, 45, 65, 80 or 90)\n"},
        {{"--json"}, 2, "", "give one of --diagonal, --width or --height" + help},
        {{"--diagonal", "1", "--width", "2"}, 2, "", "--width: " + one},
        {{"--diagonal", "1", "--diagonal", "2"}, 2, "", "--diagonal: " + one},
        {{"--frame", "12", "--frame", "12", "--diagonal", "2"},
         2,
         "",
         "--frame is given twice" + help},
        {{"--height"}, 2, "", "--height needs a value" + help},
        {{"--frame", "--diagonal", "100"}, 2, "", "--frame needs a value" + help},
        {{"--depth", "3"}, 2, "", "unknown option \"--depth\"" + help},
        {{"--diagonal", "1", "extra"}, 2, "", "unexpected argument \"extra\"" + help},
        {{"--batch", "--frame", "12"}, 2, "", "--frame cannot be combined with --batch" + help},
        {{"--batch", "/nonexistent/rows.csv"},
         2,
         "",
         "cannot read \"/nonexistent/rows.csv\": No such file or directory\n"},
    });
    // Linux opens a directory and fails to read it, Windows fails to open it.
    const Ran dir = run({"--batch", "."});
    EXPECT_EQ(dir.status, 2);
    EXPECT_EQ(dir.out, "");
    EXPECT_EQ(dir.err.rfind("screencalc: cannot read \".\": ", 0), 0u) << dir.err;
}

TEST(Screencalc, HelpAndVersion) {
    // The version the user sees is major, minor and revision: 3.1.0.1 shows as 3.1.1. A new
    // version changes this line.
    ASSERT_EQ(
        std::vector<int>({screencalc::build::versionMajor, screencalc::build::versionMinor,
                          screencalc::build::versionPatch, screencalc::build::versionRevision}),
        std::vector<int>({3, 1, 0, 1}));
    EXPECT_EQ(run({"--version"}).out, "screencalc 3.1.1\n");
    const Ran help = run({"--diagonal", "x", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: screencalc", 0), 0u);
}

// The executable under C and under a locale whose decimal point is a comma
// (where installed), and on Windows with UTF-16 arguments and file names:
// the same status and the same bytes, LF line ends included.
TEST(Screencalc, TheExecutableShowsTheSameEverywhere) {
    std::vector<std::string> locales = {"C"};
#ifndef _WIN32
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr) {
        locales.push_back("de_DE.UTF-8");
    }
    std::setlocale(LC_ALL, saved.c_str());
#endif
    const std::filesystem::path dir = testFolder();
    std::ofstream(dir / u8"屏幕尺寸.csv", std::ios::binary)
        << "diagonal,84.5,4:3,80\nheight,\"1000,5\"\n";
    const std::string badComma = "height,\"1000,5\",,,,,,,,,\"\"\"1000,5\"\" is not a number: only "
                                 "digits and one point are accepted\",\n";
    const std::vector<Case> cases = {
        {{" --diagonal 84.5 --frame 65"}, 0, table84, ""},
        {{" --height 1000.5 --json"}, 0, json("1779 |1001 |80.34 |1803 |1025 |12"), ""},
        {{" --width 1,5"},
         1,
         "",
         "screencalc: --width: \"1,5\" is not a number: only digits and one point are accepted\n"},
        {{" --diagonal １２３４５６７"},
         1,
         "",
         "screencalc: --diagonal: \"１２３４５６\" (cut to 6 characters) is not a number: only "
         "digits and one point are accepted\n"},
        {{" --batch 屏幕尺寸.csv"},
         1,
         heading + "diagonal,84.5,4:3,80,1717,1288,85,1731,1302,7,,\n" + badComma,
         "screencalc: row 1: frame 80 has no effect on the frame: 4:3 computes with a 7 mm frame\n"
         "screencalc: row 2: \"1000,5\" is not a number: only digits and one point are accepted\n"},
        // CRLF in, LF out.
        {{" --batch"},
         1,
         heading + "width,1000,,,1000,563,45.17,1024,587,12,,\nheight,x,,,,,,,,,\"\"\"x\"\" is not "
                   "a number: only digits and one point are accepted\",\n",
         "screencalc: row 2: \"x\" is not a number: only digits and one point are accepted\n",
         "width,1000\r\nheight,x\n"},
    };
    for (const Case& c : cases) {
        writeInput(dir, c.input);
        for (const std::string& locale : locales) {
            const Ran r = runExecutable(dir, c.args[0], locale);
            EXPECT_EQ(r.status, c.status) << locale << c.args[0];
            EXPECT_EQ(r.out, c.out) << locale << c.args[0];
            EXPECT_EQ(r.err, c.err) << locale << c.args[0];
        }
    }
    std::filesystem::remove_all(dir);
}

struct ExecutableCase {
    std::string args, input;
    int status;
    std::string out, err; // err without "screencalc: "
    std::string redirect = " <in >out 2>err";
};

// The files and command lines people really give the executable.
TEST(Screencalc, TheExecutableTakesTheFilesAndCommandLinesPeopleHave) {
    const std::string d100 = "diagonal,100,,,2214,1245,100,2238,1269,12,,\n",
                      w1000 = "width,1000,,,1000,563,45.17,1024,587,12,,\n";
    const std::string rows = "diagonal,100\r\nwidth,1000\r\n",
                      own = "it is the file the results are written to\n";
    const std::u16string lone =
        u"width,1" + std::u16string(1, char16_t(0xD800)) + u"\ndiagonal,100";
    const ExecutableCase cases[] = {
        // Reading the file the output grows would never end.
        {" --batch in", rows, 2, "", "cannot read \"in\": " + own, " >>in 2>err"},
#ifndef _WIN32 // cmd cannot open one file as both
        {" --batch", rows, 2, "", "cannot read standard input: " + own, " <in >>in 2>err"},
#endif
        {" --batch", utf16(u"diagonal,100\r\nwidth,1000", true), 0, heading + d100 + w1000, ""},
        {" --batch in", utf16(u"# 屏幕\ndiagonal,100\n", false), 0, heading + d100, ""},
        {" --batch", utf16(lone, true), 1,
         heading + ",,,,,,,,,,not UTF-16: a lone surrogate,\n" + d100,
         "row 1: not UTF-16: a lone surrogate\n"},
        {" --batch", utf16(u"diagonal,100\n", true) + "1", 1,
         heading + d100 +
             ",,,,,,,,,,not UTF-16: the input ends in half a character (an odd number of bytes),\n",
         "row 2: not UTF-16: the input ends in half a character (an odd number of bytes)\n"},
        {" --batch", "\"entry\",\"text\",ratio,\"frame\"\ndiagonal,100,16:9,12,\n", 0,
         heading + "diagonal,100,16:9,12,2214,1245,100,2238,1269,12,,\n", ""},
        // A file or a pipe gets the bytes; messages escape them.
        {" --batch", "width,\x1b]2;x\x07\u009B\n", 1,
         heading + "width,\x1b]2;x\x07\u009B,,,,,,,,,\"\"\"\\u001B]2;x\\u0007\\u009B\"\" is not a "
                   "number: only digits and one point are accepted\",\n",
         "row 1: \"\\u001B]2;x\\u0007\\u009B\" is not a number: only digits and one point are "
         "accepted\n"},
        {" --batch -- -rows.csv", "", 2, "",
         "cannot read \"-rows.csv\": No such file or directory\n"},
        {" --batch=in", "", 2, "",
         "--batch takes no value; FILE follows it as an argument of its own (see screencalc "
         "--help)\n"},
        {" --bogus --version", "", 2, "", "unknown option \"--bogus\" (see screencalc --help)\n"},
        {" --version extra", "", 2, "", "unexpected argument \"extra\" (see screencalc --help)\n"},
        {" --frame 13 --help", "", 2, "",
         "--frame: unknown frame \"13\" (use 12, 45, 65, 80 or 90)\n"},
    };
    const std::filesystem::path dir = testFolder();
    for (const ExecutableCase& c : cases) {
        writeInput(dir, c.input);
        const Ran r = runExecutable(dir, c.args, "C", c.redirect);
        EXPECT_EQ(r.status, c.status) << c.args << c.redirect;
        EXPECT_EQ(r.out, c.out) << c.args << c.redirect;
        EXPECT_EQ(r.err, c.err.empty() ? "" : "screencalc: " + c.err) << c.args << c.redirect;
    }
    // --help and --version with valid options answer.
    EXPECT_EQ(runExecutable(dir, " --batch --json --help").status, 0);
    expectResultsRunAgain(dir, "diagonal,100,4:3,80,\nwidth,-1\n=1,2,,\n\"height\",\"1,5\",,12\n"
                               "height,5,,12,x\nwidth,\"1\ndiagonal,1234567\n");
    std::filesystem::remove_all(dir);
}

} // namespace
