#include "design/pi_network.h"

#include <array>
#include <string>
#include <utility>

#include "base/inputs.h"
#include "base/number_text.h"
#include "calc/constants.h"
#include "calc/given.h"
#include "calc/harmonics.h"
#include "calc/mismatch.h"
#include "calc/retune.h"
#include "calc/s11module.h"
#include "text/amplifier_texts.h"
#include "text/calc_texts.h"

namespace merid {
namespace {

// The pi tank as a ladder: no L2, no output capacitor.
Ladder ladder_of(const Tank& t) {
  return Ladder{t.c1, t.l, t.c2, 0.0, 0.0, t.q0, t.rout};
}

class PiModel final : public DesignModel {
 public:
  PiModel(const TankInputs& inputs, const Design& d)
      : inputs_(inputs), design_(d) {}

  const Design& design() const { return design_; }
  // Analysed when asked: the screen and the report need none of them.
  HarmonicTable harmonics() const { return harmonic_table(design_); }

  const Network& network() const override { return pi_network(); }
  const TankInputs& inputs() const override { return inputs_; }
  bool feasible() const override { return !design_.infeasible; }
  std::string infeasible_note(Language language) const override {
    return inputs_.elements ? std::string(calc_texts(language).given_unresolved)
                            : std::string();
  }

  std::optional<float> loaded_q_for_cmin(double cmin_pf) const override {
    return merid::loaded_q_for_cmin(make_design(inputs_), cmin_pf,
                                    accepted_loaded_q(inputs_.q0));
  }

  WarningFigures warning_figures() const override {
    return merid::warning_figures(design_, window_reach(design_));
  }

  float tapped_coil() const override { return design_.results.l; }

  CoilRow fixed_coil_row(float f_mhz, LoadedQRange range) const override {
    TankInputs at = at_frequency(inputs_, f_mhz);
    const FixedCoilRow row =
        merid::fixed_coil_row(design_, make_design(at), range);
    at.qn = row.design.qn;
    return CoilRow{row.fit, row.l_fixed,
                   std::make_shared<const PiModel>(at, row.design)};
  }

  SwrAnalysis swr_analysis() const override;

  std::vector<DesignWarning> network_warnings() const override { return {}; }

  Ladder ladder() const override { return ladder_of(design_.details.tank); }

  // The smallest loaded Q, its tank by the synthesis's closed form.
  LimitSearchSpace limit_search() const override {
    if (inputs_.elements) return {};
    const LoadedQRange range = accepted_loaded_q(inputs_.q0);
    const DesignInputs inputs = inputs_;
    return LimitSearchSpace{"qn_for_limit",
                            local_text<&CalcTexts::limit_qn_label>,
                            local_text<&CalcTexts::band_limit_qn_heading>,
                            LimitSearchSpace::Goal::kLowestLoadedQ,
                            range.low,
                            range.high,
                            0.0,
                            [inputs](double qn) -> std::optional<Ladder> {
                              DesignInputs at = inputs;
                              at.qn = static_cast<float>(qn);
                              const std::optional<Tank> tank =
                                  synthesised_tank(at);
                              if (!tank) return std::nullopt;
                              return ladder_of(*tank);
                            }};
  }

  ResponseCurves response_curves() const override {
    const Details& x = design_.details;
    SweepTrace trace;
    const SweepBands bands = sweep_bands(
        x.tank, design_.results.uin, design_.rin,
        SweepGrid{x.fstart, x.step, x.nstep}, x.vref2, x.ns11, &trace);
    return curves_of(trace, bands.voltage, bands.current, bands.s11.band);
  }

  DrawingSubject drawing_subject(Language language) const override {
    const CalcTexts& t = calc_texts(language);
    const Design& d = design_;
    const Details& x = d.details;
    const Tank tank = x.tank;
    return DrawingSubject{
        {concat({title_start(t.plot_title_pi, d.fmhz, d.qn, d.q0, language),
                 t.plot_title_rin, plain(d.rin), t.plot_title_rout,
                 plain(d.rout), t.ohm})},
        d.fmhz,
        working_hertz(d),
        d.rin,
        x.fstart,
        x.fstop,
        x.step,
        d.results.bw_u,
        d.results.bw_i,
        d.results.bw_s11,
        harmonics(),
        [tank](float freq) {
          return input_impedance(tank, elements_at(tank, freq));
        }};
  }

