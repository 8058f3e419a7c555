// Layer rows of a multi-layer window: how many rows and interface boxes show, and the product
// lists of the shown rows refilled with the default product.

#include <cmath>

#include "calc/LayerControls.h"
#include "shell/ShellFixture.h"

namespace shelltest {
namespace {

TEST_F(ShellTest, LayerCountDecidesTheRowsAndResetsTheirProducts) {
  writeDataFiles();
  veltaro::fx().CountryCode = "DK";
  app->registerForm("frmCalc21", [] {
    auto w = std::make_unique<forms::Form>("frmCalc21");  // six rows, five interfaces
    for (int i = 0; i <= 5; ++i) {
      w->add(forms::ControlKind::ComboBox, "PRODUKT", i);
      w->add(forms::ControlKind::TextBox, "ISOLERINGST", i);
      if (i == 5) break;
      w->add(forms::ControlKind::TextBox, "Skilleflade", i);
      w->add(forms::ControlKind::Label, "lblUnit", i + 5);
    }
    return w;
  });
  auto& w = app->get("frmCalc21");
  for (double n : {2.0, 6.0, 3.0, 2.5, 3.5}) {
    SCOPED_TRACE(n);
    for (int i = 0; i <= 5; ++i) w.control("PRODUKT", i).setText("chosen before");
    double count = n;
    veltaro::ShowLayerControls(w, count);
    // The last row is n - 1 rounded, halves to even: 2.5 and 3.5 layers both show rows 0-2.
    const int rows = static_cast<int>(std::nearbyint(n - 1)) + 1;
    for (int i = 0; i <= 5; ++i) {
      EXPECT_EQ(w.control("PRODUKT", i).visible(), i < rows) << i;
      EXPECT_EQ(w.control("ISOLERINGST", i).visible(), i < rows) << i;
      EXPECT_EQ(w.control("PRODUKT", i).text(), i < rows ? "Wool DK" : "chosen before") << i;
    }
    for (int i = 0; i <= 4; ++i) {
      const bool interface = i < rows && i < n - 1;
      EXPECT_EQ(w.control("Skilleflade", i).visible(), interface) << i;
      EXPECT_EQ(w.control("lblUnit", i + 5).visible(), interface) << i;
    }
  }
}

}  // namespace
}  // namespace shelltest
