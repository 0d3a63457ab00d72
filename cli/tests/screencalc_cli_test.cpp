// screencalc through its entry function, and a few runs of the executable
// itself for what only a process shows (exit status, the real locale).

#include "screencalc_cli.h"

#include <clocale>
#include <cstdio>
#include <gtest/gtest.h>
#include <locale>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

struct Ran {
    int status;
    std::string out;
    std::string err;
};

Ran run(const std::vector<std::string>& args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = screencalc::runScreencalc(args, in, out, err);
    return {status, out.str(), err.str()};
}

std::string json(const char* w, const char* h, const char* inch1, const char* w1, const char* h1,
                 const char* bkw) {
    return std::string("{\"w\":\"") + w + "\",\"h\":\"" + h + "\",\"inch1\":\"" + inch1 +
           "\",\"w1\":\"" + w1 + "\",\"h1\":\"" + h1 + "\",\"bkw\":\"" + bkw + "\"}\n";
}

struct Single {
    std::vector<std::string> args;
    std::string out;
};

TEST(Screencalc, SingleCalculationGivesTheWindowsTexts) {
    const std::vector<Single> cases = {
        {{"--diagonal", "100", "--json"}, json("2214 ", "1245 ", "100  ", "2238 ", "1269 ", "12")},
        // 4:3 counts only under the 80 mm frame, and then with the 7 mm frame.
        {{"--diagonal", "100", "--ratio", "4:3", "--frame", "80", "--json"},
         json("2032 ", "1524 ", "100  ", "2046 ", "1538 ", "7")},
        {{"--ratio", "4:3", "--frame", "45", "--diagonal", "100", "--json"},
         json("2214 ", "1245 ", "100  ", "2304 ", "1335 ", "45")},
        {{"--width", "1000", "--frame", "80", "--json"},
         json("1000 ", "563 ", "45.17", "1160 ", "723 ", "80")},
        {{"--width=1920", "--frame=90", "--json"},
         json("1920 ", "1080 ", "86.73 ", "2100 ", "1260 ", "90")},
        {{"--height", "900", "--frame", "80", "--json"},
         json("1600 ", "900 ", "72.27 ", "1760 ", "1060 ", "80")},
        {{"--height", "1000", "--json"}, json("1778 ", "1000 ", "80.30 ", "1802 ", "1024 ", "12")},
        // Cut to the field's length: 6 characters for the diagonal, 9 otherwise.
        {{"--diagonal", "100000x", "--json"},
         json("2213802 ", "1245264 ", "100000  ", "2213826 ", "1245288 ", "12")},
        {{"--width", "100000000x", "--json"},
         json("100000000 ", "56250000 ", "4517115.80 ", "100000024 ", "56250024 ", "12")},
        {{"--diagonal", "84.5", "--frame", "65"},
         "幕面宽:     1871 mm\n"
         "幕面高:     1052 mm\n"
         "英寸：        85 in\n"
         "含外框宽：  2001 mm\n"
         "含外框高：  1182 mm\n"
         "边框宽：      65 mm\n"},
    };
    for (const Single& c : cases) {
        const Ran r = run(c.args);
        EXPECT_EQ(r.status, 0) << c.args[1];
        EXPECT_EQ(r.out, c.out) << c.args[1];
        EXPECT_EQ(r.err, "") << c.args[1];
    }
}

struct Failure {
    std::vector<std::string> args;
    int status;
    std::string err;
};

