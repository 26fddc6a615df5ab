#include "calc/pi_l_sweep.h"

#include "calc/load_block.h"
#include "calc/mismatch.h"
#include "calc/pi_l.h"
#include "calc/sweep_kernel.h"

namespace merid {
namespace {

// The running sum is a chain of roundings, one point after the other.
void fill_frequencies(float& phi, float step, PiLBlock& block) {
  const std::size_t count = block.count;
  for (std::size_t j = 0; j < count; ++j) {
    block.freq[j] = phi;
    phi = phi + step;
  }
}

// Copies, which no store into the block can alias, so that the loops
// vectorise.
void pi_l_block_here(const PiLNetwork& n, float rin, const Drive& matched,
                     const Drive& high_z, float& phi, float step,
                     PiLBlock& block) {
  const PiLNetwork net = n;
  const Drive a = matched;
  const Drive b = high_z;
  const Complex load = real(net.rout);
  const std::size_t count = block.count;
  fill_frequencies(phi, step, block);
  for (std::size_t j = 0; j < count; ++j) {
    const PiLImpedances z = pi_l_impedances(net, block.freq[j], load);
    block.s11[j] = reflection_magnitude(z.zin, rin);
    block.matched[j] = modulus(output_voltage(z, a));
    block.high_z[j] = modulus(output_voltage(z, b));
  }
}

void high_z_block_here(const PiLNetwork& n, const Drive& high_z, float& phi,
                       float step, PiLBlock& block) {
  const PiLNetwork net = n;
  const Drive b = high_z;
  const Complex load = real(net.rout);
  const std::size_t count = block.count;
  fill_frequencies(phi, step, block);
  for (std::size_t j = 0; j < count; ++j) {
    const PiLImpedances z = pi_l_impedances(net, block.freq[j], load);
    block.high_z[j] = modulus(output_voltage(z, b));
  }
}

using PiLLoads = LoadBlock<PiLQuantity::kCount>;

// The quantities of state `s` of `n` into `load`, as load j of `block`.
void store_quantities(const PiLState& s, const PiLNetwork& n, float rin,
                      Complex load, std::size_t j, PiLLoads& block) {
  auto& o = block.values;
  o[PiLQuantity::kUc1][j] = modulus(s.vin);
  o[PiLQuantity::kUl1][j] = modulus(s.vl1);
  o[PiLQuantity::kUcmid][j] = modulus(s.vmid);
  o[PiLQuantity::kUl2][j] = modulus(s.vl2);
  o[PiLQuantity::kUcout][j] = modulus(s.vout);
  o[PiLQuantity::kIc1][j] = modulus(s.ic1);
  o[PiLQuantity::kIl1][j] = modulus(s.il1);
  o[PiLQuantity::kIcmid][j] = modulus(s.icmid);
  o[PiLQuantity::kIl2][j] = modulus(s.il2);
  o[PiLQuantity::kIcout][j] = modulus(s.icout);
  o[PiLQuantity::kPload][j] = squared_magnitude(s.vout / load) * load.re;
  o[PiLQuantity::kPloss][j] = squared_magnitude(s.il1) * (s.xl1 / n.q0) +
                              squared_magnitude(s.il2) * (s.xl2 / n.q0);
  static_assert(PiLQuantity::kCount - PiLQuantity::kRMax == kInputLimits);
  static_assert(PiLQuantity::kS11Min - PiLQuantity::kRMax ==
                PiQuantity::kS11Min - PiQuantity::kRMax);
  store_input_limits(s.zin, reflection_magnitude(s.zin, rin),
                     PiLQuantity::kRMax, j, block);
}

// The loads of `block` with their C1 and middle capacitor, under the
// drive as it is or levelled: one loop without a branch, which
// vectorises.  Copies of the arguments, which no store into the block can
// alias.
template <bool kLevelled>
void pi_l_load_block(const PiLNetwork& n, float freq, const LoadDrive& drive,
                     float rin, PiLLoads& block) {
  const PiLNetwork net = n;
  const LoadDrive held = drive;
  const float r0 = rin;
  const float f = freq;
  for (std::size_t j = 0; j < block.count; ++j) {
    PiLNetwork t = net;
    t.c1 = block.c1[j];
    t.cmid = block.c2[j];
    const Complex load = block.load(j);
    const PiLImpedances z = pi_l_impedances(t, f, load);
    const Drive d = load_source<kLevelled>(held, [&z](const Drive& source) {
      const PiLState s = driven_state(z, source);
      return input_power(s.vin, s.iin);
    });
    store_quantities(driven_state(z, d), t, r0, load, j, block);
  }
}

}  // namespace

void pi_l_block(const PiLNetwork& n, float rin, const Drive& matched,
                const Drive& high_z, float& phi, float step, PiLBlock& block) {
  with_sweep_kernel(
      [&] { pi_l_block_here(n, rin, matched, high_z, phi, step, block); });
}

void pi_l_high_z_block(const PiLNetwork& n, const Drive& high_z, float& phi,
                       float step, PiLBlock& block) {
  with_sweep_kernel([&] { high_z_block_here(n, high_z, phi, step, block); });
}

void pi_l_load_quantities(const PiLNetwork& n, float freq,
                          const LoadDrive& drive, float rin,
                          std::span<const float> c1,
                          std::span<const float> cmid, const LoadBatch& batch) {
  by_load_blocks<PiLQuantity::kCount>(
      c1, cmid, n.c1, n.cmid, drive, batch,
      [&](PiLLoads& block, auto levelled) {
        pi_l_load_block<decltype(levelled)::value>(n, freq, drive, rin, block);
      });
}

}  // namespace merid
