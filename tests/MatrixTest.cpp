// The count test and the reading of the matrix file into cells.
#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

#include "CoreSupport.h"
#include "analysis/Matrix.h"
#include "framework/base/Exceptions.h"
#include "framework/base/Files.h"

namespace lumetra {
namespace {

using testing::MatrixFiles;

TEST(CountTest, AcceptsThreeToNinetyNine) {
  struct Case {
    const char* text;
    std::optional<VariableCount> n;
  };
  const Case cases[] = {
      {"", std::nullopt}, {"0", std::nullopt}, {"1", std::nullopt}, {"2", std::nullopt},
      {"3", 3}, {"05", 5}, {"99", 99}, {"100", std::nullopt}, {"abc", std::nullopt},
      {"3.9", 3} /* truncated */, {"-5", std::nullopt}, {"1e300", std::nullopt} /* no overflowing cast */,
      {"8x", 8}};
  for (const Case& c : cases) EXPECT_EQ(TestCount(c.text), c.n) << '"' << c.text << '"';
}

TEST(CountTest, CoefficientCount) {
  EXPECT_EQ(CountCoefficients(3), 3);
  EXPECT_EQ(CountCoefficients(4), 6);
  EXPECT_EQ(CountCoefficients(8), 28);
  EXPECT_EQ(CountCoefficients(99), 4851);
}

TEST(ResidualCells, CutKeepsCellsAndOutsideReadsEmpty) {
  ResidualCells cells;
  EXPECT_EQ(cells.Size(), 99);
  cells.SetCell(3, 2, "0.5");
  cells.SetCell(50, 2, "far");
  cells.Resize(4);
  EXPECT_EQ(cells.Cell(3, 2), "0.5");
  EXPECT_EQ(cells.Cell(50, 2), "");
  EXPECT_THROW(cells.SetCell(5, 1, "x"), std::out_of_range);
}

class MatrixReading : public ::testing::Test {
 protected:
  MatrixFile Read(const std::string& bytes, VariableCount n) {
    fw::FolderItem item = m_files.Write(bytes, "my matrix.tab");
    return ReadMatrixFile(item, n);
  }
  MatrixFiles m_files;
};

TEST_F(MatrixReading, LowerTriangleAndFullSquareGiveTheSameCells) {
  MatrixFile lower = Read("a\nb\t0.1\nc\t0.2\t0.3\n", 3);
  MatrixFile square = Read("a\t\t0.1\t0.2\nb\t0.1\t\t0.3\nc\t0.2\t0.3\t\n", 3);
  EXPECT_EQ(lower.fileName, "my matrix.tab");
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= 3; ++j) EXPECT_EQ(lower.cells.Cell(i, j), square.cells.Cell(i, j)) << i << "," << j;
  EXPECT_EQ(square.cells.Cell(3, 3), "0.3");
  EXPECT_EQ(square.cells.Cell(1, 2), "") << "the diagonal and above are never read";
}

TEST_F(MatrixReading, FieldsAreTrimmedAndNamesKeepInnerSpaces) {
  MatrixFile f = Read("  verbal score \nx\t 0.5 \t\n", 2);
  EXPECT_EQ(f.cells.Cell(1, 1), "verbal score");
  EXPECT_EQ(f.cells.Cell(2, 2), "0.5");
}

TEST_F(MatrixReading, ShortMissingAndBlankLinesReadEmpty) {
  MatrixFile f = Read("a\n\nc\t0.2\n", 4);  // line 2 blank, line 3 short, line 4 missing
  EXPECT_EQ(f.cells.Cell(2, 1), "");
  EXPECT_EQ(f.cells.Cell(3, 1), "c");
  EXPECT_EQ(f.cells.Cell(3, 2), "0.2");
  EXPECT_EQ(f.cells.Cell(3, 3), "");
  EXPECT_EQ(f.cells.Cell(4, 1), "");
  EXPECT_EQ(f.cells.Size(), 4);
}

TEST_F(MatrixReading, CommaSeparatedLinesBecomeWholeNames) {
  MatrixFile f = Read("a\nb,0.1\nc,0.2,0.3\n", 3);
  EXPECT_EQ(f.cells.Cell(3, 1), "c,0.2,0.3");
  EXPECT_EQ(f.cells.Cell(3, 2), "");
}

TEST_F(MatrixReading, AHeadingLineIsVariableOne) {
  MatrixFile f = Read("name\tv1\tv2\na\nb\t0.4\n", 3);
  EXPECT_EQ(f.cells.Cell(1, 1), "name");
  EXPECT_EQ(f.cells.Cell(2, 1), "a");
  EXPECT_EQ(f.cells.Cell(3, 2), "0.4");
}

TEST_F(MatrixReading, OnlyTheLeadingNByNPartIsRead) {
  MatrixFile f = Read("a\nb\t0.1\nc\t0.2\t0.3\nd\t0.4\t0.5\t0.6\n", 3);
  EXPECT_EQ(f.cells.Size(), 3);
  EXPECT_EQ(f.cells.Cell(3, 3), "0.3");
}

// A run reads at most n times the line cap of any file: the lines past it
// read as missing, so a disk image chosen by mistake gives its report at once.
TEST_F(MatrixReading, AHugeFileIsReadOnlyUpToTheBudget) {
  constexpr std::uint64_t kEightGiB = std::uint64_t(8) << 30;
  struct Case {
    const char* name;
    std::string mark, lastLine;  // the last line, past the budget, is never read
    VariableCount n;
  };
  const Case cases[] = {
      {"bytes", "", "\nz", 99},
      {"UTF-16 LE", "\xFF\xFE", std::string("\n\0z\0", 4), 3},
      {"UTF-16 BE", "\xFE\xFF", std::string("\0\n\0z", 4), 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Zero bytes without a line end up to the last line, in a sparse file that costs no disk.
    fw::FolderItem item = m_files.Write(c.mark, "disk.img");
    ASSERT_EQ(::truncate(item.Path().c_str(), off_t(kEightGiB - c.lastLine.size())), 0);
    std::ofstream(item.Path(), std::ios::binary | std::ios::app) << c.lastLine;
    MatrixFile f = ReadMatrixFile(item, c.n);
    EXPECT_EQ(f.cells.Cell(1, 1), std::string(fw::TextInputStream::kMaxLineBytes, '\0'));
    std::string past;  // every cell of lines 2..n
    for (VariableCount i = 2; i <= c.n; ++i)
      for (VariableCount j = 1; j <= i; ++j) past += f.cells.Cell(i, j);
    EXPECT_EQ(past, "");
  }
}

TEST_F(MatrixReading, AFileUpToTheBudgetReadsWhole) {
  // Three lines in exactly the budget of n = 3; the blanks in line 2 are trimmed away.
  const std::string third = "\nc\t0.2\t0.35";
  const std::string head = "a\nb\t0.1";
  const std::string exact = head + std::string(3 * fw::TextInputStream::kMaxLineBytes - head.size() - third.size(), ' ') + third;
  const std::pair<std::string, std::string> cases[] = {
      {exact.substr(0, exact.size() - 1), "0.3"},  // just under the budget
      {exact, "0.35"},                              // the budget
      {exact + "1", "0.35"},                        // one byte past it is not read
  };
  for (const auto& [bytes, last] : cases) {
    MatrixFile f = Read(bytes, 3);
    EXPECT_EQ(f.cells.Cell(2, 2), "0.1");
    EXPECT_EQ(f.cells.Cell(3, 3), last) << bytes.size() << " bytes";
  }
}

TEST_F(MatrixReading, MissingFileRaisesBeforeAnythingIsRead) {
  fw::FolderItem gone("/nonexistent/folder/m.txt");
  EXPECT_THROW(ReadMatrixFile(gone, 3), fw::IOException);
}

}  // namespace
}  // namespace lumetra
