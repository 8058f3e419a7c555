#pragma once
// Calculation 5: the insulation thickness that keeps the outside of a cold pipe or plane at
// the dew point of the surrounding air, with that dew point and the heat flow into the object.

#include "calc/CalcForm.h"

namespace veltaro {

class frmCalc05 : public CalcForm {
 public:
  static constexpr const char* kName = "frmCalc05";
  frmCalc05();

 protected:
  Placement placement() const override { return {810, 4665, 9135, 2675, 2870, 2010}; }
  int windowCaptionLine() const override { return 138; }
  std::vector<CaptionLine> captionLines() const override;
  void loadFinish() override;
  forms::Control* nextAfterProduct() override { return &control("Emission"); }
  forms::Control* nextAfterPipeSize() override { return &control("Emission"); }
  forms::Control* nextOnProductEnter() override { return nullptr; }
  bool ValidateInput() override;
  SearchEnd calculate() override;
  bool computesThickness() const override { return true; }
  bool faultWasRunawayThickness() const override { return runaway_; }
  void thicknessRejected() override { showDewPointAndLoss(); }

 private:
  struct Run {
    double ta, tm, e, td, wind;
    bool inside;
  };
  SearchEnd pipeSearch(const Run& r);
  SearchEnd planeSearch(const Run& r);
  void showDewPointAndLoss();

  // What the last run found, shown again beside a rejected thickness.
  double dewPoint_ = 0;
  double heatFlow_ = 0;
  // The last pipe search's target lay 1000 m or more away.
  bool runaway_ = false;
};

}  // namespace veltaro
