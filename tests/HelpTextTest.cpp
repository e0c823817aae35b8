// The help text's form, and its worked example as the reference case: the
// analysis of its own matrices gives its own result lines.
#include <gtest/gtest.h>

#include "CoreSupport.h"
#include "shell/HelpText.h"

#include <map>

namespace lumetra {
namespace {

std::vector<std::string> HelpLines() {
  std::vector<std::string> lines;
  std::string text(HelpText);
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\r', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  lines.push_back(text.substr(start));
  return lines;
}

std::size_t Count(std::string_view text, std::string_view what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, at + what.size())) ++n;
  return n;
}

TEST(HelpText, Form) {
  std::vector<std::string> lines = HelpLines();
  ASSERT_EQ(lines.size(), 87u);
  EXPECT_EQ(Count(HelpText, "\n"), 0u);
  EXPECT_NE(HelpText.back(), '\r');
  EXPECT_EQ(Count(HelpText, "\t"), 92u);
  EXPECT_EQ(Count(HelpText, "\u2022"), 28u);
  EXPECT_EQ(Count(HelpText, "\u2264"), 2u);
  EXPECT_EQ(Count(HelpText, "\u2265"), 2u);
  EXPECT_EQ(Count(HelpText, "\u00B1"), 1u);
  std::size_t nonAscii = 0;
  for (unsigned char c : HelpText) nonAscii += c >= 0xC0;
  EXPECT_EQ(nonAscii, 28u + 2 + 2 + 1) << "no other characters beyond ASCII";

  const std::map<int, std::string> fixed = {
      {1, "Lumetra"}, {11, "Correlations"}, {15, "Input"}, {22, "Example"}, {44, "Results from Lumetra:"},
      {45, std::string(72, '=')}, {46, "Coefficient Plot"}, {47, "-.30+ |"}, {53, "0\u00B1.20 |" + [] {
         std::string s;
         for (int i = 0; i < 18; ++i) s += "\u2022";
         return s;
       }()}, {61, "RMSR = 0.028"}, {62, ">.05 = 2 (7.14%)"}, {63, ">.10 = 0 (0.0%)"}, {64, ">.30 = 0 (0.0%)"},
      {65, "Largest = +0.076"}, {66, std::string(72, '=')}, {67, "References"}, {82, std::string(79, '-')},
      {35, "vocab1"}, {42, "designs2\t-0.014\t0.06\t0.011\t-0.027\t-0.01\t0.018\t-0.017"},
      {83, "Lumetra is copyright 2026 the Lumetra authors and may be copied, changed and passed on under the MIT License."}};
  for (const auto& [number, text] : fixed) EXPECT_EQ(lines[std::size_t(number - 1)], text) << "line " << number;
  for (int empty : {2, 4, 6, 8, 10, 13, 14, 17, 19, 21, 24, 33, 43, 60, 69, 71, 73, 75, 77, 79, 81, 84, 86})
    EXPECT_EQ(lines[std::size_t(empty - 1)], "") << "line " << empty;
  for (int i = 25; i <= 32; ++i) EXPECT_EQ(Count(lines[std::size_t(i - 1)], "\t"), 8u) << "square, line " << i;
  for (int i = 35; i <= 42; ++i) EXPECT_EQ(Count(lines[std::size_t(i - 1)], "\t"), std::size_t(i - 35)) << "line " << i;
  for (int ref = 68; ref <= 80; ref += 2) EXPECT_NE(lines[std::size_t(ref - 1)].find(')'), std::string::npos);
}

TEST(HelpText, WorkedExampleIsTheReferenceCase) {
  std::vector<std::string> lines = HelpLines();
  std::string expected;
  for (int i = 45; i <= 66; ++i) expected += lines[std::size_t(i - 1)] + "\n";
  testing::MatrixFiles files;
  for (int first : {35, 25}) {  // the lower triangle, then the full square
    std::string matrix;
    for (int i = first; i < first + 8; ++i) matrix += lines[std::size_t(i - 1)] + "\n";
    std::string report = files.Report(matrix, 8);
    std::size_t from = report.find(std::string(72, '='));
    std::size_t to = report.find(std::string(72, '='), from + 72) + 73;
    EXPECT_EQ(report.substr(from, to - from), expected) << "matrix from line " << first;
  }
}

}  // namespace
}  // namespace lumetra
