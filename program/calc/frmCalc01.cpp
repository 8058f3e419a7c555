#include "calc/frmCalc01.h"

#include <cmath>
#include <utility>

#include "calc/InputCheck.h"
#include "calc/frmDetails.h"
#include "core/Errors.h"
#include "core/Formula.h"
#include "core/Fx.h"
#include "core/Numbers.h"
#include "core/NumericInput.h"
#include "core/PipeTables.h"
#include "core/ReferenceData.h"
#include "core/Savings.h"
#include "forms/Application.h"

namespace veltaro {

using forms::Control;
using forms::ControlKind;

frmCalc01::frmCalc01() : CalcForm(kName, 1) {
  setCaption("Varmetab og overfladetemperatur");
  move(0, 0, 9725, 6505);
  const auto Frame = ControlKind::Frame, Option = ControlKind::OptionButton,
             Text = ControlKind::TextBox, Combo = ControlKind::ComboBox, Label = ControlKind::Label;
  const auto List = forms::ComboStyle::DropdownList;

  Control& f2 = make(Frame, "Frame2", -1, nullptr, 60, 60, 4200, 1095, " Geometri ");
  make(Option, "ROR", -1, &f2, 120, 360, 1800, 255, "Rørdiameter").setValueSilently(1);
  make(Combo, "RORCOM", -1, &f2, 2000, 320, 1695, 315);
  make(Option, "PLAN", -1, &f2, 120, 720, 1800, 255, "Plan højde");
  make(Text, "PLANH", -1, &f2, 2000, 680, 1695, 315).setEnabled(false);
  make(Label, "lblUnit", 1, &f2, 3780, 765, 300, 195, "mm").setEnabled(false);

  Control& f3 = make(Frame, "Frame3", -1, nullptr, 4360, 60, 1695, 1095, " Beliggenhed ");
  make(Option, "optInSite", 0, &f3, 120, 360, 1450, 255, "Indendørs").setValueSilently(1);
  make(Option, "optInSite", 1, &f3, 120, 720, 1450, 255, "Udendørs");

  Control& f4 = make(Frame, "Frame4", -1, nullptr, 6160, 60, 1770, 1095, " Orientering ");
  make(Option, "VAND", -1, &f4, 120, 360, 1450, 255, "Vandret").setValueSilently(1);
  make(Option, "LOD", -1, &f4, 120, 720, 1450, 255, "Lodret");

  Control& f5 = make(Frame, "Frame5", -1, nullptr, 60, 1200, 9450, 1730, " Inddata ");
  make(Label, "LblVOFT", 2, &f5, 120, 360, 1900, 195, "Medietemperatur");
  make(Text, "MEDIETEMP", -1, &f5, 2050, 320, 1060, 315);
  make(Label, "lblUnit", 2, &f5, 3150, 360, 300, 195, "°C");
  make(Label, "LblVOFT", 4, &f5, 120, 830, 1900, 195, "Torvelin produkt");
  make(Combo, "PRODUKT", -1, &f5, 2050, 790, 2355, 315).setComboStyle(List);
  make(Label, "LblVOFT", 5, &f5, 120, 1320, 1900, 195, "Isoleringstykkelse");
  make(Combo, "ISOLERINGST", -1, &f5, 2050, 1280, 1450, 315);
  make(Label, "lblUnit", 4, &f5, 3555, 1320, 300, 195, "mm");
  make(Label, "LblVOFT", 6, &f5, 4500, 360, 2000, 195, "Emissionstal");
  make(Combo, "Emission", -1, &f5, 6600, 320, 2730, 315);
  make(Label, "LblVOFT", 7, &f5, 4500, 830, 2000, 195, "Vindhastighed").setEnabled(false);
  make(Text, "VINDHASTIGHED", -1, &f5, 6600, 790, 1060, 315).setEnabled(false);
  make(Label, "lblUnit", 5, &f5, 7755, 830, 400, 195, "m/s").setEnabled(false);
  make(Label, "LblVOFT", 8, &f5, 4500, 1320, 2000, 195, "Omgivende temperatur");
  make(Text, "Omgivende", -1, &f5, 6600, 1280, 1060, 315);
  make(Label, "lblUnit", 6, &f5, 7755, 1320, 300, 195, "°C");

  // The savings block; the marine edition hides it at load.
  Control& sv = make(Frame, "Besparelses_data", -1, nullptr, 60, 2970, 5500, 2930, " Besparelse ");
  make(ControlKind::CheckBox, "cbxSave", -1, &sv, 120, 400, 5000, 255, "Medtag besparelse");
  make(Label, "LblVOFT", 3, &sv, 120, 805, 1950, 195, "Rørlængde").setEnabled(false);
  Control& area = make(Label, "LblVOFT", 0, &sv, 120, 805, 1950, 195, "Areal");
  area.setEnabled(false);
  area.setVisible(false);
  make(Text, "RORL", -1, &sv, 2140, 765, 1400, 315).setEnabled(false);
  make(Label, "lblUnit", 3, &sv, 3700, 805, 300, 195, "m").setEnabled(false);
  Control& m2 = make(Label, "lblUnit", 13, &sv, 3800, 805, 300, 195, "m²");
  m2.setEnabled(false);
  m2.setVisible(false);
  make(Label, "LblVOFT", 9, &sv, 120, 1340, 1950, 195, "Emissionstal uisoleret").setEnabled(false);
  make(Combo, "EmisionUiso", -1, &sv, 2140, 1300, 2755, 315).setEnabled(false);
  make(Label, "LblVOFT", 10, &sv, 120, 1940, 1950, 195, "Energienhed og pris").setEnabled(false);
  Control& unit = make(Combo, "Energienh", -1, &sv, 2140, 1900, 1400, 315);
  unit.setComboStyle(List);
  unit.setEnabled(false);
  make(Text, "Pris", -1, &sv, 3600, 1900, 800, 315).setEnabled(false);
  make(Label, "lblUnit", 11, &sv, 4495, 1940, 900, 195, "kr/enhed").setEnabled(false);
  make(Label, "LblVOFT", 12, &sv, 120, 2495, 1950, 195, "Driftstimer pr. år").setEnabled(false);
  Control& hours = make(Text, "Drift", -1, &sv, 2140, 2455, 1400, 315, "8760");
  hours.setEnabled(false);
  make(Label, "lblUnit", 12, &sv, 3640, 2495, 600, 195, "timer").setEnabled(false);

  Control& f6 = make(Frame, "Frame6", -1, nullptr, 5680, 2970, 3850, 2930, " Resultat ");
  make(Label, "LblVOFT", 13, &f6, 120, 370, 1950, 195, "Overfladetemperatur");
  make(Text, "OVERFLADE", -1, &f6, 2140, 330, 1060, 330);
  make(Label, "lblUnit", 7, &f6, 3300, 370, 450, 195, "°C");
  make(Label, "LblVOFT", 15, &f6, 120, 890, 1950, 195, "Varmetab uisoleret").setEnabled(false);
  make(Text, "VTU", -1, &f6, 2140, 850, 1060, 330);
  make(Label, "lblUnit", 9, &f6, 3300, 890, 450, 195, "W/m").setEnabled(false);
  make(Label, "lblUnit", 15, &f6, 3300, 890, 450, 195, "W/m²").setVisible(false);
  make(Label, "LblVOFT", 14, &f6, 120, 1355, 1950, 195, "Varmetab isoleret");
  make(Text, "VT", -1, &f6, 2140, 1315, 1060, 330);
  make(Label, "lblUnit", 8, &f6, 3300, 1355, 450, 195, "W/m");
  make(Label, "lblUnit", 14, &f6, 3300, 1355, 450, 195, "W/m²").setVisible(false);
  make(Label, "LblVOFT", 16, &f6, 120, 1830, 1950, 195, "Besparelse pr. år").setEnabled(false);
  make(Text, "Bespar", -1, &f6, 2140, 1790, 1060, 330);
  make(Label, "lblUnit", 10, &f6, 3300, 1830, 450, 195, "kr").setEnabled(false);
  make(ControlKind::CommandButton, "Beregn", -1, &f6, 2140, 2350, 1060, 375, "Beregn");
  // The thickness of the Swedish pipe section actually used; kept for the report, never shown.
  make(Text, "txtAktTykk", -1, &f6, 120, 2280, 1215, 315).setVisible(false);
  make(Label, "LblVOFT", 17, &f6, 120, 2520, 1950, 195, "Aktuel tykkelse").setVisible(false);

  boldDesignFont({"Frame2", "Frame3", "Frame4", "Frame5", "Frame6", "Besparelses_data"});
  // Not txtAktTykk: it keeps the section thickness of the last run for the report.
  resultBoxes({"OVERFLADE", "VT", "VTU", "Bespar"}, false);
  tabOrder({{"ROR"},          {"RORCOM"},      {"PLAN"},          {"PLANH"},     {"optInSite", 0},
            {"optInSite", 1}, {"VAND"},        {"LOD"},           {"MEDIETEMP"}, {"PRODUKT"},
            {"ISOLERINGST"},  {"Emission"},    {"VINDHASTIGHED"}, {"Omgivende"}, {"cbxSave"},
            {"RORL"},         {"EmisionUiso"}, {"Energienh"},     {"Pris"},      {"Drift"},
            {"Beregn"},       {"OVERFLADE"},   {"VTU"},           {"VT"},        {"Bespar"},
            {"txtAktTykk"}});

  familyChange({"EmisionUiso", "Energienh", "Emission", "ISOLERINGST", "MEDIETEMP", "Omgivende",
                "PLANH", "Drift", "Pris", "RORCOM", "RORL", "VINDHASTIGHED"});
  familyTextGotFocus({"MEDIETEMP", "Omgivende", "PLANH", "Drift", "Pris", "RORL", "VINDHASTIGHED"});
  familyListGotFocus({"EmisionUiso", "Energienh", "Emission", "ISOLERINGST", "RORCOM", "PRODUKT"});
  familyListLostFocus({"EmisionUiso", "Energienh", "Emission", "ISOLERINGST"});
  familyUnsignedKeys({"EmisionUiso", "Emission", "ISOLERINGST", "PLANH", "Pris", "RORCOM", "RORL",
                      "VINDHASTIGHED"});
  familySignedKeys({"MEDIETEMP", "Omgivende"});
  familyWholeNumberKeys({"Drift"});
  familyNoTyping({"Energienh", "PRODUKT"});
  bindTemplateHandlers();
  control("optInSite", 0).onClick = [this] { optInSite_Click(); };
  control("optInSite", 1).onClick = [this] { optInSite_Click(); };
  control("cbxSave").onClick = [this] { cbxSave_Click(); };
}

bool frmCalc01::marine() const {
  return fx().CountryCode == "MRN";
}

bool frmCalc01::indoors() const {
  return const_cast<frmCalc01*>(this)->control("optInSite", 0).isSet();
}

CalcForm::Placement frmCalc01::placement() const {
  if (marine()) return {10, 5050, 9225, 2575, 2860, 410};
  return {10, 6505, 9725, 2275, 2860, 410};
}

void frmCalc01::Form_Activate() {
  setIcon("");  // the window shows no icon of its own
  CalcForm::Form_Activate();
}

std::vector<CalcForm::CaptionLine> frmCalc01::captionLines() const {
  return {{"Frame2", -1, 88},
          {"ROR", -1, 89},
          {"PLAN", -1, 90},
          {"Frame3", -1, 91},
          {"optInSite", 0, 92},
          {"optInSite", 1, 93},
          {"Frame4", -1, 94},
          {"VAND", -1, 95},
          {"LOD", -1, 96},
          {"Frame5", -1, 100},
          {"LblVOFT", 0, 168},
          {"LblVOFT", 2, 101},
          {"LblVOFT", 4, 166},
          {"LblVOFT", 5, 201},
          {"LblVOFT", 17, 202},
          {"LblVOFT", 7, 103},
          {"LblVOFT", 8, 104},
          {"LblVOFT", 3, 105},
          {"LblVOFT", 9, 106},
          {"LblVOFT", 10, 107},
          {"LblVOFT", 12, 108},
          {"lblUnit", 12, 109},
          {"lblUnit", 11, 110},
          {"Frame6", -1, 112},
          {"LblVOFT", 13, 113},
          {"LblVOFT", 15, 114},
          {"LblVOFT", 14, 115},
          {"LblVOFT", 16, 116},
          {"Beregn", -1, 117},
          {"lblUnit", 10, 119},
          {"Besparelses_data", -1, 126},
          {"LblVOFT", 6, 129},
          {"cbxSave", -1, 165}};
}

void frmCalc01::loadLayout() {
  if (marine())
    applyMarineLayout();
  else
    control("Besparelses_data").setVisible(true);
}

// The marine edition has no savings: the right column of the inputs moves under the left one
// and the heat-loss row moves up into the place of the bare-object row.
void frmCalc01::applyMarineLayout() {
  control("Besparelses_data").setVisible(false);
  for (auto [n, i] : std::initializer_list<std::pair<const char*, int>>{{"LblVOFT", 15},
                                                                        {"LblVOFT", 16},
                                                                        {"lblUnit", 9},
                                                                        {"lblUnit", 10},
                                                                        {"lblUnit", 15},
                                                                        {"VTU", -1},
                                                                        {"Bespar", -1}})
    control(n, i).setVisible(false);
  auto place = [this](const char* n, int i, int left, int top) {
    control(n, i).setLeft(left);
    control(n, i).setTop(top);
  };
  place("LblVOFT", 6, 120, 1840);
  place("LblVOFT", 7, 120, 2340);
  place("LblVOFT", 8, 120, 2840);
  place("lblUnit", 5, 3205, 2340);
  place("lblUnit", 6, 3205, 2840);
  place("Emission", -1, 2050, 1840);
  place("VINDHASTIGHED", -1, 2050, 2300);
  place("Omgivende", -1, 2050, 2780);
  control("Frame5").setWidth(5000);
  control("Frame5").setHeight(3250);
  control("Frame6").setTop(2350);
  control("Frame6").setHeight(2100);
  control("Frame6").setLeft(5180);
  control("LblVOFT", 14).setTop(800);
  control("lblUnit", 14).setTop(860);
  control("lblUnit", 8).setTop(860);
  control("Beregn").setTop(1400);
  control("VT").setTop(800);
  setHeight(5050);
  setWidth(9225);
}

void frmCalc01::ClearResults() {
  closePipeDistanceWindows();
  fx().ResultValid[calcType()] = false;
  ClearDetails();
  clearResultBoxes();
}

void frmCalc01::productChosen(int listIndex) {
  FillThicknessCombo(listIndex, control("ISOLERINGST"));
  SelectProduct(listIndex);
}

void frmCalc01::showLabelSet(bool plane, bool savings) {
  const bool mrn = marine();
  Control& area = control("LblVOFT", 0);
  area.setEnabled(savings);
  area.setVisible(plane);
  Control& length = control("LblVOFT", 3);
  length.setEnabled(savings);
  length.setVisible(!plane);
  control("RORL").setEnabled(savings);
  Control& m2 = control("lblUnit", 13);
  m2.setEnabled(savings);
  m2.setVisible(plane);
  Control& m = control("lblUnit", 3);
  m.setEnabled(savings);
  m.setVisible(!plane);
  control("lblUnit", 8).setVisible(!plane);
  if (plane)
    control("lblUnit", 9).setVisible(false);
  else if (!mrn)
    control("lblUnit", 9).setVisible(true);
  control("lblUnit", 14).setVisible(plane);
  Control& bareSquare = control("lblUnit", 15);
  if (!plane) {
    bareSquare.setVisible(false);
  } else if (savings) {
    if (!mrn) {
      bareSquare.setEnabled(true);
      bareSquare.setVisible(true);
    }
  } else {
    bareSquare.setEnabled(false);
    if (!mrn) bareSquare.setVisible(true);
  }
}

void frmCalc01::SetPipeMode() {
  ClearResults();
  control("PLANH").setText("");
  control("PLANH").setEnabled(false);
  control("lblUnit", 1).setEnabled(false);
  control("RORCOM").setEnabled(true);
  control("VAND").setEnabled(true);
  control("LOD").setEnabled(true);
  if (control("cbxSave").value() == 1)
    ShowPipeSavingsLabels();
  else
    ShowPipeLabels();
  control("RORCOM").setFocus();
}

void frmCalc01::SetPlaneMode() {
  ClearResults();
  control("RORCOM").setText("");
  control("RORCOM").setEnabled(false);
  if (control("cbxSave").value() == 1)
    ShowPlaneSavingsLabels();
  else
    ShowPlaneLabels();
  control("PLANH").setEnabled(true);
  control("PLANH").setText("1000");
  control("lblUnit", 1).setEnabled(true);
  if (isSet("optInSite", 0)) {
    control("VAND").setEnabled(false);
    control("LOD").setValue(1);
  }
  control("PLANH").setFocus();
}

void frmCalc01::optInSite_Click() {
  ClearResults();
  if (isSet("optInSite", 0)) {
    control("VINDHASTIGHED").setEnabled(false);
    control("LblVOFT", 7).setEnabled(false);
    control("lblUnit", 5).setEnabled(false);
    if (!isSet("ROR")) {
      control("LOD").setValue(1);
      control("VAND").setEnabled(false);
      return;
    }
    control("VAND").setEnabled(true);
  } else {
    control("VINDHASTIGHED").setEnabled(true);
    control("LblVOFT", 7).setEnabled(true);
    control("lblUnit", 5).setEnabled(true);
    control("VAND").setEnabled(true);
  }
}

std::optional<std::string> frmCalc01::sectionThickness() {
  if (!isSet("ROR") || fx().CountryCode != "SE" || !IsPipeKapProduct(control("PRODUKT").text()))
    return std::nullopt;
  return LookupPipeKap(LocaleText(num("RORCOM")), control("ISOLERINGST").text());
}

// The savings lists are filled when the savings are switched on.
bool frmCalc01::fillListAsItsHandlerWould(Control& list) {
  if (&list == &control("EmisionUiso"))
    FillPipeEmissivityCombo(list);
  else if (&list == &control("Energienh"))
    FillEnergyCombo(list);
  else
    return false;
  return true;
}

// The section thickness the calculation used is not in the record; the report shows it.
void frmCalc01::recordRestored() {
  if (auto section = sectionThickness())
    control("txtAktTykk").setText(*section == "?" ? control("ISOLERINGST").text() : *section);
}

void frmCalc01::cbxSave_Click() {
  ClearResults();
  if (control("cbxSave").value() == 0) {
    // Switched off: the savings inputs keep their contents, greyed.
    for (auto [n, i] : std::initializer_list<std::pair<const char*, int>>{
             {"LblVOFT", 0},    {"LblVOFT", 3},  {"LblVOFT", 9},      {"LblVOFT", 10},
             {"LblVOFT", 12},   {"lblUnit", 3},  {"lblUnit", 11},     {"lblUnit", 12},
             {"lblUnit", 13},   {"lblUnit", 15}, {"EmisionUiso", -1}, {"Pris", -1},
             {"Energienh", -1}, {"Drift", -1},   {"RORL", -1},        {"LblVOFT", 15},
             {"VTU", -1},       {"lblUnit", 9},  {"LblVOFT", 16},     {"Bespar", -1},
             {"lblUnit", 10}})
      control(n, i).setEnabled(false);
    return;
  }
  for (auto [n, i] : std::initializer_list<std::pair<const char*, int>>{{"LblVOFT", 9},
                                                                        {"LblVOFT", 10},
                                                                        {"LblVOFT", 12},
                                                                        {"lblUnit", 11},
                                                                        {"lblUnit", 12},
                                                                        {"EmisionUiso", -1},
                                                                        {"Pris", -1},
                                                                        {"Energienh", -1},
                                                                        {"Drift", -1},
                                                                        {"LblVOFT", 15},
                                                                        {"VTU", -1},
                                                                        {"lblUnit", 9},
                                                                        {"LblVOFT", 16},
                                                                        {"Bespar", -1},
                                                                        {"lblUnit", 10}})
    control(n, i).setEnabled(true);
  FillPipeEmissivityCombo(control("EmisionUiso"));
  FillEnergyCombo(control("Energienh"));
  if (isSet("ROR"))
    ShowPipeSavingsLabels();
  else
    ShowPlaneSavingsLabels();
  control("RORL").setFocus();
}

bool frmCalc01::ValidateInput() {
  InputCheck check(*this);
  checkPipeAndPlane(check, isSet("optInSite", 1));
  checkMediumGiven(check);
  checkTemperaturesDiffer(check);
  checkEmissivity(check);
  checkProductChosen(check);
  const auto thickness = checked(check, "ISOLERINGST");
  check.test(thickness && (*thickness <= 0 || *thickness >= 1000), 10);
  checkWind(check);
  checkAmbientGiven(check);
  checkTemperatures(check, {"MEDIETEMP", "Omgivende"});

  if (control("cbxSave").value() == 1) {
    check.beginSavings(control("Besparelses_data").caption());
    check.test(checked(check, "RORL") == 0.0, isSet("ROR") ? 5 : 4);
    check.test(InputCheck::notChosen(control("EmisionUiso").text()), 13);
    const auto bare = checked(check, "EmisionUiso");
    check.test(bare && (*bare <= 0 || *bare >= 1), 14);
    // As with the product: a unit text that names no entry of the list is no unit.
    Control& unit = control("Energienh");
    check.test(InputCheck::notChosen(unit.text()) || unit.listIndex() < 0, 15);
    check.test(checked(check, "Pris") == 0.0, 16);
    check.test(checked(check, "Drift") == 0.0, 17);
  }
  return check.finish();
}

// A fixed-point search on the surface temperature: the surface coefficient depends on the
// surface temperature, which depends on the heat flow, which depends on the coefficient.
CalcForm::SearchEnd frmCalc01::calculate() {
  FX& s = fx();
  const double e = num("Emission");
  const double ta = num("Omgivende");
  const double ti = num("MEDIETEMP");
  ConductivityAtMean((ta + ti) / 2);
  const bool pipe = isSet("ROR");
  const bool inside = isSet("optInSite", 0);
  Control& iso = control("ISOLERINGST");
  Control& ovf = control("OVERFLADE");
  Control& wind = control("VINDHASTIGHED");
  Control& lod = control("LOD");
  auto windSpeed = [&] { return inside ? 0.0 : ParseNumber(wind.text()); };

  // Swedish pipe sections come in their own thicknesses: the section's stands in for the
  // chosen one during the run.
  chosenThickness_.reset();
  if (auto section = sectionThickness()) {
    Control& actual = control("txtAktTykk");
    actual.setText(*section);
    if (actual.text() == "?") {
      actual.setText(iso.text());
      app().platform().msgBox(s.TextTable[203], forms::mb::Critical, s.TextTable[102]);
    } else {
      chosenThickness_ = iso.text();
      iso.setText(actual.text());
    }
  }

  s.HeatFlow = 7.0;
  double c = 0;
  double qPrev = 0;
  float hPrev = 0;
  double ts = 0;
  int passes = 0;
  SearchEnd end;
  double D = 0, H = 0, De = 0;

  if (pipe) {
    D = num("RORCOM") / 1000;
    s.TwoThicknessM = 2 * num("ISOLERINGST") / 1000;
    De = s.TwoThicknessM + D;
    ovf.setText(RoundTripText(ta + 0.0001));
    ts = ParseNumber(ovf.text());
    end = settlePipeHeatFlow({true, inside, lod.isSet(), De, e}, ti, ta, D, windSpeed(), ts, qPrev);
  } else {
    H = num("PLANH") / 1000;
    s.TwoThicknessM = num("ISOLERINGST") / 1000;
    ovf.setText(RoundTripText(ta + 0.0001));
    ts = ParseNumber(ovf.text());
    const Surface g{false, inside, lod.isSet(), H, e};
    while (passes < 2 || std::abs(qPrev - s.HeatFlow) > std::abs(0.01 * s.HeatFlow)) {
      hPrev = static_cast<float>(s.SurfaceCoefficient);
      qPrev = s.HeatFlow;
      surfaceCoefficient(g, ts, ta, windSpeed());
      if (s.Lambda == 0 || s.SurfaceCoefficient == 0)
        throw RunTimeError(RunTimeError::DivisionByZero);
      s.HeatFlow = finite((ti - ta) / (s.TwoThicknessM / s.Lambda + 1 / s.SurfaceCoefficient));
      ts = finite(s.HeatFlow / s.SurfaceCoefficient + ta);
      ovf.setText(RoundTripText(ts));  // the box shows the running value
      ++passes;
      c += 0.1;
      // The plane search has a limit of its own; a run that converges within it is a result.
      if (c > 1500) {
        if (std::abs(qPrev - s.HeatFlow) < 5) {
          s.HeatFlow = (s.HeatFlow + qPrev) / 2;
          s.SurfaceCoefficient = (hPrev + s.SurfaceCoefficient) / 2;
          ts = finite(s.HeatFlow / s.SurfaceCoefficient + ta);
          convection({false, inside, true, H, e}, ts, ta, windSpeed());
          c = 0;
        } else {
          end.converged = false;
        }
        break;
      }
    }
  }

  s.HeatFlow = (s.HeatFlow + qPrev) / 2;
  const double q = s.HeatFlow;

  FillDetails(s.SurfaceCoefficient, s.RadiativeCoefficient, s.ConvectiveCoefficient, s.HeatFlow, ts,
              s.FlowRegimeText, caption());
  ovf.setText(PointText(RoundHalfEven(ts, 0)));
  control("VT").setText(PointText(RoundHalfEven(q, s.HeatLossDecimals)));
  s.ResultValid[calcType()] = true;

  if (control("cbxSave").value() == 1) {
    int position = control("Energienh").listIndex();
    if (position < 0 || position > 255) throw RunTimeError(RunTimeError::Overflow);
    uint8_t energyUnit = static_cast<uint8_t>(position);
    double bareSurface = ts;
    savingsStep([&] {
      CalcEnergySavings(ParseNumber(wind.text()), num("EmisionUiso"), num("RORL"), pipe ? D : H,
                        bareSurface, ta, q, ti, isSet("VAND"), inside,
                        Money::FromDouble(num("Pris")), num("Drift"), energyUnit, pipe, *this);
    });
  }
  return end;
}

void frmCalc01::closingSteps() {
  // The chosen thickness comes back; that is no change of the input, the results stand.
  if (chosenThickness_) control("ISOLERINGST").setTextSilently(*chosenThickness_);
  chosenThickness_.reset();
}

}  // namespace veltaro
