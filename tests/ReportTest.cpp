// The report to the character: the worked example from its file in every
// form, cell widths, line counts and lengths, and the order of the pieces.
#include <gtest/gtest.h>

#include "CoreSupport.h"
#include "analysis/Report.h"
#include "framework/base/Text.h"

namespace lumetra {
namespace {

using testing::Joined;
using testing::kWorkedExample;
using testing::MatrixFiles;

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "every line ends with LF";
  return lines;
}

const std::string kExpectedWorkedExample = "Date: D  T\nFile: matrix.txt\n\n" + testing::kWorkedExampleReportBody;

// The worked example as a full square: mirrored, with an empty diagonal.
std::string FullSquare(const std::string& end) {
  std::vector<std::vector<std::string>> fields(8);
  for (int i = 0; i < 8; ++i) {
    std::string line = kWorkedExample[i];
    for (int j = 1; j <= i + 1; ++j) fields[std::size_t(i)].push_back(fw::NthField(line, "\t", j));
  }
  std::string text;
  for (int i = 0; i < 8; ++i) {
    text += fields[std::size_t(i)][0];
    for (int j = 0; j < 8; ++j) {
      text += "\t";
      if (j < i) text += fields[std::size_t(i)][std::size_t(j + 1)];
      if (j > i) text += fields[std::size_t(j)][std::size_t(i + 1)];
    }
    text += end;
  }
  return text;
}

std::string Utf16LE(const std::string& ascii) {
  std::string out("\xFF\xFE", 2);
  for (char c : ascii) out += std::string{c, '\0'};
  return out;
}

TEST(Report, WorkedExampleInEveryFormOfItsFile) {
  MatrixFiles files;
  const std::string lower = Joined(kWorkedExample, 8, "\n");
  EXPECT_EQ(files.Report(lower, 8), kExpectedWorkedExample);
  EXPECT_EQ(files.Report(FullSquare("\n"), 8), kExpectedWorkedExample);
  EXPECT_EQ(files.Report(Joined(kWorkedExample, 8, "\r\n"), 8), kExpectedWorkedExample);
  EXPECT_EQ(files.Report(Joined(kWorkedExample, 8, "\r"), 8), kExpectedWorkedExample);
  EXPECT_EQ(files.Report(FullSquare("\r"), 8), kExpectedWorkedExample);
  EXPECT_EQ(files.Report(Utf16LE(lower), 8), kExpectedWorkedExample);
}

TEST(Report, LineCountsAndLengthsAtBothEnds) {
  MatrixFiles files;
  // n = 3
  std::vector<std::string> small = SplitLines(files.Report("a\nb\t0.1\nc\t0.2\t0.3\n", 3));
  EXPECT_EQ(small.size(), 30u);
  EXPECT_EQ(small[4].size(), 12u);
  EXPECT_EQ(small[5].size(), 20u);
  EXPECT_EQ(small[6].size(), 28u);
  EXPECT_EQ(small[7], std::string(27, '='));
  EXPECT_EQ(small[28], std::string(27, '='));
  // n = 99, every coefficient beyond .05
  std::string big;
  for (int i = 1; i <= 99; ++i) {
    big.append("v").append(std::to_string(i));
    for (int j = 1; j < i; ++j) big += "\t0.5";
    big += "\n";
  }
  std::vector<std::string> lines = SplitLines(files.Report(big, 99));
  EXPECT_EQ(lines.size(), 126u);
  EXPECT_EQ(lines[102].size(), 796u) << "the last table row";
  EXPECT_EQ(lines[103], std::string(891, '='));
  EXPECT_EQ(fw::Len(lines[117]), 7 + 4851) << "one row carries all the marks";
  EXPECT_EQ(lines[120], ">.05 = 4851 (100.0%)");
  EXPECT_EQ(lines[123], "Largest = +0.5");
}

TEST(Report, ABinaryFileStillGivesAWholeReport) {
  std::string bytes;
  std::uint32_t seed = 7;
  for (int i = 0; i < 200000; ++i) {
    seed = seed * 1664525u + 1013904223u;
    bytes += char(seed >> 24);
  }
  MatrixFiles files;
  std::vector<std::string> lines = SplitLines(files.Report(bytes, 99));
  EXPECT_EQ(lines.back(), kReportFooter);
  EXPECT_EQ(lines.size(), 126u);
}

TEST(Report, AValueTooLargeForADoubleIsNoPerfectFit) {
  MatrixFiles files;
  std::vector<std::string> lines = SplitLines(files.Report("a\nb\t1e309\nc\t0\t-0.01\n", 3));
  EXPECT_EQ(lines[5], " b           +inf   ");
  EXPECT_EQ(lines[21], ".30+  |\u2022") << "in the top row, not the middle one";
  EXPECT_EQ(lines[23], "RMSR = inf");
  EXPECT_EQ(lines[27], "Largest = +inf");
}

TEST(Report, FewerThanThreeVariablesAreRefusedBeforeAnyPiece) {
  ResidualCells cells;
  for (VariableCount n : {VariableCount(-1), VariableCount(0), VariableCount(2)}) {
    cells.Resize(n < 0 ? 0 : n);
    StringSink sink;
    EXPECT_THROW(WriteReport(sink, cells, n, "D", "T", "m.txt"), std::invalid_argument) << n;
    EXPECT_EQ(sink.text, "");
  }
}

TEST(Report, CellsAreCutAndFilledByCharacters) {
  struct Case {
    std::string got, want;
  };
  const Case cases[] = {
      {NameCell("abcdefghijk"), " abcdefghijk"},             // 11 characters fill the cell
      {NameCell("abcdefghijkl"), " abcdefghijk"},            // 12 lose the last
      {NameCell(""), std::string(12, ' ')},                 // empty name
      {NameCell("\xC3\xA9tudiant\xC3\xA9s1234"), " \xC3\xA9tudiant\xC3\xA9s1"},  // 11 characters, not bytes
      {ValueCell("-12.5"), " -12.500"},                     // fills its cell
      {ValueCell("123.4"), " +123.40"},                     // loses its last character
      {ValueCell("1"), " +1.000 "},
      {ValueCell("abc"), " +0.000 "},                       // not a number: 0
      {ValueCell("-0.0125"), " -0.0125"},
      {ValueCell(""), " +0.000 "}};
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want);
}

