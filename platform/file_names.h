#ifndef MERID_PLATFORM_FILE_NAMES_H_
#define MERID_PLATFORM_FILE_NAMES_H_

// The names a file replacement works with, the same on every system: used
// by the platform files only.

#include <filesystem>

namespace merid {

// More symbolic links than this in a chain is a loop.
inline constexpr int kMaxLinks = 40;

// The file a write to `name` lands on: the end of its chain of symbolic
// links, which need not exist yet, made absolute.  False when the chain
// loops.  Replacing a link with a regular file would cut it from what it
// points to.
bool landing_path(const std::filesystem::path& name,
                  std::filesystem::path& landing);

// A short name in `folder` (so that the rename cannot cross file systems,
// and a target name of any legal length leaves room for it) that no file
// has yet.
std::filesystem::path temporary_name(const std::filesystem::path& folder);

}  // namespace merid

#endif  // MERID_PLATFORM_FILE_NAMES_H_
