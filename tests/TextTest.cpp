// The text and number functions: exact outputs for the report's masks, the
// forms Val reads, and character (not byte) counting.
#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <locale>
#include <stdexcept>

#include "framework/base/Text.h"

namespace fw {
namespace {

struct ValCase {
  const char* text;
  double value;
};

TEST(Val, ReadsTheLeadingNumber) {
  const ValCase cases[] = {
      // the file's plain decimal forms
      {"0.016", 0.016}, {"-0.05", -0.05}, {".011", 0.011}, {"-.5", -0.5}, {"+3", 3}, {"12", 12},
      // leading blanks are skipped, anything after the number ignored
      {"  3", 3}, {"\t7", 7}, {"12abc", 12}, {"0.3.4", 0.3}, {"5.", 5}, {"1,5", 1},
      // exponents only when digits follow
      {"1e3", 1000}, {"2.5E-2", 0.025}, {"1e", 1}, {"1e+", 1}, {"1e5x", 100000},
      // no number: 0
      {"", 0}, {"abc", 0}, {".", 0}, {"-", 0}, {"+.", 0}, {"e5", 0},
      // too small for a double: 0
      {"1e-999", 0}, {"-0.0000001e-400", 0}, {"0.0", 0}};
  for (const ValCase& c : cases) EXPECT_EQ(Val(c.text), c.value) << c.text;
}

TEST(Val, TooLargeForADoubleIsInfinite) {
  // An absurd value must not read as 0, a perfect fit.
  const double inf = std::numeric_limits<double>::infinity();
  const std::string fourHundredDigits(400, '9');
  const ValCase cases[] = {{"1e309", inf}, {"-1e309", -inf}, {"1e99999999999999999999", inf},
                           {fourHundredDigits.c_str(), inf}, {"0.001e312", inf}, {"1.7e308", 1.7e308},
                           {"0.00000000001e-320", 0}, {"1e-320", 1e-320}};
  for (const ValCase& c : cases) EXPECT_EQ(Val(c.text), c.value) << c.text;
}

TEST(Val, GivesTheNearestDouble) {
  // The thresholds' equalities rely on the text converting to the very double of the constant.
  EXPECT_EQ(Val("0.30"), 0.30);
  EXPECT_EQ(Val(".1"), 0.10);
  EXPECT_EQ(Val("-0.05"), -0.05);
}

struct FormatCase {
  double value;
  const char* mask;
  const char* text;
};

TEST(Format, EveryExampleOfTheReportsMasks) {
  const FormatCase cases[] = {
      {0.016, "+0.000#", "+0.016"}, {-0.05, "+0.000#", "-0.050"}, {0.03, "+0.000#", "+0.030"},
      {-0.0125, "+0.000#", "-0.0125"}, {1, "+0.000#", "+1.000"}, {-12.5, "+0.000#", "-12.500"},
      {123.4, "+0.000#", "+123.400"},
      {0.0282912, "0.###", "0.028"}, {0.1, "0.###", "0.1"}, {0.125, "0.###", "0.125"},
      {0, "#0", "0"}, {2, "#0", "2"}, {28, "#0", "28"}, {4851, "#0", "4851"},
      {7.142857, "##0.0#", "7.14"}, {0, "##0.0#", "0.0"}, {12.5, "##0.0#", "12.5"}, {100, "##0.0#", "100.0"},
      {7.142857142857143, "##0.0#", "7.14"},
      {0.076, "+0.0##", "+0.076"}, {-0.5, "+0.0##", "-0.5"}, {0.12, "+0.0##", "+0.12"}, {0.5, "+0.0##", "+0.5"}};
  for (const FormatCase& c : cases) EXPECT_EQ(Format(c.value, c.mask), c.text) << c.value << " " << c.mask;
}

TEST(Format, RoundsTheWrittenDigitsHalfAwayFromZero) {
  const FormatCase cases[] = {
      // the shortest decimal form is rounded, not its binary neighbour
      {0.0765, "+0.0##", "+0.077"}, {3.125, "##0.0#", "3.13"}, {0.0005, "0.###", "0.001"},
      {-0.00049, "+0.000#", "-0.0005"}, {2.675, "##0.0#", "2.68"}, {1.0005, "+0.000#", "+1.0005"},
      // carries run through the integer part
      {9.9996, "0.###", "10"}, {99.999, "##0.0#", "100.0"}, {-0.99996, "+0.000#", "-1.000"},
      // below half of the last position
      {0.00004, "+0.000#", "+0.000"}, {0.0004, "0.###", "0"}};
  for (const FormatCase& c : cases) EXPECT_EQ(Format(c.value, c.mask), c.text) << c.value << " " << c.mask;
}

TEST(Format, ZeroAndItsSign) {
  EXPECT_EQ(Format(0, "0.###"), "0") << "no point after a whole number";
  EXPECT_EQ(Format(0, "+0.000#"), "+0.000") << "a + mask signs zero with +";
  EXPECT_EQ(Format(-0.0, "+0.0##"), "+0.0");
  EXPECT_EQ(Format(-0.00001, "+0.000#"), "+0.000") << "never -0";
  EXPECT_EQ(Format(-0.0001, "0.###"), "0");
  EXPECT_EQ(Format(0.5, "#.##"), ".5") << "# writes no leading zero";
}

TEST(Format, LargeValuesAndBadMasks) {
  EXPECT_EQ(Format(1e20, "#0"), "100000000000000000000");
  EXPECT_EQ(Format(-123456789.5, "+0.0##"), "-123456789.5");
  EXPECT_EQ(Format(std::numeric_limits<double>::infinity(), "0.###"), "inf") << "an overflowed RMSR is not 0";
  EXPECT_EQ(Format(-std::numeric_limits<double>::infinity(), "+0.0##"), "-inf");
  EXPECT_THROW(Format(1, "0,000.00"), std::invalid_argument);
  EXPECT_THROW(Format(1, "0.0.0"), std::invalid_argument);
}

TEST(Format, EdgesOfTheDigitLayout) {
  const FormatCase cases[] = {
      // "#" before the point writes no zero, "0" after it always writes one
      {0.0765, "#.00", ".08"}, {0.004, "#.00", ".00"}, {0.995, "#.00", "1.00"},
      // halfway in the shortest form, the last bit below it, a carry into a new digit
      {0.00025, "+0.000#", "+0.0003"}, {-0.00025, "+0.000#", "-0.0003"}, {0.00005, "+0.000#", "+0.0001"},
      {0.00004999999999999999, "+0.000#", "+0.000"}, {999.99996, "+0.000#", "+1000.000"},
      {99.995, "##0.0#", "100.0"}, {0.005, "##0.0#", "0.01"},
      // rounded to zero: no "-"
      {-0.00049, "+0.0##", "+0.0"}, {-0.0005, "+0.0##", "-0.001"}, {-5e-324, "0.###", "0"},
      {5e-324, "+0.000#", "+0.000"}, {1e-300, "0.###", "0"},
      // whole numbers: halves away from zero, a double's own integer, zeros past its digits
      {0.5, "#0", "1"}, {0.49999999999999994, "#0", "0"}, {-0.5, "#0", "-1"}, {2.5, "#0", "3"},
      {9007199254740993.0, "#0", "9007199254740992"}, {1e22, "##0.0#", "10000000000000000000000.0"}};
  for (const FormatCase& c : cases) EXPECT_EQ(Format(c.value, c.mask), c.text) << c.value << " " << c.mask;
  std::string largest("17976931348623157");
  largest.append(292, '0');
  EXPECT_EQ(Format(std::numeric_limits<double>::max(), "#0"), largest);
  EXPECT_EQ(Format(-std::numeric_limits<double>::quiet_NaN(), "+0.0##"), "nan") << "a NaN has no sign";
}

struct MaskCase {
  const char* mask;
  bool plus;
  int intRequired, decimals, fracRequired;
};

TEST(NumberMask, ReadsSignPositionsAndPoint) {
  static_assert(NumberMask("+0.000#").Decimals() == 4, "a constant mask is read when compiled");
  const MaskCase cases[] = {
      // the report's masks
      {"+0.000#", true, 1, 4, 3}, {"0.###", false, 1, 3, 0}, {"#0", false, 1, 0, 0},
      {"##0.0#", false, 1, 2, 1}, {"+0.0##", true, 1, 3, 1}, {"#.00", false, 0, 2, 2},
      // a "0" after a "#" still counts; an empty mask and a lone point have no positions
      {"#.#0", false, 0, 2, 2}, {"00#0", false, 3, 0, 0}, {"", false, 0, 0, 0}, {".", false, 0, 0, 0},
      {"+", true, 0, 0, 0}};
  for (const MaskCase& c : cases) {
    const NumberMask mask(c.mask);
    EXPECT_EQ(mask.Plus(), c.plus) << c.mask;
    EXPECT_EQ(mask.IntRequired(), c.intRequired) << c.mask;
    EXPECT_EQ(mask.Decimals(), c.decimals) << c.mask;
    EXPECT_EQ(mask.FracRequired(), c.fracRequired) << c.mask;
  }
  // "+" only in front, one point, nothing else
  for (const char* bad : {"0,000.00", "0.0.0", "0+", "++0", "e", " 0"})
    EXPECT_THROW(NumberMask{bad}, std::invalid_argument) << bad;
}

TEST(FormatTo, AppendsAfterWhatIsThere) {
  constexpr NumberMask kPercent("##0.0#");
  std::string text = "\u2022 (";
  FormatTo(text, 7.142857, kPercent);
  text.append("%) ");
  FormatTo(text, -std::numeric_limits<double>::infinity(), kPercent);
  FormatTo(text, 100, kPercent);
  EXPECT_EQ(text, "\u2022 (7.14%) -inf100.0");
}

// A C++ locale whose decimal point is a comma, as a German user's.
struct CommaDecimal : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
};

TEST(Format, IgnoresTheUsersLocale) {
  std::locale savedGlobal = std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
  const char* old = std::setlocale(LC_ALL, nullptr);
  std::string saved = old ? old : "C";
  // Where the machine has a comma-decimal C locale, it is set as well.
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) std::setlocale(LC_ALL, "de_DE");
  EXPECT_EQ(Format(7.142857, "##0.0#"), "7.14");
  EXPECT_EQ(Format(-0.0125, "+0.000#"), "-0.0125");
  EXPECT_EQ(Val("0.016"), 0.016);
  EXPECT_EQ(Val("0,5"), 0.0) << "a comma is not a decimal point in the file";
  std::setlocale(LC_ALL, saved.c_str());
  std::locale::global(savedGlobal);
}

