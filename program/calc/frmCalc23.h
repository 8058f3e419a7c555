#pragma once
// Calculation 23: the thickness of each of two to six layers for a required temperature at
// every interface and a required heat loss, with the surface temperature that results.

#include "calc/MultiLayerForm.h"

namespace veltaro {

class frmCalc23 : public MultiLayerForm {
 public:
  static constexpr const char* kName = "frmCalc23";
  frmCalc23();

 protected:
  bool ValidateInput() override;
  Outcome solveLayers(int n) override;
};

}  // namespace veltaro
