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
  forms::Control& txt;
  forms::Control& cbo;
  forms::Control& lst;  // takes no typing
  forms::Control& fraA;
  forms::Control& fraB;
  forms::Control& chk;
  forms::Control& cmd;
  forms::Control& lbl;

  TestWindow()
      : forms::Form(kName),
        txt(add(forms::ControlKind::TextBox, "txtInput")),
        cbo(add(forms::ControlKind::ComboBox, "cboSize")),
        lst(add(forms::ControlKind::ComboBox, "lstProduct")),
        fraA(add(forms::ControlKind::Frame, "fraA")),
        fraB(add(forms::ControlKind::Frame, "fraB")),
        chk(add(forms::ControlKind::CheckBox, "chkFlag")),
        cmd(add(forms::ControlKind::CommandButton, "cmdGo")),
        lbl(add(forms::ControlKind::Label, "lblCaption")) {
    setMdiChild(true);
    lst.setComboStyle(forms::ComboStyle::DropdownList);
    for (const char* s : {"21.3", "26.9", "33.7"}) cbo.addItem(s);
    for (const char* s : {"Alpha", "Beta", "Gamma"}) lst.addItem(s);
    // Option arrays in two frames, with a gap in the indexes of the first.
    add(forms::ControlKind::OptionButton, "optA", 0, &fraA).setValueSilently(1);
    add(forms::ControlKind::OptionButton, "optA", 2, &fraA);
    add(forms::ControlKind::OptionButton, "optB", 0, &fraB).setValueSilently(1);
    add(forms::ControlKind::OptionButton, "optB", 1, &fraB);
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
  forms::Control& txt;
  OtherWindow() : forms::Form(kName), txt(add(forms::ControlKind::TextBox, "txtOther")) {
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
