// The renderer against the window model: what the user does reaches the model first, and the
// model's state reaches the widgets after each event.

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <functional>

#include "MarketRun.h"
#include "forms/Application.h"
#include "qtview/FormsView.h"
#include "qtview/QtPlatform.h"
#include "qtview/Workspace.h"
#include "support/EventLog.h"
#include "support/ScriptedPlatform.h"

namespace {

using K = forms::ControlKind;
using testing_support::logAll;
auto& log = testing_support::eventLog;
auto& note = testing_support::logEvent;

// A calculation-like sheet whose handlers all write to the log; places in twips of each
// control's container, as a window design gives them.
class Sheet : public forms::Form {
 public:
  static constexpr const char* kName = "Sheet";
  using C = forms::Control;
  C& put(K kind, const char* name, QRect at, const char* caption = "", C* in = {}, int i = -1) {
    C& c = add(kind, name, i, in);
    c.move(at.x(), at.y(), at.width(), at.height());
    c.setTextSilently(caption);
    return c;
  }
  C& fraInput = put(K::Frame, "fraInput", {60, 60, 4900, 1900}, " Input ");
  C& txtTemp = put(K::TextBox, "txtTemp", {2150, 300, 1060, 315}, "", &fraInput);
  C& lblUnit = put(K::Label, "lblUnit", {3270, 360, 240, 195}, "°C", &fraInput);
  C& cboSize = put(K::ComboBox, "cboSize", {2150, 730, 1060, 315}, "", &fraInput);
  C& lstProduct = put(K::ComboBox, "lstProduct", {2150, 1160, 2655, 315}, "", &fraInput);
  C& fraPlace = put(K::Frame, "fraPlace", {5040, 60, 2000, 1400}, " Location ");
  C& optIn = put(K::OptionButton, "optPlace", {120, 360, 1600, 255}, "Indoors", &fraPlace, 0);
  C& optOut = put(K::OptionButton, "optPlace", {120, 720, 1600, 255}, "Outdoors", &fraPlace, 1);
  C& optSea = put(K::OptionButton, "optPlace", {120, 1080, 1600, 255}, "At sea", &fraPlace, 3);
  C& chkDetail = put(K::CheckBox, "chkDetail", {5160, 1560, 2000, 255}, "Show details");
  C& fraResult = put(K::Frame, "fraResult", {5040, 1900, 3500, 1300}, " Result ");
  C& txtLoss = put(K::TextBox, "txtLoss", {1940, 360, 960, 315}, "17.4", &fraResult);
  C& cmdCalc = put(K::CommandButton, "cmdCalc", {1940, 780, 960, 375}, "&Calculate", &fraResult);
  C& barDone = put(K::ProgressBar, "barDone", {60, 3300, 8400, 200});
  C& txtNotes = put(K::TextBox, "txtNotes", {60, 3700, 8400, 600}, "First line\r\nSecond line");
  C& imgLogo = put(K::Image, "imgLogo", {7300, 300, 480, 330});

  Sheet() : forms::Form(kName) {
    setMdiChild(true);
    setCaption("Heat loss for a given thickness");
    move(0, 0, 8735, 4755);
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
      if (!((key >= '0' && key <= '9') || key == ',' || key == '.' || key == '-' ||
            key == forms::key::Back))
        key = 0;
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
  forms::Control& txtOther = add(K::TextBox, "txtOther");
  forms::Control& brwReport = add(K::Browser, "brwReport");
  Other() : forms::Form(kName) {
    setMdiChild(true);
    move(6000, 3000, 6000, 4000);
    txtOther.move(120, 120, 2000, 315);
    brwReport.move(120, 600, 5600, 2600);
    logAll(txtOther);
  }
  void Form_Activate() override { note("Other.Activate"); }
};

// A report alone in a window, as the preview shows it.
class Page : public forms::Form {
 public:
  static constexpr const char* kName = "Page";
  forms::Control& brwPage = add(K::Browser, "brwPage");
  Page() : forms::Form(kName) {
    setMdiChild(true);
    move(0, 0, 9000, 7000);
    brwPage.move(120, 120, 8500, 6400);
  }
};

// A list of input errors in a window of its own, over the main window, closed by its button.
class Notice : public forms::Form {
 public:
  static constexpr const char* kName = "Notice";
  forms::Control& cmdClose = add(K::CommandButton, "cmdClose");
  Notice() : forms::Form(kName) {
    setCaption("Input missing");
    move(0, 0, 4000, 2000);
    cmdClose.move(120, 120, 1200, 375);
    cmdClose.onClick = [this] { unload(); };
  }
};

// The main window, with menus, toolbars and a band that shows the pointing hand.
class Frame : public forms::Form {
 public:
  static constexpr const char* kName = "Frame";
  int answerQuery = 0;  // cancel flag the quit question returns
  forms::MenuItem& item(const char* name, const char* caption, forms::MenuItem* in = nullptr) {
    forms::MenuItem& m = addMenu(name, in);
    m.setCaption(caption);
    return m;
  }
  Frame() : forms::Form(kName) {
    setMdiForm(true);
    move(0, 0, 11990, 8880);
    auto& file = item("menuFile", "&File");
    item("menuOpen", "&Open case", &file).setShortcut("Ctrl+O");
    auto& pipes = item("menuPipes", "Show &pipe distances", &file);
    pipes.setChecked(true);
    pipes.onClick = [&pipes] {
      note("menuPipes.Click");
      pipes.setChecked(!pipes.checked());
    };
    item("menuHidden", "Hidden", &file).setVisible(false);
    auto& window = item("menuWindow", "&Window");
    window.setWindowList(true);
    item("menuMax", "Maximise", &window);
    auto& bar = addToolbar("tobMenu");
    bar.addButton("NewCase").toolTip = "New case";
    bar.addButton("", true);
    bar.addButton("Calc01").toolTip = "Heat loss";
    bar.onButtonClick = [](forms::ToolbarButton& b) { note("tobMenu." + b.key); };
    auto& cmdCase = add(K::CommandButton, "cmdCase");
    cmdCase.placeOnToolbar(addToolbar("tobCase"));
    cmdCase.move(0, 0, 1500, 330);
  }
  void Form_MouseDown(int button, int, double x, double y) override {
    note("MouseDown " + std::to_string(button) + " " + std::to_string(int(x)) + " " +
         std::to_string(int(y)));
  }
  void Form_MouseMove(int, int, double x, double y) override {
    const bool band = x > 3000 && x < 9000 && y > 1900 && y < 2150;
    setMousePointer(band ? forms::kPointerCustom : forms::kPointerDefault);
  }
  void Form_QueryUnload(int& cancel, int mode) override {
    note("Frame.QueryUnload " + std::to_string(mode));
    cancel = answerQuery;
  }
};

// The log since it was last cleared, "|" between entries, the control's own name left out.
std::string events(const std::string& own = "") {
  std::string all;
  for (const std::string& e : log())
    all += (all.empty() ? "" : "|") + (e.starts_with(own + ".") ? e.substr(own.size() + 1) : e);
  log().clear();
  return all;
}

class FormsViewTest : public ::testing::Test {
 protected:
  testing_support::ScriptedPlatform platform;
  forms::Application app{platform};
  qtview::FormsView view{app};
  Frame* frame = &app.get<Frame>();
  Sheet* sheet = &app.get<Sheet>();

