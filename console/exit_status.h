#ifndef MERID_CONSOLE_EXIT_STATUS_H_
#define MERID_CONSOLE_EXIT_STATUS_H_

// The programs' exit statuses.

namespace merid {

enum class ExitStatus : int {
  kSuccess = 0,     // the user chose to leave
  kInfeasible = 1,  // merid-calc: the loaded Q cannot make the transformation
  kFailure = 2,     // unreadable input or argument, end of input, a file failed
};

}  // namespace merid

#endif  // MERID_CONSOLE_EXIT_STATUS_H_
