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

TEST(CaseWindows, RestoringOrActivatingAWindowOfAnOpenedCaseKeepsItsResults) {
  for (const char* market : {"SE", "LV", "NO"}) {
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
    for (auto [number, result] : kWindows) {
      SCOPED_TRACE(number);
      forms::Form& w = run.app.get(veltaro::calcFormName(number));
      ASSERT_EQ(w.windowState(), forms::kStateMinimized);
      auto* sub = static_cast<QMdiSubWindow*>(run.view.windowOf(w));
      sub->showNormal();
      run.view.workspace()->setActiveSubWindow(sub);
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
