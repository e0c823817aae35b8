// The help text's form, the facts it tells (each guidance value in its
// paragraph, its sources, its two example matrices agreeing), and its worked
// example as the reference case: the analysis of its own matrices gives its
// own result lines.
#include <gtest/gtest.h>

#include "CoreSupport.h"
#include "shell/HelpText.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <regex>

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

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t end; (end = line.find('\t', start)) != std::string::npos; start = end + 1)
    fields.push_back(line.substr(start, end - start));
  fields.push_back(line.substr(start));
  return fields;
}

// The decimals a paragraph states (".08"), in order; years and counts are not decimals.
std::vector<std::string> Decimals(const std::string& line) {
  std::vector<std::string> found;
  for (std::size_t i = 0; i + 1 < line.size(); ++i) {
    if (line[i] != '.' || !std::isdigit(static_cast<unsigned char>(line[i + 1]))) continue;
    if (i > 0 && std::isdigit(static_cast<unsigned char>(line[i - 1]))) continue;
    std::size_t end = i + 1;
    while (end < line.size() && std::isdigit(static_cast<unsigned char>(line[end]))) ++end;
    found.push_back(line.substr(i, end - i));
  }
  return found;
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
      {83, "Lumetra is copyright 2026 the Lumetra authors and may be copied, changed and passed on under the MIT License."}};
  for (const auto& [number, text] : fixed) EXPECT_EQ(lines[std::size_t(number - 1)], text) << "line " << number;
  for (int empty : {2, 4, 6, 8, 10, 13, 14, 17, 19, 21, 24, 33, 43, 60, 69, 71, 73, 75, 77, 79, 81, 84, 86})
    EXPECT_EQ(lines[std::size_t(empty - 1)], "") << "line " << empty;
  for (int ref = 68; ref <= 80; ref += 2) EXPECT_NE(lines[std::size_t(ref - 1)].find(')'), std::string::npos);
}

TEST(HelpText, GuidanceValuesStandInTheirParagraphs) {
  std::vector<std::string> lines = HelpLines();
  auto line = [&](int number) { return lines[std::size_t(number - 1)]; };
  // Every decimal of the introduction and of "Correlations", in order: a
  // changed value, or one moved to another paragraph, fails here.
  const std::map<int, std::vector<std::string>> decimals = {
      {3, {}}, {5, {".08", ".08"}}, {7, {".05", ".10", ".10"}}, {9, {".05", ".10", ".05"}},
      {12, {".30", ".30", ".30", ".30"}}};
  for (const auto& [number, expected] : decimals) EXPECT_EQ(Decimals(line(number)), expected) << "line " << number;
  // What each value is said of, and the written forms the user sees.
  const std::vector<std::pair<int, std::string>> says = {
      {5, "(RMSR)"}, {5, "\u2264.08 are preferred"}, {5, "reach \u2264.08"},
      {7, "exceeds .05 should be small"}, {7, "over .10 point more strongly to a further factor"},
      {9, "close fit, an overall value of .05 with no single residual coefficient over .10"},
      {12, ".30 or more"}, {12, "\u2265 .30"}, {12, "\u2265.30"}, {12, "absolute value exceeds .30"},
      {20, "at most 10 characters and values of at most 8 characters"}};
  for (const auto& [number, text] : says)
    EXPECT_NE(line(number).find(text), std::string::npos) << "line " << number << ": " << text;
}

// Each source the paragraphs name by author and year is listed under
// References, each reference is named, and the list runs alphabetically.
TEST(HelpText, SourcesAndReferencesMatch) {
  std::vector<std::string> lines = HelpLines();
  std::vector<std::string> references;
  for (int number = 68; number <= 80; number += 2) references.push_back(lines[std::size_t(number - 1)]);
  EXPECT_TRUE(std::is_sorted(references.begin(), references.end()));
  const std::regex source("([A-Z][a-z]+), ((19|20)[0-9]{2})");
  std::string named;
  for (int number : {5, 7, 9, 12}) {
    const std::string& paragraph = lines[std::size_t(number - 1)];
    named += paragraph;
    auto first = std::sregex_iterator(paragraph.begin(), paragraph.end(), source);
    EXPECT_NE(first, std::sregex_iterator()) << "line " << number << " names no source";
    for (auto it = first; it != std::sregex_iterator(); ++it) {
      std::string author = (*it)[1], year = std::string("(").append((*it)[2].str()).append(")");
      EXPECT_TRUE(std::any_of(references.begin(), references.end(), [&](const std::string& ref) {
        return ref.find(author + ",") != std::string::npos && ref.find(year) != std::string::npos;
      })) << "line " << number << ": " << it->str();
    }
  }
  for (const std::string& ref : references)
    EXPECT_NE(named.find(ref.substr(0, ref.find(','))), std::string::npos) << "never named: " << ref;
}

// The full square is the lower triangle mirrored, with an empty diagonal; the
// lower triangle is the analysis's reference file.
TEST(HelpText, ExampleMatricesAgreeCellForCell) {
  std::vector<std::string> lines = HelpLines();
  std::vector<std::vector<std::string>> square, lower;
  for (std::size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(lines[34 + i], testing::kWorkedExample[i]) << "line " << 35 + i;
    square.push_back(Fields(lines[24 + i]));
    lower.push_back(Fields(lines[34 + i]));
    ASSERT_EQ(square[i].size(), 9u) << "name and 8 fields, line " << 25 + i;
    ASSERT_EQ(lower[i].size(), i + 1) << "line " << 35 + i;
  }
  for (std::size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(square[i][0], lower[i][0]) << "name, line " << 25 + i;
    EXPECT_EQ(square[i][i + 1], "") << "diagonal, line " << 25 + i;
    for (std::size_t j = 0; j < i; ++j) {
      EXPECT_EQ(square[i][j + 1], lower[i][j + 1]) << "cell " << i + 1 << "," << j + 1;
      EXPECT_EQ(square[j][i + 1], square[i][j + 1]) << "mirror of cell " << i + 1 << "," << j + 1;
    }
  }
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
