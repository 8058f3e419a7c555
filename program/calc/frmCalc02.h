#pragma once
// Calculation 2: the insulation thickness for a required surface temperature, and the heat
// loss that remains at that thickness.

#include "calc/CalcForm.h"

namespace veltaro {

class frmCalc02 : public CalcForm {
 public:
  static constexpr const char* kName = "frmCalc02";
  frmCalc02();

 protected:
  Placement placement() const override { return {20, 4755, 8735, 3075, 2870, 810}; }
  int windowCaptionLine() const override { return 135; }
  std::vector<CaptionLine> captionLines() const override;
  forms::Control* nextAfterProduct() override { return &control("MEDIETEMP"); }
  forms::Control* nextAfterPipeSize() override { return &control("MEDIETEMP"); }
  forms::Control* nextOnProductEnter() override { return &control("Emission"); }
  bool ValidateInput() override;
  SearchEnd calculate() override;
  bool computesThickness() const override { return true; }

 private:
  SearchEnd pipeSearch(double emissivity);
  SearchEnd planeSearch(double emissivity);
};

}  // namespace veltaro