TEST(Screencalc, BadInputGetsOneLineAndItsStatus) {
    const std::string help = " (see screencalc --help)\n";
    const std::vector<Failure> cases = {
        {{"--diagonal", "12a"}, 1, "--diagonal: \"12a\" is not a number\n"},
        {{"--width", ""}, 1, "--width: the text is empty\n"},
        {{"--height", ".", "--json"}, 1, "--height: \".\" is not a number\n"},
        // Characters, not bytes, are cut; a bad byte counts as one character.
        {{"--diagonal", "12\u20ac456789"},
         1,
         "--diagonal: \"12\u20ac456\" (cut to 6 characters) is not a number\n"},
        {{"--width", "1\xff"
                     "23456789"},
         1,
         "--width: \"1\ufffd2345678\" (cut to 9 characters) is not a number\n"},
        // As in the window, a character beyond the basic plane takes two
        // places, and one that only half fits is dropped.
        {{"--diagonal", "1234a\U0001F600"},
         1,
         "--diagonal: \"1234a\" (cut to 6 characters) is not a number\n"},
        {{"--diagonal", "1", "--ratio", "5:4"},
         2,
         "--ratio: unknown ratio \"5:4\" (use 16:9 or 4:3)\n"},
        {{"--diagonal", "1", "--frame", "13"},
         2,
         "--frame: unknown frame \"13\" (use 12, 45, 65, 80 or 90)\n"},
        {{"--json"}, 2, "give one of --diagonal, --width or --height" + help},
        {{"--diagonal", "1", "--width", "2"},
         2,
         "--width: give only one of --diagonal, --width or --height" + help},
        {{"--diagonal", "1", "--diagonal", "2"},
         2,
         "--diagonal: give only one of --diagonal, --width or --height" + help},
        {{"--height"}, 2, "--height needs a value" + help},
        {{"--depth", "3"}, 2, "unknown option \"--depth\"" + help},
        {{"--diagonal", "1", "extra"}, 2, "unexpected argument \"extra\"" + help},
        {{"--batch", "--frame", "12"}, 2, "--frame cannot be combined with --batch" + help},
        {{"--batch", "/nonexistent/rows.csv"},
         2,
         "cannot open \"/nonexistent/rows.csv\": No such file or directory\n"},
    };
    for (const Failure& c : cases) {
        const Ran r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.err;
        EXPECT_EQ(r.err, "screencalc: " + c.err);
        EXPECT_EQ(r.out, "") << c.err;
    }
}

TEST(Screencalc, BatchComputesEveryRowAndNamesTheBadOnes) {
    const std::string input = "# price list\n"
                              "diagonal,100\n"
                              "\n"
                              "width,1000,,80\n"
                              "height,\"900\",16:9,80\n"
                              "diagonal,84.5,4:3,65\n"
                              "diagonal,12a\n"
                              "depth,3\n"
                              "diagonal,100,5:4\n"
                              "\"diagonal,100\n"
                              "width,\"1,5\"\n"
                              "height,5,,12,x\n"
                              "  # indented comment\n";
    const Ran r = run({"--batch"}, input);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "entry,text,ratio,frame,w,h,inch1,w1,h1,bkw,error\n"
                     "diagonal,100,,,2214,1245,100,2238,1269,12,\n"
                     "width,1000,,80,1000,563,45.17,1160,723,80,\n"
                     "height,900,16:9,80,1600,900,72.27,1760,1060,80,\n"
                     "diagonal,84.5,4:3,65,1871,1052,85,2001,1182,65,\n"
                     "diagonal,12a,,,,,,,,,\"\"\"12a\"\" is not a number\"\n"
                     "depth,3,,,,,,,,,\"unknown entry \"\"depth\"\" (use diagonal, width or "
                     "height)\"\n"
                     "diagonal,100,5:4,,,,,,,,\"unknown ratio \"\"5:4\"\" (use 16:9 or 4:3)\"\n"
                     ",,,,,,,,,,a quoted field has no closing quote\n"
                     "width,\"1,5\",,,,,,,,,\"\"\"1,5\"\" is not a number\"\n"
                     "height,5,,12,,,,,,,\"too many fields (expected entry,text,ratio,frame)\"\n");
    EXPECT_EQ(r.err, "screencalc: row 7: \"12a\" is not a number\n"
                     "screencalc: row 8: unknown entry \"depth\" (use diagonal, width or height)\n"
                     "screencalc: row 9: unknown ratio \"5:4\" (use 16:9 or 4:3)\n"
                     "screencalc: row 10: a quoted field has no closing quote\n"
                     "screencalc: row 11: \"1,5\" is not a number\n"
                     "screencalc: row 12: too many fields (expected entry,text,ratio,frame)\n");
}

