// Appending a whole 99-variable report to the main window's results area,
// piece by piece as a run does: into an empty area, and after 50 reports
// have piled up. Timed until the area has laid the text out.
#include <benchmark/benchmark.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QPlainTextEdit>
#include <charconv>
#include <string>
#include <vector>

#include "analysis/ControlWnd.h"
#include "analysis/Report.h"
#include "app/Startup.h"
#include "framework/Application.h"

namespace {

// The pieces of one report, as the run appends them.
class PieceSink : public lumetra::ReportSink {
 public:
  void Append(std::string_view piece) override { pieces.emplace_back(piece); }
  std::vector<std::string> pieces;
};

std::vector<std::string> ReportPieces() {
  constexpr int n = 99;
  lumetra::ResidualCells cells;
  std::uint32_t seed = 12345;
  for (int i = 1; i <= n; ++i) {
    cells.SetCell(i, 1, "var" + std::to_string(i));
    for (int j = 2; j <= i; ++j) {
      seed = seed * 1664525u + 1013904223u;
      double r = (double(seed >> 8) / double(1u << 24) - 0.5) * 0.4;
      char text[32];
      auto end = std::to_chars(text, text + sizeof text, r, std::chars_format::fixed, 3).ptr;
      cells.SetCell(i, j, std::string(text, end));
    }
  }
  cells.Resize(n);
  PieceSink sink;
  lumetra::WriteReport(sink, cells, n, "9 Dec 2026", "10:00", "bench.txt");
  return sink.pieces;
}

void AppendReport(benchmark::State& state) {
  const int earlier = int(state.range(0));
  static const std::vector<std::string> pieces = ReportPieces();
  lumetra::ControlWnd& window = lumetra::ControlWnd::Implicit();
  fw::TextArea& area = window.ResultsFld();
  area.SetVisible(true);
  for (auto _ : state) {
    state.PauseTiming();
    area.SetText("");
    for (int k = 0; k < earlier; ++k) {
      fw::TextArea::AppendScope scope(area);
      for (const auto& piece : pieces) area.AppendText(piece);
    }
    QApplication::processEvents();
    state.ResumeTiming();
    {
      fw::TextArea::AppendScope scope(area);
      for (const auto& piece : pieces) area.AppendText(piece);
    }
    benchmark::DoNotOptimize(area.Edit()->document()->documentLayout()->documentSize());
    QApplication::processEvents();
  }
  state.counters["pieces"] = double(pieces.size());
}
BENCHMARK(AppendReport)->Arg(0)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
  fw::Runtime runtime(argv[0], "Lumetra");
  lumetra::RegisterClasses();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
