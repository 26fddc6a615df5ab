#ifndef MERID_CLI_TEXT_LINES_H_
#define MERID_CLI_TEXT_LINES_H_

// The lines of merid-calc's text output: UTF-8, each ended as the results
// screen ends its lines.

#include <string_view>

#include "base/byte_io.h"

namespace merid {

// `line` and the screen's line end.
void write_line(ByteSink& out, std::string_view line);

// A block under the results, headed as the screen heads its own: an empty
// line, the heading, the screen's dashes.
void write_heading(ByteSink& out, std::string_view heading);

}  // namespace merid

#endif  // MERID_CLI_TEXT_LINES_H_
