#include "output/text_lines.h"

#include <cstddef>

#include "output/console_writer.h"
#include "text/line_format.h"
#include "text/value_field.h"

namespace merid {
namespace {

// Where the screen's left-hand values' "= " stands, and the right-hand
// ones'.
constexpr std::size_t kLeftEquals = 24;
constexpr std::size_t kRightEquals = 64;
constexpr std::size_t kTabWidth = 8;
constexpr std::size_t kGap = 5;  // blanks between the halves of a row
constexpr std::size_t kRightStart =
    kLeftEquals + 2 + static_cast<std::size_t>(kScreenFieldWidth) + kGap;

// `label` starting at column `start`, tabs until its "= " stands at or past
// column `equals` (a tab stop), then "= "; `end` becomes the column after
// it.
std::string tabbed(std::string_view label, std::size_t start,
                   std::size_t equals, std::size_t& end) {
  std::string out(label);
  std::size_t at = start + utf8_columns(label);
  do {
    out.push_back('\t');
    at = (at / kTabWidth + 1) * kTabWidth;
  } while (at < equals);
  out.append("= ");
  end = at + 2;
  return out;
}

}  // namespace

std::string_view bare_label(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' ||
                           text.back() == '=' || text.back() == ':')) {
    text.remove_suffix(1);
  }
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

void write_line(ByteSink& out, std::string_view line) {
  std::string bytes(line);
  bytes.append(kLineEnd);
  out.write(bytes);
}

void write_heading(ByteSink& out, std::string_view heading) {
  write_line(out, {});
  write_line(out, heading);
  ConsoleWriter(out, utf8_messages()).text_line(Msg::kResultsDashes);
}

std::string labelled(std::string_view label, std::string_view value) {
  std::size_t end = 0;
  return tabbed(label, 0, kLeftEquals, end).append(value);
}

std::string labelled_value(std::string_view label, float value) {
  return labelled(label, value_field(value, kScreenFieldWidth));
}

std::string labelled_pair(std::string_view left, std::string_view left_value,
                          std::string_view right,
                          std::string_view right_value) {
  std::string row = labelled(left, left_value);
  row.append(kGap, ' ');
  // The right half is tabbed as if it started where it does after a left
  // label within its tabs and a screen-wide value, as the screen's own
  // labels are.
  std::size_t end = 0;
  row.append(tabbed(right, kRightStart, kRightEquals, end));
  row.append(right_value);
  return row;
}

std::string labelled_row(std::string_view left, float left_value,
                         std::string_view right, float right_value) {
  return labelled_pair(left, value_field(left_value, kScreenFieldWidth), right,
                       value_field(right_value, kScreenFieldWidth));
}

}  // namespace merid
