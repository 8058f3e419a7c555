#pragma once
// The Swedish pipe-distance window: F to the wall, G to the ceiling, H to the middle of the
// free space and the size class's free distances a and b, in mm.

#include "forms/Form.h"

namespace veltaro {

class frmPipedistanceSE : public forms::Form {
 public:
  static constexpr const char* kName = "frmPipedistanceSE";
  frmPipedistanceSE();

  void Form_Load() override;
};

}  // namespace veltaro
