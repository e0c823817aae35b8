// The count test and the reading of the matrix file into cells.
#include <gtest/gtest.h>

#include "CoreSupport.h"
#include "analysis/Matrix.h"
#include "framework/base/Exceptions.h"

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

TEST_F(MatrixReading, MissingFileRaisesBeforeAnythingIsRead) {
  fw::FolderItem gone("/nonexistent/folder/m.txt");
  EXPECT_THROW(ReadMatrixFile(gone, 3), fw::IOException);
}

}  // namespace
}  // namespace lumetra
