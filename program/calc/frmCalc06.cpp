#include "calc/frmCalc06.h"

#include <cmath>
#include <limits>

#include "calc/InputCheck.h"
#include "calc/frmDetails.h"
#include "core/DewPoint.h"
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
// 2π as single precision widened to double, as π itself.
constexpr double kTwoPi = 6.2831854820251465;
}  // namespace

frmCalc06::frmCalc06() : CalcForm(kName, 6) {
  setCaption("Isolering mod indvendig kondens af strømmende medium");
  move(0, 0, 8940, 6045);
  const auto Frame = ControlKind::Frame, Text = ControlKind::TextBox, Combo = ControlKind::ComboBox,
             Label = ControlKind::Label;

  makeSiteFrames(8);

  Control& f5 = make(Frame, "Frame5", -1, nullptr, 60, 1200, 4900, 4250, " Inddata ");
  make(Label, "LblVODFM", 0, &f5, 120, 390, 1185, 195, "Medietemperatur");
  make(Text, "MEDIETEMP", -1, &f5, 3350, 330, 1060, 315);
  make(Label, "lblUnit", 2, &f5, 4485, 405, 165, 195, "°C");
  make(Label, "LblVODFM", 5, &f5, 120, 820, 1170, 195, "Medie hastighed");
  make(Text, "MEDIEHAST", -1, &f5, 3350, 760, 1060, 315);
  make(Label, "lblUnit", 0, &f5, 4485, 820, 270, 195, "m/s");
  make(Label, "LblVODFM", 8, &f5, 120, 1260, 2025, 195, "Mediets relative luftfugtighed");
  make(Text, "Luftfugtighed", -1, &f5, 3350, 1190, 1060, 315);
  make(Label, "lblUnit", 4, &f5, 4485, 1260, 120, 195, "%");
  make(Label, "LblVODFM", 2, &f5, 120, 1690, 1305, 195, "Torvelin produkt");
  make(Combo, "PRODUKT", -1, &f5, 2150, 1660, 2655, 315)
      .setComboStyle(forms::ComboStyle::DropdownList);
  make(Label, "LblVODFM", 3, &f5, 120, 2120, 1800, 390, "Emissionstal");
  make(Combo, "Emission", -1, &f5, 2150, 2090, 2655, 315);
  make(Label, "LblVODFM", 4, &f5, 120, 2550, 1185, 195, "Indvendig rørdia.");
  make(Combo, "Indvendig", -1, &f5, 2150, 2520, 2655, 315);
  make(Label, "LblVODFM", 9, &f5, 120, 2980, 1995, 375, "Stofkonstant");
  make(Combo, "StofK", -1, &f5, 2150, 2950, 2655, 315);
  make(Label, "LblVODFM", 7, &f5, 120, 3430, 1005, 195, "Vindhastighed").setEnabled(false);
  make(Text, "VINDHASTIGHED", -1, &f5, 3350, 3380, 1060, 315).setEnabled(false);
  make(Label, "lblUnit", 1, &f5, 4485, 3430, 270, 195, "m/s").setEnabled(false);
  make(Label, "LblVODFM", 1, &f5, 120, 3850, 1605, 195, "Omgivende temperatur");
  make(Text, "Omgivende", -1, &f5, 3350, 3790, 1060, 315);
  make(Label, "lblUnit", 3, &f5, 4485, 3850, 165, 195, "°C");
  // A sliver of a label without a role, kept with its caption because the design has it; it is
  // too narrow to show any of it.
  make(Label, "LblVODFM", 6, &f5, 5280, 695, 15, 255, "Omgivende temperatur")
      .setFont(forms::Font{"Arial", 8, false});

  Control& f6 = make(Frame, "Frame6", -1, nullptr, 5060, 2845, 3700, 2595, " Resultat ");
  make(Label, "LblVODFM", 10, &f6, 120, 405, 1245, 195, "Isoleringstykkelse");
  make(Text, "ISOLERINGST", -1, &f6, 2000, 360, 1060, 315);
  make(Label, "lblUnit", 9, &f6, 3135, 405, 240, 195, "mm");
  make(Label, "LblVODFM", 11, &f6, 120, 885, 1440, 195, "Overfladetemperatur");
  make(Text, "OVERFLADE", -1, &f6, 2000, 840, 1060, 315);
  make(Label, "lblUnit", 5, &f6, 3135, 885, 165, 195, "°C");
  make(Label, "LblVODFM", 12, &f6, 120, 1365, 1800, 390, "Varmetab isoleret");
  make(Text, "VARMETAB", -1, &f6, 2000, 1320, 1060, 315);
  make(Label, "lblUnit", 6, &f6, 3135, 1365, 360, 195, "W/m");
  make(Label, "lblUnit", 10, &f6, 3135, 1365, 405, 195, "W/m²").setVisible(false);
  make(ControlKind::CommandButton, "Beregn", -1, &f6, 2000, 2000, 1060, 375, "Beregn");
  resultBoxes({"ISOLERINGST", "OVERFLADE", "VARMETAB"}, true);

  boldDesignFont(
      {"Frame2", "Frame3", "Frame4", "Frame5", "Frame6", "ISOLERINGST", "OVERFLADE", "VARMETAB"});
  tabOrder({"ROR",       "PLAN",      "RORCOM",     "PLANH",         "INDE",          "UDE",
            "VAND",      "LOD",       "MEDIETEMP",  "MEDIEHAST",     "Luftfugtighed", "PRODUKT",
            "Emission",  "Indvendig", "StofK",      "VINDHASTIGHED", "Omgivende",     "Beregn",
            "OVERFLADE", "VARMETAB",  "ISOLERINGST"});

  units_ = {8, 6, 10, 1, "LblVODFM", 7, false};
  familyChange({"Emission", "Indvendig", "Luftfugtighed", "MEDIEHAST", "MEDIETEMP", "Omgivende",
                "PLANH", "RORCOM", "StofK", "VINDHASTIGHED"});
  familyTextGotFocus(
      {"Luftfugtighed", "MEDIEHAST", "MEDIETEMP", "Omgivende", "PLANH", "VINDHASTIGHED"});
  familyListGotFocus({"Emission", "Indvendig", "RORCOM", "PRODUKT", "StofK"});
  familyListLostFocus({"Emission", "Indvendig", "StofK", "RORCOM"});
  familyUnsignedKeys({"Emission", "Indvendig", "Luftfugtighed", "MEDIEHAST", "PLANH", "RORCOM",
                      "StofK", "VINDHASTIGHED"});
  familySignedKeys({"MEDIETEMP", "Omgivende"});
  familyNoTyping({"PRODUKT"});
  bindTemplateHandlers();
}

