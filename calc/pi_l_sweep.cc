#include "calc/pi_l_sweep.h"

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
    block.s11[j] = reflection(z.zin, rin);
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

}  // namespace merid
