#pragma once
// The process's standard output as screencalc writes it: what was put goes
// out at each flush, in write(2) calls of whole lines no longer than
// PIPE_BUF, which a pipe takes whole or not at all. A line longer than that
// is written with SIGTERM, SIGINT and SIGHUP held back until it is out. So a
// run killed while its output waits for a slow reader never leaves a cut row
// behind; it still ends by the signal (a shell shows 128 + its number).
// When a write fails part-way (a full disk, a file size limit), a regular
// file is cut back to its last whole row; any other output gets a quote and
// a line end after the cut row, so that no reader takes it for a good one.

#include <streambuf>
#include <string>

namespace screencalc {

class StandardOutput : public std::streambuf {
public:
    // What became of a row that a failed write cut, for the message: empty
    // when no row was cut.
    const std::string& cutRow() const { return cutRow_; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override; // writes what was put, in whole lines

private:
    std::string pending_;
    std::string cutRow_;
};

} // namespace screencalc
