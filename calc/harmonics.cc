#include "calc/harmonics.h"

#include <cstddef>

#include "calc/constants.h"

namespace merid {
namespace {

// The suppression of harmonic `n` (2 to 5) of `f` Hz by `tank` under
// `drive`.  n f is one product in single precision; for n = 2 it equals
// f + f, so the result has the bits of garmonica1 and garmonica2.
float harmonic_suppression(const Tank& tank, const Drive& drive, float f,
                           int n) {
  const float fn = static_cast<float>(n) * f;
  return suppression_db(analyse(tank, drive, f).vout,
                        analyse(tank, drive, fn).vout);
}

}  // namespace

float working_hertz(const Design& d) { return kHertzPerMegahertz * d.fmhz; }

HarmonicTable harmonic_table(const Design& d) {
  const Tank& tank = d.details.tank;
  const float f = working_hertz(d);
  const Drive matched = matched_drive(d.results.uin, d.rin);
  const Drive high_z = high_impedance_drive(d.results.uin, d.rin);
  HarmonicTable table;
  for (std::size_t i = 0; i < kHarmonicCount; ++i) {
    const int n = kFirstHarmonic + static_cast<int>(i);
    table.ku[i] = harmonic_suppression(tank, matched, f, n);
    table.ki[i] = harmonic_suppression(tank, high_z, f, n);
  }
  return table;
}

}  // namespace merid
