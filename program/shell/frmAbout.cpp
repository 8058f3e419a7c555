#include "shell/frmAbout.h"

#include "core/Fx.h"
#include "core/NumericInput.h"
#include "core/ProgramFiles.h"
#include "forms/Application.h"
#include "shell/ShellServices.h"
#include "shell/mdiVeltaro.h"

namespace veltaro {

namespace {

using forms::ControlKind;

const char* const kDisclaimer =
    "VELTARO is a planning aid for engineers, architects, contractors and other technically "
    "qualified persons. Torvelin takes no responsibility for the calculations or for the "
    "project in which they are used, and cannot be held liable for any loss arising from "
    "errors, omissions or wrong use of the program. All rights reserved by Torvelin "
    "Scandinavia. Our thanks to Inge Malmsten, consulting engineer, for her advice on the "
    "heat-transfer methods. The program and the software it is built on are protected by "
    "law.";

forms::Control& label(forms::Form& f, const char* name, int index, int left, int top, int width,
                      int height, const char* text) {
  auto& l = f.add(ControlKind::Label, name, index);
  l.move(left, top, width, height);
  l.setCaption(text);
  return l;
}

}  // namespace

frmAbout::frmAbout() : forms::Form(kName) {
  setMdiChild(true);
  setResizable(false);
  setCaption("Om VELTARO");
  move(2340, 1500, 8015, 7515);

  auto& logo = add(ControlKind::PictureBox, "Picture1");
  logo.move(615, 0, 2895, 2175);
  logo.setPicture(ExistingProgramFile("\\Images\\about_Picture1.jpg"));
  label(*this, "lbltitle", -1, 4215, 240, 975, 240, "VELTARO").setFontBold(true);
  label(*this, "lblVersion", -1, 4215, 600, 2445, 225, "Version").setFontBold(true);
  label(*this, "lblDescription", -1, 4215, 1080, 1845, 1170,
        "VELTARO\nMS Windows 98SE\nMS Windows NT 4.0 sp 6\nMS Windows 2000 sp 4\n"
        "MS Windows XP sp 2");
  auto& rule = add(ControlKind::Line, "Line1");
  rule.x1 = 120, rule.y1 = 2280, rule.x2 = 7470, rule.y2 = 2280;
  auto& icon = add(ControlKind::PictureBox, "picIcon");
  icon.move(128, 2400, 1710, 375);
  icon.setPicture(ExistingProgramFile("\\Images\\about_picIcon.jpg"));
  label(*this, "lblDisclaimer", -1, 120, 2900, 7750, 1890, kDisclaimer);

  auto& link = add(ControlKind::PictureBox, "Picture2");
  link.move(600, 4830, 2895, 850);
  link.setPicture(ExistingProgramFile("\\Images\\about_Picture2.jpg"));
  link.setMousePointer(forms::kPointerCustom);
  link.onClick = [this] { Label4_Click(); };

  auto& ok = add(ControlKind::CommandButton, "cmdOK");
  ok.setCaption("OK");
  ok.move(4440, 5520, 1260, 345);
  ok.onClick = [this] { cmdOK_Click(); };
  auto& sys = add(ControlKind::CommandButton, "cmdSysInfo");
  sys.setCaption("&System Info...");
  sys.move(6120, 5520, 1245, 345);
  sys.onClick = [this] { cmdSysInfo_Click(); };

  label(*this, "Label1", 0, 1560, 5655, 2700, 195, "Kildevej 14");
  label(*this, "Label1", 1, 1560, 5850, 2700, 195, "8600 Eskebjerg");
  label(*this, "Label5", -1, 1560, 6060, 2700, 195, "Denmark");
  label(*this, "Label2", -1, 1560, 6255, 2700, 195, "Tel. +45 70 10 20 30");
  label(*this, "Label3", -1, 1560, 6465, 2700, 195, "veltaro@torvelin.example.com");
  auto& web = label(*this, "Label4", -1, 1560, 6660, 3000, 195, "https://www.torvelin.example.com");
  web.setMousePointer(forms::kPointerCustom);
  web.onClick = [this] { Label4_Click(); };
}

void frmAbout::Form_Load() {
  auto& f = fx();
  mdiVeltaro& frame = forms::app().get<mdiVeltaro>();
  setCaption(RemoveChar(frame.menu("menuAboutProgram").caption(), "&"));
  // A minimised frame leaves the design's Left.
  if (frame.windowState() == forms::kStateNormal) setLeft(2740);
  if (frame.windowState() == forms::kStateMaximized) setLeft(2860);
  setHeight(7515);
  setWidth(8015);
  setTop(0);
  control("lblVersion")
      .setCaption("Version " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) +
                  "." + std::to_string(kVersionRevision));
  const std::string& code = f.CountryCode;
  if (code == "LT" || code == "LV" || code == "EE") {
    auto& d = control("lblDisclaimer");
    d.setCaption(f.TextTable[196]);
    d.setFontName("MS Sans Serif");
    d.setFontSize(8);
  } else if (code == "MRN") {
    std::string icon = ExistingProgramFile("\\Images\\Icons\\veltaro32_32_marine.ico");
    if (!icon.empty()) setIcon(icon);
  }
}

void frmAbout::cmdOK_Click() {
  unload();
}

void frmAbout::Label4_Click() {
  ShellOpen(TrimSpaces(control("Label4").caption()));
}

void frmAbout::StartSysInfo() {
  std::string path;
  bool found =
      GetKeyValue(kHKeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path);
  if (!found && GetKeyValue(kHKeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location",
                            "MSINFO", path)) {
    path += "\\MSINFO32.EXE";
    found = FileExists(path);
  }
  if (found && forms::app().platform().startProgram(path, {}, {})) return;
  forms::app().platform().msgBox("System Information Is Unavailable At This Time",
                                 forms::mb::OkOnly, kProgramTitle);
}

bool frmAbout::GetKeyValue(long, const std::string&, const std::string&, std::string& KeyVal) {
  // This system keeps no registry of shared tools: every key is absent.
  KeyVal.clear();
  return false;
}

}  // namespace veltaro
