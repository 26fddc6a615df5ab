#include "calc/sweep_kernel.h"

#include <cstdlib>
#include <optional>
#include <string_view>

namespace merid {
namespace {

SweepKernel widest_here() {
  if (runs_here(SweepKernel::kAvx512)) return SweepKernel::kAvx512;
  if (runs_here(SweepKernel::kAvx2)) return SweepKernel::kAvx2;
  return SweepKernel::kSse2;
}

SweepKernel choose_kernel() {
  const char* forced = std::getenv("MERID_KERNEL");
  if (forced != nullptr) {
    const std::optional<SweepKernel> kernel = kernel_named(forced);
    if (kernel && runs_here(*kernel)) return *kernel;
  }
  return widest_here();
}

}  // namespace

std::string_view kernel_name(SweepKernel kernel) {
  switch (kernel) {
    case SweepKernel::kAvx2:
      return "avx2";
    case SweepKernel::kAvx512:
      return "avx512";
    case SweepKernel::kSse2:
      break;
  }
  return "sse2";
}

std::optional<SweepKernel> kernel_named(std::string_view name) {
  for (const SweepKernel kernel : kSweepKernels) {
    if (kernel_name(kernel) == name) return kernel;
  }
  return std::nullopt;
}

bool runs_here(SweepKernel kernel) {
#ifdef MERID_SWEEP_KERNELS
  // The checks include the system's saving of the wider registers.
  __builtin_cpu_init();
  switch (kernel) {
    case SweepKernel::kAvx2:
      return __builtin_cpu_supports("avx2");
    case SweepKernel::kAvx512:
      return __builtin_cpu_supports("avx512f") &&
             __builtin_cpu_supports("avx512vl") &&
             __builtin_cpu_supports("avx512dq") &&
             __builtin_cpu_supports("avx512bw");
    case SweepKernel::kSse2:
      break;
  }
  return true;
#else
  return kernel == SweepKernel::kSse2;
#endif
}

SweepKernel active_sweep_kernel() {
  static const SweepKernel kernel = choose_kernel();
  return kernel;
}

}  // namespace merid
