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

// (a + jb)/(c + jd) by Smith's method, branching on |d| > |c| strictly.
inline Complex operator/(Complex z, Complex w) {
  const float a = z.re, b = z.im, c = w.re, d = w.im;
  if (std::fabs(d) > std::fabs(c)) {
    const float r = c / d;
    const float den = c * r + d;
    return Complex{(a * r + b) / den, (b * r - a) / den};
  }
  const float r = d / c;
  const float den = c + d * r;
  return Complex{(b * r + a) / den, (b - a * r) / den};
}

// |z|: the hypotenuse in double precision, rounded once to single.  The
// squares of two floats cannot overflow a double.
inline float modulus(Complex z) {
  const double re = z.re;
  const double im = z.im;
  if (std::isinf(re) || std::isinf(im)) return INFINITY;
  return static_cast<float>(std::sqrt(re * re + im * im));
}

// Decimal logarithm taken in double precision, rounded once to single.
inline float log10_single(float x) {
  return static_cast<float>(std::log10(static_cast<double>(x)));
}

}  // namespace merid

#endif  // MERID_CALC_COMPLEX_H_