  void SetUp() override {
    view.sync();
    view.mainWindow()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.mainWindow()));
    log().clear();
  }
  void TearDown() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  template <class W = QWidget>
  W* widget(const forms::Control& c) {
    auto* w = qobject_cast<W*>(view.widgetOf(c));
    EXPECT_NE(w, nullptr) << c.name();
    return w;
  }
  // A picture of one colour with a dot of another in its middle, in the tests' file folder.
  static std::string writePicture(const QString& name, QSize size, QRgb fill, QRgb dot) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(fill);
    picture.setPixel(size.width() / 2, size.height() / 2, dot);
    const QString file = viewtest::writeFile(name, {});
    EXPECT_TRUE(picture.save(file));
    return file.toStdString();
  }
};

std::string logName(const forms::Control& c) {
  return c.name() + (c.index() >= 0 ? "(" + std::to_string(c.index()) + ")" : "");
}

// What the user does with one control, as Qt events: "type TEXT", "key SEQUENCE", "tab TEXT" and
// "backtab TEXT" (Tab or Shift+Tab from the focused control, then typing), "shortcut TEXT" (an
// access key puts the focus there, then typing), "wheel",
// "dclick", "dclick all", "choose N" (a click opens a list's drop-down, Enter takes item N), or a
// left press inside with the release inside ("click") or on the bare part of its container ("click
// off"). Presses and releases come to the window as the system sends them, so Qt picks the widget
// that receives them.
void act(const std::string& what, QWidget* w) {
  QWidget* top = w->window();
  const QPoint in = w->mapTo(top, QPoint(4, 4));
  if (what.starts_with("type ")) {
    QTest::keyClicks(w, QString::fromStdString(what.substr(5)));
  } else if (what.starts_with("tab ") || what.starts_with("backtab ")) {
    const bool back = what.starts_with("back");
    QTest::keyClick(QApplication::focusWidget(), back ? Qt::Key_Backtab : Qt::Key_Tab,
                    back ? Qt::ShiftModifier : Qt::NoModifier);
    QTest::keyClicks(QApplication::focusWidget(),
                     QString::fromStdString(what.substr(what.find(' ') + 1)));
  } else if (what.starts_with("shortcut ")) {
    w->setFocus(Qt::ShortcutFocusReason);
    QTest::keyClicks(QApplication::focusWidget(), QString::fromStdString(what.substr(9)));
  } else if (what.starts_with("key ")) {
    const QKeyCombination k = QKeySequence(QString::fromStdString(what.substr(4)))[0];
    QTest::keyClick(w, k.key(), k.keyboardModifiers());
  } else if (what == "wheel") {
    QWheelEvent e(w->rect().center(), w->mapToGlobal(w->rect().center()), {}, {0, -120},
                  Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
  } else if (what == "dclick") {
    QTest::mouseDClick(w, Qt::LeftButton, {}, {4, 4});
  } else if (what == "dclick all") {  // as the system sends it: press, release, double, release
    QTest::mouseDClick(top->windowHandle(), Qt::LeftButton, {}, in);
  } else if (auto* cb = qobject_cast<QComboBox*>(w); cb && what.starts_with("choose ")) {
    const QPoint arrow = cb->mapTo(top, QPoint(cb->width() - 6, cb->height() / 2));
    QTest::mousePress(top->windowHandle(), Qt::LeftButton, {}, arrow);
    QTest::mouseRelease(top->windowHandle(), Qt::LeftButton, {}, arrow);
    ASSERT_TRUE(cb->view()->isVisible());
    cb->view()->setCurrentIndex(cb->model()->index(std::stoi(what.substr(7)), 0));
    QTest::keyClick(cb->view(), Qt::Key_Return);
    EXPECT_FALSE(cb->view()->isVisible());
  } else {
    QWidget* box = w->parentWidget();
    QTest::mousePress(top->windowHandle(), Qt::LeftButton, {}, in);
    QTest::mouseRelease(top->windowHandle(), Qt::LeftButton, {},
                        what == "click" ? in : box->mapTo(top, QPoint(2, box->height() / 2)));
  }
}

TEST_F(FormsViewTest, EveryUserEventReachesTheModelByTheRules) {
  Sheet& s = *sheet;
  int cancelDown = 0, cancelPress = 0;  // the window's KeyDown / KeyPress swallow these
  for (auto& c : s.controls()) {
    c->onKeyDown = [&cancelDown](int& k, int) {
      note("KeyDown " + std::to_string(k));
      if (k == cancelDown) k = 0;
    };
    c->onKeyPress = [&cancelPress, filter = c->onKeyPress](int& k) {
      note("KeyPress " + std::to_string(k));
      if (k == cancelPress) k = 0;
      if (filter && k) filter(k);
    };
    const std::string n = logName(*c);
    c->onMouseDown = [n](int b, int, double, double) { note(n + ".Down " + std::to_string(b)); };
    c->onMouseUp = [n](int b, int, double, double) { note(n + ".Up " + std::to_string(b)); };
    c->onDblClick = [n] { note(n + ".DblClick"); };
  }
  s.cmdCalc.onClick = [] { note("cmdCalc.Click"); };
  QApplication::clipboard()->setText("abc");
  // What the user does to a control, its own events after (without its name), its text (boxes
  // and lists) or value (options) after, and a key the window's KeyDown or KeyPress swallows.
  const struct {
    forms::Control* c;
    std::string act;
    const char* events;
    const char* text = nullptr;
    int cancelDown = 0, cancelPress = 0;
    forms::Control* from = nullptr;  // has the focus before (keys: the control itself)
    const char* before = "";         // the text of the box or list before
  } cases[] = {
      // clang-format off
      {&s.txtNotes, "type a", "KeyDown 65|KeyPress 97|Change", "a"},
      {&s.txtNotes, "key Space", "KeyDown 32|KeyPress 32|Change", " "},
      {&s.txtNotes, "key Return", "KeyDown 13|KeyPress 13|Change", "\r\n"},
      {&s.txtTemp, "key Return", "KeyDown 13|KeyPress 13", ""},
      {&s.txtTemp, "type x", "KeyDown 88|KeyPress 120", ""},
      {&s.txtTemp, "type 4\b", "KeyDown 52|KeyPress 52|Change|KeyDown 8|KeyPress 8|Change", ""},
      // The keypad types what the main keys type; its own key codes come with KeyDown.
      {&s.txtTemp, "key Num+5", "KeyDown 101|KeyPress 53|Change", "5"},
      {&s.txtTemp, "key Num+-", "KeyDown 109|KeyPress 45|Change", "-"},
      {&s.txtTemp, "key Num+.", "KeyDown 110|KeyPress 46|Change", "."},
      {&s.txtTemp, "key Num+Enter", "KeyDown 13|KeyPress 13", ""},
      {&s.txtNotes, "key Num++", "KeyDown 107|KeyPress 43|Change", "+"},
      {&s.txtNotes, "key Num+*", "KeyDown 106|KeyPress 42|Change", "*"},
      {&s.txtNotes, "key Num+/", "KeyDown 111|KeyPress 47|Change", "/"},
      {&s.txtTemp, "key Left", "KeyDown 37", ""},
      {&s.txtNotes, "key F2", "KeyDown 113", ""},
      {&s.txtNotes, "type a", "KeyDown 65", "", 65},
      {&s.txtNotes, "type a", "KeyDown 65|KeyPress 97", "", 0, 97},
      {&s.txtNotes, "key Ctrl+V", "KeyDown 17|KeyDown 86|KeyPress 22", "", 0, 22},
      {&s.txtNotes, "key Ctrl+V", "KeyDown 17|KeyDown 86|KeyPress 22|Change", "abc"},
      {&s.cboSize, "type 7", "KeyDown 55|KeyPress 55|Change", "7"},
      // Entered by the keyboard, a box or a list that takes typing has its whole text selected,
      // wherever its caret was.
      {&s.cboSize, "tab 7", "txtTemp.LostFocus|GotFocus|KeyDown 55|KeyPress 55|Change", "7", 0, 0,
       &s.txtTemp, "SELECT diameter"},
      {&s.cboSize, "shortcut 7", "txtTemp.LostFocus|GotFocus|KeyDown 55|KeyPress 55|Change", "7",
       0, 0, &s.txtTemp, "SELECT diameter"},
      {&s.txtTemp, "backtab 4", "KeyDown 16|cboSize.LostFocus|GotFocus|KeyDown 52|KeyPress 52|Change", "4", 0,
       0, &s.cboSize, "12.5"},
      {&s.txtNotes, "shortcut x", "txtTemp.LostFocus|GotFocus|KeyDown 88|KeyPress 120|Change", "x",
       0, 0, &s.txtTemp, "Insulated on site"},
      {&s.cboSize, "key Down", "KeyDown 40|Click", "21.3"},
      {&s.cboSize, "key Down", "KeyDown 40", "", 40},
      {&s.lstProduct, "type b", "KeyDown 66|KeyPress 98|Click", "Board 140"},
      {&s.lstProduct, "type b", "KeyDown 66|KeyPress 98", "Wired mat 80", 0, 98},
      {&s.lstProduct, "key Up", "KeyDown 38", "Wired mat 80"},
      {&s.lstProduct, "key Return", "KeyDown 13|KeyPress 13", "Wired mat 80"},
      {&s.lstProduct, "choose 2", "txtTemp.LostFocus|GotFocus|Click", "Board 140"},
      {&s.cboSize, "choose 2", "txtTemp.LostFocus|GotFocus|Click", "33.7"},
      {&s.lstProduct, "wheel", "", "Wired mat 80"},
      {&s.cboSize, "wheel", "", ""},
      {&s.txtTemp, "wheel", "", ""},
      {&s.cmdCalc, "key Return", "KeyDown 13|KeyPress 13|Click"},
      {&s.cmdCalc, "key Space", "KeyDown 32|KeyPress 32|Click"},
      {&s.cmdCalc, "key Return", "KeyDown 13|KeyPress 13", nullptr, 0, 13},
      {&s.cmdCalc, "key F5", "KeyDown 116"},
      {&s.optIn, "key Down", "KeyDown 40|LostFocus|optPlace(1).GotFocus|optPlace(1).Click", "0"},
      {&s.optIn, "key Up", "KeyDown 38|LostFocus|optPlace(3).GotFocus|optPlace(3).Click", "0"},
      {&s.optIn, "key Right", "KeyDown 39", "1", 39},
      {&s.optOut, "click", "txtTemp.LostFocus|GotFocus|Click", "1"},
      {&s.optOut, "click off", "txtTemp.LostFocus|GotFocus", "0"},
      {&s.cmdCalc, "click", "txtTemp.LostFocus|GotFocus|Click"},
      {&s.cmdCalc, "click off", "txtTemp.LostFocus|GotFocus"},
      {&s.lblUnit, "click", "Down 1|Up 1|Click"},
      {&s.lblUnit, "click off", "Down 1|Up 1"},
      {&s.lblUnit, "dclick all", "Down 1|Up 1|Click|DblClick|Up 1"},
      {&s.imgLogo, "click", "Down 1|Up 1|Click"},
      {&s.imgLogo, "click off", "Down 1|Up 1"},
      {&s.imgLogo, "dclick all", "Down 1|Up 1|Click|DblClick|Up 1"},
      {&s.chkDetail, "click", "txtTemp.LostFocus|GotFocus|Click", "1"},
      {&s.optOut, "dclick", "txtTemp.LostFocus|GotFocus|Click|DblClick", "1"},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(logName(*c.c) + ": " + c.act + ", swallowed " + std::to_string(c.cancelDown) +
                 "/" + std::to_string(c.cancelPress));
    view.userEvent([&] {
      s.optIn.setValue(1);
      s.chkDetail.setValue(0);
      s.lstProduct.setListIndex(0);
      s.cboSize.setListIndex(-1);
      for (forms::Control* box : {&s.txtTemp, &s.txtNotes, &s.cboSize}) box->setTextSilently("");
      if (*c.before) {
        c.c->setTextSilently(c.before);
        c.c->setSelStart(static_cast<int>(c.c->text().size()));  // the caret at its end
      }
      // Keys go to the focused control; the mouse comes while another one has the focus.
      (c.from                                                  ? c.from
       : c.act.starts_with("key") || c.act.starts_with("type") ? c.c
                                                               : &s.txtTemp)
          ->setFocus();
    });
    cancelDown = c.cancelDown;
    cancelPress = c.cancelPress;
    log().clear();
    act(c.act, widget(*c.c));
    EXPECT_EQ(events(logName(*c.c)), c.events);
    const bool valued = c.c->kind() == K::OptionButton || c.c->kind() == K::CheckBox;
    if (c.text) {
      EXPECT_EQ(valued ? std::to_string(c.c->value()) : c.c->text(), c.text);
    }
    if (auto* cb = qobject_cast<QComboBox*>(widget(*c.c))) {
      EXPECT_EQ(cb->currentText().toStdString(), c.c->text()) << "shown";
      cb->hidePopup();
    }
  }
}

TEST_F(FormsViewTest, FocusMovesAndCtrlKeysBetweenChildrenGoThroughTheModel) {
  // A window that is shown gives the focus to its first control in the tab order.
  EXPECT_TRUE(sheet->activeControl() == &sheet->txtTemp &&
              QApplication::focusWidget() == view.widgetOf(sheet->txtTemp));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(events(), "txtTemp.LostFocus|cboSize.GotFocus");
  EXPECT_EQ(QApplication::focusWidget(), view.widgetOf(sheet->cboSize));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(events(), "cboSize.LostFocus|txtTemp.GotFocus");
  // Another window with its own focused box; going back and forth raises Activate only.
  auto& other = app.get<Other>();
  view.sync();
  EXPECT_EQ(other.activeControl(), &other.txtOther);
  log().clear();
  view.workspace()->setActiveSubWindow(static_cast<QMdiSubWindow*>(view.windowOf(*sheet)));
  view.workspace()->setActiveSubWindow(static_cast<QMdiSubWindow*>(view.windowOf(other)));
  EXPECT_EQ(events(), "Sheet.Activate|Other.Activate");
  EXPECT_EQ(QApplication::focusWidget(), view.widgetOf(other.txtOther));
  // Ctrl+F6 goes to the next child window, Ctrl+F4 asks the model to close the active one.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ControlModifier);
  EXPECT_EQ(app.activeMdiChild(), sheet);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4, Qt::ControlModifier);
  EXPECT_TRUE(!app.isLoaded("Sheet") && app.isLoaded("Other"));
}

