#include "calc/CalcForm.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>

#include "calc/InputCheck.h"
#include "calc/frmDetails.h"
#include "calc/frmErrorInfo.h"
#include "calc/frmPipedistance.h"
#include "calc/frmPipedistanceSE.h"
#include "core/Errors.h"
#include "core/Formula.h"
#include "core/Fx.h"
#include "core/MessageLines.h"
#include "core/Numbers.h"
#include "core/NumericInput.h"
#include "core/PipeTables.h"
#include "core/ProgramFiles.h"
#include "core/ReferenceData.h"
#include "forms/Application.h"

namespace veltaro {

using forms::Control;
using forms::ControlKind;

namespace {
constexpr const char* kCrLf = "\r\n";
constexpr const char* kFontName = "MS Sans Serif";

// The main window's state: 0 normal, 1 minimised, 2 maximised; a main window that is not
// loaded counts as normal.
int mainWindowState() {
  forms::Form* main = forms::app().find("mdiVeltaro");
  return main ? main->windowState() : forms::kStateNormal;
}

bool pipeDistancesWanted() {
  forms::Form* main = forms::app().find("mdiVeltaro");
  if (!main) return false;
  forms::MenuItem* item = main->findMenu("menuShowPipeDistance");
  return item && item->checked();
}

bool isSweden() {
  return fx().CountryCode == "SE";
}
}  // namespace

CalcForm::CalcForm(const char* className, int calcNumber)
    : forms::Form(className), number_(calcNumber), type_(CalcTypeOf(calcNumber)) {
  setMdiChild(true);
  // The window sees every key first, so that F1 holds whatever handlers its controls get.
  setKeyPreview(true);
}

// ---------------------------------------------------------------- building the design

Control& CalcForm::make(ControlKind kind, const char* name, int index, Control* container, int left,
                        int top, int width, int height, const char* caption) {
  Control& c = add(kind, name, index, container);
  c.move(left, top, width, height);
  if (caption) c.setTextSilently(caption);
  return c;
}

void CalcForm::makeSiteFrames(int planeUnit, int planeUnitTop, int planeHeightBox) {
  const auto Frame = ControlKind::Frame, Option = ControlKind::OptionButton;
  Control& f2 = make(Frame, "Frame2", -1, nullptr, 60, 60, 4200, 1095, " Geometri ");
  make(Option, "ROR", -1, &f2, 120, 360, 1700, 255, "Rørdiameter").setValueSilently(1);
  make(ControlKind::ComboBox, "RORCOM", -1, &f2, 1900, 320, 1695, 315);
  make(Option, "PLAN", -1, &f2, 120, 720, 1700, 255, "Plan højde");
  make(ControlKind::TextBox, "PLANH", -1, &f2, 1900, 680, 1695, planeHeightBox).setEnabled(false);
  make(ControlKind::Label, "lblUnit", planeUnit, &f2, 3720, planeUnitTop, 240, 195, "mm");

  Control& f3 = make(Frame, "Frame3", -1, nullptr, 4360, 60, 1695, 1095, " Beliggenhed ");
  make(Option, "INDE", -1, &f3, 120, 360, 1450, 255, "Indendørs").setValueSilently(1);
  make(Option, "UDE", -1, &f3, 120, 720, 1450, 255, "Udendørs");

  Control& f4 = make(Frame, "Frame4", -1, nullptr, 6160, 60, 1770, 1095, " Orientering ");
  make(Option, "VAND", -1, &f4, 120, 360, 1450, 255, "Vandret").setValueSilently(1);
  make(Option, "LOD", -1, &f4, 120, 720, 1450, 255, "Lodret");
}

void CalcForm::boldDesignFont(std::initializer_list<const char*> names) {
  for (const char* n : names) control(n).setFont(forms::Font{"MS Sans Serif", 8.25, true});
}

void CalcForm::resultBoxes(std::initializer_list<const char*> names, bool shaded) {
  for (const char* n : names) resultBox(control(n), shaded);
}

void CalcForm::resultBox(forms::Control& box, bool shaded) {
  box.setLocked(true);
  if (shaded) box.setBackColor(forms::kColor3DLight);
  results_.push_back(&box);
}

void CalcForm::clearResultBoxes() {
  for (forms::Control* box : results_) box->setText("");
}

void CalcForm::tabOrder(std::initializer_list<TabStop> stops) {
  int tab = 0;
  for (const TabStop& s : stops) control(s.name, s.index).setTabIndex(tab++);
}

void CalcForm::tabOrder(std::initializer_list<const char*> names) {
  int tab = 0;
  for (const char* n : names) control(n).setTabIndex(tab++);
}

double CalcForm::num(const char* name, int index) {
  return ParseNumber(control(name, index).text());
}

std::optional<double> CalcForm::checked(InputCheck& check, const char* name, int index) {
  return check.number(control(name, index));
}

bool CalcForm::isSet(const char* name, int index) {
  return control(name, index).isSet();
}

void CalcForm::put(const char* name, const std::string& text) {
  control(name).setText(text);
}

double CalcForm::finite(double x) {
  if (!std::isfinite(x)) throw RunTimeError(RunTimeError::Overflow);
  return x;
}

double CalcForm::readBox(const Control& box) {
  return ParseNumber(box.text());
}

void CalcForm::writeBox(Control& box, double x) {
  box.setText(RoundTripText(x));
}

// ---------------------------------------------------------------- lifecycle

void CalcForm::Form_Load() {
  FX& s = fx();
  if (s.StartupLoading) return;
  closePipeDistanceWindows();
  loadLayout();

  for (const CaptionLine& cl : captionLines()) {
    Control& c = control(cl.name, cl.index);
    const std::string& text = s.TextTable[cl.line];
    c.setCaption(c.kind() == ControlKind::Frame ? " " + text + " " : text);
    c.setFontName(kFontName);
    c.setFontSize(8);
  }
  setCaption(s.TextTable[windowCaptionLine()]);
  setFontName(kFontName);
  setFontSize(8);

  Placement p = placement();
  setTop(p.top);
  setHeight(p.height);
  setWidth(p.width);
  int mainState = mainWindowState();
  if (mainState == forms::kStateNormal) {
    setLeft(p.leftNormal);
  } else if (mainState == forms::kStateMaximized) {
    setLeft(p.leftMaximized);
    setTop(p.topMaximized);
  }

  fillProductLists();
  // One emissivity list, or one per element of the array.
  if (Control* single = findControl("Emission"))
    FillPlaneEmissivityCombo(*single);
  else
    for (Control* e : controlArray("Emission")) FillPlaneEmissivityCombo(*e);
  FillPipeDiameterCombo(control("RORCOM"));
  loadFinish();
  s.ActiveCalcNumber = static_cast<int16_t>(number_);
}

void CalcForm::Form_KeyDown(int& keyCode, int) {
  if (keyCode != forms::key::F1) return;
  keyCode = 0;
  showOwnHelp();
}

// The market's help folder holds a page per calculation beside its contents page; a folder
// without the page shows the contents.
void CalcForm::showOwnHelp() {
  const std::string contents = HelpFileFor(fx().CountryCode);
  char page[16];
  std::snprintf(page, sizeof page, "calc%02d.html", number_);
  const std::string own = contents.substr(0, contents.rfind('/') + 1) + page;
  app().platform().showHelp(FileExists(own) ? own : contents);
}

void CalcForm::fillProductLists() {
  FillProductCombo(control("PRODUKT"));
}

void CalcForm::Form_Activate() {
  if (windowState() == forms::kStateNormal) fx().ActiveCalcNumber = static_cast<int16_t>(number_);
}

void CalcForm::Form_Unload(int& /*cancel*/) {
  fx().ResultValid[type_] = false;
  closePipeDistanceWindows();
}

void CalcForm::closePipeDistanceWindows() {
  forms::app().unloadIfLoaded(frmPipedistance::kName);
  if (isSweden()) forms::app().unloadIfLoaded(frmPipedistanceSE::kName);
}

// ---------------------------------------------------------------- template operations

bool CalcForm::indoors() const {
  return const_cast<CalcForm*>(this)->control("INDE").isSet();
}

void CalcForm::ClearResults() {
  closePipeDistanceWindows();
  fx().ResultValid[type_] = false;
  clearResultBoxes();
  ClearDetails();
}

void CalcForm::showLossUnit(bool pipe) {
  if (units_.lossPipe < 0) return;
  control("lblUnit", units_.lossPlane).setVisible(!pipe);
  control("lblUnit", units_.lossPipe).setVisible(pipe);
}

void CalcForm::SetPipeMode() {
  ClearResults();
  Control& planh = control("PLANH");
  planh.setText("");
  planh.setEnabled(false);
  control("lblUnit", units_.planeHeight).setEnabled(false);
  showLossUnit(true);
  control("RORCOM").setEnabled(true);
  control("VAND").setEnabled(true);
  if (units_.pipeEnablesVertical) control("LOD").setEnabled(true);
  control("RORCOM").setFocus();
}

void CalcForm::SetPlaneMode() {
  ClearResults();
  Control& rorcom = control("RORCOM");
  rorcom.setText("");
  rorcom.setEnabled(false);
  control("PLANH").setEnabled(true);
  control("lblUnit", units_.planeHeight).setEnabled(true);
  showLossUnit(false);
  // Indoors a plane is always vertical.
  if (indoors()) {
    control("LOD").setValue(1);
    control("VAND").setEnabled(false);
  }
  control("PLANH").setText("1000");
  control("PLANH").setFocus();
}

void CalcForm::INDE_Click() {
  ClearResults();
  control("VINDHASTIGHED").setEnabled(false);
  control(units_.windCaptionArray, units_.windCaption).setEnabled(false);
  control("lblUnit", units_.wind).setEnabled(false);
  if (isSet("PLAN")) {
    control("LOD").setValue(1);
    control("VAND").setEnabled(false);
  }
}

void CalcForm::UDE_Click() {
  ClearResults();
  control("VINDHASTIGHED").setEnabled(true);
  control(units_.windCaptionArray, units_.windCaption).setEnabled(true);
  control("lblUnit", units_.wind).setEnabled(true);
  control("VAND").setEnabled(true);
}

void CalcForm::productChosen(int listIndex) {
  SelectProduct(listIndex);
}

void CalcForm::PRODUKT_Click() {
  Control& produkt = control("PRODUKT");
  int li = produkt.listIndex();
  ignoringErrors([&] {
    if (li == -1) {
      const FX& s = fx();
      app().platform().msgBox(s.TextTable[59], forms::mb::Critical, s.TextTable[60]);
      produkt.setFocus();
    } else {
      productChosen(li);
    }
  });
  ignoringErrors([&] {
    if (produkt.listIndex() != ListIndexOnFocus) ClearResults();
  });
  ignoringErrors([&] {
    if (isSet("PLAN")) return;
    int r = PipeOnlyCheck(control("RORCOM").text(), produkt.text(), "");
    if (r == 1) {
      if (Control* next = nextAfterProduct()) next->setFocus();
    } else if (r == 2) {
      produkt.setFocus();
    }
  });
}

void CalcForm::RORCOM_Click() {
  Control& rorcom = control("RORCOM");
  ignoringErrors([&] {
    if (rorcom.listIndex() != ListIndexOnFocus) ClearResults();
  });
  ignoringErrors([&] {
    if (!pipeQuestionInAnyGeometry() && isSet("PLAN")) return;
    int r = PipeOnlyCheck(rorcom.text(), pipeSizeProduct().text(), "");
    if (r == 1) {
      if (Control* next = nextAfterPipeSize()) next->setFocus();
    } else if (r == 2) {
      rorcom.setFocus();
    }
  });
}

void CalcForm::PRODUKT_KeyDown(int& keyCode) {
  if (keyCode == forms::key::Return) {
    if (Control* next = nextOnProductEnter()) next->setFocus();
  }
  // The product is chosen with the arrow keys, F4 and the mouse only.
  if (keyCode != forms::key::Down && keyCode != forms::key::Return && keyCode != forms::key::Up &&
      keyCode != forms::key::F4)
    keyCode = 0;
}

// ---------------------------------------------------------------- handler families

void CalcForm::clearOnChange(Control& c) {
  c.onChange = [this] { ClearResults(); };
}

void CalcForm::selectTextOnFocus(Control& c) {
  c.onGotFocus = [this, p = &c] {
    ClearResults();
    p->setSelStart(0);
    p->setSelLength(static_cast<int>(p->text().size()));
  };
}

void CalcForm::storeListIndexOnFocus(Control& c) {
  c.onGotFocus = [this, p = &c] {
    ClearResults();
    ListIndexOnFocus = static_cast<int16_t>(p->listIndex());
  };
}

void CalcForm::clearIfListIndexChanged(Control& c) {
  c.onLostFocus = [this, p = &c] {
    if (p->listIndex() != ListIndexOnFocus) ClearResults();
  };
}

namespace {
// What the box keeps of its text when a key arrives: a typed character replaces the selection,
// so a sign or separator that is selected no longer counts against the key.
std::string keptText(const Control& c) {
  std::string text = c.text();
  const auto start = std::min(static_cast<std::size_t>(std::max(c.selStart(), 0)), text.size());
  const auto length =
      std::min(static_cast<std::size_t>(std::max(c.selLength(), 0)), text.size() - start);
  return text.erase(start, length);
}
bool holdsSeparator(const std::string& text) {
  return text.find_first_of(",.") != std::string::npos;
}
// One decimal separator; "-" by the family's own rule.
void separatorRule(const Control& c, int& k) {
  if ((k == ',' || k == '.') && holdsSeparator(keptText(c))) k = 0;
}
}  // namespace

void CalcForm::unsignedKeys(Control& c) {
  c.onKeyPress = [p = &c](int& k) {
    separatorRule(*p, k);
    if (k == '-') k = 0;
    k = FilterNumericKey(k);
  };
}

void CalcForm::signedKeys(Control& c) {
  c.onKeyPress = [p = &c](int& k) {
    separatorRule(*p, k);
    if (k == '-' && keptText(*p).find('-') != std::string::npos) k = 0;
    k = FilterNumericKey(k);
  };
}

void CalcForm::looseSignKeys(Control& c) {
  c.onKeyPress = [p = &c](int& k) {
    separatorRule(*p, k);
    k = FilterNumericKey(k);
  };
}

void CalcForm::noTyping(Control& c) {
  c.onKeyPress = [](int& k) { k = 0; };
}

void CalcForm::normaliseOnLeave(Control& c) {
  c.onLostFocus = [p = &c] {
    // The box shows the number it holds in the locale's form, but only where that form reads
    // back as the same number: the exponent form (from 1E+15, below 1E-04, beyond the range of
    // a double) reads as 10000 or 0.0001, and 15 digits may round a longer number. Such a text
    // stays as typed, for the input check to see the true value.
    const double value = ParseNumber(p->text());
    const std::string shown = LocaleText(value);
    if (ParseNumber(shown) == value) p->setText(shown);
  };
}

void CalcForm::familyChange(std::initializer_list<const char*> names) {
  for (const char* n : names) clearOnChange(control(n));
}

void CalcForm::familyTextGotFocus(std::initializer_list<const char*> names) {
  for (const char* n : names) selectTextOnFocus(control(n));
}

void CalcForm::familyListGotFocus(std::initializer_list<const char*> names) {
  for (const char* n : names) storeListIndexOnFocus(control(n));
}

void CalcForm::familyOptionGotFocus(std::initializer_list<const char*> names) {
  for (const char* n : names) control(n).onGotFocus = [this] { ClearResults(); };
}

void CalcForm::familyListLostFocus(std::initializer_list<const char*> names) {
  for (const char* n : names) clearIfListIndexChanged(control(n));
}

void CalcForm::familyUnsignedKeys(std::initializer_list<const char*> names) {
  for (const char* n : names) unsignedKeys(control(n));
}

void CalcForm::familySignedKeys(std::initializer_list<const char*> names) {
  for (const char* n : names) signedKeys(control(n));
}

void CalcForm::familyWholeNumberKeys(std::initializer_list<const char*> names) {
  for (const char* n : names) {
    control(n).onKeyPress = [](int& k) {
      if (k == ',' || k == '-' || k == '.') k = 0;
      k = FilterNumericKey(k);
    };
  }
}

void CalcForm::familyNoTyping(std::initializer_list<const char*> names) {
  for (const char* n : names) noTyping(control(n));
}

void CalcForm::bindTemplateHandlers() {
  control("ROR").onClick = [this] { SetPipeMode(); };
  control("PLAN").onClick = [this] { SetPlaneMode(); };
  if (Control* inde = findControl("INDE")) inde->onClick = [this] { INDE_Click(); };
  if (Control* ude = findControl("UDE")) ude->onClick = [this] { UDE_Click(); };
  control("LOD").onClick = [this] { ClearResults(); };
  control("VAND").onClick = [this] { ClearResults(); };
  control("PRODUKT").onClick = [this] { PRODUKT_Click(); };
  control("PRODUKT").onKeyDown = [this](int& k, int) { PRODUKT_KeyDown(k); };
  control("RORCOM").onClick = [this] { RORCOM_Click(); };
  control("Beregn").onClick = [this] { Beregn_Click(); };
}

// ---------------------------------------------------------------- input check helpers

void CalcForm::checkPipeAndPlane(InputCheck& check, bool outdoors) {
  if (isSet("ROR")) {
    bool notChosen = InputCheck::notChosen(control("RORCOM").text());
    check.test(notChosen, 1);
    if (!notChosen) {
      const auto d = checked(check, "RORCOM");
      check.test(d && (*d <= 0 || *d > 5000), 2);
    }
  } else if (isSet("LOD") || outdoors) {
    const auto h = checked(check, "PLANH");
    check.test(h && (*h < 400 || *h > 20000), 3);
  }
}

void CalcForm::checkMediumGiven(InputCheck& check) {
  if (checked(check, "MEDIETEMP")) check.test(control("MEDIETEMP").text().empty(), 189);
}

void CalcForm::checkTemperaturesDiffer(InputCheck& check) {
  const auto ta = checked(check, "Omgivende"), tm = checked(check, "MEDIETEMP");
  check.test(ta && tm && *ta == *tm, 6);
}

void CalcForm::checkProductChosen(InputCheck& check) {
  // A product text that names no product of the list (the product file's default line when it
  // is not a product) counts as not chosen too: the calculation would otherwise run with the
  // coefficients of whatever product was selected last.
  Control& produkt = control("PRODUKT");
  check.test(InputCheck::notChosen(produkt.text()) || produkt.listIndex() < 0, 9);
}

void CalcForm::checkEmissivity(InputCheck& check) {
  bool notChosen = InputCheck::notChosen(control("Emission").text());
  check.test(notChosen, 7);
  if (!notChosen) {
    const auto e = checked(check, "Emission");
    check.test(e && (*e <= 0 || *e >= 1), 8);
  }
}

void CalcForm::checkWind(InputCheck& check) {
  Control& wind = control("VINDHASTIGHED");
  if (!wind.enabled()) return;
  const auto v = checked(check, "VINDHASTIGHED");
  check.test(v && (*v < 1 || *v > 50), 11);
}

void CalcForm::checkAmbientGiven(InputCheck& check) {
  if (checked(check, "Omgivende")) check.test(control("Omgivende").text().empty(), 12);
}

void CalcForm::checkTemperatures(InputCheck& check, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    std::vector<Control*> boxes = controlArray(name);
    if (boxes.empty()) boxes.push_back(&control(name));
    for (const Control* box : boxes) check.temperature(*box);
  }
}

