// Shared by the core tests: matrix files written to a folder of the test's own.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "WorkedExample.h"
#include "analysis/Matrix.h"
#include "analysis/Report.h"
#include "framework/base/Files.h"

namespace lumetra::testing {

class MatrixFiles {
 public:
  MatrixFiles() {
    m_folder = std::filesystem::temp_directory_path() / ("lumetra-core-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(m_folder);
  }
  ~MatrixFiles() { std::filesystem::remove_all(m_folder); }

  fw::FolderItem Write(const std::string& bytes, const std::string& name = "matrix.txt") const {
    auto path = m_folder / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return fw::FolderItem(path.string());
  }
  // The whole report of `bytes` read with n variables, dated "D" at "T".
  std::string Report(const std::string& bytes, VariableCount n) const {
    fw::FolderItem item = Write(bytes);
    MatrixFile file = ReadMatrixFile(item, n);
    StringSink sink;
    WriteReport(sink, file.cells, n, "D", "T", file.fileName);
    return sink.text;
  }

 private:
  std::filesystem::path m_folder;
};

}  // namespace lumetra::testing