TEST(Screencalc, BatchJsonEscapesWhateverTheRowsHold) {
    // A spreadsheet's export: byte order mark, heading, CRLF line ends.
    const std::string input = "\xEF\xBB\xBF"
                              "entry,text,ratio,frame\r\n"
                              "diagonal,100\r\n"
                              "width,\"a\"\"b\\\t\x01\xc3\"\r\n";
    const Ran r = run({"--batch", "--json"}, input);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "{\"entry\":\"diagonal\",\"text\":\"100\",\"ratio\":\"\",\"frame\":\"\","
                     "\"w\":\"2214 \",\"h\":\"1245 \",\"inch1\":\"100  \",\"w1\":\"2238 \","
                     "\"h1\":\"1269 \",\"bkw\":\"12\",\"error\":null}\n"
                     "{\"entry\":\"width\",\"text\":\"a\\\"b\\\\\\t\\u0001\ufffd\",\"ratio\":\"\","
                     "\"frame\":\"\",\"w\":null,\"h\":null,\"inch1\":null,\"w1\":null,"
                     "\"h1\":null,\"bkw\":null,"
                     "\"error\":\"\\\"a\\\\\\\"b\\\\\\\\\\\\t\\\\u0001\ufffd\\\" is not a "
                     "number\"}\n");
    EXPECT_EQ(r.err, "screencalc: row 3: \"a\\\"b\\\\\\t\\u0001\ufffd\" is not a number\n");
    EXPECT_EQ(run({"--batch"}, "diagonal,100\nheight,900,,80\n").status, 0);
}

TEST(Screencalc, HelpAndVersion) {
    // The shown version is major.minor.revision of the four-part project version.
    std::vector<std::string> parts(1);
    for (const char c : std::string(PROJECT_VERSION_FULL)) {
        if (c == '.') {
            parts.emplace_back();
        } else {
            parts.back().push_back(c);
        }
    }
    ASSERT_EQ(parts.size(), 4u);
    const std::string shown = parts[0] + "." + parts[1] + "." + parts[3];
    EXPECT_EQ(run({"--version"}).out, "screencalc " + shown + "\n");
    const Ran help = run({"--diagonal", "x", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: screencalc", 0), 0u);
}

TEST(Screencalc, CommaLocaleChangesNothing) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    }
    std::locale::global(std::locale("de_DE.UTF-8"));
    const Ran single = run({"--height", "1000.5", "--json"});
    const Ran batch = run({"--batch"}, "width,1000\n");
    std::locale::global(std::locale::classic());
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(single.out, json("1779 ", "1001 ", "80.34 ", "1803 ", "1025 ", "12"));
    EXPECT_EQ(batch.out, "entry,text,ratio,frame,w,h,inch1,w1,h1,bkw,error\n"
                         "width,1000,,,1000,563,45.17,1024,587,12,\n");
}

struct ProcessRun {
    std::string command; // after the executable's path
    int status;
    std::string out;
};