 private:
  TankInputs inputs_;
  Design design_;
};

// The inputs of the dialogue's design `d`, with the frequency as typed.
TankInputs pi_inputs(const Design& d) {
  TankInputs inputs;
  static_cast<DesignInputs&>(inputs) = d;
  inputs.f = d.fmhz;
  return inputs;
}

// The tank of the given elements, its loaded Q what they give.
TankDesign given(const TankInputs& inputs) {
  const GivenElements& e = *inputs.elements;
  const Design d = given_pi(inputs, PiElements{e[0], e[1], e[2]});
  TankInputs analysed = inputs;
  analysed.qn = d.qn;
  return std::make_shared<const PiModel>(analysed, d);
}

TankDesign calculated(const TankInputs& inputs) {
  if (inputs.elements) return given(inputs);
  return std::make_shared<const PiModel>(inputs,
                                         calculate(make_design(inputs)));
}

TankDesign uncalculated(const TankInputs& inputs) {
  Design d = make_design(inputs);
  d.fmhz = inputs.f;
  d.infeasible = true;
  return std::make_shared<const PiModel>(inputs, d);
}

const PiModel& pi(const DesignModel& m) {
  return static_cast<const PiModel&>(m);
}

// A field read straight from the design.
template <auto Member>
FieldCell input_of(const DesignModel& m) {
  return pi(m).design().*Member;
}
template <auto Member>
FieldCell result_of(const DesignModel& m) {
  return pi(m).design().results.*Member;
}
template <auto Member>
FieldCell detail_of(const DesignModel& m) {
  return pi(m).design().details.*Member;
}
// Harmonic N of the table's KU or KI.
template <auto Member, int N>
FieldCell harmonic_of(const DesignModel& m) {
  return (pi(m).harmonics().*Member)[N - kFirstHarmonic];
}
template <auto Member>
FieldCell peak_of(const DesignModel& m) {
  return peak(pi(m).design().results.*Member);
}

using B = ScreenBlock;
using K = FieldKind;
using R = ReportRecord;
using D = DesignInputs;
using S = Results;
using H = HarmonicTable;

// The text blocks: the dialogue's screen, the peaks, the harmonics.
constexpr std::uint8_t kPeaks = 1;
constexpr std::uint8_t kHarmonics = 2;
constexpr TextBlock kTextBlocks[] = {
    {{}, TextBlockStyle::kScreen},
    {local_text<&CalcTexts::peaks_heading>, TextBlockStyle::kResults},
    {local_text<&CalcTexts::harmonics_heading>, TextBlockStyle::kResults},
};

constexpr TextPlace left(std::uint8_t block, std::uint8_t row,
                         LocalText label) {
  return TextPlace{block, row, 0, label};
}
constexpr TextPlace right(std::uint8_t block, std::uint8_t row,
                          LocalText label) {
  return TextPlace{block, row, 1, label};
}

// The screen rows pair the fields as the dialogue shows them; the record
// slots are the report's own layout.
// clang-format off
constexpr auto kFields = std::to_array<Field>({
    {"f", "working frequency, MHz, as the calculation hands it back", K::kInput,
     input_of<&D::f>, {}, {B::kInputs, 0, Msg::kLabelF, R::kF}},
    {"qn", "loaded Q", K::kInput, input_of<&D::qn>, {},
     {B::kInputs, 1, Msg::kLabelQn, R::kQn}},
    {"q0", "unloaded Q", K::kInput, input_of<&D::q0>, {},
     {B::kInputs, 2, Msg::kLabelQ0, R::kQ0}},
    {"rin", "input resistance, ohm", K::kInput, input_of<&D::rin>, {},
     {B::kInputs, 3, Msg::kLabelRin, R::kRin}},
    {"rout", "load resistance, ohm", K::kInput, input_of<&D::rout>, {},
     {B::kInputs, 4, Msg::kLabelRout, R::kRout}},
    {"pin", "input power, W", K::kInput, input_of<&D::pin>, {},
     {B::kInputs, 5, Msg::kLabelPin, R::kPin}},
    {"fmhz", "working frequency, MHz, as typed", K::kTypedF,
     input_of<&Design::fmhz>},
    {"c1", "C1, pF", K::kResult, result_of<&S::c1>, {},
     {B::kResultsLeft, 0, Msg::kLabelC1, R::kC1}},
    {"c2", "C2, pF", K::kResult, result_of<&S::c2>, {},
     {B::kResultsLeft, 1, Msg::kLabelC2, R::kC2}},
    {"l", "L, uH", K::kResult, result_of<&S::l>, {},
     {B::kResultsLeft, 2, Msg::kLabelL, R::kL}},
    {"eta", "tank efficiency, %", K::kResult, result_of<&S::eta>, {},
     {B::kResultsLeft, 3, Msg::kLabelEta, R::kEta}},
    {"uin", "input voltage, V RMS", K::kResult, result_of<&S::uin>, {},
     {B::kResultsRight, 0, Msg::kLabelUin, R::kUin}},
    {"uout", "output voltage, V RMS", K::kResult, result_of<&S::uout>, {},
     {B::kResultsRight, 1, Msg::kLabelUout, R::kUout}},
    {"ul", "voltage across L, V RMS", K::kResult, result_of<&S::ul>, {},
     {B::kResultsRight, 2, Msg::kLabelUl, R::kUl}},
    {"pout", "output power, W", K::kResult, result_of<&S::pout>, {},
     {B::kResultsRight, 3, Msg::kLabelPout, R::kPout}},
    {"ploss", "loss power, W", K::kResult, result_of<&S::ploss>, {},
     {B::kResultsRight, 4, Msg::kLabelPloss, R::kPloss}},
    {"qc1", "reactive power in C1, var", K::kResult, result_of<&S::qc1>, {},
     {B::kResultsLeft, 4, Msg::kLabelQc1, R::kQc1}},
    {"qc2", "reactive power in C2, var", K::kResult, result_of<&S::qc2>, {},
     {B::kResultsLeft, 5, Msg::kLabelQc2, R::kQc2}},
    {"ql", "reactive power in L, var", K::kResult, result_of<&S::ql>, {},
     {B::kResultsLeft, 6, Msg::kLabelQl, R::kQl}},
    {"ic1", "current in C1, A RMS", K::kResult, result_of<&S::ic1>, {},
     {B::kResultsLeft, 7, Msg::kLabelIc1, R::kIc1}},
    {"ic2", "current in C2, A RMS", K::kResult, result_of<&S::ic2>, {},
     {B::kResultsLeft, 8, Msg::kLabelIc2, R::kIc2}},
    {"il", "current in L, A RMS", K::kResult, result_of<&S::il>, {},
     {B::kResultsLeft, 9, Msg::kLabelIl, R::kIl}},
    {"ku", "second-harmonic suppression KU, dB", K::kResult, result_of<&S::ku>,
     {}, {B::kResultsRight, 5, Msg::kLabelKu, R::kKu}},
    {"ki", "second-harmonic suppression KI, dB", K::kResult, result_of<&S::ki>,
     {}, {B::kResultsRight, 6, Msg::kLabelKi, R::kKi}},
    {"ku3", "third-harmonic suppression, voltage drive, dB", K::kHarmonic,
     harmonic_of<&H::ku, 3>, left(kHarmonics, 0, local_text<&CalcTexts::ku3>)},
    {"ku4", "fourth-harmonic suppression, voltage drive, dB", K::kHarmonic,
     harmonic_of<&H::ku, 4>, left(kHarmonics, 1, local_text<&CalcTexts::ku4>)},
    {"ku5", "fifth-harmonic suppression, voltage drive, dB", K::kHarmonic,
     harmonic_of<&H::ku, 5>, left(kHarmonics, 2, local_text<&CalcTexts::ku5>)},
    {"ki3", "third-harmonic suppression, current drive, dB", K::kHarmonic,
     harmonic_of<&H::ki, 3>, right(kHarmonics, 0, local_text<&CalcTexts::ki3>)},
    {"ki4", "fourth-harmonic suppression, current drive, dB", K::kHarmonic,
     harmonic_of<&H::ki, 4>, right(kHarmonics, 1, local_text<&CalcTexts::ki4>)},
    {"ki5", "fifth-harmonic suppression, current drive, dB", K::kHarmonic,
     harmonic_of<&H::ki, 5>, right(kHarmonics, 2, local_text<&CalcTexts::ki5>)},
    {"s11", "reflection magnitude at the input port", K::kResult,
     result_of<&S::s11>, {}, {B::kResultsRight, 7, Msg::kLabelS11, R::kS11}},
    {"s22", "reflection magnitude at the output port", K::kResult,
     result_of<&S::s22>, {}, {B::kResultsRight, 8, Msg::kLabelS22, R::kS22}},
    {"bw_u", "-1 dB band of the voltage response, kHz", K::kResult,
     result_of<&S::bw_u>, {}, {B::kResultsRight, 9, Msg::kLabelBwU, R::kBwU}},
    {"bw_i", "-1 dB band of the current response, kHz", K::kResult,
     result_of<&S::bw_i>, {}, {B::kResultsRight, 10, Msg::kLabelBwI, R::kBwI}},
    {"bw_s11", "S11(0.1) band, kHz", K::kResult, result_of<&S::bw_s11>, {},
     {B::kResultsLeft, 10, Msg::kLabelBwS11, R::kBwS11}},
    {"uc1_peak", "peak voltage across C1, V", K::kPeak, peak_of<&S::uin>,
     left(kPeaks, 0, local_text<&CalcTexts::peak_uc1>)},
    {"uc2_peak", "peak voltage across C2, V", K::kPeak, peak_of<&S::uout>,
     left(kPeaks, 1, local_text<&CalcTexts::peak_uc2>)},
    {"ul_peak", "peak voltage across L, V", K::kPeak, peak_of<&S::ul>,
     left(kPeaks, 2, local_text<&CalcTexts::peak_ul>)},
    {"ic1_peak", "peak current in C1, A", K::kPeak, peak_of<&S::ic1>,
     right(kPeaks, 0, local_text<&CalcTexts::peak_ic1>)},
    {"ic2_peak", "peak current in C2, A", K::kPeak, peak_of<&S::ic2>,
     right(kPeaks, 1, local_text<&CalcTexts::peak_ic2>)},
    {"il_peak", "peak current in L, A", K::kPeak, peak_of<&S::il>,
     right(kPeaks, 2, local_text<&CalcTexts::peak_il>)},
    {"step", "sweep step, Hz", K::kSweep, detail_of<&Details::step>},
    {"nstep", "sweep points", K::kSweep, detail_of<&Details::nstep>},
    {"ns11", "points of the S11 sweep", K::kSweep, detail_of<&Details::ns11>},
    {"ncross", "crossings of 0.1 found by the S11 sweep", K::kSweep,
     detail_of<&Details::ncross>},
});
// clang-format on

// The pi network under a mismatched load: its quantities (PiQuantity) and
// the figures made of them.
using Q = PiQuantity;
using T = SwrField::Take;
constexpr auto kSwrFields = std::to_array<SwrField>({
    {"uc1", "largest voltage across C1, V RMS", Q::kUc1, T::kValue, true, 0, 0,
     local_text<&CalcTexts::swr_uc1>},
    {"uc1_peak", "its peak, V", Q::kUc1, T::kPeak, true, 0, 1,
     local_text<&CalcTexts::peak_uc1>},
    {"uc2", "largest voltage across C2, V RMS", Q::kUc2, T::kValue, true, 1, 0,
     local_text<&CalcTexts::swr_uc2>},
    {"uc2_peak", "its peak, V", Q::kUc2, T::kPeak, true, 1, 1,
     local_text<&CalcTexts::peak_uc2>},
    {"ul", "largest voltage across L, V RMS", Q::kUl, T::kValue, true, 2, 0,
     local_text<&CalcTexts::swr_ul>},
    {"ul_peak", "its peak, V", Q::kUl, T::kPeak, true, 2, 1,
     local_text<&CalcTexts::peak_ul>},
    {"ic1", "largest current in C1, A RMS", Q::kIc1, T::kValue, true, 3, 0,
     local_text<&CalcTexts::swr_ic1>},
    {"ic1_peak", "its peak, A", Q::kIc1, T::kPeak, true, 3, 1,
     local_text<&CalcTexts::peak_ic1>},
    {"ic2", "largest current in C2, A RMS", Q::kIc2, T::kValue, true, 4, 0,
     local_text<&CalcTexts::swr_ic2>},
    {"ic2_peak", "its peak, A", Q::kIc2, T::kPeak, true, 4, 1,
     local_text<&CalcTexts::peak_ic2>},
    {"il", "largest current in L, A RMS", Q::kIl, T::kValue, true, 5, 0,
     local_text<&CalcTexts::swr_il>},
    {"il_peak", "its peak, A", Q::kIl, T::kPeak, true, 5, 1,
     local_text<&CalcTexts::peak_il>},
    {"pload", "largest power into the load, W", Q::kPload, T::kValue, false, 6,
     0, local_text<&CalcTexts::swr_pload>},
    {"ploss", "largest power lost in the coil, W", Q::kPloss, T::kValue, false,
     6, 1, local_text<&CalcTexts::swr_ploss>},
    {"r_min", "least input resistance, ohm", Q::kRMin, T::kNegated, false, 7, 0,
     local_text<&CalcTexts::swr_r_min>},
    {"r_max", "largest input resistance, ohm", Q::kRMax, T::kValue, false, 7, 1,
     local_text<&CalcTexts::swr_r_max>},
    {"x_min", "least input reactance, ohm", Q::kXMin, T::kNegated, false, 8, 0,
     local_text<&CalcTexts::swr_x_min>},
    {"x_max", "largest input reactance, ohm", Q::kXMax, T::kValue, false, 8, 1,
     local_text<&CalcTexts::swr_x_max>},
    {"s11_min", "least |S11| at the input", Q::kS11Min, T::kNegated, false, 9,
     0, local_text<&CalcTexts::swr_s11_min>},
    {"s11_max", "largest |S11| at the input", Q::kS11Max, T::kValue, false, 9,
     1, local_text<&CalcTexts::swr_s11_max>},
});

SwrAnalysis PiModel::swr_analysis() const {
  const Design& d = design_;
  const Tank tank = d.details.tank;
  const float f = working_hertz(d);
  // The coil's reactance and loss resistance, which the retune keeps.
  const Complex zl = elements_at(tank, f).zl;
  // The drives are set for RIN and PIN, as the design's are.
  const float uin = std::sqrt(d.rin * d.pin);
  const float rin = d.rin;
  const float pin = d.pin;
  SwrAnalysis a;
  a.quantities = PiQuantity::kCount;
  a.drive_independent = PiQuantity::kRMax;
  a.rout = tank.rout;
  a.at = [=](SwrDrive drive, const LoadBatch& batch) {
    pi_load_quantities(tank, f, load_drive(drive, uin, rin, pin), rin, {}, {},
                       batch);
    std::fill(batch.given.begin(), batch.given.end(), true);
  };
  // C2 and C1 set with the coil as it is, in double precision from the
  // load's admittance; the tank analysed with them in single.
  a.retuned = [=](const LoadBatch& batch, std::span<TunedSetting> settings) {
    const RetunedCapacitors c = retuned_capacitors(
        batch, settings, tank.c1, tank.c2, [&](Complex load) {
          return retune_pi_section(kOmegaFactor * f, admittance(load), zl.im,
                                   zl.re, rin, tank.c2);
        });
    pi_load_quantities(tank, f, load_drive(SwrDrive::kLevelled, uin, rin, pin),
                       rin, c.c1, c.c2, batch);
  };
  return a;
}

using C = BandColumn;
constexpr BandColumn kBandColumns[] = {
    {local_text<&CalcTexts::band_f>, kBandValueWidth, "f"},
    {local_text<&CalcTexts::band_c1>, kBandValueWidth, "c1"},
    {local_text<&CalcTexts::band_c2>, kBandValueWidth, "c2"},
    {local_text<&CalcTexts::band_l>, kBandValueWidth, "l", C::Use::kCoil},
    {local_text<&AmplifierTexts::band_qn_heading>, kBandQnWidth, "qn",
     C::Use::kFixedCoil},
    {local_text<&AmplifierTexts::band_ku_heading>, kBandQnWidth, "ku",
     C::Use::kFixedCoil},
    {local_text<&CalcTexts::band_uc1_peak>, kBandPeakWidth, "uc1_peak"},
    {local_text<&CalcTexts::band_il_peak>, kBandPeakWidth, "il_peak"},
};

static_assert(band_columns_fit(kBandColumns));
static_assert(text_places_fit(kFields));

using P = PartFigure::Kind;
constexpr PartFigure kParts[] = {
    {"c1", "C1", P::kCapacitance}, {"c2", "C2", P::kCapacitance},
    {"l", "L", P::kInductance},    {"ic1", "C1", P::kCurrent},
    {"ic2", "C2", P::kCurrent},    {"il", "L", P::kCurrent},
};

// C1, L, C2 as --elements takes them.
constexpr ElementRow kElements[] = {
    {"C1", "pF", "c1", kMaxGivenCapacitance, false,
     local_text<&CalcTexts::given_c1>},
    {"L", "uH", "l", kMaxGivenInductance, false,
     local_text<&CalcTexts::given_l>},
    {"C2", "pF", "c2", kMaxGivenCapacitance, false,
     local_text<&CalcTexts::given_c2>},
};

constexpr LocalText kFixedCoilNote[] = {
    local_text<&AmplifierTexts::fixed_coil_heading>,
    local_text<&AmplifierTexts::fixed_coil_heading2>};

// Not constexpr: reaching it while the layout is built at compile time
// is a compile error that names the fault.
void two_fields_in_one_place_of_the_screen() {}

// Puts each screen field in its place; a place taken twice, or a line
// outside its block, stops the compilation.
consteval ScreenLayout make_layout() {
  ScreenLayout layout;
  for (const Field& field : kFields) {
    const Field** place = nullptr;
    switch (field.screen.block) {
      case B::kNone:
        continue;
      case B::kInputs:
        place = &layout.inputs.at(field.screen.line);
        break;
      case B::kResultsLeft:
        place = &layout.rows.at(field.screen.line)[0];
        break;
      case B::kResultsRight:
        place = &layout.rows.at(field.screen.line)[1];
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
  for (const Field* field : layout.inputs) {
    if (field == nullptr) return false;
  }
  for (const auto& row : layout.rows) {
    if (row[0] == nullptr || row[1] == nullptr) return false;
  }
  return true;
}

constexpr ScreenLayout kLayout = make_layout();
static_assert(complete(kLayout));

// What the screen shows has a label and goes into the report, and no two
// fields share a report slot.
consteval bool consistent() {
  for (std::size_t i = 0; i < kFields.size(); ++i) {
    const ScreenPlace& a = kFields[i].screen;
    const bool shown = a.block != B::kNone;
    if (shown != (a.label != Msg::kCount)) return false;
    if (shown != (a.slot != R::kFieldCount)) return false;
    for (std::size_t j = i + 1; j < kFields.size(); ++j) {
      if (shown && a.slot == kFields[j].screen.slot) return false;
    }
  }
  return true;
}
static_assert(consistent());

constexpr Network kPiNetwork{
    .name = "pi",
    .title = "pi network",
    .description = "the default: the pi network above.",
    .parameters = {},
    .fields = kFields,
    .text_blocks = kTextBlocks,
    .band_columns = kBandColumns,
    .fixed_coil_note = kFixedCoilNote,
    .swr_fields = kSwrFields,
    .tuned_capacitors = {"c1", "c2"},
    .tuned_labels = {local_text<&CalcTexts::tuned_c1>,
                     local_text<&CalcTexts::tuned_c2>},
    .parts = kParts,
    .elements = kElements,
    .screen = &kLayout,
    .design = calculated,
    .uncalculated = uncalculated,
};

}  // namespace

const Network& pi_network() { return kPiNetwork; }

std::span<const Field> pi_fields() { return kFields; }

TankDesign pi_model(const Design& d) {
  return std::make_shared<const PiModel>(pi_inputs(d), d);
}

const ScreenLayout& screen_layout() { return kLayout; }

}  // namespace merid
