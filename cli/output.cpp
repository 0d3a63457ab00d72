#include "cli/output.h"

#include "cli/standard_output.h"

#include <cerrno>
#include <cstring>
#include <ostream>

namespace screencalc {

void writeAll(std::ostream& os, std::string_view s) {
    os.write(s.data(), static_cast<std::streamsize>(s.size()));
}

bool emit(std::ostream& out, std::ostream& err, std::string_view text) {
    errno = 0;
    writeAll(out, text);
    out.flush();
    if (out) {
        return true;
    }
    const int error = errno;
    const auto* standard = dynamic_cast<const StandardOutput*>(out.rdbuf());
    const std::string cut = standard != nullptr ? standard->cutRow() : std::string();
    writeAll(err, std::string("screencalc: writing the results failed") +
                      (error != 0 ? ": " + reason(error) : "") +
                      (cut.empty() ? "" : " (" + cut + ")") + "\n");
    return false;
}

void reportUsage(std::ostream& err, std::string_view message, bool pointToHelp) {
    writeAll(err, "screencalc: " + std::string(message) +
                      (pointToHelp ? " (see screencalc --help)\n" : "\n"));
}

std::string reason(int error) {
    return error != 0 ? std::strerror(error) : "the stream failed";
}

} // namespace screencalc
