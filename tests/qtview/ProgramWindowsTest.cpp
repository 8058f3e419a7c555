// The program's own windows on screen: the country dialog by keyboard alone, the contact window
// beside a maximised frame and in a workspace too small for it.

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <map>
#include <set>

#include "MarketRun.h"
#include "shell/mdiVeltaro.h"
#include "start/frmCountry.h"
#include "start/frmStart.h"

namespace {

using viewtest::MarketRun;

// The program's windows registered, none open yet, as on the first start.
struct FirstStart {
  testing_support::ProgramFolder folder{"country"};
  testing_support::ScriptedPlatform platform;
  bool folderSet = (platform.folder = folder.path.string(), true);
  forms::Application app{platform};
  qtview::FormsView view{app};
  bool registered = (veltaro::RegisterProgramWindows(), true);
};

TEST(ProgramWindows, TheCountryDialogWorksByKeyboardAlone) {
  // As on the first start: the dialog comes before any other window.
  FirstStart start;
  forms::Application& app = start.app;
  qtview::FormsView& view = start.view;
  auto& country = app.get<veltaro::frmCountry>();
  view.userEvent([&] { country.show(); });
  QWidget* window = view.windowOf(country);
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  view.sync();
  // The chosen country (Danish) has the focus; Down takes the next one, Tab goes on to OK,
  // Shift+Tab comes back, Tab again and Enter choose.
  ASSERT_EQ(country.activeControl(), &country.control("optCountry", 3));
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* focus;
    int focusIndex;
  } steps[] = {{Qt::Key_Down, {}, "optCountry", 4},
               {Qt::Key_Tab, {}, "cmdOk", -1},
               {Qt::Key_Backtab, Qt::ShiftModifier, "optCountry", 4},
               {Qt::Key_Up, {}, "optCountry", 3},
               {Qt::Key_Down, {}, "optCountry", 4},
               {Qt::Key_Tab, {}, "cmdOk", -1}};
  for (const auto& s : steps) {
    QTest::keyClick(QApplication::focusWidget(), s.key, s.modifiers);
    ASSERT_EQ(country.activeControl(), &country.control(s.focus, s.focusIndex)) << s.focus;
    EXPECT_EQ(QApplication::focusWidget(), view.widgetOf(*country.activeControl()));
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_FALSE(app.isLoaded("frmCountry"));
  EXPECT_EQ(veltaro::fx().CountryCode, "LT");
}

TEST(ProgramWindows, EveryMarketsMainWindowHasTheProgramsIconAndTheMarineEditionItsOwn) {
  QApplication::setWindowIcon(QIcon());  // as the program starts
  QImage marine;
  for (const char* market : {"MRN", "UK", "LT"}) {
    MarketRun run(market, false);
    const QIcon icon = run.view.mainWindow()->windowIcon();
    ASSERT_FALSE(icon.isNull()) << market;
    const QImage shown = icon.pixmap(32, 32).toImage();
    if (marine.isNull())
      marine = shown;
    else
      EXPECT_NE(shown, marine) << market;
  }
}

TEST(ProgramWindows, TheSplashWindowHasNoFrameAndOpensCentred) {
  FirstStart start;
  auto& splash = start.app.get<veltaro::frmStart>();
  start.view.userEvent([&] { splash.show(); });
  QWidget* window = start.view.windowOf(splash);
  EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_LE((window->geometry().center() - screen.center()).manhattanLength(), 2);
  EXPECT_EQ(splash.width(), window->width() * 15);
}

TEST(ProgramWindows, AWindowOpenedOverTheMainWindowStaysActive) {
  // The window system reports activations late; answering an old one with another request
  // made the two windows take the activation from each other without end.
  MarketRun run("UK", false);
  run.view.userEvent([&] { run.app.get("frmCalc01"); });
  auto& country = run.app.get<veltaro::frmCountry>();
  run.view.userEvent([&] { country.show(); });
  int activations = 0;
  struct Counter : QObject {
    int* n;
    explicit Counter(int* count) : n(count) {}
    bool eventFilter(QObject*, QEvent* e) override {
      *n += e->type() == QEvent::WindowActivate;
      return false;
    }
  } counter(&activations);
  run.view.mainWindow()->installEventFilter(&counter);
  run.view.windowOf(country)->installEventFilter(&counter);
  QTest::qWait(200);
  EXPECT_EQ(run.app.activeWindow(), &country);
  EXPECT_LE(activations, 2);
}

// The frame's visible scroll bars of one orientation.
int shownBars(QWidget* main, Qt::Orientation orientation) {
  int n = 0;
  for (auto* bar : main->findChildren<QScrollBar*>())
    n += bar->orientation() == orientation && bar->isVisibleTo(main);
  return n;
}

TEST(ProgramWindows, TheWorkspaceScrollsOnlyToChildWindowsAndKeepsMinimisedOnesInView) {
  MarketRun run("DK", false);
  QMainWindow* main = run.view.mainWindow();
  QMdiArea* area = run.view.workspace();
  // A case opened at the start size restores its windows minimised.
  std::vector<QWidget*> minimised;
  for (const char* name : {"frmCalc01", "frmCalc02", "frmCalc03", "frmCalc05"}) {
    run.view.userEvent([&] { run.app.get(name).setWindowState(forms::kStateMinimized); });
    minimised.push_back(run.view.windowOf(*run.app.find(name)));
  }
  const struct {
    const char* what;
    std::function<void()> step;
    int bars;  // of each orientation
  } steps[] = {
      {"at the start size", [] {}, 0},
      {"the contact window open", [&] { run.view.userEvent([&] { run.app.get("frmAdresses"); }); },
       1},
      {"scrolled to its far corner",
       [&] {
         area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->maximum());
         area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
       },
       1},
      {"the frame narrowed", [&] { main->resize(360, main->height()); }, 1},
      {"the contact window closed",
       [&] { run.view.userEvent([&] { run.app.unloadIfLoaded("frmAdresses"); }); }, 0},
  };
  for (const auto& s : steps) {
    s.step();
    QCoreApplication::processEvents();
    EXPECT_EQ(shownBars(main, Qt::Horizontal), s.bars) << s.what;
    EXPECT_EQ(shownBars(main, Qt::Vertical), s.bars) << s.what;
    // Along the bottom edge of the visible workspace, left to right, then row above row.
    auto onFrame = [main](QWidget* w) { return QRect(w->mapTo(main, QPoint()), w->size()); };
    const QRect visible = onFrame(area->viewport()) & main->centralWidget()->geometry();
    int bottom = 0;
    for (QWidget* w : minimised) {
      EXPECT_TRUE(visible.contains(onFrame(w))) << s.what;
      bottom = std::max(bottom, onFrame(w).bottom());
    }
    EXPECT_EQ(bottom, visible.bottom()) << s.what;
  }
}

