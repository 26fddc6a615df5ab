#include "cli/design_fields.h"

#include <array>
#include <bit>

#include "calc/harmonics.h"

namespace merid {
namespace {

// sqrt(2) rounded to single precision; each peak is one product with it.
constexpr float kSqrt2 = 1.41421356f;
static_assert(std::bit_cast<std::uint32_t>(kSqrt2) == 0x3FB504F3);

// A field read straight from the design.
template <auto Member>
FieldValue input_of(const Design& d) {
  return d.*Member;
}
template <auto Member>
FieldValue result_of(const Design& d) {
  return d.results.*Member;
}
template <auto Member>
FieldValue detail_of(const Design& d) {
  return d.details.*Member;
}
// Harmonic n of the table's KU or KI.
template <auto Member, int N>
FieldValue harmonic_of(const Design& d) {
  return (harmonic_table(d).*Member)[N - kFirstHarmonic];
}
template <auto Member>
FieldValue peak_of(const Design& d) {
  return peak_values(d.results).*Member;
}

constexpr auto kFields = std::to_array<OutputField>({
    {"f", "working frequency, MHz, as the calculation hands it back",
     input_of<&Design::f>, true},
    {"qn", "loaded Q", input_of<&Design::qn>, true},
    {"q0", "unloaded Q", input_of<&Design::q0>, true},
    {"rin", "input resistance, ohm", input_of<&Design::rin>, true},
    {"rout", "load resistance, ohm", input_of<&Design::rout>, true},
    {"pin", "input power, W", input_of<&Design::pin>, true},
    {"fmhz", "working frequency, MHz, as typed", input_of<&Design::fmhz>, true},
    {"c1", "C1, pF", result_of<&Results::c1>, false},
    {"c2", "C2, pF", result_of<&Results::c2>, false},
    {"l", "L, uH", result_of<&Results::l>, false},
    {"eta", "tank efficiency, %", result_of<&Results::eta>, false},
    {"uin", "input voltage, V RMS", result_of<&Results::uin>, false},
    {"uout", "output voltage, V RMS", result_of<&Results::uout>, false},
    {"ul", "voltage across L, V RMS", result_of<&Results::ul>, false},
    {"pout", "output power, W", result_of<&Results::pout>, false},
    {"ploss", "loss power, W", result_of<&Results::ploss>, false},
    {"qc1", "reactive power in C1, var", result_of<&Results::qc1>, false},
    {"qc2", "reactive power in C2, var", result_of<&Results::qc2>, false},
    {"ql", "reactive power in L, var", result_of<&Results::ql>, false},
    {"ic1", "current in C1, A RMS", result_of<&Results::ic1>, false},
    {"ic2", "current in C2, A RMS", result_of<&Results::ic2>, false},
    {"il", "current in L, A RMS", result_of<&Results::il>, false},
    {"ku", "second-harmonic suppression KU, dB", result_of<&Results::ku>,
     false},
    {"ki", "second-harmonic suppression KI, dB", result_of<&Results::ki>,
     false},
    {"ku3", "third-harmonic suppression, voltage drive, dB",
     harmonic_of<&HarmonicTable::ku, 3>, false},
    {"ku4", "fourth-harmonic suppression, voltage drive, dB",
     harmonic_of<&HarmonicTable::ku, 4>, false},
    {"ku5", "fifth-harmonic suppression, voltage drive, dB",
     harmonic_of<&HarmonicTable::ku, 5>, false},
    {"ki3", "third-harmonic suppression, current drive, dB",
     harmonic_of<&HarmonicTable::ki, 3>, false},
    {"ki4", "fourth-harmonic suppression, current drive, dB",
     harmonic_of<&HarmonicTable::ki, 4>, false},
    {"ki5", "fifth-harmonic suppression, current drive, dB",
     harmonic_of<&HarmonicTable::ki, 5>, false},
    {"s11", "reflection magnitude at the input port", result_of<&Results::s11>,
     false},
    {"s22", "reflection magnitude at the output port", result_of<&Results::s22>,
     false},
    {"bw_u", "-1 dB band of the voltage response, kHz",
     result_of<&Results::bw_u>, false},
    {"bw_i", "-1 dB band of the current response, kHz",
     result_of<&Results::bw_i>, false},
    {"bw_s11", "S11(0.1) band, kHz", result_of<&Results::bw_s11>, false},
    {"uc1_peak", "peak voltage across C1, V", peak_of<&Peaks::uc1>, false},
    {"uc2_peak", "peak voltage across C2, V", peak_of<&Peaks::uc2>, false},
    {"ul_peak", "peak voltage across L, V", peak_of<&Peaks::ul>, false},
    {"ic1_peak", "peak current in C1, A", peak_of<&Peaks::ic1>, false},
    {"ic2_peak", "peak current in C2, A", peak_of<&Peaks::ic2>, false},
    {"il_peak", "peak current in L, A", peak_of<&Peaks::il>, false},
    {"step", "sweep step, Hz", detail_of<&Details::step>, false},
    {"nstep", "sweep points", detail_of<&Details::nstep>, false},
    {"ns11", "points of the S11 sweep", detail_of<&Details::ns11>, false},
    {"ncross", "crossings of 0.1 found by the S11 sweep",
     detail_of<&Details::ncross>, false},
});

}  // namespace

float peak(float rms) { return kSqrt2 * rms; }

Peaks peak_values(const Results& r) {
  return Peaks{peak(r.uin), peak(r.uout), peak(r.ul),
               peak(r.ic1), peak(r.ic2),  peak(r.il)};
}

std::span<const OutputField> design_fields() { return kFields; }

FieldValue field_value(const OutputField& field, const Design& d) {
  // An infeasible calculation leaves f in Hz.
  if (d.infeasible && field.name == "f") return d.fmhz;
  return field.get(d);
}

}  // namespace merid
