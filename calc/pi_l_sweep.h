#ifndef MERID_CALC_PI_L_SWEEP_H_
#define MERID_CALC_PI_L_SWEEP_H_

// The pi-L network over a block of sweep points: the loop the band
// searches run, compiled for the active sweep kernel.

#include <array>
#include <cstddef>

#include "calc/network.h"
#include "calc/pi_l_ladder.h"
#include "calc/sweep_internal.h"

namespace merid {

// Consecutive points of a grid: their frequencies, |S11| against the
// drives' source resistance and the output voltage's magnitude under the
// two drives, each the bits of analyse_pi_l's.
struct PiLBlock {
  std::size_t count = 0;
  std::array<float, kBlockPoints> freq;
  std::array<float, kBlockPoints> s11;
  std::array<float, kBlockPoints> matched;  // |vout| under `matched`
  std::array<float, kBlockPoints> high_z;   // ... under `high_z`
};

// The next block.count points of the grid of step `step`, the running sum
// `phi` (the next point's frequency, Hz) carried on, with `n` into its
// designed load and `rin` behind the input.
void pi_l_block(const PiLNetwork& n, float rin, const Drive& matched,
                const Drive& high_z, float& phi, float step, PiLBlock& block);

// As pi_l_block, but only the frequencies and `high_z`'s output voltages:
// for the peak search, which reads nothing else.
void pi_l_high_z_block(const PiLNetwork& n, const Drive& high_z, float& phi,
                       float step, PiLBlock& block);

}  // namespace merid

#endif  // MERID_CALC_PI_L_SWEEP_H_
