#include "calc/frmCalc24.h"

#include <cmath>
#include <initializer_list>
#include <utility>

#include "calc/InputCheck.h"
#include "calc/LayerStack.h"
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

namespace {
constexpr const char* kCrLf = "\r\n";

using Element = std::pair<const char*, int>;

// A thickness typed into a list: the whole trimmed text must be a number ("." or ","), else
// nothing is read.
bool wholeNumber(const std::string& text, double& value) {
  const std::string t = TrimSpaces(text);
  std::size_t i = (!t.empty() && (t[0] == '-' || t[0] == '+')) ? 1 : 0;
  bool digit = false, separator = false;
  for (; i < t.size(); ++i) {
    if (t[i] >= '0' && t[i] <= '9') {
      digit = true;
    } else if ((t[i] == '.' || t[i] == ',') && !separator) {
      separator = true;
    } else {
      return false;
    }
  }
  if (!digit) return false;
  value = ParseNumber(t);
  return true;
}

// The number at the start of a text: blanks, a sign, digits and one "." ("12,5" reads 12, "abc"
// reads 0).
double leadingNumber(const std::string& text) {
  std::size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return 0;
  std::size_t end = i;
  if (text[end] == '-' || text[end] == '+') ++end;
  bool point = false;
  while (end < text.size() &&
         ((text[end] >= '0' && text[end] <= '9') || (text[end] == '.' && !point))) {
    point = point || text[end] == '.';
    ++end;
  }
  return ParseNumber(text.substr(i, end - i));
}

// A Double stored into a 32-bit whole number, halves to even.
double wholeValue(double x) {
  const double r = RoundHalfEven(x);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw RunTimeError(RunTimeError::Overflow);
  return r;
}
}  // namespace

