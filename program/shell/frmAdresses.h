#pragma once
// The contact window: the manufacturer's sales addresses of all markets from the contact file,
// in up to eight panels. Its load also publishes the current market's contact block into the
// text table (lines 144-152, 155, 156), where the reports and the main window's link bands
// find it; start-up loads it once for that alone.

#include "forms/Form.h"

namespace veltaro {

class frmAdresses : public forms::Form {
 public:
  static constexpr const char* kName = "frmAdresses";
  static constexpr int kPanels = 8;

  frmAdresses();

  void Form_Load() override;
  void cmdOK_Click();
  void website_Click(int index);
  void website_MouseMove(int index);
};

}  // namespace veltaro
