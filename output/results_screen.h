#ifndef MERID_OUTPUT_RESULTS_SCREEN_H_
#define MERID_OUTPUT_RESULTS_SCREEN_H_

// The dialogue's results screen: the six inputs and the twenty-two results,
// in whatever encoding the writer's message table has.

#include "base/report_record.h"
#include "design/network.h"
#include "output/console_writer.h"

namespace merid {

// Writes the screen of the feasible design `d`, whose network has a
// screen, after the caller has cleared the console: the input block, then
// eleven rows of two results.
void show_results(ConsoleWriter& out, const DesignModel& d);

// The input block's heading and its lines after the frequency's: qn, q0,
// rin, rout, pin.
void show_fixed_inputs(ConsoleWriter& out, const DesignModel& d);

// The values the screen of the feasible design `d` shows, laid out for the
// results file.
ReportRecord make_report_record(const DesignModel& d);

}  // namespace merid

#endif  // MERID_OUTPUT_RESULTS_SCREEN_H_