frmCalc24::frmCalc24() : CalcForm(kName, 24) {
  setCaption("Efterisolering");
  move(0, 0, 10020, 7510);
  const auto Frame = ControlKind::Frame, Option = ControlKind::OptionButton,
             Text = ControlKind::TextBox, Combo = ControlKind::ComboBox, Label = ControlKind::Label;
  const auto List = forms::ComboStyle::DropdownList;
  auto disabled = [](Control& c) -> Control& {
    c.setEnabled(false);
    return c;
  };

  Control& f2 = make(Frame, "Frame2", -1, nullptr, 60, 60, 4200, 1095, " Geometri ");
  make(Option, "ROR", -1, &f2, 120, 360, 1700, 255, "Rørdiameter").setValueSilently(1);
  make(Option, "PLAN", -1, &f2, 120, 720, 1700, 255, "Plan højde");
  make(Combo, "RORCOM", -1, &f2, 1900, 320, 1695, 315);
  disabled(make(Text, "PLANH", -1, &f2, 1900, 680, 1695, 315));
  disabled(make(Label, "lblUnit", 1, &f2, 3720, 765, 240, 195, "mm"));

  Control& f3 = make(Frame, "Frame3", -1, nullptr, 4360, 60, 1770, 1095, " Beliggenhed ");
  make(Option, "optInSite", 0, &f3, 120, 360, 1450, 255, "Indendørs").setValueSilently(1);
  make(Option, "optInSite", 1, &f3, 120, 720, 1450, 255, "Udendørs");

  Control& f4 = make(Frame, "Frame4", -1, nullptr, 6260, 60, 1770, 1095, " Orientering ");
  make(Option, "VAND", -1, &f4, 120, 360, 1450, 255, "Vandret").setValueSilently(1);
  make(Option, "LOD", -1, &f4, 120, 720, 1450, 255, "Lodret");

  // The two layers stand side by side: the existing one on the left, the new one on the right.
  Control& f5 = make(Frame, "Frame5", -1, nullptr, 60, 1200, 9800, 2430, " Inddata ");
  make(Label, "Lblflere24", 2, &f5, 120, 420, 1185, 195, "Medietemperatur");
  make(Text, "MEDIETEMP", -1, &f5, 2000, 360, 800, 315);
  make(Label, "lblUnit", 2, &f5, 2850, 420, 165, 195, "°C");
  make(Label, "Lblflere24", 8, &f5, 3300, 420, 2205, 390, "Omgivende temperatur");
  make(Text, "Omgivende", -1, &f5, 5630, 360, 800, 315);
  make(Label, "lblUnit", 6, &f5, 6495, 420, 165, 195, "°C");
  disabled(make(Label, "Lblflere24", 7, &f5, 7035, 420, 1005, 195, "Vindhastighed"));
  disabled(make(Text, "VINDHASTIGHED", -1, &f5, 8430, 360, 800, 315));
  disabled(make(Label, "lblUnit", 5, &f5, 9330, 420, 270, 195, "m/s"));
  make(Label, "Lblflere24", 17, &f5, 120, 795, 1425, 195, "Eksisterende lag");
  make(Label, "Lblflere24", 18, &f5, 4920, 795, 1860, 195, "Nyt yderste lag");
  make(Label, "Lblflere24", 4, &f5, 120, 1140, 1200, 195, "Produkt");
  make(Combo, "PRODUKT", 0, &f5, 2100, 1080, 2555, 315).setComboStyle(List);
  make(Label, "Lblflere24", 11, &f5, 4920, 1140, 1305, 195, "Nyt produkt");
  make(Combo, "PRODUKT", 1, &f5, 7100, 1080, 2555, 315).setComboStyle(List);
  make(Label, "Lblflere24", 5, &f5, 120, 1500, 1245, 195, "Isoleringstykkelse");
  make(Combo, "ISOLERINGST", 0, &f5, 2100, 1440, 1450, 315);
  make(Label, "lblUnit", 4, &f5, 3675, 1500, 495, 255, "mm");
  make(Label, "Lblflere24", 21, &f5, 4920, 1500, 1245, 195, "Isoleringstykkelse");
  make(Combo, "ISOLERINGST", 1, &f5, 7100, 1440, 1450, 315);
  make(Label, "lblUnit", 16, &f5, 8675, 1500, 495, 255, "mm");
  make(Label, "Lblflere24", 6, &f5, 120, 1860, 2000, 390, "Emissionstal");
  make(Combo, "Emission", 0, &f5, 2100, 1800, 2555, 315);
  make(Label, "Lblflere24", 20, &f5, 4920, 1860, 2200, 390, "Emissionstal, ny overflade");
  make(Combo, "Emission", 1, &f5, 7100, 1800, 2555, 315);

  // The savings block; the marine edition hides it at load.
  Control& sv = make(Frame, "Besparelses_data", -1, nullptr, 60, 3700, 4900, 3230, " Besparelse ");
  make(ControlKind::CheckBox, "cbxSave", -1, &sv, 120, 420, 4000, 210, "Medtag besparelse");
  disabled(make(Label, "Lblflere24", 3, &sv, 120, 960, 795, 195, "Rørlængde"));
  disabled(make(Label, "Lblflere24", 0, &sv, 120, 960, 1500, 195, "Areal")).setVisible(false);
  disabled(make(Text, "RORL", -1, &sv, 1640, 890, 1400, 315));
  disabled(make(Label, "lblUnit", 3, &sv, 3150, 960, 120, 195, "m"));
  disabled(make(Label, "lblUnit", 13, &sv, 3150, 960, 375, 255, "m²")).setVisible(false);
  disabled(make(Label, "Lblflere24", 10, &sv, 120, 1320, 900, 195, "Energienhed"));
  disabled(make(Combo, "Energienh", -1, &sv, 1640, 1240, 1400, 315)).setComboStyle(List);
  disabled(make(Text, "Pris", -1, &sv, 3100, 1255, 800, 315));
  disabled(make(Label, "lblUnit", 11, &sv, 3930, 1320, 675, 195, "kr/enhed"));
  disabled(make(Label, "Lblflere24", 12, &sv, 120, 1680, 525, 195, "Drift"));
  disabled(make(Text, "Drift", -1, &sv, 1640, 1605, 1400, 315, "8760"));
  disabled(make(Label, "lblUnit", 12, &sv, 3150, 1680, 390, 195, "timer"));

  Control& f6 = make(Frame, "Frame6", -1, nullptr, 5060, 3700, 4800, 3230, " Resultat ");
  make(Label, "Lblflere24", 22, &f6, 120, 420, 1470, 195, "Skilleflade");
  make(Text, "SkilTemp", -1, &f6, 3090, 360, 1060, 330);
  make(Label, "lblUnit", 17, &f6, 4215, 420, 165, 195, "°C");
  make(Label, "Lblflere24", 13, &f6, 120, 850, 1440, 195, "Overfladetemperatur");
  make(Text, "OVERFLADE", -1, &f6, 3090, 790, 1060, 330);
  make(Label, "lblUnit", 7, &f6, 4215, 850, 165, 195, "°C");
  make(Label, "Lblflere24", 15, &f6, 120, 1270, 900, 195, "Varmetab før");
  make(Text, "VTU", -1, &f6, 3090, 1220, 1060, 330);
  make(Label, "lblUnit", 9, &f6, 4210, 1270, 550, 195, "W/m");
  make(Label, "lblUnit", 15, &f6, 4210, 1270, 550, 250, "W/m²").setVisible(false);
  make(Label, "Lblflere24", 14, &f6, 120, 1700, 2930, 390, "Varmetab efter");
  make(Text, "VT", -1, &f6, 3090, 1650, 1060, 330);
  make(Label, "lblUnit", 8, &f6, 4210, 1720, 550, 195, "W/m");
  make(Label, "lblUnit", 14, &f6, 4210, 1720, 550, 210, "W/m²").setVisible(false);
  disabled(make(Label, "Lblflere24", 16, &f6, 120, 2190, 1635, 195, "Besparelse pr. år"));
  make(Text, "Bespar", -1, &f6, 3090, 2130, 1060, 330);
  disabled(make(Label, "lblUnit", 10, &f6, 4215, 2190, 150, 195, "kr"));
  make(ControlKind::CommandButton, "Beregn", -1, &f6, 3090, 2700, 1060, 375, "Beregn");

  boldDesignFont({"Frame2", "Frame3", "Frame4", "Frame5", "Frame6", "Besparelses_data"});
  for (int heading : {17, 18}) control("Lblflere24", heading).setFontBold(true);
  for (const char* result : {"SkilTemp", "OVERFLADE", "VT", "VTU", "Bespar"}) {
    Control& box = control(result);
    box.setFont(forms::Font{"MS Sans Serif", 8.25, true});
    resultBox(box, true);
    box.setMousePointer(forms::kPointerNoDrop);
  }
  tabOrder({{"ROR"},
            {"RORCOM"},
            {"PLAN"},
            {"PLANH"},
            {"optInSite", 0},
            {"optInSite", 1},
            {"VAND"},
            {"LOD"},
            {"MEDIETEMP"},
            {"Omgivende"},
            {"VINDHASTIGHED"},
            {"PRODUKT", 0},
            {"ISOLERINGST", 0},
            {"Emission", 0},
            {"PRODUKT", 1},
            {"ISOLERINGST", 1},
            {"Emission", 1},
            {"cbxSave"},
            {"RORL"},
            {"Energienh"},
            {"Pris"},
            {"Drift"},
            {"OVERFLADE"},
            {"VT"},
            {"VTU"},
            {"Bespar"},
            {"SkilTemp"},
            {"Beregn"}});

  // The input rules, by control; the layer arrays' elements each follow their array's rules.
  enum Rule {
    Change = 1,
    TextFocus = 2,
    ListFocus = 4,
    ListLeave = 8,
    Unsigned = 16,
    Loose = 32,
    NoTyping = 64,
    Normalise = 128
  };
  const std::pair<const char*, int> rules[] = {
      {"RORCOM", Change | ListFocus | Unsigned | ListLeave},  // leaving it ignores errors
      {"PLANH", Change | TextFocus | Unsigned | Normalise},
      {"MEDIETEMP", Change | TextFocus | Loose | Normalise},
      {"Omgivende", Change | TextFocus | Loose | Normalise},
      {"VINDHASTIGHED", Change | TextFocus | Unsigned | Normalise},
      {"PRODUKT", ListFocus | NoTyping},
      {"ISOLERINGST", Change | ListFocus | Unsigned | ListLeave},
      {"Emission", Change | ListFocus | Unsigned | ListLeave},
      {"RORL", Change | TextFocus | Unsigned | Normalise},
      {"Pris", Change | TextFocus | Unsigned | Normalise},
      {"Drift", Change | TextFocus | Unsigned | Normalise},
      {"Energienh", Change | ListFocus | NoTyping | ListLeave}};
  for (auto [name, r] : rules) {
    std::vector<Control*> elements = controlArray(name);
    if (elements.empty()) elements.push_back(&control(name));
    for (Control* c : elements) {
      if (r & Change) clearOnChange(*c);
      if (r & TextFocus) selectTextOnFocus(*c);
      if (r & ListFocus) storeListIndexOnFocus(*c);
      if (r & ListLeave) clearIfListIndexChanged(*c);
      if (r & Unsigned) unsignedKeys(*c);
      if (r & Loose) looseSignKeys(*c);
      if (r & NoTyping) noTyping(*c);
      if (r & Normalise) normaliseOnLeave(*c);
    }
  }

  // The template's geometry switch: "mm" beside PLANH, the heat-loss units, the wind caption.
  units_ = {1, 8, 14, 5, "Lblflere24", 7, false};
  control("ROR").onClick = [this] { SetPipeMode(); };
  control("PLAN").onClick = [this] { SetPlaneMode(); };
  control("LOD").onClick = [this] { ClearResults(); };
  control("VAND").onClick = [this] { ClearResults(); };
  for (int i : {0, 1}) {
    control("optInSite", i).onClick = [this] { optInSite_Click(); };
    control("PRODUKT", i).onClick = [this, i] { PRODUKT_Click(i); };
    control("PRODUKT", i).onKeyDown = [this, i](int& k, int) { PRODUKT_KeyDown(i, k); };
  }
  control("RORCOM").onClick = [this] { RORCOM_Click(); };
  control("cbxSave").onClick = [this] { cbxSave_Click(); };
  control("Beregn").onClick = [this] { Beregn_Click(); };
}

