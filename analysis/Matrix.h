// The matrix file and the count of variables: the count test, the reading of
// the strict lower triangle into text cells, and the sizing of a run.
// Plain C++, no Qt. Bad data is never reported: a missing line or field
// reads as empty text, and text that is not a number counts as 0 wherever a
// number is taken from it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fw {
class FolderItem;
class TextInputStream;
}

namespace lumetra {

// n: the whole-number part of the count field's value.
using VariableCount = std::int64_t;
// m = n(n-1)/2: the coefficients of the strict lower triangle.
using CoefficientCount = std::int64_t;

inline constexpr VariableCount kMinVariables = 3;
inline constexpr VariableCount kMaxVariables = 99;
inline constexpr std::string_view kCountMessage = "Please enter the number of variables (3-99).";

// The count test: n (truncated Val of `fieldText`) when the text is not empty
// and 3 <= n <= 99; nothing when the count is rejected.
std::optional<VariableCount> TestCount(std::string_view fieldText);

// m for n, computed as the integer n(n-1) taken as a double, halved and truncated.
CoefficientCount CountCoefficients(VariableCount n);

// The grid of text cells filled from the matrix file, rows and columns 0..size.
// Row i holds the trimmed name in column 1 and the trimmed coefficient texts
// with variables 1..i-1 in columns 2..i; row 0, column 0 and every cell right
// of column i stay empty.
class ResidualCells {
 public:
  // A fresh grid has room for the largest count, rows and columns 0..99.
  ResidualCells();
  // Cuts (or widens) the grid to rows and columns 0..n, keeping its cells.
  void Resize(VariableCount n);
  VariableCount Size() const { return m_size; }
  // Out-of-range cells read as "" and cannot be set (std::out_of_range).
  const std::string& Cell(VariableCount i, VariableCount j) const;
  void SetCell(VariableCount i, VariableCount j, std::string text);

 private:
  VariableCount m_size;
  // Row by row, each only as long as its last cell set: a cell that was
  // never set reads empty, and no grid of empty cells is allocated.
  std::vector<std::vector<std::string>> m_rows;
};

// Reads exactly n lines of `stream`: line i gives Trim(NthField(line, tab, j))
// for j = 1..i. Lines past the end read as empty. Raises what the stream raises.
void ReadCells(fw::TextInputStream& stream, VariableCount n, ResidualCells& cells);

// One matrix file read for a run: the file's name and its cells, cut to n.
struct MatrixFile {
  std::string fileName;
  ResidualCells cells;
};

// The reading and the sizing of a run: takes the item's name, opens it,
// reads n lines, closes it and cuts the cells to n. A run reads at most n
// times the line cap (fw::TextInputStream::kMaxLineBytes) of the file: past
// that the line being read ends and the rest read as missing, so a file of
// any size gives its report at once. Raises fw::IOException when the file
// cannot be opened or read; nothing is returned then.
MatrixFile ReadMatrixFile(fw::FolderItem& item, VariableCount n);

}  // namespace lumetra
