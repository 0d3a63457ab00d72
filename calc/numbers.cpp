#include "calc/numbers.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>
#include <vector>

namespace calc {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A value as decimal digits: |value| = 0.<digits> * 10^pointPos. Zero and
// the non-finite have no digits.
struct Decimal {
    bool negative = false;
    std::string digits;
    int pointPos = 1;
};

// A number in base 2^32, least significant limb first.
using Limbs = std::vector<std::uint32_t>;

void multiply(Limbs& n, std::uint32_t by) {
    std::uint64_t carry = 0;
    for (auto& limb : n) {
        carry += std::uint64_t{limb} * by;
        limb = static_cast<std::uint32_t>(carry);
        carry >>= 32;
    }
    if (carry != 0) {
        n.push_back(static_cast<std::uint32_t>(carry));
    }
}

std::uint32_t divide(Limbs& n, std::uint32_t by) {
    std::uint64_t rest = 0;
    for (auto limb = n.rbegin(); limb != n.rend(); ++limb) {
        rest = rest << 32 | *limb;
        *limb = static_cast<std::uint32_t>(rest / by);
        rest %= by;
    }
    while (!n.empty() && n.back() == 0) {
        n.pop_back();
    }
    return static_cast<std::uint32_t>(rest);
}

// Every finite double is a finite decimal: mantissa * 2^exponent, and below
// 1 that is mantissa * 5^-exponent / 10^-exponent. Worked out with whole
// numbers here rather than by std::to_chars with a precision, whose tables
// of powers of ten would be most of the page's module.
Decimal exactDecimal(double value) {
    Decimal d;
    d.negative = std::signbit(value);
    if (!std::isfinite(value) || value == 0) {
        return d;
    }
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const auto biased = static_cast<int>(bits >> 52 & 0x7FF);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    int exponent = -1074; // subnormal
    if (biased != 0) {
        mantissa |= std::uint64_t{1} << 52;
        exponent = biased - 1075;
    }
    Limbs n{static_cast<std::uint32_t>(mantissa), static_cast<std::uint32_t>(mantissa >> 32)};
    for (int twos = exponent; twos > 0; twos -= 31) {
        multiply(n, std::uint32_t{1} << std::min(twos, 31));
    }
    const int scale = std::max(-exponent, 0); // value = n / 10^scale
    for (int fives = scale; fives > 0; fives -= 13) {
        std::uint32_t by = 1;
        for (int i = std::min(fives, 13); i > 0; --i) {
            by *= 5;
        }
        multiply(n, by);
    }
    while (!n.empty()) {
        std::uint32_t group = divide(n, 1000000000);
        char nine[9];
        for (int i = 8; i >= 0; --i, group /= 10) {
            nine[i] = static_cast<char>('0' + group % 10);
        }
        d.digits.insert(0, nine, 9);
    }
    d.digits.erase(0, d.digits.find_first_not_of('0'));
    d.pointPos = static_cast<int>(d.digits.size()) - scale;
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
    return d;
}

enum class Ties { toEven, awayFromZero };

// Keeps the first `keep` digits (none if `keep` is 0 or less), rounding to
// nearest by those that follow.
void keepDigits(Decimal& d, int keep, Ties ties) {
    if (keep >= static_cast<int>(d.digits.size())) {
        return;
    }
    bool up = false;
    if (keep >= 0) {
        const auto at = static_cast<std::size_t>(keep);
        const char next = d.digits[at];
        const bool half = next == '5' && at + 1 == d.digits.size(); // no zeros trail
        const bool odd = at > 0 && (d.digits[at - 1] - '0') % 2 == 1;
        up = next > '5' || (next == '5' && !half) || (half && (ties == Ties::awayFromZero || odd));
    }
    d.digits.resize(static_cast<std::size_t>(std::max(keep, 0)));
    if (!up) {
        return;
    }
    while (!d.digits.empty() && d.digits.back() == '9') {
        d.digits.pop_back();
    }
    if (d.digits.empty()) {
        d.digits = "1"; // 0.999.. * 10^p rounded up is 0.1 * 10^(p+1)
        ++d.pointPos;
    } else {
        ++d.digits.back();
    }
}

// Splits a decimal into the digits before and after the point.
void split(const Decimal& d, std::string& whole, std::string& fraction) {
    const int n = static_cast<int>(d.digits.size());
    if (d.pointPos <= 0) {
        whole.assign(1, '0');
        fraction.assign(static_cast<std::size_t>(-d.pointPos), '0');
        fraction += d.digits;
    } else if (d.pointPos >= n) {
        whole = d.digits;
        whole.append(static_cast<std::size_t>(d.pointPos - n), '0');
        fraction.clear();
    } else {
        whole = d.digits.substr(0, static_cast<std::size_t>(d.pointPos));
        fraction = d.digits.substr(static_cast<std::size_t>(d.pointPos));
    }
}

void stripLeadingZeros(std::string& whole) {
    const auto first = whole.find_first_not_of('0');
    whole = first == std::string::npos ? "0" : whole.substr(first);
}

bool allZeros(const std::string& a, const std::string& b) {
    return a.find_first_not_of('0') == std::string::npos &&
           b.find_first_not_of('0') == std::string::npos;
}

// The value correctly rounded to 15 significant digits, as printf's "%.14e"
// rounds it: to nearest, ties to even.
Decimal fifteenDigits(double value) {
    Decimal d = exactDecimal(value);
    keepDigits(d, 15, Ties::toEven);
    return d;
}

// Rounds to `decimals` digits after the point and writes them, no blanks.
// A negative value that rounds to zero keeps its sign only if asked to.
std::string pointText(Decimal d, int decimals, Ties ties, bool signedZero) {
    keepDigits(d, d.pointPos + decimals, ties);
    std::string whole, fraction;
    split(d, whole, fraction);
    stripLeadingZeros(whole);
    fraction.resize(static_cast<std::size_t>(decimals), '0');

    std::string out;
    if (d.negative && (signedZero || !allZeros(whole, fraction))) {
        out.push_back('-');
    }
    out += whole;
    if (decimals > 0) {
        out.push_back('.');
        out += fraction;
    }
    return out;
}

// The value with `decimals` digits after the point, the 15-digit text rounded
// half away from zero.
std::string fixed(double value, int decimals) {
    return pointText(fifteenDigits(value), decimals, Ties::awayFromZero, false);
}

} // namespace

