#pragma once
// Calculation 21: the heat loss, every interface temperature and the surface temperature of
// two to six layers of chosen products and thicknesses.

#include "calc/MultiLayerForm.h"

namespace veltaro {

class frmCalc21 : public MultiLayerForm {
 public:
  static constexpr const char* kName = "frmCalc21";
  frmCalc21();

 protected:
  bool ValidateInput() override;
  Outcome solveLayers(int n) override;
};

}  // namespace veltaro
