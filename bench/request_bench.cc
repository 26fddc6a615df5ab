// Time of whole merid-calc requests, from the arguments to the last byte
// of JSON, for both networks: the band table with its coils fixed, Cmin
// and each row under SWR 10 with the tank retuned; the same with every
// other option as well (the harmonic limit and its search with a margin,
// the strays and the device's resistance, the bench's capacitors); the
// harmonic-limit search of one design; and one design under SWR 10 retuned.

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

// The network's name, or none for the default, before the request's own
// arguments.
std::vector<std::string_view> with_network(std::string_view network,
                                           std::vector<std::string_view> args) {
  if (!network.empty()) args.insert(args.begin(), {"--network", network});
  return args;
}

const std::vector<std::string_view> kBandsCminSwrRetune = {
    "--bands",  "--fixed-coil", "--cmin", "30",  "--swr", "10", "--retune",
    "--format", "json",         "12",     "200", "2000",  "50", "100"};

const std::vector<std::string_view> kEverything = {
    "--bands",  "--fixed-coil", "--cmin", "30",         "--swr",    "10",
    "--retune", "--limit",      "us",     "--margin",   "3",        "--coil-c",
    "2",        "--c1-lead",    "0.02",   "--c2-lead",  "0.02",     "--rp",
    "20000",    "--c1-range",   "10,500", "--c2-range", "100,3000", "--format",
    "json",     "12",           "200",    "2000",       "50",       "100"};

const std::vector<std::string_view> kLimitSearch = {
    "--limit", "us", "--coil-c", "3",    "--format", "json",
    "28.5",    "12", "200",      "2000", "50",       "1500"};

void BM_BandsCminSwr10RetunedPi(benchmark::State& state) {
  run_request(state, kBandsCminSwrRetune);
}
BENCHMARK(BM_BandsCminSwr10RetunedPi)->Unit(benchmark::kMillisecond);

void BM_BandsCminSwr10RetunedPiL(benchmark::State& state) {
  run_request(state, with_network("pi-l", kBandsCminSwrRetune));
}
BENCHMARK(BM_BandsCminSwr10RetunedPiL)->Unit(benchmark::kMillisecond);

void BM_EverythingPi(benchmark::State& state) {
  run_request(state, kEverything);
}
BENCHMARK(BM_EverythingPi)->Unit(benchmark::kMillisecond);

void BM_EverythingPiL(benchmark::State& state) {
  run_request(state, with_network("pi-l", kEverything));
}
BENCHMARK(BM_EverythingPiL)->Unit(benchmark::kMillisecond);

void BM_LimitSearchPi(benchmark::State& state) {
  run_request(state, kLimitSearch);
}
BENCHMARK(BM_LimitSearchPi)->Unit(benchmark::kMillisecond);

void BM_LimitSearchPiL(benchmark::State& state) {
  run_request(state, with_network("pi-l", kLimitSearch));
}
BENCHMARK(BM_LimitSearchPiL)->Unit(benchmark::kMillisecond);

void BM_OneDesignSwr10Retuned(benchmark::State& state) {
  run_request(state, {"--swr", "10", "--retune", "--format", "json", "7.1",
                      "12", "200", "2000", "50", "100"});
}
BENCHMARK(BM_OneDesignSwr10Retuned)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace merid
