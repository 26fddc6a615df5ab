// Fuzz target: synthesis on arbitrary inputs inside the dialogue's accepted
// ranges, both those of a new calculation and those of a new loaded Q from
// the menu.
//
// Checks (besides the sanitizers and the time limit): the calculation
// keeps nothing between calls, so the same inputs give the same bits; and
// an infeasible design leaves the earlier results alone.

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "calc/synthesis.h"
#include "fuzz/fuzz_support.h"

namespace merid::fuzz {
namespace {

float above(float x) { return std::nextafter(x, INFINITY); }

// A float chosen by `word` from [low, high], both positive: the bit
// patterns of positive floats are in the order of their values, so every
// float of the range can be reached, its ends included.
float in_range(std::uint32_t word, float low, float high) {
  const auto low_bits = std::bit_cast<std::uint32_t>(low);
  const auto span = std::bit_cast<std::uint32_t>(high) - low_bits + 1;
  return std::bit_cast<float>(low_bits + word % span);
}

struct Words {
  std::uint32_t mode, f, qn, q0, rin, rout, pin;
};

// The six inputs as the dialogue accepts them.  A new calculation:
// 1.11 < qn <= 70 and 1.2 qn < q0 <= 999.  A new loaded Q from the menu,
// with q0 accepted before: 1.11 <= qn <= 0.95 q0 and qn <= 100.
Design accepted_inputs(const Words& w) {
  Design d;
  d.f = in_range(w.f, 0.1f, 150.0f);
  if (w.mode % 2 == 0) {
    d.qn = in_range(w.qn, above(1.11f), 70.0f);
    d.q0 = in_range(w.q0, above(1.2f * d.qn), 999.0f);
  } else {
    d.q0 = in_range(w.q0, above(1.2f * above(1.11f)), 999.0f);
    d.qn = in_range(w.qn, 1.11f, std::fmin(100.0f, 0.95f * d.q0));
  }
  d.rin = in_range(w.rin, 0.1f, 100000.0f);
  d.rout = in_range(w.rout, 0.1f, 100000.0f);
  d.pin = in_range(w.pin, above(0.01f), 100000.0f);
  return d;
}

// Results no calculation gives: every field the same odd bit pattern.
Results earlier_results() {
  std::array<float, sizeof(Results) / sizeof(float)> fields;
  static_assert(sizeof fields == sizeof(Results));
  fields.fill(std::bit_cast<float>(0x5A5A5A5Au));
  return std::bit_cast<Results>(fields);
}

bool same_bits(const Results& a, const Results& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

void fuzz_one(const Words& words) {
  const Design inputs = accepted_inputs(words);
  Design first = inputs;
  // Earlier results that an infeasible design must leave in place.
  first.results = earlier_results();
  const Results earlier = first.results;
  synthesis(first);
  if (first.infeasible) {
    require(same_bits(first.results, earlier),
            "an infeasible design keeps the earlier results");
    return;
  }
  Design second = inputs;
  synthesis(second);
  require(!second.infeasible && same_bits(first.results, second.results),
          "the same inputs give the same results");
}

}  // namespace
}  // namespace merid::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using merid::fuzz::take_word;
  merid::fuzz::Words w{};
  w.mode = take_word(data, size);
  w.f = take_word(data, size);
  w.qn = take_word(data, size);
  w.q0 = take_word(data, size);
  w.rin = take_word(data, size);
  w.rout = take_word(data, size);
  w.pin = take_word(data, size);
  merid::fuzz::fuzz_one(w);
  return 0;
}
