// screencalc through its entry function, and runs of the executable itself
// for what only a process shows (exit status, arguments, file names, the
// real locale, line ends).

#include "buildinfo.h"
#include "cli/screencalc_cli.h"

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <locale>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#endif

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

const std::string heading = "entry,text,ratio,frame,w,h,inch1,w1,h1,bkw,error\n";
const std::string help = " (see screencalc --help)\n";
const std::string table84 = "幕面宽:     1871 mm\n幕面高:     1052 mm\n英寸：        85 in\n"
                            "含外框宽：  2001 mm\n含外框高：  1182 mm\n边框宽：      65 mm\n";

struct Case {
    std::vector<std::string> args;
    int status;
    std::string out;
    std::string err = ""; // without "screencalc: "
    std::string input = "";
};

void expectAll(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        const Ran r = run(c.args, c.input);
        const std::string row = c.args[0] + " " + (c.args.size() > 1 ? c.args[1] : "");
        EXPECT_EQ(r.status, c.status) << row;
        EXPECT_EQ(r.out, c.out) << row;
        EXPECT_EQ(r.err, c.err.empty() ? "" : "screencalc: " + c.err) << row;
    }
}

// One line a case.
// clang-format off
TEST(Screencalc, SingleCalculationGivesTheWindowsTexts) {
    const std::string cut = "only the first 6 characters count: ";
    expectAll({
        {{"--diagonal", "100", "--json"}, 0, json("2214 |1245 |100  |2238 |1269 |12")},
        // 4:3 counts only under the 80 mm frame, and then with the 7 mm frame.
        {{"--diagonal", "100", "--ratio", "4:3", "--frame", "80", "--json"}, 0, json("2032 |1524 |100  |2046 |1538 |7")},
        {{"--ratio", "4:3", "--frame", "45", "--diagonal", "100", "--json"}, 0, json("2214 |1245 |100  |2304 |1335 |45")},
        {{"--width", "1000", "--frame", "80", "--json"}, 0, json("1000 |563 |45.17|1160 |723 |80")},
        {{"--width=1920", "--frame=90", "--json"}, 0, json("1920 |1080 |86.73 |2100 |1260 |90")},
        {{"--height", "900", "--frame", "80", "--json"}, 0, json("1600 |900 |72.27 |1760 |1060 |80")},
        {{"--height", "1000", "--json"}, 0, json("1778 |1000 |80.30 |1802 |1024 |12")},
        {{"--diagonal", "84.5", "--frame", "65"}, 0, table84},
        // Cut to the field's length, 6 characters for the diagonal, 9 otherwise, and said so.
        {{"--diagonal", "100000x", "--json"}, 0, json("2213802 |1245264 |100000  |2213826 |1245288 |12"),
         "--diagonal: " + cut + "\"100000\"\n"},
        {{"--width", "100000000x", "--json"}, 0, json("100000000 |56250000 |4517115.80 |100000024 |56250024 |12"),
         "--width: only the first 9 characters count: \"100000000\"\n"},
        {{"--diagonal", "000000000000100", "--json"}, 0, json("0 |0 |0  |24 |24 |12"), "--diagonal: " + cut + "\"000000\"\n"},
    });
}

