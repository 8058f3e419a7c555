// The program's own windows on screen: the country dialog by keyboard alone, the splash and
// the icons, the workspace with the contact window and minimised windows, the system colours.

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <map>
#include <set>

#include "MarketRun.h"
#include "core/Fx.h"
#include "qtview/Workspace.h"
#include "shell/mdiVeltaro.h"
#include "start/frmCountry.h"
#include "start/frmStart.h"

namespace {

using viewtest::MarketRun;

TEST(ProgramWindows, TheCountryDialogWorksByKeyboardAlone) {
  MarketRun start("");  // as on the first start: the dialog comes before any other window
  auto& country = start.app.get<veltaro::frmCountry>();
  start.view.userEvent([&] { country.show(); });
  start.view.windowOf(country)->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(start.view.windowOf(country)));
  start.view.sync();
  // The chosen country (Danish) has the focus; Down takes the next one, Tab goes on to OK (the
  // options are one stop), Shift+Tab comes back to the chosen one, Tab again and Enter choose.
  const std::pair<const char*, int> steps[] = {
      {"", 3}, {"Down", 4}, {"Tab", -1}, {"Shift+Tab", 4}, {"Up", 3}, {"Down", 4}, {"Tab", -1}};
  for (const auto& [key, option] : steps) {
    const QKeyCombination k = QKeySequence(key)[0];
    if (*key) QTest::keyClick(QApplication::focusWidget(), k.key(), k.keyboardModifiers());
    ASSERT_EQ(country.activeControl(),
              option < 0 ? &country.control("cmdOk") : &country.control("optCountry", option))
        << key;
    EXPECT_EQ(QApplication::focusWidget(), start.view.widgetOf(*country.activeControl()));
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_FALSE(start.app.isLoaded("frmCountry"));
  EXPECT_EQ(veltaro::fx().CountryCode, "LT");
}

TEST(ProgramWindows, TheSplashHasNoFrameAndEveryMarketTheProgramsIconTheMarineEditionItsOwn) {
  {
    MarketRun start("");
    auto& splash = start.app.get<veltaro::frmStart>();
    start.view.userEvent([&] { splash.show(); });
    QWidget* window = start.view.windowOf(splash);
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((window->geometry().center() - screen.center()).manhattanLength(), 2);
    EXPECT_EQ(splash.width(), window->width() * 15);
  }
  QApplication::setWindowIcon(QIcon());  // as the program starts
  std::map<std::string, QImage> shown;
  for (const char* market : {"MRN", "DK", "SE", "NO", "UK", "LT", "EE", "LV"}) {
    MarketRun run(market, false);
    const QIcon icon = run.view.mainWindow()->windowIcon();
    ASSERT_FALSE(icon.isNull()) << market;
    shown[market] = icon.pixmap(32, 32).toImage();
  }
  for (const auto& [market, icon] : shown)
    EXPECT_EQ(icon == shown["DK"], market != "MRN") << market;
}

TEST(ProgramWindows, AWindowOpenedOverTheMainWindowStaysActive) {
  // The window system reports activations late; answering an old one with another request
  // made the two windows take the activation from each other without end.
  MarketRun run("UK", false);
  run.view.userEvent([&] { run.app.get("frmCalc01"); });
  auto& country = run.app.get<veltaro::frmCountry>();
  run.view.userEvent([&] { country.show(); });
  viewtest::EventCounter counter(QEvent::WindowActivate);
  run.view.mainWindow()->installEventFilter(&counter);
  run.view.windowOf(country)->installEventFilter(&counter);
  QTest::qWait(200);
  EXPECT_EQ(run.app.activeWindow(), &country);
  EXPECT_LE(counter.n, 2);
}

TEST(ProgramWindows, CommandsFollowTheWindowInFront) {
  MarketRun run("UK", false);
  auto open = [&](const char* name) {
    run.view.userEvent([&] { run.app.get(name); });
    return run.app.find(name);
  };
  forms::Form* calc1 = open("frmCalc01");
  forms::Form* calc24 = open("frmCalc24");
  forms::Form* calc7 = open("frmCalc07");
  QMdiArea* area = run.view.workspace();
  run.view.mainWindow()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(run.view.mainWindow()));
  auto front = [&](forms::Form* f, int number, const char* what) {
    QCoreApplication::processEvents();
    EXPECT_EQ(run.app.activeMdiChild(), f) << what;
    EXPECT_EQ(area->activeSubWindow(), run.view.windowOf(*f)) << what;
    EXPECT_EQ(veltaro::fx().ActiveCalcNumber, number) << what;
  };
  front(calc7, 7, "the last one opened");
  // The Window menu minimises the one in front: the next one comes forward.
  actionNamed(run, run.app.mdiForm()->menu("menuMin").caption())->trigger();
  EXPECT_EQ(calc7->windowState(), forms::kStateMinimized);
  front(calc24, 24, "after minimising");
  // The preview shows the window in front, and closes by Ctrl+F4 back to it.
  actionNamed(run, "PreView")->trigger();
  forms::Form* preview = run.app.find("frmPrint");
  ASSERT_NE(preview, nullptr);
  auto* browser = qobject_cast<QTextBrowser*>(run.view.widgetOf(preview->control("WebBrowser1")));
  ASSERT_NE(browser, nullptr);
  EXPECT_TRUE(browser->toPlainText().contains(QString::fromStdString(calc24->caption())));
  QTest::keyClick(run.view.mainWindow(), Qt::Key_F4, Qt::ControlModifier);
  EXPECT_FALSE(run.app.isLoaded("frmPrint"));
  front(calc24, 24, "the preview closed");
  // Ctrl+F4 closes the window in front; the one still in view comes forward, not a minimised one.
  QTest::keyClick(run.view.mainWindow(), Qt::Key_F4, Qt::ControlModifier);
  EXPECT_TRUE(!run.app.isLoaded("frmCalc24") && run.app.isLoaded("frmCalc07"));
  front(calc1, 1, "after closing");
  // A minimised window restored by the user comes forward, and so does one clicked and then
  // restored.
  static_cast<QMdiSubWindow*>(run.view.windowOf(*calc7))->showNormal();
  front(calc7, 7, "restored");
  auto* sub1 = static_cast<QMdiSubWindow*>(run.view.windowOf(*calc1));
  const QRect normal = sub1->geometry();
  sub1->showMinimized();
  front(calc7, 7, "the other minimised");
  area->setActiveSubWindow(sub1);
  sub1->showNormal();
  front(calc1, 1, "clicked and restored");
  // It comes back where it stood, whatever place the workspace gave it while minimised.
  EXPECT_EQ(sub1->geometry(), normal);
  EXPECT_EQ(QRect(calc1->left(), calc1->top(), calc1->width(), calc1->height()),
            QRect(normal.topLeft() * 15, normal.size() * 15));
}

