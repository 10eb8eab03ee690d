// The commands of the windows as the user runs them, on the offscreen
// platform: each iteration is one click handler from the check of the
// fields to the last caption.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "ui/app/session.h"
#include "ui/parameter/form1.h"

namespace {

void BM_ComputeCommand(benchmark::State& bench) {
  ui::Session session;
  for (auto _ : bench) session.form1().Command1_Click();
}
BENCHMARK(BM_ComputeCommand)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
