#ifndef MERID_PLATFORM_PLATFORM_H_
#define MERID_PLATFORM_PLATFORM_H_

// What differs between Windows and POSIX: clearing the console, sleeping,
// the local date and appending a report to a file.  The dialogue sees only
// this interface, so tests replace all four.

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

#include "base/status.h"

namespace merid {

struct Date {
  int year = 0;   // four digits
  int month = 0;  // 1-12
  int day = 0;    // 1-31
};

class Env {
 public:
  virtual ~Env() = default;
  // Clears the console.  The caller has already flushed its own output.
  virtual void clear_screen() = 0;
  virtual void sleep_seconds(int seconds) = 0;
  virtual Date local_date() = 0;
  // Appends `bytes` to `path` (created when missing) all or nothing: on a
  // failed write or close the file is cut back to its length before, and
  // the status is kFailure with the system's reason in words.
  virtual Status append_all_or_nothing(const std::string& path,
                                       std::string_view bytes) = 0;
};

// The real console, clock and file system of this platform.
Env& system_env();

// A file that a new one is to replace whole (merid-calc's plots), as
// replace_target() found it.
struct ReplaceTarget {
  std::string path;  // the end of the name's symbolic links, absolute
  bool exists = false;
  // The existing file: its identity, and how many names it has.
  unsigned long long device = 0;
  unsigned long long inode = 0;
  unsigned long long links = 0;
};

// Where a file written to `name` lands, or why nothing may be written
// there (kFailure, the reason in words): a loop of symbolic links, what is
// not a regular file (a FIFO, a device, a directory), the file behind the
// program's own standard output or error, a file the process may not
// write.
Status replace_target(const std::string& name, ReplaceTarget& target);

// Whether two targets are one file: one existing file, or one name that
// neither has yet.
bool same_target(const ReplaceTarget& a, const ReplaceTarget& b);

// Writes `bytes` to a new file beside `target` and renames it over it, so
// that a failed write leaves the old file as it was and no part of the new
// one.  The new file takes the old one's mode, and its owner and group
// where the process may give them; other hard links of the old file keep
// the old contents.  Stopped by TERM, INT or HUP (Ctrl+C or Ctrl+Break on
// Windows) meanwhile, the program removes the new file, then ends as the
// signal ends it.
Status replace_file(const ReplaceTarget& target, std::string_view bytes);

// Process-wide set-up, once at the start of main, before any output:
// standard input and output carry bytes untranslated; standard output is
// fully buffered with room for kOutputBufferBytes, so that a screen reaches
// the console in one write at each flush (the programs flush before every
// read, sleep, clear and at exit) and no UTF-8 sequence is split between
// writes; and a write past a file-size limit fails with an error instead
// of ending the program half-way through a report.
void platform_startup();

// More than the dialogue or merid-calc write between two flushes.
inline constexpr std::size_t kOutputBufferBytes = 64 * 1024;

// Standard error carries bytes untranslated as well: merid-calc's messages
// end in LF or, when they are the dialogue's, in CR LF, which text mode
// would turn into CR CR LF.
void binary_standard_error();

// Whether `stream` is a Windows console, which shows UTF-8 bytes right only
// at code page 65001 but wide characters at any.  Never on POSIX, where a
// terminal takes the bytes as they are.
bool is_wide_console(std::FILE* stream);

// Writes the UTF-8 `text` to the Windows console `stream` as UTF-16, after
// whatever the stream holds buffered.  False when the console refused it.
bool write_wide_console(std::FILE* stream, std::string_view text);

}  // namespace merid

#endif  // MERID_PLATFORM_PLATFORM_H_
