#include "analysis/Matrix.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "framework/base/Files.h"
#include "framework/base/Text.h"

namespace lumetra {

std::optional<VariableCount> TestCount(std::string_view fieldText) {
  if (fieldText.empty()) return std::nullopt;
  double value = std::trunc(fw::Val(fieldText));
  // Compared as a double first: a huge value must not reach the integer cast.
  if (value < double(kMinVariables) || value > double(kMaxVariables)) return std::nullopt;
  return VariableCount(value);
}

CoefficientCount CountCoefficients(VariableCount n) {
  return CoefficientCount(double(n * (n - 1)) / 2.0);
}

ResidualCells::ResidualCells() : m_size(kMaxVariables), m_rows(std::size_t(kMaxVariables + 1)) {}

void ResidualCells::Resize(VariableCount n) {
  if (n < 0) throw std::out_of_range("negative grid size");
  m_rows.resize(std::size_t(n + 1));
  for (auto& row : m_rows)
    if (row.size() > std::size_t(n + 1)) row.resize(std::size_t(n + 1));
  m_size = n;
}

const std::string& ResidualCells::Cell(VariableCount i, VariableCount j) const {
  static const std::string empty;
  if (i < 0 || j < 0 || i > m_size || j > m_size) return empty;
  const auto& row = m_rows[std::size_t(i)];
  return std::size_t(j) < row.size() ? row[std::size_t(j)] : empty;
}

void ResidualCells::SetCell(VariableCount i, VariableCount j, std::string text) {
  if (i < 0 || j < 0 || i > m_size || j > m_size) throw std::out_of_range("cell outside the grid");
  auto& row = m_rows[std::size_t(i)];
  if (row.size() <= std::size_t(j)) {
    // Row i of a matrix file fills its columns 1..i: room for them at once.
    row.reserve(std::size_t(std::max(i, j) + 1));
    // Filled left to right, a cell is added at the end, not made empty first.
    row.resize(std::size_t(j));
    row.push_back(std::move(text));
    return;
  }
  row[std::size_t(j)] = std::move(text);
}

void ReadCells(fw::TextInputStream& stream, VariableCount n, ResidualCells& cells) {
  const char tab = 9;
  for (VariableCount i = 1; i <= n; ++i) {
    const std::string line = stream.ReadLine();
    // Fields 1..i in one pass, as NthField(line, tab, j) gives each of them:
    // asking NthField for every j would scan the line i times.
    std::string_view rest = line;
    bool more = true;
    for (VariableCount j = 1; j <= i; ++j) {
      std::size_t end = rest.find(tab);
      std::string_view field = more ? rest.substr(0, end) : std::string_view();
      cells.SetCell(i, j, fw::Trim(field));
      if (end == std::string_view::npos) {
        more = false;
        rest = {};
      } else {
        rest.remove_prefix(end + 1);
      }
    }
  }
}

MatrixFile ReadMatrixFile(fw::FolderItem& item, VariableCount n) {
  MatrixFile file;
  file.fileName = item.Name();
  // Any file, whatever its size, gives its report at once: the run reads no
  // more than its n lines could hold.
  const auto budget = std::uint64_t(std::max<VariableCount>(n, 0)) * fw::TextInputStream::kMaxLineBytes;
  auto stream = fw::TextInputStream::Open(item, budget);
  ReadCells(*stream, n, file.cells);
  stream->Close();
  file.cells.Resize(n);
  return file;
}

}  // namespace lumetra
