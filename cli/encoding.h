#pragma once
// The byte encodings of batch input besides UTF-16 (which the line reader
// turns into UTF-8 itself): UTF-8, and GB18030, a superset of the GBK that
// spreadsheets on Chinese Windows save "CSV" in. GB18030 is decoded and
// encoded here with the tables of gb18030_table.h, the same on every system.

#include <cstddef>
#include <string>
#include <string_view>

namespace screencalc {

enum class TextEncoding {
    guess,   // the first line that is not ASCII decides: UTF-8 if it is, else GB18030 if it is
    utf8,    // --encoding utf-8, a byte order mark, UTF-16 input
    gb18030, // --encoding gb18030 (or gbk)
};

// The offset of the first byte that is not part of well-formed UTF-8, or npos.
std::size_t firstNonUtf8(std::string_view bytes);

// Appends the GB18030 bytes decoded to UTF-8. Returns npos, or the offset of
// the first byte that starts no GB18030 code (what was decoded before it is
// appended).
std::size_t decodeGb18030(std::string_view bytes, std::string& utf8);

// Appends well-formed UTF-8 encoded as GB18030, which has a code for every
// character.
void encodeGb18030(std::string_view utf8, std::string& out);

// Reads each line of a batch in the input's encoding, which it settles on
// as it goes.
class LineDecoder {
public:
    explicit LineDecoder(TextEncoding encoding) : encoding_(encoding) {}

    enum class Got {
        utf8,    // the line is well-formed UTF-8 as it stands
        decoded, // the line was GB18030; `utf8` holds it decoded
        bad,     // not text in the input's encoding; problem() says where
    };
    Got decode(std::string_view line, std::string& utf8);

    bool gb18030() const { return encoding_ == TextEncoding::gb18030; }
    const std::string& problem() const { return problem_; }

private:
    TextEncoding encoding_;
    bool guessed_ = false; // the encoding was settled by a line, not given
    std::string problem_;
};

// Whether a row's error is one that LineDecoder gives.
bool isEncodingProblem(std::string_view error);

} // namespace screencalc
