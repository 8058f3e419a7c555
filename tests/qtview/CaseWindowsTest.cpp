// Windows of an opened case on screen: each comes back minimised with its results, and a user
// who restores or activates it finds them still there and saved with the case.

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>

#include "MarketRun.h"
#include "calc/CalcWindow.h"
#include "cases/RecordLayout.h"
#include "shell/ShellServices.h"

namespace {

using viewtest::MarketRun;

// Each calculation with a result box of its own.
const std::pair<int, const char*> kWindows[] = {
    {1, "VT"},       {2, "VARMETAB"},   {3, "OVERFLADE"}, {4, "VARMETAB"},
    {5, "VARMETAB"}, {6, "VARMETAB"},   {7, "txtIsoTyk"}, {21, "VT"},
    {22, "VT"},      {23, "OVERFLADE"}, {24, "VT"}};

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

// The user restores the windows one after another where the bars line up: each restored one
// leaves its place to the next bar, under the pointer that has not moved.
TEST(CaseWindows, RestoringOrActivatingAWindowOfAnOpenedCaseKeepsItsResults) {
  const std::pair<const char*, QStyle::SubControl> ways[] = {
      {"SE", QStyle::SC_TitleBarNormalButton},
      {"LV", QStyle::SC_TitleBarLabel},  // a double-click on the caption
      {"NO", QStyle::SC_TitleBarNormalButton}};
  for (auto [market, part] : ways) {
    SCOPED_TRACE(market);
    MarketRun run(market, false);
    run.view.mainWindow()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(run.view.mainWindow()));
    auto& s = veltaro::fx();
    run.platform.anyMsgBox = forms::mb::IdYes;  // the pipe-only questions
    // Every window with a pipe from its list, its first product and a result of its own.
    for (auto [number, result] : kWindows) {
      run.view.userEvent([&, number = number] {
        forms::Form& w = run.app.get(veltaro::calcFormName(number));
        w.control("RORCOM").setText("61");
        for (forms::Control* p : w.controlArray("PRODUKT")) p->setListIndex(0);
        if (forms::Control* p = w.findControl("PRODUKT")) p->setListIndex(0);
        if (forms::Control* d = w.findControl("Indvendig")) d->setListIndex(0);
      });
    }
    for (auto [number, result] : kWindows) {
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
    QMdiArea* area = run.view.workspace();
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
      const QPoint at = titleBar(sub, part);
      if (place.isNull()) place = sub->mapToParent(at);
      const auto [number, result] =
          *std::find_if(std::begin(kWindows), std::end(kWindows), [&](const auto& n) {
            return run.view.windowOf(run.app.get(veltaro::calcFormName(n.first))) == sub;
          });
      SCOPED_TRACE(number);
      forms::Form& w = run.app.get(veltaro::calcFormName(number));
      ASSERT_EQ(w.windowState(), forms::kStateMinimized);
      // As the system sends them, to the window under the pointer.
      QWindow* frame = run.view.mainWindow()->windowHandle();
      const QPoint on = sub->mapTo(run.view.mainWindow(), at);
      QTest::mouseMove(frame, on);
      if (part == QStyle::SC_TitleBarLabel)
        QTest::mouseDClick(frame, Qt::LeftButton, {}, on);
      else
        QTest::mouseClick(frame, Qt::LeftButton, {}, on);
      QCoreApplication::processEvents();
      ASSERT_FALSE(sub->isMinimized());
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
    }
    // Saved again after the restores, the case keeps every record.
    const std::string again = run.folder_.path.string() + "/DATA/again.DAT";
    run.platform.expectSaveFile(again);
    run.view.userEvent([] { veltaro::caseService()->CaseSave(); });
    for (auto [number, result] : kWindows) {
      const char* ext = veltaro::cases::LayoutOfType(veltaro::CalcTypeOf(number))->extension;
      EXPECT_TRUE(std::filesystem::exists(run.folder_.path / "DATA" / ("again" + std::string(ext))))
          << number;
    }
  }
}

}  // namespace
