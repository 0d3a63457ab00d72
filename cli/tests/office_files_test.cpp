// The files a Chinese Windows office makes and the command lines people type,
// through the real executable: input bytes in, standard output, standard
// error and status out, one line a case.

#include "cli/tests/run.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

const std::string d100 = "diagonal,100,,,2214,1245,100,2238,1269,12,,\n",
                  w1000 = "width,1000,,,1000,563,45.17,1024,587,12,,\n",
                  help = " (see screencalc --help)\n";
// GBK, as Excel saves "CSV" on Chinese Windows: 屏幕尺寸, 宽度 and 16：9.
const std::string gbTitle = "\xC6\xC1\xC4\xBB\xB3\xDF\xB4\xE7", gbWidth = "\xBF\xED\xB6\xC8",
                  gbRatio = "16\xA3\xBA"
                            "9";
const std::string nan = " is not a number: only digits and one point are accepted";

struct OfficeCase {
    const char* name;
    std::string args, input;
    int status;
    std::string out, err; // err without "screencalc: "
    std::string redirect = " <in >out 2>err";
};

void expectAll(const std::vector<OfficeCase>& cases) {
    const std::filesystem::path dir = testFolder();
    for (const OfficeCase& c : cases) {
        writeInput(dir, c.input);
        const Ran r = runExecutable(dir, c.args, "C", c.redirect);
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_EQ(r.out, c.out) << c.name;
        EXPECT_EQ(r.err, c.err.empty() ? "" : "screencalc: " + c.err) << c.name;
    }
    std::filesystem::remove_all(dir);
}

TEST(OfficeFiles, EncodingsAreReadAndNamed) {
    expectAll({
        {"gbk with a title and 16：9", " --batch",
         "# " + gbTitle + "\r\nentry,text,ratio,frame\r\ndiagonal,100," + gbRatio + ",12\r\n", 0,
         heading + "diagonal,100," + gbRatio + ",12,2214,1245,100,2238,1269,12,,\n", ""},
        {"gbk cells echoed as read, messages in gb18030", " --batch in", gbWidth + ",1000\n", 1,
         heading + gbWidth + ",1000,,,,,,,,,\"unknown entry \"\"" + gbWidth +
             "\"\" (use diagonal, width, height or room)\",\n",
         "row 1: unknown entry \"宽度\" (use diagonal, width, height or room)\n"},
        {"gb18030 given", " --batch --encoding gb18030", "width,1000," + gbRatio + "\n", 0,
         heading + "width,1000," + gbRatio + ",,1000,563,45.17,1024,587,12,,\n", ""},
        {"gb18030 decoded in json", " --batch --json", "diagonal,100," + gbRatio + "\n", 0,
         "{\"entry\":\"diagonal\",\"text\":\"100\",\"ratio\":\"16：9\",\"frame\":\"\",\"w\":\"2214 "
         "\",\"h\":\"1245 \",\"inch1\":\"100  \",\"w1\":\"2238 \",\"h1\":\"1269 \",\"bkw\":\"12\","
         "\"error\":null,\"note\":null}\n",
         ""},
        {"utf-8 given refuses gbk", " --batch --encoding utf-8", "diagonal,100," + gbRatio + "\n",
         1, heading + "diagonal,100," + gbRatio + ",,,,,,,,not UTF-8 text: byte 16 is 0xA3,\n",
         "row 1: not UTF-8 text: byte 16 is 0xA3\n"},
        {"neither utf-8 nor gb18030", " --batch", "width,1\x80\n", 1,
         heading + "width,1\x80,,,,,,,,,neither UTF-8 nor GB18030 text: byte 8 is 0x80,\n",
         "row 1: neither UTF-8 nor GB18030 text: byte 8 is 0x80\n"},
        {"unknown encoding", " --batch --encoding latin1", "", 2, "",
         "--encoding: unknown encoding \"latin1\" (use utf-8 or gb18030)" + help},
        {"encoding without batch", " --encoding gbk --diagonal 1", "", 2, "",
         "--encoding needs --batch" + help},
        {"utf-16 le without a mark", " --batch",
         utf16(u"diagonal,100\r\nwidth,1000\r\n", true, false), 0, heading + d100 + w1000, ""},
        {"utf-16 be without a mark", " --batch in", utf16(u"# 屏幕\nwidth,1000", false, false), 0,
         heading + w1000, ""},
        {"utf-16 without a mark, chinese first", " --batch",
         utf16(u"宽度,1\r\nwidth,1000\r\n", true, false), 1,
         heading +
             "宽度,1,,,,,,,,,\"unknown entry \"\"宽度\"\" (use diagonal, width, height or "
             "room)\",\n" +
             w1000,
         "row 1: unknown entry \"宽度\" (use diagonal, width, height or room)\n"},
    });
}

