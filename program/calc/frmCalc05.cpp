#include "calc/frmCalc05.h"

#include <cmath>

#include "calc/InputCheck.h"
#include "calc/frmDetails.h"
#include "core/Classes.h"
#include "core/DewPoint.h"
#include "core/Errors.h"
#include "core/Formula.h"
#include "core/Fx.h"
#include "core/Numbers.h"
#include "core/NumericInput.h"
#include "core/ReferenceData.h"

namespace veltaro {

using forms::Control;
using forms::ControlKind;

namespace {
// Pass limits: the counters grow by 0.1 a pass.
constexpr double kPassLimit = 1000;
// A converged pipe surface lies this close to the dew point (K); after the pass limit a
// surface within the wider margin, or a thickness within 5 cm of its target, still counts.
constexpr double kPipeMargin = 0.5;
constexpr double kPipeMarginAtLimit = 2.0;
constexpr double kPipeThicknessAtLimit = 0.05;
// A plane surface converges within this of the target, on the same side of 0 °C.
constexpr double kPlaneMargin = 0.05;
}  // namespace

frmCalc05::frmCalc05() : CalcForm(kName, 5) {
  setCaption("Isolering mod udvendig overfladekondens af kolde emner");
  move(0, 0, 9135, 4665);
  const auto Frame = ControlKind::Frame, Text = ControlKind::TextBox, Combo = ControlKind::ComboBox,
             Label = ControlKind::Label;

  makeSiteFrames(9, 765, 285);

  Control& f5 = make(Frame, "Frame5", -1, nullptr, 60, 1200, 5000, 2900, " Inddata");
  make(Label, "LblTDVFL", 0, &f5, 120, 420, 2000, 195, "Medietemperatur");
  make(Text, "MEDIETEMP", -1, &f5, 3450, 360, 1060, 315);
  make(Label, "lblUnit", 2, &f5, 4590, 420, 240, 195, "°C");
  make(Label, "LblTDVFL", 2, &f5, 120, 880, 2000, 195, "Torvelin produkt");
  make(Combo, "PRODUKT", -1, &f5, 2200, 820, 2655, 315)
      .setComboStyle(forms::ComboStyle::DropdownList);
  make(Label, "LblTDVFL", 3, &f5, 120, 1240, 2000, 370, "Emissionstal");
  make(Combo, "Emission", -1, &f5, 2200, 1180, 2655, 315);
  make(Label, "LblTDVFL", 11, &f5, 120, 1800, 2000, 195, "Omgivende temperatur");
  make(Text, "Omgivende", -1, &f5, 3450, 1740, 1060, 315);
  make(Label, "lblUnit", 1, &f5, 4590, 1800, 240, 195, "°C");
  make(Label, "LblTDVFL", 7, &f5, 120, 2160, 2000, 195, "Relativ luftfugtighed");
  make(Text, "Luftfugtighed", -1, &f5, 3450, 2100, 1060, 315);
  make(Label, "lblUnit", 4, &f5, 4590, 2160, 240, 195, "%");
  make(Label, "LblTDVFL", 6, &f5, 120, 2520, 2000, 195, "Vindhastighed").setEnabled(false);
  make(Text, "VINDHASTIGHED", -1, &f5, 3450, 2460, 1060, 315).setEnabled(false);
  make(Label, "lblUnit", 3, &f5, 4590, 2520, 360, 195, "m/s").setEnabled(false);

  Control& f6 = make(Frame, "Frame6", -1, nullptr, 5160, 1495, 3800, 2600, " Resultat ");
  make(Label, "LblTDVFL", 8, &f6, 120, 420, 2000, 195, "Isoleringstykkelse");
  make(Text, "ISOLERINGST", -1, &f6, 2125, 360, 1060, 315);
  make(Label, "lblUnit", 6, &f6, 3255, 420, 240, 195, "mm");
  make(Label, "LblTDVFL", 9, &f6, 120, 900, 2000, 195, "Dugpunktstemperatur");
  make(Text, "Dugpunkt", -1, &f6, 2125, 840, 1060, 315);
  make(Label, "lblUnit", 5, &f6, 3255, 900, 240, 195, "°C");
  make(Label, "LblTDVFL", 10, &f6, 120, 1380, 2000, 370, "Varmetab isoleret");
  make(Text, "VARMETAB", -1, &f6, 2125, 1320, 1060, 315);
  make(Label, "lblUnit", 7, &f6, 3255, 1380, 360, 195, "W/m");
  make(Label, "lblUnit", 10, &f6, 3255, 1380, 405, 195, "W/m²").setVisible(false);
  make(ControlKind::CommandButton, "Beregn", -1, &f6, 2125, 2000, 1060, 375, "Beregn");
  // The dew point as the search reads it back; never shown.
  Control& work = make(Text, "OVERFLADE", -1, &f6, 100, 2000, 1060, 315);
  work.setVisible(false);
  work.setTabStop(false);

  boldDesignFont(
      {"Frame2", "Frame3", "Frame4", "Frame5", "Frame6", "ISOLERINGST", "Dugpunkt", "VARMETAB"});
  resultBoxes({"ISOLERINGST", "Dugpunkt", "VARMETAB"}, false);
  tabOrder({"ROR", "RORCOM", "PLAN", "PLANH", "INDE", "UDE", "VAND", "LOD", "MEDIETEMP", "PRODUKT",
            "Emission", "Omgivende", "Luftfugtighed", "VINDHASTIGHED", "Beregn", "ISOLERINGST",
            "Dugpunkt", "VARMETAB", "OVERFLADE"});

  units_ = {9, 7, 10, 3, "LblTDVFL", 6, false};
  familyChange({"Emission", "Luftfugtighed", "MEDIETEMP", "Omgivende", "PLANH", "RORCOM", "PRODUKT",
                "VINDHASTIGHED"});
  familyOptionGotFocus({"LOD", "PLAN", "ROR", "UDE", "VAND"});
  familyTextGotFocus({"Luftfugtighed", "MEDIETEMP", "Omgivende", "PLANH", "VINDHASTIGHED"});
  familyListGotFocus({"Emission", "RORCOM", "PRODUKT"});
  familyListLostFocus({"Emission", "RORCOM"});
  familyUnsignedKeys({"Emission", "Luftfugtighed", "PLANH", "RORCOM", "VINDHASTIGHED"});
  familySignedKeys({"MEDIETEMP", "Omgivende"});
  familyNoTyping({"PRODUKT"});
  bindTemplateHandlers();
}

std::vector<CalcForm::CaptionLine> frmCalc05::captionLines() const {
  return {{"Frame2", -1, 88},   {"ROR", -1, 89},       {"PLAN", -1, 90},     {"Frame3", -1, 91},
          {"INDE", -1, 92},     {"UDE", -1, 93},       {"Frame4", -1, 94},   {"VAND", -1, 95},
          {"LOD", -1, 96},      {"Frame5", -1, 100},   {"LblTDVFL", 0, 101}, {"LblTDVFL", 2, 166},
          {"LblTDVFL", 3, 129}, {"LblTDVFL", 11, 104}, {"LblTDVFL", 7, 185}, {"LblTDVFL", 6, 103},
          {"Frame6", -1, 112},  {"LblTDVFL", 8, 102},  {"LblTDVFL", 9, 120}, {"LblTDVFL", 10, 115},
          {"Beregn", -1, 117}};
}

void frmCalc05::loadFinish() {
  InitVapourPressureConstants();
}

// The working box keeps its dew point: only the shown results go.
bool frmCalc05::ValidateInput() {
  InputCheck check(*this);
  checkPipeAndPlane(check, isSet("UDE"));
  checkMediumGiven(check);
  // The object is cold: the air must be warmer than the medium.
  const auto ta = checked(check, "Omgivende"), tm = checked(check, "MEDIETEMP");
  check.test(ta && tm && *ta <= *tm, 26);
  checkProductChosen(check);
  checkEmissivity(check);
  checkWind(check);
  const auto rh = checked(check, "Luftfugtighed");
  check.test(rh && (*rh <= 0 || *rh > 100), 27);
  checkAmbientGiven(check);
  checkTemperatures(check, {"MEDIETEMP", "Omgivende"});
  return check.finish();
}

void frmCalc05::showDewPointAndLoss() {
  control("Dugpunkt").setText(LocaleText(RoundHalfEven(dewPoint_)));
  control("VARMETAB").setText(LocaleText(RoundHalfEven(heatFlow_, fx().HeatLossDecimals)));
}

CalcForm::SearchEnd frmCalc05::calculate() {
  FX& s = fx();
  runaway_ = false;
  Run r{};
  r.ta = num("Omgivende");
  r.tm = num("MEDIETEMP");
  ConductivityAtMean((r.ta + r.tm) / 2);
  Control& iso = control("ISOLERINGST");
  iso.setText("");
  r.e = num("Emission");
  r.inside = isSet("INDE");
  r.wind = r.inside ? 0 : num("VINDHASTIGHED");
  r.td = DewPoint(r.ta, num("Luftfugtighed"));
  writeBox(control("OVERFLADE"), r.td);
  dewPoint_ = r.td;

  SearchEnd end = isSet("ROR") ? pipeSearch(r) : planeSearch(r);

  FillDetails(s.SurfaceCoefficient, s.RadiativeCoefficient, s.ConvectiveCoefficient, s.HeatFlow,
              s.SurfaceTemperature, s.FlowRegimeText, caption());
  iso.setText(PointText(RoundHalfEven(readBox(iso))));
  heatFlow_ = s.HeatFlow;
  showDewPointAndLoss();
  s.ResultValid[calcType()] = true;
  return end;
}

// The running thickness (metres in the box while the search runs) moves toward the thickness
// whose surface, at this pass's heat flow and surface coefficient, sits exactly at the dew
// point; the coefficients are taken with the surface at the dew point.
CalcForm::SearchEnd frmCalc05::pipeSearch(const Run& r) {
  FX& s = fx();
  Control& iso = control("ISOLERINGST");
  const double D = num("RORCOM") / 1000;
  const bool vertical = !isSet("VAND");
  SearchEnd end;
  double passes = 0;
  for (;;) {
    const double t = readBox(iso);  // the empty box reads 0: the first pass is the bare pipe
    const double De = finite(D + 2 * t);
    double tsAtDew = r.td;
    surfaceCoefficient({true, r.inside, vertical, De, r.e}, tsAtDew, r.ta, r.wind);
    PipeHeatFlow(r.tm, r.ta, De, D);
    PipeSurfaceTemperature(r.ta, De);
    const double ts = finite(s.SurfaceTemperature);
    const double target = s.HeatFlow / (2 * kPi * s.SurfaceCoefficient * (r.td - r.ta)) - D / 2;
    if (std::isnan(target)) throw RunTimeError(RunTimeError::Overflow);
    const double step = std::isinf(target) ? 0 : StepFromDifference(target, t, 1e-10);
    if (step == 0) {
      // The target lies 1000 m or more away: no thickness the window can show keeps the
      // surface dry, and the running thickness was never checked.
      heatFlow_ = s.HeatFlow;
      runaway_ = true;
      throw RunTimeError(RunTimeError::Overflow);
    }
    if (std::abs(ts - r.td) < kPipeMargin) {
      writeBox(iso, 1000 * t);
      return end;
    }
    writeBox(iso, finite(t + step));
    passes += 0.1;
    if (passes > kPassLimit) {
      const double gap = std::abs((Money::FromDouble(t) - Money::FromDouble(target)).ToDouble());
      if (std::abs(ts - r.td) < kPipeMarginAtLimit || gap < kPipeThicknessAtLimit)
        writeBox(iso, 1000 * (t + step));
      else
        end.converged = false;
      return end;
    }
  }
}

// The plane search keeps millimetres in the box, starting at 1 mm, and steps them by the
// difference between the surface temperature and the target.
CalcForm::SearchEnd frmCalc05::planeSearch(const Run& r) {
  FX& s = fx();
  Control& iso = control("ISOLERINGST");
  const double H = num("PLANH") / 1000;
  const bool vertical = isSet("LOD");
  iso.setText("1");
  // Indoors the target is the dew point as read back from its box.
  const double target = r.inside ? readBox(control("OVERFLADE")) : r.td;
  SearchEnd end;
  double passes = 0;
  for (;;) {
    const double d = readBox(iso) / 1000;
    double tsAtDew = r.td;
    surfaceCoefficient({false, r.inside, vertical, H, r.e}, tsAtDew, r.ta, r.wind);
    PlaneHeatFlow(r.tm, r.ta, d);
    PlaneSurfaceTemperature(r.ta);
    const double ts = finite(s.SurfaceTemperature);
    const double step = StepFromDifference(target, ts, 1e-5);
    if (step == 0) {
      // A difference of 10^8 K: the box holds a thickness nothing has checked.
      end.converged = false;
      return end;
    }
    const bool sameSide = (ts > 0 && target > 0) || (ts < 0 && target < 0);
    if (std::abs(std::abs(ts) - std::abs(target)) < kPlaneMargin && sameSide) return end;
    const double next = finite(readBox(iso) + step);
    writeBox(iso, next);
    if (next < 0) return end;  // shown as a thickness below 0
    passes += 0.1;
    if (passes > kPassLimit) {
      end.converged = false;
      return end;
    }
  }
}

}  // namespace veltaro
