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
                        float q0) {
  return concat({network, kPlotTitleF, plain(fmhz), kPlotTitleQn, plain(qn),
                 kPlotTitleQ0, plain(q0)});
}

}  // namespace merid
