#pragma once
// The about box: name, version, disclaimer, the developer's contact details with a link, and
// a button for the operating system's system-information tool.

#include <string>

#include "forms/Form.h"

namespace veltaro {

class frmAbout : public forms::Form {
 public:
  static constexpr const char* kName = "frmAbout";
  static constexpr int kVersionMajor = 2, kVersionMinor = 6, kVersionRevision = 4;
  // The title of the program's own message boxes.
  static constexpr const char* kProgramTitle = "VELTARO";
  static constexpr long kHKeyLocalMachine = static_cast<long>(0x80000002L);

  frmAbout();

  void Form_Load() override;
  void cmdOK_Click();
  void cmdSysInfo_Click() { StartSysInfo(); }
  void Label4_Click();  // also Picture2_Click

  // Starts the system-information tool, or says that there is none.
  void StartSysInfo();
  // Reads value `SubKeyRef` of key `KeyName` under `KeyRoot` into `KeyVal`; false (and an
  // empty KeyVal) when it cannot be read.
  bool GetKeyValue(long KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                   std::string& KeyVal);
};

}  // namespace veltaro
