#pragma once
// screencalc: the calculator for scripts and spreadsheets. The whole program
// is this one function, so the tests and the benchmarks drive exactly what
// the executable runs.

#include <iosfwd>
#include <string>
#include <vector>

namespace screencalc {

enum ExitStatus : int {
    exitComputed = 0, // every calculation gave results
    exitFailed = 1,   // a calculation (in a batch: at least one row) failed
    exitUsage = 2,    // the command line itself is wrong
};

// What only the running program knows about its standard streams.
struct StandardStreams {
    // `in` and `out` are the process's standard input and output, so a
    // batch refuses to read the file its output goes to.
    bool own = false;
    bool outputIsTerminal = false;
};

// Runs the program on `args` (without the program name). `in` is read only
// by --batch without a FILE.
int runScreencalc(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                  std::ostream& err, StandardStreams streams = {});

} // namespace screencalc
