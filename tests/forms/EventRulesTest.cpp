// The event rules that the program's handlers rely on, as tables of action -> events.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "TestForms.h"
#include "forms/Application.h"
#include "support/ScriptedPlatform.h"

using formstest::eventLog;
using formstest::TestWindow;
using Events = std::vector<std::string>;

namespace {

// A step of a row: runs on a fresh TestWindow.
#define DO(...) [](TestWindow& f) { __VA_ARGS__; }
using formstest::logEvent;

// Digits, comma and Backspace, as the program's number boxes take them.
void numeric(int& k) {
  if (!(k == 8 || k == ',' || (k >= '0' && k <= '9'))) k = 0;
}

class EventRules : public ::testing::Test {
 protected:
  testing_support::ScriptedPlatform platform;
  forms::Application app{platform};
  TestWindow* w = nullptr;
  void SetUp() override {
    w = &app.get<TestWindow>();
    eventLog().clear();
  }
};

TEST_F(EventRules, ActionsRaiseExactlyTheirEvents) {
  using F = std::function<void(TestWindow&)>;
  // prepare runs before the log is cleared; check runs after the events are compared.
  // clang-format off
  const struct { const char* what; F prepare, action; Events expected; F check; } cases[] = {
      {"text from code raises Change", {}, DO(f.txt.setText("12")), {"txtInput.Change"}},
      {"same text raises nothing", DO(f.txt.setTextSilently("12")), DO(f.txt.setText("12"))},
      {"silent write raises nothing and drops the selection",
       DO(f.txt.setTextSilently("1234"); f.txt.userSelect(1, 2)), DO(f.txt.setTextSilently("9")),
       {}, DO(EXPECT_EQ(f.txt.text(), "9"); EXPECT_EQ(f.txt.selStart() + f.txt.selLength(), 0))},
      {"list index from code sets text and raises Click only", {}, DO(f.cbo.setListIndex(1)),
       {"cboSize.Click"}, DO(EXPECT_EQ(f.cbo.text(), "26.9"))},
      {"user choice raises Click, not Change", {}, DO(f.cbo.userSelectItem(2)), {"cboSize.Click"},
       DO(EXPECT_EQ(f.cbo.text(), "33.7"))},
      {"item text selects the item", {}, DO(f.cbo.setText("21.3")), {"cboSize.Change"},
       DO(EXPECT_EQ(f.cbo.listIndex(), 0))},
      {"typing an item's text selects the item", {}, DO(f.cbo.userType("26.9")),
       Events(4, "cboSize.Change"), DO(EXPECT_EQ(f.cbo.listIndex(), 1))},
      {"items added and removed before the choice keep it", DO(f.cbo.setListIndexSilently(1)),
       DO(f.cbo.addItem("17.2", 1); f.cbo.removeItem(1)), {},
       DO(EXPECT_EQ(f.cbo.text(), f.cbo.item(f.cbo.listIndex())))},
      {"text that is no item leaves no selection", DO(f.cbo.setListIndexSilently(1)),
       DO(f.cbo.setText("40")), {"cboSize.Change"}, DO(EXPECT_EQ(f.cbo.listIndex(), -1))},
      {"list without typing: item text is a choice", {}, DO(f.lst.setText("Beta")),
       {"lstProduct.Click"}, DO(EXPECT_EQ(f.lst.listIndex(), 1))},
      {"list index out of range is refused", {}, DO(EXPECT_FALSE(f.cbo.setListIndex(3))), {},
       DO(EXPECT_EQ(f.cbo.listIndex(), -1))},
      {"option set from code clears siblings silently, in its own frame only", {},
       DO(f.control("optA", 2).setValue(1)), {"optA(2).Click"},
       DO(EXPECT_EQ(f.control("optA", 0).value(), 0); EXPECT_EQ(f.control("optB", 0).value(), 1))},
      {"user click on an option, chosen already or not", {},
       DO(f.control("optB", 0).userClick(); f.control("optB", 1).userClick()),
       {"optB(0).Click", "optB(1).Click"}, DO(EXPECT_EQ(f.control("optB", 0).value(), 0))},
      {"check box raises Click when its value changes", {},
       DO(f.chk.setValue(1); f.chk.setValue(1); f.chk.userClick()),
       {"chkFlag.Click", "chkFlag.Click"}, DO(EXPECT_EQ(f.chk.value(), 0))},
      {"label caption raises nothing", {}, DO(f.lbl.setCaption("mm"))},
      {"disabled button ignores the user", DO(f.cmd.setEnabled(false)), DO(f.cmd.userClick())},
      {"disabled list ignores the user's choice", DO(f.cbo.setEnabled(false)),
       DO(f.cbo.userSelectItem(1)), {}, DO(EXPECT_EQ(f.cbo.listIndex(), -1))},
      {"locked box takes no typing", DO(f.txt.setLocked(true)), DO(f.txt.userType("5")), {},
       DO(EXPECT_EQ(f.txt.text(), ""))},
      // SetFocus on what cannot take it reports false and raises nothing.
      {"disabled box", DO(f.txt.setEnabled(false)), DO(EXPECT_FALSE(f.txt.setFocus()))},
      {"hidden box", DO(f.txt.setVisible(false)), DO(EXPECT_FALSE(f.txt.setFocus()))},
      {"control in a hidden frame, which keeps its own Visible", DO(f.fraA.setVisible(false)),
       DO(EXPECT_FALSE(f.control("optA", 0).setFocus())), {},
       DO(EXPECT_TRUE(f.control("optA", 0).visible()))},
      {"control in a disabled frame", DO(f.fraA.setEnabled(false)),
       DO(EXPECT_FALSE(f.control("optA", 0).setFocus()))},
      {"label", {}, DO(EXPECT_FALSE(f.lbl.setFocus()))},
      {"window not shown", DO(f.hide()), DO(EXPECT_FALSE(f.cmd.setFocus()))},
      {"a LostFocus handler that moves the focus wins over the first target",
       DO(f.cbo.userFocus(); f.cbo.onLostFocus = [&f] { f.txt.setFocus(); }; f.chk.onLostFocus = {}),
       DO(f.chk.userFocus()), {"txtInput.GotFocus"}},
      {"handlers nest synchronously",
       DO(f.txt.onChange = [&f] { logEvent("in:" + f.txt.text()); f.cbo.setListIndex(2); logEvent("out"); }),
       DO(f.txt.setText("5")), {"in:5", "cboSize.Click", "out"}},
      // Typing goes through KeyPress (here a numeric filter) and raises Change per kept key;
      // Backspace passes the filter; a selection is replaced by the typed key.
      {"filtered typing", DO(f.txt.onKeyPress = numeric),
       DO(f.txt.userType("12,5x"); EXPECT_EQ(f.txt.userKeyPress(forms::key::Back), forms::key::Back);
          f.txt.userSelect(0, 2); f.txt.userType("7")),
       Events(6, "txtInput.Change"), DO(EXPECT_EQ(f.txt.text(), "7,"))},
      {"a character beyond ASCII is one key", {},
       DO(f.txt.userType("°C"); f.txt.userKeyPress(forms::key::Back); f.txt.userKeyPress(forms::key::Back)),
       Events(4, "txtInput.Change"), DO(EXPECT_EQ(f.txt.text(), ""))},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    w->unload();
    w = &app.get<TestWindow>();
    if (c.prepare) c.prepare(*w);
    eventLog().clear();
    c.action(*w);
    EXPECT_EQ(eventLog(), c.expected);
    if (c.check) c.check(*w);
  }
}

TEST_F(EventRules, TabOrderVisitsFocusableControlsAndOneOptionPerGroup) {
  w->cmd.setVisible(false);
  std::vector<std::string> visited;
  w->txt.userFocus();
  for (int i = 0; i < 6; ++i) {
    w->focusNext();
    auto* c = w->activeControl();
    visited.push_back(c->name() + (c->index() >= 0 ? std::to_string(c->index()) : ""));
  }
  EXPECT_EQ(visited, (std::vector<std::string>{"cboSize", "lstProduct", "chkFlag", "optA0", "optB0",
                                               "txtInput"}));
  w->focusNext(true);
  EXPECT_EQ(w->activeControl()->name(), "optB");
}

}  // namespace
