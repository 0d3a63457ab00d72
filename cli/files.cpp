#include "cli/files.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace screencalc {

std::filesystem::path pathOf(const std::string& name) {
#ifdef _WIN32
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
#else
    return name;
#endif
}

#ifdef _WIN32

namespace {

bool identify(HANDLE file, BY_HANDLE_FILE_INFORMATION& info) {
    return file != INVALID_HANDLE_VALUE && file != nullptr && GetFileType(file) == FILE_TYPE_DISK &&
           GetFileInformationByHandle(file, &info) != 0;
}

} // namespace

bool isWrittenFile(const std::string* name, Written written) {
    BY_HANDLE_FILE_INFORMATION out{}, in{};
    if (!identify(GetStdHandle(written == Written::results ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE),
                  out)) {
        return false;
    }
    bool known = false;
    if (name == nullptr) {
        known = identify(GetStdHandle(STD_INPUT_HANDLE), in);
    } else {
        const HANDLE file = CreateFileW(
            pathOf(*name).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        known = identify(file, in);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
        }
    }
    return known && in.dwVolumeSerialNumber == out.dwVolumeSerialNumber &&
           in.nFileIndexHigh == out.nFileIndexHigh && in.nFileIndexLow == out.nFileIndexLow;
}

#else

bool isWrittenFile(const std::string* name, Written written) {
    struct stat out {};
    struct stat in {};
    if (fstat(written == Written::results ? STDOUT_FILENO : STDERR_FILENO, &out) != 0 ||
        !S_ISREG(out.st_mode)) {
        return false;
    }
    const int got = name == nullptr ? fstat(STDIN_FILENO, &in) : stat(name->c_str(), &in);
    return got == 0 && S_ISREG(in.st_mode) && in.st_dev == out.st_dev && in.st_ino == out.st_ino;
}

#endif

} // namespace screencalc
