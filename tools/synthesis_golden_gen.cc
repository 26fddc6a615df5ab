// Writes the synthesis golden file to standard output: a set of designs
// spread over the dialogue's accepted ranges, each with the bit patterns of
// everything synthesis computes for it.  The generator is fixed-seed and
// self-contained, so the same binary always writes the same designs; the
// file holds the inputs too, and the test needs nothing from here.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "calc/synthesis.h"
#include "tests/support/synthesis_golden.h"

namespace merid {
namespace {

constexpr std::uint64_t kGoldenSeed = 20240611;
constexpr std::size_t kRandomDesigns = 1000;

// SplitMix64: a tiny generator whose sequence is fixed by its definition,
// unlike the distributions of the standard library.
class Generator {
 public:
  explicit Generator(std::uint64_t seed) : state_(seed) {}

  std::uint64_t next() {
    state_ += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [0, 1).
  double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
  double uniform(double lo, double hi) { return lo + (hi - lo) * unit(); }
  double log_uniform(double lo, double hi) {
    return lo * std::exp(unit() * std::log(hi / lo));
  }
  bool chance(double p) { return unit() < p; }

 private:
  std::uint64_t state_;
};

// Half of the values as a user would type them (a few decimals, read as a
// float from text), half as arbitrary floats.
float typed_or_raw(Generator& gen, double x, int decimals) {
  if (gen.chance(0.5)) return static_cast<float>(x);
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, x);
  return std::strtof(text, nullptr);
}

// The dialogue's accepted ranges, checked on the floats as typed.
bool accepted(const Design& d) {
  return d.f >= 0.1f && d.f <= 150.0f && d.qn >= 1.11f && d.qn <= 100.0f &&
         1.2f * d.qn < d.q0 && d.q0 <= 999.0f && d.rin >= 0.1f &&
         d.rin <= 100000.0f && d.rout >= 0.1f && d.rout <= 100000.0f &&
         d.pin > 0.01f && d.pin <= 100000.0f;
}

Design random_design(Generator& gen) {
  const double f = gen.log_uniform(0.1, 150.0);
  // Both sweep windows; menu choice 2 allows a loaded Q up to 100.
  double qn;
  if (gen.chance(0.45)) {
    qn = gen.uniform(1.11, 4.01);
  } else if (gen.chance(0.9)) {
    qn = gen.log_uniform(4.01, 70.0);
  } else {
    qn = gen.log_uniform(70.0, 100.0);
  }
  const double q0 = gen.log_uniform(1.2 * qn * 1.0001, 999.0);
  // The resistance ratio reaches a little beyond what the loaded Q allows,
  // so that some designs come out infeasible.
  double rin = gen.log_uniform(0.1, 100000.0);
  double ratio = 1.0;
  const double kind = gen.unit();
  if (kind < 0.2) {
    ratio = 1.0;
  } else if (kind < 0.35) {
    ratio = gen.uniform(1.0, 11.0 / 9.0);
  } else {
    const double qq = qn / 1.1;
    ratio = gen.log_uniform(1.0, 1.4 * (qq * qq + 1.0));
  }
  if (gen.chance(0.5)) ratio = 1.0 / ratio;
  double rout = rin * ratio;
  if (rout > 100000.0 || rout < 0.1) {
    rout = rin;
    rin = rout / ratio;
  }
  const double pin = gen.log_uniform(0.0101, 100000.0);
  // One value drawn after the other, in the order in which the recorded
  // file was drawn.
  const float rin_typed = typed_or_raw(gen, rin, 1);
  const float rout_typed =
      ratio == 1.0 ? rin_typed : typed_or_raw(gen, rout, 1);
  const float pin_typed = typed_or_raw(gen, pin, 2);
  const float q0_typed = typed_or_raw(gen, q0, 0);
  const float qn_typed = typed_or_raw(gen, qn, 2);
  const float f_typed = typed_or_raw(gen, f, 3);
  return make_design(f_typed, qn_typed, q0_typed, rin_typed, rout_typed,
                     pin_typed);
}

// Designs at the edges of the grid bands, the windows and feasibility.
std::vector<Design> edge_designs() {
  const float nan = std::nanf("");
  return {
      make_design(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f),
      make_design(150.0f, 3.0f, 999.0f, 50.0f, 50.0f, 100.0f),
      make_design(150.0f, 4.01f, 999.0f, 50.0f, 50.0f, 100.0f),
      make_design(150.0f, 4.02f, 999.0f, 50.0f, 50.0f, 100.0f),
      make_design(0.1f, 4.02f, 200.0f, 2000.0f, 50.0f, 100.0f),
      make_design(0.1f, 1.11f, 999.0f, 0.1f, 0.1f, 0.0101f),
      make_design(std::nextafter(1.1f, 0.0f), 10.0f, 200.0f, 50.0f, 600.0f,
                  100.0f),
      make_design(1.1f, 10.0f, 200.0f, 50.0f, 600.0f, 100.0f),
      make_design(std::nextafter(30.1f, 0.0f), 3.0f, 300.0f, 50.0f, 75.0f,
                  1500.0f),
      make_design(30.1f, 3.0f, 300.0f, 50.0f, 75.0f, 1500.0f),
      make_design(7.1f, 6.74f, 200.0f, 2000.0f, 50.0f, 100.0f),
      make_design(7.1f, 6.75f, 200.0f, 2000.0f, 50.0f, 100.0f),
      make_design(7.1f, 12.0f, 200.0f, 50.0f, 55.0f, 100.0f),
      make_design(30.0f, 1.2f, 999.0f, 50.0f, 50.0f, 100.0f),
      make_design(3.5f, 100.0f, 999.0f, 100000.0f, 0.1f, 100000.0f),
      make_design(14.2f, 70.0f, 84.5f, 100000.0f, 100000.0f, 100000.0f),
      // rin = rout * eta: the reactance formula's zero by zero, now given
      // the tank that matches rin.
      make_design(7.1f, 10.0f, 100.0f, 90.0f, 100.0f, 100.0f),
      make_design(7.1f, nan, 200.0f, 2000.0f, 50.0f, 100.0f),
      // rin at and near rout * eta, where the cancelling form gave NaN or a
      // tank that missed rin, and equal resistances that matched already.
      make_design(7.1f, 12.0f, 200.0f, 47.0f, 50.0f, 100.0f),
      make_design(14.0f, 10.0f, 500.0f, 49.0f, 50.0f, 100.0f),
      make_design(3.6f, 20.0f, 400.0f, 47.5f, 50.0f, 100.0f),
      make_design(7.1f, 12.0f, 200.0f, 47.0001f, 50.0f, 100.0f),
      make_design(7.1f, 12.0f, 200.0f, 46.995f, 50.0f, 100.0f),
      make_design(7.1f, 12.0f, 200.0f, 47.2f, 50.0f, 100.0f),
      make_design(7.1f, 12.0f, 200.0f, 46.0f, 50.0f, 100.0f),
      make_design(1.9f, 5.0f, 250.0f, 2940.0f, 3000.0f, 500.0f),
      make_design(7.1f, 3.0f, 999.0f, 50.0f, 50.0f, 100.0f),
  };
}

int write_golden(std::uint64_t seed, std::size_t random_designs) {
  std::vector<Design> designs = edge_designs();
  const std::size_t total = designs.size() + random_designs;
  Generator gen(seed);
  while (designs.size() < total) {
    const Design d = random_design(gen);
    if (accepted(d)) designs.push_back(d);
  }

  std::printf(
      "# Synthesis golden file: one design a line, every value the hex bit "
      "pattern of a 32-bit float or integer.\n");
  std::fwrite(golden::kColumnsLead.data(), 1, golden::kColumnsLead.size(),
              stdout);
  for (const golden::Column& field : golden::outputs_of(Design{})) {
    std::printf(" %.*s", static_cast<int>(field.name.size()),
                field.name.data());
  }
  std::printf("\n");
  for (const Design& input : designs) {
    Design output = input;
    synthesis(output);
    std::fputs(golden::format_line(input, output).c_str(), stdout);
  }
  return 0;
}

}  // namespace
}  // namespace merid

// With no arguments, the designs of the golden file; `seed count` gives
// another set, for a wider comparison of two builds.
int main(int argc, char** argv) {
  if (argc == 3) {
    return merid::write_golden(std::strtoull(argv[1], nullptr, 10),
                               std::strtoull(argv[2], nullptr, 10));
  }
  return merid::write_golden(merid::kGoldenSeed, merid::kRandomDesigns);
}
