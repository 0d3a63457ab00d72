// The clock's text under the window's and the page's logo: the date with
// leading zeros, the time without.

#include "calc/layout.h"

#include <gtest/gtest.h>
#include <string>

namespace calc::layout {
namespace {

struct ClockRow {
    const char* name;
    int year, month, day, hour, minute, second;
    std::string text;
};

class Clock : public testing::TestWithParam<ClockRow> {};

TEST_P(Clock, Reads) {
    const ClockRow& r = GetParam();
    EXPECT_EQ(clockText(r.year, r.month, r.day, r.hour, r.minute, r.second), r.text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Clock,
    testing::Values(ClockRow{"earlyMorning", 2026, 12, 6, 4, 30, 7, "2026年12月06日4:30:7"},
                    ClockRow{"newYear", 2027, 1, 1, 0, 0, 0, "2027年01月01日0:0:0"},
                    ClockRow{"lastSecond", 2026, 10, 31, 23, 59, 59, "2026年10月31日23:59:59"}),
    [](const testing::TestParamInfo<ClockRow>& info) { return std::string(info.param.name); });

} // namespace
} // namespace calc::layout
