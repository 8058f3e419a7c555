// The details, input-error and pipe-distance windows.

#include "CalcFixture.h"
#include "core/frmDetails.h"
#include "core/frmErrorInfo.h"
#include "core/frmPipedistance.h"
#include "core/frmPipedistanceSE.h"

namespace calctest {
namespace {

using veltaro::fx;

TEST_F(CalcTest, DetailsAreRoundedHalvesToEvenAndBlankedByClearDetails) {
  struct Case {
    double h, hr, hcv, q, t0;
    std::string decimal;
    std::vector<std::string> expected;  // lh, hr, hcv, Q, T0
  };
  const Case cases[] = {
      {10.125, 5.0625, 4.375, 12.25, 20.5, ".", {"10.12", "5.062", "4.38", "12.2", "20"}},
      {10.375, 1.1875, 3.625, 12.75, 21.5, ".", {"10.38", "1.188", "3.62", "12.8", "22"}},
      {8.5, 2.25, 1.5, -3.25, -0.5, ",", {"8,5", "2,25", "1,5", "-3,2", "0"}},
  };
  const char* names[] = {"lh", "hr", "hcv", "Q", "T0"};
  auto& w = app.get<veltaro::frmDetails>();
  for (const Case& c : cases) {
    platform.decimal = c.decimal;
    veltaro::FillDetails(c.h, c.hr, c.hcv, c.q, c.t0, "laminar", "Window title");
    EXPECT_FALSE(w.visible());
    for (int i = 0; i < 5; ++i) EXPECT_EQ(w.control(names[i]).caption(), c.expected[i]) << names[i];
    EXPECT_EQ(w.control("LT").caption(), "laminar");
    EXPECT_EQ(w.control("lblHeader").caption(), "Window title");
  }

  fx().HeatFlow = 100;
  fx().Lambda = 0.04;
  fx().FlowRegimeText = "turbulent";
  veltaro::ClearDetails();
  for (const char* n : names) EXPECT_EQ(w.control(n).caption(), "0");
  EXPECT_EQ(w.control("LT").caption(), " ");
  EXPECT_EQ(w.control("lblHeader").caption(), "");
  EXPECT_FALSE(w.visible());
  EXPECT_EQ(fx().HeatFlow, 0);
  EXPECT_EQ(fx().FlowRegimeText, "");
  EXPECT_EQ(fx().Lambda, 0.04);  // not a result of the last pass: kept
}

TEST_F(CalcTest, DetailsUnitFollowsTheGeometryOfTheActiveWindow) {
  auto shownUnit = [this] {
    auto& d = app.get<veltaro::frmDetails>();
    d.show();
    std::string unit = d.control("lblDetails", 11).caption();
    d.hide();
    return unit;
  };
  EXPECT_EQ(shownUnit(), "W/m²");  // no calculation window yet
  for (const char* name : {"frmCalc01", "frmCalc02", "frmCalc03"}) {
    forms::Form& w = open(name);
    EXPECT_EQ(shownUnit(), "W/m") << name;
    w.control("PLAN").userClick();
    EXPECT_EQ(shownUnit(), "W/m²") << name;
  }
}

TEST_F(CalcTest, ErrorWindowWaitsToBeShownAndPipeDistanceWindowsShowInTheirPlace) {
  auto& e = app.get<veltaro::frmErrorInfo>();
  EXPECT_FALSE(e.visible()) << "a top-level window is not shown by loading";
  e.control("cmdOK").userClick();
  EXPECT_FALSE(app.isLoaded("frmErrorInfo"));
  for (auto [w, height] : {std::pair<forms::Form*, int>{&app.get<veltaro::frmPipedistance>(), 3840},
                           {&app.get<veltaro::frmPipedistanceSE>(), 5250}}) {
    EXPECT_TRUE(w->visible()) << "a child window shows when loaded";
    EXPECT_EQ(std::vector<int>({w->left(), w->top(), w->width(), w->height()}),
              std::vector<int>({20, 1580, 3015, height}));
  }
}

}  // namespace
}  // namespace calctest
