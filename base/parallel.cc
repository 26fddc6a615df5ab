#include "base/parallel.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <vector>

#if !defined(__EMSCRIPTEN__) || defined(__EMSCRIPTEN_PTHREADS__)
#include <thread>
#define MERID_HAS_THREADS 1
#endif

namespace merid {

namespace {

#ifdef MERID_HAS_THREADS
// Set on a thread while it runs tasks of a parallel_for: the tasks' own
// parallel_for calls run in order, since every core is busy already.
thread_local bool inside_parallel_for = false;
#endif

}  // namespace

void parallel_for(std::size_t count,
                  const std::function<void(std::size_t)>& task) {
  std::size_t threads = 1;
#ifdef MERID_HAS_THREADS
  if (!inside_parallel_for) {
    threads = std::min<std::size_t>(
        {std::max(1u, std::thread::hardware_concurrency()), count,
         kMaxThreads});
  }
#endif
  if (threads <= 1) {
    for (std::size_t i = 0; i < count; ++i) task(i);
    return;
  }
#ifdef MERID_HAS_THREADS
  std::atomic<std::size_t> next{0};
  std::exception_ptr failure;
  std::mutex failure_lock;
  const auto work = [&] {
    const bool lending = inside_parallel_for;
    inside_parallel_for = true;
    for (std::size_t i = next++; i < count; i = next++) {
      try {
        task(i);
      } catch (...) {
        const std::lock_guard<std::mutex> hold(failure_lock);
        if (!failure) failure = std::current_exception();
      }
    }
    inside_parallel_for = lending;
  };
  std::vector<std::thread> pool;
  for (std::size_t t = 1; t < threads; ++t) pool.emplace_back(work);
  work();
  for (std::thread& t : pool) t.join();
  if (failure) std::rethrow_exception(failure);
#endif
}

}  // namespace merid
