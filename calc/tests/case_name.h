#pragma once
// Table rows print as their name, so CTest lists readable test names.

#include <ostream>

namespace calc {
namespace {

template <typename Row>
requires requires(const Row& r) {
    r.name;
}
void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

} // namespace
} // namespace calc