// ---------------------------------------------------------------- Calculate frame

void CalcForm::surfaceCoefficient(const Surface& g, double& ts, double ta, double wind) {
  FX& s = fx();
  convection(g, ts, ta, wind);
  RadiationCoefficient(ts, ta, g.size, g.size, g.size, g.emissivity);
  s.SurfaceCoefficient = s.ConvectiveCoefficient + s.RadiativeCoefficient;
}

void CalcForm::convection(const Surface& g, double ts, double ta, double wind) {
  FX& s = fx();
  if (g.pipe) {
    if (!g.indoors)
      ConvectionPipeWind(wind, g.size, ts, ta);
    else if (g.vertical)
      ConvectionVerticalPipe(g.size, ts, ta);
    else
      ConvectionHorizontalPipe(g.size, ts, ta);
  } else {
    if (!g.indoors)
      ConvectionWallWind(wind, g.size, ts, ta);
    else if (g.vertical)
      ConvectionVerticalWall(g.size, ts, ta);
    else
      s.ConvectiveCoefficient = 0;  // the window never offers a horizontal plane indoors
  }
}

CalcForm::SearchEnd CalcForm::settlePipeHeatFlow(const Surface& g, double ti, double ta, double Di,
                                                 double wind, double& ts, double& qPrev) {
  FX& s = fx();
  SearchEnd end;
  s.HeatFlow = 7.0;
  qPrev = 0;
  float hPrev = 0;  // kept in single precision
  double c = 0;
  int passes = 0;
  // At least two passes: the start value 7 must not count as a converged previous pass.
  while (passes < 2 || std::abs(qPrev - s.HeatFlow) > std::abs(0.0001 * s.HeatFlow)) {
    hPrev = static_cast<float>(s.SurfaceCoefficient);
    qPrev = s.HeatFlow;
    surfaceCoefficient(g, ts, ta, wind);
    PipeHeatFlow(ti, ta, g.size, Di);
    ts = finite(s.HeatFlow / (g.size * kPi * s.SurfaceCoefficient) + ta);
    ++passes;
    c += 0.1;
    if (c > 1000) {
      // The divisor keeps its sign, so a negative heat flow always passes.
      if (finite(std::abs(s.HeatFlow - qPrev) / s.HeatFlow) * 100 < 2) {
        s.HeatFlow = (s.HeatFlow + qPrev) / 2;
        s.SurfaceCoefficient = (hPrev + s.SurfaceCoefficient) / 2;
        ts = finite(s.HeatFlow / (g.size * kPi * s.SurfaceCoefficient) + ta);
        convection(g, ts, ta, wind);
      } else {
        end.converged = false;
      }
      break;
    }
  }
  return end;
}

