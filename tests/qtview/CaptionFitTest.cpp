// Every window the program registers, opened in every market after a real start-up on the
// shipped data: each static caption, and each list's prompt, must fit its control in the font
// the front end renders.

#include <gtest/gtest.h>

#include <QtWidgets>
#include <filesystem>
#include <string>
#include <vector>

#include "MarketRun.h"
#include "core/Fx.h"
#include "forms/Application.h"
#include "qtview/Convert.h"
#include "qtview/FormsView.h"
#include "start/Startup.h"

namespace {

using forms::ControlKind;
using viewtest::MarketRun;

// What a caption needs beyond its control, in pixels; 0 when it fits.
int overflow(const forms::Control& c, QWidget* w) {
  const QFontMetrics fm(w->font());
  QStyle* style = w->style();
  switch (c.kind()) {
    case ControlKind::Label: {
      auto* l = static_cast<QLabel*>(w);
      if (!l->wordWrap()) return fm.horizontalAdvance(l->text()) - l->width();
      const QRect needed =
          fm.boundingRect(QRect(0, 0, l->width(), 100000), Qt::TextWordWrap, l->text());
      return std::max(needed.width() - l->width(), needed.height() - l->height());
    }
    case ControlKind::Frame: {
      auto* box = static_cast<QGroupBox*>(w);
      if (box->title().isEmpty()) return 0;
      QStyleOptionGroupBox option;
      option.initFrom(box);
      option.text = box->title();
      option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
      option.lineWidth = 1;
      const QRect label =
          style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
      return label.right() + 1 - box->width();
    }
    case ControlKind::OptionButton:
    case ControlKind::CheckBox:
    case ControlKind::CommandButton: {
      QStyleOptionButton option;
      option.initFrom(w);
      option.text = static_cast<QAbstractButton*>(w)->text();
      const ControlKind k = c.kind();
      const QRect room =
          style->subElementRect(k == ControlKind::OptionButton ? QStyle::SE_RadioButtonContents
                                : k == ControlKind::CheckBox   ? QStyle::SE_CheckBoxContents
                                                               : QStyle::SE_PushButtonContents,
                                &option, w);
      // A push button centres its caption; the others draw it right of their indicator.
      const int width = k == ControlKind::CommandButton ? room.width() : w->width() - room.left();
      return fm.horizontalAdvance(qtview::withoutAccessKey(c.caption())) - width;
    }
    case ControlKind::ComboBox: {
      // A list's prompt ("SELECT product") is shown in its field while nothing is chosen.
      auto* box = static_cast<QComboBox*>(w);
      const QString shown = box->isEditable()         ? box->lineEdit()->text()
                            : box->currentIndex() < 0 ? box->placeholderText()
                                                      : box->currentText();
      QStyleOptionComboBox option;
      option.initFrom(box);
      option.editable = box->isEditable();
      option.currentText = shown;
      const QRect field =
          style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
      return fm.horizontalAdvance(shown) - field.width();
    }
    default:
      return 0;
  }
}

// How far a left-aligned one-line label's text runs into a control to its right on its row
// (the label may be wider than the room it has: its text must still stop short of the next).
int collision(const forms::Control& label, QWidget* w, const qtview::FormsView& view) {
  auto* l = static_cast<QLabel*>(w);
  if (label.alignment() != 0 || l->wordWrap()) return 0;
  const QFontMetrics fm(l->font());
  // The rows the text takes: labels draw from their top.
  const QRect text(l->x(), l->y(), fm.horizontalAdvance(l->text()), fm.height());
  const int textRight = text.x() + text.width();
  int worst = 0;
  for (const auto& other : label.form().controls()) {
    QWidget* o = view.widgetOf(*other);
    const ControlKind k = other->kind();
    const bool drawn = k == ControlKind::TextBox || k == ControlKind::ComboBox ||
                       k == ControlKind::OptionButton || k == ControlKind::CheckBox ||
                       k == ControlKind::CommandButton ||
                       (k == ControlKind::Label && !other->caption().empty());
    if (!o || o == w || !drawn || !other->visible() || o->parentWidget() != w->parentWidget())
      continue;
    const QRect g = o->geometry();
    if (g.left() > text.left() && g.top() <= text.bottom() && g.bottom() >= text.top())
      worst = std::max(worst, textRight - g.left());
  }
  return worst;
}

// One line per caption that does not fit: market, window, control and text.
std::vector<std::string> clippedCaptions(const std::string& market, forms::Application& app,
                                         const qtview::FormsView& view) {
  std::vector<std::string> clipped;
  for (forms::Form* f : app.loadedForms())
    for (const auto& c : f->controls()) {
      QWidget* w = view.widgetOf(*c);
      if (!w || !c->visible() || c->text().empty()) continue;
      // A sliver narrower than one character shows none of its caption by design.
      if (w->width() < QFontMetrics(w->font()).averageCharWidth()) continue;
      int over = overflow(*c, w);
      if (c->kind() == ControlKind::Label) over = std::max(over, collision(*c, w, view));
      if (over > 0)
        clipped.push_back(market + " " + f->name() + "." + c->name() +
                          (c->index() >= 0 ? "(" + std::to_string(c->index()) + ")" : "") + " \"" +
                          c->caption() + "\" is " + std::to_string(over) + " px too long");
    }
  return clipped;
}

const std::vector<std::string> kMarkets = {"DK", "SE", "NO", "UK", "LT", "EE", "LV", "MRN"};

TEST(CaptionFit, EveryCaptionOfEveryWindowFitsInEveryMarket) {
  for (const std::string& market : kMarkets) {
    MarketRun run(market);
    ASSERT_FALSE(run.app.ended()) << market;
    EXPECT_EQ(run.app.loadedForms().size(), run.app.registeredNames().size()) << market;
    for (const std::string& line : clippedCaptions(run.market(), run.app, run.view))
      ADD_FAILURE() << line;
  }
}

TEST(CaptionFit, ACaptionMadeLongerIsCaught) {
  MarketRun run("UK");
  ASSERT_TRUE(clippedCaptions(run.market(), run.app, run.view).empty());
  const struct {
    const char* window;
    ControlKind kind;
  } cases[] = {{"frmCountry", ControlKind::Label}, {"frmCountry", ControlKind::CommandButton},
               {"frmCalc01", ControlKind::Frame},  {"frmCalc01", ControlKind::OptionButton},
               {"frmCalc01", ControlKind::Label},  {"frmCalc01", ControlKind::ComboBox}};
  for (const auto& c : cases) {
    forms::Form& f = run.app.get(c.window);
    forms::Control* target = nullptr;
    for (const auto& control : f.controls())
      if (!target && control->kind() == c.kind && control->visible() && !control->caption().empty())
        target = control.get();
    ASSERT_NE(target, nullptr) << c.window;
    const std::string before = target->caption();
    run.view.userEvent([&] {
      target->setCaption(before + ", a caption made far longer than any window has room for");
    });
    const auto clipped = clippedCaptions(run.market(), run.app, run.view);
    ASSERT_EQ(clipped.size(), 1u) << c.window << " " << target->name();
    EXPECT_NE(clipped[0].find("UK " + f.name() + "." + target->name()), std::string::npos)
        << clipped[0];
    run.view.userEvent([&] { target->setCaption(before); });
  }
}

}  // namespace
