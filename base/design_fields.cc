#include "base/design_fields.h"

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
// Harmonic N of the table's KU or KI.
template <auto Member, int N>
FieldValue harmonic_of(const Design& d) {
  return (harmonic_table(d).*Member)[N - kFirstHarmonic];
}
template <auto Member>
FieldValue peak_of(const Design& d) {
  return peak_values(d.results).*Member;
}

using B = ScreenBlock;
using K = FieldKind;
using R = ReportRecord;

// The screen rows pair the fields as the dialogue shows them; the record
// slots are the report's own layout.
constexpr auto kFields = std::to_array<DesignField>({
    {"f", "working frequency, MHz, as the calculation hands it back",
     input_of<&Design::f>, K::kInput, B::kInputs, 0, Msg::kLabelF, R::kF},
    {"qn", "loaded Q", input_of<&Design::qn>, K::kInput, B::kInputs, 1,
     Msg::kLabelQn, R::kQn},
    {"q0", "unloaded Q", input_of<&Design::q0>, K::kInput, B::kInputs, 2,
     Msg::kLabelQ0, R::kQ0},
    {"rin", "input resistance, ohm", input_of<&Design::rin>, K::kInput,
     B::kInputs, 3, Msg::kLabelRin, R::kRin},
    {"rout", "load resistance, ohm", input_of<&Design::rout>, K::kInput,
     B::kInputs, 4, Msg::kLabelRout, R::kRout},
    {"pin", "input power, W", input_of<&Design::pin>, K::kInput, B::kInputs, 5,
     Msg::kLabelPin, R::kPin},
    {"fmhz", "working frequency, MHz, as typed", input_of<&Design::fmhz>,
     K::kTypedF},
    {"c1", "C1, pF", result_of<&Results::c1>, K::kResult, B::kResultsLeft, 0,
     Msg::kLabelC1, R::kC1},
    {"c2", "C2, pF", result_of<&Results::c2>, K::kResult, B::kResultsLeft, 1,
     Msg::kLabelC2, R::kC2},
    {"l", "L, uH", result_of<&Results::l>, K::kResult, B::kResultsLeft, 2,
     Msg::kLabelL, R::kL},
    {"eta", "tank efficiency, %", result_of<&Results::eta>, K::kResult,
     B::kResultsLeft, 3, Msg::kLabelEta, R::kEta},
    {"uin", "input voltage, V RMS", result_of<&Results::uin>, K::kResult,
     B::kResultsRight, 0, Msg::kLabelUin, R::kUin},
    {"uout", "output voltage, V RMS", result_of<&Results::uout>, K::kResult,
     B::kResultsRight, 1, Msg::kLabelUout, R::kUout},
    {"ul", "voltage across L, V RMS", result_of<&Results::ul>, K::kResult,
     B::kResultsRight, 2, Msg::kLabelUl, R::kUl},
    {"pout", "output power, W", result_of<&Results::pout>, K::kResult,
     B::kResultsRight, 3, Msg::kLabelPout, R::kPout},
    {"ploss", "loss power, W", result_of<&Results::ploss>, K::kResult,
     B::kResultsRight, 4, Msg::kLabelPloss, R::kPloss},
    {"qc1", "reactive power in C1, var", result_of<&Results::qc1>, K::kResult,
     B::kResultsLeft, 4, Msg::kLabelQc1, R::kQc1},
    {"qc2", "reactive power in C2, var", result_of<&Results::qc2>, K::kResult,
     B::kResultsLeft, 5, Msg::kLabelQc2, R::kQc2},
    {"ql", "reactive power in L, var", result_of<&Results::ql>, K::kResult,
     B::kResultsLeft, 6, Msg::kLabelQl, R::kQl},
    {"ic1", "current in C1, A RMS", result_of<&Results::ic1>, K::kResult,
     B::kResultsLeft, 7, Msg::kLabelIc1, R::kIc1},
    {"ic2", "current in C2, A RMS", result_of<&Results::ic2>, K::kResult,
     B::kResultsLeft, 8, Msg::kLabelIc2, R::kIc2},
    {"il", "current in L, A RMS", result_of<&Results::il>, K::kResult,
     B::kResultsLeft, 9, Msg::kLabelIl, R::kIl},
    {"ku", "second-harmonic suppression KU, dB", result_of<&Results::ku>,
     K::kResult, B::kResultsRight, 5, Msg::kLabelKu, R::kKu},
    {"ki", "second-harmonic suppression KI, dB", result_of<&Results::ki>,
     K::kResult, B::kResultsRight, 6, Msg::kLabelKi, R::kKi},
    {"ku3", "third-harmonic suppression, voltage drive, dB",
     harmonic_of<&HarmonicTable::ku, 3>, K::kHarmonic},
    {"ku4", "fourth-harmonic suppression, voltage drive, dB",
     harmonic_of<&HarmonicTable::ku, 4>, K::kHarmonic},
    {"ku5", "fifth-harmonic suppression, voltage drive, dB",
     harmonic_of<&HarmonicTable::ku, 5>, K::kHarmonic},
    {"ki3", "third-harmonic suppression, current drive, dB",
     harmonic_of<&HarmonicTable::ki, 3>, K::kHarmonic},
    {"ki4", "fourth-harmonic suppression, current drive, dB",
     harmonic_of<&HarmonicTable::ki, 4>, K::kHarmonic},
    {"ki5", "fifth-harmonic suppression, current drive, dB",
     harmonic_of<&HarmonicTable::ki, 5>, K::kHarmonic},
    {"s11", "reflection magnitude at the input port", result_of<&Results::s11>,
     K::kResult, B::kResultsRight, 7, Msg::kLabelS11, R::kS11},
    {"s22", "reflection magnitude at the output port", result_of<&Results::s22>,
     K::kResult, B::kResultsRight, 8, Msg::kLabelS22, R::kS22},
    {"bw_u", "-1 dB band of the voltage response, kHz",
     result_of<&Results::bw_u>, K::kResult, B::kResultsRight, 9, Msg::kLabelBwU,
     R::kBwU},
    {"bw_i", "-1 dB band of the current response, kHz",
     result_of<&Results::bw_i>, K::kResult, B::kResultsRight, 10,
     Msg::kLabelBwI, R::kBwI},
    {"bw_s11", "S11(0.1) band, kHz", result_of<&Results::bw_s11>, K::kResult,
     B::kResultsLeft, 10, Msg::kLabelBwS11, R::kBwS11},
    {"uc1_peak", "peak voltage across C1, V", peak_of<&Peaks::uc1>, K::kPeak},
    {"uc2_peak", "peak voltage across C2, V", peak_of<&Peaks::uc2>, K::kPeak},
    {"ul_peak", "peak voltage across L, V", peak_of<&Peaks::ul>, K::kPeak},
    {"ic1_peak", "peak current in C1, A", peak_of<&Peaks::ic1>, K::kPeak},
    {"ic2_peak", "peak current in C2, A", peak_of<&Peaks::ic2>, K::kPeak},
    {"il_peak", "peak current in L, A", peak_of<&Peaks::il>, K::kPeak},
    {"step", "sweep step, Hz", detail_of<&Details::step>, K::kSweep},
    {"nstep", "sweep points", detail_of<&Details::nstep>, K::kSweep},
    {"ns11", "points of the S11 sweep", detail_of<&Details::ns11>, K::kSweep},
    {"ncross", "crossings of 0.1 found by the S11 sweep",
     detail_of<&Details::ncross>, K::kSweep},
});

