#ifndef MERID_CONSOLE_EXIT_STATUS_H_
#define MERID_CONSOLE_EXIT_STATUS_H_

// The program's exit statuses.

namespace merid {

enum class ExitStatus : int {
  kSuccess = 0,  // the user chose to leave
  kFailure = 2,  // unreadable input, end of input, or the results file failed
};

}  // namespace merid

#endif  // MERID_CONSOLE_EXIT_STATUS_H_
