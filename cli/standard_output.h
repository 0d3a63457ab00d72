#pragma once
// The process's standard output as screencalc writes it: what was put goes
// out at each flush, in write(2) calls of whole lines no longer than
// PIPE_BUF, which a pipe takes whole or not at all. A line longer than that
// is written with SIGTERM, SIGINT and SIGHUP held back until it is out. So a
// run killed while its output waits for a slow reader never leaves a cut row
// behind; it still ends by the signal (a shell shows 128 + its number).

#include <streambuf>
#include <string>

namespace screencalc {

class StandardOutput : public std::streambuf {
public:
protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override; // writes what was put, in whole lines

private:
    std::string pending_;
};

} // namespace screencalc
