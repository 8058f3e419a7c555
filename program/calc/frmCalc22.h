#pragma once
// Calculation 22: the thickness of each of two to six layers for a required temperature at
// every interface and at the surface, with the heat loss that goes with them.

#include "calc/MultiLayerForm.h"

namespace veltaro {

class frmCalc22 : public MultiLayerForm {
 public:
  static constexpr const char* kName = "frmCalc22";
  frmCalc22();

 protected:
  bool ValidateInput() override;
  Outcome solveLayers(int n) override;
};

}  // namespace veltaro
