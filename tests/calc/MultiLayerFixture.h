#pragma once
// Scripted users of the multi-layer windows: shared inputs, layer count, rows, requirement.

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "CalcFixture.h"

namespace calctest {

class MultiLayerTest : public CalcTest {
 public:
  struct Stack {
    const char* window = "frmCalc21";
    Inputs in;  // its product left out: the rows have their own
    std::string count = "2";
    std::vector<std::string> products;    // one per row; the default product where empty
    std::vector<std::string> rows;        // 21: thicknesses; 22, 23: interface temperatures
    std::string surface;                  // 22: the required surface temperature
    std::string loss;                     // 23: the required heat loss
    std::vector<std::string> emissions;   // 24: one per row
    bool save = false;                    // 24: savings on, 100 m or m² in kWh at 1 a unit
    bool untouched = false;               // the window as it opens, nothing entered
    std::vector<std::string> steps = {};  // then, the focus on Calculate, steps as in perform()
  };

 protected:
  // The layer count typed and left, as a user does.
  static void setCount(forms::Form& w, const std::string& count) {
    type(w.control("AntalLag"), count);
    w.control("MEDIETEMP").userFocus();
  }

  // Each row's product, thickness or interface temperature and emissivity in turn.
  forms::Form& fill(const Stack& st) {
    if (forms::Form* old = app.find(st.window)) old->unload();
    forms::Form& w = open(st.window);
    if (st.untouched) return w;
    Inputs in = st.in;
    in.product.clear();
    enter(w, in);
    if (w.findControl("AntalLag")) setCount(w, st.count);
    const std::string_view win = st.window;
    const char* row = win == "frmCalc22" || win == "frmCalc23" ? "Skilleflade" : "ISOLERINGST";
    for (size_t i = 0; i < std::max({st.products.size(), st.rows.size(), st.emissions.size()});
         ++i) {
      if (i < st.products.size() && !st.products[i].empty())
        choose(w.control("PRODUKT", int(i)), st.products[i]);
      if (i < st.rows.size()) type(w.control(row, int(i)), st.rows[i]);
      if (i < st.emissions.size()) choose(w.control("Emission", int(i)), st.emissions[i]);
    }
    if (!st.surface.empty()) type(w.control("OVERFLADE"), st.surface);
    if (!st.loss.empty()) type(w.control("VT"), st.loss);
    if (st.save) perform(w, {"cbxSave>", "cbxSave!", "RORL~100", "Energienh=kWh", "Pris~1"});
    w.control("Beregn").userFocus();
    perform(w, st.steps);
    return w;
  }

  // The lines of a failed check after its header (the caption, text line 19 and, where the
  // window writes one, a line of dashes), joined by "|"; "" when the check passed.
  std::string checkLines(forms::Form& w, bool dashes = true) {
    std::string text = shownErrors();
    if (text.empty()) return text;
    std::string head = w.caption() + "\r\nT19\r\n" + (dashes ? std::string(88, '-') + "\r\n" : "");
    const std::string end = "\r\n" + std::string(100, ' ') + "T18";
    EXPECT_TRUE(text.ends_with(end)) << text;
    if (!text.starts_with(head)) head = "";  // only lines of a part with a header of its own
    text = text.substr(head.size(), text.size() - head.size() - end.size());
    for (size_t at; (at = text.find("\r\n")) != std::string::npos;) text.replace(at, 2, "|");
    return text;
  }
  // The texts of the boxes named, of an array the rows shown, joined by "/".
  static std::string boxes(forms::Form& w, const std::vector<const char*>& names) {
    std::string text;
    bool first = true;
    for (const char* name : names) {
      auto array = w.controlArray(name);
      if (array.empty()) array.push_back(&w.control(name));
      for (forms::Control* box : array)
        if (box->visible()) text += (std::exchange(first, false) ? "" : "/") + box->text();
    }
    return text;
  }
  // The message boxes shown, as "style title: text".
  std::vector<std::string> messages() const {
    std::vector<std::string> shown;
    for (const auto& m : platform.callsOf("msgBox"))
      shown.push_back(std::to_string(m.style) + " " + m.title + ": " + m.text);
    return shown;
  }
};

}  // namespace calctest