std::vector<CalcForm::CaptionLine> frmCalc24::captionLines() const {
  return {{"Frame2", -1, 88},      {"ROR", -1, 89},
          {"PLAN", -1, 90},        {"Frame3", -1, 91},
          {"optInSite", 0, 92},    {"optInSite", 1, 93},
          {"Frame4", -1, 94},      {"VAND", -1, 95},
          {"LOD", -1, 96},         {"Frame5", -1, 100},
          {"Lblflere24", 0, 168},  {"Lblflere24", 2, 101},
          {"Lblflere24", 4, 167},  {"Lblflere24", 5, 102},
          {"Lblflere24", 7, 103},  {"Lblflere24", 8, 104},
          {"Lblflere24", 3, 105},  {"Lblflere24", 10, 107},
          {"Lblflere24", 11, 166}, {"Lblflere24", 12, 108},
          {"lblUnit", 12, 109},    {"lblUnit", 11, 110},
          {"Frame6", -1, 112},     {"Lblflere24", 13, 113},
          {"Beregn", -1, 117},     {"lblUnit", 10, 119},
          {"Lblflere24", 22, 125}, {"Besparelses_data", -1, 126},
          {"Lblflere24", 17, 127}, {"Lblflere24", 18, 128},
          {"Lblflere24", 6, 129},  {"Lblflere24", 20, 130},
          {"Lblflere24", 21, 102}, {"Lblflere24", 15, 131},
          {"Lblflere24", 14, 132}, {"Lblflere24", 16, 133},
          {"cbxSave", -1, 165}};
}