void CalcForm::Beregn_Click() {
  // The pointer comes back whatever way the run ends.
  struct PointerGuard {
    CalcForm& w;
    ~PointerGuard() {
      if (w.isLoaded()) w.setMousePointer(forms::kPointerDefault);
    }
  } guard{*this};
  runCalculation();
}

void CalcForm::runCalculation() {
  FX& s = fx();
  resetPipeDistances();
  setMousePointer(forms::kPointerHourglass);
  if (clearsResultsBeforeCheck()) ClearResults();

  if (!ValidateInput()) {
    showInputErrors();
    setMousePointer(forms::kPointerDefault);
    return;
  }
  forms::app().unloadIfLoaded(frmErrorInfo::kName);
  ClearResults();
  selectProducts();

  SearchEnd end;
  bool fault = false;
  try {
    end = calculate();
  } catch (const RunTimeError&) {
    fault = true;
  }

  if (fault) {
    // A floating-point fault never stands as a result.
    ClearResults();
    if (computesThickness() && faultWasRunawayThickness()) {
      put("ISOLERINGST", s.TextTable[65]);
      thicknessRejected();
    } else
      showNonConvergence();
  } else {
    bool thicknessRejected = false;
    if (computesThickness()) {
      // The checks read the box, so they see the rounded result.
      double t = num("ISOLERINGST");
      if (t < 0) {
        ClearResults();
        put("ISOLERINGST", "< 0 !");
        thicknessRejected = true;
      } else if (t > 1000) {
        ClearResults();
        put("ISOLERINGST", s.TextTable[65]);
        thicknessRejected = true;
      }
      if (thicknessRejected) this->thicknessRejected();
    }
    if (!thicknessRejected && !end.converged) {
      ClearResults();
      showNonConvergence();
    }
  }

  handOffPipeDistances();
  warnProductLimits();
  closingSteps();
  setMousePointer(forms::kPointerDefault);
}