TEST(Screencalc, TheExecutable) {
    const std::vector<ProcessRun> cases = {
        {" --diagonal 100 --json", 0, json("2214 ", "1245 ", "100  ", "2238 ", "1269 ", "12")},
        {" --diagonal 100 --frame 13 2>/dev/null", 2, ""},
        {" --diagonal 1.2.3 2>/dev/null", 1, ""},
        {" --batch --json 2>/dev/null <<'EOF'\nwidth,1000\nheight,x\nEOF\n", 1,
         "{\"entry\":\"width\",\"text\":\"1000\",\"ratio\":\"\",\"frame\":\"\",\"w\":\"1000 \","
         "\"h\":\"563 \",\"inch1\":\"45.17 \",\"w1\":\"1024 \",\"h1\":\"587 \",\"bkw\":\"12\","
         "\"error\":null}\n"
         "{\"entry\":\"height\",\"text\":\"x\",\"ratio\":\"\",\"frame\":\"\",\"w\":null,"
         "\"h\":null,\"inch1\":null,\"w1\":null,\"h1\":null,\"bkw\":null,"
         "\"error\":\"\\\"x\\\" is not a number\"}\n"},
    };
    for (const ProcessRun& c : cases) {
        const std::string command =
            "LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 '" SCREENCALC_EXE "'" + c.command;
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::string out;
        char buf[4096];
        for (std::size_t n; (n = fread(buf, 1, sizeof buf, pipe)) > 0;) {
            out.append(buf, n);
        }
        const int status = pclose(pipe);
        ASSERT_TRUE(WIFEXITED(status)) << c.command;
        EXPECT_EQ(WEXITSTATUS(status), c.status) << c.command;
        EXPECT_EQ(out, c.out) << c.command;
    }
}

struct LocaleRun {
    std::string args;  // after the executable's path
    std::string input; // standard input; holds no single quote
    int status;
    std::string out;
    std::string err;
};

std::string runUnder(const char* locale, const LocaleRun& c, const char* redirect, int& status) {
    const std::string command = "printf '%s' '" + c.input + "' | LC_ALL=" + locale +
                                " LANG=" + locale + " '" SCREENCALC_EXE "'" + c.args + redirect;
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        status = -1;
        return out;
    }
    char buf[4096];
    for (std::size_t n; (n = fread(buf, 1, sizeof buf, pipe)) > 0;) {
        out.append(buf, n);
    }
    status = pclose(pipe);
    return out;
}

// The executable started under C and under a locale whose decimal point is a
// comma: the same status and the same bytes, points in and points out.
TEST(Screencalc, TheExecutableShowsTheSameUnderACommaLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    const bool installed = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    std::setlocale(LC_ALL, saved.c_str());
    if (!installed) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed (locale-gen de_DE.UTF-8)";
    }
    const std::vector<LocaleRun> cases = {
        {" --diagonal 84.5 --frame 65", "", 0,
         "幕面宽:     1871 mm\n"
         "幕面高:     1052 mm\n"
         "英寸：        85 in\n"
         "含外框宽：  2001 mm\n"
         "含外框高：  1182 mm\n"
         "边框宽：      65 mm\n",
         ""},
        {" --height 1000.5 --json", "", 0, json("1779 ", "1001 ", "80.34 ", "1803 ", "1025 ", "12"),
         ""},
        {" --width 1000 --frame 80 --json", "", 0,
         json("1000 ", "563 ", "45.17", "1160 ", "723 ", "80"), ""},
        {" --width 1,5", "", 1, "", "screencalc: --width: \"1,5\" is not a number\n"},
        {" --batch", "diagonal,84.5,4:3,80\nheight,\"1000,5\"\n", 1,
         "entry,text,ratio,frame,w,h,inch1,w1,h1,bkw,error\n"
         "diagonal,84.5,4:3,80,1717,1288,85,1731,1302,7,\n"
         "height,\"1000,5\",,,,,,,,,\"\"\"1000,5\"\" is not a number\"\n",
         "screencalc: row 2: \"1000,5\" is not a number\n"},
    };
    for (const LocaleRun& c : cases) {
        for (const char* locale : {"C", "de_DE.UTF-8"}) {
            int status = 0;
            const std::string out = runUnder(locale, c, " 2>/dev/null", status);
            ASSERT_TRUE(WIFEXITED(status)) << locale << c.args;
            EXPECT_EQ(WEXITSTATUS(status), c.status) << locale << c.args;
            EXPECT_EQ(out, c.out) << locale << c.args;
            EXPECT_EQ(runUnder(locale, c, " 2>&1 >/dev/null", status), c.err) << locale << c.args;
        }
    }
}

} // namespace