TEST(NthField, CountsFieldsFromOne) {
  EXPECT_EQ(NthField("a\tb\tc", "\t", 1), "a");
  EXPECT_EQ(NthField("a\tb\tc", "\t", 3), "c");
  EXPECT_EQ(NthField("a\tb\tc", "\t", 4), "") << "past the last field";
  EXPECT_EQ(NthField("a\t\tc", "\t", 2), "") << "two tabs enclose an empty field";
  EXPECT_EQ(NthField("a\tb", "\t", 0), "");
  EXPECT_EQ(NthField("", "\t", 1), "");
  EXPECT_EQ(NthField("a, b", ",", 2), " b");
}

TEST(TrimLeftLen, CountCharactersNotBytes) {
  EXPECT_EQ(Trim("  vocab 1 \t"), "vocab 1") << "inner spaces stay";
  EXPECT_EQ(Trim("\xC2\xA0x\xE3\x80\x80"), "x") << "no-break and ideographic spaces";
  EXPECT_EQ(Trim(" \t "), "");
  EXPECT_EQ(Len("caf\xC3\xA9"), 4);
  EXPECT_EQ(Left("\xC3\xA9t\xC3\xA9", 2), "\xC3\xA9t");
  EXPECT_EQ(Left("abc", 10), "abc");
  EXPECT_EQ(Left("abc", 0), "");
  EXPECT_EQ(Len("\xE2\x80\xA2\xE2\x80\xA2"), 2);
}

TEST(ChrAsc, RoundTripCodePoints) {
  EXPECT_EQ(Chr(9), "\t");
  EXPECT_EQ(Chr(0xB1), "\xC2\xB1");
  EXPECT_EQ(Chr(0x2022), "\xE2\x80\xA2");
  EXPECT_EQ(Chr(0x1F600), "\xF0\x9F\x98\x80");
  EXPECT_EQ(Asc("\xE2\x80\xA2x"), 0x2022);
  EXPECT_EQ(Asc("\b"), 8);
  EXPECT_EQ(Asc(""), 0);
  EXPECT_EQ(EndOfLine, "\n");
}

}  // namespace
}  // namespace fw