// The marine edition has no savings: the frame and the saving's row are hidden, nothing moves.
void frmCalc24::loadLayout() {
  const bool marine = fx().CountryCode == "MRN";
  control("Besparelses_data").setVisible(!marine);
  if (!marine) return;
  for (auto [n, i] : {Element{"Lblflere24", 16}, {"lblUnit", 10}, {"Bespar", -1}})
    control(n, i).setVisible(false);
}

void frmCalc24::fillProductLists() {
  FillProductCombo(control("PRODUKT", 0));
  FillProductCombo(control("PRODUKT", 1));
}

bool frmCalc24::indoors() const {
  return const_cast<frmCalc24*>(this)->control("optInSite", 0).isSet();
}

// ---------------------------------------------------------------- label sets and switches

// The savings row names the pipe length ("m") or the plane area ("m²") and is enabled with the
// savings; the two heat losses read W/m or W/m² by the geometry alone.
void frmCalc24::showLabelSet(bool plane, bool savings) {
  for (auto [n, i, shownOnPlane] : {std::tuple{"Lblflere24", 0, true},
                                    {"Lblflere24", 3, false},
                                    {"lblUnit", 13, true},
                                    {"lblUnit", 3, false}}) {
    Control& c = control(n, i);
    c.setEnabled(savings);
    c.setVisible(shownOnPlane == plane);
  }
  control("RORL").setEnabled(savings);
  for (int pipeUnit : {8, 9}) control("lblUnit", pipeUnit).setVisible(!plane);
  for (int planeUnit : {14, 15}) control("lblUnit", planeUnit).setVisible(plane);
}

