#ifndef MERID_CALC_SUBPOLOSA_H_
#define MERID_CALC_SUBPOLOSA_H_

// The frequency grid of the sweeps and the -1 dB bandwidths of the voltage
// and the current response.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>

#include "calc/complex.h"
#include "calc/grid_sweep.h"
#include "calc/network.h"

namespace merid {

// A sweep grid: point i (from 1) lies at the running sum fstart + step + ...
// + step, each sum rounded to single precision.
struct SweepGrid {
  float fstart = 0.0f;  // Hz
  float step = 0.0f;    // Hz
  std::int32_t nstep = 0;
};

// The grid step for the working frequency `f` and the number of points up
// to `fstop` (both Hz): 500 Hz below 1.1 MHz, a rounded linear rise up to
// 30.1 MHz, 5000 Hz from there.
SweepGrid delta(float f, float fstart, float fstop);

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

// -1 dB bandwidth in Hz of the output voltage under the high-impedance
// drive, against the peak found over the upper half of the grid.
float fpolosa1(float c1, float c2, float l, float uin, float rin, float rout,
               float q0, const SweepGrid& grid);

// -1 dB bandwidth in Hz of the output voltage under the matched drive,
// against `vref2`, the output voltage at the working frequency.
float fpolosa2(float c1, float c2, float l, float uin, float rin, float rout,
               float q0, const SweepGrid& grid, Complex vref2);

// The pieces the two procedures above are made of.  The synthesis uses them
// directly, to feed both responses and the S11 sweep from one walk over the
// grid.

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

// One response's band, its grid points entered a block at a time.
class ResponseBand {
 public:
  ResponseBand(std::int32_t nstep, const ResponseScale& scale);

  std::size_t size() const { return points_; }
  // Enters the points of `block` that belong to the response, point
  // block.first + j yielding the squared magnitude squared[j].
  void enter(const GridBlock& block, const double* squared);
  // Hz.
  float width() const { return search_.width(); }

 private:
  ResponseScale scale_;
  std::size_t points_;
  BandSearch search_;
};

// The current response of fpolosa1: the output under `drive` against the
// peak of its own search, which the constructor runs.
class CurrentResponse {
 public:
  CurrentResponse(const Tank& tank, const Drive& drive, const SweepGrid& grid,
                  const DeviationScale& scale);

  std::size_t points() const { return band_.size(); }
  void take(const GridBlock& block);
  float band() const { return band_.width(); }

 private:
  Drive drive_;
  ResponseBand band_;
};

// The voltage response of fpolosa2: the output under `drive` against
// `vref2`.
class VoltageResponse {
 public:
  VoltageResponse(const Drive& drive, const SweepGrid& grid, Complex vref2,
                  const DeviationScale& scale);

  std::size_t points() const { return band_.size(); }
  void take(const GridBlock& block);
  float band() const { return band_.width(); }

 private:
  Drive drive_;
  Complex vref2_;
  ResponseBand band_;
};

}  // namespace merid

#endif  // MERID_CALC_SUBPOLOSA_H_
