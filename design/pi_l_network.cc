#include "design/pi_l_network.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "base/number_text.h"
#include "calc/constants.h"
#include "calc/mismatch.h"
#include "calc/pi_l.h"
#include "calc/retune.h"
#include "text/amplifier_texts.h"
#include "text/calc_texts.h"
#include "text/pi_l_texts.h"

namespace merid {
namespace {

// The parameter's place in TankInputs::parameters.
constexpr std::size_t kRmid = 0;

Ladder ladder_of(const PiLNetwork& n) {
  return Ladder{n.c1, n.l1, n.cmid, n.l2, n.cout, n.q0, n.rout};
}

class PiLModel final : public DesignModel {
 public:
  PiLModel(const TankInputs& inputs, const PiLDesign& d)
      : inputs_(inputs), design_(d) {}

  const PiLDesign& design() const { return design_; }

  const Network& network() const override { return pi_l_network(); }
  const TankInputs& inputs() const override { return inputs_; }
  bool feasible() const override { return !design_.infeasible; }

  std::string infeasible_note(Language language) const override {
    if (inputs_.elements) {
      return std::string(calc_texts(language).given_unresolved);
    }
    const PiLTexts& t = pi_l_texts(language);
    return concat({t.infeasible_note, plain(design_.rin), t.infeasible_to,
                   plain(design_.rmid), calc_texts(language).ohm});
  }

  // The pi section's C1 and loaded Q, at the design's RMID.
  std::optional<float> loaded_q_for_cmin(double cmin_pf) const override {
    return merid::loaded_q_for_cmin(pi_section_inputs(design_), cmin_pf,
                                    accepted_loaded_q(inputs_.q0));
  }

  WarningFigures warning_figures() const override {
    return merid::warning_figures(design_);
  }

  float tapped_coil() const override { return design_.results.l1; }

  CoilRow fixed_coil_row(float f_mhz, LoadedQRange range) const override {
    const PiLFixedCoilRow row = pi_l_fixed_coil_row(design_, f_mhz, range);
    TankInputs at = at_frequency(inputs_, f_mhz);
    at.qn = row.design.qn;
    at.parameters[kRmid] = row.design.rmid;
    return CoilRow{row.fit, row.l_fixed,
                   std::make_shared<const PiLModel>(at, row.design)};
  }

  SwrAnalysis swr_analysis() const override;

  Ladder ladder() const override { return ladder_of(design_.network); }

  // The RMID nearest the design's own that meets the limit at its loaded Q,
  // between RIN and ROUT, its network by the synthesis's closed form.
  LimitSearchSpace limit_search() const override {
    if (inputs_.elements) return {};
    const PiLDesign inputs = design_;
    return LimitSearchSpace{
        "rmid_for_limit",
        local_text<&PiLTexts::limit_rmid_label>,
        local_text<&PiLTexts::band_limit_rmid_heading>,
        LimitSearchSpace::Goal::kNearestMeeting,
        std::min(inputs.rin, inputs.rout),
        std::max(inputs.rin, inputs.rout),
        inputs.rmid,
        [inputs](double rmid) -> std::optional<Ladder> {
          const std::optional<PiLNetwork> n =
              pi_l_elements(make_pi_l_design(inputs, static_cast<float>(rmid)));
          if (!n) return std::nullopt;
          return ladder_of(*n);
        }};
  }

  // RMID beside RIN and ROUT: the two sections should each transform part
  // of the way, in the same direction.
  std::vector<DesignWarning> network_warnings() const override {
    const PiLDesign& d = design_;
    std::vector<DesignWarning> out;
    const float low = std::min(d.rin, d.rout);
    const float high = std::max(d.rin, d.rout);
    if (d.rin == d.rout) {
      out.push_back({WarningCode::kRinEqualsRout, d.rin});
    } else if (d.rmid <= low) {
      out.push_back({WarningCode::kRmidLow, d.rmid, low});
    } else if (d.rmid >= high) {
      out.push_back({WarningCode::kRmidHigh, d.rmid, high});
    }
    return out;
  }

