// Insulation classes of the two rule sets and the step ladder of the thickness searches. Every
// limit of both rule sets is held by hand-worked values with calculation 4; here the edges.

#include <cmath>

#include "CoreFixture.h"
#include "core/Classes.h"
#include "core/Errors.h"
#include "core/Fx.h"

namespace {

using veltaro::fx;

using Classes = coretest::CoreTest;

TEST_F(Classes, LimitsAtTheEdgesOfBothRuleSets) {
  // Every class at D = 0.1; class 0 is the bare pipe; a class past the rule set's last has no
  // limit; codes are exact.
  const struct { const char* code; int cls; double pipe, plane; } cases[] = {
      {"DK", 0, 0.0001, 0}, {"DK", 1, 0.46, 0.88}, {"DK", 2, 0.38, 0.66}, {"DK", 3, 0.31, 0.49},
      {"DK", 4, 0.2575, 0.35}, {"DK", 5, 0, 0},     {"SE", 0, 0.0001, 0},  {"SE", 2, 0.46, 0.88},
      {"SE", 3, 0.38, 0.66},   {"SE", 4, 0.31, 0.49}, {"SE", 5, 0.25, 0.35}, {"SE", 6, 0.2, 0.22},
      {"SE", 7, 0, 0},         {"dk", 1, 0.55, 1.17}};
  for (const auto& c : cases) {
    fx().CountryCode = c.code;
    const auto cls = static_cast<uint8_t>(c.cls);
    EXPECT_NEAR(veltaro::PipeClassLimit(cls, 0.1), c.pipe, 1e-15) << c.code << " " << c.cls;
    EXPECT_EQ(veltaro::PlaneClassLimit(cls), c.plane) << c.code << " " << c.cls;
  }
}

TEST_F(Classes, ClassesAreMetStrictlyWithinTheirTolerances) {
  fx().CountryCode = "SE";
  const double D = 0.1, limit3 = veltaro::PipeClassLimit(3, D),
               limit1 = veltaro::PipeClassLimit(1, D), limit2 = veltaro::PipeClassLimit(2, D);
  const struct { double u; int cls, accept, expected; } cases[] = {
      {limit3 + 0.0009, 3, 0, 3}, {limit3 - 0.0009, 3, 0, 3}, {limit3 + 0.0011, 3, 0, 0},
      {limit3 - 0.0011, 3, 0, 0}, {limit1 * 1.0009, 1, 0, 1}, {limit1 * 1.0011, 1, 0, 0},
      {9.0, 1, 1, 0},             {9.0, 2, 1, 0},             {0.1, 1, 1, 1},
      {0.1, 2, 1, 2},             {limit1 * 1.0011, 1, 1, 0}, {limit2 - 0.0009, 2, 0, 2},
      {limit2 + 0.0011, 2, 0, 0}, {9.0, 3, 1, 0}};
  for (const auto& c : cases) {
    fx().Transmittance = c.u;
    EXPECT_EQ(veltaro::PipeClassOfTransmittance(D, static_cast<uint8_t>(c.cls),
                                                static_cast<uint8_t>(c.accept)),
              c.expected)
        << c.u << " class " << c.cls;
  }
  // A difference that is 0.001 as a Double is not met (D = -0.09 makes the class 3 limit 0).
  for (double u : {0.001, -0.001, std::nextafter(0.001, 0.0)}) {
    fx().Transmittance = u;
    EXPECT_EQ(veltaro::PipeClassOfTransmittance(-0.09, 3, 0), u == 0.001 || u == -0.001 ? 0 : 3);
  }
  // Denmark has no classes 5 and 6; its plane class 4 is 0.35 ± 0.005.
  fx().CountryCode = "DK";
  for (auto [u, cls, expected] :
       {std::tuple{0.354, 4, 4}, {0.3555, 4, 0}, {0.356, 4, 0}, {0.35, 5, 0}}) {
    fx().Transmittance = u;
    EXPECT_EQ(veltaro::PlaneClassOfTransmittance(123, static_cast<uint8_t>(cls)), expected) << u;
  }
  fx().Transmittance = veltaro::PipeClassLimit(6, D);
  EXPECT_EQ(veltaro::PipeClassOfTransmittance(D, 6, 0), 0);
}

TEST_F(Classes, RequiredClassFromTheYearlyTemperatureTimeProduct) {
  const double perSecond = 1 / 3600.0;  // hours that make E the temperature difference
  const struct { double hours, ta, tm, factor; int general, danish; } cases[] = {
      {8760, 20, 70, 1.0, 5, 4},            // E = 1.5768e9
      {8760, 20, 70, 0.3, 3, 2},            // E = 4.7304e8
      {1, 0, 13888.888888877776, 1, 1, 1},  // 49999999.99996 counts as 5e7 as money
      {1, 0, 13888.88888886111, 1, 0, 0},   // 49999999.9999 stays below
      {8760, 70, 20, 1.0, 0, 0},            // a cold medium
      // One band after the other, 5e6 to 1e8 inside each border.
      {perSecond, 0, 1.75e8, 1, 2, 1}, {perSecond, 0, 3.45e8, 1, 2, 1},
      {perSecond, 0, 3.55e8, 1, 3, 2}, {perSecond, 0, 1.45e9, 1, 5, 4},
      {perSecond, 0, 2.9e9, 1, 6, 4}};
  for (const auto& c : cases) {
    fx().CountryCode = "SE";
    EXPECT_EQ(veltaro::ClassOfAnnualLoss(c.hours, c.ta, c.tm, c.factor), c.general) << c.tm;
    fx().CountryCode = "DK";
    EXPECT_EQ(veltaro::ClassOfAnnualLoss(c.hours, c.ta, c.tm, c.factor), c.danish) << c.tm;
  }
  EXPECT_THROW(veltaro::ClassOfAnnualLoss(8760, 0, 1e12, 1), veltaro::RunTimeError);
}

TEST_F(Classes, StepTowardTheClassLimitAndTheLaddersBounds) {
  fx().CountryCode = "DK";  // u: the transmittance; kind 1 is the plane, every other kind a pipe
  const struct { double u; int cls, kind; double D, step; } steps[] = {
      {0.5, 1, 2, 0.1, 0.075},  // limit 0.46
      {0.3, 1, 0, 0.1, -0.125}, {0.55, 4, 1, 0, 0.125}, {0.5, 5, 2, 0.1, 0}, {0.5, 0, 1, 0.1, 0}};
  for (const auto& c : steps) {
    fx().Transmittance = c.u;
    EXPECT_NEAR(veltaro::ClassLimitStep(static_cast<uint8_t>(c.cls), c.kind, c.D), c.step, 1e-15)
        << c.u << " class " << c.cls;
  }
  // The mismatch is that of the magnitudes; past the ladder's top, or with no factor, no step.
  const struct { double a, b, f, step; } ladder[] = {
      {-2, 2, 0.001, 0.0005},     {2, -2, 1e-7, 5e-8},   {1e10, 0, 0.001, 0},
      {-1e10, 0, 0.001, 0},       {3, 1, 0, 0},          {1e10 - 1, 0, 0.001, 1e7},
      {0, 3e-10, 0.001, -0.0005}, {30.5, 30, 1e-7, 0.02}};  // |d| = f·5e6 is not below f·5e6
  for (const auto& c : ladder)
    EXPECT_DOUBLE_EQ(veltaro::StepFromDifference(c.a, c.b, c.f), c.step) << c.a << " " << c.b;
}

}  // namespace