// Records each piece as it is appended.
class PieceSink : public ReportSink {
 public:
  void Append(std::string_view piece) override { pieces.emplace_back(piece); }
  std::vector<std::string> pieces;
};

TEST(Report, AppendedPieceByPieceAfterWhatIsThere) {
  ResidualCells cells;
  for (int i = 1; i <= 8; ++i) {
    std::string line = kWorkedExample[i - 1];
    for (int j = 1; j <= i; ++j) cells.SetCell(i, j, fw::NthField(line, "\t", j));
  }
  cells.Resize(8);
  PieceSink sink;
  WriteReport(sink, cells, 8, "D", "T", "matrix.txt");
  // header, heading, 28 value cells + 8 name cells + 8 line ends, separator,
  // plot heading, 13 rows, RMSR, 3 thresholds, largest, separator, footer
  EXPECT_EQ(sink.pieces.size(), 2u + 44u + 1u + 1u + 13u + 1u + 3u + 1u + 1u + 1u);
  EXPECT_EQ(sink.pieces[0], "Date: D  T\nFile: matrix.txt\n\n");
  EXPECT_EQ(sink.pieces[1], "Coefficients\n");
  EXPECT_EQ(sink.pieces[61], "\nRMSR = 0.028\n");

  StringSink text;
  text.text = "typed by the user";
  WriteReport(text, cells, 8, "D", "T", "matrix.txt");
  WriteReport(text, cells, 8, "D", "T", "matrix.txt");
  std::string report = kExpectedWorkedExample;
  EXPECT_EQ(text.text, "typed by the user" + report + report) << "a report begins where the text ends";
}

TEST(Report, EachCellIsAPieceOfItsOwn) {
  // The cells are built one after another in the same place: each piece
  // must hold its own cell, whole, and nothing of the one before.
  ResidualCells cells;
  const char* rows[][4] = {{"a"}, {"\xC3\xA9t\xC3\xA9 long name", "-0.0125"}, {"c", "123.4", ""}};
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= i; ++j) cells.SetCell(i, j, rows[i - 1][j - 1]);
  PieceSink sink;
  WriteReport(sink, cells, 3, "D", "T", "m.txt");
  const std::vector<std::string> table(sink.pieces.begin() + 2, sink.pieces.begin() + 12);
  EXPECT_EQ(table, (std::vector<std::string>{" a          ", "\n", " \xC3\xA9t\xC3\xA9 long na", " -0.0125", "\n",
                                             " c          ", " +123.40", " +0.000 ", "\n", std::string(27, '=') + "\n"}));
}

}  // namespace
}  // namespace lumetra
