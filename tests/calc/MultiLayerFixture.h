#pragma once
// Scripted users of the multi-layer windows: the shared inputs, the layer count, one product
// and one thickness or requirement per row.

#include <string>
#include <tuple>
#include <vector>

#include "CalcFixture.h"

namespace calctest {

class MultiLayerTest : public CalcTest {
 public:
  struct Stack {
    const char* window = "frmCalc21";
    Inputs in{.product = ""};
    std::string count = "2";
    std::vector<std::string> products;  // one per row; the default product where empty
    std::vector<std::string> rows;      // 21: thicknesses; 22, 23: interface temperatures
    std::string surface;                // 22: the required surface temperature
    std::string loss;                   // 23: the required heat loss
    bool untouched = false;             // the window as it opens, nothing entered
    // Then written as a case file writes them: name, index, text.
    std::vector<std::tuple<const char*, int, const char*>> set = {};
  };

 protected:
  // The layer count typed and left, as a user does.
  static void setCount(forms::Form& w, const std::string& count) {
    type(w.control("AntalLag"), count);
    w.control("MEDIETEMP").userFocus();
  }

  forms::Form& fill(const Stack& st) {
    forms::Form& w = open(st.window);
    if (st.untouched) return w;
    enter(w, st.in);
    setCount(w, st.count);
    const char* row = std::string(st.window) == "frmCalc21" ? "ISOLERINGST" : "Skilleflade";
    for (size_t i = 0; i < st.products.size(); ++i)
      if (!st.products[i].empty()) choose(w.control("PRODUKT", int(i)), st.products[i]);
    for (size_t i = 0; i < st.rows.size(); ++i) type(w.control(row, int(i)), st.rows[i]);
    if (!st.surface.empty()) type(w.control("OVERFLADE"), st.surface);
    if (!st.loss.empty()) type(w.control("VT"), st.loss);
    for (auto [name, index, text] : st.set) w.control(name, index).setText(text);
    return w;
  }

  forms::Form& calculate(const Stack& st) {
    forms::Form& w = fill(st);
    w.control("Beregn").userClick();
    return w;
  }

  double number(forms::Form& w, const char* box, int index = -1) {
    return veltaro::ParseNumber(w.control(box, index).text());
  }
  std::string errorList() { return shownErrors(); }
};

}  // namespace calctest