TEST_F(FormsViewTest, ClosingAWindowOverTheFrameGivesTheFocusBackToTheChildInFront) {
  auto& other = app.get<Other>();
  view.userEvent([this] {
    sheet->activate();
    sheet->cboSize.setFocus();
  });
  log().clear();
  auto& notice = app.get<Notice>();
  view.userEvent([&] {
    notice.show();
    notice.setTopmost(true);
  });
  QWidget* shown = view.windowOf(notice);
  ASSERT_TRUE(QTest::qWaitForWindowActive(shown));
  QTest::keyClick(view.widgetOf(notice.cmdClose), Qt::Key_Space);
  ASSERT_FALSE(app.isLoaded("Notice"));
  ASSERT_TRUE(QTest::qWaitForWindowActive(view.mainWindow()));
  // The window system may give the main window that comes back its first control, as it does
  // when the window it left kept no focus of its own.
  view.widgetOf(frame->control("cmdCase"))->setFocus(Qt::ActiveWindowFocusReason);
  QCoreApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(), view.widgetOf(sheet->cboSize));
  EXPECT_EQ(app.activeMdiChild(), sheet);
  EXPECT_EQ(frame->activeControl(), nullptr);
  // Focus moves between windows raise no focus events, and Tab goes on in the child.
  EXPECT_EQ(events(), "");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(events(), "cboSize.LostFocus|lstProduct.GotFocus");
  (void)other;
}

