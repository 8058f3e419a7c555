#pragma once
// The splash window shown during start-up: the logo picture and the progress bar that the
// text loaders drive.

#include "forms/Form.h"

namespace veltaro {

class frmStart : public forms::Form {
 public:
  static constexpr const char* kName = "frmStart";
  // The menu-text loader counts the bar up once per line before any maximum is set, so the
  // first maximum must exceed the menu file's line count.
  static constexpr int kInitialMaximum = 200;

  frmStart();
  void Form_Load() override;
};

}  // namespace veltaro