std::vector<CalcForm::CaptionLine> frmCalc06::captionLines() const {
  return {{"Frame2", -1, 88},    {"ROR", -1, 89},       {"PLAN", -1, 90},      {"Frame3", -1, 91},
          {"INDE", -1, 92},      {"UDE", -1, 93},       {"Frame4", -1, 94},    {"VAND", -1, 95},
          {"LOD", -1, 96},       {"Frame5", -1, 100},   {"LblVODFM", 0, 101},  {"LblVODFM", 5, 124},
          {"LblVODFM", 8, 121},  {"LblVODFM", 2, 166},  {"LblVODFM", 3, 129},  {"LblVODFM", 4, 123},
          {"LblVODFM", 9, 122},  {"LblVODFM", 7, 103},  {"LblVODFM", 1, 104},  {"Frame6", -1, 112},
          {"LblVODFM", 10, 102}, {"LblVODFM", 11, 113}, {"LblVODFM", 12, 115}, {"Beregn", -1, 117}};
}

void frmCalc06::loadFinish() {
  FillPipeInnerDiameterCombo(control("Indvendig"));
  FillMaterialConstantsCombo(control("StofK"));
  InitVapourPressureConstants();
}

void frmCalc06::productChosen(int listIndex) {
  SelectProduct(listIndex);
  ClearResults();
}

void frmCalc06::SetPipeMode() {
  CalcForm::SetPipeMode();
  control("Indvendig").setEnabled(true);
}

void frmCalc06::SetPlaneMode() {
  CalcForm::SetPlaneMode();
  control("Indvendig").setEnabled(false);  // it keeps its text for the way back
}

