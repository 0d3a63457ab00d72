#pragma once
// Reads the lines of a batch in bounded memory, however long a line or the
// input is. LF, CRLF and a lone CR (old spreadsheets) each end a line.

#include <array>
#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>

namespace screencalc {

// Far above any real row; a longer line is reported, not kept.
inline constexpr std::size_t lineCap = 64 * 1024;

class LineReader {
public:
    enum class Got { line, tooLong, end, stopped, failed };

    // Before every read from the stream the reader calls `beforeRead`, which
    // stops the reading by returning false.
    LineReader(std::istream& in, std::function<bool()> beforeRead);

    // The next line without its end. A line longer than the cap comes back
    // as tooLong as soon as it is seen; its rest is skipped unkept.
    Got next(std::string& line);

    bool readAny() const { return readAny_; }
    int error() const { return error_; } // errno of a failed read

private:
    Got fill();

    std::istream& in_;
    std::function<bool()> beforeRead_;
    std::array<char, 1 << 14> buffer_{};
    std::size_t pos_ = 0;
    std::size_t len_ = 0;
    bool afterCr_ = false;  // a CR ended the last line: a LF right after it belongs to it
    bool skipping_ = false; // inside the rest of a line longer than the cap
    bool readAny_ = false;
    int error_ = 0;
};

} // namespace screencalc
