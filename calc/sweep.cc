#include "calc/sweep.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "calc/network.h"
#include "calc/sweep_internal.h"
#include "calc/sweep_kernel.h"

namespace merid {
namespace {

constexpr float kMiddleBandStart = 1100000.0f;
constexpr float kTopBandStart = 30100000.0f;
constexpr float kLowStep = 500.0f;
constexpr float kStepOffset = 329.31f;
constexpr float kStepSlope = 1.552e-4f;
constexpr float kTopStep = 5000.0f;

static_assert(std::bit_cast<std::uint32_t>(kMiddleBandStart) == 0x49864700);
static_assert(std::bit_cast<std::uint32_t>(kTopBandStart) == 0x4BE5A510);
static_assert(std::bit_cast<std::uint32_t>(kLowStep) == 0x43FA0000);
static_assert(std::bit_cast<std::uint32_t>(kStepOffset) == 0x43A4A7AE);
static_assert(std::bit_cast<std::uint32_t>(kStepSlope) == 0x3922BD2F);
static_assert(std::bit_cast<std::uint32_t>(kTopStep) == 0x459C4000);

void fill_block_here(const Tank& tank, float& phi, float step,
                     GridBlock& block) {
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

}  // namespace

SweepGrid delta(float f, float fstart, float fstop) {
  SweepGrid grid;
  grid.fstart = fstart;
  if (f < kMiddleBandStart) {
    grid.step = kLowStep;
  } else if (f < kTopBandStart) {
    grid.step = std::round(kStepOffset + f * kStepSlope);
  } else {
    grid.step = kTopStep;
  }
  grid.nstep =
      static_cast<std::int32_t>(std::lround((fstop - fstart) / grid.step));
  return grid;
}

SweepPlan sweep_plan(float f, float qn) {
  SweepPlan plan;
  plan.fstart = kSweepStart;
  // A loaded Q of exactly 4.01 takes the wide window.
  plan.fstop = qn > kLowQThreshold ? kNarrowWindow * f : kWideWindow * f;
  plan.grid = delta(f, plan.fstart, plan.fstop);
  plan.ns11 =
      plan.grid.nstep -
      static_cast<std::int32_t>(std::lround(
          (plan.fstart * static_cast<float>(plan.grid.nstep)) / plan.fstop));
  return plan;
}

void fill_block(const Tank& tank, float& phi, float step, GridBlock& block) {
  with_sweep_kernel([&] { fill_block_here(tank, phi, step, block); });
}

// The tank's impedances at each grid point are computed once for all three
// sweeps.
SweepBands sweep_bands(const Tank& tank, float uin, float rin,
                       const SweepGrid& grid, Complex vref2, std::int32_t ns11,
                       SweepTrace* trace) {
  const DeviationScale scale;
  Response current =
      Response::current(tank, high_impedance_drive(uin, rin), grid, scale,
                        trace != nullptr ? &trace->current : nullptr);
  Response voltage =
      Response::voltage(matched_drive(uin, rin), grid, vref2, scale,
                        trace != nullptr ? &trace->voltage : nullptr);
  S11Sweep s11(rin, ns11, trace != nullptr ? &trace->s11 : nullptr);
  const std::size_t points =
      std::max({current.points(), voltage.points(), s11.points()});
  sweep_grid(tank, grid.fstart, grid.step, points, [&](const GridBlock& block) {
    current.take(block);
    voltage.take(block);
    s11.take(block);
  });
  return SweepBands{current.width(), voltage.width(), current.band(),
                    voltage.band(), s11.band()};
}

}  // namespace merid
