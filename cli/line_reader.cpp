#include "cli/line_reader.h"

#include <algorithm>
#include <cerrno>
#include <istream>
#include <utility>

namespace screencalc {

LineReader::LineReader(std::istream& in, std::function<bool()> beforeRead)
    : in_(in), beforeRead_(std::move(beforeRead)) {}

LineReader::Got LineReader::next(std::string& line) {
    line.clear();
    bool begun = false;
    while (true) {
        if (pos_ == len_) {
            if (const Got got = fill(); got != Got::line) {
                // The last line may lack its end.
                return got == Got::end && begun && !skipping_ ? Got::line : got;
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
                return Got::line;
            }
            skipping_ = false;
            begun = false;
        }
    }
}

LineReader::Got LineReader::fill() {
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
    const std::streamsize n = in_.readsome(buffer_.data(), buffer_.size());
    if (n <= 0) {
        error_ = errno;
        return Got::failed;
    }
    pos_ = 0;
    len_ = static_cast<std::size_t>(n);
    readAny_ = true;
    return Got::line;
}

} // namespace screencalc
