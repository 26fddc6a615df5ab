// The in-memory screen, clock and results file of the tests.

#include "tests/support/fake_env.h"

namespace merid {

void FakeEnv::mark(std::string_view marker) {
  if (console_ != nullptr) console_->write(marker);
}

void FakeEnv::clear_screen() {
  ++clears_;
  mark(kClearMarker);
}

void FakeEnv::sleep_seconds(int seconds) {
  for (int i = 0; i < seconds; ++i) {
    ++slept_seconds_;
    mark(kSleepMarker);
  }
}

Status FakeEnv::append_all_or_nothing(const std::string& path,
                                      std::string_view bytes) {
  ++appends_;
  if (!failure_.empty()) return Status{ExitStatus::kFailure, failure_};
  files_[path].append(bytes);
  return Status{};
}

std::string FakeEnv::file(const std::string& path) const {
  const auto it = files_.find(path);
  return it == files_.end() ? std::string() : it->second;
}

}  // namespace merid
