// One analysis without the window: read a matrix file, measure it and build
// the whole report into a string, for n from 10 to 99 variables; and the
// reading of a huge file without line ends, which must stay bounded.
#include <benchmark/benchmark.h>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <fcntl.h>
#include <unistd.h>

#include "analysis/Matrix.h"
#include "analysis/Report.h"
#include "framework/base/Files.h"

namespace {

// A lower-triangle file of n variables with values in [-0.2, 0.2].
std::string WriteMatrix(int n) {
  auto path = std::filesystem::temp_directory_path() /
              ("lumetra-bench-" + std::to_string(::getpid()) + "-" + std::to_string(n) + ".txt");
  std::ofstream out(path, std::ios::binary);
  std::uint32_t seed = 2026;
  for (int i = 1; i <= n; ++i) {
    out << "var" << i;
    for (int j = 1; j < i; ++j) {
      seed = seed * 1664525u + 1013904223u;
      double r = (double(seed >> 8) / double(1u << 24) - 0.5) * 0.4;
      char text[32];
      auto end = std::to_chars(text, text + sizeof text, r, std::chars_format::fixed, 3).ptr;
      out << '\t' << std::string_view(text, std::size_t(end - text));
    }
    out << '\n';
  }
  return path.string();
}

void ReadMeasureAndReport(benchmark::State& state) {
  const int n = int(state.range(0));
  const std::string path = WriteMatrix(n);
  for (auto _ : state) {
    fw::FolderItem item(path);
    lumetra::MatrixFile file = lumetra::ReadMatrixFile(item, n);
    lumetra::StringSink sink;
    sink.text.reserve(1 << 20);  // the results area holds the text, not a growing string
    lumetra::WriteReport(sink, file.cells, n, "9 Dec 2026", "10:00", file.fileName);
    benchmark::DoNotOptimize(sink.text.data());
  }
  const double m = double(lumetra::CountCoefficients(n));
  state.counters["ns_per_coefficient"] =
      benchmark::Counter(m * double(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  std::filesystem::remove(path);
}
BENCHMARK(ReadMeasureAndReport)->Arg(10)->Arg(25)->Arg(50)->Arg(99)->Unit(benchmark::kMicrosecond);

// An 8 GiB sparse file of zero bytes, a disk image, chosen with 99 variables:
// no line ends, so only the run's read budget keeps this short. Argument 1
// puts a UTF-16 mark in front, which reads it a character at a time.
void ReadHugeFileWithoutLineEnds(benchmark::State& state) {
  const auto path = std::filesystem::temp_directory_path() / ("lumetra-bench-" + std::to_string(::getpid()) + "-sparse.img");
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const bool utf16 = state.range(0) == 1;
  if (fd < 0 || (utf16 && ::write(fd, "\xFF\xFE", 2) != 2) || ::ftruncate(fd, off_t(8) << 30) != 0) {
    state.SkipWithError("cannot make the sparse file");
    if (fd >= 0) ::close(fd);
    return;
  }
  ::close(fd);
  for (auto _ : state) {
    fw::FolderItem item(path.string());
    lumetra::MatrixFile file = lumetra::ReadMatrixFile(item, 99);
    benchmark::DoNotOptimize(file.cells.Cell(1, 1).data());
  }
  std::filesystem::remove(path);
}
BENCHMARK(ReadHugeFileWithoutLineEnds)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
