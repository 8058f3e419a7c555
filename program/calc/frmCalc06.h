#pragma once
// Calculation 6: the insulation thickness that keeps a flowing moist medium from condensing
// inside a pipe or on a wall, with the heat loss and surface temperature at it; the bare heat
// loss when no insulation is needed.

#include "calc/CalcForm.h"

namespace veltaro {

class frmCalc06 : public CalcForm {
 public:
  static constexpr const char* kName = "frmCalc06";
  frmCalc06();

 protected:
  Placement placement() const override { return {600, 6045, 8940, 2870, 2870, 2410}; }
  int windowCaptionLine() const override { return 139; }
  std::vector<CaptionLine> captionLines() const override;
  void loadFinish() override;
  forms::Control* nextAfterProduct() override { return &control("Emission"); }
  forms::Control* nextAfterPipeSize() override { return &control("Emission"); }
  forms::Control* nextOnProductEnter() override { return nullptr; }
  void productChosen(int listIndex) override;
  bool ValidateInput() override;
  void SetPipeMode() override;
  void SetPlaneMode() override;
  SearchEnd calculate() override;
  bool computesThickness() const override { return true; }
  bool faultWasRunawayThickness() const override { return !(runningThicknessM_ <= 1.0); }
  void thicknessRejected() override;
  void showNonConvergence() override;

 private:
  // The required transmittance, or a verdict when the medium cannot condense or cannot be kept
  // from it.
  double pipeSearch(double tm, double ta, double td, double e, double K, double w);
  double planeSearch(double tm, double ta, double td, double e, double K, double w);
  double runningThicknessM_ = 0;
  bool roundedToNothing_ = false;  // the unconverged thickness rounded to 0 mm
};

}  // namespace veltaro