// Not constexpr: reaching it while the layout is built at compile time
// is a compile error that names the fault.
void two_fields_in_one_place_of_the_screen() {}

// Puts each screen field in its place; a place taken twice, or a line
// outside its block, stops the compilation.
consteval ScreenLayout make_layout() {
  ScreenLayout layout;
  for (const DesignField& field : kFields) {
    const DesignField** place = nullptr;
    switch (field.block) {
      case B::kNone:
        continue;
      case B::kInputs:
        place = &layout.inputs.at(field.line);
        break;
      case B::kResultsLeft:
        place = &layout.rows.at(field.line)[0];
        break;
      case B::kResultsRight:
        place = &layout.rows.at(field.line)[1];
        break;
    }
    if (*place != nullptr) two_fields_in_one_place_of_the_screen();
    *place = &field;
  }
  return layout;
}

// Every place is filled: the screen shows all six inputs and all
// twenty-two results.
consteval bool complete(const ScreenLayout& layout) {
  for (const DesignField* field : layout.inputs) {
    if (field == nullptr) return false;
  }
  for (const auto& row : layout.rows) {
    if (row[0] == nullptr || row[1] == nullptr) return false;
  }
  return true;
}

constexpr ScreenLayout kLayout = make_layout();
static_assert(complete(kLayout));

// No two fields share a JSON key or a report slot, and what the screen
// shows has a label and goes into the report.
consteval bool consistent() {
  for (std::size_t i = 0; i < kFields.size(); ++i) {
    const DesignField& a = kFields[i];
    const bool shown = a.block != B::kNone;
    if (shown != (a.label != Msg::kCount)) return false;
    if (shown != (a.slot != R::kFieldCount)) return false;
    for (std::size_t j = i + 1; j < kFields.size(); ++j) {
      if (a.name == kFields[j].name) return false;
      if (shown && a.slot == kFields[j].slot) return false;
    }
  }
  return true;
}
static_assert(consistent());

}  // namespace

float peak(float rms) { return kSqrt2 * rms; }

Peaks peak_values(const Results& r) {
  return Peaks{peak(r.uin), peak(r.uout), peak(r.ul),
               peak(r.ic1), peak(r.ic2),  peak(r.il)};
}

std::span<const DesignField> design_fields() { return kFields; }

FieldValue field_value(const DesignField& field, const Design& d) {
  return field.get(d);
}

float screen_value(const DesignField& field, const Design& d) {
  return std::get<float>(field.get(d));
}

const ScreenLayout& screen_layout() { return kLayout; }

}  // namespace merid