// Switching the savings leaves the results standing: it only enables or greys the rows.
void frmCalc24::cbxSave_Click() {
  const bool on = control("cbxSave").value() != 0;
  for (auto [n, i] : {Element{"Lblflere24", 3},
                      {"Lblflere24", 10},
                      {"Lblflere24", 12},
                      {"lblUnit", 11},
                      {"lblUnit", 12},
                      {"lblUnit", 13},
                      {"Pris", -1},
                      {"Energienh", -1},
                      {"Drift", -1},
                      {"Lblflere24", 16},
                      {"Bespar", -1},
                      {"lblUnit", 10}})
    control(n, i).setEnabled(on);
  if (!on) {
    // The rest of the savings row; switched on, the label set takes care of it.
    for (auto [n, i] : {Element{"Lblflere24", 0}, {"lblUnit", 3}, {"RORL", -1}})
      control(n, i).setEnabled(false);
    return;
  }
  FillEnergyCombo(control("Energienh"));
  if (isSet("ROR"))
    ShowPipeSavingsLabels();
  else
    ShowPlaneSavingsLabels();
  control("RORL").setFocus();
}

// The energy units are filled when the savings are switched on.
bool frmCalc24::fillListAsItsHandlerWould(Control& list) {
  if (&list != &control("Energienh")) return false;
  FillEnergyCombo(list);
  return true;
}

// The template's switch, then the label set of the new geometry and the savings state.
void frmCalc24::SetPipeMode() {
  CalcForm::SetPipeMode();
  if (control("cbxSave").value() == 1)
    ShowPipeSavingsLabels();
  else
    ShowPipeLabels();
}

void frmCalc24::SetPlaneMode() {
  CalcForm::SetPlaneMode();
  if (control("cbxSave").value() == 1)
    ShowPlaneSavingsLabels();
  else
    ShowPlaneLabels();
}

// Indoors greys the wind row. The existing layer's thickness caption stays as its box: greyed
// with the wind, it came back grey beside its enabled box in every reopened indoor case.
void frmCalc24::optInSite_Click() {
  ClearResults();
  const bool inside = indoors();
  for (auto [n, i] : {Element{"VINDHASTIGHED", -1}, {"Lblflere24", 7}, {"lblUnit", 5}})
    control(n, i).setEnabled(!inside);
  if (inside && !isSet("ROR")) {
    control("LOD").setValue(1);
    control("VAND").setEnabled(false);
  } else {
    control("VAND").setEnabled(true);
  }
}