bool frmCalc06::ValidateInput() {
  InputCheck check(*this, 18);
  checkPipeAndPlane(check, isSet("UDE"));
  const auto tm = checked(check, "MEDIETEMP");
  if (tm) check.test(!InputCheck::holdsNumber(control("MEDIETEMP").text()), 189);
  const auto ta = checked(check, "Omgivende");
  check.test(tm && *tm < 0.0000001, 220);
  check.test(ta && tm && *ta >= *tm, 28);
  checkProductChosen(check);
  checkEmissivity(check);
  if (isSet("ROR")) {
    const bool innerMissing = InputCheck::notChosen(control("Indvendig").text());
    check.test(innerMissing, 29);
    const auto di = innerMissing ? std::nullopt : checked(check, "Indvendig");
    if (di) {
      const bool outOfRange = *di <= 0 || *di > 5000;
      check.test(outOfRange, 30);
      const auto outer = checked(check, "RORCOM");
      if (!outOfRange && outer) check.test(*outer <= *di, 87);
    }
  }
  const bool constantMissing = InputCheck::notChosen(control("StofK").text());
  check.test(constantMissing, 31);
  if (!constantMissing) {
    const auto K = checked(check, "StofK");
    check.test(K && (*K <= 0 || *K > 5000), 32);
  }
  const auto w = checked(check, "MEDIEHAST");
  check.test(w && (*w <= 0 || *w > 50), " " + fx().TextTable[86] + " > 0 og < 50 ");
  checkWind(check);
  const auto rh = checked(check, "Luftfugtighed");
  check.test(rh && (*rh <= 0 || *rh > 100), 27);
  if (ta) check.test(!InputCheck::holdsNumber(control("Omgivende").text()), 12);
  checkTemperatures(check, {"MEDIETEMP", "Omgivende"});
  return check.finish();
}

// The thickness is scaled by the ratio of the conductance it gives to the required one; the
// running thickness (mm) and surface temperature live in their boxes. Returns the pass counter.
double frmCalc06::pipeSearch(double tm, double ta, double td, double e, double K, double w) {
  FX& s = fx();
  Control& iso = control("ISOLERINGST");
  Control& ovf = control("OVERFLADE");
  const double di = num("Indvendig") / 1000;
  const double dOut = num("RORCOM") / 1000;
  const double wind = num("VINDHASTIGHED");
  // The medium's film on the inner wall, by the medium's own constant.
  const double alphaI = finite(K * std::pow(w, 0.8) / std::pow(di, 0.2));
  const double uReq = finite(kPi * di * alphaI * (tm - td) / (td - ta));  // W/(m·K)
  const double q = (tm - ta) * uReq;
  s.HeatFlow = q;
  writeBox(control("VARMETAB"), q);

  const bool inside = indoors(), vertical = isSet("LOD");
  double U = 0, c = 0;  // U = 0: the first pass always runs
  while (std::abs(U - uReq) > std::abs(uReq / 1000)) {
    const double sM = readBox(iso) / 1000;
    runningThicknessM_ = sM;
    const double D = finite(dOut + 2 * sM);
    double ts = readBox(ovf);
    surfaceCoefficient({true, inside, vertical, D, e}, ts, ta, wind);
    const double h = s.SurfaceCoefficient;
    const double R =
        1 / (kPi * di * alphaI) + NaturalLog(D / dOut) / (kTwoPi * s.Lambda) + 1 / (kPi * D * h);
    U = finite(1 / R);
    s.SurfaceTemperature = finite(ta + q / (kPi * D * h));
    writeBox(ovf, s.SurfaceTemperature);
    // A surface exactly at the ambient temperature would leave radiation without a value.
    if (readBox(ovf) == ta) writeBox(ovf, ta - 1);
    writeBox(iso, finite(1000 * sM * U / uReq));
    c += 0.1;
    if (c > 1000) break;
  }
  return c;
}

// On a wall the required transmittance gives the heat flow directly; the thickness follows
// from the surface coefficient at the running surface temperature.
double frmCalc06::planeSearch(double tm, double ta, double td, double e, double K, double w) {
  FX& s = fx();
  Control& iso = control("ISOLERINGST");
  Control& ovf = control("OVERFLADE");
  const double H = num("PLANH") / 1000;
  const double wind = num("VINDHASTIGHED");
  // A wall has no inner diameter: 4 stands in for it.
  const double alphaI = finite(K * std::pow(w, 0.8) / std::pow(4.0, 0.2));
  s.Transmittance = finite(alphaI * (tm - td) / ((tm - ta) - (tm - td)));  // W/(m²·K)
  s.HeatFlow = (tm - ta) * s.Transmittance;

  const bool inside = indoors(), vertical = isSet("LOD");
  double next = 0.1, previous = 0, c = 0;
  runningThicknessM_ = next;
  // The start thickness is no result of its own: a first pass that lands on it has used a
  // surface coefficient of the start guess, so the search always makes a second pass.
  int passes = 0;
  while (passes < 2 || std::abs(previous - next) > std::abs(0.0001 * next)) {
    ++passes;
    previous = next;
    double ts = readBox(ovf);
    surfaceCoefficient({false, inside, vertical, H, e}, ts, ta, wind);
    const double h = s.SurfaceCoefficient;
    double q = (tm - ta) * s.Transmittance;
    if (q == 0) q = 0.001;
    s.HeatFlow = q;
    writeBox(control("VARMETAB"), q);
    s.SurfaceTemperature = finite(q / h + ta);
    writeBox(ovf, s.SurfaceTemperature);
    if (readBox(ovf) == ta) writeBox(ovf, ta - 1);
    next = finite(s.Lambda * ((tm - ta) / q - 1 / alphaI - 1 / h));
    runningThicknessM_ = next;
    writeBox(iso, 1000 * next);
    c += 0.1;
    if (c > 1000) break;
  }
  return c;
}