// Each looks the same whatever stands behind it: nothing, or the preview, which stays maximised.
TEST(ProgramWindows, TheCaseHeaderAndTheAboutBoxAreFixedChildrenOfTheMainWindow) {
  std::map<std::string, QRect> looks;
  for (const bool preview : {false, true}) {
    SCOPED_TRACE(preview ? "over the preview" : "alone");
    MarketRun run("DK", false);
    forms::Form& frame = *run.app.mdiForm();
    if (preview) {
      run.view.userEvent([&] { run.app.get("frmCalc01"); });
      actionNamed(run, "PreView")->trigger();
    }
    // The case header opens from the main window's case button, the about box from the Help
    // menu.
    QTest::mouseClick(run.view.widgetOf(frame.control("cmdCase")), Qt::LeftButton);
    actionNamed(run, run.app.mdiForm()->menu("menuAboutProgram").caption())->trigger();
    for (const char* name : {"frmCase", "frmAbout"}) {
      SCOPED_TRACE(name);
      const forms::Form* form = run.app.find(name);
      ASSERT_NE(form, nullptr);
      auto* sub = qobject_cast<QMdiSubWindow*>(run.view.windowOf(*form));
      ASSERT_TRUE(sub && sub->mdiArea() == run.view.workspace() && sub->isVisible());
      EXPECT_FALSE(sub->windowFlags() &
                   (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint));
      EXPECT_TRUE(sub->windowFlags() & Qt::WindowCloseButtonHint);
      // Neither a drag of its corner nor a double-click on its title changes it.
      run.view.workspace()->setActiveSubWindow(sub);
      const QRect before = sub->geometry();
      const QPoint corner(sub->width() - 2, sub->height() - 2);
      QTest::mouseMove(sub, corner);
      QTest::mousePress(sub, Qt::LeftButton, {}, corner);
      QTest::mouseMove(sub, corner + QPoint(60, 40));
      QTest::mouseRelease(sub, Qt::LeftButton, {}, corner + QPoint(60, 40));
      QTest::mouseDClick(sub, Qt::LeftButton, {}, QPoint(sub->width() / 2, 10));
      QCoreApplication::processEvents();
      EXPECT_FALSE(sub->isMaximized());
      EXPECT_EQ(form->windowState(), forms::kStateNormal);
      EXPECT_EQ(sub->size(), before.size());
      if (!preview) looks[name] = sub->geometry();
      EXPECT_EQ(sub->geometry(), looks[name]);
    }
    if (preview) {
      const forms::Form& shown = *run.app.find("frmPrint");
      EXPECT_TRUE(shown.windowState() == forms::kStateMaximized &&
                  run.view.windowOf(shown)->isMaximized());
    }
    // The case header stands in the workspace where its load centred it.
    const QPoint centred(std::abs(frame.width() - 9930) / 2, std::abs(frame.height() - 2900) / 2);
    EXPECT_EQ(run.view.windowOf(*run.app.find("frmCase"))->pos(), centred / 15);
  }
}

