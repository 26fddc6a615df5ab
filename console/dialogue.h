#ifndef MERID_CONSOLE_DIALOGUE_H_
#define MERID_CONSOLE_DIALOGUE_H_

// The dialogue: the six inputs, the calculation, the results screen and the
// menu, over replaceable input, output, screen, clock and file.

#include "base/status.h"
#include "console/input_reader.h"
#include "output/console_writer.h"
#include "platform/platform.h"

namespace merid {

// Runs the dialogue until the user leaves (kSuccess) or it cannot go on
// (kFailure, with the report for standard error).
Status run_dialogue(InputReader& in, ConsoleWriter& out, Env& env);

}  // namespace merid

#endif  // MERID_CONSOLE_DIALOGUE_H_
