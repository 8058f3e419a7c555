#pragma once
// Layer rows of the multi-layer calculation windows, and reset of the active calculation.

namespace forms {
class Form;
}

namespace veltaro {

// Shows `n` layer rows (PRODUKT and ISOLERINGST 0..n-1) and n-1 interface boxes (Skilleflade
// 0..n-2 with their unit labels lblUnit 5..n+3) on a multi-layer window, refilling every
// shown product list. The callers clamp n to 2-6; rows beyond the window's six are ignored.
void ShowLayerControls(forms::Form& form, double& n);

// Reloads the calculation window that ActiveCalcNumber names empty, at normal size; does
// nothing for a number that names no window.
void ReloadCurrentCalc();

}  // namespace veltaro