TEST(OfficeFiles, SpreadsheetDialectsAreRead) {
    const std::string d845 = "diagonal,84.5,4:3,80,1717,1288,85,1731,1302,7,,\n",
                      frame80 = "frame 80 has no effect on the frame: 4:3 computes with a 7 mm "
                                "frame\n";
    expectAll({
        {"sep=, before the heading", " --batch",
         "sep=,\r\nentry,text,ratio,frame\r\ndiagonal,100\r\n", 0, heading + d100, ""},
        {"sep=;", " --batch", "sep=;\ndiagonal;100;;\n", 0, heading + d100, ""},
        {"sep=; and empty cells", " --batch", "sep=;;;\ndiagonal;100\n", 0, heading + d100, ""},
        {"sep= and a tab", " --batch", "sep=\t\nwidth\t1000\n", 0, heading + w1000, ""},
        {"sep=\\t as written", " --batch", "sep=\\t\nwidth\t1000\n", 0, heading + w1000, ""},
        {"semicolons from the heading", " --batch",
         "entry;text;ratio;frame\ndiagonal;84.5;4:3;80\nwidth;1000\n", 0, heading + d845 + w1000,
         "row 2: " + frame80},
        {"semicolons and a decimal comma", " --batch", "diagonal;84,5\n", 1,
         heading + "diagonal,\"84,5\",,,,,,,,,\"\"\"84,5\"\"" + nan + "\",\n",
         "row 1: \"84,5\"" + nan + "\n"},
        {"tabs pasted from a sheet", " --batch", "width\t1000\ndiagonal\t100\t\t\n", 0,
         heading + w1000 + d100, ""},
        {"rows of empty cells", " --batch", "diagonal,100\n,,,\n , ,\"\"\nwidth,x\n", 1,
         heading + d100 + "width,x,,,,,,,,,\"\"\"x\"\"" + nan + "\",\n",
         "row 4: \"x\"" + nan + "\n"},
        {"runs appended to one file", " --batch", heading + d100 + heading + w1000 + heading + d100,
         0, heading + d100 + w1000 + d100, ""},
        {"input heading again", " --batch",
         "entry,text,ratio,frame\ndiagonal,100\n"
         "entry,text,ratio,frame\nwidth,1000\n",
         0, heading + d100 + w1000, ""},
        {"ctrl-z ends the input", " --batch", "diagonal,100\r\n\x1A", 0, heading + d100, ""},
        {"ctrl-z line ends it early", " --batch", "diagonal,100\r\n\x1A\r\nwidth,x\r\n", 0,
         heading + d100, ""},
        {"json lines refused", " --batch",
         "{\"entry\":\"diagonal\",\"text\":\"100\",\"ratio\":\"\",\"frame\":\"\"}\n", 2, "",
         "cannot read standard input: it holds JSON lines, as --json writes them; --batch reads "
         "CSV rows entry,text,ratio,frame\n"},
        {"a json line among rows", " --batch", "diagonal,100\n{\"entry\":\"width\"}\n", 1,
         heading + d100 +
             "\"{\"\"entry\"\":\"\"width\"\"}\",,,,,,,,,,\"a JSON line: --batch reads "
             "CSV rows entry,text,ratio,frame (--json is an output format)\",\n",
         "row 2: a JSON line: --batch reads CSV rows entry,text,ratio,frame (--json is an output "
         "format)\n"},
    });
}