// Whatever box or dialog a command opens, once it closes the child in front is active again with
// the keyboard where it was: in the box that had the focus, whose typed text is as it was, or on
// the report a window shows alone (maximised, as the preview), which Page Down scrolls on.
TEST_F(FormsViewTest, TheChildInFrontIsActiveAgainWithItsFocusWhenADialogCloses) {
  qtview::QtPlatform qt;
  qt.setView(&view);
  app.get<Other>();
  view.userEvent([this] { sheet->activate(); });
  auto* box = widget<QLineEdit>(sheet->txtTemp);
  box->setFocus(Qt::MouseFocusReason);
  QTest::keyClicks(box, "12");
  const QString report = viewtest::writeFile("dialog-report.htm", "<p>Report</p>");
  QByteArray lines;
  for (int i = 0; i < 300; ++i) lines += "<p>Line " + QByteArray::number(i) + "</p>";
  const QString page = viewtest::writeFile("dialog-page.htm", lines);
  const std::pair<const char*, std::function<void()>> dialogs[] = {
      {"message box", [&] { qt.msgBox("Saved", forms::mb::OkOnly, ""); }},
      {"input box", [&] { qt.inputBox("Decimals", "", "1", -1, -1); }},
      {"save dialog", [&] { qt.saveFileDialog({.title = "Save case"}); }},
      {"open dialog", [&] { qt.openFileDialog({.title = "Open case"}); }},
      {"print dialog", [&] { qt.printHtml(report.toStdString()); }}};
  std::string typed = "12";
  forms::Form* fronts[] = {sheet, nullptr};
  for (forms::Form*& front : fronts) {
    QWidget* toolbarButton = view.widgetOf(frame->control("cmdCase"));
    QTextBrowser* browser = nullptr;
    if (!front) {
      auto& shown = app.get<Page>();
      view.userEvent([&] {
        shown.brwPage.setTextSilently(page.toStdString());
        shown.setWindowState(forms::kStateMaximized);
      });
      front = &shown;
      browser = widget<QTextBrowser>(shown.brwPage);
      // A click on the page gives it the keyboard, wherever it was (on the toolbar).
      QTest::mouseClick(toolbarButton, Qt::LeftButton);
      QTest::mouseClick(browser->viewport(), Qt::LeftButton);
      EXPECT_EQ(QApplication::focusWidget(), browser) << "clicked";
    }
    for (const auto& [what, open] : dialogs) {
      SCOPED_TRACE(front->name() + ": " + what);
      QTimer::singleShot(0, [] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
      });
      view.userEvent(open);
      ASSERT_TRUE(QTest::qWaitForWindowActive(view.mainWindow()));
      // The window system may give the main window that comes back its first control.
      toolbarButton->setFocus(Qt::ActiveWindowFocusReason);
      QCoreApplication::processEvents();
      EXPECT_TRUE(view.workspace()->activeSubWindow() == view.windowOf(*front) &&
                  app.activeMdiChild() == front);
      if (front == sheet) {
        ASSERT_EQ(QApplication::focusWidget(), box);
        QTest::keyClicks(QApplication::focusWidget(), "3");
        EXPECT_EQ(sheet->txtTemp.text(), typed += "3");
      } else {
        ASSERT_EQ(QApplication::focusWidget(), browser);
        const int before = browser->verticalScrollBar()->value();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
        EXPECT_GT(browser->verticalScrollBar()->value(), before);
      }
    }
  }
}

