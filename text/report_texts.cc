#include "text/report_texts.h"

#include <array>
#include <cstddef>

namespace merid {
namespace {

struct ReportLabel {
  Msg screen_label;
  std::string_view text;
};

// Apart from the screen's: " U на L.,В", the tab after "P потерь ... = ",
// and "гарм-ки" in KU and KI.
constexpr std::array<ReportLabel, 28> kLabels = {{
    {Msg::kLabelF, " F, Мгц \t\t= "},
    {Msg::kLabelQn, " Qn\t\t\t= "},
    {Msg::kLabelQ0, " Q0\t\t\t= "},
    {Msg::kLabelRin, " R вх.,  Ом\t \t= "},
    {Msg::kLabelRout, " R вых., Ом\t\t= "},
    {Msg::kLabelPin, " P вх.,  Вт\t\t= "},
    {Msg::kLabelC1, " C1, пФ \t\t= "},
    {Msg::kLabelUin, " U вх.,  В (эфф.)\t= "},
    {Msg::kLabelC2, " C2, пФ \t\t= "},
    {Msg::kLabelUout, " U вых., В (эфф.)\t= "},
    {Msg::kLabelL, " L, мкГн \t\t= "},
    {Msg::kLabelUl, " U на L.,В (эфф.)\t= "},
    {Msg::kLabelEta, " КПД контура, %\t\t= "},
    {Msg::kLabelPout, " P вых., Вт\t\t= "},
    {Msg::kLabelQc1, " Q в С1, ВАр \t\t= "},
    {Msg::kLabelPloss, " P потерь, Вт\t= \t"},
    {Msg::kLabelQc2, " Q в С2, ВАр \t\t= "},
    {Msg::kLabelKu, " KU 2-й гарм-ки, дБ\t= "},
    {Msg::kLabelQl, " Q в L,  ВАр \t\t= "},
    {Msg::kLabelKi, " KI 2-й гарм-ки, дБ\t= "},
    {Msg::kLabelIc1, " I в С1, А (эфф.)\t= "},
    {Msg::kLabelS11, " S11 вх.  порт на F\t= "},
    {Msg::kLabelIc2, " I в С2, А (эфф.)\t= "},
    {Msg::kLabelS22, " S22 вых. порт на F\t= "},
    {Msg::kLabelIl, " I в L,  А (эфф.)\t= "},
    {Msg::kLabelBwU, " АЧХ-U (-1 дБ), кГц\t= "},
    {Msg::kLabelBwS11, " Полоса S11(0.1), кГц\t= "},
    {Msg::kLabelBwI, " АЧХ-I (-1 дБ), кГц\t= "},
}};

}  // namespace

std::string_view report_label(Msg screen_label) {
  for (const ReportLabel& label : kLabels) {
    if (label.screen_label == screen_label) return label.text;
  }
  return {};
}

}  // namespace merid
