// The event rules that the program's handlers rely on, as tables of action -> events.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "forms/Application.h"
#include "support/ScriptedPlatform.h"
#include "TestForms.h"

using formstest::eventLog;
using formstest::TestWindow;
using Events = std::vector<std::string>;

namespace {

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
  const F none = [](TestWindow&) {};
  const struct { const char* what; F prepare, action; Events expected; F check; } cases[] = {
      {"text from code raises Change", none, [](TestWindow& f) { f.txt.setText("12"); },
       {"txtInput.Change"}, none},
      {"same text raises nothing", [](TestWindow& f) { f.txt.setTextSilently("12"); },
       [](TestWindow& f) { f.txt.setText("12"); }, {}, none},
      {"silent write raises nothing and drops the selection",
       [](TestWindow& f) {
         f.txt.setTextSilently("1234");
         f.txt.userSelect(1, 2);
       },
       [](TestWindow& f) { f.txt.setTextSilently("9"); }, {},
       [](TestWindow& f) {
         EXPECT_EQ(f.txt.text(), "9");
         EXPECT_EQ(f.txt.selStart() + f.txt.selLength(), 0);
       }},
      {"list index from code sets text and raises Click only", none,
       [](TestWindow& f) { f.cbo.setListIndex(1); }, {"cboSize.Click"},
       [](TestWindow& f) { EXPECT_EQ(f.cbo.text(), "26.9"); }},
      {"user choice raises Click, not Change", none, [](TestWindow& f) { f.cbo.userSelectItem(2); },
       {"cboSize.Click"}, [](TestWindow& f) { EXPECT_EQ(f.cbo.text(), "33.7"); }},
      {"item text selects the item", none, [](TestWindow& f) { f.cbo.setText("21.3"); },
       {"cboSize.Change"}, [](TestWindow& f) { EXPECT_EQ(f.cbo.listIndex(), 0); }},
      {"typing an item's text selects the item", none, [](TestWindow& f) { f.cbo.userType("26.9"); },
       Events(4, "cboSize.Change"), [](TestWindow& f) { EXPECT_EQ(f.cbo.listIndex(), 1); }},
      {"items added and removed before the choice keep it",
       [](TestWindow& f) { f.cbo.setListIndexSilently(1); },
       [](TestWindow& f) {
         f.cbo.addItem("17.2", 1);
         f.cbo.removeItem(1);
       },
       {}, [](TestWindow& f) { EXPECT_EQ(f.cbo.text(), f.cbo.item(f.cbo.listIndex())); }},
      {"text that is no item leaves no selection",
       [](TestWindow& f) { f.cbo.setListIndexSilently(1); },
       [](TestWindow& f) { f.cbo.setText("40"); }, {"cboSize.Change"},
       [](TestWindow& f) { EXPECT_EQ(f.cbo.listIndex(), -1); }},
      {"list without typing: item text is a choice", none,
       [](TestWindow& f) { f.lst.setText("Beta"); }, {"lstProduct.Click"},
       [](TestWindow& f) { EXPECT_EQ(f.lst.listIndex(), 1); }},
      {"list index out of range is refused", none,
       [](TestWindow& f) { EXPECT_FALSE(f.cbo.setListIndex(3)); }, {},
       [](TestWindow& f) { EXPECT_EQ(f.cbo.listIndex(), -1); }},
      {"option set from code clears siblings silently", none,
       [](TestWindow& f) { f.control("optA", 2).setValue(1); }, {"optA(2).Click"},
       [](TestWindow& f) {
         EXPECT_EQ(f.control("optA", 0).value(), 0);
         EXPECT_EQ(f.control("optB", 0).value(), 1);  // another frame is another group
       }},
      {"user click on an option, chosen already or not", none,
       [](TestWindow& f) {
         f.control("optB", 0).userClick();
         f.control("optB", 1).userClick();
       },
       {"optB(0).Click", "optB(1).Click"},
       [](TestWindow& f) { EXPECT_EQ(f.control("optB", 0).value(), 0); }},
      {"check box raises Click when its value changes", none,
       [](TestWindow& f) {
         f.chk.setValue(1);
         f.chk.setValue(1);
         f.chk.userClick();
       },
       {"chkFlag.Click", "chkFlag.Click"}, [](TestWindow& f) { EXPECT_EQ(f.chk.value(), 0); }},
      {"label caption raises nothing", none, [](TestWindow& f) { f.lbl.setCaption("mm"); }, {},
       none},
      {"disabled button ignores the user", [](TestWindow& f) { f.cmd.setEnabled(false); },
       [](TestWindow& f) { f.cmd.userClick(); }, {}, none},
      {"disabled list ignores the user's choice", [](TestWindow& f) { f.cbo.setEnabled(false); },
       [](TestWindow& f) { f.cbo.userSelectItem(1); }, {},
       [](TestWindow& f) { EXPECT_EQ(f.cbo.listIndex(), -1); }},
      {"locked box takes no typing", [](TestWindow& f) { f.txt.setLocked(true); },
       [](TestWindow& f) { f.txt.userType("5"); }, {},
       [](TestWindow& f) { EXPECT_EQ(f.txt.text(), ""); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    w->unload();
    w = &app.get<TestWindow>();
    c.prepare(*w);
    eventLog().clear();
    c.action(*w);
    EXPECT_EQ(eventLog(), c.expected);
    c.check(*w);
  }
}

TEST_F(EventRules, HandlersNestSynchronously) {
  w->txt.onChange = [this] {
    formstest::logEvent("txt.Change:" + w->txt.text());
    w->cbo.setListIndex(2);
    formstest::logEvent("txt.Change ends");
  };
  w->txt.setText("5");
  EXPECT_EQ(eventLog(), (Events{"txt.Change:5", "cboSize.Click", "txt.Change ends"}));
}

TEST_F(EventRules, TypingGoesThroughKeyPressAndRaisesChangePerKeptKey) {
  // A numeric filter like the program's: digits, comma, Backspace.
  w->txt.onKeyPress = [](int& k) {
    if (!(k == 8 || k == ',' || (k >= '0' && k <= '9'))) k = 0;
  };
  w->txt.userFocus();
  eventLog().clear();
  w->txt.userType("12,5x");
  EXPECT_EQ(w->txt.text(), "12,5");
  EXPECT_EQ(eventLog(), Events(4, "txtInput.Change"));
  EXPECT_EQ(w->txt.userKeyPress(forms::key::Back), forms::key::Back);
  EXPECT_EQ(w->txt.text(), "12,");
  // Selection is replaced by the typed key.
  w->txt.userSelect(0, 2);
  w->txt.userType("7");
  EXPECT_EQ(w->txt.text(), "7,");
  // Control characters are reported to KeyPress and handed back for the front end.
  int seen = -1;
  w->txt.onKeyPress = [&](int& k) { seen = k; };
  EXPECT_EQ(w->txt.userKeyPress(forms::key::CtrlV), forms::key::CtrlV);
  EXPECT_EQ(seen, forms::key::CtrlV);
  EXPECT_EQ(w->txt.text(), "7,");
  // Non-ASCII characters arrive as one key each and are stored as UTF-8.
  w->txt.setTextSilently("");
  w->txt.onKeyPress = nullptr;
  w->txt.userType("°C");
  EXPECT_EQ(w->txt.text(), "°C");
  w->txt.userKeyPress(forms::key::Back);
  w->txt.userKeyPress(forms::key::Back);
  EXPECT_EQ(w->txt.text(), "");
}

TEST_F(EventRules, FocusMovesWithinAWindowRaiseLostThenGot) {
  EXPECT_TRUE(w->txt.userFocus());
  EXPECT_TRUE(w->cbo.setFocus());
  EXPECT_TRUE(w->cbo.setFocus());  // already there: nothing
  EXPECT_EQ(eventLog(), (Events{"txtInput.GotFocus", "txtInput.LostFocus", "cboSize.GotFocus"}));

  // Activating another window and coming back raises no focus events.
  auto& other = app.get<formstest::OtherWindow>();
  other.txt.userFocus();
  eventLog().clear();
  w->userActivate();
  other.userActivate();
  w->userActivate();
  EXPECT_EQ(eventLog(), (Events{"TestWindow.Activate", "OtherWindow.Activate",
                                "TestWindow.Activate"}));
  EXPECT_TRUE(w->cbo.hasFocus());

  // A LostFocus handler that sends the focus elsewhere wins: the first target gets no GotFocus.
  w->cbo.onLostFocus = [this] { w->txt.setFocus(); };
  eventLog().clear();
  w->chk.userFocus();
  EXPECT_TRUE(w->txt.hasFocus());
  EXPECT_EQ(eventLog().back(), "txtInput.GotFocus");
  EXPECT_EQ(std::count(eventLog().begin(), eventLog().end(), "chkFlag.GotFocus"), 0);
}

TEST_F(EventRules, SetFocusRefusesControlsThatCannotTakeIt) {
  w->txt.setEnabled(false);
  EXPECT_FALSE(w->txt.setFocus());
  w->txt.setEnabled(true);
  w->txt.setVisible(false);
  EXPECT_FALSE(w->txt.setFocus());
  // A control in a hidden frame keeps its own Visible flag but cannot take the focus.
  auto& opt = w->control("optA", 0);
  w->fraA.setVisible(false);
  EXPECT_TRUE(opt.visible());
  EXPECT_FALSE(opt.setFocus());
  EXPECT_FALSE(w->lbl.setFocus());  // labels never take it
  w->hide();
  EXPECT_FALSE(w->cmd.setFocus());  // nor does anything on a window not shown
  EXPECT_TRUE(eventLog().empty());
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
  EXPECT_EQ(visited, (std::vector<std::string>{"cboSize", "lstProduct", "chkFlag", "optA0",
                                               "optB0", "txtInput"}));
  w->focusNext(true);
  EXPECT_EQ(w->activeControl()->name(), "optB");
}

}  // namespace
