#ifndef MERID_OUTPUT_TEXT_LINES_H_
#define MERID_OUTPUT_TEXT_LINES_H_

// The lines of merid-calc's text output: UTF-8, each ended as the results
// screen ends its lines, with values in the screen's columns.

#include <string>
#include <string_view>

#include "base/byte_io.h"

namespace merid {

// `line` and the screen's line end.
void write_line(ByteSink& out, std::string_view line);

// A block under the results, headed as the screen heads its own: an empty
// line, the heading, the screen's dashes.
void write_heading(ByteSink& out, std::string_view heading);

// A label or a heading as the page shows it: without the blanks before it
// and the blanks, tabs, "=" and ":" that lead the screen to its values.
std::string_view bare_label(std::string_view text);

// A line of one value: `label`, tabs to the screen's "= " column, "= " and
// `value`, the value's text (as a rule a screen-wide field).
std::string labelled(std::string_view label, std::string_view value);
std::string labelled_value(std::string_view label, float value);

// A row of two values as the screen's results rows stand: the left label
// and value as labelled() writes them, five blanks, the right label with
// tabs to the right half's "= " column, "= " and its value.
std::string labelled_pair(std::string_view left, std::string_view left_value,
                          std::string_view right, std::string_view right_value);
std::string labelled_row(std::string_view left, float left_value,
                         std::string_view right, float right_value);

}  // namespace merid

#endif  // MERID_OUTPUT_TEXT_LINES_H_
