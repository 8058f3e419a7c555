#include "calc/MultiLayerForm.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "calc/InputCheck.h"
#include "calc/LayerControls.h"
#include "calc/frmErrorInfo.h"
#include "core/Errors.h"
#include "core/Fx.h"
#include "core/Numbers.h"
#include "core/NumericInput.h"
#include "core/PipeTables.h"
#include "core/ReferenceData.h"
#include "forms/Application.h"

namespace veltaro {

using forms::Control;
using forms::ControlKind;

namespace {
constexpr const char* kCrLf = "\r\n";

// The layer count as the count box reads it: the number at the start of the text, with
// leading blanks skipped, an optional sign, digits (blanks between them ignored), a "." fraction
// and an exponent; whatever follows is ignored, and a text without a number is 0.
double LeadingNumber(std::string_view text) {
  std::string number;
  size_t i = 0;
  auto at = [&](size_t k) { return k < text.size() ? text[k] : '\0'; };
  while (at(i) == ' ') ++i;
  if (at(i) == '+' || at(i) == '-') number += text[i++];
  auto digits = [&] {
    while (std::isdigit(static_cast<unsigned char>(at(i))) || at(i) == ' ')
      if (text[i++] != ' ') number += text[i - 1];
  };
  digits();
  if (at(i) == '.') {
    number += text[i++];
    digits();
  }
  const char e = static_cast<char>(std::toupper(static_cast<unsigned char>(at(i))));
  if ((e == 'E' || e == 'D') && number.find_first_of("0123456789") != std::string::npos) {
    size_t k = i + 1;
    std::string exponent = "e";
    if (at(k) == '+' || at(k) == '-') exponent += text[k++];
    if (std::isdigit(static_cast<unsigned char>(at(k)))) {
      i = k;
      number += exponent;
      digits();
    }
  }
  if (number.find_first_of("0123456789") == std::string::npos) return 0;
  return std::strtod(number.c_str(), nullptr);
}

// The rows the count rule shows for a text: 2 to 6, a count between two whole numbers taken as
// the rows it shows (v - 1 to the nearest whole number, a half to the even one).
double RuleRows(std::string_view text) {
  return RoundHalfEven(std::clamp(LeadingNumber(text), 2.0, 6.0) - 1) + 1;
}
}  // namespace

MultiLayerForm::MultiLayerForm(const char* className, int calcNumber, const Design& d)
    : CalcForm(className, calcNumber), d_(d) {
  build();
  units_ = {2, 10, 13, 3, d_.labels, 2, false};
  bindHandlers();
}

// ---------------------------------------------------------------- the design

void MultiLayerForm::build() {
  const auto Frame = ControlKind::Frame, Option = ControlKind::OptionButton,
             Text = ControlKind::TextBox, Combo = ControlKind::ComboBox, Label = ControlKind::Label;
  const char* L = d_.labels;
  move(0, 0, d_.width, d_.height);

  Control& f2 = make(Frame, "Frame2", -1, nullptr, 60, 120, 4025, 1095);
  make(Option, "ROR", -1, &f2, 120, 360, 1700, 255).setValueSilently(1);
  make(Combo, "RORCOM", -1, &f2, d_.pipeLeft, 320, 1695, 315);
  make(Option, "PLAN", -1, &f2, 120, 720, 1700, 255);
  make(Text, "PLANH", -1, &f2, d_.pipeLeft, 680, 1695, 315).setEnabled(false);
  make(Label, "lblUnit", 2, &f2, d_.mmLeft, 765, 240, 195, "mm").setEnabled(false);

  Control& f3 = make(Frame, "Frame3", -1, nullptr, 60, 1300, 1950, 1095);
  make(Option, "INDE", -1, &f3, 120, 360, 1450, 255).setValueSilently(1);
  make(Option, "UDE", -1, &f3, 120, 720, 1450, 255);
  Control& f4 = make(Frame, "Frame4", -1, nullptr, 2185, 1300, 1890, 1095);
  make(Option, "VAND", -1, &f4, 120, 360, 1450, 255).setValueSilently(1);
  make(Option, "LOD", -1, &f4, 120, 720, 1450, 255);

  Control& in = make(Frame, "Inddata", -1, nullptr, 60, 2450, 4025, d_.inputHeight);
  make(Label, L, 1, &in, 120, d_.emissionLabelTop, 1500, d_.emissionLabelHeight);
  make(Combo, "Emission", -1, &in, 1620, d_.emissionTop, 2255, 315);
  make(Label, L, 2, &in, 120, d_.windLabelTop, 1005, 195).setEnabled(false);
  make(Text, "VINDHASTIGHED", -1, &in, 1620, d_.windTop, 1695, 315).setEnabled(false);
  make(Label, "lblUnit", 3, &in, 3495, d_.windLabelTop, 270, 195, "m/s").setEnabled(false);
  make(ControlKind::CommandButton, "Beregn", -1, nullptr, 1300, d_.calculateTop, 1575, 495);

  Control& fl = make(Frame, "Flerelag", -1, nullptr, 4200, 120, d_.layersWidth, d_.layersHeight);
  make(Label, L, 3, &fl, 120, 405, 615, 195);
  Control& count = make(Text, "AntalLag", -1, &fl, 1800, 360, 500, 315, "2");
  count.setToolTip(d_.countHint);
  make(Label, L, 4, &fl, 2805, 405, 1185, 195);
  make(Text, "MEDIETEMP", -1, &fl, 4750, 360, 735, 315);
  make(Label, "lblUnit", 4, &fl, 5595, 405, 165, 195, "°C");

  Control& rows = make(Frame, "Frame5", -1, &fl, 120, d_.rowsTop, 5790, 2930);
  make(Label, L, 5, &rows, 120, 240, 1305, 195);
  make(Label, L, 6, &rows, d_.thicknessHeadLeft, 240, 1020, 195);
  make(Label, L, 7, &rows, 4620, 200, d_.interfaceHeadWidth, 540);
  for (int i = 0; i < kMaxLayers; ++i) {
    const int top = 600 + 360 * i;
    make(Combo, "PRODUKT", i, &rows, 120, top, i == 0 ? d_.firstProductWidth : 2755, 315);
    make(d_.thicknessInput ? Combo : Text, "ISOLERINGST", i, &rows, d_.thicknessLeft, top,
         d_.thicknessWidth, d_.thicknessHeight);
    if (i == kMaxLayers - 1) break;
    make(Text, "Skilleflade", i, &rows, 4620, top + 180, 735, 315);
    make(Label, "lblUnit", i + 5, &rows, 5460, top + 225, 165, 195, "°C");
  }

  make(Label, L, 0, &fl, 120, d_.resultsTop, 720, 195);
  make(Label, L, 9, &fl, d_.resultLabelLeft, d_.resultsTop, 1440, 195);
  make(Text, "OVERFLADE", -1, &fl, 4750, d_.surfaceTop, 735, 315);
  make(Label, "lblUnit", 11, &fl, 5595, d_.surfaceUnitTop, 165, 195, "°C");
  make(Label, L, 10, &fl, d_.resultLabelLeft, d_.ambientLabelTop, d_.ambientLabelWidth, 390);
  make(Text, "Omgivende", -1, &fl, 4750, d_.ambientTop, 735, 315);
  make(Label, "lblUnit", 12, &fl, 5595, d_.ambientUnitTop, 165, 195, "°C");
  if (d_.lossInput) {
    make(Label, L, 8, &in, 120, 1655, 1500, 390);
    make(Text, "VT", -1, &in, 1620, 1600, 1695, 315);
    make(Label, "lblUnit", 10, &in, 3500, 1655, 425, 195, "W/m");
    make(Label, "lblUnit", 13, &in, 3495, 1655, 405, 195, "W/m²").setVisible(false);
  } else {
    make(Label, L, 8, &fl, 2400, d_.lossLabelTop, 2000, 390);
    make(Text, "VT", -1, &fl, 4560, d_.lossTop, 935, 315);
    make(Label, "lblUnit", 10, &fl, d_.lossUnitLeft, d_.lossLabelTop, 360, 195, "W/m");
    make(Label, "lblUnit", 13, &fl, d_.lossUnitLeft, d_.lossLabelTop, 405, 195, "W/m²")
        .setVisible(false);
  }

  // Result boxes: bold, shaded, read-only, and the no-drop pointer.
  auto result = [this](Control& c) {
    c.setFont(forms::Font{"MS Sans Serif", 8.25, true});
    c.setMousePointer(forms::kPointerNoDrop);
    resultBox(c, true);
  };
  if (!d_.lossInput) result(control("VT"));
  if (!d_.surfaceInput) result(control("OVERFLADE"));
  for (int i = 0; i < kMaxLayers; ++i) {
    if (d_.thicknessInput && i < kMaxLayers - 1) result(control("Skilleflade", i));
    if (!d_.thicknessInput) result(control("ISOLERINGST", i));
  }
  boldDesignFont({"Frame2", "Frame3", "Frame4", "Inddata", "Flerelag"});
  control(L, 0).setFontBold(true);

  // Tab order of the inputs, then the result boxes.
  int tab = 0;
  auto next = [&](const char* name, int index = -1) { control(name, index).setTabIndex(tab++); };
  for (const char* n : {"ROR", "RORCOM", "PLAN", "PLANH", "INDE", "UDE", "VAND", "LOD", "Emission",
                        "VINDHASTIGHED"})
    next(n);
  if (d_.lossInput) next("VT");
  next("AntalLag");
  next("MEDIETEMP");
  for (int i = 0; i < kMaxLayers; ++i) {
    next("PRODUKT", i);
    if (d_.thicknessInput)
      next("ISOLERINGST", i);
    else if (i < kMaxLayers - 1)
      next("Skilleflade", i);
  }
  if (d_.surfaceInput) next("OVERFLADE");
  next("Omgivende");
  next("Beregn");
  if (!d_.lossInput) next("VT");
  if (!d_.surfaceInput) next("OVERFLADE");
  for (int i = 0; i < kMaxLayers; ++i) {
    if (!d_.thicknessInput) next("ISOLERINGST", i);
    if (d_.thicknessInput && i < kMaxLayers - 1) next("Skilleflade", i);
  }
}

std::vector<CalcForm::CaptionLine> MultiLayerForm::captionLines() const {
  const char* L = d_.labels;
  return {{"Frame2", -1, 88},
          {"ROR", -1, 89},
          {"PLAN", -1, 90},
          {"Frame3", -1, 91},
          {"INDE", -1, 92},
          {"UDE", -1, 93},
          {"Frame4", -1, 94},
          {"VAND", -1, 95},
          {"LOD", -1, 96},
          {"Inddata", -1, 100},
          {"Flerelag", -1, 157},
          {L, 3, 170},
          {L, 4, 101},
          {L, 5, 166},
          {L, 6, 154},
          {L, 2, 103},
          {L, 8, 169},
          {L, 10, 104},
          {L, 0, 112},
          {L, 9, 113},
          {"Beregn", -1, 117},
          {L, 7, 125},
          {L, 1, 129}};
}

void MultiLayerForm::fillProductLists() {
  // The results heading is framed by blanks like the frames' captions.
  Control& heading = control(d_.labels, 0);
  heading.setCaption(" " + heading.text() + " ");
  double n = ParseNumber(control("AntalLag").text());
  ShowLayerControls(*this, n);
}

forms::Control* MultiLayerForm::nextAfterPipeSize() {
  return d_.thicknessInput ? &control("ISOLERINGST", 0) : &control("Skilleflade", 0);
}

// ---------------------------------------------------------------- handlers

void MultiLayerForm::bindHandlers() {
  const bool w23 = d_.lossInput;
  for (const char* n : {"MEDIETEMP", "Omgivende", "PLANH", "VINDHASTIGHED"}) {
    clearOnChange(control(n));
    selectTextOnFocus(control(n));
  }
  looseSignKeys(control("MEDIETEMP"));
  looseSignKeys(control("Omgivende"));
  unsignedKeys(control("VINDHASTIGHED"));
  if (d_.thicknessInput) normaliseOnLeave(control("Omgivende"));
  for (const char* n : {"PLANH", "RORCOM", "Emission"})
    w23 ? signedKeys(control(n)) : unsignedKeys(control(n));
  for (const char* n : {"Emission", "RORCOM"}) {
    clearOnChange(control(n));
    storeListIndexOnFocus(control(n));
    clearIfListIndexChanged(control(n));
  }
  const char* requirement = d_.surfaceInput ? "OVERFLADE" : d_.lossInput ? "VT" : nullptr;
  if (requirement) {
    clearOnChange(control(requirement));
    selectTextOnFocus(control(requirement));
    looseSignKeys(control(requirement));
  }
  if (d_.lossInput) normaliseOnLeave(control("VT"));

  for (int i = 0; i < kMaxLayers; ++i) {
    Control& product = control("PRODUKT", i);
    storeListIndexOnFocus(product);
    noTyping(product);
    product.onClick = [this, i] { PRODUKT_Click(i); };
    product.onKeyDown = [this](int& k, int) { PRODUKT_KeyDown(k); };
    if (d_.thicknessInput) {
      product.onLostFocus = [this, i] { PRODUKT_LostFocus(i); };
      Control& thickness = control("ISOLERINGST", i);
      clearOnChange(thickness);
      storeListIndexOnFocus(thickness);
      unsignedKeys(thickness);
      clearIfListIndexChanged(thickness);
    } else if (i < kMaxLayers - 1) {
      Control& face = control("Skilleflade", i);
      clearOnChange(face);
      selectTextOnFocus(face);
      looseSignKeys(face);
    }
  }

  Control& count = control("AntalLag");
  clearOnChange(count);
  count.onGotFocus = [this, &count] {
    ClearResults();
    count.setText("");
    count.setSelStart(0);
    count.setSelLength(0);
  };
  count.onLostFocus = [this] { AntalLag_LostFocus(); };

  control("ROR").onClick = [this] { SetPipeMode(); };
  control("PLAN").onClick = [this] { SetPlaneMode(); };
  if (d_.thicknessInput) control("PLAN").onGotFocus = [this] { ClearResults(); };
  control("INDE").onClick = [this] { INDE_Click(); };
  control("UDE").onClick = [this] { UDE_Click(); };
  control("LOD").onClick = [this] { ClearResults(); };
  control("VAND").onClick = [this] { ClearResults(); };
  control("RORCOM").onClick = [this] { RORCOM_Click(); };
  control("Beregn").onClick = [this] { Beregn_Click(); };
}

void MultiLayerForm::askPipeSize(int row) {
  // Only the innermost layer lies on the pipe.
  if (isSet("PLAN") || row != 0) return;
  int answer = 0;
  ignoringErrors(
      [&] { answer = PipeOnlyCheck(control("RORCOM").text(), control("PRODUKT", 0).text(), ""); });
  ignoringErrors([&] {
    if (answer == 1) {
      nextAfterPipeSize()->setFocus();
    } else if (answer == 2) {
      control("PRODUKT", 0).setFocus();
    }
  });
}

void MultiLayerForm::PRODUKT_Click(int i) {
  Control& product = control("PRODUKT", i);
  const int li = product.listIndex();
  ignoringErrors([&] {
    if (li == -1) {
      const FX& s = fx();
      app().platform().msgBox(s.TextTable[59], forms::mb::Critical, s.TextTable[60]);
      product.setFocus();
      return;
    }
    ClearResults();
    if (d_.thicknessInput) FillThicknessCombo(li, control("ISOLERINGST", i));
    SelectLayerProduct(li, i);
  });
  ignoringErrors([&] {
    if (product.listIndex() != ListIndexOnFocus) ClearResults();
  });
  askPipeSize(i);
}

// A row's thicknesses are filled by its product's click: from the product's position, or
// from the product its text names when the list holds it with no position.
bool MultiLayerForm::fillListAsItsHandlerWould(Control& list) {
  if (!d_.thicknessInput || list.name() != "ISOLERINGST" || list.index() < 0) return false;
  const Control& product = control("PRODUKT", list.index());
  int li = product.listIndex();
  for (int k = 0; li < 0 && k < product.listCount(); ++k)
    if (product.item(k) == TrimSpaces(product.text())) li = k;
  if (li < 0) return false;
  FillThicknessCombo(li, list);
  return true;
}

void MultiLayerForm::PRODUKT_LostFocus(int i) {
  Control& product = control("PRODUKT", i);
  ignoringErrors([&] {
    if (product.listIndex() != ListIndexOnFocus) ClearResults();
  });
  askPipeSize(i);
}

void MultiLayerForm::AntalLag_LostFocus() {
  Control& count = control("AntalLag");
  if (LeadingNumber(count.text()) < 2) count.setText("2");
  if (LeadingNumber(count.text()) > 6) count.setText("6");
  double n = LeadingNumber(count.text());
  // A count between two whole numbers would show the rows of one count and the interfaces of
  // another, and calculate with a third; it becomes the count of the rows it shows.
  const double rows = RoundHalfEven(n - 1) + 1;
  if (rows != n || ParseNumber(count.text()) != n) {
    n = rows;
    count.setText(IntegerText(static_cast<long long>(rows)));
  }
  ShowLayerControls(*this, n);
}

int MultiLayerForm::shownLayers() {
  int n = 0;
  while (n < kMaxLayers && control("PRODUKT", n).visible()) ++n;
  return n;
}

void MultiLayerForm::matchLayerRows() {
  // A count typed while the box still has the focus (Calculate from the menu or the toolbar)
  // has not shown its rows yet: the calculation must not use rows the user cannot see.
  // Any text the rule would rewrite or show with other rows counts, not only a count that reads
  // as another number: with four rows shown, "3.5" or "3,5" still shows three.
  const std::string& text = control("AntalLag").text();
  const double rows = RuleRows(text);
  if (rows != shownLayers() || RoundHalfEven(ParseNumber(text)) != rows) AntalLag_LostFocus();
}

// ---------------------------------------------------------------- Calculate

void MultiLayerForm::Beregn_Click() {
  struct PointerGuard {
    MultiLayerForm& w;
    ~PointerGuard() {
      if (w.isLoaded()) w.setMousePointer(forms::kPointerDefault);
    }
  } guard{*this};
  FX& s = fx();
  matchLayerRows();
  resetPipeDistances();
  const int n = shownLayers();
  for (int i = 0; i < n; ++i) {
    const int li = control("PRODUKT", i).listIndex();
    if (li == -1) break;
    SelectProduct(li);
  }
  setMousePointer(forms::kPointerHourglass);
  if (!ValidateInput()) {
    showInputErrors();
    setMousePointer(forms::kPointerDefault);
    return;
  }
  forms::app().unloadIfLoaded(frmErrorInfo::kName);
  // Every row calculates with the product it shows: the layer coefficients are shared by the
  // windows, and another window may have chosen a product for this layer since.
  const int16_t selected = s.SelectedProductNr;
  for (int i = 0; i < n; ++i) SelectLayerProduct(control("PRODUKT", i).listIndex(), i);
  s.SelectedProductNr = selected;

  totalThicknessMm_ = 0;
  Outcome outcome = Outcome::NoResult;
  try {
    outcome = solveLayers(n);
  } catch (const RunTimeError&) {
    outcome = Outcome::NoResult;  // a floating-point fault is no result
  }
  if (outcome == Outcome::NoResult) {
    ClearResults();
    showNonConvergence();
  }
  if (s.ResultValid[calcType()]) {
    const double D = num("RORCOM");
    const double whole = RoundHalfEven(D);
    handOffPipeDistances(whole, totalThicknessMm_,
                         d_.halfDiameterRounded ? RoundHalfEven(D / 2) : whole / 2);
  }
  warnLayerLimits(n);
  setMousePointer(forms::kPointerDefault);
}

StackGeometry MultiLayerForm::stackGeometry() {
  StackGeometry g;
  g.pipe = isSet("ROR");
  g.diameter = num("RORCOM") / 1000;
  g.height = num("PLANH") / 1000;
  g.indoors = isSet("INDE");
  g.vertical = isSet("LOD");
  g.wind = num("VINDHASTIGHED");
  g.emissivity = num("Emission");
  return g;
}

MultiLayerForm::Outcome MultiLayerForm::writeThicknesses(int n, const LayerThicknesses& s,
                                                         bool judgeRounded) {
  const FX& state = fx();
  if (judgeRounded)
    for (int i = 0; i < n; ++i)
      control("ISOLERINGST", i).setText(PointText(RoundHalfEven(1000 * s[i])));
  bool marked = false;
  double total = 0;  // whole millimetres, each layer rounded on its own
  for (int i = 0; i < n; ++i) {
    Control& box = control("ISOLERINGST", i);
    const double t = judgeRounded ? RoundHalfEven(ParseNumber(box.text())) : 1000 * s[i];
    const double mm = RoundHalfEven(t);
    total += mm;
    box.setText(PointText(mm));
    if (t < 0) {
      ClearResults();
      box.setText("< 0 !");
      marked = true;
    } else if (t > 1000) {
      ClearResults();
      box.setText(state.TextTable[65]);
      marked = true;
    }
  }
  totalThicknessMm_ = total;
  return marked ? Outcome::Rejected : Outcome::Result;
}

void MultiLayerForm::warnLayerLimits(int n) {
  const FX& s = fx();
  if (!s.ResultValid[calcType()]) return;
  const std::string degrees = [] {
    std::string r;
    for (int i = 0; i < 40; ++i) r += "°";
    return r;
  }();
  std::string text = s.TextTable[71] + kCrLf + s.TextTable[72] + kCrLf + kCrLf + kCrLf;
  bool found = false;
  for (int i = 0; i < n; ++i) {
    const int li = control("PRODUKT", i).listIndex();
    if (!s.ProductTable.contains(li + 1)) continue;
    const ProductRecord& p = s.ProductTable[li + 1];
    // The faces as the boxes show them: the interfaces and the surface rounded.
    const double warm = i == 0 ? num("MEDIETEMP") : num("Skilleflade", i - 1);
    const double cold = i == n - 1 ? num("OVERFLADE") : num("Skilleflade", i);
    auto outside = [&](double t) { return t < p.TempLimit1 || t > p.TempLimit2; };
    if (!outside(warm) && !outside(cold)) continue;
    found = true;
    text += p.Name + " : " + SignedPointText(p.TempLimit1) + " °C /" +
            SignedPointText(p.TempLimit2) + " °C" + kCrLf + kCrLf;
    // Interfaces are numbered from 1: interface j lies between layers j-1 and j.
    text += (i == 0 ? s.TextTable[69] : IntegerText(i) + ". " + s.TextTable[125]) + " " +
            PointText(warm) + " °C " + kCrLf;
    if (i == n - 1) {
      text += s.TextTable[70] + " " + PointText(cold) + " °C" + kCrLf + degrees;
    } else {
      text += IntegerText(i + 1) + ". " + s.TextTable[125] + " " + PointText(cold) + " °C" + kCrLf +
              degrees + kCrLf + kCrLf;
    }
  }
  if (found) app().platform().msgBox(text, forms::mb::Information, s.TextTable[74]);
}

// ---------------------------------------------------------------- input check helpers

bool MultiLayerForm::productMissing(int row) {
  const Control& product = control("PRODUKT", row);
  return InputCheck::notChosen(product.text()) || product.text().empty() || product.listIndex() < 0;
}

std::string MultiLayerForm::number(int k) {
  return " " + IntegerText(k);
}

std::string MultiLayerForm::numbered(int line, int k) {
  return fx().TextTable[line] + number(k);
}

void MultiLayerForm::checkRequirementInputs(InputCheck& check, int n) {
  checkGeometry(check, false);
  checkEmissivity(check);
  checkWind(check);
  checkMediumGiven(check);
  checkTemperaturesDiffer(check);
  checkLayerProducts(check, n);
}

void MultiLayerForm::checkGeometry(InputCheck& check, bool diameterAlways) {
  if (isSet("ROR")) {
    const bool notChosen = InputCheck::notChosen(control("RORCOM").text());
    check.test(notChosen, 1);
    const auto d = notChosen && !diameterAlways ? std::nullopt : checked(check, "RORCOM");
    check.test(d && (*d <= 0 || *d > 5000), 2);
  } else if (isSet("LOD") || isSet("UDE")) {
    // An indoor horizontal plane (from a case file only) has no height to check.
    const auto h = checked(check, "PLANH");
    check.test(h && (*h < 400 || *h > 20000), 3);
  }
}

void MultiLayerForm::checkLayerProducts(InputCheck& check, int n) {
  for (int r = 1; r <= n; ++r) check.test(productMissing(r - 1), numbered(33, r));
}

}  // namespace veltaro
