#include "calc/pi_l_sweep.h"

#include "calc/sweep_kernel.h"

namespace merid {
namespace {

void pi_l_block_here(const PiLNetwork& n, const Drive& matched,
                     const Drive& high_z, float& phi, float step,
                     PiLBlock& block) {
  // Copies, which no store into the block can alias, so that the loop
  // vectorises.
  const PiLNetwork net = n;
  const Drive a = matched;
  const Drive b = high_z;
  const Complex load = real(net.rout);
  const std::size_t count = block.count;
  // The running sum is a chain of roundings, one point after the other.
  for (std::size_t j = 0; j < count; ++j) {
    block.freq[j] = phi;
    phi = phi + step;
  }
  for (std::size_t j = 0; j < count; ++j) {
    const PiLImpedances z = pi_l_impedances(net, block.freq[j], load);
    block.zin_re[j] = z.zin.re;
    block.zin_im[j] = z.zin.im;
    block.matched[j] = modulus(output_voltage(z, a));
    block.high_z[j] = modulus(output_voltage(z, b));
  }
}

}  // namespace

void pi_l_block(const PiLNetwork& n, const Drive& matched, const Drive& high_z,
                float& phi, float step, PiLBlock& block) {
  with_sweep_kernel(
      [&] { pi_l_block_here(n, matched, high_z, phi, step, block); });
}

}  // namespace merid
