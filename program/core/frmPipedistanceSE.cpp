#include "core/frmPipedistanceSE.h"

#include <utility>

#include "core/Fx.h"

namespace veltaro {

using forms::ControlKind;

frmPipedistanceSE::frmPipedistanceSE() : forms::Form(kName) {
  setMdiChild(true);
  setCaption("Utrymme");
  // The illustration: a pipe between wall and ceiling with the distances F, G, H, a and b.
  add(ControlKind::Image, "imgPipe").move(120, 120, 2655, 1800);

  struct Row {
    int index;
    const char* caption;
    int left, top, width;
  };
  const Row labels[] = {
      {0, "Afstand til loft", 120, 2640, 2700},
      {1, "G =", 240, 2940, 450},
      {2, "H =", 240, 3540, 450},
      {3, "Afstand til midte af friafstand", 120, 3240, 2700},
      {4, "Afstand til væg", 120, 2040, 2700},
      {5, "F =", 240, 2340, 450},
      {6, "a =", 240, 3960, 450},
      {7, "b =", 240, 4380, 450},
  };
  for (const Row& r : labels) {
    forms::Control& l = add(ControlKind::Label, "LblPipeDist", r.index);
    l.move(r.left, r.top, r.width, 255);
    l.setCaption(r.caption);
  }
  auto box = [this](const char* name, int index, int top) {
    forms::Control& b = add(ControlKind::TextBox, name, index);
    b.move(720, top, 1000, 315);
    b.setLocked(true);
  };
  box("DistwallSE", -1, 2300);
  box("DistroofSE", -1, 2900);
  box("nextpipeSE", -1, 3500);
  box("AMA", 0, 3920);
  box("AMA", 1, 4340);
  const int unitTops[] = {2340, 2940, 3540, 3960, 4380};
  for (int i = 0; i <= 4; ++i) {
    forms::Control& u = add(ControlKind::Label, "lblUnit", i);
    u.move(1800, unitTops[i], 400, 255);
    u.setCaption("mm");
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
