// merid: the pi-network tank calculator.  Both programs share this main;
// each links the one file that selects its console encoding.

#include <cstdio>
#include <exception>
#include <new>

#include "console/byte_io.h"
#include "console/console_writer.h"
#include "console/dialogue.h"
#include "console/input_reader.h"
#include "platform/platform.h"
#include "text/messages.h"

namespace {

int report_failure(const char* what) {
  std::fflush(stdout);
  std::fprintf(stderr, "merid: %s\n", what);
  return static_cast<int>(merid::ExitStatus::kFailure);
}

}  // namespace

int main() {
  merid::platform_startup();
  merid::FileSink sink(stdout);
  merid::ConsoleWriter out(sink, merid::console_messages());
  merid::FileSource source(stdin);
  merid::InputReader in(source, [&out] { out.flush(); });
  try {
    const merid::Outcome outcome =
        merid::run_dialogue(in, out, merid::system_env());
    out.flush();
    if (outcome.status != merid::ExitStatus::kSuccess) {
      return report_failure(outcome.error.c_str());
    }
    return static_cast<int>(outcome.status);
  } catch (const std::bad_alloc&) {
    return report_failure("out of memory");
  }
}