void CalcForm::savingsStep(const std::function<void()>& step) {
  FX& s = fx();
  const double h = s.SurfaceCoefficient, hr = s.RadiativeCoefficient, hcv = s.ConvectiveCoefficient,
               q = s.HeatFlow;
  const std::string regime = s.FlowRegimeText;
  try {
    step();
  } catch (const RunTimeError& e) {
    if (e.kind() != RunTimeError::Overflow) throw;
    app().platform().msgBox(s.TextTable[lines::SavingTooLarge], forms::mb::Exclamation,
                            s.TextTable[126]);
  }
  s.SurfaceCoefficient = h;
  s.RadiativeCoefficient = hr;
  s.ConvectiveCoefficient = hcv;
  s.HeatFlow = q;
  s.FlowRegimeText = regime;
}

void CalcForm::resetPipeDistances() {
  FX& s = fx();
  const int k = type_;
  pipeDistances_ = {};
  forms::app().unloadIfLoaded(frmPipedistance::kName);
  s.PipeDistWall[k] = 0;
  s.PipeDistNext[k] = 0;
  if (isSweden()) {
    forms::app().unloadIfLoaded(frmPipedistanceSE::kName);
    s.PipeDistA = 0;
    s.PipeDistB = 0;
    s.PipeDistExtra1[k] = 0;
    s.PipeDistNext[k] = 0;
    s.PipeDistExtra2[k] = 0;
  }
}