// ---------------------------------------------------------------- product and pipe-size choice

void frmCalc24::askPipeSection(Control& back, bool withDiameterLine) {
  // The new layer goes round the existing insulation: its pipe size is that outer diameter.
  const double D = num("RORCOM");
  const std::string typed = TrimSpaces(control("ISOLERINGST", 0).text());
  double s = 0;
  const bool readable = wholeNumber(typed, s);
  const double outer = D + 2 * s;
  std::string line;
  if (withDiameterLine && readable)
    line = "( Ø = " + PointText(D) + " + 2 x " + typed + " = " + PointText(outer) + " mm )";
  const int answer = PipeOnlyCheck(LocaleText(outer), control("PRODUKT", 1).text(), line);
  if (answer == 1)
    control("ISOLERINGST", 1).setFocus();
  else if (answer == 2)
    back.setFocus();
}

// A diameter chosen: the new layer's product is tried at the existing insulation's outer
// diameter. Each step runs on when one before it fails.
void frmCalc24::RORCOM_Click() {
  Control& rorcom = control("RORCOM");
  ignoringErrors([&] {
    if (rorcom.listIndex() != ListIndexOnFocus) ClearResults();
  });
  if (isSet("PLAN")) return;
  Control& existing = control("ISOLERINGST", 0);
  ignoringErrors([&] {
    if (TrimSpaces(existing.text()).empty()) existing.setText("0");
  });
  ignoringErrors([&] { askPipeSection(rorcom, false); });
}

void frmCalc24::PRODUKT_Click(int i) {
  Control& produkt = control("PRODUKT", i);
  ignoringErrors([&] {
    const int k = produkt.listIndex();
    if (k == -1) {
      const FX& s = fx();
      app().platform().msgBox(s.TextTable[59], forms::mb::Critical, s.TextTable[60]);
      produkt.setFocus();
    } else {
      FillThicknessCombo(k, control("ISOLERINGST", i));
      SelectLayerProduct(k, i);
    }
  });
  ignoringErrors([&] {
    if (produkt.listIndex() != ListIndexOnFocus) ClearResults();
  });
  // Only the new layer on a pipe raises the pipe-section question.
  if (isSet("PLAN") || i != 1) return;
  ignoringErrors([&] { askPipeSection(produkt, true); });
}

void frmCalc24::PRODUKT_KeyDown(int i, int& keyCode) {
  if (keyCode == forms::key::Return) control("ISOLERINGST", i).setFocus();
  // The product is chosen with the arrow keys, F4 and the mouse only.
  if (keyCode != forms::key::Down && keyCode != forms::key::Return && keyCode != forms::key::Up &&
      keyCode != forms::key::F4)
    keyCode = 0;
}

// ---------------------------------------------------------------- input check

void frmCalc24::checkLayer(InputCheck& check, int layer, int firstLine) {
  // A product text that names no product of the list counts as not chosen, as on the other
  // windows: the run takes each layer's coefficients from its chosen product.
  Control& produkt = control("PRODUKT", layer);
  check.test(InputCheck::notChosen(produkt.text()) || produkt.listIndex() < 0, firstLine);
  const std::string& thickness = control("ISOLERINGST", layer).text();
  const bool noThickness = InputCheck::notChosen(thickness) || thickness.empty();
  check.test(noThickness, firstLine + 1);
  if (!noThickness) {
    const auto t = checked(check, "ISOLERINGST", layer);
    check.test(t && (*t <= 0 || *t >= 1000), firstLine + 2);
  }
  const bool noEmissivity = InputCheck::notChosen(control("Emission", layer).text());
  check.test(noEmissivity, firstLine + 3);
  if (!noEmissivity) {
    const auto e = checked(check, "Emission", layer);
    check.test(e && (*e <= 0 || *e >= 1), firstLine + 4);
  }
}

