#pragma once
// The main window: the frame in which every other window opens, with the menus, the command
// toolbar tobMenu, the case strip (tobCase with cmdCase and txtCase) and the background
// picture of the market, whose bands open the calculations and two link addresses.

#include <string>
#include <string_view>

#include "forms/Form.h"

namespace veltaro {

// What a point of the background picture hits.
struct BandHit {
  enum Kind { None, Calculation, Link } kind = None;
  int calcNumber = 0;  // Calculation: the calculation the band opens
  int textLine = 0;    // Link: the text-table line holding the address (155 or 156)
};

// The band hit test of the background picture for a market, x and y in twips of the
// workspace. Both ends of every band are excluded.
BandHit HitTestBands(std::string_view countryCode, double x, double y);

class mdiVeltaro : public forms::Form {
 public:
  static constexpr const char* kName = "mdiVeltaro";
  static constexpr const char* kCaption = " VELTARO ";

  mdiVeltaro();

  // CommonDialog1.HelpFile: the full path of the market's help file, set by start-up.
  std::string helpFile;

  // --- Window events ---
  void Form_Load() override;  // MDIForm_Load
  void Form_MouseDown(int button, int shift, double x, double y) override;
  void Form_MouseMove(int button, int shift, double x, double y) override;
  void Form_QueryUnload(int& cancel, int unloadMode) override;
  void Form_Unload(int& cancel) override;
  void cmdCase_Click();

  // --- Commands ---
  void menuCalc_Click(int calcNumber);  // menuCalc01_Click ... menuCalc24_Click
  void menuCalculate_Click();
  void menuShowDetails_Click();
  void menuShowPipeDistance_Click();
  void menuResetCase_Click();
  void menuRoundCmd_Click();
  void menuNewCase_Click();
  void menuOpenCase_Click();
  void menuSaveCase_Click();
  void menuDeleteCase_Click();
  void menuExcel_Click();
  void menuWord_Click();
  void menuPrintCase_Click();
  void menuPreview_Click();
  void menuQuit_Click();
  void menuMax_Click();
  void menuMin_Click();
  void menuIndex_Click();
  void menuAdr_Click();
  void menuAboutProgram_Click();
  void tobMenu_ButtonClick(const std::string& key);

 private:
  void buildMenus();
  void buildToolbars();
  void openFromToolbar(int calcNumber);
  bool writeReport(bool printOnDisplay, bool exportOnly);
};

// The calculation window of `calcNumber`, loading it when it is not open; nullptr when the
// number names no calculation or its window is not part of this program build.
forms::Form* CalcWindowOf(int calcNumber);

}  // namespace veltaro
