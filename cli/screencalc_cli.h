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

// Runs the program on `args` (without the program name). `in` is read only
// by --batch without a FILE.
int runScreencalc(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                  std::ostream& err);

} // namespace screencalc
