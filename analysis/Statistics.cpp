#include "analysis/Statistics.h"

#include <algorithm>
#include <cmath>

#include "framework/Text.h"

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

CoefficientList CollectCoefficients(const ResidualCells& cells, VariableCount n, CoefficientCount m) {
  CoefficientList list(std::size_t(m + 1), 0.0);
  std::size_t k = 0;
  for (VariableCount i = 2; i <= n; ++i)
    for (VariableCount j = 2; j <= i; ++j)
      if (++k < list.size()) list[k] = fw::Val(cells.Cell(i, j));
  list[0] = SortSentinel;
  // Slot 0 keeps the sentinel: sorting it with the rest would let a value
  // below -999 take its place and drop out of the statistics.
  std::sort(list.begin() + 1, list.end());
  return list;
}

CoefficientStatistics MeasureCoefficients(const CoefficientList& list, CoefficientCount m) {
  CoefficientStatistics stats;
  stats.thresholds = {{{0.05, 0, 0.0}, {0.10, 0, 0.0}, {0.30, 0, 0.0}}};
  double sum = 0.0;
  for (CoefficientCount k = 1; k <= m; ++k) {
    const double r = list[std::size_t(k)];
    const double a = std::abs(r);
    for (ThresholdCount& t : stats.thresholds)
      if (a > t.threshold) ++t.count;
    sum = std::pow(r, 2.0) + sum;
    for (int b = 0; b < kPlotRows; ++b) {
      const PlotBin& bin = kPlotBins[std::size_t(b)];
      if ((!bin.hasLower || r > bin.lower) && (!bin.hasUpper || r <= bin.upper)) {
        stats.plotRows[std::size_t(b)] += kPlotMark;
        break;
      }
    }
  }
  stats.RMSR = std::sqrt(sum / double(m));
  for (ThresholdCount& t : stats.thresholds) t.percent = (double(t.count) / double(m)) * 100;
  const double lowest = list[1];
  const double highest = list[std::size_t(m)];
  stats.LargestCoefficient = std::abs(lowest) > std::abs(highest) ? lowest : highest;
  return stats;
}

}  // namespace lumetra
