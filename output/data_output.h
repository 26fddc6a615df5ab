#ifndef MERID_OUTPUT_DATA_OUTPUT_H_
#define MERID_OUTPUT_DATA_OUTPUT_H_

// The machine-readable outputs of a design of any network, for merid-calc
// and the page: JSON and CSV with every field of its network's table, the
// amplifier fields the options ask for and the design's warnings, each
// float in the shortest text that reads back to the same float.  Lines end
// in LF.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/amplifier_options.h"
#include "design/amplifier_report.h"
#include "design/band_table.h"
#include "design/load_swr.h"
#include "design/network.h"
#include "text/language.h"

namespace merid {

// What the outputs take besides a design: the options it was calculated
// under, and the language of its warnings' texts.
struct DataContext {
  AmplifierOptions options;
  Language language;
};

// `text` as a JSON string: quotes, backslashes and control characters
// escaped.
std::string json_string(std::string_view text);

// A float as JSON holds it: the shortest text that reads back to it, null
// for what is not finite.
std::string json_number(float x);

// One JSON object, one key per line: the design's fields, the amplifier
// fields the options ask for, with capacitor ranges the object "parts",
// "warnings", an array of {"code", "text"} objects, and with `swr` the
// figures under a mismatched load as the object "load_swr" last (its
// objects one key per line too).  JSON has no infinity or not-a-number:
// such a value is written null.
std::string design_json(const DesignModel& d, const AmplifierReport& report,
                        const LoadSwr* swr, const DataContext& context);

// A header line of field names and one line of values in the same order,
// the warnings' codes parted by blanks in their column, the members of
// "parts" and "load_swr" as columns of their own ("load_swr" the SWR,
// then "matched_uc1" and so on); non-finite values are written inf, -inf
// or nan.
std::string design_csv(const DesignModel& d, const AmplifierReport& report,
                       const LoadSwr* swr, const DataContext& context);

// A design that cannot be made (infeasible): "infeasible": true and
// "qn_min", the least loaded Q that makes the transformation (null when
// no accepted one does or the tank's elements are given), before the
// members design_json writes, its inputs and null for every figure.
std::string infeasible_json(const DesignModel& d, std::optional<float> qn_min,
                            const AmplifierReport& report,
                            const DataContext& context);
// The same as CSV: infeasible (1) and qn_min, then design_csv's columns,
// empty where there is no value.
std::string infeasible_csv(const DesignModel& d, std::optional<float> qn_min,
                           const AmplifierReport& report,
                           const DataContext& context);

// The band table as a JSON array of objects, one per line, each with
// "band", "edge" and "infeasible" before the fields of design_json.  An
// infeasible row has its inputs and null for everything else.  With
// `request` (the one the rows were made with) each feasible row ends in
// its "load_swr", an infeasible one in null for it.
std::string band_table_json(const std::vector<BandRow>& rows,
                            const std::optional<SwrRequest>& request,
                            const DataContext& context);

// The band table as CSV: band, edge, infeasible (0 or 1), then the columns
// of design_csv; an infeasible row leaves the cells it has no value for
// empty.  With `request` each row ends in the load_swr columns.
std::string band_table_csv(const std::vector<BandRow>& rows,
                           const std::optional<SwrRequest>& request,
                           const DataContext& context);

}  // namespace merid

#endif  // MERID_OUTPUT_DATA_OUTPUT_H_
