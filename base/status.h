#ifndef MERID_BASE_STATUS_H_
#define MERID_BASE_STATUS_H_

// How an operation or a whole run ended: the programs' exit status and,
// on failure, the report in words.

#include <string>
#include <utility>

namespace merid {

enum class ExitStatus : int {
  kSuccess = 0,     // done; the dialogue: the user chose to leave
  kInfeasible = 1,  // merid-calc: the loaded Q cannot make the transformation
  kFailure = 2,     // unreadable input or argument, end of input, a file failed
};

struct Status {
  ExitStatus code = ExitStatus::kSuccess;
  std::string error;  // empty unless something failed that has a report

  bool ok() const { return code == ExitStatus::kSuccess; }
};

// What failed, in one line; kFailure.
inline Status failure(std::string why) {
  return Status{ExitStatus::kFailure, std::move(why)};
}

}  // namespace merid

#endif  // MERID_BASE_STATUS_H_
