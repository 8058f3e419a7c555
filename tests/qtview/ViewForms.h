#pragma once
// Windows made for the front-end tests: a calculation-like sheet, a second child and a frame
// with menus, toolbars and clickable bands. Every handler appends to a log.

#include <string>
#include <vector>

#include "forms/Application.h"
#include "forms/Form.h"
#include "support/EventLog.h"

namespace viewtest {

inline std::vector<std::string>& log() {
  return testing_support::eventLog();
}
using testing_support::logAll;
inline void note(const std::string& e) {
  testing_support::logEvent(e);
}

class Sheet : public forms::Form {
 public:
  static constexpr const char* kName = "Sheet";
  using K = forms::ControlKind;
  forms::Control& fraInput = add(K::Frame, "fraInput");
  forms::Control& txtTemp = add(K::TextBox, "txtTemp", -1, &fraInput);
  forms::Control& lblUnit = add(K::Label, "lblUnit", -1, &fraInput);
  forms::Control& cboSize = add(K::ComboBox, "cboSize", -1, &fraInput);
  forms::Control& lstProduct = add(K::ComboBox, "lstProduct", -1, &fraInput);
  forms::Control& fraPlace = add(K::Frame, "fraPlace");
  forms::Control& optIn = add(K::OptionButton, "optPlace", 0, &fraPlace);
  forms::Control& optOut = add(K::OptionButton, "optPlace", 1, &fraPlace);
  forms::Control& optSea = add(K::OptionButton, "optPlace", 3, &fraPlace);
  forms::Control& chkDetail = add(K::CheckBox, "chkDetail");
  forms::Control& fraResult = add(K::Frame, "fraResult");
  forms::Control& txtLoss = add(K::TextBox, "txtLoss", -1, &fraResult);
  forms::Control& cmdCalc = add(K::CommandButton, "cmdCalc", -1, &fraResult);
  forms::Control& barDone = add(K::ProgressBar, "barDone");
  forms::Control& txtNotes = add(K::TextBox, "txtNotes");
  forms::Control& imgLogo = add(K::Image, "imgLogo");

