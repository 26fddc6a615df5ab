#ifndef MERID_CALC_CONSTANTS_H_
#define MERID_CALC_CONSTANTS_H_

// Single-precision constants shared by the modules of the calculation, with
// their bit patterns pinned: a constant one unit off in its last place
// changes results.

#include <bit>
#include <cstdint>

namespace merid {

// omega = kOmegaFactor * f.  One unit in the last place below the float
// nearest to 2 pi; the results depend on it.
inline constexpr float kOmegaFactor = 6.283185f;
static_assert(std::bit_cast<std::uint32_t>(kOmegaFactor) == 0x40C90FDA);

// f in Hz = kHertzPerMegahertz * f in MHz, as the calculation converts it.
inline constexpr float kHertzPerMegahertz = 1000000.0f;
static_assert(std::bit_cast<std::uint32_t>(kHertzPerMegahertz) == 0x49742400);

// The other units the results are given in: per cent, MHz and kHz from
// Hz, and picofarads in farads (in double, for the analyses that are).
inline constexpr float kPercent = 100.0f;
inline constexpr float kMegahertzPerHertz = 1e-6f;
inline constexpr float kHertzPerKilohertz = 1000.0f;
inline constexpr double kFaradsPerPicofarad = 1e-12;

// First frequency of every sweep grid, Hz.
inline constexpr float kSweepStart = 1000.0f;
static_assert(std::bit_cast<std::uint32_t>(kSweepStart) == 0x447A0000);

// The sweep window: up to kNarrowWindow times the working frequency for a
// loaded Q above kLowQThreshold, kWideWindow times it otherwise.
inline constexpr float kLowQThreshold = 4.01f;
inline constexpr float kWideWindow = 1.9f;
inline constexpr float kNarrowWindow = 1.3f;
static_assert(std::bit_cast<std::uint32_t>(kLowQThreshold) == 0x408051EC);
static_assert(std::bit_cast<std::uint32_t>(kWideWindow) == 0x3FF33333);
static_assert(std::bit_cast<std::uint32_t>(kNarrowWindow) == 0x3FA66666);

// 10 * rin is the extra source resistance of the high-impedance drive.
inline constexpr float kDriveFactor = 10.0f;
static_assert(std::bit_cast<std::uint32_t>(kDriveFactor) == 0x41200000);

// dB of a voltage ratio.
inline constexpr float kDecibelsPerDecade = 20.0f;
static_assert(std::bit_cast<std::uint32_t>(kDecibelsPerDecade) == 0x41A00000);

// sqrt(2) rounded to single precision.
inline constexpr float kSqrt2 = 1.41421356f;
static_assert(std::bit_cast<std::uint32_t>(kSqrt2) == 0x3FB504F3);

// The peak of a sine wave of RMS value `rms`: one product with sqrt(2),
// rounded to single precision.
inline float peak(float rms) { return kSqrt2 * rms; }

}  // namespace merid

#endif  // MERID_CALC_CONSTANTS_H_
