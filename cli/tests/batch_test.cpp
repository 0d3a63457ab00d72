#include "cli/screencalc_cli.h"
#include "cli/tests/run.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <sstream>
#include <streambuf>

namespace {

struct RowCase {
    const char* name;
    std::string input;
    int status;
    std::string rows;     // the output after the heading
    std::string err = ""; // the messages, without the first "screencalc: "
};

void expectRows(const std::vector<RowCase>& cases) {
    for (const RowCase& c : cases) {
        const Ran r = run({"--batch"}, c.input);
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_EQ(r.out, heading + c.rows) << c.name;
        EXPECT_EQ(r.err, c.err.empty() ? "" : "screencalc: " + c.err) << c.name;
    }
}

const std::string use = " (use diagonal, width, height or room)", nan = "\"\" is not a number",
                  d100 = "diagonal,100,,,2214,1245,100,2238,1269,12,,\n",
                  w1000 = "width,1000,,80,1000,563,45.17,1160,723,80,,\n";

// One line a case: one input row, its output row and its messages.
TEST(Batch, ComputesEachRowAsTheWindowWould) {
    const std::string digits = " is not a number: only digits and one point are accepted";
    expectRows({
        {"diagonal", "diagonal,100\n", 0, d100},
        {"width and frame", "width,1000,,80\n", 0, w1000},
        {"quoted text", "height,\"900\",16:9,80\n", 0,
         "height,900,16:9,80,1600,900,72.27,1760,1060,80,,\n"},
        {"4:3 with the 65 frame", "diagonal,84.5,4:3,65", 0,
         "diagonal,84.5,4:3,65,1871,1052,85,2001,1182,65,,\n",
         "row 1: ratio 4:3 has no effect: a diagonal computes 4:3 only with the 80 mm frame\n"},
        {"units", "diagonal,12a\n", 1,
         "diagonal,12a,,,,,,,,,\"\"\"12a" + nan +
             ": units are not written, the diagonal is in inches\",\n",
         "row 1: \"12a\" is not a number: units are not written, the diagonal is in inches\n"},
        {"unknown entry", "depth,3\n", 1,
         "depth,3,,,,,,,,,\"unknown entry \"\"depth\"\"" + use + "\",\n",
         "row 1: unknown entry \"depth\"" + use + "\n"},
        {"unknown ratio", "diagonal,100,5:4\n", 1,
         "diagonal,100,5:4,,,,,,,,\"unknown ratio \"\"5:4\"\" (use 16:9 or 4:3)\",\n",
         "row 1: unknown ratio \"5:4\" (use 16:9 or 4:3)\n"},
        {"decimal comma", "width,\"1,5\"\n", 1,
         "width,\"1,5\",,,,,,,,,\"\"\"1,5" + nan +
             ": only "
             "digits and one point are accepted\",\n",
         "row 1: \"1,5\"" + digits + "\n"},
        {"too many fields", "height,5,,12,x\n", 1,
         "height,5,,12,,,,,,,\"too many fields (expected entry,text,ratio,frame)\",\n",
         "row 1: too many fields (expected entry,text,ratio,frame)\n"},
        {"trailing empty fields", "diagonal,100,,,,\n", 0, d100},
        {"cut text noted", "diagonal,1234567", 0,
         "diagonal,1234567,,,2733071,1537353,123456,2733095,1537377,12,,\"only the first 6 "
         "characters count: \"\"123456\"\"\"\n",
         "row 1: only the first 6 characters count: \"123456\"\n"},
        {"formula guarded", "=2+5,1\n", 1,
         "'=2+5,1,,,,,,,,,\"unknown entry \"\"=2+5\"\"" + use + "\",\n",
         "row 1: unknown entry \"=2+5\"" + use + "\n"},
        {"formula cells guarded", "width,@SUM(1),\t4:3,-1\n", 1,
         "width,'@SUM(1),'\t4:3,'-1,,,,,,,\"unknown frame \"\"-1\"\" (use 12, 45, 65, 80 or "
         "90)\",\n",
         "row 1: unknown frame \"-1\" (use 12, 45, 65, 80 or 90)\n"},
        {"byte order mark inside", "diagonal,100\n\uFEFFwidth,1\n", 1,
         d100 +
             "\uFEFFwidth,1,,,,,,,,,\"unknown entry \"\"\\uFEFFwidth\"\" (\\uFEFF is a byte order "
             "mark)" +
             use + "\",\n",
         "row 2: unknown entry \"\\uFEFFwidth\" (\\uFEFF is a byte order mark)" + use + "\n"},
        {"unclosed quote", "width,\"\u009B\u202E1,\n", 1,
         "width,\"\u009B\u202E1,\",,,,,,,,,a "
         "quoted field has no closing quote (a quoted field cannot span lines),\n",
         "row 1: a quoted field has no closing quote (a quoted field cannot span lines)\n"},
        {"blanks around the cells", " width ,1000, ,\t80\n", 0,
         "\" width \",1000,\" \",'\t80,1000,563,45.17,1160,723,80,,\n"},
    });
}

// One line a case: the lines that are no rows, and rows counted as lines.
TEST(Batch, SkipsWhatIsNoRowAndCountsLines) {
    expectRows({
        {"comments and blank lines", "# price list\n\n  # indented\ndiagonal,100\n", 0, d100},
        {"line numbers count them", "# list\n\nwidth,x\n", 1,
         "width,x,,,,,,,,,\"\"\"x" + nan + ": only digits and one point are accepted\",\n",
         "row 3: \"x\" is not a number: only digits and one point are accepted\n"},
        {"input heading", "entry,text,ratio,frame\ndiagonal,100\n", 0, d100},
        {"input heading of two columns", "entry,text\ndiagonal,100\n", 0, d100},
        {"entry alone is no heading", "entry\ndiagonal,100\n", 1,
         "entry,,,,,,,,,,\"unknown entry \"\"entry\"\"" + use + "\",\n" + d100,
         "row 1: unknown entry \"entry\"" + use + "\n"},
        {"quoted heading", "\"entry\",\"text\",ratio,\"frame\"\ndiagonal,100\n", 0, d100},
        {"own heading before the note column",
         "entry,text,ratio,frame,w,h,inch1,w1,h1,bkw,error\ndiagonal,100,,,2214,1245,100,2238,1269,"
         "12,\n",
         0, d100},
        {"empty cells", ",,,\n\"\",\"\"\ndiagonal,100\n", 0, d100},
        {"look-alike blanks only", "\u3000\u00A0\ndiagonal,100\n", 0, d100},
        {"long line", "width,1000,,80\n" + std::string(200000, 'x') + "\ndiagonal,100", 1,
         w1000 + ",,,,,,,,,,line longer than 65536 bytes,\n" + d100,
         "row 2: line longer than 65536 bytes\n"},
    });
}

TEST(Batch, JsonEscapesWhateverTheRowsHold) {
    // A spreadsheet's export: byte order mark, heading, CRLF line ends.
    const std::string input = "\xEF\xBB\xBF"
                              "entry,text,ratio,frame\r\n"
                              "diagonal,100\r\n"
                              "width,\"a\"\"b\\\t\x01é\"\r\n"
                              "width,1\xFF\r\n";
    const Ran r = run({"--batch", "--json"}, input);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "{\"entry\":\"diagonal\",\"text\":\"100\",\"ratio\":\"\",\"frame\":\"\","
                     "\"w\":\"2214 \",\"h\":\"1245 \",\"inch1\":\"100  \",\"w1\":\"2238 \","
                     "\"h1\":\"1269 \",\"bkw\":\"12\",\"error\":null,\"note\":null}\n"
                     "{\"entry\":\"width\",\"text\":\"a\\\"b\\\\\\t\\u0001é\",\"ratio\":\"\","
                     "\"frame\":\"\",\"w\":null,\"h\":null,\"inch1\":null,\"w1\":null,"
                     "\"h1\":null,\"bkw\":null,"
                     "\"error\":\"\\\"a\\\\\\\"b\\\\\\\\\\\\t\\\\u0001é\\\" is not a "
                     "number: only digits and one point are accepted\",\"note\":null}\n"
                     "{\"entry\":\"width\",\"text\":\"1\ufffd\",\"ratio\":\"\",\"frame\":\"\","
                     "\"w\":null,\"h\":null,\"inch1\":null,\"w1\":null,\"h1\":null,\"bkw\":null,"
                     "\"error\":\"not UTF-8 text: byte 8 is 0xFF\",\"note\":null}\n");
    EXPECT_EQ(r.err, "screencalc: row 3: \"a\\\"b\\\\\\t\\u0001é\" is not a number: only "
                     "digits and one point are accepted\n"
                     "screencalc: row 4: not UTF-8 text: byte 8 is 0xFF\n");
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

TEST(Batch, LostOutputIsReportedAndEndsTheWork) {
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

} // namespace

TEST(Batch, ATerminalGetsControlCharactersEscaped) {
    const std::string nulls =
        "\"w\":null,\"h\":null,\"inch1\":null,\"w1\":null,\"h1\":null,\"bkw\":null";
    for (const bool json : {false, true}) {
        std::istringstream in("width,\x1b]\u009B\u202E\n");
        std::ostringstream out, err;
        screencalc::runScreencalc({"--batch", json ? "--json" : "--batch"}, in, out, err,
                                  {.outputIsTerminal = true});
        EXPECT_EQ(out.str(),
                  json ? "{\"entry\":\"width\",\"text\":\"\\u001b]\\u009b\\u202e\",\"ratio\":\"\","
                         "\"frame\":\"\"," +
                             nulls +
                             ",\"error\":\"\\\"\\\\u001B]\\\\u009B\\\\u202E\\\" is not a number: "
                             "only digits and one point are accepted\",\"note\":null}\n"
                       : heading + "width,\\u001B]\\u009B\\u202E,,,,,,,,,\"\"\"\\u001B]"
                                   "\\u009B\\u202E\"\" is not a number: only digits and one point "
                                   "are accepted\",\n");
    }
}