  Sheet() : forms::Form(kName) {
    setMdiChild(true);
    setCaption("Heat loss for a given thickness");
    move(0, 0, 8735, 4755);
    // The layout, in twips of each control's container, as a window design gives it.
    struct Place {
      forms::Control& c;
      int left, top, width, height;
      const char* caption;
    };
    for (const Place& p : std::initializer_list<Place>{
             {fraInput, 60, 60, 4900, 1900, " Input "},
             {txtTemp, 2150, 300, 1060, 315, ""},
             {lblUnit, 3270, 360, 240, 195, "°C"},
             {cboSize, 2150, 730, 1060, 315, ""},
             {lstProduct, 2150, 1160, 2655, 315, ""},
             {optSea, 120, 1080, 1600, 255, "At sea"},
             {fraPlace, 5040, 60, 2000, 1400, " Location "},
             {barDone, 60, 3300, 8400, 200, ""},
             {optIn, 120, 360, 1600, 255, "Indoors"},
             {optOut, 120, 720, 1600, 255, "Outdoors"},
             {chkDetail, 5160, 1560, 2000, 255, "Show details"},
             {fraResult, 5040, 1900, 3500, 1300, " Result "},
             {txtLoss, 1940, 360, 960, 315, "17.4"},
             {cmdCalc, 1940, 780, 960, 375, "&Calculate"},
             {txtNotes, 60, 3700, 8400, 600, "First line\r\nSecond line"},
             {imgLogo, 7300, 300, 480, 330, ""}}) {
      p.c.move(p.left, p.top, p.width, p.height);
      p.c.setTextSilently(p.caption);
    }
    lstProduct.setComboStyle(forms::ComboStyle::DropdownList);
    optIn.setValueSilently(1);
    txtLoss.setLocked(true);
    barDone.setValueSilently(40);
    txtNotes.setMultiLine(true);
    for (const char* s : {"21.3", "26.9", "33.7"}) cboSize.addItem(s);
    for (const char* s : {"Wired mat 80", "Pipe section 100", "Board 140"}) lstProduct.addItem(s);
    lstProduct.setListIndexSilently(0);
    forms::Font bold;
    bold.bold = true;
    for (forms::Control* c : {&fraInput, &fraPlace, &fraResult, &txtLoss}) c->setFont(bold);
    for (auto& c : controls()) logAll(*c);
    // The numeric key filter: digits, separators, minus and Backspace only.
    txtTemp.onKeyPress = [](int& key) {
      bool keep = (key >= '0' && key <= '9') || key == ',' || key == '.' || key == '-' ||
                  key == forms::key::Back;
      if (!keep) key = 0;
    };
    // A search that keeps its running value in a box.
    cmdCalc.onClick = [this] {
      note("cmdCalc.Click");
      for (int i = 0; i < 100000; ++i) txtTemp.setText(std::to_string(i));
    };
  }
  void Form_Activate() override { note("Sheet.Activate"); }
};

class Other : public forms::Form {
 public:
  static constexpr const char* kName = "Other";
  forms::Control& txtOther = add(forms::ControlKind::TextBox, "txtOther");
  forms::Control& imgFlag = add(forms::ControlKind::Image, "imgFlag");
  forms::Control& brwReport = add(forms::ControlKind::Browser, "brwReport");
  Other() : forms::Form(kName) {
    setMdiChild(true);
    setCaption("Other");
    move(6000, 3000, 6000, 4000);
    txtOther.move(120, 120, 2000, 315);
    imgFlag.move(2400, 120, 480, 330);
    brwReport.move(120, 600, 5600, 2600);
    logAll(txtOther);
    logAll(imgFlag);
  }
  void Form_Activate() override { note("Other.Activate"); }
};

class Frame : public forms::Form {
 public:
  static constexpr const char* kName = "Frame";
  int answerQuery = 0;  // cancel flag the quit question returns
  Frame() : forms::Form(kName) {
    setMdiForm(true);
    setCaption(" FRAME ");
    move(0, 0, 11990, 8880);
    auto& file = addMenu("menuFile");
    file.setCaption("&File");
    auto& open = addMenu("menuOpen", &file);
    open.setCaption("&Open case");
    open.setShortcut("Ctrl+O");
    open.onClick = [] { note("menuOpen.Click"); };
    auto& pipes = addMenu("menuPipes", &file);
    pipes.setCaption("Show &pipe distances");
    pipes.setChecked(true);
    pipes.onClick = [this] {
      note("menuPipes.Click");
      menu("menuPipes").setChecked(!menu("menuPipes").checked());
    };
    addMenu("menuHidden", &file).setVisible(false);
    auto& window = addMenu("menuWindow");
    window.setCaption("&Window");
    window.setWindowList(true);
    addMenu("menuMax", &window).setCaption("Maximise");
    auto& bar = addToolbar("tobMenu");
    bar.addButton("NewCase").toolTip = "New case";
    bar.addButton("", true);
    bar.addButton("Calc01").toolTip = "Heat loss";
    bar.onButtonClick = [](forms::ToolbarButton& b) { note("tobMenu." + b.key); };
    auto& cmdCase = add(forms::ControlKind::CommandButton, "cmdCase");
    cmdCase.placeOnToolbar(addToolbar("tobCase"));
    cmdCase.move(0, 0, 1500, 330);
    cmdCase.setCaption("Case");
  }
  void Form_MouseDown(int button, int, double x, double y) override {
    note("MouseDown " + std::to_string(button) + " " + std::to_string(static_cast<int>(x)) + " " +
         std::to_string(static_cast<int>(y)));
  }
  void Form_MouseMove(int, int, double x, double y) override {
    setMousePointer(x > 3000 && x < 9000 && y > 1900 && y < 2150 ? forms::kPointerCustom
                                                                 : forms::kPointerDefault);
  }
  void Form_QueryUnload(int& cancel, int mode) override {
    note("Frame.QueryUnload " + std::to_string(mode));
    cancel = answerQuery;
  }
};

}  // namespace viewtest
