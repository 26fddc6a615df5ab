#include "design/response_curves.h"

#include <utility>

#include "base/number_text.h"
#include "text/calc_texts.h"

namespace merid {

ResponseCurves curves_of(SweepTrace& trace, const Band& voltage,
                         const Band& current, const Band& s11) {
  return ResponseCurves{std::move(trace.voltage),
                        std::move(trace.current),
                        std::move(trace.s11),
                        voltage,
                        current,
                        s11};
}

std::string title_start(std::string_view network, float fmhz, float qn,
                        float q0, Language language) {
  const CalcTexts& t = calc_texts(language);
  return concat({network, t.plot_title_f, plain(fmhz), t.plot_title_qn,
                 plain(qn), t.plot_title_q0, plain(q0)});
}

}  // namespace merid
