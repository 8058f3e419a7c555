#include "core/frmStart.h"

#include "core/Fx.h"
#include "core/Startup.h"

namespace veltaro {

using forms::ControlKind;

frmStart::frmStart() : forms::Form(kName) {
  setControlBox(false);
  setResizable(false);
  move(3000, 2400, 7230, 4665);
  add(ControlKind::PictureBox, "picLogo").move(0, 0, 7200, 4050);
  auto& bar = add(ControlKind::ProgressBar, "prbStartup");
  bar.setText(" Wait for startup the program ! ");
  bar.setRange(0, kInitialMaximum);
  bar.move(0, 4050, 7200, 300);
}

void frmStart::Form_Load() {
  const char* picture = fx().CountryCode == "SE" ? "\\Images\\VELTAROOPSTART_SE.jpg"
                                                 : "\\Images\\VELTAROOPSTART_DK.jpg";
  control("picLogo").setPicture(ExistingProgramFile(picture));
}

}  // namespace veltaro
