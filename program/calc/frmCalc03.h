#pragma once
// Calculation 3: the insulation thickness for a required heat loss, and the surface
// temperature that results.

#include "calc/CalcForm.h"

namespace veltaro {

class frmCalc03 : public CalcForm {
 public:
  static constexpr const char* kName = "frmCalc03";
  frmCalc03();

 protected:
  Placement placement() const override { return {410, 4935, 8735, 3075, 2870, 1210}; }
  int windowCaptionLine() const override { return 136; }
  std::vector<CaptionLine> captionLines() const override;
  forms::Control* nextAfterProduct() override { return &control("Emission"); }
  forms::Control* nextAfterPipeSize() override { return &control("Emission"); }
  forms::Control* nextOnProductEnter() override { return nullptr; }
  bool ValidateInput() override;
  SearchEnd calculate() override;
  bool computesThickness() const override { return true; }
  bool faultWasRunawayThickness() const override { return runningThicknessM_ > 1.0; }

 private:
  double runningThicknessM_ = 0;
};

}  // namespace veltaro
