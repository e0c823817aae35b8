#include "framework/Text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <system_error>

namespace fw {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Decodes the code point that starts at `i` and moves `i` past it. The
// texts are UTF-8 by construction; a stray byte counts as one character.
std::uint32_t DecodeAt(std::string_view s, std::size_t& i) {
  auto b = static_cast<unsigned char>(s[i]);
  if (b < 0x80) {
    ++i;
    return b;
  }
  int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
  std::uint32_t cp = extra == 0 ? b : b & (0x3F >> extra);
  std::size_t j = i + 1;
  for (int k = 0; k < extra && j < s.size() && (static_cast<unsigned char>(s[j]) & 0xC0) == 0x80; ++k, ++j)
    cp = (cp << 6) | (static_cast<unsigned char>(s[j]) & 0x3F);
  i = j;
  return cp;
}

bool IsWhiteSpace(std::uint32_t cp) {
  switch (cp) {
    case ' ': case '\t': case '\n': case '\v': case '\f': case '\r':
    case 0x00A0: case 0x1680: case 0x2028: case 0x2029: case 0x202F: case 0x205F: case 0x3000:
      return true;
    default:
      return cp >= 0x2000 && cp <= 0x200A;
  }
}

// A mask read once: its sign flag and its digit positions.
struct Mask {
  bool plus = false;
  int intRequired = 0;   // "0" positions left of the point
  int decimals = 0;      // positions right of the point
  int fracRequired = 0;  // up to the last "0" right of the point
};

Mask ParseMask(std::string_view mask) {
  Mask m;
  std::size_t i = 0;
  if (!mask.empty() && mask[0] == '+') {
    m.plus = true;
    i = 1;
  }
  bool point = false;
  for (; i < mask.size(); ++i) {
    char c = mask[i];
    if (c == '.' && !point) {
      point = true;
    } else if (c == '0' || c == '#') {
      if (point) {
        ++m.decimals;
        if (c == '0') m.fracRequired = m.decimals;
      } else if (c == '0') {
        ++m.intRequired;
      }
    } else {
      throw std::invalid_argument("unsupported number mask: " + std::string(mask));
    }
  }
  return m;
}

// Adds one to a string of decimal digits.
void Increment(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

// |value| x 10^decimals rounded to a whole number, as decimal digits. The
// rounding works on the shortest decimal form of the double, so a value
// reads as its writer meant it (0.0765, not 0.07649999...), and a value
// exactly halfway goes away from zero.
std::string ScaledDigits(double magnitude, int decimals) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
  std::string_view text(buffer, std::size_t(result.ptr - buffer));
  std::size_t e = text.find('e');
  std::string digits;
  for (char c : text.substr(0, e))
    if (IsDigit(c)) digits += c;
  int exponent = 0;
  std::string_view exp = text.substr(e + 1);
  if (!exp.empty() && exp[0] == '+') exp.remove_prefix(1);
  std::from_chars(exp.data(), exp.data() + exp.size(), exponent);

  // digits[k] weighs 10^(exponent - k); the scaled number's last digit weighs 10^-decimals.
  long shift = long(exponent) - long(digits.size() - 1) + decimals;
  if (shift >= 0) return digits + std::string(std::size_t(shift), '0');
  std::size_t drop = std::size_t(-shift);
  if (drop > digits.size()) return "0";
  std::size_t keep = digits.size() - drop;
  bool up = digits[keep] >= '5';
  std::string kept = keep == 0 ? "0" : digits.substr(0, keep);
  if (up) Increment(kept);
  return kept;
}

// Where the first significant digit of a plain decimal number stands: 1
// for 1.5, 3 for 100, -1 for 0.05, shifted by the exponent and saturated
// far outside a double's range. Out of range, its sign tells overflow from
// underflow. The number must hold a digit other than 0.
long DecimalExponent(std::string_view number) {
  constexpr long kFar = 100000;
  long place = 0;
  bool significant = false, afterPoint = false;
  std::size_t i = 0;
  for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
    const char c = number[i];
    if (c == '.') {
      afterPoint = true;
    } else if (!significant && c == '0') {
      if (afterPoint) --place;
    } else {
      significant = true;
      if (!afterPoint) ++place;
    }
  }
  long exponent = 0;
  if (i < number.size()) {
    const bool minus = ++i < number.size() && number[i] == '-';
    if (i < number.size() && (number[i] == '-' || number[i] == '+')) ++i;
    for (; i < number.size() && exponent < kFar; ++i) exponent = exponent * 10 + (number[i] - '0');
    if (minus) exponent = -exponent;
  }
  return std::clamp(place + exponent, -kFar, kFar);
}

}  // namespace

