#include "console/results_screen.h"

namespace merid {

void show_fixed_inputs(ConsoleWriter& out, const Design& d) {
  out.value_line(Msg::kLabelQn, d.qn, kScreenFieldWidth);
  out.value_line(Msg::kLabelQ0, d.q0, kScreenFieldWidth);
  out.value_line(Msg::kLabelRin, d.rin, kScreenFieldWidth);
  out.value_line(Msg::kLabelRout, d.rout, kScreenFieldWidth);
  out.value_line(Msg::kLabelPin, d.pin, kScreenFieldWidth);
}

void show_results(ConsoleWriter& out, const Design& d) {
  const Results& r = d.results;
  out.text_line(Msg::kInputHeading);
  out.text_line(Msg::kInputDashes);
  out.value_line(Msg::kLabelF, d.f, kScreenFieldWidth);
  show_fixed_inputs(out, d);
  out.empty_line();
  out.text_line(Msg::kResultsHeading);
  out.text_line(Msg::kResultsDashes);
  out.value_row(Msg::kLabelC1, r.c1, Msg::kLabelUin, r.uin);
  out.value_row(Msg::kLabelC2, r.c2, Msg::kLabelUout, r.uout);
  out.value_row(Msg::kLabelL, r.l, Msg::kLabelUl, r.ul);
  out.value_row(Msg::kLabelEta, r.eta, Msg::kLabelPout, r.pout);
  out.value_row(Msg::kLabelQc1, r.qc1, Msg::kLabelPloss, r.ploss);
  out.value_row(Msg::kLabelQc2, r.qc2, Msg::kLabelKu, r.ku);
  out.value_row(Msg::kLabelQl, r.ql, Msg::kLabelKi, r.ki);
  out.value_row(Msg::kLabelIc1, r.ic1, Msg::kLabelS11, r.s11);
  out.value_row(Msg::kLabelIc2, r.ic2, Msg::kLabelS22, r.s22);
  out.value_row(Msg::kLabelIl, r.il, Msg::kLabelBwU, r.bw_u);
  out.value_row(Msg::kLabelBwS11, r.bw_s11, Msg::kLabelBwI, r.bw_i);
}

ReportRecord make_report_record(const Design& d) {
  const Results& r = d.results;
  ReportRecord rec;
  auto& v = rec.field;
  v[ReportRecord::kF] = d.f;
  v[ReportRecord::kQn] = d.qn;
  v[ReportRecord::kQ0] = d.q0;
  v[ReportRecord::kRin] = d.rin;
  v[ReportRecord::kRout] = d.rout;
  v[ReportRecord::kPin] = d.pin;
  v[ReportRecord::kC1] = r.c1;
  v[ReportRecord::kC2] = r.c2;
  v[ReportRecord::kL] = r.l;
  v[ReportRecord::kBwU] = r.bw_u;
  v[ReportRecord::kEta] = r.eta;
  v[ReportRecord::kQc1] = r.qc1;
  v[ReportRecord::kQc2] = r.qc2;
  v[ReportRecord::kQl] = r.ql;
  v[ReportRecord::kIc1] = r.ic1;
  v[ReportRecord::kIc2] = r.ic2;
  v[ReportRecord::kIl] = r.il;
  v[ReportRecord::kUin] = r.uin;
  v[ReportRecord::kUout] = r.uout;
  v[ReportRecord::kPout] = r.pout;
  v[ReportRecord::kUl] = r.ul;
  v[ReportRecord::kPloss] = r.ploss;
  v[ReportRecord::kKu] = r.ku;
  v[ReportRecord::kS11] = r.s11;
  v[ReportRecord::kS22] = r.s22;
  v[ReportRecord::kBwS11] = r.bw_s11;
  v[ReportRecord::kReserved] = 0.0f;
  v[ReportRecord::kKi] = r.ki;
  v[ReportRecord::kBwI] = r.bw_i;
  return rec;
}

}  // namespace merid