TEST(ProgramWindows, EverySystemColourOfEveryWindowIsTheDesktopsColourOfItsElement) {
  // A desktop whose palette roles all differ, so that a colour from the wrong role shows.
  const QPalette before = QApplication::palette();
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
        ASSERT_TRUE(elements.count(color)) << f->name() << "." << c->name() << " " << color;
        seen.insert(color);
        QWidget* w = run.view.widgetOf(*c);
        const auto shown = qobject_cast<QLineEdit*>(w) ? QPalette::Base : QPalette::Window;
        EXPECT_EQ(w->palette().color(shown), desktop.color(elements.at(color)))
            << f->name() << "." << c->name() << c->index();
      }
  }
  QApplication::setPalette(before);
  EXPECT_EQ(seen.size(), elements.size());
}

TEST(ProgramWindows, TheContactWindowScrollsIntoReachAndKeepsToTheFramesRightEdge) {
  MarketRun run("UK", false);
  QMainWindow* main = run.view.mainWindow();
  ASSERT_NE(main, nullptr);
  // At the start size the contact window is larger than the workspace: it scrolls.
  run.view.userEvent([&] { run.app.get("frmAdresses"); });
  QCoreApplication::processEvents();
  QMdiArea* area = run.view.workspace();
  EXPECT_TRUE(area->horizontalScrollBar()->isVisible());
  // It opens at the workspace's left edge, its close button within the scrolled range.
  EXPECT_EQ(run.view.windowOf(*run.app.find("frmAdresses"))->x(), 0);
  run.view.userEvent([&] { run.app.unloadIfLoaded("frmAdresses"); });

  // Maximised, the frame is as wide as the screen; the window opens 300 twips from its right.
  main->showMaximized();
  main->resize(1590, 950);
  run.view.sync();
  forms::Form& frame = *run.app.mdiForm();
  run.view.userEvent([&] { run.app.get("frmAdresses"); });
  forms::Form& contact = *run.app.find("frmAdresses");
  EXPECT_GE(frame.width(), 1590 * 15);
  EXPECT_EQ(contact.left(), frame.width() - contact.width() - 300);
  EXPECT_EQ(run.view.windowOf(contact)->x(), contact.left() / 15);
}

}  // namespace
