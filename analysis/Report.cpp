#include "analysis/Report.h"

#include <array>
#include <stdexcept>

#include "framework/Text.h"

namespace lumetra {

namespace {

// A cell: a space, the text and spaces, of which the first `width`
// characters are taken; the same as cutting " " + text + 31 spaces, without
// building the long string for each of the ~5,000 cells.
std::string Cell(std::string_view text, std::int64_t width) {
  std::string cell(1, ' ');
  const std::string kept = fw::Left(text, width - 1);
  cell.append(kept);
  cell.append(std::size_t(width - 1 - fw::Len(kept)), ' ');
  return cell;
}

constexpr std::array<std::string_view, kPlotRows> kPlotLabels = {
    "-.30+", "-.10 ", "     ", "     ", "     ", "     ", "0\u00B1.20",
    "     ", "     ", "     ", "     ", ".10  ", ".30+ "};

std::string Line(std::string text) { return text.append(fw::EndOfLine); }

}  // namespace

std::string ReportHeader(std::string_view date, std::string_view time, std::string_view fileName) {
  std::string header = "Date: ";
  header.append(date).append("  ").append(time).append(fw::EndOfLine);
  header.append("File: ").append(fileName).append(fw::EndOfLine);
  header.append(fw::EndOfLine);
  return header;
}

std::string NameCell(std::string_view name) {
  return Cell(name, 12);
}

std::string ValueCell(std::string_view cellText) {
  return Cell(fw::Format(fw::Val(cellText), "+0.000#"), 8);
}

std::string SeparatorLine(VariableCount n) {
  std::string line;
  line.reserve(std::size_t(9 * n + 1));
  for (VariableCount i = 0; i < n; ++i) line += "=========";
  return Line(std::move(line));
}

std::string PlotRowLine(int row, std::string_view marks) {
  std::string line(kPlotLabels.at(std::size_t(row - 1)));
  line.append(" |").append(marks);
  return Line(std::move(line));
}

std::string RmsrLine(double rmsr) {
  std::string line(fw::EndOfLine);
  line.append("RMSR = ").append(fw::Format(rmsr, "0.###"));
  return Line(std::move(line));
}

std::string ThresholdLine(const ThresholdCount& t) {
  std::string line(">");
  line.append(fw::Format(t.threshold, "#.00")).append(" = ").append(fw::Format(double(t.count), "#0"));
  line.append(" (").append(fw::Format(t.percent, "##0.0#")).append("%)");
  return Line(std::move(line));
}

std::string LargestLine(double largest) {
  std::string line("Largest = ");
  line.append(fw::Format(largest, "+0.0##"));
  return Line(std::move(line));
}

void WriteReport(ReportSink& sink, const ResidualCells& cells, VariableCount n, std::string_view date,
                 std::string_view time, std::string_view fileName) {
  // With fewer than 3 variables the statistics would read outside the list.
  if (n < kMinVariables) throw std::invalid_argument("a report needs at least 3 variables");
  sink.Append(ReportHeader(date, time, fileName));
  sink.Append(Line("Coefficients"));
  for (VariableCount i = 1; i <= n; ++i) {
    sink.Append(NameCell(cells.Cell(i, 1)));
    for (VariableCount j = 2; j <= i; ++j) sink.Append(ValueCell(cells.Cell(i, j)));
    sink.Append(fw::EndOfLine);
  }
  sink.Append(SeparatorLine(n));

  const CoefficientCount m = CountCoefficients(n);
  const CoefficientList list = CollectCoefficients(cells, n, m);
  const CoefficientStatistics stats = MeasureCoefficients(list, m);

  sink.Append(Line("Coefficient Plot"));
  for (int row = 1; row <= kPlotRows; ++row) sink.Append(PlotRowLine(row, stats.plotRows[std::size_t(row - 1)]));
  sink.Append(RmsrLine(stats.RMSR));
  for (const ThresholdCount& t : stats.thresholds) sink.Append(ThresholdLine(t));
  sink.Append(LargestLine(stats.LargestCoefficient));
  sink.Append(SeparatorLine(n));
  sink.Append(Line(std::string(kReportFooter)));
}

}  // namespace lumetra
