#include "platform/file_names.h"

#include <cstdint>
#include <cstdio>
#include <random>
#include <system_error>

#include "platform/platform.h"

namespace merid {

bool landing_path(const std::filesystem::path& name,
                  std::filesystem::path& landing) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::path path = fs::absolute(name, error);
  if (error) path = name;
  for (int i = 0; i <= kMaxLinks; ++i) {
    if (!fs::is_symlink(fs::symlink_status(path, error))) {
      landing = path;
      return true;
    }
    const fs::path target = fs::read_symlink(path, error);
    if (error) {
      landing = path;
      return true;
    }
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return false;
}

std::filesystem::path temporary_name(const std::filesystem::path& folder) {
  std::random_device random;
  for (;;) {
    const std::uint64_t tag =
        (std::uint64_t{random()} << 32) ^ std::uint64_t{random()};
    char leaf[32];
    std::snprintf(leaf, sizeof leaf, ".merid-%016llx.tmp",
                  static_cast<unsigned long long>(tag));
    const std::filesystem::path name = folder / leaf;
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(name, error)))
      return name;
  }
}

bool same_target(const ReplaceTarget& a, const ReplaceTarget& b) {
  if (a.exists != b.exists) return false;
  if (a.exists) return a.device == b.device && a.inode == b.inode;
  // Neither there yet: one name, once its folders' links are followed.
  std::error_code error;
  return std::filesystem::weakly_canonical(a.path, error) ==
         std::filesystem::weakly_canonical(b.path, error);
}

}  // namespace merid
