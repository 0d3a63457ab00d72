#include "cli/screencalc_cli.h"
#include "cli/tests/run.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <sstream>
#include <streambuf>

namespace {

// One line a case.
TEST(Batch, ComputesEveryRowAndNamesTheBadOnes) {
    const std::string use = " (use diagonal, width, height or room)";
    const std::string d100 = "diagonal,100,,,2214,1245,100,2238,1269,12,\n";
    const std::string w1000 = "width,1000,,80,1000,563,45.17,1160,723,80,\n",
                      bom = " (\\uFEFF is a byte order mark)";
    const std::string quote =
        "a quoted field has no closing quote (a quoted field cannot span lines)";
    const std::string frame = "unknown frame \"\"-1\"\" (use 12, 45, 65, 80 or 90)";
    expectAll({
        {{"--batch"},
         1,
         heading + d100 + w1000 +
             "height,900,16:9,80,1600,900,72.27,1760,1060,80,\n"
             "diagonal,84.5,4:3,65,1871,1052,85,2001,1182,65,\ndiagonal,12a,,,,,,,,,\"\"\"12a\"\" "
             "is not a number: units are not written, the diagonal is in inches\"\n"
             "depth,3,,,,,,,,,\"unknown entry \"\"depth\"\"" +
             use +
             "\"\n"
             "diagonal,100,5:4,,,,,,,,\"unknown ratio \"\"5:4\"\" (use 16:9 or 4:3)\"\n"
             "width,\"1,5\",,,,,,,,,\"\"\"1,5\"\" is not a number: only digits and one point are "
             "accepted\"\n"
             "height,5,,12,,,,,,,\"too many fields (expected entry,text,ratio,frame)\"\n",
         "row 6: ratio 4:3 has no effect: a diagonal computes 4:3 only with the 80 mm frame\n"
         "screencalc: row 7: \"12a\" is not a number: units are not written, the diagonal is in "
         "inches\nscreencalc: row 8: unknown entry \"depth\"" +
             use +
             "\nscreencalc: row 9: unknown ratio \"5:4\" (use 16:9 or 4:3)\nscreencalc: row 10: "
             "\"1,5\" is not a number: only digits and one point are accepted\n"
             "screencalc: row 11: too many fields (expected entry,text,ratio,frame)\n",
         "# price "
         "list\ndiagonal,100\n\nwidth,1000,,80\nheight,\"900\",16:9,80\ndiagonal,84.5,4:3,65\n"
         "diagonal,12a\ndepth,3\ndiagonal,100,5:4\nwidth,\"1,5\"\nheight,5,,12,x\n  # comment\n"},
        // A line beyond the cap is one bad row, shown at once; the rows around it still count.
        {{"--batch"},
         1,
         heading + w1000 + ",,,,,,,,,,line longer than 65536 bytes\n" + d100,
         "row 2: line longer than 65536 bytes\n",
         "width,1000,,80\n" + std::string(200000, 'x') + "\ndiagonal,100"},
        // An echoed cell that a spreadsheet would run as a formula stays text.
        {{"--batch"},
         1,
         heading + "'=2+5,1,,,,,,,,,\"unknown entry \"\"=2+5\"\"" + use +
             "\"\nwidth,'@SUM(1),'\t4:3,'-1,,,,,,,\"" + frame + "\"\n",
         "row 1: unknown entry \"=2+5\"" + use +
             "\nscreencalc: row 2: unknown frame \"-1\" (use 12, 45, 65, 80 or 90)\n",
         "=2+5,1\nwidth,@SUM(1),\t4:3,-1\n"},
        // Messages escape a byte order mark, controls and format characters;
        // an unclosed quote keeps what was read.
        {{"--batch"},
         1,
         heading + d100 + "\uFEFFwidth,1,,,,,,,,,\"unknown entry \"\"\\uFEFFwidth\"\"" + bom + use +
             "\"\nwidth,\"\u009B\u202E1,\",,,,,,,,," + quote + "\n",
         "row 2: unknown entry \"\\uFEFFwidth\"" + bom + use + "\nscreencalc: row 3: " + quote +
             "\n",
         "diagonal,100\n\uFEFFwidth,1\nwidth,\"\u009B\u202E1,\n"},
        {{"--batch"},
         0,
         heading + "diagonal,1234567,,,2733071,1537353,123456,2733095,1537377,12,\n",
         "row 1: only the first 6 characters count: \"123456\"\n",
         "diagonal,1234567"},
    });
}

TEST(Batch, JsonEscapesWhateverTheRowsHold) {
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
                     "number: only digits and one point are accepted\"}\n");
    EXPECT_EQ(r.err, "screencalc: row 3: \"a\\\"b\\\\\\t\\u0001\ufffd\" is not a number: only "
                     "digits and one point are accepted\n");
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
                             "only digits and one point are accepted\"}\n"
                       : heading + "width,\\u001B]\\u009B\\u202E,,,,,,,,,\"\"\"\\u001B]"
                                   "\\u009B\\u202E\"\" is not a number: only digits and one point "
                                   "are accepted\"\n");
    }
}
