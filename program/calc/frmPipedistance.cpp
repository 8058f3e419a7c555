#include "calc/frmPipedistance.h"

#include <utility>

#include "core/Fx.h"
#include "core/TextFile.h"

namespace veltaro {

using forms::ControlKind;

frmPipedistance::frmPipedistance() : forms::Form(kName) {
  setMdiChild(true);
  setCaption("Pladsbehov");
  // The illustration of a pipe beside a wall, with the distances G and H marked.
  add(ControlKind::Image, "imgPipe").move(60, 60, 2775, 1800);
  control("imgPipe").setPicture(ProgramPath("\\Images\\pipedistance.jpg"));

  struct Row {
    int index;
    const char* caption;
    int left, top, width;
  };
  const Row labels[] = {{0, "Afstand til væg/loft", 120, 1920, 2700},
                        {1, "G =", 240, 2190, 450},
                        {3, "Afstand til midte af friafstand", 120, 2520, 2700},
                        {2, "H =", 240, 2790, 450}};
  for (const Row& r : labels) {
    forms::Control& l = add(ControlKind::Label, "LblPipeDist", r.index);
    l.move(r.left, r.top, r.width, 255);
    l.setCaption(r.caption);
  }
  forms::Control& g = add(ControlKind::TextBox, "Distwall");
  g.move(720, 2150, 1000, 285);
  g.setLocked(true);
  forms::Control& h = add(ControlKind::TextBox, "nextpipe");
  h.move(720, 2750, 1000, 285);
  h.setLocked(true);
  for (int i = 1; i <= 2; ++i) {
    forms::Control& u = add(ControlKind::Label, "lblUnit", i);
    u.move(1800, i == 1 ? 2190 : 2790, 400, 255);
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
