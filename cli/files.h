#pragma once
// The files a batch reads, as the system sees them.

#include <filesystem>
#include <string>

namespace screencalc {

// A FILE argument is UTF-8; Windows opens it through its UTF-16 name.
std::filesystem::path pathOf(const std::string& name);

// Whether the named file, or standard input when `name` is null, is the very
// regular file that standard output writes to (same device and file number,
// as cat checks): a batch would read its own rows back without end.
// Pipes, terminals and devices are never the same file.
bool isStandardOutputFile(const std::string* name);

} // namespace screencalc
