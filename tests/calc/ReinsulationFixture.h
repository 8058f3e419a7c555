#pragma once
// The re-insulation window on the calculation fixture: six energy units and a seventh without
// a factor, inputs for both layers, and readers of the input-error list.

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
    std::string diameter = "114.3";
    std::string height;  // a plane when set
    bool outdoors = false;
    bool vertical = false;
    std::string wind = "5";
    std::string medium = "150";
    std::string ambient = "20";
    std::string product[2] = {kPipeProduct, kConstantProduct};
    std::string thickness[2] = {"50", "30"};
    std::string emission[2] = {"0.9 Maling", "0.9 Maling"};
  };

  forms::Form& open24() { return open("frmCalc24"); }
  forms::Form& reopen24() {
    if (forms::Form* w = app.find("frmCalc24")) w->unload();
    return open24();
  }

  void enter24(forms::Form& w, const Inputs24& in) {
    if (!in.height.empty()) {
      click(w.control("PLAN"));
      type(w.control("PLANH"), in.height);
    } else {
      choose(w.control("RORCOM"), in.diameter);
    }
    if (in.outdoors) {
      click(w.control("optInSite", 1));
      type(w.control("VINDHASTIGHED"), in.wind);
    }
    if (in.vertical) click(w.control("LOD"));
    type(w.control("MEDIETEMP"), in.medium);
    type(w.control("Omgivende"), in.ambient);
    for (int i : {0, 1}) {
      choose(w.control("PRODUKT", i), in.product[i]);
      type(w.control("ISOLERINGST", i), in.thickness[i]);
      choose(w.control("Emission", i), in.emission[i]);
    }
  }

  // A mouse click: the control takes the focus, then the click.
  static void click(forms::Control& c) {
    c.userFocus();
    c.userClick();
  }
  static void calculate(forms::Form& w) { click(w.control("Beregn")); }

  static std::string joined(std::initializer_list<std::string> lines) {
    std::string text;
    for (const auto& l : lines) text += (&l == lines.begin() ? "" : "\r\n") + l;
    return text;
  }

  // The failure lines of the main section of the error list; none when the check passed.
  std::vector<std::string> errorLines() {
    std::vector<std::string> lines;
    forms::Form* errors = app.find("frmErrorInfo");
    if (!errors || !errors->visible()) return lines;
    const std::string list = errors->control("txtError").text();
    size_t at = list.find(std::string(88, '-') + "\r\n") + 90;
    for (size_t end; (end = list.find("\r\n", at)) != std::string::npos; at = end + 2)
      lines.push_back(list.substr(at, end - at));
    return lines;
  }
};

}  // namespace calctest
