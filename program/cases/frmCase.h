#pragma once
// The case-header dialog: initials and case name for the main window's case fields, with the
// moment the dialog opened as the date. It writes no file; the save commands build the header
// file from the case fields.

#include <string>

#include "forms/Form.h"

namespace veltaro::cases {

class frmCase : public forms::Form {
 public:
  static constexpr const char* kName = "frmCase";
  // The widths of the header's initials and case name.
  static constexpr int kInitialsLength = 3, kCaseNameLength = 80;

  frmCase();

  void Form_Load() override;
  void cmdOK_Click();
  void cmdCancel_Click();

  // The local date and time as "2006-03-17 13:30:24".
  static std::string DateTimeStamp();
};

}  // namespace veltaro::cases
