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

// Raises std::invalid_argument for a mask character NumberMask does not
// know; out of line so that the mask can be read at compile time.
[[noreturn]] void ThrowUnsupportedMask(std::string_view mask);

// A number mask, read once and then used for any number of values: an
// optional leading "+" (sign on every value), digit positions "0" (always
// written) and "#" (written only where significant) and at most one ".".
// Any other character is a programming error (std::invalid_argument); in a
// constexpr mask it does not compile.
class NumberMask {
 public:
  constexpr explicit NumberMask(std::string_view mask) {
    std::size_t i = 0;
    if (!mask.empty() && mask[0] == '+') {
      m_plus = true;
      i = 1;
    }
    bool point = false;
    for (; i < mask.size(); ++i) {
      const char c = mask[i];
      if (c == '.' && !point) {
        point = true;
      } else if (c == '0' || c == '#') {
        if (point) {
          ++m_decimals;
          if (c == '0') m_fracRequired = m_decimals;
        } else if (c == '0') {
          ++m_intRequired;
        }
      } else {
        ThrowUnsupportedMask(mask);
      }
    }
  }

  constexpr bool Plus() const { return m_plus; }
  constexpr int IntRequired() const { return m_intRequired; }
  constexpr int Decimals() const { return m_decimals; }
  constexpr int FracRequired() const { return m_fracRequired; }

 private:
  bool m_plus = false;
  int m_intRequired = 0;   // "0" positions left of the point
  int m_decimals = 0;      // positions right of the point
  int m_fracRequired = 0;  // up to the last "0" right of the point
};

// `value` as text under `mask`, appended to `out` (nothing else of `out`
// changes). The integer part is written whole, without grouping. Rounding
// works on the shortest decimal form of the double (the digits that read
// back as the same value) and a value exactly halfway rounds away from zero.
// The point is written only when a decimal follows it; a value that rounds
// to zero carries no "-". An infinite value is written "inf" (with its
// sign), a NaN "nan". The text is ASCII, so its characters are its bytes.
void FormatTo(std::string& out, double value, const NumberMask& mask);

// The same as a new string, the mask read for this one call (a mask used
// for many values is better read once into a NumberMask).
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
