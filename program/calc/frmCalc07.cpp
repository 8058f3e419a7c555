#include "calc/frmCalc07.h"

#include <cmath>

#include "calc/InputCheck.h"
#include "calc/frmDetails.h"
#include "core/Errors.h"
#include "core/Formula.h"
#include "core/Fx.h"
#include "core/Numbers.h"
#include "core/NumericInput.h"
#include "core/ReferenceData.h"
#include "core/Savings.h"
#include "forms/Application.h"

namespace veltaro {

using forms::Control;
using forms::ControlKind;

namespace {
// Pass limits: the heat-loss step's 1000 is the frame's; the start-temperature search steps
// 0.0001 K up to a million times (100 K), the thickness search 0.1 mm up to 1 m.
constexpr double kStartPassLimit = 100000;
constexpr double kTemperatureStep = 0.0001;
constexpr double kThicknessStep = 0.0001;
constexpr double kThicknessLimit = 1.0;
// How close the end temperature must come to the required one: a share of its value in °C,
// except for a required 0 °C, where any share is nothing and half a thousandth of a degree
// stands in for it.
constexpr double kThicknessTolerance = 0.003;
constexpr double kStartTolerance = 0.0001;
constexpr double kToleranceAtZero = 0.0005;

bool endMet(double required, double got, double share) {
  const double tolerance = required == 0 ? kToleranceAtZero : std::abs(share * required);
  return std::abs(required - got) < tolerance;
}

// For each calculation type, the input box whose value is the unknown, with its caption and
// unit label, and the caption and unit label of the result box that type fills.
struct TypeBoxes {
  const char* input;
  int inputCaption, inputUnit;
  int resultCaption, resultUnit;
};
constexpr TypeBoxes kTypeBoxes[] = {
    {"ISOLERINGST", 9, 8, 13, 12},
    {"txtStarTemp", 4, 4, 14, 13},
    {"txtSluTemp", 5, 5, 15, 14},
};
}  // namespace

frmCalc07::frmCalc07() : CalcForm(kName, 7) {
  setCaption("Temperatur og isoleringstykkelse i ventilationskanaler");
  move(0, 0, 10635, 6285);
  const auto Frame = ControlKind::Frame, Option = ControlKind::OptionButton,
             Text = ControlKind::TextBox, Combo = ControlKind::ComboBox, Label = ControlKind::Label;

  Control& f1 = make(Frame, "Frame1", -1, nullptr, 120, 60, 4700, 1450, " Geometri ");
  make(Option, "ROR", -1, &f1, 120, 400, 1700, 255, "Rørdiameter").setValueSilently(1);
  make(Combo, "RORCOM", -1, &f1, 2265, 320, 2055, 315);
  make(Option, "PLAN", -1, &f1, 120, 760, 1700, 255, "Plan højde").setEnabled(false);
  make(Text, "PLANH", -1, &f1, 2265, 680, 1695, 315).setEnabled(false);
  make(Label, "lblUnit", 1, &f1, 4080, 765, 240, 195, "mm");

  Control& f2 = make(Frame, "Frame2", -1, nullptr, 4920, 60, 1695, 1450, " Beliggenhed ");
  make(Option, "INDE", -1, &f2, 120, 360, 1450, 255, "Indendørs").setValueSilently(1);
  make(Option, "UDE", -1, &f2, 120, 720, 1450, 255, "Udendørs");

  Control& f3 = make(Frame, "Frame3", -1, nullptr, 6720, 60, 1620, 1450, " Orientering ");
  make(Option, "VAND", -1, &f3, 120, 360, 1350, 255, "Vandret").setValueSilently(1);
  make(Option, "LOD", -1, &f3, 120, 720, 1350, 255, "Lodret");

  Control& f4 = make(Frame, "Frame4", -1, nullptr, 8420, 60, 2010, 1450, " Beregning af ");
  const char* typeCaptions[] = {"Isoleringstykkelse", "Starttemperatur", "Sluttemperatur"};
  for (int i = 0; i < 3; ++i)
    make(Option, "optCalcType", i, &f4, 120, 360 + 360 * i, 1800, 255, typeCaptions[i]);
  control("optCalcType", 0).setValueSilently(1);

  Control& f5 = make(Frame, "Frame5", -1, nullptr, 120, 1560, 5940, 4095, " Inddata ");
  // One row per input: caption, box, unit.
  auto row = [&](int caption, const char* captionText, ControlKind kind, const char* box, int top,
                 int unit = -1, const char* unitText = nullptr, int unitWidth = 0) {
    make(Label, "LblCalc07", caption, &f5, 120, top + 60, 2700, 195, captionText);
    const bool combo = kind == ControlKind::ComboBox;
    make(kind, box, -1, &f5, 2880, top, combo ? 3015 : 1215, 315);
    if (unit >= 0) make(Label, "lblUnit", unit, &f5, 4200, top + 60, unitWidth, 195, unitText);
  };
  row(0, "Medie", Combo, "MEDIE", 330);
  row(3, "Mængde", Text, "MEDIESTR", 690);
  row(7, "Kanallængde m", Text, "txtLength", 1050, 7, "m", 120);
  row(4, "Starttemperatur", Text, "txtStarTemp", 1410, 4, "°C", 165);
  row(5, "Sluttemperatur", Text, "txtSluTemp", 1770, 5, "°C", 165);
  row(8, "Torvelin produkt", Combo, "PRODUKT", 2130);
  row(9, "Isoleringstykkelse", Text, "ISOLERINGST", 2490, 8, "mm", 240);
  row(10, "Vindhastighed", Text, "VINDHASTIGHED", 2850, 10, "m/s", 270);
  row(11, "Omgivende temperatur", Text, "Omgivende", 3210, 11, "°C", 165);
  row(12, "Emissionstal", Combo, "Emission", 3600);
  Control& medie = control("MEDIE");
  medie.addItem("Luft 79% N2, 21% O2");
  medie.addItem("Røggas 12%CO2, 3%H2O, 83%N2, 2%O2");
  Control& unit = make(Combo, "STRHAST", -1, &f5, 4200, 675, 890, 315);
  // Only the five units can be chosen: a typed unit would be read as none of them.
  unit.setComboStyle(forms::ComboStyle::DropdownList);
  for (const char* u : {"kg/s", "l/h", "l/s", "m³/h", "m/s"}) unit.addItem(u);
  control("PRODUKT").setComboStyle(forms::ComboStyle::DropdownList);
  for (int i : {9, 10}) control("LblCalc07", i).setEnabled(false);
  for (int i : {8, 10}) control("lblUnit", i).setEnabled(false);
  control("ISOLERINGST").setEnabled(false);
  control("VINDHASTIGHED").setEnabled(false);

  Control& f6 = make(Frame, "Frame6", -1, nullptr, 6160, 3490, 4260, 2170, " Resultat ");
  const struct {
    int caption;
    const char* text;
    const char* box;
    int top;
    int unit;
  } results[] = {
      {13, "Isoleringstykkelse", "txtIsoTyk", 360, 12},
      {14, "Starttemperatur", "txtStaTemp", 720, 13},
      {15, "Sluttemperatur", "txtSlTemp", 1080, 14},
  };
  for (const auto& r : results) {
    make(Label, "LblCalc07", r.caption, &f6, 120, r.top + 45, 2250, 195, r.text)
        .setEnabled(r.caption == 13);
    Control& box = make(Text, r.box, -1, &f6, 2440, r.top, 1060, 315);
    box.setMousePointer(forms::kPointerNoDrop);
    resultBox(box, true);
    make(Label, "lblUnit", r.unit, &f6, 3660, r.top + 45, r.unit == 12 ? 240 : 165, 195,
         r.unit == 12 ? "mm" : "°C")
        .setEnabled(r.unit == 12);
  }
  make(ControlKind::CommandButton, "Beregn", -1, &f6, 2440, 1670, 1060, 375, "Beregn");

  boldDesignFont({"Frame1", "Frame2", "Frame3", "Frame4", "Frame5", "Frame6", "txtIsoTyk",
                  "txtStaTemp", "txtSlTemp"});
  tabOrder({{"ROR"},
            {"RORCOM"},
            {"PLAN"},
            {"PLANH"},
            {"INDE"},
            {"VAND"},
            {"optCalcType", 0},
            {"MEDIE"},
            {"MEDIESTR"},
            {"STRHAST"},
            {"txtLength"},
            {"txtStarTemp"},
            {"txtSluTemp"},
            {"PRODUKT"},
            {"ISOLERINGST"},
            {"VINDHASTIGHED"},
            {"Omgivende"},
            {"Emission"},
            {"Beregn"},
            {"optCalcType", 1},
            {"optCalcType", 2},
            {"UDE"},
            {"LOD"},
            {"txtIsoTyk"},
            {"txtStaTemp"},
            {"txtSlTemp"}});

  units_ = {1, -1, -1, 10, "LblCalc07", 10, false};
  familyOptionGotFocus({"INDE", "UDE", "LOD", "VAND", "PLAN", "MEDIE", "MEDIESTR", "STRHAST",
                        "txtLength", "txtStarTemp", "txtSluTemp", "ISOLERINGST"});
  familyTextGotFocus({"Omgivende", "PLANH", "VINDHASTIGHED"});
  familyListGotFocus({"Emission", "RORCOM", "PRODUKT"});
  familyChange({"Emission", "Omgivende", "PLANH", "RORCOM", "PRODUKT", "VINDHASTIGHED"});
  familyListLostFocus({"Emission", "RORCOM", "PRODUKT"});
  familyUnsignedKeys({"PLANH", "RORCOM", "VINDHASTIGHED", "Emission"});
  familySignedKeys({"Omgivende"});
  familyNoTyping({"MEDIE", "PRODUKT"});
  bindTemplateHandlers();
  for (int i = 0; i < 3; ++i) {
    Control& option = control("optCalcType", i);
    option.onGotFocus = [this] { ClearResults(); };
    option.onClick = [this, i] { optCalcType_Click(i); };
  }
  // Indoors the wind speed is emptied as well as disabled.
  control("INDE").onClick = [this] {
    INDE_Click();
    control("VINDHASTIGHED").setText("");
  };
  // Whatever the pipe-only question's answer, the focus stays on the product.
  control("PRODUKT").onClick = [this] {
    PRODUKT_Click();
    if (!isSet("PLAN")) control("PRODUKT").setFocus();
  };
}

std::vector<CalcForm::CaptionLine> frmCalc07::captionLines() const {
  return {{"Frame1", -1, 88},      {"ROR", -1, 89},         {"PLAN", -1, 90},
          {"Frame2", -1, 91},      {"INDE", -1, 92},        {"UDE", -1, 93},
          {"Frame3", -1, 94},      {"VAND", -1, 95},        {"LOD", -1, 96},
          {"Frame4", -1, 205},     {"optCalcType", 0, 102}, {"optCalcType", 1, 206},
          {"optCalcType", 2, 207}, {"Frame5", -1, 100},     {"LblCalc07", 0, 208},
          {"LblCalc07", 3, 209},   {"LblCalc07", 4, 206},   {"LblCalc07", 5, 207},
          {"LblCalc07", 7, 211},   {"LblCalc07", 8, 166},   {"LblCalc07", 9, 102},
          {"LblCalc07", 10, 103},  {"LblCalc07", 11, 104},  {"LblCalc07", 12, 129},
          {"Frame6", -1, 112},     {"LblCalc07", 13, 102},  {"LblCalc07", 14, 206},
          {"LblCalc07", 15, 207},  {"Beregn", -1, 117}};
}

void frmCalc07::loadFinish() {
  FillMediumCombo(control("MEDIE"));
  control("STRHAST").setListIndex(4);  // m/s
}

int frmCalc07::calculationType() {
  for (int i = 0; i < 3; ++i)
    if (isSet("optCalcType", i)) return i;
  return 0;
}

// The unknown's box is emptied and disabled, the given ones enabled (keeping their text); the
// result box of the type has its caption and unit enabled, the other two not.
void frmCalc07::optCalcType_Click(int index) {
  ClearResults();
  for (int i = 0; i < 3; ++i) {
    const TypeBoxes& t = kTypeBoxes[i];
    const bool unknown = i == index;
    Control& box = control(t.input);
    if (unknown) box.setText("");
    box.setEnabled(!unknown);
    box.setMousePointer(unknown ? forms::kPointerNoDrop : forms::kPointerDefault);
    control("LblCalc07", t.inputCaption).setEnabled(!unknown);
    control("lblUnit", t.inputUnit).setEnabled(!unknown);
    control("LblCalc07", t.resultCaption).setEnabled(unknown);
    control("lblUnit", t.resultUnit).setEnabled(unknown);
  }
}

bool frmCalc07::ValidateInput() {
  const FX& s = fx();
  InputCheck check(*this);
  // The duct is round: a plane (only a case file can choose one) has no diameter to work on,
  // and no height limit to tell of.
  if (isSet("ROR"))
    checkPipeAndPlane(check, isSet("UDE"));
  else
    check.test(true, 1);
  const std::string& startText = control("txtStarTemp").text();
  const std::string& ambientText = control("Omgivende").text();
  const auto S = checked(check, "txtStarTemp"), A = checked(check, "Omgivende");
  // The same temperature written two ways ("20" and "20.0") is the same temperature.
  const bool bothNumbers =
      InputCheck::holdsNumber(startText) && InputCheck::holdsNumber(ambientText);
  check.test(startText == ambientText || (bothNumbers && S && A && *S == *A), 219);
  if (calculationType() == 0) {
    const auto E = checked(check, "txtSluTemp");
    if (S && E && A) {
      check.test(*S >= *E && *E <= *A, s.TextTable[207] + s.TextTable[47]);
      check.test(*S <= *E && *E >= *A, s.TextTable[207] + s.TextTable[48]);
    }
  }
  check.test(control("MEDIE").text().empty(), 212);
  // A flow of 0 leaves the temperature law without a value.
  const bool flowGiven = InputCheck::holdsNumber(control("MEDIESTR").text());
  const auto flow = checked(check, "MEDIESTR");
  if (flow) check.test(!flowGiven || *flow <= 0, 213);
  for (const auto& [box, line] : {std::pair{"txtStarTemp", 214}, std::pair{"txtSluTemp", 215}}) {
    const Control& c = control(box);
    if (c.enabled() && checked(check, box)) check.test(!InputCheck::holdsNumber(c.text()), line);
  }
  if (const auto length = checked(check, "txtLength")) {
    check.test(!InputCheck::holdsNumber(control("txtLength").text()), 217);
    // A duct of no length ends at its start temperature; a negative one would warm the air.
    check.test(*length < 0, 221);
  }
  checkProductChosen(check);
  const Control& thickness = control("ISOLERINGST");
  if (thickness.enabled()) {
    const auto t = checked(check, "ISOLERINGST");
    if (t) check.test(!InputCheck::holdsNumber(thickness.text()) || *t < 0, 35);
  }
  checkWind(check);
  if (A) check.test(!InputCheck::holdsNumber(ambientText), 12);
  checkEmissivity(check);
  // The start or end temperature the window works out is disabled, and passed over.
  checkTemperatures(check, {"txtStarTemp", "txtSluTemp", "Omgivende"});
  return check.finish();
}

void frmCalc07::law(double tStart, double ds) {
  if (tStart == ta_) return;
  // Heat flow per metre of the duct, no film resistance on the gas side.
  const double q = (tStart - ta_) * kPi / (1 / (ds * h_) + std::log(ds / D_) / (2 * lambda_));
  tEnd_ = finite(ta_ + (tStart - ta_) * std::exp(-length_ * (q / (tStart - ta_)) / capacity_));
}

// From 1 mm upwards in steps of 0.1 mm until the end temperature is met; above 1 m the box
// says so. A step that carries the end temperature past the required one without landing
// within the tolerance (a thin duct near 0 °C) meets it too: that thickness is the least that
// keeps the gas as warm (or cold) as required.
bool frmCalc07::searchThickness(double tStart, double tEndRequired, double& s) {
  s = 0.001;
  double before = tEnd_;
  for (int pass = 0;; ++pass) {
    s += kThicknessStep;
    law(tStart, 2 * s + D_);
    if (endMet(tEndRequired, tEnd_, kThicknessTolerance)) break;
    if (pass > 0 && (before - tEndRequired) * (tEnd_ - tEndRequired) < 0) break;
    before = tEnd_;
    if (s > kThicknessLimit) {
      control("txtIsoTyk").setText(fx().TextTable[65]);
      return false;
    }
  }
  control("txtIsoTyk").setText(LocaleText(RoundHalfEven(1000 * s, 0)));
  return true;
}

// The start temperature moves away from the surroundings in steps of 0.0001 K, from the
// required end temperature, until the gas arrives at it.
bool frmCalc07::searchStart(double tEndRequired, double s, double& tStart) {
  const double ds = 2 * s + D_;
  const double step = tEndRequired > ta_ ? kTemperatureStep : -kTemperatureStep;
  tStart = tEndRequired;
  double c = 0;
  for (;;) {
    tStart += step;
    law(tStart, ds);
    if (endMet(tEndRequired, tEnd_, kStartTolerance)) break;
    c += 0.1;
    if (c > kStartPassLimit) return false;
  }
  control("txtStaTemp").setText(LocaleText(RoundHalfEven(tStart, 1)));
  return true;
}

CalcForm::SearchEnd frmCalc07::calculate() {
  FX& s = fx();
  startSearchFailed_ = false;
  const int type = calculationType();
  const double e = num("Emission");
  ta_ = num("Omgivende");
  const double tStartGiven = num("txtStarTemp"), tEndGiven = num("txtSluTemp");
  // The heat-loss step runs at the start temperature; where that is the unknown, at the
  // required end temperature (an empty box would put it at 0 °C).
  const double t1 = type == 1 ? tEndGiven : tStartGiven;
  ConductivityAtMean((ta_ + t1) / 2);

  // The heat loss of the given insulation (none in type 0) at t1 gives the surface
  // coefficient and conductivity the temperature law holds fixed.
  const double s0 = num("ISOLERINGST");
  D_ = num("RORCOM") / 1000;
  s.TwoThicknessM = 2 * s0 / 1000;
  const double dOut = D_ + s.TwoThicknessM;
  double ts = ta_ + 0.0001, qPrev = 0;
  const bool inside = indoors();
  const SearchEnd settled = settlePipeHeatFlow({true, inside, !isSet("VAND"), dOut, e}, t1, ta_, D_,
                                               inside ? 0 : num("VINDHASTIGHED"), ts, qPrev);
  s.HeatFlow = (s.HeatFlow + qPrev) / 2;
  FillDetails(s.SurfaceCoefficient, s.RadiativeCoefficient, s.ConvectiveCoefficient, s.HeatFlow, ts,
              s.FlowRegimeText, caption());
  if (!settled.converged) return settled;  // the law would divide by the cleared coefficient

  // The gas.
  const double tGas = type == 0   ? (tEndGiven + tStartGiven) / 2
                      : type == 1 ? tEndGiven
                                  : tStartGiven;
  const bool flue = control("MEDIE").listIndex() != 0;
  const int unit = control("STRHAST").listIndex();
  double mass = num("MEDIESTR");
  if (unit > 0) mass = GasMassFlow(tGas, flue, static_cast<int16_t>(unit), mass, D_);
  const double cp = GasSpecificHeat(tGas, flue);
  length_ = num("txtLength");
  capacity_ = finite(mass * cp * 1000);  // W/K
  if (!(capacity_ > 0)) throw RunTimeError(RunTimeError::DivisionByZero);
  h_ = s.SurfaceCoefficient;
  lambda_ = s.Lambda;
  tEnd_ = 0;

  double thickness = s0 / 1000, tStart = tStartGiven, tEnd = tEndGiven;
  double dMean = D_ + 2 * thickness;
  if (type == 0) {
    if (!searchThickness(tStartGiven, tEndGiven, thickness)) return {};  // no result: line 65
    dMean = dOut;  // the loss at the mean is that of the bare duct, as the heat-loss step's
  } else if (type == 1) {
    if (!searchStart(tEndGiven, thickness, tStart)) {
      startSearchFailed_ = true;
      return {false};
    }
  } else {
    // The conductance per metre of the heat-loss step, which ran at this start temperature.
    const double conductance = s.HeatFlow / (tStartGiven - ta_);
    tEnd = finite(ta_ + (tStartGiven - ta_) * std::exp(-length_ * conductance / capacity_));
    control("txtSlTemp").setText(LocaleText(RoundHalfEven(tEnd, 1)));
  }

  // The loss at the mean gas temperature, for the details.
  PipeHeatFlow((tEnd + tStart) / 2, ta_, dMean, D_);
  thicknessMm_ = 1000 * thickness;
  s.ResultValid[calcType()] = true;
  return {};
}

void frmCalc07::showNonConvergence() {
  if (!startSearchFailed_) return CalcForm::showNonConvergence();
  const FX& s = fx();
  app().platform().msgBox(s.TextTable[64] + " " + s.TextTable[68], forms::mb::OkOnly, "VELTARO");
  control("txtStaTemp").setText(" ");
}

std::optional<double> frmCalc07::pipeDistanceThickness() {
  if (!(thicknessMm_ < 999.9)) return std::nullopt;
  return thicknessMm_;
}

}  // namespace veltaro
