#pragma once
// The one buffer through which texts cross between a module and the page,
// in UTF-8: the page writes a text there and passes its length; a function
// that answers with a text writes it there and returns its length, or
// tooLong when the text does not fit (the page then fails loudly rather
// than read half an answer). The buffer's address and size are exported as
// buffer and bufferSize.

#include <cstddef>
#include <limits>
#include <string_view>

#define EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace web {

inline constexpr std::size_t bufferSize = 64 * 1024;
// An answer longer than the buffer; the script sees it as -1.
inline constexpr std::size_t tooLong = std::numeric_limits<std::size_t>::max();

// Puts the answer in the buffer: its length, or tooLong.
std::size_t answer(std::string_view text);
// The text the page put in the buffer.
std::string_view given(std::size_t length);

} // namespace web
