// Insulation classes of the two rule sets and the step ladder of the thickness searches.

#include <gtest/gtest.h>

#include <cmath>

#include "core/Classes.h"
#include "core/Errors.h"
#include "core/Fx.h"

namespace {

using veltaro::fx;

class Classes : public ::testing::Test {
 protected:
  Classes() { veltaro::resetFx(); }
  ~Classes() override { veltaro::resetFx(); }
  void country(const char* code) { fx().CountryCode = code; }
};

TEST_F(Classes, LimitsOfBothRuleSets) {
  const double D = 0.1;
  struct Case {
    const char* code;
    int cls;
    double pipe, plane;
  };
  const Case cases[] = {
      {"DK", 0, 0.0001, 0},   {"DK", 1, 0.46, 0.88},     {"DK", 2, 0.38, 0.66},
      {"DK", 3, 0.31, 0.49},  {"DK", 4, 0.2575, 0.35},   {"DK", 5, 0, 0},
      {"DK", 6, 0, 0},        {"SE", 0, 0.0001, 0},      {"SE", 1, 0.55, 1.17},
      {"SE", 2, 0.46, 0.88},  {"SE", 3, 0.38, 0.66},     {"SE", 4, 0.31, 0.49},
      {"SE", 5, 0.25, 0.35},  {"SE", 6, 0.2, 0.22},      {"SE", 7, 0, 0},
      {"dk", 1, 0.55, 1.17},  {"MRN", 4, 0.31, 0.49},
  };
  for (const auto& c : cases) {
    country(c.code);
    const auto cls = static_cast<uint8_t>(c.cls);
    EXPECT_NEAR(veltaro::PipeClassLimit(cls, D), c.pipe, 1e-15) << c.code << " " << c.cls;
    EXPECT_EQ(veltaro::PlaneClassLimit(cls), c.plane) << c.code << " " << c.cls;
  }
  // The Danish class 4 bends down for large pipes: 1.1·D + 0.15 − 0.25·D².
  country("DK");
  EXPECT_NEAR(veltaro::PipeClassLimit(4, 1.0), 1.0, 1e-15);
}

TEST_F(Classes, PipeClassIsMetStrictlyWithinItsTolerance) {
  country("SE");
  const double D = 0.1, limit3 = veltaro::PipeClassLimit(3, D);
  struct Case {
    double u;
    int expected;
  };
  for (const auto& c : {Case{limit3 + 0.0009, 3}, Case{limit3 - 0.0009, 3}, Case{limit3 + 0.0011, 0},
                        Case{limit3 - 0.0011, 0}}) {
    fx().Transmittance = c.u;
    EXPECT_EQ(veltaro::PipeClassOfTransmittance(D, 3, 0), c.expected) << c.u - limit3;
  }
  // A difference that is 0.001 as a Double is not met (D = -0.09 makes the class 3 limit 0).
  ASSERT_EQ(veltaro::PipeClassLimit(3, -0.09), 0.0);
  fx().Transmittance = 0.001;
  EXPECT_EQ(veltaro::PipeClassOfTransmittance(-0.09, 3, 0), 0);
  fx().Transmittance = -0.001;
  EXPECT_EQ(veltaro::PipeClassOfTransmittance(-0.09, 3, 0), 0);
  fx().Transmittance = std::nextafter(0.001, 0.0);
  EXPECT_EQ(veltaro::PipeClassOfTransmittance(-0.09, 3, 0), 3);

  // Class 1 by the ratio, classes 1 and 2 without a test when accepted.
  const double limit1 = veltaro::PipeClassLimit(1, D);
  fx().Transmittance = limit1 * 1.0009;
  EXPECT_EQ(veltaro::PipeClassOfTransmittance(D, 1, 0), 1);
  fx().Transmittance = limit1 * 1.0011;
  EXPECT_EQ(veltaro::PipeClassOfTransmittance(D, 1, 0), 0);
  fx().Transmittance = 9.0;
  EXPECT_EQ(veltaro::PipeClassOfTransmittance(D, 1, 1), 1);
  EXPECT_EQ(veltaro::PipeClassOfTransmittance(D, 2, 1), 2);
  EXPECT_EQ(veltaro::PipeClassOfTransmittance(D, 3, 1), 0);
  fx().Transmittance = veltaro::PipeClassLimit(6, D);
  EXPECT_EQ(veltaro::PipeClassOfTransmittance(D, 6, 0), 6);
  country("DK");
  EXPECT_EQ(veltaro::PipeClassOfTransmittance(D, 6, 0), 0) << "no class 6 in Denmark";
  fx().Transmittance = 0.2575;
  EXPECT_EQ(veltaro::PipeClassOfTransmittance(D, 4, 0), 4);
}

TEST_F(Classes, PlaneClassTolerance) {
  country("DK");
  struct Case {
    double u;
    int cls, expected;
  };
  for (const auto& c : {Case{0.354, 4, 4}, Case{0.356, 4, 0}, Case{0.346, 4, 4}, Case{0.344, 4, 0},
                        Case{0.35, 5, 0}, Case{0.88, 1, 1}}) {
    fx().Transmittance = c.u;
    EXPECT_EQ(veltaro::PlaneClassOfTransmittance(123, static_cast<uint8_t>(c.cls)), c.expected) << c.u;
  }
  country("NO");
  fx().Transmittance = 0.35;
  EXPECT_EQ(veltaro::PlaneClassOfTransmittance(0, 5), 5);
}

TEST_F(Classes, RequiredClassFromTheYearlyTemperatureTimeProduct) {
  struct Case {
    double hours, ta, tm, factor;
    int general, danish;
  };
  const Case cases[] = {
      {8760, 20, 70, 1.0, 5, 4},    // E = 1.5768e9
      {8760, 20, 70, 0.3, 3, 2},    // E = 4.7304e8
      {1, 0, 13888.888888877776, 1, 1, 1},  // 49999999.99996 counts as 5e7 as money
      {1, 0, 13888.88888886111, 1, 0, 0},   // 49999999.9999 stays below
      {8760, 70, 20, 1.0, 0, 0},    // a cold medium
      {10000, 0, 100, 1.0, 6, 4},   // E = 3.6e9
      {1000, 0, 100, 1.0, 3, 2},    // E = 3.6e8
  };
  for (const auto& c : cases) {
    country("SE");
    EXPECT_EQ(veltaro::ClassOfAnnualLoss(c.hours, c.ta, c.tm, c.factor), c.general) << c.tm;
    country("DK");
    EXPECT_EQ(veltaro::ClassOfAnnualLoss(c.hours, c.ta, c.tm, c.factor), c.danish) << c.tm;
  }
  EXPECT_THROW(veltaro::ClassOfAnnualLoss(8760, 0, 1e12, 1), veltaro::RunTimeError);
}

TEST_F(Classes, StepTowardTheClassLimit) {
  country("DK");
  fx().Transmittance = 0.5;
  EXPECT_NEAR(veltaro::ClassLimitStep(1, 2, 0.1), 0.075, 1e-15);  // limit 0.46
  fx().Transmittance = 0.3;
  EXPECT_NEAR(veltaro::ClassLimitStep(1, 2, 0.1), -0.125, 1e-15);  // |d| = 0.16
  fx().Transmittance = 0.55;
  EXPECT_NEAR(veltaro::ClassLimitStep(4, 1, 0), 0.125, 1e-15);  // plane limit 0.35
  EXPECT_EQ(veltaro::ClassLimitStep(5, 2, 0.1), 0);
  EXPECT_EQ(veltaro::ClassLimitStep(0, 2, 0.1), 0);
  EXPECT_EQ(veltaro::ClassLimitStep(0, 1, 0.1), 0);
}

TEST(StepLadder, EveryRungItsStepAndSign) {
  const double T[35] = {1e13, 1e12, 1e11, 1e10, 1e9,   5e8,   3e8,  1e8,   1e7,  5e6, 3e6,  2e6,
                        1e6,  7.5e5, 5e5, 2.5e5, 1e5,  7.5e4, 5e4,  2.5e4, 1e4,  1000, 750, 500,
                        100,  50,   25,   10,    1,    0.1,   0.01, 0.001, 1e-4, 1e-5, 1e-6};
  const double S[35] = {1e10, 1e9,  1e8,   1e7,  1e6,  8e5,  6.5e5, 5e5, 2e5, 1e5,  8e4,  6.5e4,
                        5e4,  4e4,  3e4,   2e4,  1e4,  7500, 5000,  2500, 1000, 500, 250, 125,
                        100,  75,   50,    25,   10,   7.5,  5,     2.5,  1,    0.75, 0.5};
  for (double f : {0.001, 1e-7, 1e-10}) {
    for (int r = 0; r < 35; ++r) {
      const double d = 0.999 * T[r] * f;
      EXPECT_DOUBLE_EQ(veltaro::StepFromDifference(d, 0, f), f * S[r]) << "rung " << r + 1;
      EXPECT_DOUBLE_EQ(veltaro::StepFromDifference(0, d, f), -f * S[r]) << "rung " << r + 1;
    }
  }
}

TEST(StepLadder, SignsAndBounds) {
  struct Case {
    double a, b, f, step;
  };
  const Case cases[] = {
      {5, 5, 0.001, 0.0005},      {0.5, 0.3, 0.001, 0.125},  {0.3, 0.5, 0.001, -0.125},
      {-5, 1, 0.001, -1},         {-2, 2, 0.001, 0.0005},    {2, -2, 1e-7, 5e-8},
      {1e10, 0, 0.001, 0},        {-1e10, 0, 0.001, 0},      {3, 1, 0, 0},
      {0.5, 0.46, 0.001, 0.075},  {1e10 - 1, 0, 0.001, 1e7},
  };
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(veltaro::StepFromDifference(c.a, c.b, c.f), c.step) << c.a << " " << c.b;
}

}  // namespace
