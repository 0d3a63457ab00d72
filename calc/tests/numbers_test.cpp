// Reading entry texts and showing numbers, as the labels show them.

#include "calc/numbers.h"

#include <array>
#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <string>

namespace calc {
namespace {

#define EXPECT_READS(text, value)                                                                  \
    EXPECT_EQ(numericValue(text), std::optional<double>(value)) << (text)

TEST(NumericValue, ReadsTheWholeTextOrFails) {
    EXPECT_READS("5.", 5);
    EXPECT_READS(".5", 0.5);
    EXPECT_READS("1245 ", 1245);                          // a label's text
    EXPECT_READS("9007199254740993", 9007199254740992.0); // correctly rounded, tie to even
    EXPECT_READS("0.1000000000000000055511151231257827021181583404541015625", 0.1);
    EXPECT_READS("1" + std::string(307, '0'), 1e307);
    EXPECT_READS("0." + std::string(400, '0') + "1", 0.0); // below the smallest double
    for (const std::string& text : std::initializer_list<std::string>{
             "", "   ", ".", " . ", "1.2.3", "12a", "abc", "-5", "+5", "1e3", "1,5", "1 2", "\t5",
             "inf", "0x10", "\xEF\xBC\x95", std::string("5\0", 2), std::string(400, '9')}) {
        EXPECT_FALSE(numericValue(text).has_value()) << '"' << text << '"';
    }
}

TEST(Patterns, RoundFifteenDigitsThenHalfAwayFromZero) {
    EXPECT_EQ(patWhole(2.5), "3 ");
    EXPECT_EQ(patWhole(2.4999999999999996), "3 "); // 2.50000000000000 in 15 digits
    EXPECT_EQ(patWhole(999.5), "1000 ");
    EXPECT_EQ(patWhole(123456789012345678.0), "123456789012346000 ");
    EXPECT_EQ(patTwoDecimals(1.005), "1.01 "); // 1.00499999999999989... as a double
    EXPECT_EQ(patTwoDecimals(0.125), "0.13 ");
    EXPECT_EQ(patTwoDecimals(9.995), "10.00 ");
    EXPECT_EQ(patTwoDecimalsBare(2.675), "2.68");
    EXPECT_EQ(plainNumberText(1245.5), "1245.5");
    EXPECT_EQ(plainNumberText(0.1 + 0.2), "0.3");
    EXPECT_EQ(plainNumberText(1e20), "100000000000000000000");
    EXPECT_EQ(plainNumberText(1234567890123.125), "1234567890123.12"); // tie to even
    EXPECT_EQ(plainNumberText(1234567890123.375), "1234567890123.38");
    EXPECT_EQ(plainNumberText(0.1 * 3), "0.3");
    EXPECT_EQ(plainNumberText(5e-324), "0." + std::string(323, '0') + "494065645841247");
    EXPECT_EQ(patWhole(-0.4), "0 ");
}

TEST(RoundedText, TiesToEvenAndKeepsTheSign) {
    EXPECT_EQ(roundedText(0.125, 2), "0.12");
    EXPECT_EQ(roundedText(0.375, 2), "0.38");
    EXPECT_EQ(roundedText(2.5, 0), "2");
    EXPECT_EQ(roundedText(999.5, 0), "1000");
    EXPECT_EQ(roundedText(-0.001, 2), "-0.00");
    EXPECT_EQ(roundedText(1.005, 2), "1.00"); // 1.00499999999999989... as a double
}

// std::to_chars is the reference: both texts must stand for one decimal,
// and distinct 15-digit decimals never read as one double.
TEST(RoundedText, AgreesWithToCharsOnAnyDouble) {
    std::mt19937_64 random(20261207);
    for (int i = 0; i < 30000; ++i) {
        const auto bits = random();
        const double x = i % 2 ? std::bit_cast<double>(bits) : std::ldexp(bits >> 11, -30);
        if (!std::isfinite(x)) {
            continue;
        }
        const int decimals = std::array{0, 1, 2, 17, 1100}[static_cast<std::size_t>(i % 5)];
        char buf[1500];
        auto end = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, decimals).ptr;
        ASSERT_EQ(roundedText(x, decimals), std::string(buf, end)) << decimals;
        end = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, 14).ptr;
        double fifteen = 0, plain = 0;
        std::from_chars(buf, end, fifteen);
        const std::string text = plainNumberText(x);
        std::from_chars(text.data(), text.data() + text.size(), plain);
        ASSERT_EQ(plain, fifteen) << text;
    }
}

// Qt calls setlocale(LC_ALL, "") at start, so a German desktop puts a comma
// locale under every C library number function. The Windows C runtime knows
// the locale by another name.
TEST(Locale, CommaDecimalLocaleChangesNothing) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "German_Germany.1252")) {
        if (std::getenv("CI")) {
            FAIL() << "de_DE.UTF-8 is not generated; tools/deps.sh test makes it";
        }
        GTEST_SKIP() << "no German locale available";
    }
    EXPECT_READS("1.5", 1.5);
    EXPECT_FALSE(numericValue("1,5").has_value());
    EXPECT_EQ(patTwoDecimals(1234.5), "1234.50 ");
    EXPECT_EQ(plainNumberText(1245.5), "1245.5");
    std::setlocale(LC_ALL, previous.c_str());
}

} // namespace
} // namespace calc
