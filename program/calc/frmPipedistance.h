#pragma once
// The pipe-distance window used outside Sweden: distance G to the wall or ceiling and H to the
// middle of the free space, in mm, written by the calculations.

#include "forms/Form.h"

namespace veltaro {

class frmPipedistance : public forms::Form {
 public:
  static constexpr const char* kName = "frmPipedistance";
  frmPipedistance();

  void Form_Load() override;
};

}  // namespace veltaro
