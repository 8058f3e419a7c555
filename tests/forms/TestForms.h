#pragma once
// Windows made for the forms-layer tests only: every handler appends to a log.

#include <string>
#include <vector>

#include "forms/Application.h"
#include "forms/Form.h"
#include "support/EventLog.h"

namespace formstest {

using testing_support::eventLog;
using testing_support::logAll;
using testing_support::logEvent;

class TestWindow : public forms::Form {
 public:
  static constexpr const char* kName = "TestWindow";
  using K = forms::ControlKind;
  forms::Control& txt = add(K::TextBox, "txtInput");
  forms::Control& cbo = add(K::ComboBox, "cboSize");
  forms::Control& lst = add(K::ComboBox, "lstProduct");  // takes no typing
  forms::Control& fraA = add(K::Frame, "fraA");
  forms::Control& fraB = add(K::Frame, "fraB");
  forms::Control& chk = add(K::CheckBox, "chkFlag");
  forms::Control& cmd = add(K::CommandButton, "cmdGo");
  forms::Control& lbl = add(K::Label, "lblCaption");

  TestWindow() : forms::Form(kName) {
    setMdiChild(true);
    lst.setComboStyle(forms::ComboStyle::DropdownList);
    for (const char* s : {"21.3", "26.9", "33.7"}) cbo.addItem(s);
    for (const char* s : {"Alpha", "Beta", "Gamma"}) lst.addItem(s);
    // Option arrays in two frames, with a gap in the indexes of the first.
    add(K::OptionButton, "optA", 0, &fraA).setValueSilently(1);
    add(K::OptionButton, "optA", 2, &fraA);
    add(K::OptionButton, "optB", 0, &fraB).setValueSilently(1);
    add(K::OptionButton, "optB", 1, &fraB);
    for (auto& c : controls()) logAll(*c);
  }
  void Form_Load() override { logEvent("TestWindow.Load"); }
  void Form_Activate() override { logEvent("TestWindow.Activate"); }
  void Form_Unload(int& cancel) override {
    logEvent("TestWindow.Unload");
    cancel = refuseUnload ? 1 : 0;
  }
  void Form_QueryUnload(int& cancel, int mode) override {
    logEvent("TestWindow.QueryUnload" + std::to_string(mode));
    cancel = refuseQuery ? 1 : 0;
  }
  bool refuseUnload = false;
  bool refuseQuery = false;
};

class OtherWindow : public forms::Form {
 public:
  static constexpr const char* kName = "OtherWindow";
  forms::Control& txt = add(forms::ControlKind::TextBox, "txtOther");
  OtherWindow() : forms::Form(kName) {
    setMdiChild(true);
    logAll(txt);
  }
  void Form_Activate() override { logEvent("OtherWindow.Activate"); }
};

class Frame : public forms::Form {
 public:
  static constexpr const char* kName = "Frame";
  Frame() : forms::Form(kName) { setMdiForm(true); }
};

}  // namespace formstest
