#ifndef MERID_CALC_SWEEP_INTERNAL_H_
#define MERID_CALC_SWEEP_INTERNAL_H_

// The parts the sweeps of calc/sweep.h are made of, for calc and its tests
// alone: the walk over the grid a block of points at a time, the consumers
// of the blocks that measure each band, and the stand-ins that spare them
// a logarithm or a square root per point.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "calc/complex.h"
#include "calc/network.h"
#include "calc/sweep.h"

namespace merid {

// The walk over a sweep grid that the response sweeps and the S11 sweep
// share: the grid frequencies and the tank's impedances there, a block of
// points at a time, computed once for every sweep that reads them.
// Points per block: enough for the loops over a block to vectorise well,
// few enough for a block and the sweeps' per-block arrays to stay in the
// first-level cache.
inline constexpr std::size_t kBlockPoints = 256;

// Of `count` points from index `first` on, how many lie among the first
// `points` of the grid.
inline std::size_t points_below(std::size_t first, std::size_t count,
                                std::size_t points) {
  return first < points ? std::min(count, points - first) : 0;
}

// Consecutive points of a grid, as a structure of arrays so that the loops
// over them vectorise.
struct GridBlock {
  std::size_t first = 0;  // index of the block's first point in the grid
  std::size_t count = 0;  // points in the block, at most kBlockPoints
  std::array<float, kBlockPoints> freq;  // Hz
  std::array<float, kBlockPoints> zp2_re;
  std::array<float, kBlockPoints> zp2_im;
  std::array<float, kBlockPoints> zser_re;
  std::array<float, kBlockPoints> zser_im;
  std::array<float, kBlockPoints> zin_re;
  std::array<float, kBlockPoints> zin_im;

  Impedances impedances(std::size_t j) const {
    return Impedances{Complex{zp2_re[j], zp2_im[j]},
                      Complex{zser_re[j], zser_im[j]},
                      Complex{zin_re[j], zin_im[j]}};
  }
  // The tank at point j under `drive`.
  DrivenState driven(std::size_t j, const Drive& drive) const {
    return drive_tank(impedances(j), drive);
  }
  // Of the points of this block, how many lie among the first `points` of
  // the grid.
  std::size_t count_below(std::size_t points) const {
    return points_below(first, count, points);
  }
};

// Fills `block` with the next block.count points of the grid: the
// frequencies from `phi` on, advancing `phi` by `step` a point, and the
// impedances at them.
void fill_block(const Tank& tank, float& phi, float step, GridBlock& block);

// Calls visit(block) for the points 0 ... points - 1 of the grid whose point
// 0 lies at `start` Hz, in order.  Point i lies at the running sum start +
// step + ... + step, each sum rounded to single precision.
template <typename Visit>
void sweep_grid(const Tank& tank, float start, float step, std::size_t points,
                Visit visit) {
  GridBlock block;
  float phi = start;
  for (std::size_t first = 0; first < points; first += kBlockPoints) {
    block.first = first;
    block.count = std::min(kBlockPoints, points - first);
    fill_block(tank, phi, step, block);
    visit(static_cast<const GridBlock&>(block));
  }
}

// One grid point of a response: its frequency (Hz) and its distance (dB)
// from the reference level.
struct ResponsePoint {
  float freq;
  float dev;
};

// The band search, fed the points of a response one at a time in grid
// order.  A point is in band within 1 dB of the reference; when a first
// in-band run is followed by another one, the first is passed over (the
// low-frequency end of a response that starts near the reference).
class BandSearch {
 public:
  // Takes the next point and returns it as the mask leaves it: a point more
  // than 1 dB off gets the marker for its frequency and its deviation.
  ResponsePoint add(ResponsePoint point);
  // Takes the next `count` points (count >= 1), from `first` to `last`:
  // points of one deviation, not below 0, at positive frequencies.  Only
  // the first of them can end a falling edge and only the first and the
  // last can be the ends of the band, so the points between are counted
  // and not looked at.
  void add_run(ResponsePoint first, ResponsePoint last, std::size_t count);
  // Whether the points up to and including first_edge() are passed over.
  bool passes_over_first_run() const { return falling_edges_ >= 2; }
  // Index of the first falling edge: the marked point that ends the first
  // in-band run.
  std::size_t first_edge() const { return first_edge_; }
  // From the first to the last point in band.
  Band band() const;
  // Hz from the first to the last point in band, or 0 with none.
  float width() const;