TEST(OfficeFiles, CommandLinesAndCellsAsPeopleTypeThem) {
    expectAll({
        {"long dash", " —batch rows.csv", "", 2, "",
         "unknown option \"—batch\": options start with two ASCII hyphens, as in \"--batch\"" +
             help},
        {"en dash", " –diagonal 100", "", 2, "",
         "unknown option \"–diagonal\": options start with two ASCII hyphens, as in "
         "\"--diagonal\"" +
             help},
        {"full-width hyphens", " --batch －－json", "", 2, "",
         "unknown option \"－－json\": options start with two ASCII hyphens, as in \"--json\"" +
             help},
        {"first stray word named", " a b", "", 2, "", "unexpected argument \"a\"" + help},
        {"stray word after FILE", " --batch a b", "", 2, "", "unexpected argument \"b\"" + help},
        {"stray word before an unknown option", " --diagonal 1 x --depth", "", 2, "",
         "unexpected argument \"x\"" + help},
        {"a dash after -- is FILE", " --batch -- —rows.csv", "", 2, "",
         "cannot read \"—rows.csv\": No such file or directory\n"},
        {"no-break space after the entry", " --batch", "diagonal\u00A0,100\n", 0,
         heading + "diagonal\u00A0,100,,,2214,1245,100,2238,1269,12,,\n", ""},
        {"ideographic spaces around ratio and frame", " --batch",
         "width,1000,\u300016:9,80\u3000\n", 0,
         heading + "width,1000,\u300016:9,80\u3000,1000,563,45.17,1160,723,80,,\n", ""},
        {"ideographic space in a text", " --diagonal 100\u3000", "", 1, "",
         "--diagonal: \"100\u3000\"" + nan + ", not U+3000 ideographic space\n"},
        {"no-break space in a row's text", " --batch", "width,1000\u00A0\n", 1,
         heading + "width,1000\u00A0,,,,,,,,,\"\"\"1000\u00A0\"\"" + nan +
             ", not U+00A0 no-break space\",\n",
         "row 1: \"1000\u00A0\"" + nan + ", not U+00A0 no-break space\n"},
        {"a cut text noted", " --batch", "width,12345678901\n", 0,
         heading + "width,12345678901,,,123456789,69444444,5576686.13,123456813,69444468,12,,"
                   "\"only the first 9 characters count: \"\"123456789\"\"\"\n",
         "row 1: only the first 9 characters count: \"123456789\"\n"},
        {"a cut text noted in json", " --batch --json", "diagonal,1234567\n", 0,
         "{\"entry\":\"diagonal\",\"text\":\"1234567\",\"ratio\":\"\",\"frame\":\"\",\"w\":"
         "\"2733071 \",\"h\":\"1537353 \",\"inch1\":\"123456  \",\"w1\":\"2733095 \",\"h1\":"
         "\"1537377 \",\"bkw\":\"12\",\"error\":null,\"note\":\"only the first 6 characters count: "
         "\\\"123456\\\"\"}\n",
         "row 1: only the first 6 characters count: \"123456\"\n"},
    });
}

#ifndef _WIN32
// Wine cannot tell which file a redirected handle writes to, and cmd cannot
// redirect a file size limit: these rows are Linux's.
TEST(OfficeFiles, MessagesIntoTheInputAreRefused) {
    expectAll({
        {"named FILE", " --batch in", "diagonal,100\n", 2, "", "", " >out 2>>in"},
        {"standard input", " --batch", "diagonal,100\n", 2, "", "", " <in >out 2>>in"},
    });
    const std::filesystem::path dir = testFolder();
    writeInput(dir, "diagonal,100\n");
    runExecutable(dir, " --batch in", "C", " >out 2>>in");
    std::ifstream in(dir / "in", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
              "diagonal,100\nscreencalc: cannot read \"in\": it is the file the messages are "
              "written to\n");
    std::filesystem::remove_all(dir);
}

// Past a file size limit the results hold whole rows only, whether the
// shell left SIGXFSZ at its default or ignores it.
TEST(OfficeFiles, AFileSizeLimitLeavesWholeRows) {
    const std::string row = "diagonal,240.8,,,5331,2999,241,5355,3023,12,,\n";
    std::string rows;
    for (int i = 0; i < 200; ++i) {
        rows += "diagonal,240.8\n";
    }
    const struct {
        const char* name;
        std::string before;
    } cases[] = {
        {"signal at its default", "ulimit -f 4;"},
        {"signal ignored", "ulimit -f 4; trap '' XFSZ;"},
    };
    const std::filesystem::path dir = testFolder();
    writeInput(dir, rows);
    for (const auto& c : cases) {
        const Ran r = runExecutable(dir, " --batch", "C", " <in >out 2>err", c.before);
        EXPECT_EQ(r.status, 1) << c.name;
        EXPECT_EQ(r.err, "screencalc: writing the results failed: File too large (the file ends "
                         "with the last whole row)\n")
            << c.name;
        std::string whole = heading;
        while (whole.size() < r.out.size()) {
            whole += row;
        }
        EXPECT_EQ(r.out, whole) << c.name;
        EXPECT_GT(r.out.size(), 1000u) << c.name;
    }
    std::filesystem::remove_all(dir);
}
#endif

// A GBK results file, run again, gives the same results file.
TEST(OfficeFiles, AGbkResultsFileRunsAgain) {
    const std::filesystem::path dir = testFolder();
    expectResultsRunAgain(dir, "sep=;\n" + gbWidth + ";1\ndiagonal;1234567;" + gbRatio +
                                   "\nwidth;\xA3\xB1\n");
    std::filesystem::remove_all(dir);
}

} // namespace
