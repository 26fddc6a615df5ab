#include "text/line_format.h"

#include "text/value_field.h"

namespace merid {

std::size_t utf8_columns(std::string_view utf8) {
  std::size_t n = 0;
  for (const char c : utf8) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  }
  return n;
}

std::string two_column_row(std::string_view left, float left_value,
                           std::string_view right, float right_value) {
  std::string row(left);
  row.append(value_field(left_value, kScreenFieldWidth));
  row.append("     ");
  row.append(right);
  row.append(value_field(right_value, kScreenFieldWidth));
  return row;
}

}  // namespace merid