TEST(Screencalc, BadInputGetsOneLineAndItsStatus) {
    const std::string nan = " is not a number\n", one = "give only one of --diagonal, --width or --height" + help;
    expectAll({
        {{"--diagonal", "12a"}, 1, "", "--diagonal: \"12a\"" + nan},
        {{"--width", ""}, 1, "", "--width: the text is empty\n"},
        {{"--height", ".", "--json"}, 1, "", "--height: \".\"" + nan},
        // Characters, not bytes, are cut; a bad byte counts as one character.
        {{"--diagonal", "12\u20ac456789"}, 1, "", "--diagonal: \"12\u20ac456\" (cut to 6 characters)" + nan},
        {{"--width", "1\xff" "23456789"}, 1, "", "--width: \"1\ufffd2345678\" (cut to 9 characters)" + nan},
        // As in the window, a character beyond the basic plane takes two UTF-16 units,
        // and one that only half fits is dropped.
        {{"--diagonal", "1234a\U0001F600"}, 1, "", "--diagonal: \"1234a\" (cut to 6 UTF-16 units)" + nan},
        // Controls and format characters cannot drive the terminal or hide text.
        {{"--width", "\u009B1\u202E\x01"}, 1, "", "--width: \"\\u009B1\\u202E\\u0001\"" + nan},
        {{"--width", "\uFEFF1"}, 1, "", "--width: \"\\uFEFF1\" (\\uFEFF is a byte order mark)" + nan},
        {{"--diagonal", "1", "--ratio", "5:4"}, 2, "", "--ratio: unknown ratio \"5:4\" (use 16:9 or 4:3)\n"},
        {{"--diagonal", "1", "--frame", "13"}, 2, "", "--frame: unknown frame \"13\" (use 12, 45, 65, 80 or 90)\n"},
        {{"--json"}, 2, "", "give one of --diagonal, --width or --height" + help},
        {{"--diagonal", "1", "--width", "2"}, 2, "", "--width: " + one},
        {{"--diagonal", "1", "--diagonal", "2"}, 2, "", "--diagonal: " + one},
        {{"--height"}, 2, "", "--height needs a value" + help},
        {{"--frame", "--diagonal", "100"}, 2, "", "--frame needs a value" + help},
        {{"--diagonal", "--json"}, 2, "", "--diagonal needs a value" + help},
        {{"--depth", "3"}, 2, "", "unknown option \"--depth\"" + help},
        {{"--diagonal", "1", "extra"}, 2, "", "unexpected argument \"extra\"" + help},
        {{"--batch", "--frame", "12"}, 2, "", "--frame cannot be combined with --batch" + help},
        {{"--batch", "/nonexistent/rows.csv"}, 2, "", "cannot read \"/nonexistent/rows.csv\": No such file or directory\n"},
    });
    // Linux opens a directory and fails to read it, Windows fails to open it.
    const Ran dir = run({"--batch", "."});
    EXPECT_EQ(dir.status * 100 + dir.out.size(), 200u);
    EXPECT_EQ(dir.err.rfind("screencalc: cannot read \".\": ", 0), 0u) << dir.err;
}

