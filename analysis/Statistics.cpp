#include "analysis/Statistics.h"

#include <algorithm>
#include <cmath>

#include "framework/base/Text.h"

namespace lumetra {

const std::array<PlotBin, kPlotRows> kPlotBins = {{
    {0, -0.30, false, true},
    {-0.30, -0.10, true, true},
    {-0.10, -0.08, true, true},
    {-0.08, -0.06, true, true},
    {-0.06, -0.04, true, true},
    {-0.04, -0.02, true, true},
    {-0.02, 0.02, true, true},
    {0.02, 0.04, true, true},
    {0.04, 0.06, true, true},
    {0.06, 0.08, true, true},
    {0.08, 0.10, true, true},
    {0.10, 0.30, true, true},
    {0.30, 0, true, false},
}};

namespace {

bool InBin(const PlotBin& bin, double r) {
  return (!bin.hasLower || r > bin.lower) && (!bin.hasUpper || r <= bin.upper);
}

void PlaceSentinelAndSort(CoefficientList& list) {
  list[0] = SortSentinel;
  // Slot 0 keeps the sentinel: sorting it with the rest would let a value
  // below -999 take its place and drop out of the statistics.
  std::sort(list.begin() + 1, list.end());
}

}  // namespace

CoefficientList CollectCoefficients(const ResidualCells& cells, VariableCount n, CoefficientCount m) {
  CoefficientList list(std::size_t(m + 1), 0.0);
  std::size_t k = 0;
  for (VariableCount i = 2; i <= n; ++i)
    for (VariableCount j = 2; j <= i; ++j)
      if (++k < list.size()) list[k] = fw::Val(cells.Cell(i, j));
  PlaceSentinelAndSort(list);
  return list;
}

CoefficientStatistics MeasureCoefficients(const CoefficientList& list, CoefficientCount m) {
  CoefficientStatistics stats;
  stats.thresholds = {{{0.05, 0, 0.0}, {0.10, 0, 0.0}, {0.30, 0, 0.0}}};
  double sum = 0.0;
  std::array<std::size_t, kPlotRows> marks{};
  for (CoefficientCount k = 1; k <= m; ++k) {
    const double r = list[std::size_t(k)];
    const double a = std::abs(r);
    for (ThresholdCount& t : stats.thresholds)
      if (a > t.threshold) ++t.count;
    sum = std::pow(r, 2.0) + sum;
    // The rows do not overlap: the first that holds r is its row. A NaN is
    // held by none and is not plotted.
    std::size_t row = 0;
    while (row < marks.size() && !InBin(kPlotBins[row], r)) ++row;
    if (row < marks.size()) ++marks[row];
  }
  // The rows are written once counted: each sized once, not grown mark by mark.
  for (std::size_t b = 0; b < marks.size(); ++b) {
    PlotRow& plotRow = stats.plotRows[b];
    plotRow.reserve(marks[b] * kPlotMark.size());
    for (std::size_t k = 0; k < marks[b]; ++k) plotRow.append(kPlotMark);
  }
  stats.RMSR = std::sqrt(sum / double(m));
  for (ThresholdCount& t : stats.thresholds) t.percent = (double(t.count) / double(m)) * 100;
  const double lowest = list[1];
  const double highest = list[std::size_t(m)];
  stats.LargestCoefficient = std::abs(lowest) > std::abs(highest) ? lowest : highest;
  return stats;
}

}  // namespace lumetra
