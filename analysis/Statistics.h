// The residual statistics of one analysis: the coefficients collected from
// the cells in row order and sorted, then measured in one pass (RMSR, the
// counts beyond .05/.10/.30, the largest coefficient, the 13 plot rows).
// Pure computation: no file, no window, no message, no failure path.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/Matrix.h"

namespace lumetra {

// Slot 0 holds the sentinel; slots 1..m the coefficients, sorted ascending.
using CoefficientList = std::vector<double>;
inline constexpr double SortSentinel = -999.0;

// A threshold test: |r| strictly greater than `threshold`.
struct ThresholdCount {
  double threshold = 0.0;
  std::int64_t count = 0;
  double percent = 0.0;  // count / m * 100
};

// A row of the coefficient plot holds r when lower < r <= upper; row 1 has no
// lower edge and row 13 no upper edge.
struct PlotBin {
  double lower;
  double upper;
  bool hasLower;
  bool hasUpper;
};
inline constexpr int kPlotRows = 13;
extern const std::array<PlotBin, kPlotRows> kPlotBins;

// A row's marks: one bullet per coefficient in its bin, unscaled.
using PlotRow = std::string;
inline constexpr std::string_view kPlotMark = "\u2022";

struct CoefficientStatistics {
  double RMSR = 0.0;
  std::array<ThresholdCount, 3> thresholds{};  // .05, .10, .30
  double LargestCoefficient = 0.0;
  std::array<PlotRow, kPlotRows> plotRows{};
};

// Fills slots 1..m with Val of cells (i, j), i = 2..n, j = 2..i, puts the
// sentinel in slot 0 and sorts slots 1..m ascending. The sentinel stays in
// slot 0 whatever the values: a coefficient below -999 in a malformed file is
// still measured.
CoefficientList CollectCoefficients(const ResidualCells& cells, VariableCount n, CoefficientCount m);

// The one measuring pass over slots 1..m and the values taken after it.
// Requires m >= 1 and list.size() == m + 1.
CoefficientStatistics MeasureCoefficients(const CoefficientList& list, CoefficientCount m);

}  // namespace lumetra