void CalcForm::showInputErrors() {
  frmErrorInfo& errors = forms::app().get<frmErrorInfo>();
  errors.show();
  errors.setTopmost(true);
}

void CalcForm::showNonConvergence() {
  const FX& s = fx();
  app().platform().msgBox(s.TextTable[66] + kCrLf + s.TextTable[67] + kCrLf + s.TextTable[68],
                          forms::mb::OkOnly, s.TextTable[64]);
}

void CalcForm::selectProducts() {
  SelectProduct(control("PRODUKT").listIndex());
}

void CalcForm::handOffPipeDistances() {
  if (!pipeDistancesWanted() || !isSet("ROR") || !fx().ResultValid[type_]) return;
  const std::optional<double> thickness = pipeDistanceThickness();
  if (!thickness) return;
  const double D = ToInt16(num("RORCOM"));  // whole millimetres
  handOffPipeDistances(D, *thickness, D / 2);
}

void CalcForm::handOffPipeDistances(double D, double t, double halfDiameter) {
  FX& s = fx();
  const int k = type_;
  if (!pipeDistancesWanted() || !isSet("ROR") || !s.ResultValid[k]) return;
  const double centre = t + halfDiameter;
  if (!isSweden()) {
    s.PipeDistWall[k] = ToInt16(centre + 50);
    s.PipeDistNext[k] = ToInt16(centre + 25);
    frmPipedistance& w = forms::app().get<frmPipedistance>();
    w.control("Distwall").setText(IntegerText(s.PipeDistWall[k]));
    w.control("nextpipe").setText(IntegerText(s.PipeDistNext[k]));
    w.control("txtDummy").setFocus();
    pipeDistances_.computed = true;
    return;
  }
  // Swedish free distances by the size class of the insulated outer diameter.
  const double Dy = 2 * t + D;
  int A, B;
  if (Dy <= 160) {
    A = 50, B = 50;
  } else if (Dy <= 300) {
    A = 100, B = 50;
  } else if (Dy <= 500) {
    A = 150, B = 50;
  } else if (Dy <= 800) {
    A = 200, B = 100;
  } else {
    A = 300, B = 100;
  }
  s.PipeDistA = static_cast<int16_t>(A);
  s.PipeDistB = static_cast<int16_t>(B);
  s.PipeDistExtra1[k] = ToInt16(t + D / 2 + A);
  s.PipeDistNext[k] = ToInt16(t + D / 2 + B);
  s.PipeDistExtra2[k] = ToInt16(t + D / 2 + A / 2.0);
  frmPipedistanceSE& w = forms::app().get<frmPipedistanceSE>();
  w.control("DistwallSE").setText(IntegerText(s.PipeDistExtra1[k]));
  w.control("DistroofSE").setText(IntegerText(s.PipeDistNext[k]));
  w.control("nextpipeSE").setText(IntegerText(s.PipeDistExtra2[k]));
  w.control("AMA", 0).setText(IntegerText(A));
  w.control("AMA", 1).setText(IntegerText(B));
  w.control("txtDummy").setFocus();
  pipeDistances_ = {true, A, B};
}

