#include "calc/frmErrorInfo.h"

#include "core/Fx.h"

namespace veltaro {

using forms::ControlKind;

frmErrorInfo::frmErrorInfo() : forms::Form(kName) {
  // A top-level window: loading it does not show it.
  setCaption("  Indtastning(er) mangler !");
  move(0, 0, 8400, 4500);
  forms::Control& list = add(ControlKind::TextBox, "txtError");
  list.setMultiLine(true);
  list.setLocked(true);
  list.move(120, 120, 8040, 3240);
  forms::Control& ok = add(ControlKind::CommandButton, "cmdOK");
  ok.setCaption("&Luk");
  ok.move(6840, 3480, 1320, 375);
  ok.onClick = [this] { unload(); };
}

void frmErrorInfo::Form_Load() {
  const FX& s = fx();
  forms::Control& list = control("txtError");
  list.setToolTip(s.TextTable[162] + " " + s.TextTable[163]);
  list.setFontName("MS Sans Serif");
  list.setFontSize(8);
  setCaption(s.TextTable[161]);
  setFontName("MS Sans Serif");
  setFontSize(8);
  forms::Control& ok = control("cmdOK");
  ok.setCaption(s.TextTable[80]);
  ok.setFontName("MS Sans Serif");
  ok.setFontSize(8);
}

}  // namespace veltaro
