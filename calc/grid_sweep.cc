#include "calc/grid_sweep.h"

namespace merid {

void fill_block(const Tank& tank, float& phi, float step, GridBlock& block) {
  // Copies, which no store into the block can alias, so that the loop
  // vectorises.
  const Tank tank_copy = tank;
  const std::size_t count = block.count;
  // The running sum is a chain of roundings, one point after the other.
  for (std::size_t j = 0; j < count; ++j) {
    block.freq[j] = phi;
    phi = phi + step;
  }
  for (std::size_t j = 0; j < count; ++j) {
    const Impedances z =
        impedances_of(tank_copy, elements_at(tank_copy, block.freq[j]));
    block.zp2_re[j] = z.zp2.re;
    block.zp2_im[j] = z.zp2.im;
    block.zser_re[j] = z.zser.re;
    block.zser_im[j] = z.zser.im;
    block.zin_re[j] = z.zin.re;
    block.zin_im[j] = z.zin.im;
  }
}

}  // namespace merid
