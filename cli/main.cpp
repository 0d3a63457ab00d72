#include "cli/screencalc_cli.h"
#include "cli/standard_output.h"

#include <iostream>
#include <string>
#include <vector>
#ifndef _WIN32
#include <csignal>
#include <unistd.h>
#endif

#ifdef _WIN32
// shellapi.h needs what windows.h defines.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on
#include <fcntl.h>
#include <io.h>

namespace {

// The arguments as typed, in UTF-8. argv holds them in the ANSI code page,
// which garbles Chinese and turns full-width digits into ASCII ones.
std::vector<std::string> utf8Arguments() {
    std::vector<std::string> args;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; wide != nullptr && i < count; ++i) {
        const int units = static_cast<int>(wcslen(wide[i]));
        std::string& arg = args.emplace_back(static_cast<std::size_t>(units) * 3, '\0');
        arg.resize(static_cast<std::size_t>(
            WideCharToMultiByte(CP_UTF8, 0, wide[i], units, arg.data(),
                                static_cast<int>(arg.size()), nullptr, nullptr)));
    }
    LocalFree(wide);
    return args;
}

// A console shows the UTF-8 output as UTF-8 while the program runs, then
// gets its own code page back.
class Utf8Console {
public:
    Utf8Console() : previous_(GetConsoleOutputCP()) {
        DWORD mode = 0;
        for (const DWORD handle : {STD_OUTPUT_HANDLE, STD_ERROR_HANDLE}) {
            if (GetConsoleMode(GetStdHandle(handle), &mode)) {
                changed_ = SetConsoleOutputCP(CP_UTF8) != 0;
            }
        }
    }
    ~Utf8Console() {
        if (changed_) {
            SetConsoleOutputCP(previous_);
        }
    }
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    UINT previous_;
    bool changed_ = false;
};

} // namespace
#endif

namespace {

bool outputIsTerminal() {
#ifdef _WIN32
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
#else
    return isatty(STDOUT_FILENO) == 1;
#endif
}

} // namespace

int main(int argc, char** argv) {
    // No setlocale: the program stays in the "C" locale whatever LANG says,
    // and prints no number through the streams anyway.
    std::ios::sync_with_stdio(false);
#ifdef _WIN32
    (void)argc;
    (void)argv;
    const std::vector<std::string> args = utf8Arguments();
    const Utf8Console console;
    // Bytes in and out as they are: LF line ends on every system, and a
    // Ctrl-Z in the input is no end of file.
    for (FILE* stream : {stdin, stdout, stderr}) {
        if (const int fd = _fileno(stream); fd >= 0) { // a closed stream has none
            _setmode(fd, _O_BINARY);
        }
    }
#else
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    // Past a file size limit a write fails (EFBIG) and is reported as any
    // other failed write, the cut row taken off, rather than the signal
    // ending the program without a word.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    screencalc::StandardOutput standardOutput;
    std::ostream out(&standardOutput);
    return screencalc::runScreencalc(args, std::cin, out, std::cerr,
                                     {.own = true, .outputIsTerminal = outputIsTerminal()});
}