  ResponseCurves response_curves() const override {
    const PiLDesign& d = design_;
    SweepTrace trace;
    const PiLBands bands =
        pi_l_bands(d.network, drive_voltage(d), d.rin, kHertzPerMegahertz * d.f,
                   d.grid, d.ns11, &trace);
    return curves_of(trace, bands.voltage, bands.current, bands.s11);
  }

  DrawingSubject drawing_subject(Language language) const override {
    const CalcTexts& t = calc_texts(language);
    const PiLDesign& d = design_;
    const PiLResults& r = d.results;
    const PiLNetwork n = d.network;
    const Drive any = matched_drive(drive_voltage(d), d.rin);
    return DrawingSubject{
        {title_start(pi_l_texts(language).plot_title, d.f, d.qn, d.q0,
                     language),
         concat({t.plot_title_rin_line, plain(d.rin), t.plot_title_rmid,
                 plain(d.rmid), t.plot_title_rout, plain(d.rout), t.ohm})},
        d.f,
        kHertzPerMegahertz * d.f,
        d.rin,
        d.grid.fstart,
        d.fstop,
        d.grid.step,
        r.bw_u,
        r.bw_i,
        r.bw_s11,
        r.harmonics,
        [n, any](float freq) { return analyse_pi_l(n, any, freq).zin; }};
  }

