#ifndef MERID_CONSOLE_RESULTS_SCREEN_H_
#define MERID_CONSOLE_RESULTS_SCREEN_H_

// The results screen: the six inputs and the twenty-two results.

#include "base/report_record.h"
#include "calc/synthesis.h"
#include "console/console_writer.h"

namespace merid {

// Writes the screen of a feasible design after the caller has cleared the
// console: the input block, then eleven rows of two results.
void show_results(ConsoleWriter& out, const Design& d);

// The input lines after the frequency's: qn, q0, rin, rout, pin.
void show_fixed_inputs(ConsoleWriter& out, const Design& d);

// The values the screen shows, laid out for the results file.
ReportRecord make_report_record(const Design& d);

}  // namespace merid

#endif  // MERID_CONSOLE_RESULTS_SCREEN_H_