TEST_F(FormsViewTest, AListOpenedWithF4TakesItsFirstItemOnTheFirstDown) {
  // With nothing chosen, its prompt is drawn as text, not greyed out as a disabled one.
  auto* cb = widget<QComboBox>(sheet->lstProduct);
  view.userEvent([this] {
    sheet->lstProduct.setListIndex(-1);
    sheet->lstProduct.setTextSilently("SELECT product");
    sheet->lstProduct.setFocus();
  });
  EXPECT_EQ(cb->palette().color(QPalette::PlaceholderText), cb->palette().color(QPalette::Text));
  QTest::keyClick(cb, Qt::Key_F4);
  ASSERT_TRUE(cb->view()->isVisible());
  QTest::keyClick(cb->view(), Qt::Key_Down);
  QTest::keyClick(cb->view(), Qt::Key_Return);
  EXPECT_EQ(sheet->lstProduct.listIndex(), 0);
}

TEST_F(FormsViewTest, ModelStateReachesTheWidgets) {
  Sheet& f = *sheet;
  // A caption too long for its label takes the free room to its right, never over the next
  // control; the model keeps its design width. With nothing to its right it shows it all.
  const QString longCaption = "Temperature of the surrounding air";
  view.userEvent([&] {
    f.chkDetail.setVisible(false);
    f.fraPlace.setVisible(false);
    f.lblUnit.setEnabled(false);
    f.lblUnit.move(120, 300, 300, 195);
    f.lblUnit.setCaption(longCaption.toStdString());
    f.barDone.setText(" Loading ");
    f.setBackColor(0xFFFFFF);
    f.setCaption("Renamed");
    f.setWindowState(forms::kStateMaximized);
  });
  QWidget* label = widget(f.lblUnit);
  EXPECT_TRUE(label->width() > 20 && label->geometry().right() <= widget(f.txtTemp)->x() &&
              f.lblUnit.width() == 300);
  EXPECT_TRUE(widget(f.chkDetail)->isHidden());
  EXPECT_TRUE(!widget(f.optIn)->isVisible() && f.optIn.visible()) << "hidden frame keeps flags";
  const QPalette& grey = label->palette();
  EXPECT_TRUE(!label->isEnabled() && grey.color(QPalette::Disabled, QPalette::WindowText) !=
                                         grey.color(QPalette::Active, QPalette::WindowText));
  EXPECT_TRUE(widget<QLineEdit>(f.txtLoss)->isReadOnly()) << "locked";
  EXPECT_TRUE(widget(f.fraResult)->font().bold() && !widget(f.txtTemp)->font().bold());
  EXPECT_EQ(widget(f.txtTemp)->geometry(), QRect(143, 20, 70, 21)) << "twips inside the container";
  EXPECT_EQ(widget<QPlainTextEdit>(f.txtNotes)->blockCount(), 2);
  auto* bar = widget<QProgressBar>(f.barDone);
  EXPECT_TRUE(bar->isTextVisible() && bar->text() == " Loading " && bar->value() == 40);
  EXPECT_TRUE(view.canvasOf(f)->autoFillBackground() &&
              view.canvasOf(f)->palette().color(QPalette::Window) == QColor(Qt::white));
  EXPECT_TRUE(view.windowOf(f)->windowTitle() == "Renamed" && view.windowOf(f)->isMaximized());
  view.userEvent([&] { f.lblUnit.move(120, 1500, 300, 195); });
  EXPECT_TRUE(label->width() >= QFontMetrics(label->font()).horizontalAdvance(longCaption) &&
              label->geometry().right() <= widget(f.fraInput)->width());

  // A report file shown in a browser box in the code page it declares, loaded again when it
  // changed, at a web browser's sizes in pixels: 16 for normal text, 13 for small.
  auto& browser = app.get<Other>().brwReport;
  const std::tuple<const char*, const char*, int> pages[] = {{"17.4 W/m\xB2", "<p>", 16},
                                                             {"12.9 W/m\xB2", "<p><SMALL>", 13}};
  for (const auto& [loss, markup, pixels] : pages) {
    const QString file = viewtest::writeFile(
        "preview-test.htm",
        QByteArray("<html><head><meta charset=\"windows-1252\"></head>") + markup + loss);
    view.userEvent([&] { browser.setTextSilently(file.toStdString()); });
    QTextDocument* shown = widget<QTextBrowser>(browser)->document();
    EXPECT_EQ(shown->toPlainText().toStdString(), QString::fromLatin1(loss).toStdString());
    const QFont font = shown->begin().begin().fragment().charFormat().font();
    EXPECT_EQ(QFontInfo(font).pixelSize(), pixels) << markup;
  }
}

TEST_F(FormsViewTest, AHandlerRunsUnderTheHourglassAndReachesTheScreenOnce) {
  int changes = 0;
  QObject::connect(widget<QLineEdit>(sheet->txtTemp), &QLineEdit::textChanged,
                   [&changes] { ++changes; });
  QTest::mouseClick(widget(sheet->cmdCalc), Qt::LeftButton);
  EXPECT_TRUE(changes == 1 && widget<QLineEdit>(sheet->txtTemp)->text() == "99999") << changes;

  Qt::CursorShape during = Qt::ArrowCursor;
  view.userEvent([&] {
    sheet->setMousePointer(forms::kPointerHourglass);
    if (const QCursor* c = QApplication::overrideCursor()) during = c->shape();
    sheet->setMousePointer(forms::kPointerDefault);
  });
  EXPECT_TRUE(during == Qt::WaitCursor && !QApplication::overrideCursor());
}

TEST_F(FormsViewTest, WindowStatesAndClosingGoThroughTheModel) {
  auto* sub = static_cast<QMdiSubWindow*>(view.windowOf(*sheet));
  // A child's state reaches the model once the workspace has done with the event.
  sub->showMinimized();
  QCoreApplication::processEvents();
  EXPECT_EQ(sheet->windowState(), forms::kStateMinimized);
  sub->showNormal();
  QCoreApplication::processEvents();
  EXPECT_EQ(sheet->windowState(), forms::kStateNormal);

  // Setting the frame's state never re-creates it, which would hide it and drop its state.
  viewtest::EventCounter counter(QEvent::Hide);
  view.mainWindow()->installEventFilter(&counter);
  view.userEvent([this] { frame->setWindowState(forms::kStateMaximized); });
  view.userEvent([this] { frame->setWindowState(forms::kStateNormal); });
  EXPECT_EQ(counter.n, 0);
  view.mainWindow()->removeEventFilter(&counter);

  frame->answerQuery = 1;
  view.mainWindow()->close();
  EXPECT_EQ(log().back(), "Frame.QueryUnload 0");
  EXPECT_TRUE(view.mainWindow()->isVisible() && app.isLoaded("Sheet"));
  frame->answerQuery = 0;
  bool ended = false;
  QObject::connect(&view, &qtview::FormsView::ended, [&ended] { ended = true; });
  view.mainWindow()->close();
  EXPECT_FALSE(app.isLoaded("Frame") || app.isLoaded("Sheet"));
  EXPECT_TRUE(ended);
}