CalcForm::SearchEnd frmCalc06::calculate() {
  FX& s = fx();
  Control& iso = control("ISOLERINGST");
  Control& ovf = control("OVERFLADE");
  roundedToNothing_ = false;
  runningThicknessM_ = 0.0001;
  writeBox(iso, 0.1);
  const double v = num("VINDHASTIGHED");
  const double ta = num("Omgivende");
  const double tm = num("MEDIETEMP");
  ConductivityAtMean((ta + tm) / 2);
  const double e = num("Emission"), K = num("StofK"), w = num("MEDIEHAST");
  const double td = finite(DewPoint(tm, num("Luftfugtighed")));
  writeBox(ovf, tm - 0.000001);
  const bool pipe = isSet("ROR");

  double c = 0;
  if (td >= tm) {
    // Saturated already at its own temperature: no thickness keeps the medium dry.
    runningThicknessM_ = std::numeric_limits<double>::infinity();
    throw RunTimeError(RunTimeError::Overflow);
  } else if (td <= ta) {
    // The medium never cools down to its dew point, even without insulation. (A search on a
    // negative transmittance would leave a surface temperature of no meaning in the details.)
    iso.setText("0");
    s.SurfaceTemperature = tm;
  } else {
    c = pipe ? pipeSearch(tm, ta, td, e, K, w) : planeSearch(tm, ta, td, e, K, w);
  }

  if (readBox(iso) <= 0) {
    // No insulation needed: the loss of the bare pipe or wall with its surface at the medium's
    // temperature.
    iso.setText("<= 0 !");
    writeBox(ovf, tm);
    double bareSurface = tm;
    CalcBareHeatLoss(v, e, (pipe ? num("RORCOM") : num("PLANH")) / 1000, bareSurface, ta, tm,
                     isSet("VAND"), indoors(), pipe);
    writeBox(control("VARMETAB"), s.HeatFlow);
    c = 0;
  }
  // A thickness above 1000 mm is turned away by the frame's thickness check.
  FillDetails(s.SurfaceCoefficient, s.RadiativeCoefficient, s.ConvectiveCoefficient, s.HeatFlow,
              s.SurfaceTemperature, s.FlowRegimeText, caption());
  // A thickness above 1000 mm stays unrounded, so that the frame's check sees 1000.3 as too
  // thick rather than as 1000.
  const double sMm = readBox(iso);
  if (sMm > 0 && sMm <= 1000) iso.setText(PointText(RoundHalfEven(sMm, 0)));
  control("VARMETAB").setText(SignedPointText(RoundHalfEven(num("VARMETAB"), s.HeatLossDecimals)));
  ovf.setText(SignedPointText(RoundHalfEven(num("OVERFLADE"), 0)));
  s.ResultValid[calcType()] = true;

  SearchEnd end;
  end.converged = c <= 1000;
  roundedToNothing_ = num("ISOLERINGST") < 0.00000000001;
  return end;
}

void frmCalc06::thicknessRejected() {
  // Beside the verdict the emptied loss and surface temperature read as 0.
  control("VARMETAB").setText(SignedPointText(0));
  control("OVERFLADE").setText(SignedPointText(0));
}

void frmCalc06::showNonConvergence() {
  // A search that keeps swinging about a thickness below half a millimetre says that no
  // insulation is needed.
  if (!roundedToNothing_) return CalcForm::showNonConvergence();
  const FX& s = fx();
  app().platform().msgBox(s.TextTable[187], forms::mb::OkOnly, s.TextTable[64]);
}

}  // namespace veltaro
