#include "calc/frmCalc04.h"

#include <cmath>

#include "calc/InputCheck.h"
#include "calc/frmDetails.h"
#include "core/Classes.h"
#include "core/Formula.h"
#include "core/Fx.h"
#include "core/Numbers.h"
#include "core/NumericInput.h"
#include "core/ReferenceData.h"

namespace veltaro {

using forms::Control;
using forms::ControlKind;

namespace {
// A search makes another pass while its counter, grown by 0.1 a pass, is at most this.
constexpr double kPassLimit = 10000;
// One-millimetre passes of the indoor pipe search after which classes 1 and 2 loosen.
constexpr int32_t kMillimetrePasses = 200;
// Pipes above this outer diameter (mm) are normally calculated as a plane.
constexpr double kLargePipe = 400;
}  // namespace

frmCalc04::frmCalc04() : CalcForm(kName, 4) {
  setCaption("Tykkelse, varmetab og overfladetemperatur som funktion af klasse");
  move(0, 0, 9700, 5295);
  const auto Frame = ControlKind::Frame, Option = ControlKind::OptionButton,
             Text = ControlKind::TextBox, Combo = ControlKind::ComboBox, Label = ControlKind::Label;

  Control& f2 = make(Frame, "Frame2", -1, nullptr, 60, 60, 4200, 1095, " Geometri ");
  make(Option, "ROR", -1, &f2, 120, 400, 1700, 255, "Rørdiameter").setValueSilently(1);
  make(Option, "PLAN", -1, &f2, 120, 760, 1700, 255, "Plan højde");
  make(Combo, "RORCOM", -1, &f2, 1900, 320, 1695, 315);
  make(Text, "PLANH", -1, &f2, 1900, 680, 1695, 315).setEnabled(false);
  make(Label, "lblUnit", 1, &f2, 3720, 765, 240, 195, "mm");

  Control& f3 = make(Frame, "Frame3", -1, nullptr, 4360, 60, 1695, 1095, " Beliggenhed ");
  make(Option, "INDE", -1, &f3, 120, 360, 1450, 255, "Indendørs").setValueSilently(1);
  make(Option, "UDE", -1, &f3, 120, 720, 1450, 255, "Udendørs");

  Control& f4 = make(Frame, "Frame4", -1, nullptr, 6160, 60, 1500, 1095, " Orientering ");
  make(Option, "VAND", -1, &f4, 120, 360, 1350, 255, "Vandret").setValueSilently(1);
  make(Option, "LOD", -1, &f4, 120, 720, 1350, 255, "Lodret");

  Control& f7 = make(Frame, "Frame7", -1, nullptr, 7760, 60, 1770, 1095, "Beregningsmetode");
  make(Option, "Drift", -1, &f7, 120, 360, 1625, 255, "Driftstid").setValueSilently(1);
  make(Option, "Klassean", -1, &f7, 120, 720, 1625, 255, "Efter isoleringsklasse");

  Control& f5 = make(Frame, "Frame5", -1, nullptr, 60, 1200, 4975, 3500, " Inddata ");
  struct Row {
    const char* box;
    ControlKind kind;
    int top, labelIndex, labelTop;
    const char* label;
  };
  const Row rows[] = {{"MEDIETEMP", Text, 360, 0, 405, "Medietemperatur"},
                      {"PRODUKT", Combo, 720, 2, 750, "Torvelin produkt"},
                      {"IsoKlasse", Combo, 1095, 3, 1125, "Isoleringsklasse"},
                      {"Driftstid", Text, 1455, 4, 1515, "Driftstid"},
                      {"SPILDFAKTOR", Text, 1800, 5, 1860, "Spildfaktor"},
                      {"VINDHASTIGHED", Text, 2160, 6, 2220, "Vindhastighed"},
                      {"Omgivende", Text, 2520, 7, 2520, "Omgivende temperatur"},
                      {"Emission", Combo, 2880, 8, 2940, "Emissionstal"}};
  for (const Row& r : rows) {
    make(Label, "LblTVOFK", r.labelIndex, &f5, 120, r.labelTop, 2000, 195, r.label);
    make(r.kind, r.box, -1, &f5, 2200, r.top, r.kind == Combo ? 2655 : 1060, 315);
  }
  control("PRODUKT").setComboStyle(forms::ComboStyle::DropdownList);
  control("Driftstid").setTextSilently("8760");
  control("SPILDFAKTOR").setTextSilently("1.0");
  for (const char* off : {"IsoKlasse", "VINDHASTIGHED"}) control(off).setEnabled(false);
  control("LblTVOFK", 3).setEnabled(false);
  control("LblTVOFK", 6).setEnabled(false);
  make(Label, "lblUnit", 2, &f5, 3390, 405, 240, 195, "°C");
  make(Label, "lblUnit", 3, &f5, 3390, 1515, 1000, 195, "timer");
  make(Label, "lblUnit", 0, &f5, 3390, 1860, 1000, 195, "[0.3 .. 1.0]");
  make(Label, "lblUnit", 5, &f5, 3390, 2220, 360, 195, "m/s").setEnabled(false);
  make(Label, "lblUnit", 6, &f5, 3390, 2580, 240, 195, "°C");

  Control& f6 = make(Frame, "Frame6", -1, nullptr, 5160, 2125, 3900, 2570, " Resultat ");
  const struct {
    const char* box;
    int top, labelIndex, unit;
    const char* label;
    const char* unitText;
  } results[] = {{"Klasse", 360, 9, -1, "Isoleringsklasse", nullptr},
                 {"ISOLERINGST", 720, 10, 7, "Isoleringstykkelse", "mm"},
                 {"OVERFLADE", 1080, 11, 8, "Overfladetemperatur", "°C"},
                 {"VARMETAB", 1440, 12, 9, "Varmetab", "W/m"}};
  for (const auto& r : results) {
    make(Label, "LblTVOFK", r.labelIndex, &f6, 120, r.top + 60, 1900, 195, r.label);
    make(Text, r.box, -1, &f6, 2140, r.top, 1060, 315);
    if (r.unitText) make(Label, "lblUnit", r.unit, &f6, 3330, r.top + 60, 500, 195, r.unitText);
  }
  make(Label, "lblUnit", 10, &f6, 3330, 1500, 500, 195, "W/m²").setVisible(false);
  make(ControlKind::CommandButton, "Beregn", -1, &f6, 2140, 2070, 1060, 375, "Beregn");

  boldDesignFont({"Frame2", "Frame3", "Frame4", "Frame5", "Frame6", "Frame7", "Klasse",
                  "ISOLERINGST", "OVERFLADE", "VARMETAB"});
  resultBoxes({"Klasse", "ISOLERINGST", "OVERFLADE", "VARMETAB"}, false);
  tabOrder({"ROR",       "RORCOM",    "PLAN",        "PLANH",         "INDE",      "UDE",
            "VAND",      "LOD",       "Drift",       "Klassean",      "MEDIETEMP", "PRODUKT",
            "IsoKlasse", "Driftstid", "SPILDFAKTOR", "VINDHASTIGHED", "Omgivende", "Emission",
            "Beregn",    "Klasse",    "ISOLERINGST", "OVERFLADE",     "VARMETAB"});

  units_ = {1, 9, 10, 5, "LblTVOFK", 6, false};
  familyChange({"Driftstid", "Emission", "IsoKlasse", "MEDIETEMP", "Omgivende", "PLANH",
                "SPILDFAKTOR", "PRODUKT", "VINDHASTIGHED"});
  familyTextGotFocus(
      {"Driftstid", "MEDIETEMP", "Omgivende", "PLANH", "SPILDFAKTOR", "VINDHASTIGHED"});
  familyListGotFocus({"Emission", "IsoKlasse", "RORCOM", "PRODUKT"});
  familyListLostFocus({"Emission", "IsoKlasse", "RORCOM"});
  familyUnsignedKeys({"Emission", "PLANH", "RORCOM", "SPILDFAKTOR", "VINDHASTIGHED"});
  familySignedKeys({"MEDIETEMP", "Omgivende"});
  familyWholeNumberKeys({"Driftstid"});
  familyNoTyping({"PRODUKT"});
  // A class is one digit of the Danish rule set's range, whatever the market.
  control("IsoKlasse").onKeyPress = [](int& k) {
    if (k == ',' || k == '-' || k == '.' || (k >= '5' && k <= '9')) k = 0;
    k = FilterNumericKey(k);
  };
  bindTemplateHandlers();
  control("Drift").onClick = [this] { Drift_Click(); };
  control("Klassean").onClick = [this] { Klassean_Click(); };
  control("RORCOM").onChange = [this] { RORCOM_Change(); };
  control("RORCOM").onClick = [this] {
    askAboutLargePipe();
    RORCOM_Click();
  };
}

std::vector<CalcForm::CaptionLine> frmCalc04::captionLines() const {
  return {{"Frame2", -1, 88},   {"ROR", -1, 89},      {"PLAN", -1, 90},      {"Frame3", -1, 91},
          {"INDE", -1, 92},     {"UDE", -1, 93},      {"Frame4", -1, 94},    {"VAND", -1, 95},
          {"LOD", -1, 96},      {"Frame7", -1, 97},   {"Drift", -1, 98},     {"Klassean", -1, 99},
          {"Frame5", -1, 100},  {"LblTVOFK", 0, 101}, {"LblTVOFK", 2, 166},  {"LblTVOFK", 3, 118},
          {"LblTVOFK", 4, 98},  {"LblTVOFK", 6, 103}, {"LblTVOFK", 7, 104},  {"LblTVOFK", 8, 129},
          {"LblTVOFK", 5, 111}, {"Frame6", -1, 112},  {"LblTVOFK", 11, 113}, {"LblTVOFK", 12, 169},
          {"lblUnit", 3, 109},  {"Beregn", -1, 117},  {"LblTVOFK", 3, 118},  {"LblTVOFK", 9, 118},
          {"LblTVOFK", 10, 102}};
}

void frmCalc04::loadFinish() {
  // The method frame is the one frame whose caption has no blanks around it.
  control("Frame7").setCaption(fx().TextTable[97]);
  FillClassCombo(control("IsoKlasse"));
}

// ---------------------------------------------------------------- input handlers

void frmCalc04::Klassean_Click() {
  ClearResults();
  control("Driftstid").setEnabled(false);
  control("LblTVOFK", 4).setEnabled(false);
  control("lblUnit", 3).setEnabled(false);
  control("LblTVOFK", 9).setEnabled(false);
  control("Driftstid").setText("8760");
  control("IsoKlasse").setEnabled(true);
  control("LblTVOFK", 3).setEnabled(true);
  control("LblTVOFK", 5).setEnabled(false);
  control("SPILDFAKTOR").setEnabled(false);
}

void frmCalc04::Drift_Click() {
  ClearResults();
  control("Driftstid").setEnabled(true);
  control("LblTVOFK", 4).setEnabled(true);
  control("lblUnit", 3).setEnabled(true);
  control("IsoKlasse").setEnabled(false);
  control("LblTVOFK", 3).setEnabled(false);
  control("LblTVOFK", 9).setEnabled(true);
  control("LblTVOFK", 5).setEnabled(true);
  control("SPILDFAKTOR").setEnabled(true);
}

void frmCalc04::askAboutLargePipe() {
  if (num("RORCOM") > kLargePipe) ConfirmPipeChoice(*this);
}

// Asked on every edit while the diameter stays above the limit, also for the program's own
// writes into the box.
void frmCalc04::RORCOM_Change() {
  askAboutLargePipe();
  ClearResults();
}

// ---------------------------------------------------------------- input check

bool frmCalc04::ValidateInput() {
  InputCheck check(*this);
  checkPipeAndPlane(check, isSet("UDE"));
  checkMediumGiven(check);
  checkProductChosen(check);
  if (isSet("Klassean")) {
    Control& cls = control("IsoKlasse");
    check.test(InputCheck::notChosen(cls.text()) || cls.listIndex() == -1, 23);
  }
  const auto hours = checked(check, "Driftstid");
  check.test(hours && (*hours <= 0 || *hours > 8760), 24);
  const auto waste = checked(check, "SPILDFAKTOR");
  check.test(waste && (*waste < 0.3 || *waste > 1.0), 25);
  checkWind(check);
  checkEmissivity(check);
  checkAmbientGiven(check);
  // A plane's transmittance is its heat flow over the temperature difference, which equal
  // temperatures make 0/0.
  if (isSet("PLAN") && !control("MEDIETEMP").text().empty() &&
      !control("Omgivende").text().empty()) {
    const auto tm = checked(check, "MEDIETEMP"), ta = checked(check, "Omgivende");
    check.test(tm && ta && *tm == *ta, 6);
  }
  checkTemperatures(check, {"MEDIETEMP", "Omgivende"});
  return check.finish();
}

// ---------------------------------------------------------------- the calculation

uint8_t frmCalc04::requiredClass(double ta, double tm) {
  if (isSet("Drift")) return ClassOfAnnualLoss(num("Driftstid"), ta, tm, num("SPILDFAKTOR"));
  // The class list's items end in their class digit.
  const std::string& item = control("IsoKlasse").text();
  const double digit = item.empty() ? 0 : ParseNumber(item.substr(item.size() - 1));
  return static_cast<uint8_t>(digit);
}

void frmCalc04::classMet(uint8_t cls) {
  control("Klasse").setText(IntegerText(cls));
}

CalcForm::SearchEnd frmCalc04::calculate() {
  FX& s = fx();
  Control& iso = control("ISOLERINGST");
  Control& ovf = control("OVERFLADE");
  const double ta = num("Omgivende"), tm = num("MEDIETEMP");
  ConductivityAtMean((ta + tm) / 2);
  Run r{};
  r.ta = ta;
  r.tm = tm;
  r.e = num("Emission");
  iso.setText("0.1");
  control("Klasse").setText("0");
  s.SurfaceCoefficient = 3.0;
  const bool pipe = isSet("ROR");
  if (pipe) {
    r.D = num("RORCOM") / 1000;
  } else {
    r.H = num("PLANH") / 1000;
    s.Transmittance = 1.0;
    s.HeatFlow = 7.0;
  }
  r.cls = requiredClass(ta, tm);
  r.limit = pipe ? PipeClassLimit(r.cls, r.D) : PlaneClassLimit(r.cls);

  const bool inside = isSet("INDE");
  bool found;
  if (pipe)
    found = inside ? pipeIndoors(r) : pipeOutdoors(r);
  else
    found = inside ? planeIndoors(r) : planeOutdoors(r);

  FillDetails(s.SurfaceCoefficient, s.RadiativeCoefficient, s.ConvectiveCoefficient, s.HeatFlow,
              s.SurfaceTemperature, s.FlowRegimeText, caption());
  iso.setText(PointText(RoundHalfEven(readBox(iso))));
  control("VARMETAB").setText(PointText(RoundHalfEven(s.HeatFlow, s.HeatLossDecimals)));
  ovf.setText(PointText(RoundHalfEven(readBox(ovf))));
  // A class the user chose is not repeated as a result.
  if (isSet("Klassean")) control("Klasse").setText("");
  s.ResultValid[calcType()] = true;
  SearchEnd end;
  end.converged = found;
  return end;
}

// The box holds the running thickness (mm) and the running surface temperature; the surface
// temperature of each pass feeds the coefficients of the next. A large pipe creeps toward its
// limit a millimetre a pass; after that has gone on for long, classes 1 and 2 accept a
// thickness that has just passed the limit instead of hitting its narrow tolerance.
bool frmCalc04::pipeIndoors(const Run& r) {
  FX& s = fx();
  Control& iso = control("ISOLERINGST");
  Control& ovf = control("OVERFLADE");
  const bool vertical = !isSet("VAND");
  double De = r.D + 2 * readBox(iso) / 1000;
  s.SurfaceTemperature = r.tm;
  int32_t millimetrePasses = 0;
  uint8_t creptLong = 0;
  double c = 0;
  bool found = false;
  while (!found && c <= kPassLimit) {
    writeBox(ovf, s.SurfaceTemperature);
    const double previous = De;
    const double t = readBox(iso);
    De = finite(r.D + 2 * t / 1000);
    double ts = readBox(ovf);
    surfaceCoefficient({true, true, vertical, De, r.e}, ts, r.ta, 0);
    PipeHeatFlow(r.tm, r.ta, De, r.D);
    s.SurfaceTemperature = finite(r.ta + s.HeatFlow / (kPi * De * s.SurfaceCoefficient));
    if (previous == De - 0.002 && ++millimetrePasses > kMillimetrePasses) creptLong = 1;
    CalcPipeTransmittance(De, r.D);
    // The step goes in before the test: a met class leaves its last step in the box.
    writeBox(iso, finite(t + StepFromDifference(s.Transmittance, r.limit, 0.001)));
    if (PipeClassOfTransmittance(r.D, r.cls, creptLong) == r.cls) {
      found = true;
      c = 0;
      classMet(r.cls);
    }
    c += 0.1;
  }
  writeBox(ovf, s.SurfaceTemperature);
  return found;
}

// Outdoors the wind decides the convection and the radiation is taken at a surface a hair
// above the air; each pass steps toward the class twice, by the previous pass's transmittance
// and by its own.
bool frmCalc04::pipeOutdoors(const Run& r) {
  FX& s = fx();
  Control& iso = control("ISOLERINGST");
  Control& ovf = control("OVERFLADE");
  const double v = num("VINDHASTIGHED");
  double De = r.D + 2 * readBox(iso) / 1000;
  double c = 0;
  bool found = false;
  while (!found && c <= kPassLimit) {
    CalcPipeTransmittance(De, r.D);
    writeBox(iso, finite(readBox(iso) + ClassLimitStep(r.cls, 2, r.D)));
    writeBox(ovf, r.ta + 0.0001);
    const double t = readBox(iso);
    De = finite(r.D + 2 * t / 1000);
    double ts = readBox(ovf);
    surfaceCoefficient({true, false, false, De, r.e}, ts, r.ta, v);
    PipeHeatFlow(r.tm, r.ta, De, r.D);
    PipeSurfaceTemperature(r.ta, De);
    CalcPipeTransmittance(De, r.D);
    if (PipeClassOfTransmittance(r.D, r.cls, 0) == r.cls) {
      found = true;
      c = 0;
      classMet(r.cls);
    }
    c += 0.1;
    if (c > kPassLimit) break;
    writeBox(iso, finite(t + StepFromDifference(s.Transmittance, r.limit, 0.001)));
  }
  writeBox(ovf, s.SurfaceTemperature);
  return found;
}

// Indoors a plane's thickness runs in metres and steps by the heat flow the class allows at
// this temperature difference; the box shows it in whole millimetres.
bool frmCalc04::planeIndoors(const Run& r) {
  FX& s = fx();
  Control& iso = control("ISOLERINGST");
  Control& ovf = control("OVERFLADE");
  const bool vertical = isSet("LOD");
  double d = 0.001;
  double c = 0;
  bool found = false;
  while (!found && c <= kPassLimit) {
    // The first pass starts from the 0 °C that clearing the results left behind.
    writeBox(ovf, s.SurfaceTemperature);
    if (!(r.ta < readBox(ovf))) writeBox(ovf, r.ta + 0.001);
    double ts = readBox(ovf);
    surfaceCoefficient({false, true, vertical, r.H, r.e}, ts, r.ta, 0);
    PlaneHeatFlow(r.tm, r.ta, d);
    s.SurfaceTemperature = finite(r.ta + s.HeatFlow / s.SurfaceCoefficient);
    TransmittanceFromHeatFlow(r.tm, r.ta);
    d = finite(d + StepFromDifference(s.HeatFlow, r.limit * (r.tm - r.ta), 0.00001) / 1000);
    iso.setText(PointText(RoundHalfEven(1000 * d)));
    if (PlaneClassOfTransmittance(r.H, r.cls) == r.cls) {
      found = true;
      classMet(r.cls);
    }
    c += 0.1;
  }
  return found;
}

// Outdoors the surface temperature relaxes toward the computed one by one ladder step a pass,
// from the 0 °C of the empty box.
bool frmCalc04::planeOutdoors(const Run& r) {
  FX& s = fx();
  Control& iso = control("ISOLERINGST");
  Control& ovf = control("OVERFLADE");
  const double v = num("VINDHASTIGHED");
  double c = 0;
  bool found = false;
  while (!found && c <= kPassLimit) {
    writeBox(iso, finite(readBox(iso) + ClassLimitStep(r.cls, 1, 0)));
    double ts = readBox(ovf);
    if (ts == r.ta) {
      writeBox(ovf, r.ta + 0.0001);
      ts = readBox(ovf);
    }
    const double d = readBox(iso) / 1000;
    surfaceCoefficient({false, false, false, r.H, r.e}, ts, r.ta, v);
    PlaneHeatFlow(r.tm, r.ta, d);
    PlaneSurfaceTemperature(r.ta);
    const double relaxed = readBox(ovf);
    writeBox(ovf,
             finite(relaxed + StepFromDifference(finite(s.SurfaceTemperature), relaxed, 0.001)));
    TransmittanceFromHeatFlow(r.tm, r.ta);
    if (PlaneClassOfTransmittance(r.H, r.cls) == r.cls) {
      found = true;
      classMet(r.cls);
    }
    c += 0.1;
  }
  return found;
}

}  // namespace veltaro