TEST(ProgramWindows, ThePreviewIsMaximisedAtEveryShowingAndItsStateNeverDrifts) {
  MarketRun run("UK", false);
  for (const char* name : {"frmCalc01", "frmCalc24"})
    run.view.userEvent([&] { run.app.get(name); });
  const std::string file = run.platform.folder + "/DATA/hall.DAT";
  run.platform.anyMsgBox = forms::mb::IdYes;
  run.platform.expectSaveFile(file);
  actionNamed(run, "SaveCase")->trigger();
  run.platform.expectOpenFile(file);
  // The model holds the state each window shows, whatever the workspace did to it meanwhile
  // (it maximises a child activated while the one in front is maximised).
  const struct {
    const char* what;
    const char* action;
  } steps[] = {{"a case opened", "OpenCase"}, {"a window opened", "Calc01"}};
  for (const auto& s : steps) {
    SCOPED_TRACE(s.what);
    actionNamed(run, "PreView")->trigger();
    const forms::Form& shown = *run.app.find("frmPrint");
    EXPECT_TRUE(shown.windowState() == forms::kStateMaximized &&
                run.view.windowOf(shown)->isMaximized());
    actionNamed(run, s.action)->trigger();
    QCoreApplication::processEvents();
    for (forms::Form* f : run.app.loadedForms()) {
      const QWidget* w = f->isMdiChild() ? run.view.windowOf(*f) : nullptr;
      if (!w) continue;
      EXPECT_EQ(f->windowState(), w->isMinimized()   ? forms::kStateMinimized
                                  : w->isMaximized() ? forms::kStateMaximized
                                                     : forms::kStateNormal)
          << f->name();
    }
  }
  actionNamed(run, "PreView")->trigger();
  EXPECT_TRUE(run.view.windowOf(*run.app.find("frmPrint"))->isMaximized());
  EXPECT_TRUE(run.platform.scriptDone());
}

// The frame's visible scroll bars of one orientation.
int shownBars(QWidget* main, Qt::Orientation orientation) {
  int n = 0;
  for (auto* bar : main->findChildren<QScrollBar*>())
    n += bar->orientation() == orientation && bar->isVisibleTo(main);
  return n;
}