double Val(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t start = i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    std::size_t j = i + 1;
    while (j < text.size() && IsDigit(text[j])) ++j, ++digits;
    if (digits > 0) i = j;
  }
  if (digits == 0) return 0.0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    std::size_t k = j;
    while (k < text.size() && IsDigit(text[k])) ++k;
    if (k > j) i = k;
  }
  double value = 0.0;
  auto [end, error] = std::from_chars(text.data() + start, text.data() + i, value);
  if (error == std::errc::result_out_of_range)
    value = DecimalExponent(text.substr(start, i - start)) > 0 ? HUGE_VAL : 0.0;
  return negative ? -value : value;
}

std::string Format(double value, std::string_view maskText) {
  const Mask mask = ParseMask(maskText);
  // No mask can show these; writing 0 would hide that a sum overflowed.
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : mask.plus ? "+inf" : "inf";
  std::string scaled = ScaledDigits(std::fabs(value), mask.decimals);

  std::size_t cut = scaled.size() > std::size_t(mask.decimals) ? scaled.size() - std::size_t(mask.decimals) : 0;
  std::string whole = scaled.substr(0, cut);
  std::string fraction = scaled.substr(cut);
  fraction.insert(0, std::size_t(mask.decimals) - fraction.size(), '0');

  bool zero = scaled.find_first_not_of('0') == std::string::npos;
  std::size_t firstNonZero = whole.find_first_not_of('0');
  whole = firstNonZero == std::string::npos ? "" : whole.substr(firstNonZero);
  if (whole.size() < std::size_t(mask.intRequired)) whole.insert(0, std::size_t(mask.intRequired) - whole.size(), '0');
  while (fraction.size() > std::size_t(mask.fracRequired) && fraction.back() == '0') fraction.pop_back();
  if (whole.empty() && fraction.empty()) whole.assign(1, '0');

  std::string out;
  if (value < 0 && !zero) out.push_back('-');
  else if (mask.plus) out.push_back('+');
  out += whole;
  if (!fraction.empty()) out += "." + fraction;
  return out;
}

std::string NthField(std::string_view text, std::string_view delimiter, std::int64_t k) {
  if (k < 1 || delimiter.empty()) return "";
  std::size_t start = 0;
  for (std::int64_t field = 1; field < k; ++field) {
    std::size_t next = text.find(delimiter, start);
    if (next == std::string_view::npos) return "";
    start = next + delimiter.size();
  }
  std::size_t end = text.find(delimiter, start);
  return std::string(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

std::string Trim(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t next = begin;
    if (!IsWhiteSpace(DecodeAt(text, next))) break;
    begin = next;
  }
  std::size_t end = begin;
  for (std::size_t i = begin; i < text.size();) {
    bool space = IsWhiteSpace(DecodeAt(text, i));
    if (!space) end = i;
  }
  return std::string(text.substr(begin, end - begin));
}

std::string Left(std::string_view text, std::int64_t count) {
  std::size_t i = 0;
  for (std::int64_t n = 0; n < count && i < text.size(); ++n) DecodeAt(text, i);
  return std::string(text.substr(0, i));
}

std::int64_t Len(std::string_view text) {
  std::int64_t n = 0;
  for (std::size_t i = 0; i < text.size();) DecodeAt(text, i), ++n;
  return n;
}

std::string Chr(std::uint32_t code) {
  std::string out;
  if (code < 0x80) {
    out += char(code);
  } else if (code < 0x800) {
    out += char(0xC0 | (code >> 6));
    out += char(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    if (code >= 0xD800 && code <= 0xDFFF) return "";
    out += char(0xE0 | (code >> 12));
    out += char(0x80 | ((code >> 6) & 0x3F));
    out += char(0x80 | (code & 0x3F));
  } else if (code <= 0x10FFFF) {
    out += char(0xF0 | (code >> 18));
    out += char(0x80 | ((code >> 12) & 0x3F));
    out += char(0x80 | ((code >> 6) & 0x3F));
    out += char(0x80 | (code & 0x3F));
  }
  return out;
}

std::int64_t Asc(std::string_view text) {
  if (text.empty()) return 0;
  std::size_t i = 0;
  return DecodeAt(text, i);
}

}  // namespace fw
