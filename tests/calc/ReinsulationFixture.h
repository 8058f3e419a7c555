#pragma once
// The re-insulation window on the calculation fixture: six energy units and a seventh without a
// factor, and the inputs of both layers.

#include <string>
#include <vector>

#include "CalcFixture.h"

namespace calctest {

class ReinsulationTest : public CalcTest {
 protected:
  ReinsulationTest() {
    writeLines("Text/energy.DK",
               {"kWh", "MWh", "l olie", "Gcal", "m³ gas", "kg olie", "Damp", "Vælg enhed"});
  }

  struct Inputs24 {
    std::string diameter = "114.3", height;  // a plane when the height is set
    bool outdoors = false, vertical = false;
    std::string medium = "150";
    std::string product[2] = {kPipeProduct, kConstantProduct};
    std::string thickness[2] = {"50", "30"};
    std::string emission[2] = {"0.9 Maling", "0.9 Maling"};
  };

  forms::Form& open24() {
    if (forms::Form* w = app.find("frmCalc24")) w->unload();
    return open("frmCalc24");
  }
  // A mouse click: the focus moves to the control, then the click.
  static void click(forms::Control& c) {
    c.userFocus();
    c.userClick();
  }
  static void calculate(forms::Form& w) { click(w.control("Beregn")); }

  forms::Form& entered(const Inputs24& in) {
    forms::Form& w = open24();
    if (in.height.empty()) {
      choose(w.control("RORCOM"), in.diameter);
    } else {
      click(w.control("PLAN"));
      type(w.control("PLANH"), in.height);
    }
    if (in.outdoors) {
      click(w.control("optInSite", 1));
      type(w.control("VINDHASTIGHED"), "5");
    }
    if (in.vertical) click(w.control("LOD"));
    type(w.control("MEDIETEMP"), in.medium);
    type(w.control("Omgivende"), "20");
    for (int i : {0, 1}) {
      choose(w.control("PRODUKT", i), in.product[i]);
      type(w.control("ISOLERINGST", i), in.thickness[i]);
      choose(w.control("Emission", i), in.emission[i]);
    }
    return w;
  }
  void savings(forms::Form& w, const char* length, const char* unit, const char* price) {
    click(w.control("cbxSave"));
    type(w.control("RORL"), length);
    choose(w.control("Energienh"), unit);
    type(w.control("Pris"), price);
  }

  // The lines of the error list, header and closing line included; none when it is not shown.
  std::vector<std::string> errorList() {
    std::vector<std::string> lines;
    forms::Form* errors = app.find("frmErrorInfo");
    if (!errors || !errors->visible()) return lines;
    const std::string list = errors->control("txtError").text() + "\r\n";
    for (size_t at = 0, end; (end = list.find("\r\n", at)) != std::string::npos; at = end + 2)
      lines.push_back(list.substr(at, end - at));
    return lines;
  }
};

}  // namespace calctest
