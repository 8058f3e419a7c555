#include "cases/frmCase.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "core/Fx.h"
#include "core/NumericInput.h"
#include "forms/Application.h"

namespace veltaro::cases {

using forms::ControlKind;

namespace {

constexpr int kHeight = 2400, kWidth = 9930;

forms::Form* mainWindow() {
  return forms::app().find("mdiVeltaro");
}

// Characters, not bytes: a name typed in any language stops at the header's width.
std::size_t characters(const std::string& s) {
  std::size_t n = 0;
  for (unsigned char c : s) n += (c & 0xC0) != 0x80;
  return n;
}

void limitLength(forms::Control& box, std::size_t limit) {
  box.onKeyPress = [&box, limit](int& key) {
    if (key >= 32 && box.selLength() == 0 && characters(box.text()) >= limit) key = 0;
  };
  box.onChange = [&box, limit] {
    const std::string& t = box.text();
    if (characters(t) <= limit) return;
    std::size_t i = 0;
    for (std::size_t n = 0; i < t.size() && n < limit; ++n) {
      ++i;
      while (i < t.size() && (static_cast<unsigned char>(t[i]) & 0xC0) == 0x80) ++i;
    }
    box.setTextSilently(t.substr(0, i));
  };
}

}  // namespace

frmCase::frmCase() : forms::Form(kName) {
  // A child of the main window, centred in it by Form_Load; a fixed border.
  setMdiChild(true);
  move(0, 0, kWidth, kHeight);
  setResizable(false);
  const int top[] = {240, 660, 1080};
  for (int i = 0; i < 3; ++i) add(ControlKind::Label, "lblField", i).move(240, top[i], 1800, 255);
  auto& initials = add(ControlKind::TextBox, "txtFileCase", 0);
  initials.move(2160, 200, 900, 315);
  limitLength(initials, kInitialsLength);
  auto& name = add(ControlKind::TextBox, "txtFileCase", 1);
  name.move(2160, 620, 7400, 315);
  limitLength(name, kCaseNameLength);
  add(ControlKind::Label, "lblDate").move(2160, 1080, 3000, 255);
  auto& ok = add(ControlKind::CommandButton, "cmdOK");
  ok.move(6360, 1440, 1500, 375);
  ok.onClick = [this] { cmdOK_Click(); };
  auto& cancel = add(ControlKind::CommandButton, "cmdCancel");
  cancel.move(8040, 1440, 1500, 375);
  cancel.onClick = [this] { cmdCancel_Click(); };
  int tab = 0;
  for (auto* c : {&initials, &name, &ok, &cancel}) c->setTabIndex(tab++);
}

void frmCase::Form_Load() {
  const FX& s = fx();
  forms::Form* main = mainWindow();
  setHeight(kHeight);
  setWidth(kWidth);
  if (main) {
    setTop(std::abs(main->height() - (kHeight + 500)) / 2);
    setLeft(std::abs(main->width() - kWidth) / 2);
    if (forms::Control* cmd = main->findControl("cmdCase"))
      setCaption(RemoveChar(cmd->caption(), "&"));
  }
  control("cmdOK").setCaption(s.TextTable[194]);
  control("cmdCancel").setCaption(s.TextTable[80]);
  for (int i = 0; i < 3; ++i) control("lblField", i).setCaption(s.TextTable[81 + i]);
  for (auto& c : controls()) {
    c->setFontName("MS Sans Serif");
    c->setFontSize(8);
  }
  for (int i = 0; i < 2; ++i) {
    forms::Control* field = main ? main->findControl("txtCase", i) : nullptr;
    control("txtFileCase", i).setText(field ? TextAfterColon(field->text()) : "");
  }
  control("lblDate").setCaption(DateTimeStamp());
}

std::string frmCase::DateTimeStamp() {
  const std::time_t t = std::chrono::system_clock::to_time_t(forms::app().platform().now());
  std::tm local{};
  localtime_r(&t, &local);
  char text[80];
  std::snprintf(text, sizeof text, "%d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  return text;
}

void frmCase::cmdOK_Click() {
  const FX& s = fx();
  if (forms::Form* main = mainWindow()) {
    const std::string values[3] = {control("txtFileCase", 0).text(),
                                   control("txtFileCase", 1).text(),
                                   control("lblDate").caption().substr(0, 10)};
    for (int i = 0; i < 3; ++i)
      if (forms::Control* field = main->findControl("txtCase", i))
        field->setText(s.TextTable[81 + i] + "  " + values[i]);
  }
  unload();
}

void frmCase::cmdCancel_Click() {
  unload();
}

}  // namespace veltaro::cases
