// Calculation 5: the moist-air constants it rests on, scripted sessions of its window, and
// surfaces held against the dew point at the reported thickness.

#include "CalcFixture.h"
#include "core/DewPoint.h"
#include "core/Formula.h"
#include "core/ReferenceData.h"

namespace calctest {
namespace {

using veltaro::fx;

// Worked from the seven constants with the equation over water: about 610.7, 2337.0 and
// 12339 Pa. The tolerance is tight enough that any digit of any constant counts.
TEST(MoistAir, SaturationPressureAndDewPoint) {
  veltaro::resetFx();
  veltaro::InitVapourPressureConstants();
  for (auto [t, p] : {std::pair{0.0, 610.6645841289442}, {20, 2336.9942745739545},
                      {50, 12338.744696087131}})
    EXPECT_NEAR(veltaro::SaturationPressure(t), p, p * 1e-11) << t;
  // Air at 20 °C: 9.24 °C at 50 %; at 100 % the two fits leave it 0.03 K below the air.
  for (auto [ta, rh, dew] : {std::tuple{20.0, 50.0, 9.24301633045036}, {20, 100, 19.96866554438418},
                             {-3, 90, -4.405130603612349}})
    EXPECT_NEAR(veltaro::DewPoint(ta, rh), dew, 1e-10) << ta << " " << rh;
  EXPECT_THROW(veltaro::DewPoint(20, 0), veltaro::RunTimeError);
  veltaro::resetFx();
}

class Calc05Test : public CalcTest {
 protected:
  Calc05Test() { fx().HeatLossDecimals = 2; }

  forms::Form& run(const Inputs& in, const char* humidity) {
    forms::Form& w = open("frmCalc05");
    enter(w, in);
    type(w.control("Luftfugtighed"), humidity);
    w.control("Beregn").userClick();
    return w;
  }

  // The surface temperature of the pipe or plane at a thickness (mm), with the surface
  // coefficient taken at the dew point as the window does.
  static double surfaceAt(const Inputs& in, double mm, double dew) {
    const bool pipe = in.height.empty();
    const double ta = std::stod(in.ambient), tm = std::stod(in.medium);
    const double size =
        pipe ? std::stod(in.diameter) / 1000 + 2 * mm / 1000 : std::stod(in.height) / 1000;
    const double v = std::stod(in.wind);
    if (in.outdoors)
      pipe ? veltaro::ConvectionPipeWind(v, size, dew, ta)
           : veltaro::ConvectionWallWind(v, size, dew, ta);
    else if (!pipe || in.vertical)
      pipe ? veltaro::ConvectionVerticalPipe(size, dew, ta)
           : veltaro::ConvectionVerticalWall(size, dew, ta);
    else
      veltaro::ConvectionHorizontalPipe(size, dew, ta);
    double ts = dew;
    veltaro::RadiationCoefficient(ts, ta, 0, 0, 0, 0.9);
    fx().SurfaceCoefficient = fx().ConvectiveCoefficient + fx().RadiativeCoefficient;
    if (pipe) {
      veltaro::PipeHeatFlow(tm, ta, size, std::stod(in.diameter) / 1000);
      veltaro::PipeSurfaceTemperature(ta, size);
    } else {
      veltaro::PlaneHeatFlow(tm, ta, mm / 1000);
      veltaro::PlaneSurfaceTemperature(ta);
    }
    return fx().SurfaceTemperature;
  }
};

struct DewCase {
  const char* name;
  CalcTest::Inputs in;
  const char* humidity;
  double dew;  // by the equations above
};

const DewCase kDewCases[] = {
    {"chilled water pipe", {.medium = "5", .ambient = "20"}, "70", 14.334744881856864},
    {"vertical brine pipe", {.diameter = "26.9", .vertical = true, .medium = "-20"}, "50",
     9.24301633045036},
    {"outdoor pipe", {.outdoors = true, .medium = "-10"}, "70", 14.334744881856864},
    {"cold wall", {.height = "2000", .medium = "-20"}, "70", 14.334744881856864},
    {"outdoor cold wall",
     {.height = "1500", .outdoors = true, .wind = "2", .medium = "-25", .ambient = "5"}, "80",
     1.8241631708590944},
};

TEST_F(Calc05Test, SurfaceSitsAtTheDewPoint) {
  for (const DewCase& c : kDewCases) {
    SCOPED_TRACE(c.name);
    forms::Form& w = run(c.in, c.humidity);
    ASSERT_TRUE(fx().ResultValid[5]) << w.control("ISOLERINGST").text();
    EXPECT_EQ(w.control("Dugpunkt").text(), veltaro::PointText(veltaro::RoundHalfEven(c.dew)));
    EXPECT_NEAR(number(w, "OVERFLADE"), c.dew, 1e-10);
    EXPECT_LT(number(w, "VARMETAB"), 0) << "heat flows into a cold object";
    const double mm = number(w, "ISOLERINGST");
    const bool pipe = c.in.height.empty();
    // The margin of the search, plus what rounding to whole millimetres can move the surface.
    const double slack =
        std::abs(surfaceAt(c.in, mm + 0.5, c.dew) - surfaceAt(c.in, mm - 0.5, c.dew)) / 2;
    EXPECT_NEAR(surfaceAt(c.in, mm, c.dew), c.dew, (pipe ? 0.5 : 0.05) + slack) << mm;
    // A millimetre less than half the thickness leaves the surface clearly below the dew point.
    EXPECT_LT(surfaceAt(c.in, mm / 2, c.dew), c.dew - 0.05);
    w.unload();
  }
}

}  // namespace
}  // namespace calctest
