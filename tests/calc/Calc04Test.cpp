// Calculation 4: the step ladder it rests on, and results of both modes and both rule sets
// held against the class limits and against calculation 1.

#include "CalcFixture.h"
#include "core/Classes.h"

namespace calctest {
namespace {

using veltaro::fx;

// Each rung answers a mismatch just below its threshold with its own step, and a mismatch of
// exactly its threshold with the step of the rung above.
TEST(ClassConstants, EveryRungOfTheStepLadder) {
  const double T[35] = {1e13, 1e12,  1e11, 1e10,  1e9, 5e8,   3e8,  1e8,   1e7,  5e6,  3e6, 2e6,
                        1e6,  7.5e5, 5e5,  2.5e5, 1e5, 7.5e4, 5e4,  2.5e4, 1e4,  1000, 750, 500,
                        100,  50,    25,   10,    1,   0.1,   0.01, 0.001, 1e-4, 1e-5, 1e-6};
  const double S[35] = {1e10, 1e9, 1e8, 1e7, 1e6, 8e5,  6.5e5, 5e5,  2e5,  1e5,  8e4, 6.5e4,
                        5e4,  4e4, 3e4, 2e4, 1e4, 7500, 5000,  2500, 1000, 500,  250, 125,
                        100,  75,  50,  25,  10,  7.5,  5,     2.5,  1,    0.75, 0.5};
  for (int i = 0; i < 35; ++i) {
    EXPECT_DOUBLE_EQ(veltaro::StepFromDifference(0.999 * T[i], 0, 1), S[i]) << "rung " << i + 1;
    EXPECT_DOUBLE_EQ(veltaro::StepFromDifference(0, T[i], 1), i == 0 ? 0 : -S[i - 1])
        << "rung " << i + 1;
  }
}

class Calc04Test : public CalcTest {
 protected:
  Calc04Test() { fx().HeatLossDecimals = 4; }
  void market(const std::string& code) {
    useMarket(code);
    if (code == "NO")
      writeLines("Text/Class.NO", {"Klasse 1", "Klasse 2", "Klasse 3", "Klasse 4", "Klasse 5",
                                   "Klasse 6", "VELG klasse"});
  }
};

struct ClassCase {
  const char* name;
  const char* market;
  CalcTest::Inputs in;
  std::vector<std::string> steps;  // class mode, or operating time and waste factor
  int expected;  // the required class
};
const std::vector<std::string> kAllYear{"Driftstid~8760", "SPILDFAKTOR~1.0"};

// The required classes of operating-time mode, by hand: E = ΔT·hours·3600·waste.
const ClassCase kClassCases[] = {
    // E = 130·8760·3600 = 4.1e9: the top class of each rule set.
    {"DK hot pipe indoors", "DK", {}, kAllYear, 4},
    {"NO hot pipe indoors", "NO", {}, kAllYear, 6},
    // E = 130·2000·3600·0.5 = 4.68e8: NO class 3.
    {"NO part-time outdoor pipe", "NO", {.diameter = "60.3", .outdoors = true},
     {"Driftstid~2000", "SPILDFAKTOR~0.5"}, 3},
    // E = 40·1000·3600·0.3 = 4.32e7, below every class.
    {"NO no class needed", "NO", {.medium = "60"}, {"Driftstid~1000", "SPILDFAKTOR~0.3"}, 0},
    {"DK class 1 pipe", "DK", {.diameter = "21.3"}, {"Klassean!", "IsoKlasse=Klasse 1"}, 1},
    {"DK class 3 outdoor pipe", "DK", {.outdoors = true, .wind = "8"},
     {"Klassean!", "IsoKlasse=Klasse 3"}, 3},
    {"DK class 2 outdoor wall", "DK",
     {.height = "3000", .outdoors = true, .wind = "3", .medium = "200", .ambient = "0",
      .product = kMatProduct}, {"Klassean!", "IsoKlasse=Klasse 2"}, 2},
    // E = 190·8760·3600·1 = 6e9.
    {"NO outdoor wall by operating time", "NO",
     {.height = "1500", .outdoors = true, .medium = "200", .ambient = "10"}, kAllYear, 6},
};

TEST_F(Calc04Test, ThicknessMeetsTheClassWithinItsTolerance) {
  for (const ClassCase& c : kClassCases) {
    SCOPED_TRACE(c.name);
    market(c.market);
    forms::Form& w = computed("frmCalc04", c.in, c.steps);
    const bool classMode = c.steps[0] == "Klassean!";
    EXPECT_EQ(w.control("Klasse").text(), classMode ? "" : std::to_string(c.expected));
    const double thickness = number(w, "ISOLERINGST"), ts = number(w, "OVERFLADE");
    // The surface lies between the medium and the air.
    EXPECT_TRUE(ts >= std::stod(c.in.ambient) - 0.5 && ts <= std::stod(c.in.medium)) << ts;
    // The transmittance of the accepted pass is its heat loss per kelvin.
    const bool pipe = c.in.height.empty();
    const double dT = std::stod(c.in.medium) - std::stod(c.in.ambient);
    const double u = number(w, "VARMETAB") / dT;
    w.unload();
    // Class 0 is met at once: the bare pipe's 1.4 W/(m·K) gives one step of 1 mm from 0.1 mm.
    if (c.expected == 0) {
      EXPECT_EQ(thickness, 1);
      continue;
    }
    EXPECT_TRUE(thickness > 0 && thickness < 1000) << thickness;
    // The limits themselves are held against hand values above.
    const auto cls = static_cast<uint8_t>(c.expected);
    const double limit = pipe ? veltaro::PipeClassLimit(cls, std::stod(c.in.diameter) / 1000)
                              : veltaro::PlaneClassLimit(cls);
    // On a pipe of class 2 and up the loss is shown to 4 decimals.
    EXPECT_NEAR(u, limit, !pipe ? 0.005 : c.expected == 1 ? 0.001 * limit : 0.001 + 1e-4 / dT);
  }
}

TEST_F(Calc04Test, LargePipeIsNotCutShortAfterManyMillimetreSteps) {
  // A 5 m pipe at 1000 °C creeps toward class 2 (limit 10.18 W/(m·K)) a millimetre at a time
  // for hundreds of passes; cut short there it would show about 604 mm, passing 12.07.
  forms::Form& w = open("frmCalc04");
  enter(w, {.medium = "1000", .product = kMatProduct});
  platform.expectMsgBox(forms::mb::IdYes, "T199");  // at "500"
  platform.expectMsgBox(forms::mb::IdYes, "T199");  // at "5000"
  perform(w, {"RORCOM~5000", "Klassean!", "IsoKlasse=Klasse 2"});
  platform.expectMsgBox(forms::mb::IdOk, "T71");  // the mat is made for 600 °C
  w.control("Beregn").userClick();
  ASSERT_TRUE(fx().ResultValid[4]);
  EXPECT_NEAR(number(w, "ISOLERINGST"), 739, 1);
  EXPECT_NEAR(number(w, "VARMETAB") / 980, 10.18, 0.001 + 1e-4);
}

}  // namespace
}  // namespace calctest
