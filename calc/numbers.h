#pragma once
// Text to number and number to text, exactly as the result labels show them.
// Nothing here consults the C locale: a German desktop must not turn "1.5"
// into 15 or show "1245,50".

#include <optional>
#include <string>
#include <string_view>

namespace calc {

// The number a whole text stands for: optional blanks, digits with at most
// one point (which may stand first or last), optional blanks. Anything else
// fails, including the empty text, a lone ".", signs, exponents, separators
// and digit runs too large for a double. Correctly rounded.
std::optional<double> numericValue(std::string_view text);

// The display patterns. Each first writes the value with 15 significant
// digits (rounded to nearest), then rounds that decimal text half away from
// zero to its number of decimals. No thousands separators; the point is ".".
std::string patWhole(double value);           // "0 "    -> "1235 "
std::string patInches(double value);          // "0 \" " -> "1235  "
std::string patTwoDecimals(double value);     // "0.00 " -> "1234.50 "
std::string patTwoDecimalsBare(double value); // "0.00"  -> "1234.50"

// The value correctly rounded (ties to even) to `decimals` digits after the
// point, as std::to_chars writes it in fixed notation: "1245.50", "-0.00".
std::string roundedText(double value, int decimals);

// A number without a pattern: at most 15 significant digits, no trailing
// zeros, no trailing point, no blanks ("1394", "1245.5").
std::string plainNumberText(double value);

} // namespace calc