TEST(Screencalc, BatchComputesEveryRowAndNamesTheBadOnes) {
    const std::string cap = ",,,,,,,,,,line longer than 65536 bytes\n", use = " (use diagonal, width or height)";
    const std::string d100 = "diagonal,100,,,2214,1245,100,2238,1269,12,\n";
    const std::string w1000 = "width,1000,,80,1000,563,45.17,1160,723,80,\n", bom = " (\\uFEFF is a byte order mark)";
    const std::string quote = "a quoted field has no closing quote (a quoted field cannot span lines)";
    const std::string frame = "unknown frame \"\"-1\"\" (use 12, 45, 65, 80 or 90)";
    expectAll({
        {{"--batch"}, 1, heading + d100 + w1000 + "height,900,16:9,80,1600,900,72.27,1760,1060,80,\n"
             "diagonal,84.5,4:3,65,1871,1052,85,2001,1182,65,\ndiagonal,12a,,,,,,,,,\"\"\"12a\"\" is not a number\"\n"
             "depth,3,,,,,,,,,\"unknown entry \"\"depth\"\"" + use + "\"\n"
             "diagonal,100,5:4,,,,,,,,\"unknown ratio \"\"5:4\"\" (use 16:9 or 4:3)\"\n"
             "width,\"1,5\",,,,,,,,,\"\"\"1,5\"\" is not a number\"\n"
             "height,5,,12,,,,,,,\"too many fields (expected entry,text,ratio,frame)\"\n",
         "row 7: \"12a\" is not a number\nscreencalc: row 8: unknown entry \"depth\"" + use +
             "\nscreencalc: row 9: unknown ratio \"5:4\" (use 16:9 or 4:3)\nscreencalc: row 10: \"1,5\" is not a number\n"
             "screencalc: row 11: too many fields (expected entry,text,ratio,frame)\n",
         "# price list\ndiagonal,100\n\nwidth,1000,,80\nheight,\"900\",16:9,80\ndiagonal,84.5,4:3,65\n"
         "diagonal,12a\ndepth,3\ndiagonal,100,5:4\nwidth,\"1,5\"\nheight,5,,12,x\n  # comment\n"},
        // Old spreadsheets end lines with a lone CR.
        {{"--batch"}, 0, heading + d100 + w1000, "", "diagonal,100\r\r\nwidth,1000,,80\r"},
        // A line beyond the cap is one bad row; the rows around it still count.
        {{"--batch"}, 1, heading + w1000 + cap + cap + d100,
         "row 2: line longer than 65536 bytes\nscreencalc: row 3: line longer than 65536 bytes\n",
         "width,1000,,80\n" + std::string(65537, ',') + "\r\n" + std::string(200000, 'x') + "\ndiagonal,100"},
        // An echoed cell that a spreadsheet would run as a formula stays text.
        {{"--batch"}, 1, heading + "'=2+5,1,,,,,,,,,\"unknown entry \"\"=2+5\"\"" + use + "\"\nwidth,'@SUM(1),'\t4:3,'-1,,,,,,,\"" + frame + "\"\n",
         "row 1: unknown entry \"=2+5\"" + use + "\nscreencalc: row 2: unknown frame \"-1\" (use 12, 45, 65, 80 or 90)\n",
         "=2+5,1\nwidth,@SUM(1),\t4:3,-1\n"},
        // Messages escape a byte order mark, controls and format characters;
        // an unclosed quote keeps what was read.
        {{"--batch"}, 1, heading + d100 + "\uFEFFwidth,1,,,,,,,,,\"unknown entry \"\"\\uFEFFwidth\"\"" + bom + use +
             "\"\nwidth,\"\u009B\u202E1,\",,,,,,,,," + quote + "\n",
         "row 2: unknown entry \"\\uFEFFwidth\"" + bom + use + "\nscreencalc: row 3: " + quote + "\n",
         "diagonal,100\n\uFEFFwidth,1\nwidth,\"\u009B\u202E1,\n"},
        {{"--batch"}, 0, heading + "diagonal,1234567,,,2733071,1537353,123456,2733095,1537377,12,\n",
         "row 1: only the first 6 characters count: \"123456\"\n", "diagonal,1234567"},
    });
}
// clang-format on

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

// An output device that is full, as /dev/full is.
struct FullDevice : std::streambuf {
    int overflow(int) override { return errno = ENOSPC, traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return errno = ENOSPC, 0; }
};

// Many rows, counting how many bytes the program took.
struct ManyRows : std::streambuf {
    std::string row = "diagonal,100\n";
    std::size_t rows = 200000, taken = 0;
    int underflow() override {
        if (taken / row.size() == rows) {
            return traits_type::eof();
        }
        taken += row.size();
        setg(row.data(), row.data(), row.data() + row.size());
        return row[0];
    }
};

TEST(Screencalc, LostOutputIsReportedAndEndsTheWork) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--help"}, {"--version"}, {"--diagonal", "100"}, {"--batch", "--json"}}) {
        FullDevice full;
        ManyRows rows;
        std::istream in(&rows);
        std::ostream out(&full);
        std::ostringstream err;
        EXPECT_EQ(screencalc::runScreencalc(args, in, out, err), 1) << args[0];
        EXPECT_EQ(err.str(), "screencalc: writing the results failed: No space left on device\n");
        EXPECT_LT(rows.taken, 100 * rows.row.size()) << args[0];
    }
}

