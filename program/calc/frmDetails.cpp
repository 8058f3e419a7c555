#include "calc/frmDetails.h"

#include "calc/CalcWindow.h"
#include "core/Fx.h"
#include "core/Numbers.h"
#include "forms/Application.h"

namespace veltaro {

using forms::ControlKind;

namespace {
constexpr const char* kFontName = "MS Sans Serif";

void captionWithFont(forms::Control& c, const std::string& text) {
  c.setCaption(text);
  c.setFontName(kFontName);
  c.setFontSize(8);
}
}  // namespace

frmDetails::frmDetails() : forms::Form(kName) {
  setMdiChild(true);
  setCaption("Detaljer");
  move(10, 10, 5400, 3690);

  // Title, then a grid of description, value and unit columns.
  add(ControlKind::Label, "lblHeader").move(120, 120, 5000, 255);
  const char* descriptions[] = {"Beskrivelse", "h", "hr", "hcv", "Q", "TO", "Laminar / Turbulent"};
  for (int i = 0; i <= 6; ++i)
    add(ControlKind::Label, "lblDetails", i).move(120, 480 + i * 300, 2000, 255);
  for (int i = 0; i <= 6; ++i) control("lblDetails", i).setCaption(descriptions[i]);
  control("lblDetails", 0).setFontBold(true);

  add(ControlKind::Label, "lblDetails", 7).move(2200, 480, 1300, 255);
  control("lblDetails", 7).setCaption("Værdier");
  control("lblDetails", 7).setFontBold(true);
  const char* values[] = {"lh", "hr", "hcv", "Q", "T0"};
  for (int i = 0; i < 5; ++i) {
    forms::Control& v = add(ControlKind::Label, values[i]);
    v.move(2200, 780 + i * 300, 1300, 255);
    v.setCaption("0");
  }
  add(ControlKind::Label, "LT").move(2200, 2280, 3000, 255);

  add(ControlKind::Label, "lblDetails", 13).move(3600, 480, 1400, 255);
  control("lblDetails", 13).setCaption("Enheder");
  control("lblDetails", 13).setFontBold(true);
  const char* units[] = {"W/m²· K", "W/m²· K", "W/m²· K", "W/m", "°C"};
  for (int i = 0; i < 5; ++i) {
    forms::Control& u = add(ControlKind::Label, "lblDetails", 8 + i);
    u.move(3600, 780 + i * 300, 1400, 255);
    u.setCaption(units[i]);
  }

  forms::Control& quit = add(ControlKind::CommandButton, "cmdQuit");
  quit.move(3900, 2760, 1215, 375);
  quit.setCaption("&Luk");
  quit.onClick = [this] { cmdQuit_Click(); };
}

void frmDetails::Form_Activate() {
  const FX& s = fx();
  std::string unit = "W/m²";
  setLeft(10);
  setTop(10);
  setCaption(s.TextTable[195]);
  setFontName(kFontName);
  setFontSize(8);
  captionWithFont(control("lblDetails", 0), s.TextTable[76]);
  captionWithFont(control("lblDetails", 6), s.TextTable[77]);
  captionWithFont(control("lblDetails", 7), s.TextTable[78]);
  captionWithFont(control("lblDetails", 13), s.TextTable[79]);
  captionWithFont(control("cmdQuit"), s.TextTable[80]);

  // The heat flow of a pipe is per metre: ask the active calculation window for its geometry.
  // Asking loads a window that has been closed, as a reference to its controls does.
  int n = s.ActiveCalcNumber;
  bool known = (n >= 1 && n <= 7) || (n >= 21 && n <= 24);
  if (known) {
    std::string name = calcFormName(n);
    if (app().isRegistered(name)) {
      forms::Control* ror = app().get(name).findControl("ROR");
      if (ror && ror->isSet()) unit = "W/m";
    }
  }
  control("lblDetails", 11).setCaption(unit);
}

void frmDetails::cmdQuit_Click() {
  unload();
}

void FillDetails(double h, double hr, double hcv, double q, double t0,
                 const std::string& flowRegime, const std::string& header) {
  frmDetails& w = forms::app().get<frmDetails>();
  w.control("lblHeader").setCaption(header);
  w.control("lh").setCaption(LocaleText(RoundHalfEven(h, 2)));
  w.control("hr").setCaption(LocaleText(RoundHalfEven(hr, 3)));
  w.control("hcv").setCaption(LocaleText(RoundHalfEven(hcv, 2)));
  w.control("Q").setCaption(LocaleText(RoundHalfEven(q, 1)));
  w.control("T0").setCaption(LocaleText(RoundHalfEven(t0, 0)));
  w.control("LT").setCaption(flowRegime);
  w.hide();
}

void ClearDetails() {
  FX& s = fx();
  s.SurfaceTemperature = 0;
  s.ConvectiveCoefficient = 0;
  s.RadiativeCoefficient = 0;
  s.HeatFlow = 0;
  s.SurfaceCoefficient = 0;
  s.FlowRegimeText.clear();
  frmDetails& w = forms::app().get<frmDetails>();
  w.hide();
  w.control("lblHeader").setCaption("");
  for (const char* name : {"lh", "hr", "hcv", "Q", "T0"}) w.control(name).setCaption("0");
  w.control("LT").setCaption(" ");
  w.hide();
}

}  // namespace veltaro
