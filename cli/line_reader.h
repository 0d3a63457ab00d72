#pragma once
// Reads the lines of a batch in bounded memory, however long a line or the
// input is. LF, CRLF and a lone CR (old spreadsheets) each end a line.
// Input that starts with a UTF-16 byte order mark (a spreadsheet's
// "Unicode text") is read as UTF-16, little or big endian, and given out as
// UTF-8, and so is input whose first line has NUL in every other byte (UTF-16
// without the mark); a UTF-8 byte order mark is dropped.

#include <array>
#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

namespace screencalc {

// Far above any real row; a longer line is reported, not kept.
inline constexpr std::size_t lineCap = 64 * 1024;

// What a badText line is, in the words a results file keeps.
inline constexpr std::string_view loneSurrogate = "not UTF-16: a lone surrogate";
inline constexpr std::string_view halfCharacter =
    "not UTF-16: the input ends in half a character (an odd number of bytes)";

class LineReader {
public:
    // badText: a line of UTF-16 input with a lone surrogate or half a
    // character at the end; problem() says which.
    enum class Got { line, tooLong, badText, end, stopped, failed };

    // Before every read from the stream the reader calls `beforeRead`, which
    // stops the reading by returning false.
    LineReader(std::istream& in, std::function<bool()> beforeRead);

    // The next line without its end. A line longer than the cap comes back
    // as tooLong as soon as it is seen; its rest is skipped unkept.
    Got next(std::string& line);

    std::string_view problem() const { return problem_; }
    bool readAny() const { return readAny_; }
    int error() const { return error_; } // errno of a failed read
    // Whether the input said it is Unicode: a byte order mark, or UTF-16.
    // Known once next() has given a line.
    bool unicode() const { return marked_; }

private:
    enum class Encoding { unknown, utf8, utf16le, utf16be };

    static Encoding unmarkedEncoding(std::string_view firstLine);
    Got fill();
    Got readSome(char* to, std::size_t capacity, std::size_t& got);
    void decodeUtf16(std::string_view bytes, bool atEnd);
    Got lineOrProblem(const std::string& line);

    std::istream& in_;
    std::function<bool()> beforeRead_;
    std::array<char, 1 << 14> buffer_{}; // UTF-8, ready to be cut into lines
    std::array<char, 1 << 13> raw_{};    // UTF-16 as read
    std::size_t pos_ = 0;
    std::size_t len_ = 0;
    Encoding encoding_ = Encoding::unknown;
    std::string start_;          // the first bytes, until they tell the encoding
    int oddByte_ = -1;           // the first byte of a UTF-16 unit still to come
    char32_t highSurrogate_ = 0; // waiting for its low half
    bool ended_ = false;
    bool afterCr_ = false;  // a CR ended the last line: a LF right after it belongs to it
    bool skipping_ = false; // inside the rest of a line longer than the cap
    bool readAny_ = false;
    bool marked_ = false;
    std::string problem_;
    int error_ = 0;
};

} // namespace screencalc
