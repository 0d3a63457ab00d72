#include "cli/standard_output.h"

#include <cerrno>
#include <cstdio>
#ifndef _WIN32
#include <climits>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace screencalc {

namespace {

#ifdef _WIN32

bool writeWhole(const std::string& text, std::size_t& written) {
    written = std::fwrite(text.data(), 1, text.size(), stdout);
    return written == text.size() && std::fflush(stdout) == 0;
}

std::string cutBack(std::size_t) {
    return {};
}

#else

bool writeAllOf(const char* bytes, std::size_t size, std::size_t& written) {
    while (size > 0) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes, size);
        if (n < 0 && errno != EINTR) {
            return false;
        }
        if (n > 0) {
            bytes += n;
            size -= static_cast<std::size_t>(n);
            written += static_cast<std::size_t>(n);
        }
    }
    return true;
}

// One line too long to go out in one piece: the signals that end the
// program wait until all of it is written.
bool writeLongLine(const char* bytes, std::size_t size, std::size_t& written) {
    sigset_t ending, previous;
    sigemptyset(&ending);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        sigaddset(&ending, signal);
    }
    sigprocmask(SIG_BLOCK, &ending, &previous);
    const bool whole = writeAllOf(bytes, size, written);
    const int error = errno;
    sigprocmask(SIG_SETMASK, &previous, nullptr);
    errno = error;
    return whole;
}

bool writeWhole(const std::string& text, std::size_t& written) {
    std::size_t from = 0;
    while (from < text.size()) {
        // As many whole lines as fit in PIPE_BUF bytes, or one longer line.
        std::size_t to = from;
        while (to < text.size()) {
            const std::size_t lineEnd = text.find('\n', to);
            const std::size_t next = lineEnd == std::string::npos ? text.size() : lineEnd + 1;
            if (to > from && next - from > PIPE_BUF) {
                break;
            }
            to = next;
        }
        const bool whole = to - from > PIPE_BUF
                               ? writeLongLine(text.data() + from, to - from, written)
                               : writeAllOf(text.data() + from, to - from, written);
        if (!whole) {
            return false;
        }
        from = to;
    }
    return true;
}

// Takes the `partial` bytes of a cut row off the output again; says how.
std::string cutBack(std::size_t partial) {
    const int error = errno;
    struct stat file {};
    const off_t end = lseek(STDOUT_FILENO, 0, SEEK_CUR);
    std::string how;
    if (fstat(STDOUT_FILENO, &file) == 0 && S_ISREG(file.st_mode) && end >= 0 &&
        static_cast<std::size_t>(end) >= partial &&
        ftruncate(STDOUT_FILENO, end - static_cast<off_t>(partial)) == 0) {
        lseek(STDOUT_FILENO, end - static_cast<off_t>(partial), SEEK_SET);
        how = "the file ends with the last whole row";
    } else {
        std::size_t ignored = 0;
        how = writeAllOf("\"\n", 2, ignored)
                  ? "the last row is cut; a quote after it keeps it from reading as a row"
                  : "the last row is cut";
    }
    errno = error;
    return how;
}

#endif

} // namespace

StandardOutput::int_type StandardOutput::overflow(int_type c) {
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        pending_ += traits_type::to_char_type(c);
    }
    return traits_type::not_eof(c);
}

std::streamsize StandardOutput::xsputn(const char* s, std::streamsize n) {
    pending_.append(s, static_cast<std::size_t>(n));
    return n;
}

int StandardOutput::sync() {
    std::size_t written = 0;
    const bool whole = writeWhole(pending_, written);
    if (!whole) {
        // The rows that went out whole end at a line end.
        const std::size_t rowsEnd = written == 0 ? 0 : pending_.rfind('\n', written - 1) + 1;
        if (written > rowsEnd) {
            cutRow_ = cutBack(written - rowsEnd);
        }
    }
    pending_.clear();
    return whole ? 0 : -1;
}

} // namespace screencalc
