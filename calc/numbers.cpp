#include "calc/numbers.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace calc {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A finite value as decimal digits: value = 0.<digits> * 10^pointPos, with
// exactly 15 significant digits, rounded to nearest by std::to_chars (which
// is correctly rounded and never looks at the locale).
struct Decimal {
    bool negative = false;
    std::string digits;
    int pointPos = 0;
};

Decimal fifteenDigits(double value) {
    char buf[40];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    (void)ec; // 40 characters hold any double with 15 digits
    std::string_view s(buf, static_cast<std::size_t>(end - buf));

    Decimal d;
    if (!s.empty() && s.front() == '-') {
        d.negative = true;
        s.remove_prefix(1);
    }
    const auto e = s.find('e');
    for (char c : s.substr(0, e)) {
        if (isDigit(c)) {
            d.digits.push_back(c);
        }
    }
    int exponent = 0;
    std::string_view exp = s.substr(e + 1);
    bool expNegative = exp.front() == '-';
    exp.remove_prefix(1); // to_chars always writes the exponent's sign
    std::from_chars(exp.data(), exp.data() + exp.size(), exponent);
    d.pointPos = (expNegative ? -exponent : exponent) + 1;
    return d;
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

// The value with `decimals` digits after the point, the 15-digit text rounded
// half away from zero. No blanks.
std::string fixed(double value, int decimals) {
    const Decimal d = fifteenDigits(value);
    std::string whole, fraction;
    split(d, whole, fraction);

    const auto keep = static_cast<std::size_t>(decimals);
    bool roundUp = fraction.size() > keep && fraction[keep] >= '5';
    fraction.resize(keep, '0');
    if (roundUp) {
        std::string all = whole + fraction;
        int i = static_cast<int>(all.size()) - 1;
        for (; i >= 0 && all[static_cast<std::size_t>(i)] == '9'; --i) {
            all[static_cast<std::size_t>(i)] = '0';
        }
        if (i < 0) {
            all.insert(all.begin(), '1');
        } else {
            ++all[static_cast<std::size_t>(i)];
        }
        whole = all.substr(0, all.size() - keep);
        fraction = all.substr(all.size() - keep);
    }
    stripLeadingZeros(whole);

    std::string out;
    if (d.negative && !allZeros(whole, fraction)) {
        out.push_back('-');
    }
    out += whole;
    if (decimals > 0) {
        out.push_back('.');
        out += fraction;
    }
    return out;
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
