#pragma once
// Calculation 24: re-insulation. A pipe or plane already carries one layer of insulation (the
// existing layer) and gets one new outer layer; the window shows the heat loss before and
// after, the interface and the new surface temperature, and, with the savings switched on, the
// yearly saving in the chosen energy unit's money.
//
// Element 0 of the arrays PRODUKT, ISOLERINGST and Emission is the existing layer, element 1
// the new one. Emission(0) is the old outer surface (before), Emission(1) the new (after).

#include "calc/CalcForm.h"

namespace veltaro {

class frmCalc24 : public CalcForm {
 public:
  static constexpr const char* kName = "frmCalc24";
  frmCalc24();
  bool fillListAsItsHandlerWould(forms::Control& list) override;

 protected:
  Placement placement() const override { return {0, 7510, 10020, 1770, 3270, 1210}; }
  int windowCaptionLine() const override { return 143; }
  std::vector<CaptionLine> captionLines() const override;
  void loadLayout() override;
  void fillProductLists() override;
  void loadFinish() override { ListIndexOnFocus = -1; }
  forms::Control* nextAfterProduct() override { return &control("ISOLERINGST", 1); }
  forms::Control* nextAfterPipeSize() override { return &control("ISOLERINGST", 1); }
  forms::Control* nextOnProductEnter() override { return nullptr; }
  bool indoors() const override;

  bool ValidateInput() override;
  void SetPipeMode() override;
  void SetPlaneMode() override;
  void selectProducts() override;
  SearchEnd calculate() override;
  void handOffPipeDistances() override;
  void warnProductLimits() override;

 private:
  void ShowPipeSavingsLabels() { showLabelSet(false, true); }
  void ShowPipeLabels() { showLabelSet(false, false); }
  void ShowPlaneSavingsLabels() { showLabelSet(true, true); }
  void ShowPlaneLabels() { showLabelSet(true, false); }
  void showLabelSet(bool plane, bool savings);
  void cbxSave_Click();
  void optInSite_Click();
  void RORCOM_Click();
  void PRODUKT_Click(int i);
  void PRODUKT_KeyDown(int i, int& keyCode);
  // Asks whether the new layer's product is made for the existing insulation's outer diameter
  // and moves the focus by the answer (Yes: the new layer's thickness, No: `back`).
  void askPipeSection(forms::Control& back, bool withDiameterLine);
  void checkLayer(InputCheck& check, int layer, int firstLine);
  bool lossBefore(const Surface& g, double D, double s0, double tm, double ta, double wind);
  void writeSavings(double qBefore, double qAfter);

  // Total thickness of both layers in whole millimetres after a pipe run (pipe distances).
  double totalThicknessMm_ = 0;
};

}  // namespace veltaro
