#ifndef MERID_CALC_HARMONICS_H_
#define MERID_CALC_HARMONICS_H_

// Suppression of the harmonics 2f to 5f by the pi tank, under the two drives
// of the second-harmonic figures KU and KI and in their arithmetic.

#include <array>

#include "calc/complex.h"
#include "calc/constants.h"
#include "calc/network.h"
#include "calc/synthesis.h"

namespace merid {

inline constexpr int kFirstHarmonic = 2;
inline constexpr int kLastHarmonic = 5;
inline constexpr int kHarmonicCount = kLastHarmonic - kFirstHarmonic + 1;

// 20 log10 |vout(f) / vout(nf)|, dB: how far the output at the harmonic
// stands below the output at f, each the output voltage of one analysis.
inline float suppression_db(Complex vout_f, Complex vout_harmonic) {
  return kDecibelsPerDecade * log10_single(modulus(vout_f / vout_harmonic));
}

// KU (matched drive) and KI (high-impedance drive) at 2f to 5f; index 0 is
// the second harmonic, the screen's KU and KI to the bit.
struct HarmonicTable {
  std::array<float, kHarmonicCount> ku{};
  std::array<float, kHarmonicCount> ki{};
};

// The table of the feasible design `d`, analysed at the frequency and with
// the input voltage its calculation used.
HarmonicTable harmonic_table(const Design& d);

// The working frequency in Hz as the calculation of `d` used it.
float working_hertz(const Design& d);

}  // namespace merid

#endif  // MERID_CALC_HARMONICS_H_
