// Calculation windows on screen, minimised and restored, activated, and those of an opened case,
// which come back minimised with their results: a user who restores or activates one finds it
// as it was, its results still there and saved with the case.

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <sstream>

#include "MarketRun.h"
#include "calc/CalcWindow.h"
#include "cases/RecordLayout.h"
#include "qtview/Workspace.h"
#include "shell/ShellServices.h"
#include "support/FormSnapshot.h"
#include "support/Steps.h"

namespace {

using viewtest::MarketRun;

// Each calculation with a result box of its own, and inputs it calculates from with the shipped
// data of any market ("#n" chooses item n of a list, "!" sets an option).
const std::string kPipe = "RORCOM=#10 MEDIETEMP=150 Omgivende=20 ";
const struct {
  int number;
  const char* result;
  std::string inputs;
} kWindows[] = {
    {1, "VT", kPipe + "Emission=#0 PRODUKT=#0 ISOLERINGST=#2"},
    {2, "VARMETAB", kPipe + "Emission=#0 PRODUKT=#0 OVERFLADE=40"},
    {3, "OVERFLADE", kPipe + "Emission=#0 PRODUKT=#0 VARMETAB=60"},
    {4, "VARMETAB", kPipe + "Emission=#0 PRODUKT=#0"},
    {5, "VARMETAB", kPipe + "Emission=#0 PRODUKT=#0 MEDIETEMP=5 Luftfugtighed=70"},
    {6, "VARMETAB",
     kPipe + "Emission=#0 PRODUKT=#0 MEDIETEMP=40 Omgivende=0 MEDIEHAST=5 Luftfugtighed=90 "
             "Indvendig=#5 StofK=#0"},
    {7, "txtIsoTyk",
     "optCalcType(2)=! RORCOM=#20 MEDIE=#0 MEDIESTR=5 STRHAST=#0 txtLength=30 txtStarTemp=60 "
     "PRODUKT=#0 ISOLERINGST=50 Omgivende=20 Emission=#0"},
    {21, "VT",
     kPipe + "Emission=#0 AntalLag=2 PRODUKT(0)=#0 ISOLERINGST(0)=50 PRODUKT(1)=#0 "
             "ISOLERINGST(1)=30"},
    {22, "VT",
     kPipe + "Emission=#0 AntalLag=2 PRODUKT(0)=#0 Skilleflade(0)=100 PRODUKT(1)=#0 OVERFLADE=30"},
    {23, "OVERFLADE",
     kPipe + "Emission=#0 AntalLag=2 PRODUKT(0)=#0 Skilleflade(0)=100 PRODUKT(1)=#0 VT=40"},
    {24, "VT",
     kPipe + "PRODUKT(0)=#0 ISOLERINGST(0)=50 Emission(0)=#0 PRODUKT(1)=#0 ISOLERINGST(1)=30 "
             "Emission(1)=#0"}};

// Writes a window's inputs as its handlers see them written.
void enter(forms::Form& w, const std::string& inputs) {
  std::istringstream steps(inputs);
  for (std::string s; steps >> s;) {
    const testing_support::Step step(s);
    forms::Control& c = w.control(step.control, step.index);
    if (step.text == "!")
      c.setValue(1);
    else if (step.text[0] == '#')
      c.setListIndex(std::stoi(step.text.substr(1)));
    else
      c.setText(step.text);
  }
}

// A point of a child's title bar: its restore button or its caption.
QPoint titleBar(QMdiSubWindow* sub, QStyle::SubControl part) {
  QStyleOptionTitleBar o;
  o.initFrom(sub);
  o.subControls = QStyle::SC_All;
  o.titleBarFlags = sub->windowFlags();
  o.titleBarState = sub->windowState();
  o.rect = QRect(0, 0, sub->width(), sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, &o, sub));
  return sub->style()->subControlRect(QStyle::CC_TitleBar, &o, part, sub).center();
}

// A press on a part of a child's title bar (twice: a double-click), as the system sends it: to
// the main window, under the pointer moved there first.
void press(MarketRun& run, QMdiSubWindow* sub, QStyle::SubControl part, bool twice = false) {
  QWindow* frame = run.view.mainWindow()->windowHandle();
  const QPoint on = sub->mapTo(run.view.mainWindow(), titleBar(sub, part));
  QTest::mouseMove(frame, on);
  if (twice)
    QTest::mouseDClick(frame, Qt::LeftButton, {}, on);
  else
    QTest::mouseClick(frame, Qt::LeftButton, {}, on);
  QCoreApplication::processEvents();
}

