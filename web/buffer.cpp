#include "web/buffer.h"

namespace web {

namespace {
char buffer[bufferSize];
} // namespace

std::size_t answer(std::string_view text) {
    if (text.size() > bufferSize) {
        return tooLong;
    }
    return text.copy(buffer, text.size());
}

std::string_view given(std::size_t length) {
    return {buffer, length < bufferSize ? length : bufferSize};
}

} // namespace web

EXPORT(buffer) char* exportedBuffer() {
    return web::buffer;
}
EXPORT(bufferSize) std::size_t exportedBufferSize() {
    return web::bufferSize;
}
