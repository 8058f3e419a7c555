// The forms layer's rules that the program's handlers rely on: events raised by each action,
// focus and tab order, and the window registry (one instance per class, created on reference,
// fresh after unload), run on windows made for these tests whose handlers append to a log.

#include <gtest/gtest.h>

#include <functional>

#include "forms/Application.h"
#include "support/EventLog.h"
#include "support/ScriptedPlatform.h"

namespace {

using Events = std::vector<std::string>;
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
  // With key preview on: logged, and the key `swallow` goes no further.
  void Form_KeyDown(int& code, int) override { preview("KeyDown", code); }
  void Form_KeyPress(int& ascii) override { preview("KeyPress", ascii); }
  void Form_KeyUp(int& code, int) override { preview("KeyUp", code); }
  void preview(const char* event, int& code) {
    logEvent("TestWindow." + std::string(event) + " " + std::to_string(code));
    if (code == swallow) code = 0;
  }
  // Each of the window's keys logged with the text's selection at that moment.
  void logKeys() {
    for (forms::Control* c : {&txt, &cbo}) {
      c->onKeyDown = [c](int& code, int) {
        logEvent(c->name() + ".KeyDown " + std::to_string(code));
      };
      c->onKeyPress = [c](int& a) { logEvent(c->name() + ".KeyPress " + std::to_string(a)); };
      c->onKeyUp = [c](int& code, int) { logEvent(c->name() + ".KeyUp " + std::to_string(code)); };
      c->onGotFocus = [c] {
        logEvent(c->name() + ".GotFocus " + std::to_string(c->selStart()) + "+" +
                 std::to_string(c->selLength()));
      };
    }
  }
  bool refuseUnload = false, refuseQuery = false;
  int swallow = -1;
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

// A child that finds it cannot work and unloads itself in its own load.
class Refusing : public forms::Form {
 public:
  static constexpr const char* kName = "Refusing";
  Refusing() : forms::Form(kName) { setMdiChild(true); }
  void Form_Load() override {
    logEvent("Refusing.Load");
    unload();
  }
  void Form_Activate() override { logEvent("Refusing.Activate"); }
};

class LastWindow : public forms::Form {
 public:
  static constexpr const char* kName = "LastWindow";
  LastWindow() : forms::Form(kName) { setMdiChild(true); }
};

class Frame : public forms::Form {
 public:
  static constexpr const char* kName = "Frame";
  Frame() : forms::Form(kName) { setMdiForm(true); }
};

// A step of a row: runs on a fresh TestWindow.
#define DO(...) [](TestWindow& f) { __VA_ARGS__; }

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
      {"disabled button ignores the user", DO(f.cmd.setEnabled(false)), DO(f.cmd.userClick())},
      {"disabled list ignores the user's choice", DO(f.cbo.setEnabled(false)),
       DO(f.cbo.userSelectItem(1)), {}, DO(EXPECT_EQ(f.cbo.listIndex(), -1))},
      {"locked box takes no typing", DO(f.txt.setLocked(true)), DO(f.txt.userType("5")), {},
       DO(EXPECT_EQ(f.txt.text(), ""))},
      {"a focus move raises LostFocus then GotFocus; to the control that has it, nothing",
       DO(f.txt.userFocus()), DO(f.cbo.setFocus(); EXPECT_TRUE(f.cbo.setFocus()); f.cbo.userFocus()),
       {"txtInput.LostFocus", "cboSize.GotFocus"}},
      // SetFocus on what cannot take it reports false and raises nothing.
      {"disabled box", DO(f.txt.setEnabled(false)), DO(EXPECT_FALSE(f.txt.setFocus()))},
      {"hidden box", DO(f.txt.setVisible(false)), DO(EXPECT_FALSE(f.txt.setFocus()))},
      {"control in a hidden frame, which keeps its own Visible", DO(f.fraA.setVisible(false)),
       DO(EXPECT_FALSE(f.control("optA", 0).setFocus())), {},
       DO(EXPECT_TRUE(f.control("optA", 0).visible()))},
      {"control in a disabled frame", DO(f.fraA.setEnabled(false)),
       DO(EXPECT_FALSE(f.control("optA", 0).setFocus()))},
      {"window not shown", DO(f.hide()), DO(EXPECT_FALSE(f.cmd.setFocus()))},
      {"a LostFocus handler that moves the focus wins over the first target",
       DO(f.cbo.userFocus(); f.cbo.onLostFocus = [&f] { f.txt.setFocus(); }; f.chk.onLostFocus = {}),
       DO(f.chk.userFocus()), {"txtInput.GotFocus"}},
      // Typing goes through KeyPress (here a numeric filter) and raises Change per kept key;
      // Backspace passes the filter; a selection is replaced by the typed key.
      {"filtered typing", DO(f.txt.onKeyPress = numeric),
       DO(f.txt.userType("12,5x"); EXPECT_EQ(f.txt.userKeyPress(forms::key::Back), forms::key::Back);
          f.txt.userSelect(0, 2); f.txt.userType("7")),
       Events(6, "txtInput.Change"), DO(EXPECT_EQ(f.txt.text(), "7,"))},
      {"a key that keeps the text moves the caret past it, without Change",
       DO(f.txt.setTextSilently("12"); f.txt.userSelect(0, 1)), DO(f.txt.userType("1,5")),
       Events(2, "txtInput.Change"), DO(EXPECT_EQ(f.txt.text(), "1,52"))},
      {"a character beyond ASCII is one key", {},
       DO(f.txt.userType("°C"); f.txt.userKeyPress(forms::key::Back); f.txt.userKeyPress(forms::key::Back)),
       Events(4, "txtInput.Change"), DO(EXPECT_EQ(f.txt.text(), ""))},
      // Entering a box or an editable list by the keyboard selects its whole text before its
      // GotFocus runs; the mouse leaves the caret where it was; from code only a list selects.
      {"Tab and Shift+Tab select the text entered",
       DO(f.logKeys(); f.txt.setTextSilently("12,5"); f.cbo.setTextSilently("SELECT size");
          f.txt.userFocus()),
       DO(f.focusNext(); f.focusNext(true)),
       {"txtInput.LostFocus", "cboSize.GotFocus 0+11", "cboSize.LostFocus", "txtInput.GotFocus 0+4"}},
      {"a click or code leaves a box's caret",
       DO(f.logKeys(); f.txt.setTextSilently("12,5"); f.cbo.setTextSilently("SELECT size");
          f.chk.userFocus()),
       DO(f.txt.userFocus(); f.chk.setFocus(); f.txt.setFocus(); f.cbo.userFocus(); f.chk.setFocus();
          f.cbo.setFocus()),
       {"chkFlag.LostFocus", "txtInput.GotFocus 0+0", "txtInput.LostFocus", "chkFlag.GotFocus",
        "chkFlag.LostFocus", "txtInput.GotFocus 0+0", "txtInput.LostFocus", "cboSize.GotFocus 0+0",
        "cboSize.LostFocus", "chkFlag.GotFocus", "chkFlag.LostFocus", "cboSize.GotFocus 0+11"}},
      // Key preview: the window sees each key before the control; a key it swallows goes no
      // further. Without it, the window sees none.
      {"key preview", DO(f.logKeys(); f.setKeyPreview(true); f.swallow = 112),
       DO(f.txt.userKeyDown(112); f.txt.userKeyDown(65); f.txt.userKeyPress(97);
          f.txt.userKeyUp(65)),
       {"TestWindow.KeyDown 112", "TestWindow.KeyDown 65", "txtInput.KeyDown 65",
        "TestWindow.KeyPress 97", "txtInput.KeyPress 97", "txtInput.Change", "TestWindow.KeyUp 65",
        "txtInput.KeyUp 65"}},
      {"key preview swallows a typed character", DO(f.logKeys(); f.setKeyPreview(true); f.swallow = 97),
       DO(EXPECT_EQ(f.txt.userKeyPress(97), 0)), {"TestWindow.KeyPress 97"},
       DO(EXPECT_EQ(f.txt.text(), ""))},
      {"no key preview", DO(f.logKeys(); f.swallow = 112), DO(f.txt.userKeyDown(112)),
       {"txtInput.KeyDown 112"}},
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

class Registry : public ::testing::Test {
 protected:
  testing_support::ScriptedPlatform platform;
  forms::Application app{platform};
  Frame& frame = app.get<Frame>();
  void SetUp() override { eventLog().clear(); }
};

TEST_F(Registry, FirstReferenceCreatesLoadsAndShowsAChildAndFindsItsControls) {
  EXPECT_EQ(app.find("TestWindow"), nullptr);
  EXPECT_FALSE(frame.visible());  // a frame loads without showing
  auto& w = app.get<TestWindow>();
  EXPECT_EQ(&app.get("TestWindow"), &w);
  EXPECT_EQ(eventLog(), (Events{"TestWindow.Load", "TestWindow.Activate"}));
  EXPECT_TRUE(w.visible() && frame.visible());  // its first child makes the frame appear
  EXPECT_EQ(app.activeMdiChild(), &w);
  EXPECT_THROW(app.get("NoSuchWindow"), std::out_of_range);
  EXPECT_EQ(&w.control("OPTA", 2), &w.control("optA", 2));  // names are case-insensitive
  EXPECT_EQ(w.findControl("optA", 1), nullptr);             // the gap
  EXPECT_EQ(w.controlArray("optA").size(), 2u);
  EXPECT_THROW(w.control("txtMissing"), std::out_of_range);
}

// A child that unloads itself while it loads is never shown: not it, nor the frame for it. The
// instance handed to the caller lives until the next event ends.
TEST_F(Registry, AChildThatUnloadsItselfWhileLoadingIsNotShown) {
  struct : forms::Application::Observer {
    int n = 0;
    void formDestroyed(forms::Form&) override { ++n; }
  } destroyed;
  app.setObserver(&destroyed);
  app.registerForm<Refusing>();
  const forms::Form& refused = app.get<Refusing>();
  EXPECT_EQ(destroyed.n, 0);
  EXPECT_FALSE(refused.isLoaded() || refused.visible() || frame.visible());
  EXPECT_EQ(eventLog(), (Events{"Refusing.Load"}));
  EXPECT_TRUE(app.find("Refusing") == nullptr && app.activeMdiChild() == nullptr);
  app.dispatch([] {});
  EXPECT_EQ(destroyed.n, 1);
  // Shown anyway: the show tries a fresh one, which refuses too, and stops there.
  app.get<Refusing>().show();
  EXPECT_EQ(eventLog(), (Events(3, "Refusing.Load")));
  EXPECT_FALSE(app.isLoaded("Refusing") || frame.visible());
  app.setObserver(nullptr);
}

// QueryUnload, then Unload, may refuse; an unloaded window comes back fresh, and one that
// unloads itself from its own handler lives until the event ends.
TEST_F(Registry, UnloadAsksQueryUnloadFirstAndThenGivesAFreshInstance) {
  auto& w = app.get<TestWindow>();
  w.txt.setText("changed");
  w.refuseQuery = true;
  eventLog().clear();
  EXPECT_FALSE(w.userClose());
  w.refuseQuery = false;
  w.refuseUnload = true;
  EXPECT_FALSE(w.unload());
  EXPECT_TRUE(w.isLoaded());
  EXPECT_EQ(eventLog(),
            (Events{"TestWindow.QueryUnload0", "TestWindow.QueryUnload1", "TestWindow.Unload"}));
  w.refuseUnload = false;
  EXPECT_TRUE(w.unload());
  EXPECT_EQ(app.find("TestWindow"), nullptr);
  auto& again = app.get<TestWindow>();
  EXPECT_EQ(again.txt.text(), "");
  bool stillReadable = false;
  again.cmd.onClick = [&again, &stillReadable] {
    again.unload();
    stillReadable = again.txt.text().empty() && !again.isLoaded();
  };
  again.cmd.userClick();
  EXPECT_TRUE(stillReadable);
  EXPECT_EQ(app.find("TestWindow"), nullptr);
}

// Closing the active child activates the one before it; closing the frame asks every child.
TEST_F(Registry, ClosingAChildOrTheFrame) {
  auto& w = app.get<TestWindow>();
  app.get<OtherWindow>();
  eventLog().clear();
  app.find("OtherWindow")->unload();
  EXPECT_EQ(app.activeMdiChild(), &w);
  app.get<OtherWindow>();
  w.refuseQuery = true;
  EXPECT_FALSE(frame.userClose());
  EXPECT_TRUE(app.isLoaded("OtherWindow"));
  w.refuseQuery = false;
  EXPECT_TRUE(frame.userClose());
  EXPECT_EQ(eventLog(),
            (Events{"TestWindow.Activate", "OtherWindow.Activate", "TestWindow.QueryUnload4",
                    "TestWindow.QueryUnload4", "TestWindow.Unload"}));
  EXPECT_TRUE(app.loadedForms().empty());
}

// The child in front moves as on the desktop: minimising it brings forward the most recent one
// that is not minimised, restoring brings a child forward, and one restored while it was the
// active one raises Activate again.
TEST_F(Registry, MinimisingRestoringAndClosingMoveTheFront) {
  auto& w = app.get<TestWindow>();
  auto& o = app.get<OtherWindow>();
  auto state = [](forms::Form& f, int s) { return [&f, s] { f.userSetWindowState(s); }; };
  const int kMin = forms::kStateMinimized, kNormal = forms::kStateNormal;
  const struct {
    const char* what;
    std::function<void()> action;
    Events events;
    forms::Form* front;
  } steps[] = {
      {"the active one minimised", state(o, kMin), {"TestWindow.Activate"}, &w},
      {"a minimised one restored", state(o, kNormal), {"OtherWindow.Activate"}, &o},
      {"a child in the back maximised",
       state(w, forms::kStateMaximized),
       {"TestWindow.Activate"},
       &w},
      {"another clicked", [&] { o.userActivate(); }, {"OtherWindow.Activate"}, &o},
      {"a maximised one behind restored stays behind", state(w, kNormal), {}, &o},
      {"one behind minimised", state(w, kMin), {}, &o},
      {"the last one in view minimised stays in front", state(o, kMin), {}, &o},
      {"a minimised one clicked", [&] { w.userActivate(); }, {"TestWindow.Activate"}, &w},
      {"and restored", state(w, kNormal), {"TestWindow.Activate"}, &w},
      {"the one in front closed",
       [&] { w.userClose(); },
       {"TestWindow.QueryUnload0", "TestWindow.Unload", "OtherWindow.Activate"},
       &o},
  };
  for (const auto& s : steps) {
    eventLog().clear();
    s.action();
    EXPECT_EQ(eventLog(), s.events) << s.what;
    EXPECT_EQ(app.activeMdiChild(), s.front) << s.what;
  }
  // Closing the one in front passes over a minimised window activated more recently.
  auto& again = app.get<TestWindow>();
  auto& last = app.get<LastWindow>();
  o.userActivate();
  last.userActivate();
  eventLog().clear();
  last.userClose();
  EXPECT_EQ(eventLog(), (Events{"TestWindow.Activate"}));
  EXPECT_EQ(app.activeMdiChild(), &again);
  // When only minimised ones are left, the one activated most recently comes to the front.
  auto& third = app.get<LastWindow>();
  again.userSetWindowState(kMin);
  third.userClose();
  EXPECT_EQ(app.activeMdiChild(), &again);
}

// Names are case-insensitive; separators and hidden items take no clicks.
TEST_F(Registry, MenusAndToolbarFindByNameAndIgnoreHiddenItems) {
  auto& quit = frame.addMenu("menuQuit", &frame.addMenu("menuFiler"));
  auto& bar = frame.addToolbar("tobMenu");
  for (const char* key : {"NewCase", "", "Calculate"}) bar.addButton(key, !*key);
  Events clicks;
  quit.onClick = [&] { clicks.push_back("quit"); };
  bar.onButtonClick = [&](forms::ToolbarButton& b) { clicks.push_back(b.key); };
  for (int hidden : {0, 1}) {
    quit.setVisible(!hidden);
    bar.setButtonVisible(1, !hidden);
    frame.menu("MENUQUIT").userClick();
    for (int i : {1, 2}) frame.toolbar("tobmenu").userClick(i);
  }
  EXPECT_EQ(clicks, (Events{"quit", "NewCase"}));
  EXPECT_EQ(bar.button("Missing"), nullptr);
  EXPECT_THROW(bar.button(4), std::out_of_range);
}

TEST_F(Registry, AnEscapedErrorIsAMessageAndEndUnloadsEverythingWithoutEvents) {
  // Worded as the program gives it, the fault's own text under it.
  app.setWords({.actionFailed = "Handlingen kunne ikke gennemføres:"});
  platform.expectMsgBox(forms::mb::IdOk, "Handlingen kunne ikke gennemføres:\r\nboom");
  app.dispatch([] { throw std::runtime_error("boom"); });
  EXPECT_EQ(platform.callsOf("msgBox").at(0).style, forms::mb::Critical);
  app.get<TestWindow>();
  eventLog().clear();
  app.end();
  EXPECT_TRUE(app.ended() && app.loadedForms().empty() && eventLog().empty());
}

}  // namespace
