#ifndef MERID_TEXT_LINE_FORMAT_H_
#define MERID_TEXT_LINE_FORMAT_H_

// The line layout that the results screen and the results file share: the
// CR LF line end, the width of their value fields and the two-column row.

#include <cstddef>
#include <string>
#include <string_view>

namespace merid {

// Every line ends so, on the console and in the file.
inline constexpr std::string_view kLineEnd = "\r\n";

// Width of the value fields of the input block and the results rows.
inline constexpr int kScreenFieldWidth = 10;

// Characters of UTF-8 text, which a terminal shows one column each: every
// byte but the continuation bytes.
std::size_t utf8_columns(std::string_view utf8);

// A results row without its line end: the left label and its value in a
// screen-wide field, five blanks, the right label and its value.  The
// labels are bytes in whatever encoding the caller writes.
std::string two_column_row(std::string_view left, float left_value,
                           std::string_view right, float right_value);

}  // namespace merid

#endif  // MERID_TEXT_LINE_FORMAT_H_