std::optional<double> numericValue(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    const auto last = text.find_last_not_of(' ');
    const std::string_view body = text.substr(first, last - first + 1);

    bool point = false;
    bool digit = false;
    for (char c : body) {
        if (c == '.') {
            if (point) {
                return std::nullopt;
            }
            point = true;
        } else if (isDigit(c)) {
            digit = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digit) {
        return std::nullopt;
    }

    // from_chars wants a digit on both sides of the point; "5." is 5 and
    // ".5" is 0.5.
    std::string normal(body);
    if (normal.front() == '.') {
        normal.insert(normal.begin(), '0');
    }
    if (normal.back() == '.') {
        normal.pop_back();
    }
    double value = 0;
    const auto [ptr, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value,
                                           std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) {
        // Out of range below 1 is below the smallest double: that reads as 0.
        // Out of range above it is too large for a double: not a number here.
        const auto firstNonZero = normal.find_first_not_of('0');
        return firstNonZero != std::string::npos && normal[firstNonZero] == '.' ? std::optional(0.0)
                                                                                : std::nullopt;
    }
    if (ec != std::errc{} || ptr != normal.data() + normal.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string patWhole(double value) {
    return fixed(value, 0) + " ";
}

std::string patInches(double value) {
    return fixed(value, 0) + "  ";
}

std::string patTwoDecimals(double value) {
    return fixed(value, 2) + " ";
}

std::string patTwoDecimalsBare(double value) {
    return fixed(value, 2);
}

std::string roundedText(double value, int decimals) {
    return pointText(exactDecimal(value), decimals, Ties::toEven, true);
}

std::string plainNumberText(double value) {
    const Decimal d = fifteenDigits(value);
    std::string whole, fraction;
    split(d, whole, fraction);
    stripLeadingZeros(whole);
    const auto last = fraction.find_last_not_of('0');
    fraction.resize(last == std::string::npos ? 0 : last + 1);

    std::string out;
    if (d.negative && !allZeros(whole, fraction)) {
        out.push_back('-');
    }
    out += whole;
    if (!fraction.empty()) {
        out.push_back('.');
        out += fraction;
    }
    return out;
}

} // namespace calc
