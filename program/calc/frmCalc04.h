#pragma once
// Calculation 4: the insulation thickness at which a pipe or plane just meets a national
// insulation class, with its heat loss and surface temperature. The class is chosen by the
// user or derived from the operating hours and the waste factor.

#include <cstdint>

#include "calc/CalcForm.h"

namespace veltaro {

class frmCalc04 : public CalcForm {
 public:
  static constexpr const char* kName = "frmCalc04";
  frmCalc04();

 protected:
  Placement placement() const override { return {810, 5295, 9700, 2075, 2870, 1610}; }
  int windowCaptionLine() const override { return 137; }
  std::vector<CaptionLine> captionLines() const override;
  void loadFinish() override;
  forms::Control* nextAfterProduct() override { return &control("IsoKlasse"); }
  forms::Control* nextAfterPipeSize() override { return &control("IsoKlasse"); }
  forms::Control* nextOnProductEnter() override { return nullptr; }
  bool ValidateInput() override;
  SearchEnd calculate() override;
  bool computesThickness() const override { return true; }
  bool clearsResultsBeforeCheck() const override { return true; }

 private:
  void Drift_Click();
  void Klassean_Click();
  void RORCOM_Change();
  void askAboutLargePipe();
  uint8_t requiredClass(double ta, double tm);

  // The four searches; each returns whether the class was met before the pass limit.
  struct Run {
    uint8_t cls;
    double limit, ta, tm, e, D, H;
  };
  bool pipeIndoors(const Run& r);
  bool pipeOutdoors(const Run& r);
  bool planeIndoors(const Run& r);
  bool planeOutdoors(const Run& r);
  void classMet(uint8_t cls);
};

}  // namespace veltaro
