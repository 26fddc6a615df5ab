// merid-calc: the tank calculation from the command line, with text, JSON
// and CSV output, the amateur-band table and a plot of the responses.

#include <cstdio>
#include <new>
#include <string_view>
#include <vector>

#include "base/byte_io.h"
#include "base/status.h"
#include "cli/calc_app.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  merid::platform_startup();
  const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0),
                                           argv + argc);
  merid::FileSink out(stdout);
  merid::FileSink err(stderr);
  try {
    return static_cast<int>(
        merid::run_calc(args, out, err, merid::write_whole_file));
  } catch (const std::bad_alloc&) {
    std::fflush(stdout);
    std::fputs("merid-calc: out of memory\n", stderr);
    return static_cast<int>(merid::ExitStatus::kFailure);
  }
}
