#ifndef MERID_OUTPUT_CONSOLE_WRITER_H_
#define MERID_OUTPUT_CONSOLE_WRITER_H_

// The one writer of console text: the three output forms, the CR LF line
// end and the bytes of the program's console encoding.

#include <string_view>

#include "base/byte_io.h"
#include "text/line_format.h"
#include "text/messages.h"

namespace merid {

// Field width of the current-value lines of menu choices 1 and 2; the
// results screen's is kScreenFieldWidth.
inline constexpr int kMenuFieldWidth = 12;

class ConsoleWriter {
 public:
  ConsoleWriter(ByteSink& sink, const MessageTable& messages)
      : sink_(sink), messages_(messages) {}

  // One blank, the text, the line end.
  void text_line(Msg text);
  // The line end alone.
  void empty_line();
  // The text exactly; the answer is typed on the same line.
  void prompt(Msg text);
  // The text exactly, `value` in a field of `width`, the line end.
  void value_line(Msg text, float value, int width);
  // A results row: two labels, each followed by its value in a screen-wide
  // field, five blanks between the halves.
  void value_row(Msg left, float left_value, Msg right, float right_value);
  void flush() { sink_.flush(); }

 private:
  ByteSink& sink_;
  const MessageTable& messages_;
};

}  // namespace merid

#endif  // MERID_OUTPUT_CONSOLE_WRITER_H_
