#include "shell/frmAdresses.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/Fx.h"
#include "core/LanguageTexts.h"
#include "core/NumericInput.h"
#include "core/ProgramFiles.h"
#include "forms/Application.h"
#include "shell/ShellServices.h"
#include "shell/mdiVeltaro.h"

namespace veltaro {

namespace {

using forms::ControlKind;

// The value labels of a panel, in the order of the lines of an address block, and their
// offsets below the panel's company label.
const char* const kValues[] = {"Selskab", "Depart", "adresse1", "adresse2", "adresse3",
                               "Land",    "Tlf",    "fax",      "email",    "website"};
const int kValueTop[] = {0, 225, 420, 615, 810, 1020, 1215, 1410, 1605, 1800};
// The captions of telephone, fax, e-mail and web address (text-table lines 190-193), in the
// rows of Tlf, fax, email and website; the value sits right of its caption.
const char* const kCaptions[] = {"Tlflabel", "Faxlabel", "emaillabel", "weblabel"};
const int kValueIndent[] = {480, 480, 810, 810};

struct Origin {
  int left, top;
};
const Origin kPanelOrigin[frmAdresses::kPanels] = {{165, 600},   {165, 2820},  {3105, 2820},
                                                   {6195, 2820}, {9285, 2820}, {165, 5025},
                                                   {3105, 5025}, {6195, 5040}};
constexpr int kPanelWidth = 3060;  // up to the next panel

}  // namespace

frmAdresses::frmAdresses() : forms::Form(kName) {
  setMdiChild(true);
  setCaption("Adresser");
  setBackColor(0xFFFFFF);  // the panels are laid out on a white window
  for (int i = 0; i < kPanels; ++i) {
    const Origin o = kPanelOrigin[i];
    for (int k = 0; k < 10; ++k) {
      auto& l = add(ControlKind::Label, kValues[k], i);
      int indent = k >= 6 ? kValueIndent[k - 6] : 0;
      l.move(o.left + indent, o.top + kValueTop[k], kPanelWidth - indent, 195);
      l.setVisible(i == 0);
      if (k == 0) {
        l.setFontBold(true);
        l.setForeColor(0xFF0000);
      }
    }
    for (int k = 0; k < 4; ++k) {
      auto& l = add(ControlKind::Label, kCaptions[k], i);
      l.move(o.left, o.top + kValueTop[6 + k], kValueIndent[k], 195);
      l.setVisible(i == 0);
    }
    auto& web = control("website", i);
    web.onClick = [this, i] { website_Click(i); };
    web.onMouseMove = [this, i](int, int, double, double) { website_MouseMove(i); };
  }
  auto& strip = add(ControlKind::Image, "Image1");
  strip.move(165, 0, 3810, 555);
  strip.setPicture(ExistingProgramFile("\\Images\\adresses_Image1.jpg"));
  auto& square = add(ControlKind::Image, "Image2");
  square.move(6240, 15, 2625, 2625);
  square.setPicture(ExistingProgramFile("\\Images\\adresses_Image2.jpg"));
  auto& ok = add(ControlKind::CommandButton, "cmdOK");
  ok.setCaption("&Luk");
  ok.move(10560, 6840, 1215, 375);
  ok.onClick = [this] { cmdOK_Click(); };
}

void frmAdresses::Form_Load() {
  auto& f = fx();
  mdiVeltaro& frame = forms::app().get<mdiVeltaro>();
  setCaption(RemoveChar(frame.menu("menuAdr").caption(), "&"));
  setHeight(7800);
  setWidth(12300);
  setTop(50);
  setLeft(static_cast<int>(std::fabs(static_cast<float>(frame.width() - width() - 300))));
  control("cmdOK").setCaption(f.TextTable[80]);

  auto fillPanel = [&](int panel, int blockFirst, int fields) {
    for (int k = 0; k < fields; ++k)
      control(kValues[k], panel).setCaption(f.AddressLines[blockFirst + k]);
    for (int k = 0; k < 4; ++k) control(kCaptions[k], panel).setCaption(f.TextTable[190 + k]);
  };

  // Panel 0: the marine edition shows its own block with e-mail and web address; every other
  // market the head office (block 1) with telephone and fax only.
  if (f.CountryCode == "MRN") {
    fillPanel(0, 16, 10);
  } else {
    fillPanel(0, 1, 8);
    for (const char* name : {"emaillabel", "weblabel", "email", "website"})
      control(name, 0).setVisible(false);
  }
  // The market's contact block into the text table, where the reports' contact block and
  // the main window's link bands read it.
  CopyContactBlock();

  // Panels 1-7 show blocks 3-9; a longer file has no more panels to show them in.
  int last = std::min<int>(f.AddressCount - 2, kPanels - 1);
  for (int i = last; i >= 1; --i) {
    fillPanel(i, 15 * (i + 1) + 1, 10);
    for (const char* name : kValues) control(name, i).setVisible(true);
    for (const char* name : kCaptions) control(name, i).setVisible(true);
  }
}

void frmAdresses::cmdOK_Click() {
  unload();
}

void frmAdresses::website_Click(int index) {
  ShellOpen(TrimSpaces(control("website", index).caption()));
}

void frmAdresses::website_MouseMove(int index) {
  control("website", index).setMousePointer(forms::kPointerCustom);
}

}  // namespace veltaro