 private:
  std::size_t next_ = 0;  // index of the next point
  // Deviation of the point before, as masked; 0 for none, which starts no
  // falling edge.
  float prev_dev_ = 0.0f;
  int falling_edges_ = 0;
  std::size_t first_edge_ = 0;
  bool any_live_ = false;  // a point neither marked nor at a frequency <= 0
  float first_live_ = 0.0f;
  float last_live_ = 0.0f;
  bool any_live_after_edge_ = false;  // ... after the first falling edge
  float first_live_after_edge_ = 0.0f;
};

// Width in Hz of the band of points within 1 dB of the reference, from the
// first to the last such point, as BandSearch finds it.  No point in band
// gives 0.  Marks the points it leaves out.
float band_width(std::span<ResponsePoint> resp);

// The largest output magnitude under `drive` on the peak-search grid:
// nstep - trunc(nstep / 2) + 1 points from (nstep * step) / 2 on, a grid
// offset from the sweep grid that covers its upper half, where the
// resonance lies.  The reference of the current response.
float peak_output(const Tank& tank, const Drive& drive, const SweepGrid& grid);

// Deviation in dB of a point whose output is x times the reference:
// |20 log10 x|.
float deviation_db(float x);

// The band search compares a deviation only with 1 dB and with 0, and the
// deviation never rises as x climbs to 1 and never falls beyond, so each
// comparison splits the x axis at a fixed float.  They are found once, by
// bisection on deviation_db itself; the logarithm is then needed only
// where no comparison can be read off x.
class DeviationScale {
 public:
  DeviationScale();

  // A deviation that compares with 1 dB and with 0 as deviation_db(x) does.
  float stand_in(float x) const;

  // The stand-ins: a deviation beyond 1 dB, and one within it but above 0.
  static constexpr float kBeyondLimit = INFINITY;
  static constexpr float kWithinLimit = 1.0f;

  float below() const { return below_; }
  float zero_lo() const { return zero_lo_; }
  float zero_hi() const { return zero_hi_; }
  float above() const { return above_; }

 private:
  float below_;    // the smallest x below 1 within 1 dB
  float zero_lo_;  // the smallest x at 0 dB
  float zero_hi_;  // the largest x at 0 dB
  float above_;    // the largest x above 1 within 1 dB
};

// A response's x (its output over the reference) from the squared magnitude
// that a grid point yields, modulus_squared(vref2 / vout) for the voltage
// response and modulus_squared(vout) for the current response: x =
// |vref2 / vout| and x = vmax / |vout|.
struct ResponseRatio {
  bool against_peak = false;  // the current response
  float vmax = 0.0f;

  float operator()(double squared) const {
    const float magnitude = modulus_from_squared(squared);
    return against_peak ? vmax / magnitude : magnitude;
  }
};

// The deviation stand-ins of a response read off the squared magnitude
// itself.  Its x follows the squared magnitude one way (voltage) or the
// other (current), each step exactly rounded, so along the finite squares
// the points run out of band, in band, at 0 dB, in band and out of band
// again, parted by four squares that bisection finds.
class ResponseScale {
 public:
  ResponseScale(const DeviationScale& scale, ResponseRatio ratio);

  // The four squares that part the classes.
  struct Edges {
    double out_below;  // below it: out of band
    double zero_from;  // from it: at 0 dB
    double zero_to;    // from it: in band again
    double out_from;   // from it: out of band

    // The stand-in of DeviationScale for ratio(squared) when shortcuts()
    // holds.  An infinite square takes its place at the end of the scale;
    // a not-a-number one gives a not-a-number ratio and deviation.
    // Every comparison is made, and they are joined as integers rather
    // than with && and ||, so that a loop of stand-ins has no branch and
    // vectorises.
    float stand_in(double squared) const {
      const bool out = static_cast<int>(squared < out_below) |
                       static_cast<int>(squared >= out_from);
      const bool zero = static_cast<int>(squared >= zero_from) &
                        static_cast<int>(squared < zero_to);
      const bool within = squared >= out_below;
      return out      ? DeviationScale::kBeyondLimit
             : zero   ? 0.0f
             : within ? DeviationScale::kWithinLimit
                      : std::numeric_limits<float>::quiet_NaN();
    }
  };

