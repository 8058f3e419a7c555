// Calculation 5: surfaces held against the dew point, worked to 1e-10 K (so any digit of the
// moist-air constants counts), at the reported thickness.

#include "CalcFixture.h"
#include "core/DewPoint.h"
#include "core/Formula.h"
#include "core/ReferenceData.h"

namespace calctest {
namespace {

using veltaro::fx;

class Calc05Test : public CalcTest {
 protected:
  Calc05Test() { fx().HeatLossDecimals = 2; }

  // The surface temperature of the pipe or plane at a thickness (mm), with the surface
  // coefficient taken at the dew point as the window does.
  static double surfaceAt(const Inputs& in, double mm, double dew) {
    const bool pipe = in.height.empty();
    const double ta = std::stod(in.ambient), tm = std::stod(in.medium);
    const double size =
        pipe ? std::stod(in.diameter) / 1000 + 2 * mm / 1000 : std::stod(in.height) / 1000;
    surfaceCoefficient(pipe, in.outdoors, in.vertical, std::stod(in.wind), size, dew, ta);
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
  double dew;  // worked by hand from the saturation-pressure equation and the dew-point fit
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
    forms::Form& w = computed("frmCalc05", c.in, {"Luftfugtighed~" + std::string(c.humidity)});
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
