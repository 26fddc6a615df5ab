#ifndef MERID_TESTS_SUPPORT_FAKE_ENV_H_
#define MERID_TESTS_SUPPORT_FAKE_ENV_H_

// An Env for tests: the screen, the clock and the results file in memory.

#include <map>
#include <string>
#include <string_view>

#include "base/byte_io.h"
#include "platform/platform.h"

namespace merid {

// Written into the console output where the screen is cleared, so that a
// test sees what stood on each screen.
inline constexpr std::string_view kClearMarker = "<CLS>";
// Written into the console output where the program pauses for one second.
inline constexpr std::string_view kSleepMarker = "<SLEEP 1>";

class FakeEnv : public Env {
 public:
  // `console` receives the markers; without it the calls are only counted.
  explicit FakeEnv(ByteSink* console = nullptr) : console_(console) {}

  void clear_screen() override;
  // Never sleeps; a pause of n seconds leaves n sleep markers.
  void sleep_seconds(int seconds) override;
  Date local_date() override { return date_; }
  // Appends to the in-memory file, or leaves it as it was when a failure
  // has been injected.
  Status append_all_or_nothing(const std::string& path,
                               std::string_view bytes) override;

  // From now on every append fails with `reason` and changes nothing.
  void fail_appends(std::string reason) { failure_ = std::move(reason); }

  int clears() const { return clears_; }
  int slept_seconds() const { return slept_seconds_; }
  int appends() const { return appends_; }
  // The file's bytes; empty when it was never written.
  std::string file(const std::string& path) const;
  bool has_file(const std::string& path) const { return files_.contains(path); }
  // The date every report carries.
  static constexpr Date kDate{2024, 3, 9};

 private:
  void mark(std::string_view marker);

  ByteSink* console_;
  Date date_ = kDate;
  std::string failure_;
  int clears_ = 0;
  int slept_seconds_ = 0;
  int appends_ = 0;
  std::map<std::string, std::string> files_;
};

}  // namespace merid

#endif  // MERID_TESTS_SUPPORT_FAKE_ENV_H_