  const Edges& edges() const { return edges_; }
  const ResponseRatio& ratio() const { return ratio_; }
  // Whether Edges::stand_in applies: always for the voltage response, for
  // the current response with a finite positive peak (its ratio is then
  // never a not-a-number for a square that is not one).
  bool shortcuts() const { return shortcuts_; }
  // The stand-in for any squared magnitude.
  float stand_in(double squared) const;

 private:
  DeviationScale scale_;
  ResponseRatio ratio_;
  bool shortcuts_;
  Edges edges_;
};

// One response's band, its grid points entered a block at a time.  With a
// `trace`, each point is appended to it as well, at its level in dB
// relative to the reference: -20 log10 x.
class ResponseBand {
 public:
  ResponseBand(std::int32_t nstep, const ResponseScale& scale,
               std::vector<CurvePoint>* trace);

  std::size_t size() const { return points_; }
  // Enters the points of `block` that belong to the response, point
  // block.first + j yielding the squared magnitude squared[j].
  void enter(const GridBlock& block, const double* squared);
  Band band() const { return search_.band(); }
  // Hz.
  float width() const { return search_.width(); }

 private:
  void trace_levels(const GridBlock& block, const double* squared,
                    std::size_t n);

  ResponseScale scale_;
  std::size_t points_;
  BandSearch search_;
  std::vector<CurvePoint>* trace_;
};

// One -1 dB response over the grid: the output under `drive` against the
// peak of its own search (the current response of fpolosa1, whose factory
// runs that search) or against vref2 (the voltage response of fpolosa2).
class Response {
 public:
  static Response current(const Tank& tank, const Drive& drive,
                          const SweepGrid& grid, const DeviationScale& scale,
                          std::vector<CurvePoint>* trace = nullptr);
  static Response voltage(const Drive& drive, const SweepGrid& grid,
                          Complex vref2, const DeviationScale& scale,
                          std::vector<CurvePoint>* trace = nullptr);

  std::size_t points() const { return band_.size(); }
  void take(const GridBlock& block);
  Band band() const { return band_.band(); }
  float width() const { return band_.width(); }

 private:
  Response(const Drive& drive, const ResponseRatio& ratio, Complex vref2,
           std::int32_t nstep, const DeviationScale& scale,
           std::vector<CurvePoint>* trace);

  Drive drive_;
  bool against_peak_;
  Complex vref2_;
  ResponseBand band_;
};

// Which side of 0.1 a reflection magnitude lies on, read off the square it
// is the root of (modulus_squared): the modulus never falls as its square
// rises, so the sides are parted by two squares that bisection finds.  An
// infinite square lies above, a not-a-number one on neither side, as their
// moduli do.
class ThresholdSides {
 public:
  ThresholdSides();

  // Sides as floats, which a loop of double comparisons can select between
  // with SSE2 alone.  A crossing is a pair of points on opposite sides.
  static constexpr float kBelow = -1.0f;
  static constexpr float kAbove = 1.0f;
  static constexpr float kNeither = 0.0f;  // at 0.1, or not-a-number

  float side(double squared) const {
    return squared < below_ ? kBelow : squared >= above_ ? kAbove : kNeither;
  }

 private:
  double below_;  // the smallest square whose root is not below 0.1
  double above_;  // the smallest square whose root is above 0.1
};

// The S11 sweep of subs11 fed a block of grid points at a time, so that the
// synthesis can run it on the walk over the grid it shares with the
// response sweeps.  Only the magnitudes of consecutive points are compared,
// so no table is kept: each point is set against the one before it as it
// arrives.  With a `trace`, each point's |S11| is appended to it.
class S11Sweep {
 public:
  S11Sweep(float rin, std::int32_t ns11,
           std::vector<CurvePoint>* trace = nullptr);

  std::size_t points() const { return points_; }
  void take(const GridBlock& block);
  S11Band band() const;

 private:
  void take_here(const GridBlock& block);
  void record_crossings(const float* freq, const float* side, std::size_t n);
  void trace_magnitudes(const GridBlock& block, std::size_t n);

  float rin_;
  std::size_t points_;
  std::vector<CurvePoint>* trace_;
  ThresholdSides sides_;
  float first_freq_ = 0.0f;                     // of point 0, Hz
  float prev_side_ = ThresholdSides::kNeither;  // of the last point taken
  float prev_freq_ = 0.0f;                      // its frequency, Hz
  std::array<double, 3> fcross_{};
  std::int32_t ncross_ = 0;
};

}  // namespace merid

#endif  // MERID_CALC_SWEEP_INTERNAL_H_
