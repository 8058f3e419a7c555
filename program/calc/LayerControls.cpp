#include "calc/LayerControls.h"

#include <algorithm>

#include "calc/CalcWindow.h"
#include "core/Fx.h"
#include "core/Numbers.h"
#include "core/ReferenceData.h"
#include "forms/Application.h"

namespace veltaro {

void ShowLayerControls(forms::Form& form, double& n) {
  for (int i = 0; i <= 5; ++i) {
    form.control("PRODUKT", i).setVisible(false);
    form.control("ISOLERINGST", i).setVisible(false);
    if (i < 5) {
      form.control("lblUnit", i + 5).setVisible(false);
      form.control("Skilleflade", i).setVisible(false);
    }
  }
  const int last = std::min<int>(ToInt16(n - 1), 5);
  for (int i = 0; i <= last; ++i) {
    FillProductCombo(form.control("PRODUKT", i));
    form.control("PRODUKT", i).setVisible(true);
    form.control("ISOLERINGST", i).setVisible(true);
    if (i < n - 1 && i < 5) {
      form.control("lblUnit", i + 5).setVisible(true);
      form.control("Skilleflade", i).setVisible(true);
    }
  }
}

void ReloadCurrentCalc() {
  // Calculation 7 is reset like every other calculation.
  const std::string name = calcFormName(fx().ActiveCalcNumber);
  auto& app = forms::app();
  if (name.empty() || !app.isRegistered(name)) return;
  app.unloadIfLoaded(name);
  app.platform().doEvents();
  forms::Form& window = app.get(name);
  window.show();
  app.platform().doEvents();
  window.setWindowState(forms::kStateNormal);
}

}  // namespace veltaro
