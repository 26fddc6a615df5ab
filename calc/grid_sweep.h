#ifndef MERID_CALC_GRID_SWEEP_H_
#define MERID_CALC_GRID_SWEEP_H_

// The walk over a sweep grid that the response sweeps and the S11 sweep
// share: the grid frequencies and the tank's impedances there, a block of
// points at a time, computed once for every sweep that reads them.

#include <algorithm>
#include <array>
#include <cstddef>

#include "calc/network.h"

namespace merid {

// Points per block: enough for the loops over a block to vectorise well,
// few enough for a block and the sweeps' per-block arrays to stay in the
// first-level cache.
inline constexpr std::size_t kBlockPoints = 256;

// Consecutive points of a grid, as a structure of arrays so that the loops
// over them vectorise.
struct GridBlock {
  std::size_t first = 0;  // index of the block's first point in the grid
  std::size_t count = 0;  // points in the block, at most kBlockPoints
  std::array<float, kBlockPoints> freq;  // Hz
  std::array<float, kBlockPoints> zp2_re;
  std::array<float, kBlockPoints> zp2_im;
  std::array<float, kBlockPoints> zser_re;
  std::array<float, kBlockPoints> zser_im;
  std::array<float, kBlockPoints> zin_re;
  std::array<float, kBlockPoints> zin_im;

  Impedances impedances(std::size_t j) const {
    return Impedances{Complex{zp2_re[j], zp2_im[j]},
                      Complex{zser_re[j], zser_im[j]},
                      Complex{zin_re[j], zin_im[j]}};
  }
  // The tank at point j under `drive`.
  DrivenState driven(std::size_t j, const Drive& drive) const {
    return drive_tank(impedances(j), drive);
  }
  // Of the points of this block, how many lie among the first `points` of
  // the grid.
  std::size_t count_below(std::size_t points) const {
    return first < points ? std::min(count, points - first) : 0;
  }
};

// Fills `block` with the next block.count points of the grid: the
// frequencies from `phi` on, advancing `phi` by `step` a point, and the
// impedances at them.
void fill_block(const Tank& tank, float& phi, float step, GridBlock& block);

// Calls visit(block) for the points 0 ... points - 1 of the grid whose point
// 0 lies at `start` Hz, in order.  Point i lies at the running sum start +
// step + ... + step, each sum rounded to single precision.
template <typename Visit>
void sweep_grid(const Tank& tank, float start, float step, std::size_t points,
                Visit visit) {
  GridBlock block;
  float phi = start;
  for (std::size_t first = 0; first < points; first += kBlockPoints) {
    block.first = first;
    block.count = std::min(kBlockPoints, points - first);
    fill_block(tank, phi, step, block);
    visit(static_cast<const GridBlock&>(block));
  }
}

}  // namespace merid

#endif  // MERID_CALC_GRID_SWEEP_H_
