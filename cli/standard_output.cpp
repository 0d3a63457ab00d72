#include "cli/standard_output.h"

#include <cerrno>
#include <cstdio>
#ifndef _WIN32
#include <climits>
#include <csignal>
#include <unistd.h>
#endif

namespace screencalc {

namespace {

#ifdef _WIN32

bool writeWhole(const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
           std::fflush(stdout) == 0;
}

#else

bool writeAllOf(const char* bytes, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes, size);
        if (n < 0 && errno != EINTR) {
            return false;
        }
        if (n > 0) {
            bytes += n;
            size -= static_cast<std::size_t>(n);
        }
    }
    return true;
}

// One line too long to go out in one piece: the signals that end the
// program wait until all of it is written.
bool writeLongLine(const char* bytes, std::size_t size) {
    sigset_t ending, previous;
    sigemptyset(&ending);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        sigaddset(&ending, signal);
    }
    sigprocmask(SIG_BLOCK, &ending, &previous);
    const bool written = writeAllOf(bytes, size);
    const int error = errno;
    sigprocmask(SIG_SETMASK, &previous, nullptr);
    errno = error;
    return written;
}

bool writeWhole(const std::string& text) {
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
        const bool written = to - from > PIPE_BUF ? writeLongLine(text.data() + from, to - from)
                                                  : writeAllOf(text.data() + from, to - from);
        if (!written) {
            return false;
        }
        from = to;
    }
    return true;
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
    const bool written = writeWhole(pending_);
    pending_.clear();
    return written ? 0 : -1;
}

} // namespace screencalc
