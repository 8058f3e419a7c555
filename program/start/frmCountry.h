#pragma once
// The country dialog: seven flags, each with an option; OK (or a double-click on a flag or
// option) stores the chosen code in the settings file. Its texts are fixed English ones.

#include "forms/Form.h"

namespace veltaro {

class frmCountry : public forms::Form {
 public:
  static constexpr const char* kName = "frmCountry";
  static constexpr int kOptions = 7;
  // The code stored for option i, which also names its flag picture (flag_<code>.jpg); the
  // flags carry the language names.
  static constexpr const char* kCodes[kOptions] = {"UK", "NO", "SE", "DK", "LT", "EE", "LV"};

  frmCountry();

  void cmdOk_Click();
  void imgFlag_DblClick(int index);
  void optCountry_DblClick(int index);
};

}  // namespace veltaro