bool frmCalc24::ValidateInput() {
  InputCheck check(*this);
  checkPipeAndPlane(check, isSet("optInSite", 1));
  checkMediumGiven(check);
  checkTemperaturesDiffer(check);
  checkWind(check);
  checkAmbientGiven(check);
  checkLayer(check, 0, 49);
  checkLayer(check, 1, 54);
  checkTemperatures(check, {"MEDIETEMP", "Omgivende"});

  if (control("cbxSave").value() == 1) {
    check.beginSavings(control("Besparelses_data").caption());
    // The length is read up to its first character that is no digit ("12,5" reads 12).
    if (checked(check, "RORL"))
      check.test(leadingNumber(control("RORL").text()) == 0, isSet("ROR") ? 5 : 4);
    // As with the products: a unit text that names no entry of the list is no unit.
    Control& unit = control("Energienh");
    check.test(InputCheck::notChosen(unit.text()) || unit.listIndex() < 0, 15);
    check.test(checked(check, "Pris") == 0.0, 16);
    check.test(checked(check, "Drift") == 0.0, 17);
  }
  return check.finish();
}

// ---------------------------------------------------------------- Calculate

// Each layer's conductivity comes from the product chosen in its own row: the shared per-layer
// coefficients are written by the product lists of the other multi-layer windows as well.
void frmCalc24::selectProducts() {
  for (int i : {0, 1}) {
    const int position = control("PRODUKT", i).listIndex();
    SelectProduct(position);
    SelectLayerProduct(position, i);
  }
}

// Before re-insulation: the existing layer alone, its conductivity fixed at the mean of medium
// and ambient temperature, the surface coefficient following the surface temperature until two
// heat flows agree within 0.01 %. The loop has its own pass counter and makes at least two
// passes: the start value of 7 is no previous pass.
bool frmCalc24::lossBefore(const Surface& g, double D, double s0, double tm, double ta,
                           double wind) {
  FX& s = fx();
  s.HeatFlow = 7.0;
  double ts = ta + 0.0001;
  double previous = 0;
  double c = 0;
  for (int passes = 0;
       passes < 2 || std::abs(previous - s.HeatFlow) > std::abs(0.0001 * s.HeatFlow); ++passes) {
    previous = s.HeatFlow;
    surfaceCoefficient(g, ts, ta, wind);
    if (g.pipe) {
      PipeHeatFlow(tm, ta, g.size, D);
      ts = finite(s.HeatFlow / (g.size * kPi * s.SurfaceCoefficient) + ta);
    } else {
      s.HeatFlow = finite((tm - ta) / (finite(s0 / s.Lambda) + finite(1 / s.SurfaceCoefficient)));
      ts = finite(s.HeatFlow / s.SurfaceCoefficient + ta);
    }
    c += 0.1;
    if (c > 1000) return false;
  }
  return true;
}

