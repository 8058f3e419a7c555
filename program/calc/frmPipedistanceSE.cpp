#include "calc/frmPipedistanceSE.h"

#include <utility>

#include "core/Fx.h"
#include "core/TextFile.h"

namespace veltaro {

using forms::ControlKind;

frmPipedistanceSE::frmPipedistanceSE() : forms::Form(kName) {
  setMdiChild(true);
  setCaption("Utrymme");
  // The illustration: a pipe between wall and ceiling with the distances F, G, H, a and b.
  add(ControlKind::Image, "imgPipe").move(60, 60, 2775, 2550);
  control("imgPipe").setPicture(ProgramPath("\\Images\\pipedistanceSE.jpg"));

  struct Row {
    int index;
    const char* caption;
    int left, top, width;
  };
  const Row labels[] = {
      {4, "Afstand til væg", 120, 2640, 2700},
      {5, "F =", 240, 2920, 450},
      {0, "Afstand til loft", 120, 3220, 2700},
      {1, "G =", 240, 3500, 450},
      {3, "Afstand til midte af friafstand", 120, 3800, 2700},
      {2, "H =", 240, 4080, 450},
      {6, "a =", 240, 4440, 450},
      {7, "b =", 1440, 4440, 450},
  };
  for (const Row& r : labels) {
    forms::Control& l = add(ControlKind::Label, "LblPipeDist", r.index);
    l.move(r.left, r.top, r.width, 255);
    l.setCaption(r.caption);
  }
  auto box = [this](const char* name, int index, int left, int top, int width) {
    forms::Control& b = add(ControlKind::TextBox, name, index);
    b.move(left, top, width, 285);
    b.setLocked(true);
  };
  box("DistwallSE", -1, 720, 2880, 1000);
  box("DistroofSE", -1, 720, 3460, 1000);
  box("nextpipeSE", -1, 720, 4040, 1000);
  box("AMA", 0, 600, 4400, 500);
  box("AMA", 1, 1800, 4400, 500);
  struct Unit {
    int index, left, top;
  };
  for (const Unit& u : {Unit{0, 1800, 2920}, Unit{1, 1800, 3500}, Unit{2, 1800, 4080},
                        Unit{3, 1140, 4440}, Unit{4, 2340, 4440}}) {
    forms::Control& l = add(ControlKind::Label, "lblUnit", u.index);
    l.move(u.left, u.top, 400, 255);
    l.setCaption("mm");
  }
  add(ControlKind::TextBox, "txtDummy").move(-500, 0, 100, 315);
}

void frmPipedistanceSE::Form_Load() {
  const FX& s = fx();
  setTop(1580);
  setHeight(5250);
  setWidth(3015);
  setLeft(20);
  setCaption(s.TextTable[182]);
  setFontName("MS Sans Serif");
  setFontSize(8);
  for (auto [index, line] : {std::pair{0, 218}, std::pair{4, 183}, std::pair{3, 184}}) {
    forms::Control& l = control("LblPipeDist", index);
    l.setCaption(s.TextTable[line]);
    l.setFontName("MS Sans Serif");
    l.setFontSize(8);
  }
}

}  // namespace veltaro
