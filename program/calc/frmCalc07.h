#pragma once
// Calculation 7: air or flue gas along an insulated round duct. Three questions: the
// thickness that gives a required end temperature (type 0), the start temperature that gives
// it (type 1), or the end temperature for a given thickness and start temperature (type 2).

#include "calc/CalcForm.h"

namespace veltaro {

class frmCalc07 : public CalcForm {
 public:
  static constexpr const char* kName = "frmCalc07";
  frmCalc07();

 protected:
  Placement placement() const override { return {810, 6285, 10635, 2075, 2870, 1610}; }
  int windowCaptionLine() const override { return 204; }
  std::vector<CaptionLine> captionLines() const override;
  void loadFinish() override;
  forms::Control* nextAfterProduct() override { return &control("PRODUKT"); }
  forms::Control* nextAfterPipeSize() override { return nullptr; }
  forms::Control* nextOnProductEnter() override { return nullptr; }
  bool ValidateInput() override;
  SearchEnd calculate() override;
  void showNonConvergence() override;
  std::optional<double> pipeDistanceThickness() override;
  void warnProductLimits() override {}  // a duct's gas is not checked against the product

 private:
  void optCalcType_Click(int index);
  int calculationType();
  // The searches on the temperature law; each writes its result box and tells whether it found
  // a result.
  bool searchThickness(double tStart, double tEndRequired, double& s);
  bool searchStart(double tEndRequired, double s, double& tStart);
  // The end temperature of the gas entering at tStart, through insulation to the outer
  // diameter ds; unchanged when tStart equals the ambient temperature.
  void law(double tStart, double ds);

  // The run's fixed values of the temperature law.
  double D_ = 0, ta_ = 0, h_ = 0, lambda_ = 0, length_ = 0, capacity_ = 0;
  double tEnd_ = 0;
  double thicknessMm_ = 0;  // for the pipe distances
  bool startSearchFailed_ = false;
};

}  // namespace veltaro