// Whether a scroll bar's thumb is drawn where its value puts it: the middle of the run of
// darker pixels along its groove (the groove is light, the thumb a darker button), as a share of
// the groove, against the share the value and the page give.
void expectThumbShown(QScrollBar* bar) {
  const QImage shown = bar->grab().toImage();
  const bool across = bar->orientation() == Qt::Horizontal;
  const int length = across ? shown.width() : shown.height();
  const int arrow = across ? shown.height() : shown.width();  // square arrow buttons
  const int groove = qGray(bar->palette().color(QPalette::Base).rgb());
  int first = -1, last = -1, dark = 0;
  for (int i = arrow; i < length - arrow; ++i) {
    const QRgb p = across ? shown.pixel(i, shown.height() / 2) : shown.pixel(shown.width() / 2, i);
    if (qGray(p) < groove - 20) {
      if (first < 0) first = i;
      last = i;
      ++dark;
    }
  }
  ASSERT_GT(dark, 0.9 * (last - first + 1)) << "no thumb to be seen";
  const double span = bar->maximum() - bar->minimum() + bar->pageStep();
  const double belongs = (bar->value() - bar->minimum() + bar->pageStep() / 2.0) / span;
  EXPECT_NEAR((first + last) / 2.0 - arrow, belongs * (length - 2 * arrow), 4 + 0.05 * length);
}

// The workspace's thumbs stand where the view is, and dragging a thumb or turning the wheel
// moves the view that way: the children and the picture, whose bands are hit-tested where
// they are shown.
TEST_F(FormsViewTest, TheWorkspaceScrollsToEveryChildAndItsPictureTheNaturalWay) {
  auto* area = static_cast<qtview::Workspace*>(view.workspace());
  QScrollBar* down = area->bar(Qt::Vertical);
  QWidget* shown = area->viewport();
  view.userEvent([&] {
    frame->setPicture(writePicture("scrolled.png", {200, 150}, 0xFF2040A0, 0xFF2040A0));
  });
  QWidget* child = view.windowOf(*sheet);
  // Dragged partly out beyond the bottom of the workspace.
  child->move(40, shown->height() - 100);
  QCoreApplication::processEvents();
  ASSERT_TRUE(down->isVisible());
  EXPECT_FALSE(area->bar(Qt::Horizontal)->isVisible());
  const int top = child->y();
  EXPECT_EQ(down->value(), 0);
  EXPECT_EQ(down->maximum(), child->geometry().bottom() + 1 - shown->height());
  EXPECT_EQ(down->pageStep(), shown->height());
  expectThumbShown(down);
  // The thumb dragged down a little: the view goes down, the child and the picture up.
  QStyleOptionSlider option;
  option.initFrom(down);
  option.orientation = Qt::Vertical;
  option.minimum = down->minimum();
  option.maximum = down->maximum();
  option.sliderPosition = option.sliderValue = down->value();
  option.pageStep = down->pageStep();
  option.singleStep = down->singleStep();
  const QPoint grip =
      down->style()
          ->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, down)
          .center();
  QTest::mousePress(down, Qt::LeftButton, {}, grip);
  QTest::mouseMove(down, grip + QPoint(0, 20));
  QTest::mouseRelease(down, Qt::LeftButton, {}, grip + QPoint(0, 20));
  QCoreApplication::processEvents();
  const int dragged = down->value();
  EXPECT_GT(dragged, 0);
  EXPECT_EQ(area->origin().y(), dragged);
  EXPECT_EQ(child->y(), top - dragged);
  const QImage seen = shown->grab().toImage();
  EXPECT_TRUE(seen.pixel(10, 150 - dragged - 1) == 0xFF2040A0 &&
              seen.pixel(10, 150 - dragged) != 0xFF2040A0)
      << "the picture moved with the view";
  // A press on the background is told in the picture's own twips.
  log().clear();
  QTest::mousePress(shown, Qt::RightButton, {}, QPoint(10, 10));
  EXPECT_EQ(events(), "MouseDown 2 150 " + std::to_string((10 + dragged) * 15));
  // A wheel step down on the background goes on down, one up comes back.
  for (int turn : {-120, 120}) {
    const int before = down->value();
    QWheelEvent wheel(QPointF(10, 10), shown->mapToGlobal(QPointF(10, 10)), {}, {0, turn},
                      Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(shown, &wheel);
    QCoreApplication::processEvents();
    EXPECT_EQ(down->value() > before, turn < 0) << turn;
    EXPECT_EQ(child->y(), top - down->value());
  }
  // At the end of the reach the thumb is drawn at the end, and the child's bottom is in view.
  down->setValue(down->maximum());
  QCoreApplication::processEvents();
  expectThumbShown(down);
  EXPECT_EQ(child->geometry().bottom() + 1, shown->height());
  // Back in view where it stood first, nothing reaches beyond and the bars go.
  down->setValue(0);
  child->move(40, 40);
  QCoreApplication::processEvents();
  EXPECT_FALSE(down->isVisible());
  // Beyond the right edge: the wheel's sideways turn, or its turn with Alt, goes sideways.
  QScrollBar* across = area->bar(Qt::Horizontal);
  child->move(shown->width() - 100, 40);
  QCoreApplication::processEvents();
  ASSERT_TRUE(across->isVisible());
  const std::pair<QPoint, Qt::KeyboardModifiers> sideways[] = {{{-120, 0}, Qt::NoModifier},
                                                               {{0, -120}, Qt::AltModifier}};
  for (const auto& [turn, keys] : sideways) {
    across->setValue(0);
    QWheelEvent wheel(QPointF(10, 10), shown->mapToGlobal(QPointF(10, 10)), {}, turn, Qt::NoButton,
                      keys, Qt::NoScrollPhase, false);
    QApplication::sendEvent(shown, &wheel);
    QCoreApplication::processEvents();
    EXPECT_GT(across->value(), 0) << keys.toInt();
  }
}

