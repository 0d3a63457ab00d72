#include "cli/tests/run.h"

#include "cli/screencalc_cli.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#ifdef _WIN32
#include <process.h>
#include <windows.h>
#define getpid _getpid
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

Ran run(const std::vector<std::string>& args, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = screencalc::runScreencalc(args, in, out, err);
    return {status, out.str(), err.str()};
}

void expectAll(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        const Ran r = run(c.args, c.input);
        const std::string row = c.args[0] + " " + (c.args.size() > 1 ? c.args[1] : "");
        EXPECT_EQ(r.status, c.status) << row;
        EXPECT_EQ(r.out, c.out) << row;
        EXPECT_EQ(r.err, c.err.empty() ? "" : "screencalc: " + c.err) << row;
    }
}

std::filesystem::path testFolder() {
    // Tests run side by side, from more than one build: each run of each
    // test gets its own folder.
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() /
        ("screencalc-" + std::to_string(getpid()) + "-" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

void writeInput(const std::filesystem::path& dir, const std::string& bytes) {
    std::ofstream(dir / "in", std::ios::binary) << bytes;
}

void expectResultsRunAgain(const std::filesystem::path& dir, const std::string& input) {
    writeInput(dir, input);
    const Ran first = runExecutable(dir, " --batch in");
    writeInput(dir, first.out);
    const Ran again = runExecutable(dir, " --batch in");
    EXPECT_EQ(again.out, first.out) << input;
    EXPECT_EQ(again.status, first.status) << input;
}

namespace {

std::string contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

Ran runExecutable(const std::filesystem::path& dir, const std::string& args,
                  [[maybe_unused]] const std::string& locale, const std::string& redirect,
                  [[maybe_unused]] const std::string& before) {
    std::filesystem::remove(dir / "out");
    std::filesystem::remove(dir / "err");
    const std::u8string folder = dir.u8string();
    const std::string d(folder.begin(), folder.end());
#ifdef _WIN32
    const std::string utf8 =
        "\"cd /d \"" + d + "\" && \"" SCREENCALC_EXE "\"" + args + redirect + "\"";
    std::wstring command(utf8.size(), L'\0');
    command.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                       command.data(), static_cast<int>(command.size())));
    const int status = _wsystem(command.c_str());
#else
    const std::string command = "cd '" + d + "' && (" + before + " LC_ALL=" + locale +
                                " LANG=" + locale + " '" SCREENCALC_EXE "'" + args + redirect + ")";
    const int wait = std::system(command.c_str());
    const int status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
#endif
    return {status, contents(dir / "out"), contents(dir / "err")};
}

std::string utf16(std::u16string_view text, bool littleEndian, bool marked) {
    std::string bytes = !marked ? "" : littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (const char16_t unit : text) {
        const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
        bytes += littleEndian ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}