// The window chosen in the main window's Window menu, opened by a click; the menu's check mark
// is on the window in front.
void chooseInWindowMenu(MarketRun& run, const forms::Form& w) {
  QMenuBar* bar = run.view.mainWindow()->menuBar();
  QAction* list = viewtest::actionNamed(run, run.app.mdiForm()->menu("menuLastCalc").caption());
  ASSERT_TRUE(list && list->menu());
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(list).center());
  QMenu* menu = list->menu();
  ASSERT_TRUE(menu->isVisible());
  QCoreApplication::processEvents();
  auto entry = [menu](const forms::Form* f) -> QAction* {
    for (QAction* a : menu->actions())
      if (f && a->text().endsWith(" " + QString::fromStdString(f->caption()))) return a;
    return nullptr;
  };
  for (QAction* a : menu->actions())
    EXPECT_EQ(a->isChecked(), a == entry(run.app.activeMdiChild())) << a->text().toStdString();
  QAction* chosen = entry(&w);
  ASSERT_NE(chosen, nullptr);
  QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(chosen).center());
  // A menu never takes the activation from the main window, except offscreen, where the closed
  // menu keeps it.
  if (QApplication::activeWindow() == menu) QApplication::setActiveWindow(run.view.mainWindow());
  QCoreApplication::processEvents();
}