// A workspace that grows shows no blank beyond one end of its content while the other end is
// cut off: the view comes back towards that end as far as the blank allows, both ways at once.
TEST_F(FormsViewTest, AWorkspaceThatGrowsShowsAllItCanOfItsContent) {
  auto* area = static_cast<qtview::Workspace*>(view.workspace());
  QWidget* child = view.windowOf(*sheet);  // larger than the view at the smaller size
  const struct {
    const char* what;
    QPoint dragged;  // in the view at the smaller size
    bool scrolled;   // to the far corner
    QSize grown;
    bool fits;
  } steps[] = {
      {"beyond the bottom right, grown beyond its end", {250, 200}, true, {700, 500}, true},
      {"starting inside the view, cut off, grown a little", {100, 60}, false, {100, 50}, false}};
  for (const auto& s : steps) {
    SCOPED_TRACE(s.what);
    view.mainWindow()->resize(400, 300);
    QCoreApplication::processEvents();
    child->move(s.dragged);
    QCoreApplication::processEvents();
    for (QScrollBar* bar : {area->bar(Qt::Horizontal), area->bar(Qt::Vertical)})
      if (s.scrolled) bar->setValue(bar->maximum());
    view.mainWindow()->resize(view.mainWindow()->size() + s.grown);
    QCoreApplication::processEvents();
    EXPECT_EQ(child->pos(), QPoint(0, 0));
    EXPECT_EQ(area->bar(Qt::Horizontal)->isVisible(), !s.fits);
  }
}

// The preview's thumb stands where the view is; the wheel and a drag of the thumb scroll it.
TEST_F(FormsViewTest, ThePreviewScrollsTheNaturalWay) {
  auto& browser = app.get<Other>().brwReport;
  QByteArray page = "<html><body>";
  for (int i = 0; i < 200; ++i) page += "<p>Line " + QByteArray::number(i) + "</p>";
  const QString file = viewtest::writeFile("long-report.htm", page + "</body></html>");
  view.userEvent([&] { browser.setTextSilently(file.toStdString()); });
  auto* shown = widget<QTextBrowser>(browser);
  QScrollBar* down = shown->verticalScrollBar();
  auto topLine = [shown] {
    return shown->cursorForPosition(QPoint(4, 4)).block().text().toStdString();
  };
  ASSERT_GT(down->maximum(), 0);
  EXPECT_EQ(topLine(), "Line 0");
  expectThumbShown(down);
  QWheelEvent wheel(QPointF(20, 20), shown->viewport()->mapToGlobal(QPointF(20, 20)), {}, {0, -120},
                    Qt::NoButton, {}, Qt::NoScrollPhase, false);
  QApplication::sendEvent(shown->viewport(), &wheel);
  EXPECT_GT(down->value(), 0);
  EXPECT_NE(topLine(), "Line 0");
  down->setValue(down->maximum());
  EXPECT_EQ(topLine().substr(0, 5), "Line ");
  EXPECT_NE(topLine(), "Line 0");
  expectThumbShown(down);
}

// Where a browser puts the lines of a report: the top of a text's line, in pixels from the top of
// the page. Measured once in Chromium 120 (headless, window 1600x1000, 100 %, this machine's
// fonts) on the same displayed copies, by a script that printed getClientRects() of every text.
struct BrowserLine {
  const char* text;
  int top;
};
const std::pair<std::string, std::vector<BrowserLine>> kBrowserLines[] = {
    {"calc01-dk-pipe-outdoors-savings",  // cell padding 3: rows 21 pixels apart
     {{"Initialer", 38},
      {"Beregning", 87},
      {"114.3 mm", 132},
      {"T100", 195},
      {"8760", 447},
      {"1234 T119", 552},
      {"rådgivning 144", 650},
      {"rådgivning 148", 710}}},
    {"calc02-lt-pipe-indoors",  // cell padding 4: 23 pixels; the drawing alone under the table
     {{"Skaičiavimas", 90},
      {"60.3 mm", 139},
      {"T100", 216},
      {"T115", 400},
      {"rådgivning 144", 699},
      {"rådgivning 152", 744}}},
    {"calc01-se-pipe-indoors-distances",  // the distances over their drawing
     {{"T201", 258}, {"44.2", 384}, {"F =", 669}, {"a =", 680}, {"rådgivning 146", 936}}},
    // A word wider than its cell widens the column.
    {"", {{"Rörskålstjocklek", 11}}},
};

// Shown as a browser shows it: every line where a browser puts it, within a pixel, and whole;
// the footer's rule above the logo, from the left margin; every address line in italics.
TEST_F(FormsViewTest, ThePreviewLaysOutAReportAsABrowserDoes) {
  auto& browser = app.get<Other>().brwReport;
  view.userEvent([&] { browser.move(0, 0, 1600 * 15, 1000 * 15); });
  for (const auto& [golden, lines] : kBrowserLines) {
    SCOPED_TRACE(golden);
    const QString file =
        golden.empty()
            ? viewtest::writeFile("word-view.htm",
                                  "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
                                  "charset=utf-8\">\n<TABLE WIDTH=200 CELLPADDING=1><TR><TD "
                                  "WIDTH=10%>R\xC3\xB6rsk\xC3\xA5lstjocklek</TD><TD>mm</TD>")
            : viewtest::displayedGolden(golden);
    view.userEvent([&] { browser.setTextSilently(file.toStdString()); });
    QTextDocument* shown = widget<QTextBrowser>(browser)->document();
    QAbstractTextDocumentLayout* layout = shown->documentLayout();
    for (const auto& [text, top] : lines) {
      const QTextCursor found = shown->find(QString::fromUtf8(text));
      ASSERT_FALSE(found.isNull()) << text;
      const QTextBlock b = found.block();
      const QTextLine line = b.layout()->lineForTextPosition(found.selectionStart() - b.position());
      EXPECT_NEAR(layout->blockBoundingRect(b).top() + line.y(), top, 1) << text;
      EXPECT_GE(line.textStart() + line.textLength(), found.selectionEnd() - b.position()) << text;
    }
    if (golden.empty()) continue;
    // The footer's rule is the last block with one, drawn across its middle; the logo floats.
    QTextBlock rule;
    for (QTextBlock b = shown->begin(); b.isValid(); b = b.next())
      if (b.blockFormat().hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth)) rule = b;
    const QList<QTextFrame*> frames = shown->rootFrame()->childFrames();
    QTextFrame* logo = *std::find_if(frames.begin(), frames.end(), [](QTextFrame* f) {
      return f->frameFormat().position() == QTextFrameFormat::FloatLeft;
    });
    const QRectF ruleAt = layout->blockBoundingRect(rule);
    EXPECT_LE(ruleAt.top() + 9, layout->frameBoundingRect(logo).top());
    EXPECT_EQ(ruleAt.left(), shown->documentMargin());
    const auto* addresses = qobject_cast<QTextTable*>(shown->rootFrame()->childFrames().back());
    ASSERT_NE(addresses, nullptr);
    for (int column : {1, 2})
      for (auto it = addresses->cellAt(0, column).begin(); !it.atEnd(); ++it)
        for (auto part = it.currentBlock().begin(); !part.atEnd(); ++part)
          EXPECT_TRUE(part.fragment().charFormat().fontItalic())
              << part.fragment().text().toStdString();
  }
}

