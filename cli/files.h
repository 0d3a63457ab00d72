#pragma once
// The files a batch reads, as the system sees them.

#include <filesystem>
#include <string>

namespace screencalc {

// A FILE argument is UTF-8; Windows opens it through its UTF-16 name.
std::filesystem::path pathOf(const std::string& name);

enum class Written { results, messages }; // standard output, standard error

// Whether the named file, or standard input when `name` is null, is the very
// regular file that standard output (or standard error) writes to (same
// device and file number, as cat checks): a batch would read its own rows
// or messages back without end. Pipes, terminals and devices are never the
// same file.
bool isWrittenFile(const std::string* name, Written written);

} // namespace screencalc