std::optional<double> CalcForm::pipeDistanceThickness() {
  return num("ISOLERINGST");  // whole millimetres after the rounding
}

void CalcForm::warnProductLimits() {
  const FX& s = fx();
  int li = control("PRODUKT").listIndex();
  if (li <= -1 || !s.ResultValid[type_]) return;
  if (!s.ProductTable.contains(li + 1)) return;
  const ProductRecord& rec = s.ProductTable[li + 1];
  double tm = num("MEDIETEMP");
  double ts = num("OVERFLADE");
  if (!(tm < rec.TempLimit1 || tm > rec.TempLimit2 || ts < rec.TempLimit1 || ts > rec.TempLimit2))
    return;
  std::string prompt = s.TextTable[71] + kCrLf + s.TextTable[72] + kCrLf + rec.Name + " : " +
                       SignedPointText(rec.TempLimit1) + " °C /" + SignedPointText(rec.TempLimit2) +
                       " °C" + kCrLf + kCrLf + s.TextTable[69] + " " + PointText(tm) + " °C " +
                       kCrLf + s.TextTable[70] + " " + PointText(ts) + " °C" + kCrLf + kCrLf;
  app().platform().msgBox(prompt, forms::mb::Information, s.TextTable[74]);
}

}  // namespace veltaro