CalcForm::SearchEnd frmCalc24::calculate() {
  FX& s = fx();
  const double ta = num("Omgivende");
  const double tm = num("MEDIETEMP");
  const bool pipe = isSet("ROR");
  const bool inside = indoors();
  const bool vertical = isSet("LOD");
  const double wind = inside ? 0.0 : num("VINDHASTIGHED");
  const double D = pipe ? num("RORCOM") / 1000 : 0;
  const double H = pipe ? 0 : num("PLANH") / 1000;
  const double s0 = num("ISOLERINGST", 0) / 1000;
  const double s1 = num("ISOLERINGST", 1) / 1000;

  s.LambdaA = s.LayerLambdaA[1];
  s.LambdaB = s.LayerLambdaB[1];
  s.LambdaC = s.LayerLambdaC[1];
  ConductivityAtMean((ta + tm) / 2);
  const Surface old{pipe, inside, vertical, pipe ? D + 2 * s0 : H, num("Emission", 0)};
  if (!lossBefore(old, D, s0, tm, ta, wind)) return {false};
  const double qBefore = s.HeatFlow;

  // After: both layers as one stack, from fresh start values. An indoor plane takes the wall's
  // convection whatever its orientation.
  StackGeometry after;
  after.pipe = pipe;
  after.diameter = D;
  after.height = H;
  after.indoors = inside;
  after.vertical = vertical;
  after.wind = wind;
  after.emissivity = num("Emission", 1);
  LayerStack stack(after, 2, LayerThicknesses{s0, s1}, tm, ta);
  HeatFlowOptions options;
  options.indoorPlaneAsWall = true;
  if (stack.solveHeatFlow(options) != StackEnd::Converged) return {false};
  const double qAfter = s.HeatFlow;

  control("SkilTemp").setText(PointText(RoundHalfEven(s.LayerTemperatures[1])));
  control("VT").setText(PointText(RoundHalfEven(qAfter, s.HeatLossDecimals)));
  control("OVERFLADE").setText(PointText(RoundHalfEven(s.LayerTemperatures[2])));
  control("VTU").setText(PointText(RoundHalfEven(qBefore, s.HeatLossDecimals)));
  s.ResultValid[calcType()] = true;
  // The total thickness of a pipe's layers is kept here, not in the shared wall distance, which
  // the report prints as a distance.
  totalThicknessMm_ =
      pipe ? RoundHalfEven(num("ISOLERINGST", 0)) + RoundHalfEven(num("ISOLERINGST", 1)) : 0;
  if (control("cbxSave").value() == 1) savingsStep([&] { writeSavings(qBefore, qAfter); });
  return {};
}

// The yearly saving: kWh = (|loss before| − |loss after|) · pipe length or area · hours / 1000,
// priced in the chosen energy unit. A new layer that raises the loss saves a negative amount.
void frmCalc24::writeSavings(double qBefore, double qAfter) {
  const double length = wholeValue(num("RORL"));
  const double hours = wholeValue(num("Drift"));
  const Money kwh = SavedEnergy(qBefore, qAfter, length, hours);
  const int unit = control("Energienh").listIndex() + 1;
  const Money saving = PriceSavedEnergy(kwh, Money::FromDouble(num("Pris")), unit);
  control("Bespar").setText(PointText(saving.Rounded(0).ToDouble()));
}

// The distances are measured from both layers; outside Sweden the half diameter is rounded on
// its own.
void frmCalc24::handOffPipeDistances() {
  const double diameter = num("RORCOM");
  const double D = ToInt16(diameter);
  const double half = fx().CountryCode == "SE" ? D / 2 : RoundHalfEven(diameter / 2);
  CalcForm::handOffPipeDistances(D, totalThicknessMm_, half);
}

// Only the new layer's product is checked: the interface and the new surface are its faces.
void frmCalc24::warnProductLimits() {
  const FX& s = fx();
  const int position = control("PRODUKT", 1).listIndex();
  if (!s.ResultValid[calcType()] || !s.ProductTable.contains(position + 1)) return;
  const ProductRecord& p = s.ProductTable[position + 1];
  const double ti = num("SkilTemp");
  const double to = num("OVERFLADE");
  if (!(ti < p.TempLimit1 || ti > p.TempLimit2 || to < p.TempLimit1 || to > p.TempLimit2)) return;
  const std::string prompt = s.TextTable[71] + kCrLf + s.TextTable[72] + kCrLf + kCrLf + kCrLf +
                             p.Name + " : " + SignedPointText(p.TempLimit1) + " °C /" +
                             SignedPointText(p.TempLimit2) + " °C" + kCrLf + kCrLf +
                             s.TextTable[125] + " " + SignedPointText(ti) + " °C " + kCrLf +
                             s.TextTable[70] + " " + SignedPointText(to) + " °C" + kCrLf;
  app().platform().msgBox(prompt, forms::mb::Information, s.TextTable[74]);
}

}  // namespace veltaro
