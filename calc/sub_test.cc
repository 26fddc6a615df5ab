#include "calc/sub.h"

#include <gtest/gtest.h>

#include <cmath>

#include "calc/synthesis.h"

namespace merid {
namespace {

// The stresses of the typical design: the branch through L carries the
// whole input power at loaded Q 12.
TEST(Garmonica, MatchedDriveStressesOfTypicalDesign) {
  Design d = make_design(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f);
  synthesis(d);
  const Tank& t = d.details.tank;
  const float f = 7.1e6f;
  const Harmonics h2 =
      garmonica2(d.results.uin, t.c1, t.c2, t.l, 2000.0f, 50.0f, f, 200.0f);
  EXPECT_NEAR(h2.ql, 1200.0f, 0.5f);
  // The matched drive puts uin across C1: qc1 = uin^2 / x1.
  EXPECT_NEAR(h2.ic1 * d.results.uin, h2.qc1, 1e-3f * h2.qc1);
  EXPECT_NEAR(modulus(h2.vref), d.results.uout, 1e-3f);
  // The high-impedance drive puts 11/12 of uin there.
  const Harmonics h1 =
      garmonica1(d.results.uin, t.c1, t.c2, t.l, 2000.0f, 50.0f, f, 200.0f);
  EXPECT_NEAR(modulus(h1.vref) / modulus(h2.vref), 11.0f / 12.0f, 1e-4f);
  // A low-pass tank suppresses the second harmonic.
  EXPECT_GT(h1.suppression, 0.0f);
  EXPECT_GT(h2.suppression, 0.0f);
}

TEST(Garmonica, HighImpedanceDriveIsElevenTimesRin) {
  const Drive drive = high_impedance_drive(10.0f, 2000.0f);
  EXPECT_NEAR(drive.zs, 22000.0f, 22000.0f * 1e-6f);
  EXPECT_NEAR(drive.emf, 110.0f, 110.0f * 1e-6f);
  const Drive matched = matched_drive(10.0f, 2000.0f);
  EXPECT_EQ(matched.zs, 2000.0f);
  EXPECT_EQ(matched.emf, 20.0f);
}

}  // namespace
}  // namespace merid
