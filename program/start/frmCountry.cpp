#include "start/frmCountry.h"

#include <fstream>

#include "core/Fx.h"
#include "core/ProgramFiles.h"
#include "forms/Application.h"

namespace veltaro {

using forms::ControlKind;

frmCountry::frmCountry() : forms::Form(kName) {
  setCaption("VELTARO");
  setResizable(false);
  move(4200, 1200, 3300, 9000);
  auto& label = add(ControlKind::Label, "lblCountry");
  label.setCaption("Select Language :");
  label.move(240, 180, 3600, 255);
  for (int i = 0; i < kOptions; ++i) {
    const int top = 600 + i * 1020;
    auto& opt = add(ControlKind::OptionButton, "optCountry", i);
    opt.move(360, top + 330, 300, 255);
    opt.onDblClick = [this, i] { optCountry_DblClick(i); };
    auto& flag = add(ControlKind::Image, "imgFlag", i);
    flag.move(900, top, 1080, 930);  // the flag with its language name
    flag.setPicture(
        ExistingProgramFile(std::string("\\Images\\Flags\\flag_") + kCodes[i] + ".jpg"));
    flag.onDblClick = [this, i] { imgFlag_DblClick(i); };
  }
  control("optCountry", 3).setValueSilently(1);  // Danish
  auto& ok = add(ControlKind::CommandButton, "cmdOk");
  ok.setCaption("&Ok");
  ok.move(900, 7860, 1215, 375);
  ok.onClick = [this] { cmdOk_Click(); };
}

void frmCountry::cmdOk_Click() {
  std::string code = "DK";
  for (int i = 0; i < kOptions; ++i)
    if (control("optCountry", i).isSet()) {
      code = kCodes[i];
      break;
    }
  fx().CountryCode = code;
  std::ofstream out(SettingsFilePath(), std::ios::binary | std::ios::trunc);
  out << code << "\r\n";
  unload();
}

void frmCountry::imgFlag_DblClick(int index) {
  control("optCountry", index).setValue(1);
  cmdOk_Click();
}

void frmCountry::optCountry_DblClick(int) {
  cmdOk_Click();
}

}  // namespace veltaro
