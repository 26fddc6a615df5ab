#ifndef MERID_CALC_SWEEP_KERNEL_H_
#define MERID_CALC_SWEEP_KERNEL_H_

// The instruction sets that the sweeps' loops over a block of grid points
// are compiled for, and the one this process runs them with.  Every set
// gives the same bits: IEEE addition, subtraction, multiplication, division
// and square root round alike at any vector width, no kernel fuses a
// multiply and an add, and the operations and their order stay those of
// the source.

#include <array>
#include <optional>
#include <string_view>

namespace merid {

enum class SweepKernel {
  kSse2,  // the baseline of x86-64, and the only kernel elsewhere
  kAvx2,
  kAvx512,  // AVX-512 F, VL, DQ and BW
};

inline constexpr std::array<SweepKernel, 3> kSweepKernels = {
    SweepKernel::kSse2, SweepKernel::kAvx2, SweepKernel::kAvx512};

// "sse2", "avx2", "avx512": the names MERID_KERNEL takes.
std::string_view kernel_name(SweepKernel kernel);
std::optional<SweepKernel> kernel_named(std::string_view name);

// Whether this processor and system run `kernel`.
bool runs_here(SweepKernel kernel);

// The kernel of this process, chosen once at its first use: the one that
// the environment variable MERID_KERNEL names if this processor runs it,
// otherwise the widest that it runs.
SweepKernel active_sweep_kernel();

#if defined(__x86_64__) || defined(__i386__)
#define MERID_SWEEP_KERNELS 1

// `body` compiled for one instruction set: flatten inlines every call it
// makes whose definition is in sight, so the loops it holds are compiled
// for that set; a call that stays a call runs the baseline code.
template <typename Body>
[[gnu::flatten]] void run_sse2(const Body& body) {
  body();
}
template <typename Body>
[[gnu::flatten, gnu::target("avx2,no-fma")]] void run_avx2(const Body& body) {
  body();
}
template <typename Body>
[[gnu::flatten, gnu::target("avx512f,avx512vl,avx512dq,avx512bw,no-fma")]] void
run_avx512(const Body& body) {
  body();
}
#endif

// Runs `body`, the work of the sweeps on one block, compiled for the active
// kernel.  GCC inlines every call it can see into it; Clang inlines only
// what its cost model allows, so with Clang some of the work stays
// baseline code.
template <typename Body>
void with_sweep_kernel(const Body& body) {
#ifdef MERID_SWEEP_KERNELS
  switch (active_sweep_kernel()) {
    case SweepKernel::kAvx512:
      run_avx512(body);
      return;
    case SweepKernel::kAvx2:
      run_avx2(body);
      return;
    case SweepKernel::kSse2:
      break;
  }
  run_sse2(body);
#else
  body();
#endif
}

}  // namespace merid

#endif  // MERID_CALC_SWEEP_KERNEL_H_