// Every calculation window, just calculated with the focus on Calculate, minimised and brought
// back each way, maximised and chosen again, or activated by its title: no focus event, no
// click, no change of its own runs. It shows what it showed, the pipe distances stay open, and
// the keyboard is back on Calculate. Minimised while the workspace scrolls, it comes back where
// it stood in the content, however it is brought back, and its bar stays in the row.
TEST(CaseWindows, AWindowJustCalculatedIsAsItWasWhicheverWayItIsRestoredOrActivated) {
  using S = QStyle;
  const struct {
    const char* market;
    const char* way;
    S::SubControl first;  // on its title bar; none: it stays behind the pipe distances
    S::SubControl then;   // none: its entry in the Window menu; a minimised title twice
    int state;
    bool scrolled = false;  // by a click in each bar's groove, while it lies minimised
  } ways[] = {{"LT", "minimised, then its restore button", S::SC_TitleBarMinButton,
               S::SC_TitleBarNormalButton, forms::kStateNormal},
              {"DK", "minimised, then the Window menu", S::SC_TitleBarMinButton, S::SC_None,
               forms::kStateNormal},
              {"UK", "minimised, then a double-click on its title", S::SC_TitleBarMinButton,
               S::SC_TitleBarLabel, forms::kStateNormal},
              {"SE", "maximised, then the Window menu", S::SC_TitleBarMaxButton, S::SC_None,
               forms::kStateMaximized},
              {"NO", "behind the pipe distances, then a click on its title", S::SC_None,
               S::SC_TitleBarLabel, forms::kStateNormal},
              {"LV", "minimised, scrolled, then its restore button", S::SC_TitleBarMinButton,
               S::SC_TitleBarNormalButton, forms::kStateNormal, true},
              {"EE", "minimised, scrolled, then the Window menu", S::SC_TitleBarMinButton,
               S::SC_None, forms::kStateNormal, true},
              {"MRN", "minimised, scrolled, then a double-click on its title",
               S::SC_TitleBarMinButton, S::SC_TitleBarLabel, forms::kStateNormal, true}};
  for (const auto& way : ways) {
    SCOPED_TRACE(std::string(way.market) + ": " + way.way);
    MarketRun run(way.market, false);
    run.platform.anyMsgBox = forms::mb::IdYes;  // the pipe-only questions
    // Scrolled, the workspace is smaller than its picture.
    run.view.mainWindow()->resize(way.scrolled ? QSize(700, 560) : QSize(1200, 1000));
    auto* area = static_cast<qtview::Workspace*>(run.view.workspace());
    run.view.mainWindow()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(run.view.mainWindow()));
    for (const auto& [number, result, inputs] : kWindows) {
      SCOPED_TRACE(number);
      forms::Form* w = nullptr;
      run.view.userEvent([&, number = number] { w = &run.app.get(veltaro::calcFormName(number)); });
      run.view.userEvent([&, inputs = inputs] { enter(*w, inputs); });
      QWidget* calculate = run.view.widgetOf(w->control("Beregn"));
      QTest::mouseClick(calculate, Qt::LeftButton);
      ASSERT_TRUE(veltaro::fx().ResultValid[veltaro::CalcTypeOf(number)]);
      ASSERT_EQ(w->activeControl(), &w->control("Beregn"));
      const auto before = testing_support::Snapshot(*w);
      const bool distances =
          run.app.isLoaded("frmPipedistance") || run.app.isLoaded("frmPipedistanceSE");
      auto* sub = static_cast<QMdiSubWindow*>(run.view.windowOf(*w));
      const QRect stood = sub->geometry().translated(area->origin());  // in the content
      if (way.first != S::SC_None)
        press(run, sub, way.first);
      else
        ASSERT_NE(run.app.activeMdiChild(), w);
      if (way.scrolled) {
        const QRect bar = sub->geometry();
        const QPoint from = area->origin();
        // A click in each bar's groove beside an arrow: a page on, or back from the end.
        for (QScrollBar* b : {area->bar(Qt::Horizontal), area->bar(Qt::Vertical)}) {
          const int arrow = std::min(b->width(), b->height());
          const QPoint along =
              b->orientation() == Qt::Horizontal ? QPoint(arrow, 0) : QPoint(0, arrow);
          const QPoint middle = QPoint(arrow, arrow) / 2;
          QTest::mouseClick(b, Qt::LeftButton, {},
                            b->value() < b->maximum() ? b->rect().bottomRight() - middle - along
                                                      : middle + along);
        }
        QCoreApplication::processEvents();
        ASSERT_NE(area->origin(), from);
        EXPECT_EQ(sub->geometry(), bar) << "in the row along the bottom";
      }
      if (way.then == S::SC_None)
        chooseInWindowMenu(run, *w);
      else
        press(run, sub, way.then, way.then == S::SC_TitleBarLabel && sub->isMinimized());
      QTest::qWait(10);
      EXPECT_EQ(w->windowState(), way.state);
      if (way.state == forms::kStateNormal) {
        EXPECT_EQ(sub->geometry().translated(area->origin()), stood) << "where it stood";
      }
      EXPECT_TRUE(run.app.activeMdiChild() == w && run.view.workspace()->activeSubWindow() == sub)
          << "in front";
      EXPECT_EQ(testing_support::Snapshot(*w), before);
      EXPECT_TRUE(veltaro::fx().ResultValid[veltaro::CalcTypeOf(number)]);
      EXPECT_EQ(run.app.isLoaded("frmPipedistance") || run.app.isLoaded("frmPipedistanceSE"),
                distances);
      EXPECT_EQ(w->activeControl(), &w->control("Beregn"));
      EXPECT_EQ(QApplication::focusWidget(), calculate);
      run.view.userEvent([&] { w->unload(); });
    }
  }
}

