#include "start/frmStart.h"

#include "core/Fx.h"
#include "core/ProgramFiles.h"

namespace veltaro {

using forms::ControlKind;

frmStart::frmStart() : forms::Form(kName) {
  setControlBox(false);
  setResizable(false);
  move(3000, 2400, 7320, 5250);  // a client area of 480 x 322 pixels
  add(ControlKind::PictureBox, "picLogo").move(0, 0, 7200, 4500);
  auto& bar = add(ControlKind::ProgressBar, "prbStartup");
  bar.setText(" Wait for startup the program ! ");
  bar.setRange(0, kInitialMaximum);
  bar.move(0, 4500, 7200, 330);
}

void frmStart::Form_Load() {
  const char* picture = fx().CountryCode == "SE" ? "\\Images\\VELTAROOPSTART_SE.jpg"
                                                 : "\\Images\\VELTAROOPSTART_DK.jpg";
  control("picLogo").setPicture(ExistingProgramFile(picture));
}

}  // namespace veltaro
