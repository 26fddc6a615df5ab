#ifndef MERID_CLI_DATA_OUTPUT_H_
#define MERID_CLI_DATA_OUTPUT_H_

// merid-calc's machine-readable outputs: JSON and CSV with every field of
// design_fields(), the amplifier fields the options ask for and the
// design's warnings, each float in the shortest text that reads back to the
// same float.  Lines end in LF.

#include <span>
#include <string>

#include "calc/synthesis.h"
#include "cli/amplifier_options.h"
#include "cli/amplifier_report.h"
#include "cli/band_table.h"

namespace merid {

// One JSON object, one key per line, ending in "warnings", an array of
// {"code", "text"} objects.  JSON has no infinity or not-a-number: such a
// value is written null.
std::string design_json(const Design& d, const AmplifierOptions& options,
                        const AmplifierReport& report);

// A header line of field names and one line of values, the last the
// warnings' codes parted by blanks; non-finite values are written inf,
// -inf or nan.
std::string design_csv(const Design& d, const AmplifierOptions& options,
                       const AmplifierReport& report);

// The band table as a JSON array of objects, one per line, each with
// "band", "edge" and "infeasible" before the design's fields.  An
// infeasible row has its inputs and null for everything else.
std::string band_table_json(std::span<const AmplifierRow> rows,
                            const AmplifierOptions& options);

// The band table as CSV: band, edge, infeasible (0 or 1), then the design's
// fields; an infeasible row leaves the cells it has no value for empty.
std::string band_table_csv(std::span<const AmplifierRow> rows,
                           const AmplifierOptions& options);

}  // namespace merid

#endif  // MERID_CLI_DATA_OUTPUT_H_
