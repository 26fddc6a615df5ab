#ifndef MERID_CALC_SYNTHESIS_GOLDEN_H_
#define MERID_CALC_SYNTHESIS_GOLDEN_H_

// The line format of the synthesis golden file, shared by its generator and
// its test: the six inputs of a design, then every value that synthesis
// leaves behind, each as the hexadecimal bit pattern of the 32-bit value.

#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "calc/synthesis.h"

namespace merid::golden {

inline constexpr std::size_t kInputCount = 6;

struct Field {
  const char* name;
  std::uint32_t bits;
};

inline std::uint32_t bits(float x) { return std::bit_cast<std::uint32_t>(x); }
inline std::uint32_t bits(std::int32_t n) {
  return std::bit_cast<std::uint32_t>(n);
}

inline std::array<std::uint32_t, kInputCount> inputs_of(const Design& d) {
  return {bits(d.f),   bits(d.qn),   bits(d.q0),
          bits(d.rin), bits(d.rout), bits(d.pin)};
}

inline Design design_from(const std::array<std::uint32_t, kInputCount>& in) {
  Design d;
  d.f = std::bit_cast<float>(in[0]);
  d.qn = std::bit_cast<float>(in[1]);
  d.q0 = std::bit_cast<float>(in[2]);
  d.rin = std::bit_cast<float>(in[3]);
  d.rout = std::bit_cast<float>(in[4]);
  d.pin = std::bit_cast<float>(in[5]);
  return d;
}

// Everything a calculation can change, in file order.  An infeasible design
// keeps the zero results and details of a fresh Design.
inline std::vector<Field> outputs_of(const Design& d) {
  const Results& r = d.results;
  const Details& x = d.details;
  return {
      {"infeasible", d.infeasible ? 1u : 0u},
      {"f", bits(d.f)},
      {"fmhz", bits(d.fmhz)},
      {"c1", bits(r.c1)},
      {"c2", bits(r.c2)},
      {"l", bits(r.l)},
      {"eta", bits(r.eta)},
      {"uin", bits(r.uin)},
      {"uout", bits(r.uout)},
      {"ul", bits(r.ul)},
      {"pout", bits(r.pout)},
      {"ploss", bits(r.ploss)},
      {"qc1", bits(r.qc1)},
      {"qc2", bits(r.qc2)},
      {"ql", bits(r.ql)},
      {"ic1", bits(r.ic1)},
      {"ic2", bits(r.ic2)},
      {"il", bits(r.il)},
      {"ku", bits(r.ku)},
      {"ki", bits(r.ki)},
      {"s11", bits(r.s11)},
      {"s22", bits(r.s22)},
      {"bw_u", bits(r.bw_u)},
      {"bw_i", bits(r.bw_i)},
      {"bw_s11", bits(r.bw_s11)},
      {"tank.c1", bits(x.tank.c1)},
      {"tank.c2", bits(x.tank.c2)},
      {"tank.l", bits(x.tank.l)},
      {"tank.q0", bits(x.tank.q0)},
      {"tank.rout", bits(x.tank.rout)},
      {"xc1", bits(x.xc1)},
      {"xc2", bits(x.xc2)},
      {"xl", bits(x.xl)},
      {"vref2.re", bits(x.vref2.re)},
      {"vref2.im", bits(x.vref2.im)},
      {"fstart", bits(x.fstart)},
      {"fstop", bits(x.fstop)},
      {"step", bits(x.step)},
      {"nstep", bits(x.nstep)},
      {"ns11", bits(x.ns11)},
      {"ncross", bits(x.ncross)},
  };
}

// One line: the inputs, then the outputs, as eight hex digits each.
inline std::string format_line(const Design& input, const Design& output) {
  std::string line;
  char word[10];
  for (const std::uint32_t b : inputs_of(input)) {
    std::snprintf(word, sizeof word, "%08x ", static_cast<unsigned>(b));
    line += word;
  }
  for (const Field& field : outputs_of(output)) {
    std::snprintf(word, sizeof word, "%08x ",
                  static_cast<unsigned>(field.bits));
    line += word;
  }
  line.back() = '\n';
  return line;
}

}  // namespace merid::golden

#endif  // MERID_CALC_SYNTHESIS_GOLDEN_H_
