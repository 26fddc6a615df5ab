#ifndef MERID_CONSOLE_DIALOGUE_H_
#define MERID_CONSOLE_DIALOGUE_H_

// The dialogue: the six inputs, the calculation, the results screen and the
// menu, over replaceable input, output, screen, clock and file.

#include <string>

#include "console/console_writer.h"
#include "console/exit_status.h"
#include "console/input_reader.h"
#include "platform/platform.h"

namespace merid {

// How a run ended: success through the exit choice, or a failure with the
// report for standard error.
struct Outcome {
  ExitStatus status = ExitStatus::kSuccess;
  std::string error;
};

// Runs the dialogue until the user leaves or it cannot go on.
Outcome run_dialogue(InputReader& in, ConsoleWriter& out, Env& env);

}  // namespace merid

#endif  // MERID_CONSOLE_DIALOGUE_H_
