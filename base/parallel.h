#ifndef MERID_BASE_PARALLEL_H_
#define MERID_BASE_PARALLEL_H_

// Independent pieces of work on the machine's cores.

#include <cstddef>
#include <functional>

namespace merid {

// Runs task(i) once for every i in [0, count), on as many threads as the
// machine has cores (at most count, and at most kMaxThreads), and returns
// when every one is done; an exception a task throws is thrown again here
// once all have stopped.  Where threads are not to be had (the page's
// module) or there is one core, the tasks run in order on this thread.
// The tasks must share nothing they write.
inline constexpr std::size_t kMaxThreads = 8;
void parallel_for(std::size_t count,
                  const std::function<void(std::size_t)>& task);

}  // namespace merid

#endif  // MERID_BASE_PARALLEL_H_
