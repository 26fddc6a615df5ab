// Time of whole merid-calc requests, from the arguments to the last byte
// of JSON: the heaviest (every band with its coil fixed, each row under
// SWR 10 with the tank retuned) for both networks, and one design under
// the same load.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <string_view>
#include <vector>

#include "cli/calc_app.h"

namespace merid {
namespace {

// Counts what it is given, so that the output is produced but not kept.
class CountingSink : public ByteSink {
 public:
  void write(std::string_view bytes) override { size_ += bytes.size(); }
  void flush() override {}
  std::size_t size() const { return size_; }

 private:
  std::size_t size_ = 0;
};

// The requests write no plot.
class NoFiles : public FileWriter {
 public:
  Status target(const std::string&, ReplaceTarget&) override {
    return failure("no files here");
  }
  Status write(const ReplaceTarget&, std::string_view) override {
    return failure("no files here");
  }
};

void run_request(benchmark::State& state,
                 const std::vector<std::string_view>& args) {
  std::size_t bytes = 0;
  for (auto _ : state) {
    CountingSink out;
    CountingSink err;
    NoFiles files;
    benchmark::DoNotOptimize(run_calc(args, out, err, files));
    bytes = out.size();
  }
  state.counters["output_bytes"] = static_cast<double>(bytes);
}

void BM_BandsFixedCoilSwr10RetunedPi(benchmark::State& state) {
  run_request(state, {"--bands", "--fixed-coil", "--swr", "10", "--retune",
                      "--format", "json", "12", "200", "2000", "50", "100"});
}
BENCHMARK(BM_BandsFixedCoilSwr10RetunedPi)->Unit(benchmark::kMillisecond);

void BM_BandsFixedCoilSwr10RetunedPiL(benchmark::State& state) {
  run_request(state, {"--network", "pi-l", "--bands", "--fixed-coil", "--swr",
                      "10", "--retune", "--format", "json", "12", "200", "2000",
                      "50", "100"});
}
BENCHMARK(BM_BandsFixedCoilSwr10RetunedPiL)->Unit(benchmark::kMillisecond);

void BM_OneDesignSwr10Retuned(benchmark::State& state) {
  run_request(state, {"--swr", "10", "--retune", "--format", "json", "7.1",
                      "12", "200", "2000", "50", "100"});
}
BENCHMARK(BM_OneDesignSwr10Retuned)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace merid
