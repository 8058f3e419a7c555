#pragma once
// The details window: surface coefficients, heat flow, surface temperature and the
// flow-regime note of the last calculation. A child of the main window; the main window's
// details command shows it, the calculations fill and blank it.

#include <string>

#include "forms/Form.h"

namespace veltaro {

class frmDetails : public forms::Form {
 public:
  static constexpr const char* kName = "frmDetails";
  frmDetails();

  void Form_Activate() override;

 private:
  void cmdQuit_Click();
};

// Writes the values of a calculation into the details window (loading it) and hides it again:
// h and hcv to 2 decimals, hr to 3, q to 1, the surface temperature t0 to whole degrees, each
// rounded halves-to-even and written with the user's decimal separator.
void FillDetails(double h, double hr, double hcv, double q, double t0,
                 const std::string& flowRegime, const std::string& header);

// Zeroes the shared coefficients, heat flow and surface temperature, empties the flow-regime
// text and blanks the details window (which stays hidden).
void ClearDetails();

}  // namespace veltaro
