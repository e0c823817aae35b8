#include "analysis/Report.h"

#include <array>
#include <stdexcept>

#include "framework/base/Text.h"

namespace lumetra {

namespace {

// Each mask is read once, when the program is compiled.
constexpr fw::NumberMask kValueMask("+0.000#");
constexpr fw::NumberMask kRmsrMask("0.###");
constexpr fw::NumberMask kThresholdMask("#.00");
constexpr fw::NumberMask kCountMask("#0");
constexpr fw::NumberMask kPercentMask("##0.0#");
constexpr fw::NumberMask kLargestMask("+0.0##");

// Appends a cell: a space, the text and spaces, of which the first `width`
// characters are taken; the same as cutting " " + text + 31 spaces, without
// building the long string.
void AppendCell(std::string& out, std::string_view text, std::int64_t width) {
  out.push_back(' ');
  const std::string kept = fw::Left(text, width - 1);
  out.append(kept);
  out.append(std::size_t(width - 1 - fw::Len(kept)), ' ');
}

// Appends a value cell: 8 characters, the number cut after 7. A formatted
// number is ASCII, so its bytes can be cut and counted as its characters.
void AppendValueCell(std::string& out, double value) {
  constexpr std::size_t kWidth = 8;
  const std::size_t start = out.size();
  out.push_back(' ');
  fw::FormatTo(out, value, kValueMask);
  out.resize(start + kWidth, ' ');
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
  std::string cell;
  AppendCell(cell, name, 12);
  return cell;
}

std::string ValueCell(std::string_view cellText) {
  std::string cell;
  AppendValueCell(cell, fw::Val(cellText));
  return cell;
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
  line.append("RMSR = ");
  fw::FormatTo(line, rmsr, kRmsrMask);
  return Line(std::move(line));
}

std::string ThresholdLine(const ThresholdCount& t) {
  std::string line(">");
  fw::FormatTo(line, t.threshold, kThresholdMask);
  line.append(" = ");
  fw::FormatTo(line, double(t.count), kCountMask);
  line.append(" (");
  fw::FormatTo(line, t.percent, kPercentMask);
  line.append("%)");
  return Line(std::move(line));
}

std::string LargestLine(double largest) {
  std::string line("Largest = ");
  fw::FormatTo(line, largest, kLargestMask);
  return Line(std::move(line));
}

void WriteReport(ReportSink& sink, const ResidualCells& cells, VariableCount n, std::string_view date,
                 std::string_view time, std::string_view fileName) {
  // With fewer than 3 variables the statistics would read outside the list.
  if (n < kMinVariables) throw std::invalid_argument("a report needs at least 3 variables");
  sink.Append(ReportHeader(date, time, fileName));
  sink.Append(Line("Coefficients"));
  const CoefficientCount m = CountCoefficients(n);
  // Every cell is built in this one string and handed over before the next.
  std::string piece;
  for (VariableCount i = 1; i <= n; ++i) {
    piece.clear();
    AppendCell(piece, cells.Cell(i, 1), 12);
    sink.Append(piece);
    for (VariableCount j = 2; j <= i; ++j) {
      piece.clear();
      AppendValueCell(piece, fw::Val(cells.Cell(i, j)));
      sink.Append(piece);
    }
    sink.Append(fw::EndOfLine);
  }
  sink.Append(SeparatorLine(n));

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
