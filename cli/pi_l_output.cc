#include "cli/pi_l_output.h"

#include <array>
#include <cmath>
#include <cstddef>

#include "base/design_fields.h"
#include "base/number_text.h"
#include "cli/text_lines.h"
#include "console/console_writer.h"
#include "text/line_format.h"
#include "text/messages.h"
#include "text/pi_l_texts.h"
#include "text/value_field.h"

namespace merid {
namespace {

using D = const PiLDesign&;
constexpr PiLField kFields[] = {
    {"f", "working frequency, MHz", [](D d) { return d.f; }, true},
    {"qn", "loaded Q of the pi section", [](D d) { return d.qn; }, true},
    {"q0", "unloaded Q of both coils", [](D d) { return d.q0; }, true},
    {"rin", "input resistance, ohm", [](D d) { return d.rin; }, true},
    {"rout", "load resistance, ohm", [](D d) { return d.rout; }, true},
    {"pin", "input power, W", [](D d) { return d.pin; }, true},
    {"rmid", "intermediate resistance, ohm", [](D d) { return d.rmid; }, true},
    {"c1", "C1, pF", [](D d) { return d.results.c1; }},
    {"l1", "L1, uH", [](D d) { return d.results.l1; }},
    {"c2p", "C2' of the pi section, pF", [](D d) { return d.results.c2p; }},
    {"cl", "shunt C of the L section, pF", [](D d) { return d.results.cl; }},
    {"cmid", "capacitor at the middle node, pF",
     [](D d) { return d.results.cmid; }},
    {"l2", "L2, uH", [](D d) { return d.results.l2; }},
    {"cout", "capacitor across the load (0: none), pF",
     [](D d) { return d.results.cout; }},
    {"q_l", "loaded Q of the L section", [](D d) { return d.results.q_l; }},
    {"eta", "efficiency of the whole network, %",
     [](D d) { return d.results.eta; }},
    {"pout", "output power, W", [](D d) { return d.results.pout; }},
    {"ploss", "power lost in L1 and L2, W",
     [](D d) { return d.results.ploss; }},
    {"uin", "input voltage, V RMS", [](D d) { return d.results.uin; }},
    {"umid", "middle node voltage, V RMS", [](D d) { return d.results.umid; }},
    {"uout", "output voltage, V RMS", [](D d) { return d.results.uout; }},
    {"ul1", "voltage across L1, V RMS", [](D d) { return d.results.ul1; }},
    {"ul2", "voltage across L2, V RMS", [](D d) { return d.results.ul2; }},
    {"ic1", "current in C1, A RMS", [](D d) { return d.results.ic1; }},
    {"il1", "current in L1, A RMS", [](D d) { return d.results.il1; }},
    {"icmid", "current in the middle capacitor, A RMS",
     [](D d) { return d.results.icmid; }},
    {"il2", "current in L2, A RMS", [](D d) { return d.results.il2; }},
    {"icout", "current in the output capacitor, A RMS",
     [](D d) { return d.results.icout; }},
    {"qc1", "reactive power in C1, var", [](D d) { return d.results.qc1; }},
    {"ql1", "reactive power in L1, var", [](D d) { return d.results.ql1; }},
    {"qcmid", "reactive power in the middle capacitor, var",
     [](D d) { return d.results.qcmid; }},
    {"ql2", "reactive power in L2, var", [](D d) { return d.results.ql2; }},
    {"qcout", "reactive power in the output capacitor, var",
     [](D d) { return d.results.qcout; }},
    {"ku2", "KU at 2F, dB", [](D d) { return d.results.harmonics.ku[0]; }},
    {"ku3", "KU at 3F, dB", [](D d) { return d.results.harmonics.ku[1]; }},
    {"ku4", "KU at 4F, dB", [](D d) { return d.results.harmonics.ku[2]; }},
    {"ku5", "KU at 5F, dB", [](D d) { return d.results.harmonics.ku[3]; }},
    {"ki2", "KI at 2F, dB", [](D d) { return d.results.harmonics.ki[0]; }},
    {"ki3", "KI at 3F, dB", [](D d) { return d.results.harmonics.ki[1]; }},
    {"ki4", "KI at 4F, dB", [](D d) { return d.results.harmonics.ki[2]; }},
    {"ki5", "KI at 5F, dB", [](D d) { return d.results.harmonics.ki[3]; }},
    {"s11", "|S11| at the input at F", [](D d) { return d.results.s11; }},
    {"s22", "|S22| at the output at F", [](D d) { return d.results.s22; }},
    {"bw_u", "-1 dB band of the voltage response, kHz",
     [](D d) { return d.results.bw_u; }},
    {"bw_i", "-1 dB band of the current response, kHz",
     [](D d) { return d.results.bw_i; }},
    {"bw_s11", "band of |S11| <= 0.1, kHz",
     [](D d) { return d.results.bw_s11; }},
};

// `label` starting at column `start`, tabs until its "= " stands at or past
// column `equals` (a tab stop), then "= ".
std::string tabbed(std::string_view label, std::size_t start,
                   std::size_t equals) {
  std::string out(label);
  std::size_t at = start + utf8_columns(label);
  do {
    out.push_back('\t');
    at = (at / 8 + 1) * 8;
  } while (at < equals);
  out.append("= ");
  return out;
}

// Where the screen's right-hand labels begin and their "= " stand.
constexpr std::size_t kLeftEquals = 24;
constexpr std::size_t kRightStart = 41;
constexpr std::size_t kRightEquals = 64;

void row(ByteSink& out, const PiLRowLabels& labels, float left, float right) {
  const std::string l = tabbed(labels.left, 0, kLeftEquals);
  if (labels.right.empty()) {
    write_line(out, concat({l, value_field(left, kScreenFieldWidth)}));
    return;
  }
  write_line(out, two_column_row(
                      l, left, tabbed(labels.right, kRightStart, kRightEquals),
                      right));
}

}  // namespace

std::span<const PiLField> pi_l_fields() { return kFields; }

void write_pi_l_inputs(ByteSink& out, const PiLDesign& d, bool with_frequency) {
  ConsoleWriter screen(out, utf8_messages());
  write_line(out, kPiLInputHeading);
  screen.text_line(Msg::kInputDashes);
  const std::array<float, 7> inputs = {d.f,    d.qn,  d.q0,  d.rin,
                                       d.rout, d.pin, d.rmid};
  for (std::size_t i = with_frequency ? 0 : 1; i < inputs.size(); ++i) {
    write_line(out, concat({tabbed(kPiLInputLabels[i], 0, kLeftEquals),
                            value_field(inputs[i], kScreenFieldWidth)}));
  }
}

void write_pi_l_text(ByteSink& out, const PiLDesign& d) {
  ConsoleWriter screen(out, utf8_messages());
  const PiLResults& r = d.results;
  write_pi_l_inputs(out, d, true);
  write_heading(out, kPiLResultsHeading);
  const std::array<std::array<float, 2>, 16> values = {{
      {r.c1, r.uin},
      {r.l1, r.ul1},
      {r.c2p, r.umid},
      {r.cl, r.ul2},
      {r.cmid, r.uout},
      {r.l2, r.cout},
      {r.q_pi, r.q_l},
      {r.eta, r.pout},
      {r.ploss, r.s11},
      {r.qc1, r.ic1},
      {r.ql1, r.il1},
      {r.qcmid, r.icmid},
      {r.ql2, r.il2},
      {r.qcout, r.icout},
      {r.s22, r.bw_s11},
      {r.bw_u, r.bw_i},
  }};
  for (std::size_t i = 0; i < values.size(); ++i) {
    row(out, kPiLResultLabels[i], values[i][0], values[i][1]);
  }
  write_line(out,
             std::string(d.cl_at_middle ? kPiLMiddleSum : kPiLMiddleAlone));

  write_heading(out, kPiLPeaksHeading);
  const std::array<std::array<float, 2>, 5> rms = {{{r.uin, r.ic1},
                                                    {r.ul1, r.il1},
                                                    {r.umid, r.icmid},
                                                    {r.ul2, r.il2},
                                                    {r.uout, r.icout}}};
  for (std::size_t i = 0; i < rms.size(); ++i) {
    row(out, kPiLPeakLabels[i], peak(rms[i][0]), peak(rms[i][1]));
  }

  write_heading(out, kPiLHarmonicsHeading);
  for (std::size_t i = 0; i < kHarmonicCount; ++i) {
    row(out, kPiLHarmonicLabels[i], r.harmonics.ku[i], r.harmonics.ki[i]);
  }
}

void write_pi_l_infeasible_note(ByteSink& out, const PiLDesign& d) {
  write_line(out, concat({kPiLInfeasibleNote, plain(d.rin), kPiLInfeasibleTo,
                          plain(d.rmid), kPiLOhm}));
}

}  // namespace merid