TEST(ProgramWindows, EveryBandIsWithinReachAtAnyFrameSizeAndMinimisedWindowsStayInView) {
  MarketRun run("DK", false);
  QMainWindow* main = run.view.mainWindow();
  auto* area = static_cast<qtview::Workspace*>(run.view.workspace());
  QScrollBar* across = area->bar(Qt::Horizontal);
  QScrollBar* down = area->bar(Qt::Vertical);
  // A case opened at the start size restores its windows minimised.
  std::vector<QWidget*> minimised;
  for (const char* name : {"frmCalc01", "frmCalc02", "frmCalc03", "frmCalc05"}) {
    run.view.userEvent([&] { run.app.get(name).setWindowState(forms::kStateMinimized); });
    minimised.push_back(run.view.windowOf(*run.app.find(name)));
  }
  auto contact = [&](bool open) {
    run.view.userEvent([&] {
      open ? (void)run.app.get("frmAdresses") : (void)run.app.unloadIfLoaded("frmAdresses");
    });
  };
  // The lowest row of the band that opens calculation 24, in pixels of the picture.
  int y = 6000;
  while (y < 9000 && veltaro::HitTestBands("DK", 5000, y).calcNumber != 24) y += 15;
  while (veltaro::HitTestBands("DK", 5000, y + 15).calcNumber == 24) y += 15;
  const QPoint band(5000 / 15, y / 15);
  const struct {
    const char* what;
    std::function<void()> step;
    bool across, down;  // the bars shown
  } steps[] = {
      {"at the start size, the lowest bands below the workspace", [] {}, true, true},
      {"the contact window open, at the workspace's left edge",
       [&] {
         contact(true);
         EXPECT_EQ(run.view.windowOf(*run.app.find("frmAdresses"))->x(), 0);
       },
       true, true},
      {"scrolled to the far corner",
       [&] {
         across->setValue(across->maximum());
         down->setValue(down->maximum());
       },
       true, true},
      {"the frame narrowed", [&] { main->resize(360, main->height()); }, true, true},
      {"the contact window closed", [&] { contact(false); }, true, true},
      // Grown while scrolled, the view comes back so that what fits is shown whole.
      {"grown to the picture's width, still scrolled",
       [&] { main->resize(main->width() + 800 + down->width() - area->width(), main->height()); },
       false, true},
      {"shrunk again and scrolled to the far corner",
       [&] {
         main->resize(360, 300);
         across->setValue(across->maximum());
         down->setValue(down->maximum());
       },
       true, true},
      {"grown to the picture's height, still scrolled",
       [&] {
         main->resize(main->width(), main->height() + 600 + across->height() - area->height());
       },
       true, false},
      {"grown to the picture's size, still scrolled",
       [&] {
         main->resize(main->width() + 800 - area->width(), main->height() + 600 - area->height());
       },
       false, false},
      {"the contact window dragged right beyond the edge, its bottom under the bar across",
       [&] {
         contact(true);
         QWidget* w = run.view.windowOf(*run.app.find("frmAdresses"));
         w->move(area->viewport()->width() - w->width() + 10,
                 area->viewport()->height() - w->height());
       },
       true, true},
      {"the contact window closed again", [&] { contact(false); }, false, false},
      {"the frame as large as the picture, scrolled back",
       [&] {
         across->setValue(0);
         down->setValue(0);
         main->resize(main->width() + 800 - area->width(), main->height() + 600 - area->height());
       },
       false, false},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.what);
    s.step();
    QCoreApplication::processEvents();
    EXPECT_EQ(shownBars(main, Qt::Horizontal), int(s.across));
    EXPECT_EQ(shownBars(main, Qt::Vertical), int(s.down));
    // Minimised windows along the bottom edge of the visible workspace, left to right, then
    // row above row.
    auto onFrame = [main](QWidget* w) { return QRect(w->mapTo(main, QPoint()), w->size()); };
    const QRect visible = onFrame(area->viewport()) & main->centralWidget()->geometry();
    int bottom = 0;
    for (QWidget* w : minimised) {
      EXPECT_TRUE(visible.contains(onFrame(w)));
      bottom = std::max(bottom, onFrame(w).bottom());
    }
    EXPECT_EQ(bottom, visible.bottom());
  }
  // At the start size the lowest band is reached by scrolling, and the window it opens comes
  // into view with its title bar.
  main->resize(800, 600);
  QCoreApplication::processEvents();
  QWidget* view = area->viewport();
  EXPECT_GT(band.y(), view->height());
  down->setValue(down->maximum());
  const QPoint at = band - area->origin();
  ASSERT_TRUE(view->rect().contains(at));
  QTest::mouseClick(view, Qt::LeftButton, {}, at);
  ASSERT_TRUE(run.app.isLoaded("frmCalc24"));
  const QWidget* opened = run.view.windowOf(*run.app.find("frmCalc24"));
  EXPECT_TRUE(view->rect().contains(opened->geometry().topLeft() + QPoint(10, 10)));
  // Maximised, the frame is as wide as the screen; the window opens 300 twips from its right.
  main->showMaximized();
  main->resize(1590, 950);
  run.view.sync();
  contact(true);
  const forms::Form& frame = *run.app.mdiForm();
  const forms::Form& shown = *run.app.find("frmAdresses");
  EXPECT_GE(frame.width(), 1590 * 15);
  EXPECT_EQ(shown.left(), frame.width() - shown.width() - 300);
  EXPECT_EQ(run.view.windowOf(shown)->x(), shown.left() / 15);
}

TEST(ProgramWindows, EverySystemColourOfEveryWindowIsTheDesktopsColourOfItsElement) {
  // The application's palette comes back however the test ends (a failed ASSERT returns).
  struct PaletteRestore {
    const QPalette before = QApplication::palette();
    ~PaletteRestore() { QApplication::setPalette(before); }
  } restore;
  // A desktop whose palette roles all differ, so that a colour from the wrong role shows.
  QPalette desktop;
  for (int role = 0; role < QPalette::NColorRoles; ++role)
    desktop.setColor(static_cast<QPalette::ColorRole>(role), QColor::fromHsv(role * 19, 160, 200));
  QApplication::setPalette(desktop);
  // The screen element of each system colour the designs use.
  const std::map<int64_t, QPalette::ColorRole> elements = {
      {forms::kColor3DLight, QPalette::Midlight}, {forms::kColorButtonFace, QPalette::Button}};
  std::set<int64_t> seen;
  {
    MarketRun run("DK");
    for (forms::Form* f : run.app.loadedForms())
      for (const auto& c : f->controls()) {
        const int64_t color = c->backColor();
        if (color < 0 || !(color & forms::kSystemColor)) continue;
        const std::string where = f->name() + "." + c->name() + std::to_string(c->index());
        ASSERT_TRUE(elements.count(color)) << where << " " << color;
        seen.insert(color);
        QWidget* w = run.view.widgetOf(*c);
        const auto shown = qobject_cast<QLineEdit*>(w) ? QPalette::Base : QPalette::Window;
        EXPECT_EQ(w->palette().color(shown), desktop.color(elements.at(color))) << where;
      }
  }
  EXPECT_EQ(seen.size(), elements.size());
}

}  // namespace