// The user restores the windows one after another where the bars line up: each restored one
// leaves its place to the next bar, under the pointer that has not moved.
TEST(CaseWindows, RestoringOrActivatingAWindowOfAnOpenedCaseKeepsItsResults) {
  const std::pair<const char*, QStyle::SubControl> ways[] = {
      {"SE", QStyle::SC_TitleBarNormalButton},
      {"LV", QStyle::SC_TitleBarLabel},
      {"NO", QStyle::SC_TitleBarNormalButton}};
  for (auto [market, part] : ways) {
    SCOPED_TRACE(market);
    MarketRun run(market, false);
    run.view.mainWindow()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(run.view.mainWindow()));
    auto& s = veltaro::fx();
    run.platform.anyMsgBox = forms::mb::IdYes;  // the pipe-only questions
    // Every window with a pipe from its list, its first product and a result of its own.
    for (const auto& [number, result, inputs] : kWindows) {
      run.view.userEvent([&, number = number] {
        forms::Form& w = run.app.get(veltaro::calcFormName(number));
        w.control("RORCOM").setText("61");
        for (forms::Control* p : w.controlArray("PRODUKT")) p->setListIndex(0);
        if (forms::Control* p = w.findControl("PRODUKT")) p->setListIndex(0);
        if (forms::Control* d = w.findControl("Indvendig")) d->setListIndex(0);
      });
    }
    for (const auto& [number, result, inputs] : kWindows) {
      run.view.userEvent([&, number = number, result = result] {
        run.app.get(veltaro::calcFormName(number)).control(result).setText("12");
        s.ResultValid[veltaro::CalcTypeOf(number)] = true;
      });
    }
    const std::string file = run.folder_.path.string() + "/DATA/restore.DAT";
    run.platform.expectSaveFile(file);
    run.view.userEvent([] { veltaro::caseService()->CaseSave(); });
    run.platform.anyMsgBox.reset();
    run.platform.expectOpenFile(file);
    run.view.userEvent([] { veltaro::caseService()->CaseOpen(); });
    ASSERT_TRUE(run.platform.scriptDone());
    auto* area = static_cast<qtview::Workspace*>(run.view.workspace());
    // Where the windows were placed, minimised: in the part on screen, where they fit.
    const QRect opened(area->origin(), area->viewport()->size());
    // Tall enough that no window restored covers the bars.
    run.view.mainWindow()->resize(1200, 1100);
    QCoreApplication::processEvents();
    QPoint place;  // the first bar's, in the workspace
    for (size_t restored = 0; restored < std::size(kWindows); ++restored) {
      QMdiSubWindow* sub = nullptr;
      // The first place is the one at the bottom left.
      for (QMdiSubWindow* bar : area->subWindowList())
        if (bar->isMinimized() && (place.isNull() ? !sub || std::pair(bar->y(), -bar->x()) >
                                                                std::pair(sub->y(), -sub->x())
                                                  : bar->geometry().contains(place)))
          sub = bar;
      ASSERT_NE(sub, nullptr) << restored;
      if (place.isNull()) place = sub->mapToParent(titleBar(sub, part));
      const auto& [number, result, inputs] =
          *std::find_if(std::begin(kWindows), std::end(kWindows), [&](const auto& n) {
            return run.view.windowOf(run.app.get(veltaro::calcFormName(n.number))) == sub;
          });
      SCOPED_TRACE(number);
      forms::Form& w = run.app.get(veltaro::calcFormName(number));
      ASSERT_EQ(w.windowState(), forms::kStateMinimized);
      press(run, sub, part, part == QStyle::SC_TitleBarLabel);  // a double-click on the caption
      ASSERT_FALSE(sub->isMinimized());
      const QRect stands = sub->geometry().translated(area->origin());
      const bool fits = stands.width() <= opened.width() && stands.height() <= opened.height();
      EXPECT_TRUE(!fits || opened.contains(stands)) << "where it was placed";
      EXPECT_TRUE(run.app.activeMdiChild() == &w && area->activeSubWindow() == sub &&
                  area->subWindowList(QMdiArea::StackingOrder).back() == sub)
          << "in front";
      // The window system's own placing of the focus in a window restored: the first widget
      // of its chain that takes it (offscreen, Qt leaves it on the sub-window).
      QWidget* first = sub->nextInFocusChain();
      while (first != sub && !(first->focusPolicy() != Qt::NoFocus && first->isEnabled() &&
                               first->isVisible() && sub->isAncestorOf(first)))
        first = first->nextInFocusChain();
      first->setFocus(Qt::OtherFocusReason);
      QTest::qWait(10);
      EXPECT_EQ(w.windowState(), forms::kStateNormal);
      EXPECT_EQ(w.control(result).text(), "12");
      EXPECT_TRUE(s.ResultValid[veltaro::CalcTypeOf(number)]);
      ASSERT_NE(w.activeControl(), nullptr);
      EXPECT_EQ(QApplication::focusWidget(), run.view.widgetOf(*w.activeControl())) << "follows";
    }
    // Saved again after the restores, the case keeps every record.
    const std::string again = run.folder_.path.string() + "/DATA/again.DAT";
    run.platform.expectSaveFile(again);
    run.view.userEvent([] { veltaro::caseService()->CaseSave(); });
    for (const auto& [number, result, inputs] : kWindows) {
      const char* ext = veltaro::cases::LayoutOfType(veltaro::CalcTypeOf(number))->extension;
      EXPECT_TRUE(std::filesystem::exists(run.folder_.path / "DATA" / ("again" + std::string(ext))))
          << number;
    }
  }
}

}  // namespace
