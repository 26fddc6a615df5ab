#ifndef MERID_CALC_COSINE_PULSES_H_
#define MERID_CALC_COSINE_PULSES_H_

// The output current of a tube or transistor stage as a train of cosine
// pulses, each a cap of a cosine cut at the conduction angle 2 theta: its
// mean, its fundamental and its harmonics relative to the pulse's peak.
// Double precision: these are new figures, not the dialogue's.

namespace merid {

// The full conduction angle, degrees, that merid-calc accepts: from a
// class-C stage's 120 to a class-A stage's 360.
inline constexpr double kMinConduction = 120.0;
inline constexpr double kMaxConduction = 360.0;

// The n-th Fourier coefficient of pulses of the full conduction angle
// `conduction` (degrees) over their peak: n = 0 the mean, n = 1 the
// fundamental, (theta - sin theta cos theta) / (pi (1 - cos theta)), and for
// n >= 2 2 (sin n theta cos theta - n cos n theta sin theta) / (pi n (n^2 -
// 1) (1 - cos theta)).
double pulse_coefficient(int n, double conduction);

// The harmonic n over the fundamental.
double harmonic_ratio(int n, double conduction);

// The fundamental over the mean: what the tube rule's k stands for.
double fundamental_to_mean(double conduction);

}  // namespace merid

#endif  // MERID_CALC_COSINE_PULSES_H_
