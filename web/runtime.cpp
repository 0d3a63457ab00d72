// What the core needs from a runtime, without the host: memory comes from
// wasi-libc's allocator, which only grows the module's own memory, and a
// failure traps instead of printing (printing would import the host's file
// writes). The module then imports nothing at all.

#include <__verbose_abort> // libc++'s own declaration, in its versioned namespace
#include <cstddef>
#include <cstdlib>
#include <new>

void* operator new(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) {
        __builtin_trap();
    }
    return p;
}
void* operator new[](std::size_t size) {
    return ::operator new(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

// libc++ calls this on a broken precondition (it would print the reason).
[[noreturn]] void std::__libcpp_verbose_abort(const char*, ...) noexcept {
    __builtin_trap();
}
