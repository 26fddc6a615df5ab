#ifndef MERID_CALC_LOAD_BLOCK_H_
#define MERID_CALC_LOAD_BLOCK_H_

// The networks' loops over many loads, for calc alone: a block of loads as
// a structure of arrays, which no store into it can alias, so that the
// loops over it vectorise as the sweeps' do.

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <type_traits>

#include "calc/mismatch.h"
#include "calc/sweep_internal.h"
#include "calc/sweep_kernel.h"

namespace merid {

// A block's loads are padded to a multiple of eight (with copies of its
// last load), so that a loop over them never runs the scalar remainder of
// a vectorised loop, which on a batch of a few dozen loads would take as
// long as the vectors: eight floats fill an AVX vector, and the AVX-512
// loop's remainder of eight is vectorised too.  Wider padding computes more
// copies than it spares remainders.
inline constexpr std::size_t kLoadLanes = 8;
static_assert(kBlockPoints % kLoadLanes == 0);

// Consecutive loads of a batch, the two tuned capacitors (F) the tank has
// at each, and the `kCount` quantities found there.
template <std::size_t kCount>
struct LoadBlock {
  std::size_t count = 0;  // loads, padded to a multiple of kLoadLanes
  std::array<float, kBlockPoints> re;
  std::array<float, kBlockPoints> im;
  std::array<float, kBlockPoints> c1;
  std::array<float, kBlockPoints> c2;
  std::array<std::array<float, kBlockPoints>, kCount> values;

  Complex load(std::size_t j) const { return Complex{re[j], im[j]}; }
};

// The drive at one load: `drive`'s source as it is, or levelled, scaled
// from the power (W) that `power_in(source)` says the tank takes from it.
template <bool kLevelled, typename PowerIn>
Drive load_source(const LoadDrive& drive, PowerIn power_in) {
  if constexpr (kLevelled) {
    return levelled(drive.source, power_in(drive.source), drive.power);
  } else {
    return drive.source;
  }
}

// Runs `kernel(block, levelled)` on the loads of `batch` a block at a
// time, compiled for the active sweep kernel, with `c1` and `c2` at each
// load (where empty, `own_c1` and `own_c2` at every load), and gives
// `batch` the values it finds.  `levelled` is std::true_type under the
// levelled drive, else std::false_type, so that the kernel's loop holds no
// branch on it.
template <std::size_t kCount, typename Kernel>
void by_load_blocks(std::span<const float> c1, std::span<const float> c2,
                    float own_c1, float own_c2, const LoadDrive& drive,
                    const LoadBatch& batch, Kernel kernel) {
  LoadBlock<kCount> block;
  const std::size_t m = batch.loads.size();
  for (std::size_t first = 0; first < m; first += kBlockPoints) {
    const std::size_t count = std::min(kBlockPoints, m - first);
    block.count = (count + kLoadLanes - 1) / kLoadLanes * kLoadLanes;
    for (std::size_t j = 0; j < block.count; ++j) {
      const std::size_t from = first + std::min(j, count - 1);
      block.re[j] = batch.loads[from].re;
      block.im[j] = batch.loads[from].im;
      block.c1[j] = c1.empty() ? own_c1 : c1[from];
      block.c2[j] = c2.empty() ? own_c2 : c2[from];
    }
    with_sweep_kernel([&] {
      if (drive.levelled) {
        kernel(block, std::true_type{});
      } else {
        kernel(block, std::false_type{});
      }
    });
    for (std::size_t q = 0; q < kCount; ++q) {
      std::copy_n(block.values[q].begin(), count,
                  batch.values.begin() + q * m + first);
    }
  }
}

// The input's limits (PiQuantity from kRMax on) of input impedance `zin`
// and |S11| `s11`, as load j of `block`, from its quantity `first` on.
template <std::size_t kCount>
void store_input_limits(Complex zin, float s11, std::size_t first,
                        std::size_t j, LoadBlock<kCount>& block) {
  block.values[first][j] = zin.re;
  block.values[first + 1][j] = -zin.re;
  block.values[first + 2][j] = zin.im;
  block.values[first + 3][j] = -zin.im;
  block.values[first + 4][j] = s11;
  block.values[first + 5][j] = -s11;
}

}  // namespace merid

#endif  // MERID_CALC_LOAD_BLOCK_H_
