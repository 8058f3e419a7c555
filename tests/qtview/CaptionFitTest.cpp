// Every window the program registers, opened in every market after a real start-up on the
// shipped data: each static caption, and each list's prompt, must fit its control in the font
// the front end renders.

#include <gtest/gtest.h>

#include <QtWidgets>
#include <string>
#include <vector>

#include "MarketRun.h"
#include "qtview/Convert.h"

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
      QStyleOptionComboBox option;
      option.initFrom(box);
      option.editable = box->isEditable();
      const QRect field =
          style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
      if (box->isEditable()) {
        // The line edit fills the field and keeps 2 px clear either side of its text; it
        // scrolls once the text and the caret's pixel do not fit.
        const QMargins m = box->lineEdit()->textMargins();
        return fm.horizontalAdvance(box->lineEdit()->text()) + 1 -
               (field.width() - m.left() - m.right() - 4);
      }
      // A list that takes no typing draws its text 1 px in from either side of the field.
      const QString shown = box->currentIndex() < 0 ? box->placeholderText() : box->currentText();
      return fm.horizontalAdvance(shown) - (field.width() - 2);
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

// One line per caption of one window that does not fit: market, window, state, control, text.
void clippedCaptionsOf(const std::string& where, forms::Form& f, const qtview::FormsView& view,
                       std::vector<std::string>& clipped) {
  for (const auto& c : f.controls()) {
    QWidget* w = view.widgetOf(*c);
    if (!w || !c->visible() || c->text().empty()) continue;
    // A sliver narrower than one character shows none of its caption by design.
    if (w->width() < QFontMetrics(w->font()).averageCharWidth()) continue;
    int over = overflow(*c, w);
    if (c->kind() == ControlKind::Label) over = std::max(over, collision(*c, w, view));
    if (over > 0)
      clipped.push_back(where + " " + f.name() + "." + c->name() +
                        (c->index() >= 0 ? "(" + std::to_string(c->index()) + ")" : "") + " \"" +
                        c->text() + "\" is " + std::to_string(over) + " px too long");
  }
}

std::vector<std::string> clippedCaptions(const std::string& market, forms::Application& app,
                                         const qtview::FormsView& view) {
  std::vector<std::string> clipped;
  for (forms::Form* f : app.loadedForms()) clippedCaptionsOf(market, *f, view, clipped);
  return clipped;
}

// A switch a user meets in a window, as its settings: an option to click, a check box to set
// to `value`, or a layer count to type into its box.
struct Setting {
  const char* name;
  const char* control;
  int index;
  int value;
};
using Switch = std::vector<Setting>;
// clang-format off
const Switch kGeometry = {{"pipe", "ROR", -1, 1}, {"plane", "PLAN", -1, 1}};
const Switch kLocation = {{"indoors", "INDE", -1, 1}, {"outdoors", "UDE", -1, 1}};
const Switch kSite = {{"indoors", "optInSite", 0, 1}, {"outdoors", "optInSite", 1, 1}};
const Switch kSavings = {{"savings off", "cbxSave", -1, 0}, {"savings on", "cbxSave", -1, 1}};
const Switch kRequirement = {{"running time", "Drift", -1, 1}, {"class", "Klassean", -1, 1}};
const Switch kDuctType = {{"thickness", "optCalcType", 0, 1},
    {"start temperature", "optCalcType", 1, 1}, {"end temperature", "optCalcType", 2, 1}};
const Switch kLayers = {{"2 layers", "AntalLag", -1, 2}, {"3 layers", "AntalLag", -1, 3},
    {"4 layers", "AntalLag", -1, 4}, {"5 layers", "AntalLag", -1, 5},
    {"6 layers", "AntalLag", -1, 6}};

// Each calculation window with the switches whose every combination a user can reach.
const struct {
  const char* window;
  std::vector<const Switch*> switches;
} kWindowStates[] = {
    {"frmCalc01", {&kGeometry, &kSite, &kSavings}}, {"frmCalc02", {&kGeometry, &kLocation}},
    {"frmCalc03", {&kGeometry, &kLocation}},
    {"frmCalc04", {&kGeometry, &kLocation, &kRequirement}},
    {"frmCalc05", {&kGeometry, &kLocation}}, {"frmCalc06", {&kGeometry, &kLocation}},
    {"frmCalc07", {&kLocation, &kDuctType}}, {"frmCalc21", {&kGeometry, &kLocation, &kLayers}},
    {"frmCalc22", {&kGeometry, &kLocation, &kLayers}},
    {"frmCalc23", {&kGeometry, &kLocation, &kLayers}},
    {"frmCalc24", {&kGeometry, &kSite, &kSavings}},
};
// clang-format on

// Chooses a setting as a user would; false when the user cannot (or it did not take).
bool choose(forms::Form& f, const Setting& s) {
  forms::Control* c = f.findControl(s.control, s.index);
  if (!c || !c->userFocus()) return false;
  switch (c->kind()) {
    case ControlKind::OptionButton:
      c->userClick();
      return c->isSet();
    case ControlKind::CheckBox:
      if (c->value() != s.value) c->userClick();
      return c->value() == s.value;
    default: {
      c->userSelect(0, static_cast<int>(c->text().size()));
      c->userType(std::to_string(s.value));
      // Leaving the box shows the rows.
      f.control("Beregn").userFocus();
      return c->text() == std::to_string(s.value);
    }
  }
}

