#ifndef MERID_CLI_DATA_OUTPUT_H_
#define MERID_CLI_DATA_OUTPUT_H_

// merid-calc's machine-readable outputs: JSON and CSV with every field of
// design_fields(), the amplifier fields the options ask for and the
// design's warnings, each float in the shortest text that reads back to the
// same float.  Lines end in LF.

#include <span>
#include <string>

#include "calc/mismatch.h"
#include "calc/pi_l.h"
#include "calc/synthesis.h"
#include "cli/amplifier_options.h"
#include "cli/amplifier_report.h"
#include "cli/band_table.h"

namespace merid {

// One JSON object, one key per line: the design's fields, the amplifier
// fields the options ask for, "warnings", an array of {"code", "text"}
// objects, and with `swr` the stresses under a mismatched load as the
// object "load_swr" last.  JSON has no infinity or not-a-number: such a
// value is written null.
std::string design_json(const Design& d, const AmplifierOptions& options,
                        const AmplifierReport& report,
                        const SwrStresses* swr = nullptr);
// The same of a pi-L design: "network": "pi-l" first, then the fields of
// pi_l_fields().
std::string design_json(const PiLDesign& d, const AmplifierOptions& options,
                        const AmplifierReport& report);

// A header line of field names and one line of values in the same order,
// the warnings' codes parted by blanks in their column, with `swr` its
// columns last; non-finite values are written inf, -inf or nan.
std::string design_csv(const Design& d, const AmplifierOptions& options,
                       const AmplifierReport& report,
                       const SwrStresses* swr = nullptr);
std::string design_csv(const PiLDesign& d, const AmplifierOptions& options,
                       const AmplifierReport& report);

// The band table as a JSON array of objects, one per line, each with
// "band", "edge" and "infeasible" before the fields of design_json.  An
// infeasible row has its inputs and null for everything else.  With an SWR
// `swr` (0: none) each feasible row ends in "load_swr", an infeasible one
// in null for it.
std::string band_table_json(std::span<const AmplifierRow> rows,
                            const AmplifierOptions& options, float swr = 0.0f);
std::string band_table_json(std::span<const PiLAmplifierRow> rows,
                            const AmplifierOptions& options);

// The band table as CSV: band, edge, infeasible (0 or 1), then the columns
// of design_csv; an infeasible row leaves the cells it has no value for
// empty.  With an SWR `swr` (0: none) each row ends in the load_swr
// columns.
std::string band_table_csv(std::span<const AmplifierRow> rows,
                           const AmplifierOptions& options, float swr = 0.0f);
std::string band_table_csv(std::span<const PiLAmplifierRow> rows,
                           const AmplifierOptions& options);

}  // namespace merid

#endif  // MERID_CLI_DATA_OUTPUT_H_
