#include "cli/text_lines.h"

#include <string>

#include "console/console_writer.h"
#include "text/line_format.h"
#include "text/messages.h"

namespace merid {

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

}  // namespace merid
