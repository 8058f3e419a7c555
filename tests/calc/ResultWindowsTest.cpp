// The details, input-error and pipe-distance windows.

#include "CalcFixture.h"
#include "core/frmDetails.h"
#include "core/frmErrorInfo.h"
#include "core/frmPipedistance.h"
#include "core/frmPipedistanceSE.h"

namespace calctest {
namespace {

using veltaro::fx;

TEST_F(CalcTest, FillDetailsRoundsHalvesToEvenAndHidesTheWindow) {
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
  for (const Case& c : cases) {
    platform.decimal = c.decimal;
    veltaro::FillDetails(c.h, c.hr, c.hcv, c.q, c.t0, "laminar", "Window title");
    auto& w = app.get<veltaro::frmDetails>();
    EXPECT_FALSE(w.visible());
    const char* names[] = {"lh", "hr", "hcv", "Q", "T0"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(w.control(names[i]).caption(), c.expected[i]) << names[i];
    EXPECT_EQ(w.control("LT").caption(), "laminar");
    EXPECT_EQ(w.control("lblHeader").caption(), "Window title");
  }
}

TEST_F(CalcTest, ClearDetailsBlanksTheWindowAndTheSharedResults) {
  veltaro::FillDetails(10, 5, 4, 100, 40, "turbulent", "Title");
  fx().HeatFlow = 100;
  fx().SurfaceCoefficient = 9;
  fx().Lambda = 0.04;
  fx().FlowRegimeText = "turbulent";
  veltaro::ClearDetails();
  auto& w = app.get<veltaro::frmDetails>();
  for (const char* n : {"lh", "hr", "hcv", "Q", "T0"}) EXPECT_EQ(w.control(n).caption(), "0");
  EXPECT_EQ(w.control("LT").caption(), " ");
  EXPECT_EQ(w.control("lblHeader").caption(), "");
  EXPECT_FALSE(w.visible());
  EXPECT_EQ(fx().HeatFlow, 0);
  EXPECT_EQ(fx().SurfaceCoefficient, 0);
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
  auto& d = app.get<veltaro::frmDetails>();
  EXPECT_EQ(d.caption(), "T195");
  EXPECT_EQ(d.control("lblDetails", 0).caption(), "T76");
  EXPECT_EQ(d.control("cmdQuit").caption(), "T80");
  EXPECT_EQ(d.left(), 10);
  EXPECT_EQ(d.top(), 10);
}

TEST_F(CalcTest, InputErrorWindowTakesItsTextsFromTheTextTable) {
  auto& e = app.get<veltaro::frmErrorInfo>();
  EXPECT_FALSE(e.visible()) << "a top-level window is not shown by loading";
  EXPECT_FALSE(e.isMdiChild());
  EXPECT_EQ(e.caption(), "T161");
  EXPECT_EQ(e.control("txtError").toolTip(), "T162 T163");
  EXPECT_EQ(e.control("cmdOK").caption(), "T80");
  e.control("cmdOK").userClick();
  EXPECT_FALSE(app.isLoaded("frmErrorInfo"));
}

TEST_F(CalcTest, PipeDistanceWindowsArePlacedAtTheLeftOfTheMainWindow) {
  auto& plain = app.get<veltaro::frmPipedistance>();
  auto& se = app.get<veltaro::frmPipedistanceSE>();
  for (forms::Form* w : {static_cast<forms::Form*>(&plain), static_cast<forms::Form*>(&se)}) {
    EXPECT_TRUE(w->visible()) << "a child window shows when loaded";
    EXPECT_EQ(w->left(), 20);
    EXPECT_EQ(w->top(), 1580);
    EXPECT_EQ(w->width(), 3015);
    EXPECT_EQ(w->caption(), "T182");
    EXPECT_LT(w->control("txtDummy").left(), 0) << "the focus box lies outside the window";
  }
  EXPECT_EQ(plain.height(), 3840);
  EXPECT_EQ(se.height(), 5250);
  EXPECT_EQ(plain.control("LblPipeDist", 0).caption(), "T183");
  EXPECT_EQ(plain.control("LblPipeDist", 3).caption(), "T184");
  EXPECT_EQ(se.control("LblPipeDist", 0).caption(), "T218");
  EXPECT_EQ(se.control("LblPipeDist", 4).caption(), "T183");
  EXPECT_EQ(se.control("LblPipeDist", 3).caption(), "T184");
  EXPECT_EQ(se.control("LblPipeDist", 5).caption(), "F =");
}

}  // namespace
}  // namespace calctest
