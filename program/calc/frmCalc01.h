#pragma once
// Calculation 1: heat loss and surface temperature of a pipe or plane for a chosen product and
// thickness, with the optional savings against the bare object.

#include <optional>
#include <string>

#include "calc/CalcForm.h"

namespace veltaro {

class frmCalc01 : public CalcForm {
 public:
  static constexpr const char* kName = "frmCalc01";
  frmCalc01();

  void Form_Activate() override;
  bool fillListAsItsHandlerWould(forms::Control& list) override;
  void recordRestored() override;

 protected:
  Placement placement() const override;
  int windowCaptionLine() const override { return 134; }
  std::vector<CaptionLine> captionLines() const override;
  void loadLayout() override;
  void loadFinish() override { ListIndexOnFocus = -1; }
  forms::Control* nextAfterProduct() override { return &control("ISOLERINGST"); }
  forms::Control* nextAfterPipeSize() override { return &control("MEDIETEMP"); }
  forms::Control* nextOnProductEnter() override { return &control("ISOLERINGST"); }
  bool indoors() const override;
  bool pipeQuestionInAnyGeometry() const override { return true; }
  void productChosen(int listIndex) override;

  void ClearResults() override;
  bool ValidateInput() override;
  void SetPipeMode() override;
  void SetPlaneMode() override;
  SearchEnd calculate() override;
  void closingSteps() override;

 private:
  void optInSite_Click();
  void cbxSave_Click();
  void ShowPipeSavingsLabels() { showLabelSet(false, true); }
  void ShowPipeLabels() { showLabelSet(false, false); }
  void ShowPlaneSavingsLabels() { showLabelSet(true, true); }
  void ShowPlaneLabels() { showLabelSet(true, false); }
  void showLabelSet(bool plane, bool savings);
  void applyMarineLayout();
  bool marine() const;
  // A Swedish pipe section's own thickness for the chosen one ("?" when the table has none);
  // nothing for any other product, market or geometry.
  std::optional<std::string> sectionThickness();

  // The chosen thickness while a Swedish pipe section's own thickness stands in for it.
  std::optional<std::string> chosenThickness_;
};

}  // namespace veltaro
