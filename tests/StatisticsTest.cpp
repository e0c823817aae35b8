// The statistics of one analysis: thresholds, plot bins, RMSR, largest.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "analysis/Statistics.h"
#include "framework/base/Text.h"

namespace lumetra {
namespace {

// The statistics of the given coefficients, as texts in a file would give them.
CoefficientStatistics Measure(const std::vector<std::string>& texts, CoefficientList* sorted = nullptr) {
  // Enough variables for the coefficients, filled in row order, the rest empty.
  VariableCount n = 2;
  while (CountCoefficients(n) < CoefficientCount(texts.size())) ++n;
  ResidualCells cells;
  std::size_t k = 0;
  for (VariableCount i = 2; i <= n; ++i)
    for (VariableCount j = 2; j <= i && k < texts.size(); ++j) cells.SetCell(i, j, texts[k++]);
  cells.Resize(n);
  CoefficientCount m = CountCoefficients(n);
  CoefficientList list = CollectCoefficients(cells, n, m);
  if (sorted) *sorted = list;
  return MeasureCoefficients(list, m);
}

std::vector<std::int64_t> Tallies(const CoefficientStatistics& s) {
  std::vector<std::int64_t> t;
  for (const PlotRow& row : s.plotRows) t.push_back(fw::Len(row));
  return t;
}

TEST(Statistics, WorkedExample) {
  const std::vector<std::string> values = {"0.016", "0.005", "0.002", "0.023", "0.008", "-0.006", "-0.024",
      "-0.037", "0.03", "-0.049", "0.004", "-0.009", "-0.019", "-0.016", "0.019", "-0.018", "-0.05", "-0.012",
      "0.032", "0.076", "0.007", "-0.014", "0.06", "0.011", "-0.027", "-0.01", "0.018", "-0.017"};
  CoefficientList sorted;
  CoefficientStatistics s = Measure(values, &sorted);
  EXPECT_EQ(sorted[0], SortSentinel);
  EXPECT_EQ(sorted[1], -0.05);
  EXPECT_EQ(sorted[28], 0.076);
  EXPECT_EQ(Tallies(s), (std::vector<std::int64_t>{0, 0, 0, 0, 2, 3, 18, 3, 1, 1, 0, 0, 0}));
  EXPECT_NEAR(s.RMSR * s.RMSR * 28, 0.022411, 1e-12);
  EXPECT_NEAR(s.RMSR, 0.0282912, 1e-7);
  EXPECT_EQ(s.thresholds[0].count, 2) << "-0.05 does not exceed .05";
  EXPECT_DOUBLE_EQ(s.thresholds[0].percent, 2.0 / 28.0 * 100);
  EXPECT_EQ(s.thresholds[1].count, 0);
  EXPECT_EQ(s.thresholds[2].count, 0);
  EXPECT_EQ(s.LargestCoefficient, 0.076);
}

TEST(Statistics, EachBinEdgeFallsInTheRowItCloses) {
  const std::pair<const char*, int> edges[] = {{"-0.30", 1}, {"-0.10", 2}, {"-0.08", 3}, {"-0.06", 4},
      {"-0.04", 5}, {"-0.02", 6}, {"0.02", 7}, {"0.04", 8}, {"0.06", 9}, {"0.08", 10}, {"0.10", 11},
      {"0.30", 12}, {"0.3000001", 13}, {"-5", 1}, {"7", 13}, {"0", 7}};
  for (auto [text, row] : edges) {
    CoefficientStatistics s = Measure({text, "0", "0"});
    std::vector<std::int64_t> t = Tallies(s);
    EXPECT_EQ(t[std::size_t(row - 1)], row == 7 ? 3 : 1) << text;  // the two zeros fall in row 7
    EXPECT_EQ(std::accumulate(t.begin(), t.end(), std::int64_t{0}), 3) << "tallies add up to m";
  }
}

TEST(Statistics, AValueInsideEachRowFallsInThatRow) {
  // Row b gets b values from inside its bin, so a row swapped with another shows.
  const char* inside[] = {"-0.5", "-0.2", "-0.09", "-0.07", "-0.05", "-0.03", "0.001",
                          "0.03", "0.05", "0.07", "0.09", "0.2", "0.5"};
  std::vector<std::string> values;
  for (int row = 1; row <= 13; ++row) values.insert(values.end(), std::size_t(row), inside[row - 1]);
  ASSERT_EQ(CountCoefficients(14), CoefficientCount(values.size()));
  EXPECT_EQ(Tallies(Measure(values)), (std::vector<std::int64_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
}

TEST(Statistics, ThresholdsAreStrictlyExceeded) {
  CoefficientStatistics s = Measure({"-0.05", ".1", "0.30", "0.0500001", "-0.31", "0"});
  EXPECT_EQ(s.thresholds[0].count, 4);  // all but -0.05 and 0
  EXPECT_EQ(s.thresholds[1].count, 2);  // 0.30 and -0.31
  EXPECT_EQ(s.thresholds[2].count, 1);  // -0.31 only
}

TEST(Statistics, LargestCoefficientKeepsItsSign) {
  EXPECT_EQ(Measure({"-0.20", "0.20", "0"}).LargestCoefficient, 0.20) << "equal ends give the positive one";
  EXPECT_EQ(Measure({"-0.35", "0.20", "0"}).LargestCoefficient, -0.35);
  EXPECT_EQ(Measure({"-0.1", "-0.2", "-0.3"}).LargestCoefficient, -0.3);
}

TEST(Statistics, AllZeroAndMissingCoefficients) {
  CoefficientStatistics s = Measure({"", "abc", "0"});
  EXPECT_EQ(s.RMSR, 0);
  EXPECT_EQ(s.LargestCoefficient, 0);
  EXPECT_EQ(Tallies(s)[6], 3);
  for (const ThresholdCount& t : s.thresholds) EXPECT_EQ(t.percent, 0);
}

TEST(Statistics, ValuesBelowTheSentinelAreStillMeasured) {
  // A malformed file: the sentinel stays in slot 0 and -1500 is measured.
  CoefficientList sorted;
  CoefficientStatistics s = Measure({"-1500", "0.1", "0.2"}, &sorted);
  EXPECT_EQ(sorted[0], SortSentinel);
  EXPECT_EQ(sorted[1], -1500);
  EXPECT_EQ(s.LargestCoefficient, -1500);
  EXPECT_EQ(Tallies(s)[0], 1);
}

TEST(CollectCoefficients, TheTriangleBelowTheDiagonalOnly) {
  // Names, row 1 and cells right of the diagonal hold numbers that must not
  // be collected; the triangle's texts read as Val reads them.
  ResidualCells cells;
  for (VariableCount i = 1; i <= 5; ++i) cells.SetCell(i, 1, std::to_string(i * 11));
  cells.SetCell(1, 2, "44");
  cells.SetCell(2, 3, "55");
  cells.SetCell(4, 5, "66");
  const char* texts[] = {"0.3", "-0", "abc", "-1500", "1e309", "0", "-0.05", "", ".1", "0.016"};
  std::size_t k = 0;
  for (VariableCount i = 2; i <= 5; ++i)
    for (VariableCount j = 2; j <= i; ++j) cells.SetCell(i, j, texts[k++]);
  cells.Resize(5);
  const CoefficientList want = {SortSentinel, -1500, -0.05, 0, 0, 0, 0, 0.016, 0.1, 0.3, HUGE_VAL};
  EXPECT_EQ(CollectCoefficients(cells, 5, CountCoefficients(5)), want);
  // a smaller m takes the first cells in row order: (2,2), (3,2), (3,3)
  EXPECT_EQ(CollectCoefficients(cells, 5, 3), (CoefficientList{SortSentinel, -0.0, 0, 0.3}));
}

TEST(MeasureCoefficients, AnUnsortedListStillFindsEachRow) {
  // In any order each value finds its row; a NaN, which no row holds, is not plotted.
  const CoefficientList list = {SortSentinel, 0.5, -0.5, 0.5, 0.0, -0.05, 0.0, std::nan(""), 0.5, -0.31};
  const CoefficientStatistics s = MeasureCoefficients(list, 9);
  EXPECT_EQ(Tallies(s), (std::vector<std::int64_t>{2, 0, 0, 0, 1, 0, 2, 0, 0, 0, 0, 0, 3}));
}

}  // namespace
}  // namespace lumetra
