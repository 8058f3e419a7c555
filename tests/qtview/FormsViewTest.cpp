// The renderer against the window model: what the user does reaches the model first, and the
// model's state reaches the widgets after each event.

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <functional>

#include "ViewForms.h"
#include "qtview/FormsView.h"
#include "support/ScriptedPlatform.h"

using viewtest::log;
using viewtest::note;
using viewtest::Sheet;
using Events = std::vector<std::string>;

namespace {

class FormsViewTest : public ::testing::Test {
 protected:
  testing_support::ScriptedPlatform platform;
  forms::Application app{platform};
  qtview::FormsView view{app};
  viewtest::Frame* frame = nullptr;
  viewtest::Sheet* sheet = nullptr;

  void SetUp() override {
    frame = &app.get<viewtest::Frame>();
    sheet = &app.get<viewtest::Sheet>();
    view.sync();
    QMainWindow* main = view.mainWindow();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    log().clear();
  }
  void TearDown() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  template <class W = QWidget>
  W* widget(const forms::Control& c) {
    auto* w = qobject_cast<W*>(view.widgetOf(c));
    EXPECT_NE(w, nullptr) << c.name();
    return w;
  }
};

// The control's name as the event log writes it.
std::string logName(const forms::Control& c) {
  return c.name() + (c.index() >= 0 ? "(" + std::to_string(c.index()) + ")" : "");
}

// What the user does with one control, as Qt events: keys, the wheel, presses and releases.
struct Act {
  std::function<void(QWidget*)> run;
  bool keys = true;  // keys go to the focused control; the mouse comes from another one
};
Act key(Qt::Key k) {
  return {[k](QWidget* w) { QTest::keyClick(w, k); }};
}
Act typed(const char* text) {
  return {[text](QWidget* w) { QTest::keyClicks(w, text); }};
}
Act paste(const char* text) {
  return {[text](QWidget* w) {
    QApplication::clipboard()->setText(text);
    QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
  }};
}
Act wheel() {
  return {[](QWidget* w) {
    QPoint at = w->rect().center();
    QWheelEvent e(at, w->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, {}, Qt::NoScrollPhase,
                  false);
    QApplication::sendEvent(w, &e);
  }, false};
}
// A left press inside; the release inside or on the bare part of its container. Both come to
// the window as the system sends them, so Qt picks the widget that receives them.
Act release(bool inside) {
  return {[inside](QWidget* w) {
    QWidget* top = w->window();
    QWidget* container = w->parentWidget();
    QPoint off = container->mapTo(top, QPoint(2, container->height() / 2));
    QTest::mousePress(top->windowHandle(), Qt::LeftButton, {}, w->mapTo(top, QPoint(4, 4)));
    QTest::mouseRelease(top->windowHandle(), Qt::LeftButton, {},
                        inside ? w->mapTo(top, QPoint(4, 4)) : off);
  }, false};
}
Act dclick() {
  return {[](QWidget* w) { QTest::mouseDClick(w, Qt::LeftButton, {}, {4, 4}); }, false};
}
// A double-click as the system sends it: press, release, double-click, release.
Act dclickAll() {
  return {[](QWidget* w) {
    QWidget* top = w->window();
    QTest::mouseDClick(top->windowHandle(), Qt::LeftButton, {}, w->mapTo(top, QPoint(4, 4)));
  }, false};
}

TEST_F(FormsViewTest, EveryUserEventReachesTheModelByTheRules) {
  Sheet& s = *sheet;
  int cancelDown = 0, cancelPress = 0;  // the window's KeyDown / KeyPress swallow these
  for (forms::Control* c : {&s.txtTemp, &s.txtNotes, &s.cboSize, &s.lstProduct, &s.cmdCalc,
                            &s.optIn, &s.optOut, &s.chkDetail, &s.lblUnit, &s.imgLogo,
                            &s.fraInput, &s.fraPlace, &s.fraResult}) {
    c->onKeyDown = [&cancelDown](int& k, int) {
      viewtest::note("KeyDown " + std::to_string(k));
      if (k == cancelDown) k = 0;
    };
    c->onKeyPress = [&cancelPress, filter = c->onKeyPress](int& k) {
      viewtest::note("KeyPress " + std::to_string(k));
      if (k == cancelPress) k = 0;
      if (filter && k) filter(k);
    };
    const std::string n = logName(*c);
    c->onMouseDown = [n](int b, int, double, double) { note(n + ".Down " + std::to_string(b)); };
    c->onMouseUp = [n](int b, int, double, double) { note(n + ".Up " + std::to_string(b)); };
    c->onDblClick = [n] { note(n + ".DblClick"); };
  }
  s.cmdCalc.onClick = [] { viewtest::note("cmdCalc.Click"); };
  const struct {
    const char* what;
    forms::Control* c;
    Act act;
    Events events;  // its own events without its name
    const char* text = nullptr;  // the text (boxes and lists) or value (options) after
    int cancelDown = 0, cancelPress = 0;
  } cases[] = {
      {"a letter", &s.txtNotes, typed("a"), {"KeyDown 65", "KeyPress 97", "Change"}, "a"},
      {"the blank", &s.txtNotes, key(Qt::Key_Space), {"KeyDown 32", "KeyPress 32", "Change"}, " "},
      {"Enter in a multi-line box", &s.txtNotes, key(Qt::Key_Return),
       {"KeyDown 13", "KeyPress 13", "Change"}, "\r\n"},
      {"Enter where the box's filter drops it", &s.txtTemp, key(Qt::Key_Return),
       {"KeyDown 13", "KeyPress 13"}, ""},
      {"a letter the box's filter drops", &s.txtTemp, typed("x"), {"KeyDown 88", "KeyPress 120"}, ""},
      {"Backspace", &s.txtTemp, typed("4\b"), {"KeyDown 52", "KeyPress 52", "Change", "KeyDown 8",
       "KeyPress 8", "Change"}, ""},
      {"an arrow is KeyDown only", &s.txtTemp, key(Qt::Key_Left), {"KeyDown 37"}, ""},
      {"a function key is KeyDown only", &s.txtNotes, key(Qt::Key_F2), {"KeyDown 113"}, ""},
      {"a key swallowed by KeyDown", &s.txtNotes, typed("a"), {"KeyDown 65"}, "", 65},
      {"a key cancelled by KeyPress", &s.txtNotes, typed("a"), {"KeyDown 65", "KeyPress 97"}, "",
       0, 97},
      {"a cancelled paste", &s.txtNotes, paste("abc"), {"KeyDown 17", "KeyDown 86", "KeyPress 22"}, "",
       0, 22},
      {"a paste", &s.txtNotes, paste("abc"), {"KeyDown 17", "KeyDown 86", "KeyPress 22",
       "Change"}, "abc"},
      {"a letter in an editable list", &s.cboSize, typed("7"), {"KeyDown 55", "KeyPress 55",
       "Change"}, "7"},
      {"Down in an editable list", &s.cboSize, key(Qt::Key_Down), {"KeyDown 40", "Click"},
       "21.3"},
      {"Down swallowed in a list", &s.cboSize, key(Qt::Key_Down), {"KeyDown 40"}, "", 40},
      {"a letter chooses in a list", &s.lstProduct, typed("b"), {"KeyDown 66", "KeyPress 98",
       "Click"}, "Board 140"},
      {"a letter a list's filter drops", &s.lstProduct, typed("b"), {"KeyDown 66", "KeyPress 98"},
       "Wired mat 80", 0, 98},
      {"Up at a list's first item", &s.lstProduct, key(Qt::Key_Up), {"KeyDown 38"}, "Wired mat 80"},
      {"Enter in a list", &s.lstProduct, key(Qt::Key_Return), {"KeyDown 13", "KeyPress 13"},
       "Wired mat 80"},
      {"the wheel over a list", &s.lstProduct, wheel(), {}, "Wired mat 80"},
      {"the wheel over an editable list", &s.cboSize, wheel(), {}, ""},
      {"the wheel over a box", &s.txtTemp, wheel(), {}, ""},
      {"Enter presses a button", &s.cmdCalc, key(Qt::Key_Return), {"KeyDown 13", "KeyPress 13",
       "Click"}},
      {"Space presses it too", &s.cmdCalc, key(Qt::Key_Space), {"KeyDown 32", "KeyPress 32",
       "Click"}},
      {"a cancelled Enter does not", &s.cmdCalc, key(Qt::Key_Return), {"KeyDown 13", "KeyPress 13"},
       nullptr, 0, 13},
      {"F5 on a button", &s.cmdCalc, key(Qt::Key_F5), {"KeyDown 116"}},
      {"Down selects the next option", &s.optIn, key(Qt::Key_Down), {"KeyDown 40", "LostFocus",
       "optPlace(1).GotFocus", "optPlace(1).Click"}, "0"},
      {"Up from the first wraps to the last", &s.optIn, key(Qt::Key_Up), {"KeyDown 38",
       "LostFocus", "optPlace(3).GotFocus", "optPlace(3).Click"}, "0"},
      {"a swallowed arrow does nothing", &s.optIn, key(Qt::Key_Right), {"KeyDown 39"}, "1", 39},
      {"a click on an option", &s.optOut, release(true), {"txtTemp.LostFocus", "GotFocus",
       "Click"}, "1"},
      {"a release off an option", &s.optOut, release(false), {"txtTemp.LostFocus", "GotFocus"},
       "0"},
      {"a click on a button", &s.cmdCalc, release(true), {"txtTemp.LostFocus", "GotFocus",
       "Click"}},
      {"a release off a button", &s.cmdCalc, release(false), {"txtTemp.LostFocus", "GotFocus"}},
      {"a click on a label", &s.lblUnit, release(true), {"Down 1", "Up 1", "Click"}},
      {"a release off a label", &s.lblUnit, release(false), {"Down 1", "Up 1"}},
      {"a double-click on a label", &s.lblUnit, dclickAll(), {"Down 1", "Up 1", "Click", "DblClick",
       "Up 1"}},
      {"a click on a picture", &s.imgLogo, release(true), {"Down 1", "Up 1", "Click"}},
      {"a release off a picture", &s.imgLogo, release(false), {"Down 1", "Up 1"}},
      {"a double-click on a picture", &s.imgLogo, dclickAll(), {"Down 1", "Up 1", "Click",
       "DblClick", "Up 1"}},
      {"a click on a check box", &s.chkDetail, release(true), {"txtTemp.LostFocus", "GotFocus",
       "Click"}, "1"},
      {"a double-click selects an option first", &s.optOut, dclick(), {"txtTemp.LostFocus",
       "GotFocus", "Click", "DblClick"}, "1"},
  };
  for (const auto& c : cases) {
    view.userEvent([&] {
      s.optIn.setValue(1);
      s.chkDetail.setValue(0);
      s.lstProduct.setListIndex(0);
      s.cboSize.setListIndex(-1);
      for (forms::Control* box : {&s.txtTemp, &s.txtNotes, &s.cboSize}) box->setTextSilently("");
      (c.act.keys ? c.c : &s.txtTemp)->setFocus();
    });
    cancelDown = c.cancelDown;
    cancelPress = c.cancelPress;
    log().clear();
    c.act.run(widget(*c.c));
    const std::string own = logName(*c.c) + ".";
    Events events;
    for (const std::string& e : log())
      events.push_back(e.starts_with(own) ? e.substr(own.size()) : e);
    EXPECT_EQ(events, c.events) << c.what;
    const bool valued = c.c->kind() == forms::ControlKind::OptionButton ||
                        c.c->kind() == forms::ControlKind::CheckBox;
    if (c.text) {
      EXPECT_EQ(valued ? std::to_string(c.c->value()) : c.c->text(), c.text) << c.what;
    }
    if (auto* cb = qobject_cast<QComboBox*>(widget(*c.c))) cb->hidePopup();
  }
}

TEST_F(FormsViewTest, FocusMovesRaiseLostThenGotFocusButActivationDoesNot) {
  // A window that is shown gives the focus to its first control in the tab order.
  EXPECT_EQ(sheet->activeControl(), &sheet->txtTemp);
  EXPECT_EQ(QApplication::focusWidget(), view.widgetOf(sheet->txtTemp));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(log(), (Events{"txtTemp.LostFocus", "cboSize.GotFocus"}));
  EXPECT_EQ(QApplication::focusWidget(), view.widgetOf(sheet->cboSize));

  // Another window with its own focused box; going back and forth raises Activate only.
  auto& other = app.get<viewtest::Other>();
  view.sync();
  EXPECT_EQ(other.activeControl(), &other.txtOther);
  log().clear();
  view.workspace()->setActiveSubWindow(static_cast<QMdiSubWindow*>(view.windowOf(*sheet)));
  view.workspace()->setActiveSubWindow(static_cast<QMdiSubWindow*>(view.windowOf(other)));
  EXPECT_EQ(log(), (Events{"Sheet.Activate", "Other.Activate"}));
  EXPECT_EQ(QApplication::focusWidget(), view.widgetOf(other.txtOther));
}

TEST_F(FormsViewTest, AChoiceInADropDownRaisesClickNotChange) {
  for (forms::Control* list : {&sheet->lstProduct, &sheet->cboSize}) {
    auto* cb = widget<QComboBox>(*list);
    // The click into the list opens its drop-down; Enter on the third item takes it and
    // closes the drop-down again.
    QTest::mouseClick(cb, Qt::LeftButton, {}, QPoint(cb->width() - 6, cb->height() / 2));
    ASSERT_TRUE(cb->view()->isVisible());
    log().clear();
    cb->view()->setCurrentIndex(cb->model()->index(2, 0));
    QTest::keyClick(cb->view(), Qt::Key_Return);
    EXPECT_EQ(log(), (Events{list->name() + ".Click"}));
    EXPECT_EQ(list->listIndex(), 2);
    EXPECT_EQ(cb->currentText().toStdString(), list->text());
    EXPECT_FALSE(cb->view()->isVisible());
  }
}

TEST_F(FormsViewTest, AListOpenedWithF4TakesItsFirstItemOnTheFirstDown) {
  // With nothing chosen its prompt is drawn as text, not greyed out as a disabled one.
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
  view.userEvent([&] {
    f.chkDetail.setVisible(false);
    f.fraPlace.setVisible(false);
    f.lblUnit.setEnabled(false);
    f.lstProduct.setListIndex(2);
    f.barDone.setText(" Loading ");
    f.setBackColor(0xFFFFFF);
    f.setCaption("Renamed");
    f.setWindowState(forms::kStateMaximized);
  });
  auto w = [this](forms::Control& c) { return view.widgetOf(c); };
  EXPECT_TRUE(w(f.chkDetail)->isHidden());
  EXPECT_TRUE(!w(f.optIn)->isVisible() && f.optIn.visible()) << "a hidden frame keeps its flags";
  const QPalette& grey = w(f.lblUnit)->palette();
  EXPECT_FALSE(w(f.lblUnit)->isEnabled());
  EXPECT_NE(grey.color(QPalette::Disabled, QPalette::WindowText),
            grey.color(QPalette::Active, QPalette::WindowText));
  EXPECT_TRUE(widget<QLineEdit>(f.txtLoss)->isReadOnly()) << "locked";
  EXPECT_TRUE(w(f.fraResult)->font().bold() && !w(f.txtTemp)->font().bold());
  EXPECT_EQ(w(f.txtTemp)->geometry(), QRect(143, 20, 70, 21)) << "twips inside the container";
  EXPECT_EQ(widget<QComboBox>(f.lstProduct)->currentIndex(), 2);
  EXPECT_EQ(widget<QPlainTextEdit>(f.txtNotes)->blockCount(), 2);
  auto* bar = widget<QProgressBar>(f.barDone);
  EXPECT_TRUE(bar->isTextVisible() && bar->text() == " Loading " && bar->value() == 40);
  EXPECT_TRUE(view.canvasOf(f)->autoFillBackground());
  EXPECT_EQ(view.canvasOf(f)->palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_EQ(view.windowOf(f)->windowTitle(), "Renamed");
  EXPECT_TRUE(view.windowOf(f)->isMaximized());

  // A report file shown in a browser box, loaded again when it changed.
  auto& other = app.get<viewtest::Other>();
  const QString file = VELTARO_BINARY_DIR "/qtview-files/preview-test.htm";
  QDir().mkpath(VELTARO_BINARY_DIR "/qtview-files");
  for (const char* loss : {"17.4 W/m", "12.9 W/m"}) {
    QFile page(file);
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write(QByteArray("<html><body><p>") + loss + "</p></body></html>");
    page.close();
    view.userEvent([&] { other.brwReport.setTextSilently(file.toStdString()); });
    EXPECT_TRUE(widget<QTextBrowser>(other.brwReport)->toPlainText().contains(loss));
  }
}

TEST_F(FormsViewTest, ACaptionTooLongForItsLabelUsesTheFreeRoomToItsRight) {
  Sheet& f = *sheet;
  const std::string longCaption = "Temperature of the surrounding air";
  // Left of the temperature box: it may grow up to the box, never over it.
  view.userEvent([&] {
    f.lblUnit.move(120, 300, 300, 195);
    f.lblUnit.setCaption(longCaption);
  });
  QWidget* label = view.widgetOf(f.lblUnit);
  EXPECT_GT(label->width(), 20);
  EXPECT_LE(label->geometry().right(), view.widgetOf(f.txtTemp)->geometry().left());
  EXPECT_EQ(f.lblUnit.width(), 300);  // the model keeps its design width
  // With nothing to its right it shows the whole text, within its frame.
  view.userEvent([&] { f.lblUnit.move(120, 1500, 300, 195); });
  QFontMetrics metrics(label->font());
  EXPECT_GE(label->width(), metrics.horizontalAdvance(QString::fromStdString(longCaption)));
  EXPECT_LE(label->geometry().right(), view.widgetOf(f.fraInput)->width());
}

TEST_F(FormsViewTest, AHandlerRunsUnderTheHourglassAndReachesTheScreenOnce) {
  int changes = 0;
  QObject::connect(widget<QLineEdit>(sheet->txtTemp), &QLineEdit::textChanged,
                   [&changes] { ++changes; });
  QTest::mouseClick(widget(sheet->cmdCalc), Qt::LeftButton);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(widget<QLineEdit>(sheet->txtTemp)->text(), "99999");

  const QCursor* during = nullptr;
  Qt::CursorShape shape = Qt::ArrowCursor;
  view.userEvent([&] {
    sheet->setMousePointer(forms::kPointerHourglass);
    during = QApplication::overrideCursor();
    if (during) shape = during->shape();
    sheet->setMousePointer(forms::kPointerDefault);
  });
  ASSERT_NE(during, nullptr);
  EXPECT_EQ(shape, Qt::WaitCursor);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(FormsViewTest, WindowStatesAndClosingGoThroughTheModel) {
  auto* sub = static_cast<QMdiSubWindow*>(view.windowOf(*sheet));
  sub->showMinimized();
  EXPECT_EQ(sheet->windowState(), forms::kStateMinimized);
  sub->showNormal();
  EXPECT_EQ(sheet->windowState(), forms::kStateNormal);

  // Setting the frame's state never re-creates it, which would hide it and drop its state.
  struct HideCounter : QObject {
    int hides = 0;
    bool eventFilter(QObject*, QEvent* e) override {
      hides += e->type() == QEvent::Hide;
      return false;
    }
  } counter;
  view.mainWindow()->installEventFilter(&counter);
  view.userEvent([this] { frame->setWindowState(forms::kStateMaximized); });
  view.userEvent([this] { frame->setWindowState(forms::kStateNormal); });
  EXPECT_EQ(counter.hides, 0);
  view.mainWindow()->removeEventFilter(&counter);

  frame->answerQuery = 1;
  view.mainWindow()->close();
  EXPECT_EQ(log().back(), "Frame.QueryUnload 0");
  EXPECT_TRUE(view.mainWindow()->isVisible());
  EXPECT_TRUE(app.isLoaded("Sheet"));
  frame->answerQuery = 0;
  bool ended = false;
  QObject::connect(&view, &qtview::FormsView::ended, [&ended] { ended = true; });
  view.mainWindow()->close();
  EXPECT_FALSE(app.isLoaded("Frame"));
  EXPECT_FALSE(app.isLoaded("Sheet"));
  EXPECT_TRUE(ended);
}

TEST_F(FormsViewTest, TheFrameReportsTheWorkspaceInTwips) {
  QWidget* area = view.workspace()->viewport();
  // Sizes go back to the model in whole pixels; the inner size is the workspace's.
  EXPECT_EQ(frame->width(), 11985);
  EXPECT_EQ(frame->height(), 8880);
  EXPECT_EQ(frame->scaleWidth(), area->width() * 15);
  EXPECT_EQ(frame->scaleHeight(), area->height() * 15);
  QTest::mousePress(area, Qt::RightButton, {}, QPoint(600, 500));
  EXPECT_EQ(log(), (Events{"MouseDown 2 9000 7500"}));
  view.userEvent([this] { sheet->unload(); });  // the band lies under the child window
  QTest::mouseMove(area, QPoint(300, 135));
  EXPECT_EQ(area->cursor().shape(), Qt::PointingHandCursor);
  QTest::mouseMove(area, QPoint(300, 150));
  EXPECT_EQ(area->cursor().shape(), Qt::ArrowCursor);

  // The background picture is drawn once, unscaled, from the top left.
  QDir().mkpath(VELTARO_BINARY_DIR "/qtview-files");
  const QString file = VELTARO_BINARY_DIR "/qtview-files/background.png";
  QImage picture(40, 30, QImage::Format_RGB32);
  picture.fill(Qt::red);
  ASSERT_TRUE(picture.save(file));
  view.userEvent([&] { frame->setPicture(file.toStdString()); });
  QImage shown = area->grab().toImage();
  EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::red));
  EXPECT_EQ(shown.pixelColor(39, 29), QColor(Qt::red));
  EXPECT_NE(shown.pixelColor(40, 5), QColor(Qt::red));   // not stretched
  EXPECT_NE(shown.pixelColor(45, 35), QColor(Qt::red));  // not tiled
}

TEST_F(FormsViewTest, PressesOnAChildWindowNeverReachTheBackground) {
  QWidget* canvas = view.canvasOf(*sheet);
  const struct {
    const char* what;
    QWidget* target;
    QPoint at;
  } places[] = {{"label", view.widgetOf(sheet->lblUnit), {3, 3}},
                {"frame", view.widgetOf(sheet->fraPlace), {4, 60}},
                {"bare area", canvas, {canvas->width() - 4, canvas->height() - 4}},
                {"button", view.widgetOf(sheet->cmdCalc), {5, 5}},
                {"option", view.widgetOf(sheet->optOut), {5, 5}}};
  for (const auto& p : places)
    for (Qt::MouseButton b : {Qt::RightButton, Qt::MiddleButton}) {
      log().clear();
      QTest::mouseClick(p.target, b, {}, p.at);
      for (const std::string& e : log())
        EXPECT_EQ(e.find("MouseDown"), std::string::npos) << p.what;
    }
  // The pointing hand of a band does not stay over a child window entered from the band.
  view.userEvent([this] { frame->setMousePointer(forms::kPointerCustom); });
  QEvent enter(QEvent::Enter);
  QApplication::sendEvent(view.windowOf(*sheet), &enter);
  EXPECT_EQ(view.workspace()->viewport()->cursor().shape(), Qt::ArrowCursor);
  EXPECT_EQ(canvas->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(FormsViewTest, TheWorkspaceScrollsAndCtrlKeysMoveBetweenChildren) {
  // A child reaching beyond the workspace brings both scroll bars.
  QMdiArea* area = view.workspace();
  EXPECT_FALSE(area->horizontalScrollBar()->isVisible() || area->verticalScrollBar()->isVisible());
  view.userEvent([this] { sheet->move(0, 0, 30000, 20000); });
  QCoreApplication::processEvents();
  EXPECT_TRUE(area->horizontalScrollBar()->isVisible() && area->verticalScrollBar()->isVisible());
  // Ctrl+F6 goes to the next child window, Ctrl+F4 asks the model to close the active one.
  auto& other = app.get<viewtest::Other>();
  view.sync();
  ASSERT_EQ(app.activeMdiChild(), &other);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ControlModifier);
  EXPECT_EQ(app.activeMdiChild(), sheet);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4, Qt::ControlModifier);
  EXPECT_FALSE(app.isLoaded("Sheet"));
  EXPECT_TRUE(app.isLoaded("Other"));
}

TEST_F(FormsViewTest, TheFocusedControlShowsAFocusMark) {
  view.userEvent([this] { sheet->optOut.setCaption(""); });  // an option beside its picture
  // The mark is looked for outside an option's indicator, which changes with the focus anyway.
  auto shown = [this](forms::Control* c) {
    QWidget* w = view.widgetOf(*c);
    QImage image = w->grab().toImage();
    if (c->kind() == forms::ControlKind::OptionButton) {
      QStyleOptionButton option;
      option.initFrom(w);
      QPainter(&image).fillRect(
          w->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, w), Qt::black);
    }
    return image;
  };
  for (forms::Control* c :
       {&sheet->cmdCalc, &sheet->optIn, &sheet->optOut, &sheet->chkDetail, &sheet->lstProduct}) {
    view.userEvent([&] { sheet->txtTemp.setFocus(); });
    const QImage without = shown(c);
    view.userEvent([&] { c->setFocus(); });
    ASSERT_TRUE(view.widgetOf(*c)->hasFocus()) << c->name();
    EXPECT_NE(shown(c), without) << c->name();
  }
}

