#ifndef MERID_REPORT_PRINTER_H_
#define MERID_REPORT_PRINTER_H_

// The dated report of one calculation, appended to "rezultat.txt".

#include <string>
#include <string_view>

#include "base/report_record.h"
#include "platform/platform.h"

namespace merid {

inline constexpr std::string_view kResultsFileName = "rezultat.txt";

// The report's 27 lines, UTF-8, each ending in CR LF.
std::string format_report(const ReportRecord& record, const Date& date);

// Appends the report of `record`, dated by `env`, to rezultat.txt in the
// current directory.  On failure the status names the file and the reason.
Status output_printer(const ReportRecord& record, Env& env);

}  // namespace merid

#endif  // MERID_REPORT_PRINTER_H_