TEST_F(FormsViewTest, TheFrameReportsTheWorkspaceInTwipsAndPressesOnChildrenStayThere) {
  QWidget* area = view.workspace()->viewport();
  // Presses a child window leaves unhandled never reach the background.
  QWidget* canvas = view.canvasOf(*sheet);
  const std::pair<QWidget*, QPoint> places[] = {
      {view.widgetOf(sheet->lblUnit), {3, 3}},
      {view.widgetOf(sheet->fraPlace), {4, 60}},
      {canvas, {canvas->width() - 4, canvas->height() - 4}},
      {view.widgetOf(sheet->cmdCalc), {5, 5}},
      {view.widgetOf(sheet->optOut), {5, 5}}};
  for (const auto& [target, at] : places)
    for (Qt::MouseButton b : {Qt::RightButton, Qt::MiddleButton}) {
      QTest::mouseClick(target, b, {}, at);
      EXPECT_EQ(events().find("MouseDown"), std::string::npos) << target->metaObject()->className();
    }
  // The pointing hand of a band does not stay over a child window entered from the band.
  view.userEvent([this] { frame->setMousePointer(forms::kPointerCustom); });
  QEvent enter(QEvent::Enter);
  QApplication::sendEvent(view.windowOf(*sheet), &enter);
  EXPECT_EQ(area->cursor().shape(), Qt::ArrowCursor);
  EXPECT_EQ(canvas->cursor().shape(), Qt::ArrowCursor);

  // Sizes go back to the model in whole pixels; the inner size is the workspace's.
  EXPECT_EQ(QSize(frame->width(), frame->height()), QSize(11985, 8880));
  EXPECT_EQ(QSize(frame->scaleWidth(), frame->scaleHeight()), area->size() * 15);
  QTest::mousePress(area, Qt::RightButton, {}, QPoint(600, 500));
  EXPECT_EQ(events(), "MouseDown 2 9000 7500");
  view.userEvent([this] { sheet->unload(); });  // the band lies under the child window
  QTest::mouseMove(area, QPoint(300, 135));
  EXPECT_EQ(area->cursor().shape(), Qt::PointingHandCursor);
  QTest::mouseMove(area, QPoint(300, 150));
  EXPECT_EQ(area->cursor().shape(), Qt::ArrowCursor);

  // The background picture is drawn once, unscaled, from the top left.
  const std::string red = writePicture("background.png", {40, 30}, 0xFFFF0000, 0xFFFF0000);
  view.userEvent([&] { frame->setPicture(red); });
  QImage shown = area->grab().toImage();
  EXPECT_TRUE(shown.pixel(0, 0) == 0xFFFF0000 && shown.pixel(39, 29) == 0xFFFF0000);
  EXPECT_NE(shown.pixel(40, 5), 0xFFFF0000);   // not stretched
  EXPECT_NE(shown.pixel(45, 35), 0xFFFF0000);  // not tiled
}

TEST_F(FormsViewTest, TheFocusedControlShowsAFocusMark) {
  view.userEvent([this] { sheet->optOut.setCaption(""); });  // an option beside its picture
  for (forms::Control* c :
       {&sheet->cmdCalc, &sheet->optIn, &sheet->optOut, &sheet->chkDetail, &sheet->lstProduct}) {
    // The mark is looked for outside an option's indicator, which changes with the focus anyway.
    QWidget* w = view.widgetOf(*c);
    QStyleOptionButton option;
    option.initFrom(w);
    const QRect indicator = w->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, w);
    auto shown = [&] {
      QImage image = w->grab().toImage();
      if (c->kind() == K::OptionButton) QPainter(&image).fillRect(indicator, Qt::black);
      return image;
    };
    view.userEvent([&] { sheet->txtTemp.setFocus(); });
    const QImage without = shown();
    view.userEvent([&] { c->setFocus(); });
    ASSERT_TRUE(w->hasFocus()) << c->name();
    EXPECT_NE(shown(), without) << c->name();
  }
}

TEST_F(FormsViewTest, MenusAndToolbarsFollowTheModel) {
  QMenuBar* bar = view.mainWindow()->menuBar();
  ASSERT_EQ(bar->actions().size(), 2);
  QList<QAction*> items = bar->actions()[0]->menu()->actions();
  ASSERT_EQ(items.size(), 3);
  EXPECT_EQ(items[0]->shortcut(), QKeySequence("Ctrl+O"));
  EXPECT_FALSE(items[2]->isVisible());
  // A checked item shows its mark; the click and the model move it.
  EXPECT_TRUE(items[1]->isCheckable() && items[1]->isChecked());
  items[1]->trigger();
  EXPECT_EQ(events(), "menuPipes.Click");
  EXPECT_FALSE(items[1]->isChecked());
  items[1]->trigger();
  EXPECT_TRUE(items[1]->isChecked());
  view.userEvent([this] { frame->menu("menuPipes").setChecked(false); });
  EXPECT_FALSE(items[1]->isChecked());
  log().clear();
  // The window list names the open children.
  QMenu* windows = bar->actions()[1]->menu();
  emit windows->aboutToShow();
  EXPECT_EQ(windows->actions().back()->text(), "&1 Heat loss for a given thickness");

  auto toolbars = view.mainWindow()->findChildren<QToolBar*>();
  ASSERT_EQ(toolbars.size(), 2);
  if (toolbars[0]->objectName() != "tobMenu") std::swap(toolbars[0], toolbars[1]);
  QList<QAction*> buttons = toolbars[0]->actions();
  EXPECT_EQ(buttons[2]->toolTip(), "Heat loss");
  buttons[2]->trigger();
  EXPECT_EQ(events(), "tobMenu.Calc01");
  view.userEvent([this] { frame->toolbar("tobMenu").setButtonVisible(1, false); });
  EXPECT_FALSE(buttons[0]->isVisible());
  // Toolbar bitmaps see through their light grey.
  const std::string bmp = writePicture("toolbar.bmp", {16, 16}, 0xFFC0C0C0, 0xFFC80000);
  view.userEvent([&] { frame->toolbar("tobMenu").button(3).image = bmp; });
  QImage shown = buttons[2]->icon().pixmap(16, 16).toImage();
  EXPECT_TRUE(qAlpha(shown.pixel(0, 0)) == 0 && qAlpha(shown.pixel(8, 8)) == 255);
  // The frame's own controls sit on the toolbar that hosts them.
  EXPECT_TRUE(toolbars[1]->isAncestorOf(view.widgetOf(frame->control("cmdCase"))));
}

}  // namespace