TEST_F(FormsViewTest, MenusAndToolbarsFollowTheModel) {
  QMenuBar* bar = view.mainWindow()->menuBar();
  ASSERT_EQ(bar->actions().size(), 2);
  QList<QAction*> items = bar->actions()[0]->menu()->actions();
  ASSERT_EQ(items.size(), 3);
  EXPECT_EQ(items[0]->shortcut(), QKeySequence("Ctrl+O"));
  EXPECT_FALSE(items[2]->isVisible());
  items[1]->trigger();
  EXPECT_EQ(log(), (Events{"menuPipes.Click"}));
  EXPECT_FALSE(items[1]->isChecked());
  // The window list names the open children.
  QMenu* windows = bar->actions()[1]->menu();
  emit windows->aboutToShow();
  EXPECT_EQ(windows->actions().back()->text(), "&1 Heat loss for a given thickness");

  auto toolbars = view.mainWindow()->findChildren<QToolBar*>();
  ASSERT_EQ(toolbars.size(), 2);
  if (toolbars[0]->objectName() != "tobMenu") std::swap(toolbars[0], toolbars[1]);
  QList<QAction*> buttons = toolbars[0]->actions();
  EXPECT_EQ(buttons[2]->toolTip(), "Heat loss");
  log().clear();
  buttons[2]->trigger();
  EXPECT_EQ(log(), (Events{"tobMenu.Calc01"}));
  view.userEvent([this] { frame->toolbar("tobMenu").setButtonVisible(1, false); });
  EXPECT_FALSE(buttons[0]->isVisible());
  // Toolbar bitmaps see through their light grey.
  QImage bitmap(16, 16, QImage::Format_RGB32);
  bitmap.fill(QColor(192, 192, 192));
  bitmap.setPixel(8, 8, qRgb(200, 0, 0));
  const QString bmp = QDir::temp().filePath("veltaro_toolbar_test.bmp");
  ASSERT_TRUE(bitmap.save(bmp));
  view.userEvent([&] { frame->toolbar("tobMenu").button(3).image = bmp.toStdString(); });
  QImage shown = buttons[2]->icon().pixmap(16, 16).toImage();
  EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(shown.pixel(8, 8)), 255);
  // The frame's own controls sit on the toolbar that hosts them.
  EXPECT_TRUE(toolbars[1]->isAncestorOf(view.widgetOf(frame->control("cmdCase"))));
}

}  // namespace
