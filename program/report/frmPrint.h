#pragma once
// The report preview: a child of the main window holding one browser that shows the report
// last written, with a margin around it.

#include "forms/Form.h"

namespace veltaro {

class frmPrint : public forms::Form {
 public:
  static constexpr const char* kName = "frmPrint";
  frmPrint();

  // Shows `file` maximised (the report file's displayed copy).
  void showReport(const std::string& file);

  void Form_Resize() override;
};

}  // namespace veltaro