// Walks every combination of a window's switches (in a market where the switch is shown at
// all), measuring the window's captions after each.
void walkStates(const std::string& market, forms::Form& f,
                const std::vector<const Switch*>& switches, qtview::FormsView& view,
                std::vector<std::string>& clipped) {
  std::vector<const Switch*> shown;
  for (const Switch* s : switches) {
    forms::Control* c = f.findControl(s->front().control, s->front().index);
    if (!c) {
      clipped.push_back(market + " " + f.name() + " has no " + s->front().control);
      continue;
    }
    bool visible = c->visible();
    for (forms::Control* k = c->container(); k; k = k->container())
      visible = visible && k->visible();
    if (visible) shown.push_back(s);
  }
  std::vector<std::size_t> at(shown.size(), 0);
  for (;;) {
    std::string state;
    bool reached = true;
    for (std::size_t i = 0; i < shown.size(); ++i) {
      const Setting& s = (*shown[i])[at[i]];
      view.userEvent([&] { reached = choose(f, s) && reached; });
      state += (state.empty() ? "" : ", ") + std::string(s.name);
    }
    view.sync();
    if (!reached) clipped.push_back(market + " " + f.name() + " [" + state + "] cannot be reached");
    clippedCaptionsOf(market + " [" + state + "]", f, view, clipped);
    std::size_t i = 0;
    while (i < shown.size() && ++at[i] == shown[i]->size()) at[i++] = 0;
    if (i == shown.size()) return;
  }
}

TEST(CaptionFit, EveryCaptionFitsInEveryMarketAndEveryStateOfEveryCalculationWindow) {
  for (const std::string market : {"DK", "SE", "NO", "UK", "LT", "EE", "LV", "MRN"}) {
    MarketRun run(market);
    ASSERT_FALSE(run.app.ended()) << market;
    EXPECT_EQ(run.app.loadedForms().size(), run.app.registeredNames().size()) << market;
    std::vector<std::string> clipped = clippedCaptions(market, run.app, run.view);
    for (const auto& w : kWindowStates)
      if (run.app.isLoaded(w.window))
        walkStates(market, run.app.get(w.window), w.switches, run.view, clipped);
    for (const std::string& line : clipped) ADD_FAILURE() << line;
  }
}

// The check itself: a caption made too long is caught in its market, window and control, for
// each kind of control that has one; a caption too long only where it shows is caught in
// exactly those states, and a list's prompt that fits its field but not the room its text is
// drawn in is caught too.
TEST(CaptionFit, ACaptionMadeTooLongIsCaughtWhereItShows) {
  MarketRun run("LT");
  ASSERT_TRUE(clippedCaptions(run.market(), run.app, run.view).empty());
  const std::pair<const char*, ControlKind> cases[] = {
      {"frmCountry", ControlKind::Label}, {"frmCountry", ControlKind::CommandButton},
      {"frmCalc01", ControlKind::Frame},  {"frmCalc01", ControlKind::OptionButton},
      {"frmCalc01", ControlKind::Label},  {"frmCalc01", ControlKind::ComboBox}};
  for (const auto& [window, kind] : cases) {
    forms::Form& f = run.app.get(window);
    forms::Control* target = nullptr;
    for (const auto& c : f.controls())
      if (!target && c->kind() == kind && c->visible() && !c->caption().empty()) target = c.get();
    ASSERT_NE(target, nullptr) << window;
    const std::string before = target->caption();
    run.view.userEvent([&] {
      target->setCaption(before + ", a caption made far longer than any window has room for");
    });
    const auto clipped = clippedCaptions(run.market(), run.app, run.view);
    ASSERT_EQ(clipped.size(), 1u) << window << " " << target->name();
    EXPECT_EQ(clipped[0].rfind("LT " + f.name() + "." + target->name(), 0), 0u) << clipped[0];
    run.view.userEvent([&] { target->setCaption(before); });
  }
  forms::Form& f = run.app.get("frmCalc01");
  forms::Control& area = f.control("LblVOFT", 0);  // shown in plane geometry only
  run.view.userEvent([&] {
    area.setCaption(area.caption() + " ir dar daug ilgesnis tekstas");
    f.control("RORCOM").setText("PASIRINKITE skersm.");
  });
  std::vector<std::string> clipped;
  walkStates("LT", f, {&kGeometry, &kSite, &kSavings}, run.view, clipped);
  ASSERT_EQ(clipped.size(), 5u) << testing::PrintToString(clipped);
  EXPECT_EQ(clipped[0].rfind("LT [pipe, indoors, savings off] frmCalc01.RORCOM", 0), 0u);
  for (std::size_t i = 1; i < clipped.size(); ++i)
    EXPECT_EQ(clipped[i].rfind("LT [plane, ", 0), 0u) << clipped[i];
}

}  // namespace
