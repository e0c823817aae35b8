// Text and number functions of our framework layer: plain C++ on UTF-8
// std::string, no Qt. Character counts and cuts count Unicode code points,
// never bytes. Numbers are read and written without the user's locale, so a
// machine set to a comma decimal separator writes the same report.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fw {

// The number that `text` begins with, as a double; 0 when it begins with none
// (also for ""). Leading spaces and tabs are skipped. Accepted form: an
// optional sign, digits with an optional point (the leading zero may be
// missing: ".011"), an optional exponent ("e-3", only when digits follow).
// Anything after the number is ignored. The value is the nearest double: a
// number too large for a double is plus or minus infinity (an absurd value
// must not read as a perfect fit), one too small is 0.
double Val(std::string_view text);

// `value` as text under `mask`. The mask is an optional leading "+" (sign on
// every value), digit positions "0" (always written) and "#" (written only
// where significant) and at most one ".". The integer part is written whole,
// without grouping. Rounding works on the shortest decimal form of the
// double (the digits that read back as the same value) and a value exactly
// halfway rounds away from zero. The point is written only when a decimal
// follows it; a value that rounds to zero carries no "-". Any other mask
// character is a programming error (std::invalid_argument). An infinite
// value is written "inf" (with its sign), a NaN "nan".
std::string Format(double value, std::string_view mask);

// Field `k` (counted from 1) of `text` split at `delimiter`; "" for k < 1,
// past the last field, or for an empty delimiter.
std::string NthField(std::string_view text, std::string_view delimiter, std::int64_t k);

// `text` without leading and trailing white space (ASCII white space and the
// Unicode space characters, no-break space included).
std::string Trim(std::string_view text);

// The first `count` characters of `text` (all of it when shorter).
std::string Left(std::string_view text, std::int64_t count);

// The number of characters in `text`.
std::int64_t Len(std::string_view text);

// The character with code point `code`, UTF-8 encoded ("" for an invalid code).
std::string Chr(std::uint32_t code);

// The code point of the first character of `text`; 0 for "".
std::int64_t Asc(std::string_view text);

// The report's line end: LF.
inline constexpr std::string_view EndOfLine = "\n";

}  // namespace fw
