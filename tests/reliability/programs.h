#ifndef MERID_TESTS_RELIABILITY_PROGRAMS_H_
#define MERID_TESTS_RELIABILITY_PROGRAMS_H_

// The two built programs, the texts the tests look for in their output and
// the typed lines of the sessions the tests run.

#include <string>
#include <string_view>

#include "text/messages.h"

namespace merid::reliability {

struct Program {
  const char* name;
  const char* path;
  const MessageTable& messages;
};

inline const Program& utf8_program() {
  static const Program program{"utf8", MERID_UTF8_PROGRAM, utf8_messages()};
  return program;
}
inline const Program& cp866_program() {
  static const Program program{"cp866", MERID_CP866_PROGRAM, cp866_messages()};
  return program;
}

// The program of a test parameter: "utf8" or "cp866".
inline const Program& program_named(const std::string& name) {
  return name == "cp866" ? cp866_program() : utf8_program();
}

// The confirmation line as the program writes it.
inline std::string confirmation(const Program& program) {
  std::string line = " ";
  line.append(program.messages[Msg::kWritten]);
  line.append("\r\n");
  return line;
}

// Six inputs of a feasible design, one line each.
inline constexpr std::string_view kInputs = "7.1\n12\n200\n2000\n50\n100\n";

}  // namespace merid::reliability

#endif  // MERID_TESTS_RELIABILITY_PROGRAMS_H_
