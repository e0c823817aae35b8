// The report: every piece of text of one analysis, appended piece by piece to
// a sink that the caller gives (a string in tests, the results area in the
// main window). Widths and cuts count characters, never bytes; every line
// ends with LF, the last one included; the report holds no tab.
#pragma once

#include <string>
#include <string_view>

#include "analysis/Matrix.h"
#include "analysis/Statistics.h"

namespace lumetra {

// Where the report goes: each call appends one piece at the end. The piece
// is valid only during the call (the report builds the next one in the same
// place), so a sink that keeps it copies it.
class ReportSink {
 public:
  virtual ~ReportSink() = default;
  virtual void Append(std::string_view piece) = 0;
};

// A sink that collects the pieces into one string.
class StringSink : public ReportSink {
 public:
  void Append(std::string_view piece) override { text.append(piece); }
  std::string text;
};

inline constexpr std::string_view kReportFooter = "Lumetra 1.1.0 - residual analysis of factor solutions";

// "Date: <date>  <time>\nFile: <name>\n\n"
std::string ReportHeader(std::string_view date, std::string_view time, std::string_view fileName);
// 12 characters: a space, the name, spaces; cut after the name's 11th character.
std::string NameCell(std::string_view name);
// 8 characters: a space, Val(text) under "+0.000#", spaces; cut after 7.
std::string ValueCell(std::string_view cellText);
// "=========" n times and LF.
std::string SeparatorLine(VariableCount n);
// Row b (1..13): its 5-character label, " |", the marks and LF.
std::string PlotRowLine(int row, std::string_view marks);
// The summary lines, each with LF: the RMSR line (after an empty line), the
// three threshold lines and the largest coefficient line.
std::string RmsrLine(double rmsr);
std::string ThresholdLine(const ThresholdCount& t);
std::string LargestLine(double largest);

// Phases 6 to 13 of a run: the header, the "Coefficients" line, the table
// cell by cell, a separator, then the statistics (collected and measured
// here), the plot, the summary, a second separator and the footer, each
// piece appended to `sink` in that order. `cells` must be cut to n; n below
// 3 is refused (std::invalid_argument) before anything is appended.
void WriteReport(ReportSink& sink, const ResidualCells& cells, VariableCount n,
                 std::string_view date, std::string_view time, std::string_view fileName);

}  // namespace lumetra
