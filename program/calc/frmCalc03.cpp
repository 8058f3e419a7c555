#include "calc/frmCalc03.h"

#include <cmath>

#include "calc/InputCheck.h"
#include "calc/frmDetails.h"
#include "core/Formula.h"
#include "core/Fx.h"
#include "core/Numbers.h"
#include "core/NumericInput.h"

namespace veltaro {

using forms::Control;
using forms::ControlKind;

frmCalc03::frmCalc03() : CalcForm(kName, 3) {
  setCaption("Tykkelse og overfladetemperatur som funktion af varmetab");
  move(0, 0, 8735, 4935);
  const auto Frame = ControlKind::Frame, Text = ControlKind::TextBox, Combo = ControlKind::ComboBox,
             Label = ControlKind::Label;

  makeSiteFrames(1, 720);

  Control& f5 = make(Frame, "Frame5", -1, nullptr, 60, 1200, 4900, 3150, " Inddata ");
  make(Label, "LblTOFV", 0, &f5, 120, 305, 1185, 195, "Medietemperatur");
  make(Text, "MEDIETEMP", -1, &f5, 2200, 260, 1060, 315);
  make(Label, "lblUnit", 4, &f5, 3330, 305, 165, 195, "°C");
  make(Label, "LblTOFV", 2, &f5, 120, 750, 1305, 195, "Torvelin produkt");
  make(Combo, "PRODUKT", -1, &f5, 2200, 695, 2655, 315)
      .setComboStyle(forms::ComboStyle::DropdownList);
  make(Label, "LblTOFV", 3, &f5, 120, 1210, 2000, 390, "Emissionstal");
  make(Combo, "Emission", -1, &f5, 2200, 1150, 2655, 315);
  make(Label, "LblTOFV", 4, &f5, 120, 1680, 2000, 195, "Varmetab");
  make(Text, "VARMETAB", -1, &f5, 2200, 1620, 1060, 315);
  make(Label, "lblUnit", 3, &f5, 3330, 1680, 360, 195, "W/m");
  make(Label, "lblUnit", 8, &f5, 3330, 1680, 405, 195, "W/m²").setVisible(false);
  make(Label, "LblTOFV", 5, &f5, 120, 2140, 1005, 195, "Vindhastighed").setEnabled(false);
  make(Text, "VINDHASTIGHED", -1, &f5, 2200, 2080, 1060, 315).setEnabled(false);
  make(Label, "lblUnit", 2, &f5, 3330, 2140, 270, 195, "m/s").setEnabled(false);
  make(Label, "LblTOFV", 6, &f5, 120, 2605, 1605, 390, "Omgivende temperatur");
  make(Text, "Omgivende", -1, &f5, 2200, 2545, 1060, 315);
  make(Label, "lblUnit", 5, &f5, 3330, 2605, 165, 195, "°C");

  Control& f6 = make(Frame, "Frame6", -1, nullptr, 5040, 1870, 3500, 2475, " Resultat ");
  make(Label, "LblTOFV", 7, &f6, 120, 525, 1245, 195, "Isoleringstykkelse");
  make(Text, "ISOLERINGST", -1, &f6, 2080, 480, 960, 315);
  make(Label, "lblUnit", 6, &f6, 3120, 525, 240, 195, "mm");
  make(Label, "LblTOFV", 8, &f6, 120, 1005, 1440, 195, "Overfladetemperatur");
  make(Text, "OVERFLADE", -1, &f6, 2080, 960, 960, 315);
  make(Label, "lblUnit", 7, &f6, 3120, 1005, 165, 195, "°C");
  make(ControlKind::CommandButton, "Beregn", -1, &f6, 2080, 1640, 960, 375, "Beregn");

  boldDesignFont({"Frame2", "Frame3", "Frame4", "Frame5", "Frame6", "ISOLERINGST", "OVERFLADE"});
  resultBoxes({"ISOLERINGST", "OVERFLADE"}, false);
  tabOrder({"ROR", "RORCOM", "PLAN", "PLANH", "INDE", "UDE", "VAND", "LOD", "MEDIETEMP", "PRODUKT",
            "Emission", "VARMETAB", "VINDHASTIGHED", "Omgivende", "Beregn", "ISOLERINGST",
            "OVERFLADE"});

  units_ = {1, 3, 8, 2, "LblTOFV", 5, true};
  familyChange({"Emission", "MEDIETEMP", "Omgivende", "PLANH", "RORCOM", "PRODUKT", "VARMETAB",
                "VINDHASTIGHED"});
  familyTextGotFocus({"MEDIETEMP", "Omgivende", "PLANH", "VARMETAB", "VINDHASTIGHED"});
  familyListGotFocus({"Emission", "RORCOM", "PRODUKT"});
  familyOptionGotFocus({"ROR", "UDE", "VAND"});
  familyListLostFocus({"Emission", "RORCOM"});
  familyUnsignedKeys({"Emission", "PLANH", "RORCOM", "VINDHASTIGHED"});
  familySignedKeys({"MEDIETEMP", "Omgivende", "VARMETAB"});
  familyNoTyping({"PRODUKT"});
  bindTemplateHandlers();
}

std::vector<CalcForm::CaptionLine> frmCalc03::captionLines() const {
  return {{"Frame2", -1, 88},  {"ROR", -1, 89},     {"PLAN", -1, 90},    {"Frame3", -1, 91},
          {"INDE", -1, 92},    {"UDE", -1, 93},     {"Frame4", -1, 94},  {"VAND", -1, 95},
          {"LOD", -1, 96},     {"Frame5", -1, 100}, {"LblTOFV", 0, 101}, {"LblTOFV", 2, 166},
          {"LblTOFV", 7, 102}, {"LblTOFV", 4, 169}, {"LblTOFV", 5, 103}, {"LblTOFV", 6, 104},
          {"Frame6", -1, 112}, {"LblTOFV", 8, 113}, {"Beregn", -1, 117}, {"LblTOFV", 3, 129}};
}

bool frmCalc03::ValidateInput() {
  InputCheck check(*this);
  checkPipeAndPlane(check, isSet("UDE"));
  checkMediumGiven(check);
  checkProductChosen(check);
  checkEmissivity(check);
  const auto loss = checked(check, "VARMETAB");
  check.test(loss && *loss <= 0, 22);
  checkWind(check);
  checkAmbientGiven(check);
  checkTemperatures(check, {"MEDIETEMP", "Omgivende"});
  return check.finish();
}

// A proportional search: the thickness is multiplied by the ratio of the heat flow it lets
// through to the required one until the two agree within one ten-thousandth. The running
// surface temperature lives in OVERFLADE; every pass reads it back.
CalcForm::SearchEnd frmCalc03::calculate() {
  FX& s = fx();
  Control& ovf = control("OVERFLADE");
  Control& omg = control("Omgivende");
  Control& med = control("MEDIETEMP");
  Control& req = control("VARMETAB");
  Control& wind = control("VINDHASTIGHED");
  Control& vand = control("VAND");
  Control& lod = control("LOD");

  const double ta0 = readBox(omg);
  const double tm0 = readBox(med);
  ConductivityAtMean((ta0 + tm0) / 2);
  writeBox(ovf, ta0 + 0.001);
  const double e = num("Emission");
  control("ISOLERINGST").setText("1");
  double d = 0.001;
  s.HeatFlow = 0;
  const bool pipe = isSet("ROR");
  const bool inside = isSet("INDE");
  double D = 0, H = 0;
  if (pipe) {
    D = num("RORCOM") / 1000;
  } else {
    H = num("PLANH") / 1000;
    control("ISOLERINGST").setText("1");
    d = 0.001;
    s.HeatFlow = 0;
  }
  runningThicknessM_ = d;

  SearchEnd end;
  double c = 0;
  int passes = 0;
  // At least two passes: the first one takes its surface coefficient at the start guess of
  // the surface temperature, so a heat flow that happens to match then is no result yet.
  while (passes < 2 || std::abs(readBox(req) - s.HeatFlow) > std::abs(0.0001 * s.HeatFlow)) {
    const double De = pipe ? finite(2 * d + D) : 0;
    const double ta = readBox(omg);
    if (pipe && inside && ta == readBox(ovf)) writeBox(ovf, readBox(ovf) + 5);
    double ts = readBox(ovf);
    const bool vertical = pipe ? !vand.isSet() : lod.isSet();
    surfaceCoefficient({pipe, inside, vertical, pipe ? De : H, e}, ts, ta,
                       inside ? 0 : readBox(wind));
    if (pipe) {
      PipeHeatFlow(readBox(med), ta, De, D);
      PipeSurfaceTemperature(ta, De);
    } else {
      PlaneHeatFlow(readBox(med), ta, d);
      PlaneSurfaceTemperature(ta);
    }
    writeBox(ovf, finite(s.SurfaceTemperature));
    d = finite(s.HeatFlow * d / readBox(req));
    runningThicknessM_ = d;
    ++passes;
    if (d <= 1e-9) break;
    c += 0.1;
    if (c > 1000) {
      end.converged = false;
      break;
    }
  }

  Control& iso = control("ISOLERINGST");
  iso.setText(PointText(RoundHalfEven(1000 * d, 0)));
  FillDetails(s.SurfaceCoefficient, s.RadiativeCoefficient, s.ConvectiveCoefficient, s.HeatFlow,
              s.SurfaceTemperature, s.FlowRegimeText, caption());
  iso.setText(PointText(RoundHalfEven(ParseNumber(iso.text()), 0)));
  ovf.setText(PointText(RoundHalfEven(readBox(ovf), 0)));
  s.ResultValid[calcType()] = true;
  return end;
}

}  // namespace veltaro
