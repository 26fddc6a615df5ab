// Time of one whole calculation: the typical design and the worst case, the
// largest sweep grid (150 MHz with a loaded Q at most 4.01: 57,000 points).

#include <benchmark/benchmark.h>

#include "calc/synthesis.h"

namespace merid {
namespace {

void run_synthesis(benchmark::State& state, Design input) {
  for (auto _ : state) {
    Design d = input;
    synthesis(d);
    benchmark::DoNotOptimize(d);
  }
}

void BM_SynthesisTypical(benchmark::State& state) {
  run_synthesis(state,
                make_design(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f));
}
BENCHMARK(BM_SynthesisTypical)->Unit(benchmark::kMillisecond);

void BM_SynthesisWorstCase(benchmark::State& state) {
  run_synthesis(state, make_design(150.0f, 3.0f, 999.0f, 50.0f, 50.0f, 100.0f));
}
BENCHMARK(BM_SynthesisWorstCase)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace merid