TEST(Screencalc, HelpAndVersion) {
    EXPECT_EQ(run({"--version"}).out,
              "screencalc " + std::string(screencalc::build::shownVersion) + "\n");
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
    EXPECT_EQ(single.out, json("1779 |1001 |80.34 |1803 |1025 |12"));
    EXPECT_EQ(batch.out, heading + "width,1000,,,1000,563,45.17,1024,587,12,\n");
}

std::string contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The executable run in `dir` by the system's shell, with `args` (UTF-8)
// after its path and standard input from the file "in".
Ran runExecutable(const std::filesystem::path& dir, const std::string& args,
                  [[maybe_unused]] const std::string& locale) {
    const std::u8string folder = dir.u8string();
    const std::string d(folder.begin(), folder.end());
#ifdef _WIN32
    const std::string utf8 =
        "\"cd /d \"" + d + "\" && \"" SCREENCALC_EXE "\"" + args + " <in >out 2>err\"";
    std::wstring command(utf8.size(), L'\0');
    command.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                       command.data(), static_cast<int>(command.size())));
    const int status = _wsystem(command.c_str());
#else
    const std::string command = "cd '" + d + "' && LC_ALL=" + locale + " LANG=" + locale +
                                " '" SCREENCALC_EXE "'" + args + " <in >out 2>err";
    const int wait = std::system(command.c_str());
    const int status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
#endif
    return {status, contents(dir / "out"), contents(dir / "err")};
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
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / "screencalc-cli-test";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / u8"屏幕尺寸.csv", std::ios::binary)
        << "diagonal,84.5,4:3,80\nheight,\"1000,5\"\n";
    const std::string badComma = "height,\"1000,5\",,,,,,,,,\"\"\"1000,5\"\" is not a number\"\n";
    const std::vector<Case> cases = {
        {{" --diagonal 84.5 --frame 65"}, 0, table84, ""},
        {{" --height 1000.5 --json"}, 0, json("1779 |1001 |80.34 |1803 |1025 |12"), ""},
        {{" --width 1,5"}, 1, "", "screencalc: --width: \"1,5\" is not a number\n"},
        {{" --diagonal 100 --frame 13"},
         2,
         "",
         "screencalc: --frame: unknown frame \"13\" (use 12, 45, 65, 80 or 90)\n"},
        {{" --diagonal １２３４５６７"},
         1,
         "",
         "screencalc: --diagonal: \"１２３４５６\" (cut to 6 characters) is not a number\n"},
        {{" --batch 屏幕尺寸.csv"},
         1,
         heading + "diagonal,84.5,4:3,80,1717,1288,85,1731,1302,7,\n" + badComma,
         "screencalc: row 2: \"1000,5\" is not a number\n"},
        {{" --batch --json"},
         1,
         "{\"entry\":\"width\",\"text\":\"1000\",\"ratio\":\"\",\"frame\":\"\",\"w\":\"1000 "
         "\",\"h\":\"563 \","
         "\"inch1\":\"45.17 \",\"w1\":\"1024 \",\"h1\":\"587 \",\"bkw\":\"12\",\"error\":null}\n"
         "{\"entry\":\"height\",\"text\":\"x\",\"ratio\":\"\",\"frame\":\"\",\"w\":null,\"h\":null,"
         "\"inch1\":null,\"w1\":null,\"h1\":null,\"bkw\":null,\"error\":\"\\\"x\\\" is not a "
         "number\"}\n",
         "screencalc: row 2: \"x\" is not a number\n",
         "width,1000\r\nheight,x\n"},
    };
    for (const Case& c : cases) {
        std::ofstream(dir / "in", std::ios::binary) << c.input;
        for (const std::string& locale : locales) {
            const Ran r = runExecutable(dir, c.args[0], locale);
            EXPECT_EQ(r.status, c.status) << locale << c.args[0];
            EXPECT_EQ(r.out, c.out) << locale << c.args[0];
            EXPECT_EQ(r.err, c.err) << locale << c.args[0];
        }
    }
    std::filesystem::remove_all(dir);
}

} // namespace
