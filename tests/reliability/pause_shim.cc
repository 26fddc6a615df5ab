// A test-only preload that holds a program at one call of the C library,
// so that a test can stop it there with a signal: before the call that
// MERID_PAUSE_AT names ("rename" or "ftruncate") it creates the file
// MERID_PAUSE_MARK, to tell the test it is there, and sleeps a second;
// then it makes the call.

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

void pause_at(const char* call) {
  const char* at = std::getenv("MERID_PAUSE_AT");
  const char* mark = std::getenv("MERID_PAUSE_MARK");
  if (at == nullptr || mark == nullptr || std::strcmp(at, call) != 0) return;
  const int fd = ::open(mark, O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (fd >= 0) ::close(fd);
  // A signal that is not held ends the sleep, and the program with it.
  timespec second{1, 0};
  const int saved = errno;
  ::nanosleep(&second, nullptr);
  errno = saved;
}

template <typename Function>
Function real(const char* name) {
  return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int rename(const char* from, const char* to) {
  pause_at("rename");
  return real<int (*)(const char*, const char*)>("rename")(from, to);
}

extern "C" int ftruncate(int fd, off_t length) {
  pause_at("ftruncate");
  return real<int (*)(int, off_t)>("ftruncate")(fd, length);
}
