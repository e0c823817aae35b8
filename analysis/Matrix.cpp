#include "analysis/Matrix.h"

#include <cmath>
#include <stdexcept>

#include "framework/Files.h"
#include "framework/Text.h"

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

ResidualCells::ResidualCells() : m_size(kMaxVariables), m_cells(std::size_t((kMaxVariables + 1) * (kMaxVariables + 1))) {}

void ResidualCells::Resize(VariableCount n) {
  if (n < 0) throw std::out_of_range("negative grid size");
  std::vector<std::string> cells(std::size_t((n + 1) * (n + 1)));
  VariableCount keep = std::min(n, m_size);
  for (VariableCount i = 0; i <= keep; ++i)
    for (VariableCount j = 0; j <= keep; ++j)
      cells[std::size_t(i * (n + 1) + j)] = std::move(m_cells[std::size_t(i * (m_size + 1) + j)]);
  m_cells = std::move(cells);
  m_size = n;
}

const std::string& ResidualCells::Cell(VariableCount i, VariableCount j) const {
  static const std::string empty;
  if (i < 0 || j < 0 || i > m_size || j > m_size) return empty;
  return m_cells[std::size_t(i * (m_size + 1) + j)];
}

void ResidualCells::SetCell(VariableCount i, VariableCount j, std::string text) {
  if (i < 0 || j < 0 || i > m_size || j > m_size) throw std::out_of_range("cell outside the grid");
  m_cells[std::size_t(i * (m_size + 1) + j)] = std::move(text);
}

void ReadCells(fw::TextInputStream& stream, VariableCount n, ResidualCells& cells) {
  const std::string tab = fw::Chr(9);
  for (VariableCount i = 1; i <= n; ++i) {
    std::string line = stream.ReadLine();
    for (VariableCount j = 1; j <= i; ++j) cells.SetCell(i, j, fw::Trim(fw::NthField(line, tab, j)));
  }
}

MatrixFile ReadMatrixFile(fw::FolderItem& item, VariableCount n) {
  MatrixFile file;
  file.fileName = item.Name();
  auto stream = fw::TextInputStream::Open(item);
  ReadCells(*stream, n, file.cells);
  stream->Close();
  file.cells.Resize(n);
  return file;
}

}  // namespace lumetra
