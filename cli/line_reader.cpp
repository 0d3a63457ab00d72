#include "cli/line_reader.h"

#include <algorithm>
#include <cerrno>
#include <istream>
#include <utility>

namespace screencalc {

namespace {

// Where UTF-16 input was broken, the decoded text holds one of these bytes,
// which well-formed UTF-8 never does.
constexpr char loneSurrogateMark = '\xFF';
constexpr char halfCharacterMark = '\xFE';

constexpr std::string_view utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view utf16leMark = "\xFF\xFE";
constexpr std::string_view utf16beMark = "\xFE\xFF";

// How many bytes at most tell the encoding.
constexpr std::size_t startCap = 256;

} // namespace

LineReader::Encoding LineReader::unmarkedEncoding(std::string_view firstLine) {
    bool nulEven = false, nulOdd = false;
    for (std::size_t i = 0; i < firstLine.size(); ++i) {
        if (firstLine[i] == '\0') {
            (i % 2 == 0 ? nulEven : nulOdd) = true;
        }
    }
    // Where both places hold NUL, it is no UTF-16 of text either.
    return nulOdd && !nulEven   ? Encoding::utf16le
           : nulEven && !nulOdd ? Encoding::utf16be
                                : Encoding::utf8;
}

LineReader::LineReader(std::istream& in, std::function<bool()> beforeRead)
    : in_(in), beforeRead_(std::move(beforeRead)) {}

LineReader::Got LineReader::next(std::string& line) {
    line.clear();
    bool begun = false;
    while (true) {
        if (pos_ == len_) {
            if (const Got got = fill(); got != Got::line) {
                // The last line may lack its end.
                return got == Got::end && begun && !skipping_ ? lineOrProblem(line) : got;
            }
        }
        if (afterCr_) {
            afterCr_ = false;
            if (buffer_[pos_] == '\n') {
                ++pos_;
                continue;
            }
        }
        const char* begin = buffer_.data() + pos_;
        const char* end = buffer_.data() + len_;
        const char* stop = std::find_if(begin, end, [](char c) { return c == '\n' || c == '\r'; });
        pos_ += static_cast<std::size_t>(stop - begin);
        begun = true;
        if (!skipping_) {
            if (line.size() + static_cast<std::size_t>(stop - begin) > lineCap) {
                skipping_ = true;
                line.clear();
                return Got::tooLong;
            }
            line.append(begin, stop);
        }
        if (stop != end) {
            afterCr_ = *stop == '\r';
            ++pos_;
            if (!skipping_) {
                return lineOrProblem(line);
            }
            skipping_ = false;
            begun = false;
        }
    }
}

LineReader::Got LineReader::lineOrProblem(const std::string& line) {
    if (encoding_ == Encoding::utf8) {
        return Got::line;
    }
    if (line.find(loneSurrogateMark) != std::string::npos) {
        problem_ = loneSurrogate;
    } else if (line.find(halfCharacterMark) != std::string::npos) {
        problem_ = halfCharacter;
    } else {
        return Got::line;
    }
    return Got::badText;
}

LineReader::Got LineReader::readSome(char* to, std::size_t capacity, std::size_t& got) {
    if (!beforeRead_()) {
        return Got::stopped;
    }
    errno = 0;
    // peek waits for input; readsome then takes what arrived, so rows typed
    // or piped in one at a time are answered at once.
    if (in_.peek() == std::char_traits<char>::eof()) {
        error_ = errno;
        return in_.bad() ? Got::failed : Got::end;
    }
    const std::streamsize n = in_.readsome(to, static_cast<std::streamsize>(capacity));
    if (n <= 0) {
        error_ = errno;
        return Got::failed;
    }
    got = static_cast<std::size_t>(n);
    readAny_ = true;
    return Got::line;
}

LineReader::Got LineReader::fill() {
    pos_ = len_ = 0;
    // The first bytes tell the encoding: a byte order mark, or else NUL
    // bytes in every other place of the first line, which is UTF-16 written
    // without its mark (iconv -t utf-16le does that). Text never holds NUL.
    while (encoding_ == Encoding::unknown) {
        char bytes[startCap];
        std::size_t n = 0;
        const Got got = readSome(bytes, startCap - start_.size(), n);
        if (got == Got::stopped || got == Got::failed) {
            return got;
        }
        start_.append(bytes, got == Got::end ? 0 : n);
        if (start_.starts_with(utf16leMark) || start_.starts_with(utf16beMark)) {
            encoding_ = start_.starts_with(utf16leMark) ? Encoding::utf16le : Encoding::utf16be;
            start_.erase(0, 2);
            marked_ = true;
        } else if (start_.starts_with(utf8Mark)) {
            encoding_ = Encoding::utf8;
            start_.erase(0, utf8Mark.size());
            marked_ = true;
        } else if (const std::size_t lineEnd = start_.find('\n');
                   got == Got::end || start_.size() == startCap || lineEnd != std::string::npos) {
            encoding_ = unmarkedEncoding(std::string_view(start_).substr(
                0, lineEnd == std::string::npos ? lineEnd : lineEnd + 1));
            marked_ = encoding_ != Encoding::utf8;
        }
    }
    if (!start_.empty()) {
        const std::string first = std::exchange(start_, {});
        if (encoding_ == Encoding::utf8) {
            len_ = first.copy(buffer_.data(), buffer_.size());
        } else {
            decodeUtf16(first, false);
        }
        if (len_ > 0) {
            return Got::line;
        }
    }
    while (!ended_) {
        std::size_t n = 0;
        if (encoding_ == Encoding::utf8) {
            const Got got = readSome(buffer_.data(), buffer_.size(), n);
            len_ = got == Got::line ? n : 0;
            return got;
        }
        const Got got = readSome(raw_.data(), raw_.size(), n);
        if (got != Got::line && got != Got::end) {
            return got;
        }
        ended_ = got == Got::end;
        decodeUtf16(std::string_view(raw_.data(), n), ended_);
        if (len_ > 0) {
            return Got::line;
        }
    }
    return Got::end;
}

void LineReader::decodeUtf16(std::string_view bytes, bool atEnd) {
    len_ = 0;
    const auto put = [&](char32_t c) {
        char* out = buffer_.data() + len_;
        if (c < 0x80) {
            out[0] = static_cast<char>(c);
            len_ += 1;
        } else if (c < 0x800) {
            out[0] = static_cast<char>(0xC0 | (c >> 6));
            out[1] = static_cast<char>(0x80 | (c & 0x3F));
            len_ += 2;
        } else if (c < 0x10000) {
            out[0] = static_cast<char>(0xE0 | (c >> 12));
            out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out[2] = static_cast<char>(0x80 | (c & 0x3F));
            len_ += 3;
        } else {
            out[0] = static_cast<char>(0xF0 | (c >> 18));
            out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out[3] = static_cast<char>(0x80 | (c & 0x3F));
            len_ += 4;
        }
    };
    const auto unit = [&](char32_t u) {
        if (highSurrogate_ != 0) {
            const char32_t high = std::exchange(highSurrogate_, 0);
            if (u >= 0xDC00 && u <= 0xDFFF) {
                put(0x10000 + ((high - 0xD800) << 10) + (u - 0xDC00));
                return;
            }
            buffer_[len_++] = loneSurrogateMark;
        }
        if (u >= 0xD800 && u <= 0xDBFF) {
            highSurrogate_ = u;
        } else if (u >= 0xDC00 && u <= 0xDFFF) {
            buffer_[len_++] = loneSurrogateMark;
        } else {
            put(u);
        }
    };
    for (const char c : bytes) {
        const int b = static_cast<unsigned char>(c);
        if (oddByte_ < 0) {
            oddByte_ = b;
            continue;
        }
        const int first = std::exchange(oddByte_, -1);
        unit(static_cast<char32_t>(encoding_ == Encoding::utf16le ? first | (b << 8)
                                                                  : (first << 8) | b));
    }
    if (atEnd && highSurrogate_ != 0) {
        highSurrogate_ = 0;
        buffer_[len_++] = loneSurrogateMark;
    }
    if (atEnd && oddByte_ >= 0) {
        oddByte_ = -1;
        buffer_[len_++] = halfCharacterMark;
    }
}

} // namespace screencalc
