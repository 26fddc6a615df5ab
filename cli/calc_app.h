#ifndef MERID_CLI_CALC_APP_H_
#define MERID_CLI_CALC_APP_H_

// merid-calc as a function of its arguments, its output streams and the
// file it may write, so that whole runs can be tested in memory.

#include <span>
#include <string>
#include <string_view>

#include "base/byte_io.h"
#include "base/status.h"
#include "platform/platform.h"

namespace merid {

// The files merid-calc writes besides its standard streams, its plots, so
// that whole runs can be tested in memory.  Every file is found and
// checked before the first is written.
class FileWriter {
 public:
  virtual ~FileWriter() = default;
  // Where a file written to `name` lands, or why nothing may be written
  // there (the reason in words).
  virtual Status target(const std::string& name, ReplaceTarget& target) = 0;
  // Writes `bytes` at `target` whole or not at all.
  virtual Status write(const ReplaceTarget& target, std::string_view bytes) = 0;
};

// The real program's: replace_target() and replace_file() of the platform.
class PlatformFileWriter : public FileWriter {
 public:
  Status target(const std::string& name, ReplaceTarget& target) override;
  Status write(const ReplaceTarget& target, std::string_view bytes) override;
};

// Runs the calculator on `args` (those after the program name): results on
// `out`, a one-line report on `err` when it cannot do what was asked.
// kSuccess; kInfeasible when the design (or a band row) cannot be built;
// kFailure for a bad argument or a file that cannot be written.
ExitStatus run_calc(std::span<const std::string_view> args, ByteSink& out,
                    ByteSink& err, FileWriter& files);

}  // namespace merid

#endif  // MERID_CLI_CALC_APP_H_
