#pragma once
// The input-error window: a top-level window whose text box holds the list of failed input
// checks that a calculation window wrote. The calculation shows it on top of all windows.

#include "forms/Form.h"

namespace veltaro {

class frmErrorInfo : public forms::Form {
 public:
  static constexpr const char* kName = "frmErrorInfo";
  frmErrorInfo();

  void Form_Load() override;
};

}  // namespace veltaro
