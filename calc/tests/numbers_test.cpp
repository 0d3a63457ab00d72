// Conversions, display patterns and the stored constants.

#include "case_name.h"
#include "constants.h"
#include "numbers.h"

#include <bit>
#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace calc {
namespace {

struct BitsCase {
    const char* name;
    double value;
    std::uint64_t bits;
};

class ConstantBits : public testing::TestWithParam<BitsCase> {};

TEST_P(ConstantBits, MatchesStoredDouble) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(GetParam().value), GetParam().bits);
}

INSTANTIATE_TEST_SUITE_P(Constants, ConstantBits,
                         testing::Values(BitsCase{"mmPerInch169", mmPerInch169, 0x40362355475A31A5},
                                         BitsCase{"mmPerInch43", mmPerInch43, 0x403451EE2EF230DF},
                                         BitsCase{"ratio169Full", ratio169Full, 0x3FFC71C71C71C726},
                                         BitsCase{"ratio169Short", ratio169Short,
                                                  0x3FFC71C71C713E48},
                                         BitsCase{"ratio169Long", ratio169Long, 0x3FFC71C71C71B96E},
                                         BitsCase{"ratio43", ratio43, 0x3FF5555555551AB1}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ParseCase {
    const char* name;
    std::string text;
    bool ok;
    double value;
};

class NumericValue : public testing::TestWithParam<ParseCase> {};

TEST_P(NumericValue, ReadsWholeTextOrFails) {
    const auto& c = GetParam();
    const auto v = numericValue(c.text);
    ASSERT_EQ(v.has_value(), c.ok) << '"' << c.text << '"';
    if (c.ok) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(*v), std::bit_cast<std::uint64_t>(c.value));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumericValue,
    testing::Values(
        ParseCase{"TrailingPoint", "5.", true, 5}, ParseCase{"LeadingPoint", ".5", true, 0.5},
        ParseCase{"LabelWithBlank", "1245 ", true, 1245}, ParseCase{"Zero", "0", true, 0},
        ParseCase{"BlanksAround", "  12.25  ", true, 12.25},
        ParseCase{"LeadingZeros", "007", true, 7},
        ParseCase{"LongestEntry", "999999999", true, 999999999},
        ParseCase{"TieRoundsToEven", "9007199254740993", true, 9007199254740992.0},
        ParseCase{"ManyDigitsCorrectlyRounded",
                  "0.1000000000000000055511151231257827021181583404541015625", true, 0.1},
        ParseCase{"Huge", "1" + std::string(307, '0'), true, 1e307},
        ParseCase{"Empty", "", false, 0}, ParseCase{"OnlyBlanks", "   ", false, 0},
        ParseCase{"LonePoint", ".", false, 0}, ParseCase{"LonePointInBlanks", " . ", false, 0},
        ParseCase{"SecondPoint", "1.2.3", false, 0}, ParseCase{"TrailingLetter", "12a", false, 0},
        ParseCase{"Letters", "abc", false, 0}, ParseCase{"Minus", "-5", false, 0},
        ParseCase{"Plus", "+5", false, 0}, ParseCase{"Exponent", "1e3", false, 0},
        ParseCase{"Comma", "1,5", false, 0}, ParseCase{"Thousands", "1,000", false, 0},
        ParseCase{"InnerBlank", "1 2", false, 0}, ParseCase{"Tab", "\t5", false, 0},
        ParseCase{"Infinity", "inf", false, 0}, ParseCase{"Hex", "0x10", false, 0},
        ParseCase{"FullWidthDigit", "\xEF\xBC\x95", false, 0},
        ParseCase{"NulInside", std::string("5\0", 2), false, 0},
        ParseCase{"BeyondDouble", std::string(400, '9'), false, 0},
        ParseCase{"BelowSmallestDoubleIsZero", "0." + std::string(400, '0') + "1", true, 0},
        ParseCase{"SmallestDouble", "." + std::string(323, '0') + "5", true, 5e-324}),
    [](const auto& info) { return std::string(info.param.name); });

struct PatternCase {
    const char* name;
    std::string (*pattern)(double);
    double value;
    const char* shown;
};

class Patterns : public testing::TestWithParam<PatternCase> {};

TEST_P(Patterns, ShowExactText) {
    EXPECT_EQ(GetParam().pattern(GetParam().value), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Rounding, Patterns,
    testing::Values(PatternCase{"WholeRoundsUp", patWhole, 2213.802, "2214 "},
                    PatternCase{"WholeHalfUp", patWhole, 0.5, "1 "},
                    PatternCase{"WholeHalfAwayNotEven", patWhole, 2.5, "3 "},
                    PatternCase{"WholeZero", patWhole, 0, "0 "},
                    PatternCase{"WholeJustBelowHalfRoundsUpAfter15Digits", patWhole,
                                2.4999999999999996, "3 "},
                    PatternCase{"WholeBelowHalfAt15Digits", patWhole, 2.49999999999999, "2 "},
                    PatternCase{"WholeJustAboveHalf", patWhole, 1245.5000000000002, "1246 "},
                    PatternCase{"WholeCarries", patWhole, 999.5, "1000 "},
                    PatternCase{"WholeTinyIsZero", patWhole, 1e-300, "0 "},
                    PatternCase{"WholeLargeKeeps15Digits", patWhole, 123456789012345678.0,
                                "123456789012346000 "},
                    PatternCase{"InchesTwoBlanks", patInches, 1234.5, "1235  "},
                    PatternCase{"InchesHalf", patInches, 84.5, "85  "},
                    PatternCase{"TwoDecimals15DigitRule", patTwoDecimals, 1.005, "1.01 "},
                    PatternCase{"TwoDecimalsUp", patTwoDecimals, 4.517, "4.52 "},
                    PatternCase{"TwoDecimalsPadded", patTwoDecimals, 100, "100.00 "},
                    PatternCase{"TwoDecimalsLeadingZero", patTwoDecimals, 0.0225857, "0.02 "},
                    PatternCase{"TwoDecimalsHalfAway", patTwoDecimals, 0.125, "0.13 "},
                    PatternCase{"TwoDecimalsCarry", patTwoDecimals, 9.995, "10.00 "},
                    PatternCase{"TwoDecimalsBelowHalf", patTwoDecimals, 1.00499999999999, "1.00 "},
                    PatternCase{"BareNoBlank", patTwoDecimalsBare, 1234.5, "1234.50"},
                    PatternCase{"BareRounds", patTwoDecimalsBare, 2.675, "2.68"},
                    PatternCase{"PlainWhole", plainNumberText, 1405, "1405"},
                    PatternCase{"PlainFraction", plainNumberText, 1245.5, "1245.5"},
                    PatternCase{"PlainZero", plainNumberText, 0, "0"},
                    PatternCase{"Plain15Digits", plainNumberText, 0.1 + 0.2, "0.3"},
                    PatternCase{"PlainBelowOne", plainNumberText, 0.25, "0.25"},
                    PatternCase{"PlainLarge", plainNumberText, 1e20, "100000000000000000000"}),
    [](const auto& info) { return std::string(info.param.name); });

// Qt calls setlocale(LC_ALL, "") at start, so a German desktop puts a comma
// locale under every C library number function.
TEST(Locale, CommaDecimalLocaleChangesNothing) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) {
        if (std::getenv("CI")) {
            FAIL() << "de_DE.UTF-8 is not generated; tools/deps.sh makes it";
        }
        GTEST_SKIP() << "de_DE.UTF-8 not available";
    }
    EXPECT_EQ(numericValue("1.5"), 1.5);
    EXPECT_FALSE(numericValue("1,5").has_value());
    EXPECT_EQ(patTwoDecimals(1234.5), "1234.50 ");
    EXPECT_EQ(patWhole(1234567.0), "1234567 ");
    EXPECT_EQ(plainNumberText(1245.5), "1245.5");
    std::setlocale(LC_ALL, previous.c_str());
}

} // namespace
} // namespace calc
