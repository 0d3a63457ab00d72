#pragma once
// Runs screencalc in the test process through its entry function, or as the
// real executable for what only a process shows (exit status, arguments,
// file names, the locale, standard streams).

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

struct Ran {
    int status;
    std::string out;
    std::string err;
};

Ran run(const std::vector<std::string>& args, const std::string& input = "");

// A folder of the running test's own, emptied.
std::filesystem::path testFolder();

// The executable run by the system's shell in `dir`, with `args` (UTF-8,
// each after a blank) and `redirect`, which reads "in" and writes "out" and
// "err" there unless a case needs otherwise. `before` is shell commands
// ("ulimit -f 4;") run first in the same shell (on Linux only).
Ran runExecutable(const std::filesystem::path& dir, const std::string& args,
                  const std::string& locale = "C", const std::string& redirect = " <in >out 2>err",
                  const std::string& before = "");

// The input file "in" of `dir` holding these bytes.
void writeInput(const std::filesystem::path& dir, const std::string& bytes);

// The results file that `--batch` makes of `input`, run again, gives itself
// and the same status: a results file is an input file too.
void expectResultsRunAgain(const std::filesystem::path& dir, const std::string& input);

// A spreadsheet's "Unicode text": UTF-16 with its byte order mark, or
// without it, as iconv writes it.
std::string utf16(std::u16string_view text, bool littleEndian, bool marked = true);

inline const std::string heading = "entry,text,ratio,frame,w,h,inch1,w1,h1,bkw,error,note\n";

struct Case {
    std::vector<std::string> args;
    int status;
    std::string out;
    std::string err = ""; // without "screencalc: "
    std::string input = "";
};

// Each case through the entry function.
void expectAll(const std::vector<Case>& cases);
