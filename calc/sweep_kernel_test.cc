#include "calc/sweep_kernel.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace merid {
namespace {

TEST(SweepKernel, NamesAndTheBaseline) {
  for (const SweepKernel kernel : kSweepKernels) {
    EXPECT_EQ(kernel_named(kernel_name(kernel)), kernel);
  }
  EXPECT_EQ(kernel_named("avx"), std::nullopt);
  EXPECT_EQ(kernel_named(""), std::nullopt);
  EXPECT_TRUE(runs_here(SweepKernel::kSse2));
  EXPECT_TRUE(runs_here(active_sweep_kernel()));
}

// ctest runs the golden designs with MERID_KERNEL set to each kernel in
// turn; this case makes sure the run took the kernel it names, and without
// it the widest kernel the processor runs.
TEST(SweepKernel, TheOneTheEnvironmentNames) {
  const char* forced = std::getenv("MERID_KERNEL");
  if (forced == nullptr) {
    SweepKernel widest = SweepKernel::kSse2;
    for (const SweepKernel kernel : kSweepKernels) {
      if (runs_here(kernel)) widest = kernel;
    }
    EXPECT_EQ(active_sweep_kernel(), widest);
    return;
  }
  const std::optional<SweepKernel> kernel = kernel_named(forced);
  ASSERT_TRUE(kernel.has_value()) << forced;
  if (!runs_here(*kernel)) {
    GTEST_SKIP() << "this processor does not run " << forced;
  }
  EXPECT_EQ(active_sweep_kernel(), *kernel);
}

}  // namespace
}  // namespace merid
