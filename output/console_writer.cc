#include "output/console_writer.h"

#include <string>

#include "text/value_field.h"

namespace merid {

void ConsoleWriter::text_line(Msg text) {
  std::string line = " ";
  line.append(messages_[text]);
  line.append(kLineEnd);
  sink_.write(line);
}

void ConsoleWriter::empty_line() { sink_.write(kLineEnd); }

void ConsoleWriter::prompt(Msg text) { sink_.write(messages_[text]); }

void ConsoleWriter::value_line(Msg text, float value, int width) {
  std::string line(messages_[text]);
  line.append(value_field(value, width));
  line.append(kLineEnd);
  sink_.write(line);
}

void ConsoleWriter::value_row(Msg left, float left_value, Msg right,
                              float right_value) {
  std::string line = two_column_row(messages_[left], left_value,
                                    messages_[right], right_value);
  line.append(kLineEnd);
  sink_.write(line);
}

}  // namespace merid
