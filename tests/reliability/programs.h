#ifndef MERID_TESTS_RELIABILITY_PROGRAMS_H_
#define MERID_TESTS_RELIABILITY_PROGRAMS_H_

// The two built programs, the texts the tests look for in their output and
// the typed lines of the sessions the tests run.

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <thread>

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

// The environment of a run held at the C library's `call` ("rename" or
// "ftruncate") for a second, which says it is there by creating `mark`: a
// prefix for the command line of a shell script.
inline std::string pause_environment(std::string_view call,
                                     const std::filesystem::path& mark) {
  return "LD_PRELOAD=" + std::string(MERID_PAUSE_SHIM) +
         " MERID_PAUSE_AT=" + std::string(call) + " MERID_PAUSE_MARK='" +
         mark.string() + "' ";
}

// Whether `path` came to exist within `limit`.
inline bool wait_for_file(const std::filesystem::path& path,
                          std::chrono::duration<double> limit) {
  const auto until = std::chrono::steady_clock::now() + limit;
  while (!std::filesystem::exists(path)) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

}  // namespace merid::reliability

#endif  // MERID_TESTS_RELIABILITY_PROGRAMS_H_
