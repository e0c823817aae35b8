#include "framework/base/Text.h"

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

// |value| x 10^decimals rounded to a whole number: the decimal digits
// digits[0..count) followed by `zeros` zeros. Kept as digits and a count of
// zeros so that no string is built per value; a large value or a long mask
// costs only the count.
struct ScaledNumber {
  char digits[24];  // a double's at most 17 significant digits and a carry
  std::size_t count = 0;
  std::size_t zeros = 0;

  std::size_t Size() const { return count + zeros; }
  // Writes the digits at positions [from, to) to `dest`, which holds zeros
  // already: only the stored digits need copying.
  void CopyDigits(char* dest, std::size_t from, std::size_t to) const {
    if (from < count) std::copy(digits + from, digits + std::min(to, count), dest);
  }
};

// The rounding works on the shortest decimal form of the double, so a value
// reads as its writer meant it (0.0765, not 0.07649999...), and a value
// exactly halfway goes away from zero.
ScaledNumber ScaledDigits(double magnitude, int decimals) {
  char text[32];
  const char* end = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific).ptr;
  // "d.ddde+XX" or "de+XX": the significant digits, then the exponent.
  ScaledNumber scaled;
  const char* c = text;
  scaled.digits[scaled.count++] = *c++;
  if (*c == '.')
    for (++c; *c != 'e'; ++c) scaled.digits[scaled.count++] = *c;
  if (*++c == '+') ++c;
  int exponent = 0;
  std::from_chars(c, end, exponent);

  // digits[k] weighs 10^(exponent - k); the scaled number's last digit weighs 10^-decimals.
  const long shift = long(exponent) - long(scaled.count - 1) + decimals;
  if (shift >= 0) {
    scaled.zeros = std::size_t(shift);
    return scaled;
  }
  const std::size_t drop = std::size_t(-shift);
  if (drop > scaled.count) {
    scaled.digits[0] = '0';
    scaled.count = 1;
    return scaled;
  }
  const std::size_t keep = scaled.count - drop;
  const bool up = scaled.digits[keep] >= '5';
  if (keep == 0) scaled.digits[0] = '0';
  scaled.count = keep == 0 ? 1 : keep;
  if (!up) return scaled;
  for (std::size_t k = scaled.count; k-- > 0;) {
    if (scaled.digits[k] != '9') {
      ++scaled.digits[k];
      return scaled;
    }
    scaled.digits[k] = '0';
  }
  // All nines: 1 and as many zeros.
  scaled.digits[0] = '1';
  scaled.digits[scaled.count++] = '0';
  return scaled;
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

void ThrowUnsupportedMask(std::string_view mask) {
  std::string message("unsupported number mask: ");
  message.append(mask);
  throw std::invalid_argument(message);
}

void FormatTo(std::string& out, double value, const NumberMask& mask) {
  // No mask can show these; writing 0 would hide that a sum overflowed.
  if (std::isnan(value)) {
    out.append("nan");
    return;
  }
  if (std::isinf(value)) {
    out.append(value < 0 ? "-inf" : mask.Plus() ? "+inf" : "inf");
    return;
  }
  const ScaledNumber scaled = ScaledDigits(std::fabs(value), mask.Decimals());
  const std::size_t decimals = std::size_t(mask.Decimals());
  const std::size_t digitCount = scaled.Size();

  // The last `decimals` digits are the fraction; a shorter number gives it
  // `lead` zeros in front.
  const std::size_t cut = digitCount > decimals ? digitCount - decimals : 0;
  const std::size_t lead = decimals - (digitCount - cut);

  // The whole part without its leading zeros; past the stored digits only
  // zeros follow.
  const std::size_t stored = std::min(cut, scaled.count);
  std::size_t first = 0;
  while (first < stored && scaled.digits[first] == '0') ++first;
  if (first == stored) first = cut;
  const std::size_t wholeSize = cut - first;

  // The fraction up to its last significant digit, but never shorter than
  // the mask's "0" positions.
  std::size_t fractionSize = 0;
  for (std::size_t p = scaled.count; p > cut; --p) {
    if (scaled.digits[p - 1] != '0') {
      fractionSize = lead + (p - cut);
      break;
    }
  }
  fractionSize = std::max(fractionSize, std::size_t(mask.FracRequired()));

  std::size_t padding = wholeSize < std::size_t(mask.IntRequired()) ? std::size_t(mask.IntRequired()) - wholeSize : 0;
  if (wholeSize == 0 && padding == 0 && fractionSize == 0) padding = 1;

  const bool zero = std::all_of(scaled.digits, scaled.digits + scaled.count, [](char c) { return c == '0'; });
  const char sign = value < 0 && !zero ? '-' : mask.Plus() ? '+' : '\0';
  const std::size_t length = (sign ? 1 : 0) + padding + wholeSize + (fractionSize > 0 ? 1 + fractionSize : 0);

  // Sized once and filled with zeros: the padding, the zeros in front of
  // the fraction and those after the stored digits are then in place.
  const std::size_t start = out.size();
  out.resize(start + length, '0');
  char* at = out.data() + start;
  if (sign) *at++ = sign;
  at += padding;
  scaled.CopyDigits(at, first, cut);
  at += wholeSize;
  if (fractionSize == 0) return;
  *at++ = '.';
  if (fractionSize > lead) scaled.CopyDigits(at + lead, cut, cut + fractionSize - lead);
}

std::string Format(double value, std::string_view mask) {
  std::string out;
  FormatTo(out, value, NumberMask(mask));
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
  // Most texts begin and end with a visible ASCII character: nothing to cut,
  // and no need to decode the characters in between.
  auto visibleAscii = [](char c) { return c > ' ' && c < 0x7F; };
  if (!text.empty() && visibleAscii(text.front()) && visibleAscii(text.back())) return std::string(text);
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