 private:
  TankInputs inputs_;
  PiLDesign design_;
};

// `given` with RMID's default worked out where none is given.
TankInputs with_rmid(const TankInputs& given) {
  TankInputs inputs = given;
  float& rmid = inputs.parameters[kRmid];
  // Given elements have the RMID they give, known once analysed.
  if (std::isnan(rmid) && !inputs.elements) {
    rmid = default_rmid(inputs.rin, inputs.rout);
  }
  return inputs;
}

// The network of the given elements, its loaded Q and RMID what they
// give.
TankDesign given_network(const TankInputs& inputs) {
  const GivenElements& e = *inputs.elements;
  const PiLDesign d =
      given_pi_l(inputs, PiLElements{e[0], e[1], e[2], e[3], e[4]});
  TankInputs analysed = inputs;
  analysed.qn = d.qn;
  analysed.parameters[kRmid] = d.rmid;
  return std::make_shared<const PiLModel>(analysed, d);
}

TankDesign calculated(const TankInputs& given) {
  if (given.elements) return given_network(given);
  const TankInputs inputs = with_rmid(given);
  return std::make_shared<const PiLModel>(
      inputs, pi_l_synthesis(inputs, inputs.parameters[kRmid]));
}

TankDesign uncalculated(const TankInputs& given) {
  const TankInputs inputs = with_rmid(given);
  PiLDesign d = make_pi_l_design(inputs, inputs.parameters[kRmid]);
  d.infeasible = true;
  return std::make_shared<const PiLModel>(inputs, d);
}

const PiLDesign& pi_l(const DesignModel& m) {
  return static_cast<const PiLModel&>(m).design();
}

template <auto Member>
FieldCell input_of(const DesignModel& m) {
  return pi_l(m).*Member;
}
template <auto Member>
FieldCell result_of(const DesignModel& m) {
  return pi_l(m).results.*Member;
}
template <auto Member, int N>
FieldCell harmonic_of(const DesignModel& m) {
  return (pi_l(m).results.harmonics.*Member)[N - kFirstHarmonic];
}
template <auto Member>
FieldCell peak_of(const DesignModel& m) {
  return peak(pi_l(m).results.*Member);
}

// The text blocks: the inputs with RMID, the results, the peaks and the
// harmonics.
constexpr std::uint8_t kInputs = 0;
constexpr std::uint8_t kResults = 1;
constexpr std::uint8_t kPeaks = 2;
constexpr std::uint8_t kHarmonics = 3;

// Where the L section's shunt capacitor stands.
LocalText middle_note(const DesignModel& m) {
  return pi_l(m).cl_at_middle ? local_text<&PiLTexts::middle_sum>
                              : local_text<&PiLTexts::middle_alone>;
}

constexpr TextBlock kTextBlocks[] = {
    {local_text<&PiLTexts::input_heading>, TextBlockStyle::kInputs},
    {local_text<&PiLTexts::results_heading>, TextBlockStyle::kResults,
     middle_note},
    {local_text<&CalcTexts::peaks_heading>, TextBlockStyle::kResults},
    {local_text<&CalcTexts::harmonics_heading>, TextBlockStyle::kResults},
};

constexpr TextPlace line(std::uint8_t row, LocalText label) {
  return TextPlace{kInputs, row, 0, label};
}
constexpr TextPlace left(std::uint8_t block, std::uint8_t row,
                         LocalText label) {
  return TextPlace{block, row, 0, label};
}
constexpr TextPlace right(std::uint8_t block, std::uint8_t row,
                          LocalText label) {
  return TextPlace{block, row, 1, label};
}

using K = FieldKind;
using D = PiLDesign;
using R = PiLResults;
using H = HarmonicTable;

constexpr auto kFields = std::to_array<Field>({
    {"f", "working frequency, MHz", K::kInput, input_of<&D::f>,
     line(0, local_text<&PiLTexts::f>)},
    {"qn", "loaded Q of the pi section", K::kInput, input_of<&D::qn>,
     line(1, local_text<&PiLTexts::qn>)},
    {"q0", "unloaded Q of both coils", K::kInput, input_of<&D::q0>,
     line(2, local_text<&PiLTexts::q0>)},
    {"rin", "input resistance, ohm", K::kInput, input_of<&D::rin>,
     line(3, local_text<&PiLTexts::rin>)},
    {"rout", "load resistance, ohm", K::kInput, input_of<&D::rout>,
     line(4, local_text<&PiLTexts::rout>)},
    {"pin", "input power, W", K::kInput, input_of<&D::pin>,
     line(5, local_text<&PiLTexts::pin>)},
    {"rmid", "intermediate resistance, ohm", K::kInput, input_of<&D::rmid>,
     line(6, local_text<&PiLTexts::rmid>)},
    {"c1", "C1, pF", K::kResult, result_of<&R::c1>,
     left(kResults, 0, local_text<&PiLTexts::c1>)},
    {"l1", "L1, uH", K::kResult, result_of<&R::l1>,
     left(kResults, 1, local_text<&PiLTexts::l1>)},
    {"c2p", "C2' of the pi section, pF", K::kResult, result_of<&R::c2p>,
     left(kResults, 2, local_text<&PiLTexts::c2p>)},
    {"cl", "shunt C of the L section, pF", K::kResult, result_of<&R::cl>,
     left(kResults, 3, local_text<&PiLTexts::cl>)},
    {"cmid", "capacitor at the middle node, pF", K::kResult,
     result_of<&R::cmid>, left(kResults, 4, local_text<&PiLTexts::cmid>)},
    {"l2", "L2, uH", K::kResult, result_of<&R::l2>,
     left(kResults, 5, local_text<&PiLTexts::l2>)},
    {"cout", "capacitor across the load (0: none), pF", K::kResult,
     result_of<&R::cout>, right(kResults, 5, local_text<&PiLTexts::cout>)},
    // Shown in the text, not a field of its own: it is qn.
    {{},
     {},
     K::kResult,
     result_of<&R::q_pi>,
     left(kResults, 6, local_text<&PiLTexts::q_pi>)},
    {"q_l", "loaded Q of the L section", K::kResult, result_of<&R::q_l>,
     right(kResults, 6, local_text<&PiLTexts::ql>)},
    {"eta", "efficiency of the whole network, %", K::kResult,
     result_of<&R::eta>, left(kResults, 7, local_text<&PiLTexts::eta>)},
    {"pout", "output power, W", K::kResult, result_of<&R::pout>,
     right(kResults, 7, local_text<&PiLTexts::pout>)},
    {"ploss", "power lost in L1 and L2, W", K::kResult, result_of<&R::ploss>,
     left(kResults, 8, local_text<&PiLTexts::ploss>)},
    {"uin", "input voltage, V RMS", K::kResult, result_of<&R::uin>,
     right(kResults, 0, local_text<&PiLTexts::uin>)},
    {"umid", "middle node voltage, V RMS", K::kResult, result_of<&R::umid>,
     right(kResults, 2, local_text<&PiLTexts::umid>)},
    {"uout", "output voltage, V RMS", K::kResult, result_of<&R::uout>,
     right(kResults, 4, local_text<&PiLTexts::uout>)},
    {"ul1", "voltage across L1, V RMS", K::kResult, result_of<&R::ul1>,
     right(kResults, 1, local_text<&PiLTexts::ul1>)},
    {"ul2", "voltage across L2, V RMS", K::kResult, result_of<&R::ul2>,
     right(kResults, 3, local_text<&PiLTexts::ul2>)},
    {"ic1", "current in C1, A RMS", K::kResult, result_of<&R::ic1>,
     right(kResults, 9, local_text<&PiLTexts::ic1>)},
    {"il1", "current in L1, A RMS", K::kResult, result_of<&R::il1>,
     right(kResults, 10, local_text<&PiLTexts::il1>)},
    {"icmid", "current in the middle capacitor, A RMS", K::kResult,
     result_of<&R::icmid>, right(kResults, 11, local_text<&PiLTexts::icmid>)},
    {"il2", "current in L2, A RMS", K::kResult, result_of<&R::il2>,
     right(kResults, 12, local_text<&PiLTexts::il2>)},
    {"icout", "current in the output capacitor, A RMS", K::kResult,
     result_of<&R::icout>, right(kResults, 13, local_text<&PiLTexts::icout>)},
    {"qc1", "reactive power in C1, var", K::kResult, result_of<&R::qc1>,
     left(kResults, 9, local_text<&PiLTexts::qc1>)},
    {"ql1", "reactive power in L1, var", K::kResult, result_of<&R::ql1>,
     left(kResults, 10, local_text<&PiLTexts::ql1>)},
    {"qcmid", "reactive power in the middle capacitor, var", K::kResult,
     result_of<&R::qcmid>, left(kResults, 11, local_text<&PiLTexts::qcmid>)},
    {"ql2", "reactive power in L2, var", K::kResult, result_of<&R::ql2>,
     left(kResults, 12, local_text<&PiLTexts::ql2>)},
    {"qcout", "reactive power in the output capacitor, var", K::kResult,
     result_of<&R::qcout>, left(kResults, 13, local_text<&PiLTexts::qcout>)},
    {"ku", "KU at 2F, dB", K::kResult, harmonic_of<&H::ku, 2>,
     left(kHarmonics, 0, local_text<&CalcTexts::ku2>)},
    {"ku3", "KU at 3F, dB", K::kHarmonic, harmonic_of<&H::ku, 3>,
     left(kHarmonics, 1, local_text<&CalcTexts::ku3>)},
    {"ku4", "KU at 4F, dB", K::kHarmonic, harmonic_of<&H::ku, 4>,
     left(kHarmonics, 2, local_text<&CalcTexts::ku4>)},
    {"ku5", "KU at 5F, dB", K::kHarmonic, harmonic_of<&H::ku, 5>,
     left(kHarmonics, 3, local_text<&CalcTexts::ku5>)},
    {"ki", "KI at 2F, dB", K::kResult, harmonic_of<&H::ki, 2>,
     right(kHarmonics, 0, local_text<&CalcTexts::ki2>)},
    {"ki3", "KI at 3F, dB", K::kHarmonic, harmonic_of<&H::ki, 3>,
     right(kHarmonics, 1, local_text<&CalcTexts::ki3>)},
    {"ki4", "KI at 4F, dB", K::kHarmonic, harmonic_of<&H::ki, 4>,
     right(kHarmonics, 2, local_text<&CalcTexts::ki4>)},
    {"ki5", "KI at 5F, dB", K::kHarmonic, harmonic_of<&H::ki, 5>,
     right(kHarmonics, 3, local_text<&CalcTexts::ki5>)},
    {"s11", "|S11| at the input at F", K::kResult, result_of<&R::s11>,
     right(kResults, 8, local_text<&PiLTexts::s11>)},
    {"s22", "|S22| at the output at F", K::kResult, result_of<&R::s22>,
     left(kResults, 14, local_text<&PiLTexts::s22>)},
    {"bw_u", "-1 dB band of the voltage response, kHz", K::kResult,
     result_of<&R::bw_u>, left(kResults, 15, local_text<&PiLTexts::bw_u>)},
    {"bw_i", "-1 dB band of the current response, kHz", K::kResult,
     result_of<&R::bw_i>, right(kResults, 15, local_text<&PiLTexts::bw_i>)},
    {"bw_s11", "band of |S11| <= 0.1, kHz", K::kResult, result_of<&R::bw_s11>,
     right(kResults, 14, local_text<&PiLTexts::bw_s11>)},
    {"uc1_peak", "peak voltage across C1, V", K::kPeak, peak_of<&R::uin>,
     left(kPeaks, 0, local_text<&CalcTexts::peak_uc1>)},
    {"ul1_peak", "peak voltage across L1, V", K::kPeak, peak_of<&R::ul1>,
     left(kPeaks, 1, local_text<&PiLTexts::peak_ul1>)},
    {"ucmid_peak", "peak voltage across the middle capacitor, V", K::kPeak,
     peak_of<&R::umid>, left(kPeaks, 2, local_text<&PiLTexts::peak_ucmid>)},
    {"ul2_peak", "peak voltage across L2, V", K::kPeak, peak_of<&R::ul2>,
     left(kPeaks, 3, local_text<&PiLTexts::peak_ul2>)},
    {"ucout_peak", "peak voltage across the output (and cout), V", K::kPeak,
     peak_of<&R::uout>, left(kPeaks, 4, local_text<&PiLTexts::peak_uout>)},
    {"ic1_peak", "peak current in C1, A", K::kPeak, peak_of<&R::ic1>,
     right(kPeaks, 0, local_text<&CalcTexts::peak_ic1>)},
    {"il1_peak", "peak current in L1, A", K::kPeak, peak_of<&R::il1>,
     right(kPeaks, 1, local_text<&PiLTexts::peak_il1>)},
    {"icmid_peak", "peak current in the middle capacitor, A", K::kPeak,
     peak_of<&R::icmid>, right(kPeaks, 2, local_text<&PiLTexts::peak_icmid>)},
    {"il2_peak", "peak current in L2, A", K::kPeak, peak_of<&R::il2>,
     right(kPeaks, 3, local_text<&PiLTexts::peak_il2>)},
    {"icout_peak", "peak current in the output capacitor, A", K::kPeak,
     peak_of<&R::icout>, right(kPeaks, 4, local_text<&PiLTexts::peak_icout>)},
});

// Its inputs put CL across the load.
bool cl_across_load(const DesignModel& m) { return !pi_l(m).cl_at_middle; }

// The pi-L network under a mismatched load: its quantities (PiLQuantity)
// and the figures made of them.
using Q = PiLQuantity;
using T = SwrField::Take;
constexpr auto kSwrFields = std::to_array<SwrField>({
    {"uc1", "largest voltage across C1, V RMS", Q::kUc1, T::kValue, true, 0, 0,
     local_text<&CalcTexts::swr_uc1>},
    {"uc1_peak", "its peak, V", Q::kUc1, T::kPeak, true, 0, 1,
     local_text<&CalcTexts::peak_uc1>},
    {"ul1", "largest voltage across L1, V RMS", Q::kUl1, T::kValue, true, 1, 0,
     local_text<&PiLTexts::ul1>},
    {"ul1_peak", "its peak, V", Q::kUl1, T::kPeak, true, 1, 1,
     local_text<&PiLTexts::peak_ul1>},
    {"ucmid", "largest voltage across the middle capacitor, V RMS", Q::kUcmid,
     T::kValue, true, 2, 0, local_text<&PiLTexts::umid>},
    {"ucmid_peak", "its peak, V", Q::kUcmid, T::kPeak, true, 2, 1,
     local_text<&PiLTexts::peak_ucmid>},
    {"ul2", "largest voltage across L2, V RMS", Q::kUl2, T::kValue, true, 3, 0,
     local_text<&PiLTexts::ul2>},
    {"ul2_peak", "its peak, V", Q::kUl2, T::kPeak, true, 3, 1,
     local_text<&PiLTexts::peak_ul2>},
    {"ucout", "largest voltage across the output (and cout), V RMS", Q::kUcout,
     T::kValue, true, 4, 0, local_text<&PiLTexts::uout>},
    {"ucout_peak", "its peak, V", Q::kUcout, T::kPeak, true, 4, 1,
     local_text<&PiLTexts::peak_uout>},
    {"ic1", "largest current in C1, A RMS", Q::kIc1, T::kValue, true, 5, 0,
     local_text<&PiLTexts::ic1>},
    {"ic1_peak", "its peak, A", Q::kIc1, T::kPeak, true, 5, 1,
     local_text<&CalcTexts::peak_ic1>},
    {"il1", "largest current in L1, A RMS", Q::kIl1, T::kValue, true, 6, 0,
     local_text<&PiLTexts::il1>},
    {"il1_peak", "its peak, A", Q::kIl1, T::kPeak, true, 6, 1,
     local_text<&PiLTexts::peak_il1>},
    {"icmid", "largest current in the middle capacitor, A RMS", Q::kIcmid,
     T::kValue, true, 7, 0, local_text<&PiLTexts::icmid>},
    {"icmid_peak", "its peak, A", Q::kIcmid, T::kPeak, true, 7, 1,
     local_text<&PiLTexts::peak_icmid>},
    {"il2", "largest current in L2, A RMS", Q::kIl2, T::kValue, true, 8, 0,
     local_text<&PiLTexts::il2>},
    {"il2_peak", "its peak, A", Q::kIl2, T::kPeak, true, 8, 1,
     local_text<&PiLTexts::peak_il2>},
    {"icout", "largest current in the output capacitor, A RMS", Q::kIcout,
     T::kValue, true, 9, 0, local_text<&PiLTexts::icout>},
    {"icout_peak", "its peak, A", Q::kIcout, T::kPeak, true, 9, 1,
     local_text<&PiLTexts::peak_icout>},
    {"pload", "largest power into the load, W", Q::kPload, T::kValue, false, 10,
     0, local_text<&CalcTexts::swr_pload>},
    {"ploss", "largest power lost in L1 and L2, W", Q::kPloss, T::kValue, false,
     10, 1, local_text<&PiLTexts::swr_ploss>},
    {"r_min", "least input resistance, ohm", Q::kRMin, T::kNegated, false, 11,
     0, local_text<&CalcTexts::swr_r_min>},
    {"r_max", "largest input resistance, ohm", Q::kRMax, T::kValue, false, 11,
     1, local_text<&CalcTexts::swr_r_max>},
    {"x_min", "least input reactance, ohm", Q::kXMin, T::kNegated, false, 12, 0,
     local_text<&CalcTexts::swr_x_min>},
    {"x_max", "largest input reactance, ohm", Q::kXMax, T::kValue, false, 12, 1,
     local_text<&CalcTexts::swr_x_max>},
    {"s11_min", "least |S11| at the input", Q::kS11Min, T::kNegated, false, 13,
     0, local_text<&CalcTexts::swr_s11_min>},
    {"s11_max", "largest |S11| at the input", Q::kS11Max, T::kValue, false, 13,
     1, local_text<&CalcTexts::swr_s11_max>},
});

SwrAnalysis PiLModel::swr_analysis() const {
  const PiLDesign& d = design_;
  const PiLNetwork n = d.network;
  const float fhz = d.fhz;
  const float uin = drive_voltage(d);
  const float rin = d.rin;
  const float pin = d.pin;
  SwrAnalysis a;
  a.quantities = PiLQuantity::kCount;
  a.drive_independent = PiLQuantity::kRMax;
  a.rout = d.rout;
  a.at = [=](SwrDrive drive, const LoadBatch& batch) {
    pi_l_load_quantities(n, fhz, load_drive(drive, uin, rin, pin), rin, {}, {},
                         batch);
    std::fill(batch.given.begin(), batch.given.end(), true);
  };
  // The middle node sees besides its capacitor L2 and the load (with the
  // output capacitor across it): with every coil fixed, C1 and the middle
  // capacitor retune the pi section into that admittance.
  a.retuned = [=](const LoadBatch& batch, std::span<TunedSetting> settings) {
    const float omega = kOmegaFactor * fhz;
    const float x = n.l1 * omega;
    const RetunedCapacitors c =
        retuned_capacitors(batch, settings, n.c1, n.cmid, [&](Complex load) {
          return retune_pi_section(omega,
                                   admittance(middle_branch(n, fhz, load)), x,
                                   x / n.q0, rin, n.cmid);
        });
    pi_l_load_quantities(n, fhz, load_drive(SwrDrive::kLevelled, uin, rin, pin),
                         rin, c.c1, c.c2, batch);
  };
  return a;
}

using C = BandColumn;
constexpr BandColumn kBandColumns[] = {
    {local_text<&CalcTexts::band_f>, kBandValueWidth, "f"},
    {local_text<&CalcTexts::band_c1>, kBandValueWidth, "c1"},
    {local_text<&PiLTexts::band_l1>, kBandValueWidth, "l1", C::Use::kCoil},
    {local_text<&PiLTexts::band_cmid>, kBandValueWidth, "cmid"},
    {local_text<&PiLTexts::band_l2>, kBandValueWidth, "l2"},
    {local_text<&PiLTexts::band_cout>, kBandValueWidth, "cout", C::Use::kAlways,
     cl_across_load},
    {local_text<&AmplifierTexts::band_qn_heading>, kBandQnWidth, "qn",
     C::Use::kFixedCoil},
    {local_text<&PiLTexts::band_rmid>, kBandValueWidth, "rmid",
     C::Use::kFixedCoil},
    {local_text<&AmplifierTexts::band_ku_heading>, kBandQnWidth, "ku",
     C::Use::kFixedCoil},
    {local_text<&CalcTexts::band_uc1_peak>, kBandPeakWidth, "uc1_peak"},
    {local_text<&PiLTexts::band_il1_peak>, kBandPeakWidth, "il1_peak"},
};

static_assert(band_columns_fit(kBandColumns));
static_assert(text_places_fit(kFields));

using P = PartFigure::Kind;
constexpr PartFigure kParts[] = {
    {"c1", "C1", P::kCapacitance},     {"cmid", "CMID", P::kCapacitance},
    {"cout", "COUT", P::kCapacitance}, {"l1", "L1", P::kInductance},
    {"l2", "L2", P::kInductance},      {"ic1", "C1", P::kCurrent},
    {"il1", "L1", P::kCurrent},        {"icmid", "CMID", P::kCurrent},
    {"il2", "L2", P::kCurrent},        {"icout", "COUT", P::kCurrent},
};

// C1, L1, the middle capacitor, L2 and COUT (0: none) as --elements takes
// them.
constexpr ElementRow kElements[] = {
    {"C1", "pF", "c1", kMaxGivenCapacitance, false, local_text<&PiLTexts::c1>},
    {"L1", "uH", "l1", kMaxGivenInductance, false, local_text<&PiLTexts::l1>},
    {"CMID", "pF", "cmid", kMaxGivenCapacitance, false,
     local_text<&PiLTexts::cmid>},
    {"L2", "uH", "l2", kMaxGivenInductance, false, local_text<&PiLTexts::l2>},
    {"COUT", "pF", "cout", kMaxGivenCapacitance, true,
     local_text<&PiLTexts::cout>},
};

constexpr LocalText kFixedCoilNote[] = {
    local_text<&PiLTexts::fixed_coil_heading>,
    local_text<&PiLTexts::fixed_coil_heading2>};

constexpr NetworkParameter kParameters[] = {
    {"rmid", "OHM",
     "with --network pi-l, the intermediate resistance, in ROUT's range; the "
     "default is sqrt(RIN ROUT) rounded to three significant digits.",
     "middle resistance", Input::kRout},
};

constexpr Network kPiLNetwork{
    .name = "pi-l",
    .title = "pi-L network",
    .description =
        "a pi section (C1, L1, C2') from RIN to RMID, exactly the pi network's "
        "single-precision synthesis with ROUT replaced by RMID and QN its "
        "loaded "
        "Q, then an L section (series L2, shunt CL) from RMID to ROUT with "
        "L2's "
        "loss at the same Q0, solved in double precision.  CL stands across "
        "the "
        "larger of RMID and ROUT: with RMID >= ROUT it is at the middle node "
        "in "
        "parallel with C2', and the middle capacitor cmid to fit is their sum; "
        "with RMID < ROUT it is across the load (cout) and the middle node "
        "holds "
        "C2' alone.  Shows every element, the RMS and peak voltages and "
        "currents, reactive powers, the efficiency of the whole network, KU "
        "and "
        "KI at 2F to 5F (the same two drives), S11 and S22, analysed in single "
        "precision, and three bands over the pi section's sweep grid, each the "
        "run of neighbouring grid points within its limit: the voltage "
        "response "
        "within 1 dB of its value at F, around F; the current response within "
        "1 "
        "dB of its peak over the window's upper half, around that peak; |S11| "
        "<= 0.1, around F (what comes within a limit again far from F is no "
        "part of the band).  JSON and CSV have the fields listed last, then "
        "the "
        "amplifier fields and the warnings as for the pi network (not "
        "bw_s11_one_crossing: "
        "the S11 band here is no count of crossings; bw_s11_no_width when "
        "fewer "
        "than two points are within 0.1).  --svg and --smith draw its curves, "
        "--cmin takes C1 and the loaded Q of the pi section (at the design's "
        "RMID), and --bands makes its table of F, C1, L1, cmid, L2, cout (with "
        "RMID < ROUT) and the peaks across C1 and in L1.  --bands --fixed-coil "
        "keeps L1, L2 and cout of each band's top row: at a lower F the fixed "
        "L "
        "section shows the middle node a conductance G and a susceptance B; "
        "the "
        "pi section then goes from RIN to the row's rmid = 1/G at the loaded Q "
        "(found as for the pi network) whose L1 is the coil (a loaded Q lower "
        "than the top row's where the pi section's ratio shrinks), and cmid is "
        "its C2' less "
        "B/omega (with CL at the middle the row's cl), so C1 and cmid tune.",
    .parameters = kParameters,
    .fields = kFields,
    .text_blocks = kTextBlocks,
    .band_columns = kBandColumns,
    .fixed_coil_note = kFixedCoilNote,
    .swr_fields = kSwrFields,
    .tuned_capacitors = {"c1", "cmid"},
    .tuned_labels = {local_text<&CalcTexts::tuned_c1>,
                     local_text<&PiLTexts::tuned_cmid>},
    .parts = kParts,
    .elements = kElements,
    .screen = nullptr,
    .design = calculated,
    .uncalculated = uncalculated,
};

}  // namespace

const Network& pi_l_network() { return kPiLNetwork; }

}  // namespace merid
