#ifndef MERID_CALC_COMPLEX_H_
#define MERID_CALC_COMPLEX_H_

// Single-precision complex arithmetic with a fixed operation order, so every
// result is the same to the last bit on every compiler and platform.

#include <cmath>

namespace merid {

struct Complex {
  float re = 0.0f;
  float im = 0.0f;
};

// A real value as a complex one; its zero imaginary part takes part in every
// operation like any other value.
constexpr Complex real(float x) { return Complex{x, 0.0f}; }

// (a + jb) + (c + jd) = (a + c) + j(b + d).
constexpr Complex operator+(Complex z, Complex w) {
  return Complex{z.re + w.re, z.im + w.im};
}

// (a + jb) - (c + jd) = (a - c) + j(b - d).
constexpr Complex operator-(Complex z, Complex w) {
  return Complex{z.re - w.re, z.im - w.im};
}

// (a + jb)(c + jd) = (ac - bd) + j(bc + ad); no special cases for
// infinities or not-a-number.
constexpr Complex operator*(Complex z, Complex w) {
  return Complex{z.re * w.re - z.im * w.im, z.im * w.re + z.re * w.im};
}

// (a + jb)/(c + jd) by Smith's method, branching on |d| > |c| strictly:
//   |d| > |c|: r = c/d, den = c r + d, q = ((a r + b) + j(b r - a)) / den;
//   otherwise: r = d/c, den = c + d r, q = ((b r + a) + j(b - a r)) / den.
// Both branches are one sequence of operations on operands that the test
// picks, so a loop of quotients needs no branch and vectorises.  Each
// operation is the one its branch prescribes; only the two operands of a
// sum may stand the other way round, which no rounding can tell.
inline Complex operator/(Complex z, Complex w) {
  const float a = z.re, b = z.im, c = w.re, d = w.im;
  const bool by_imag = std::fabs(d) > std::fabs(c);
  const float big = by_imag ? d : c;
  const float small = by_imag ? c : d;
  const float first = by_imag ? a : b;   // times r in the real part
  const float second = by_imag ? b : a;  // times r in the imaginary part
  const float r = small / big;
  const float den = small * r + big;
  const float second_r = second * r;
  const float minuend = by_imag ? second_r : first;
  const float subtrahend = by_imag ? first : second_r;
  return Complex{(first * r + second) / den, (minuend - subtrahend) / den};
}

// (z1 z2) / (z1 + z2), the parallel combination of two impedances.
// Symmetric in its arguments, since both the product and the sum are.
inline Complex parall(Complex z1, Complex z2) { return (z1 * z2) / (z1 + z2); }

// |z|^2 formed in single precision, re re + im im, as the reactive powers
// and the powers in a resistance take it.
inline float squared_magnitude(Complex z) { return z.re * z.re + z.im * z.im; }

// |z|^2 in double precision: the sum of the squares of both parts, each
// square exact in double and never overflowing it; infinite when either
// part is, even if the other is not-a-number.
inline double modulus_squared(Complex z) {
  const double re = z.re;
  const double im = z.im;
  const bool infinite = std::isinf(re) || std::isinf(im);
  return infinite ? INFINITY : re * re + im * im;
}

// |z| from modulus_squared(z): the square root in double precision, rounded
// once to single.  Rises with its argument, as both steps are exactly
// rounded.
inline float modulus_from_squared(double squared) {
  return static_cast<float>(std::sqrt(squared));
}

// |z|: the hypotenuse in double precision, rounded once to single.
inline float modulus(Complex z) {
  return modulus_from_squared(modulus_squared(z));
}

// Decimal logarithm taken in double precision, rounded once to single.
inline float log10_single(float x) {
  return static_cast<float>(std::log10(static_cast<double>(x)));
}

}  // namespace merid

#endif  // MERID_CALC_COMPLEX_H_
