#include "core/frmPipedistance.h"

#include <utility>

#include "core/Fx.h"

namespace veltaro {

using forms::ControlKind;

frmPipedistance::frmPipedistance() : forms::Form(kName) {
  setMdiChild(true);
  setCaption("Pladsbehov");
  // The illustration of a pipe beside a wall, with the distances G and H marked.
  add(ControlKind::Image, "imgPipe").move(120, 120, 2655, 1800);

  const char* captions[] = {"Afstand til væg/loft", "G =", "H =", "Afstand til midte af friafstand"};
  const int tops[] = {2040, 2340, 2940, 2640};
  const int lefts[] = {120, 240, 240, 120};
  for (int i = 0; i < 4; ++i) {
    forms::Control& l = add(ControlKind::Label, "LblPipeDist", i);
    l.move(lefts[i], tops[i], i == 1 || i == 2 ? 450 : 2700, 255);
    l.setCaption(captions[i]);
  }
  forms::Control& g = add(ControlKind::TextBox, "Distwall");
  g.move(720, 2300, 1000, 315);
  g.setLocked(true);
  forms::Control& h = add(ControlKind::TextBox, "nextpipe");
  h.move(720, 2900, 1000, 315);
  h.setLocked(true);
  for (int i = 1; i <= 2; ++i) {
    forms::Control& u = add(ControlKind::Label, "lblUnit", i);
    u.move(1800, i == 1 ? 2340 : 2940, 400, 255);
    u.setCaption("mm");
  }
  // Takes the focus after the distances are written, so that no visible box shows a caret.
  add(ControlKind::TextBox, "txtDummy").move(-500, 0, 100, 315);
}

void frmPipedistance::Form_Load() {
  const FX& s = fx();
  setTop(1580);
  setHeight(3840);
  setWidth(3015);
  setLeft(20);
  setCaption(s.TextTable[182]);
  setFontName("MS Sans Serif");
  setFontSize(8);
  for (auto [index, line] : {std::pair{0, 183}, std::pair{3, 184}}) {
    forms::Control& l = control("LblPipeDist", index);
    l.setCaption(s.TextTable[line]);
    l.setFontName("MS Sans Serif");
    l.setFontSize(8);
  }
}

}  // namespace veltaro
