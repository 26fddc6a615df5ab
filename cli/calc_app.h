#ifndef MERID_CLI_CALC_APP_H_
#define MERID_CLI_CALC_APP_H_

// merid-calc as a function of its arguments, its output streams and the
// file it may write, so that whole runs can be tested in memory.

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "base/byte_io.h"
#include "base/status.h"

namespace merid {

// Writes `bytes` to a new file at `path`, replacing one that exists.
// Returns the reason in words when it fails, empty on success.
using FileWriter =
    std::function<std::string(const std::string& path, std::string_view bytes)>;

// The writer of the real program: the file through the C library, written
// whole beside `path` and renamed over it, so that a failed write leaves an
// existing file as it was and no part of the new one.
std::string write_whole_file(const std::string& path, std::string_view bytes);

// Runs the calculator on `args` (those after the program name): results on
// `out`, a one-line report on `err` when it cannot do what was asked.
// kSuccess; kInfeasible when the design (or a band row) cannot be built;
// kFailure for a bad argument or a file that cannot be written.
ExitStatus run_calc(std::span<const std::string_view> args, ByteSink& out,
                    ByteSink& err, const FileWriter& write_file);

}  // namespace merid

#endif  // MERID_CLI_CALC_APP_H_
