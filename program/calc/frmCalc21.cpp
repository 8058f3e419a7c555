#include "calc/frmCalc21.h"

#include "calc/InputCheck.h"
#include "core/Fx.h"
#include "core/Numbers.h"

namespace veltaro {

namespace {
const MultiLayerForm::Design kDesign = {.captionLine = 140,
                                        .top = 50,
                                        .height = 5900,
                                        .width = 10430,
                                        .countHint = "Max. 6 ",
                                        .labels = "Lblflere21",
                                        .thicknessInput = true,
                                        .surfaceInput = false,
                                        .lossInput = false,
                                        .pipeLeft = 1900,
                                        .mmLeft = 3650,
                                        .inputHeight = 1600,
                                        .emissionLabelTop = 465,
                                        .emissionLabelHeight = 590,
                                        .emissionTop = 410,
                                        .windTop = 1100,
                                        .windLabelTop = 1160,
                                        .calculateTop = 4460,
                                        .layersWidth = 6045,
                                        .layersHeight = 5150,
                                        .rowsTop = 840,
                                        .thicknessHeadLeft = 3075,
                                        .interfaceHeadWidth = 1105,
                                        .firstProductWidth = 2760,
                                        .thicknessLeft = 3080,
                                        .thicknessWidth = 1305,
                                        .thicknessHeight = 315,
                                        .resultsTop = 3900,
                                        .resultLabelLeft = 2400,
                                        .surfaceTop = 3840,
                                        .surfaceUnitTop = 3900,
                                        .ambientLabelTop = 4200,
                                        .ambientLabelWidth = 2200,
                                        .ambientTop = 4200,
                                        .ambientUnitTop = 4260,
                                        .lossLabelTop = 4620,
                                        .lossTop = 4560,
                                        .lossUnitLeft = 5520,
                                        .halfDiameterRounded = false};
}  // namespace

frmCalc21::frmCalc21() : MultiLayerForm(kName, 21, kDesign) {}

bool frmCalc21::ValidateInput() {
  InputCheck check(*this);
  checkGeometry(check, true);
  checkMediumGiven(check);
  checkTemperaturesDiffer(check);
  check.test(InputCheck::notChosen(control("Emission").text()), 7);
  const auto e = checked(check, "Emission");
  check.test(e && (*e <= 0 || *e >= 1), 8);
  checkWind(check);
  // The rows a lower layer count hides are not checked, whatever they hold.
  for (int i = 0; i < kMaxLayers; ++i) {
    if (!control("PRODUKT", i).visible()) continue;
    check.test(productMissing(i), numbered(33, i + 1));
    const std::string& t = control("ISOLERINGST", i).text();
    check.test(InputCheck::notChosen(t) || t.empty(), numbered(34, i + 1));
    const auto mm = checked(check, "ISOLERINGST", i);
    check.test(mm && (*mm <= 0 || *mm >= 1000), numbered(35, i + 1));
  }
  checkAmbientGiven(check);
  checkTemperatures(check, {"MEDIETEMP", "Omgivende"});
  return check.finish();
}

MultiLayerForm::Outcome frmCalc21::solveLayers(int n) {
  FX& s = fx();
  ClearResults();
  LayerThicknesses thickness{};
  for (int i = 0; i < n; ++i) thickness[i] = num("ISOLERINGST", i) / 1000;
  LayerStack stack(stackGeometry(), n, thickness, num("MEDIETEMP"), num("Omgivende"));
  if (stack.solveHeatFlow() != StackEnd::Converged) return Outcome::NoResult;

  for (int k = 1; k < n; ++k)
    control("Skilleflade", k - 1).setText(LocaleText(RoundHalfEven(s.LayerTemperatures[k])));
  control("OVERFLADE").setText(LocaleText(RoundHalfEven(s.LayerTemperatures[n])));
  control("VT").setText(LocaleText(RoundHalfEven(s.HeatFlow, s.HeatLossDecimals)));
  s.ResultValid[calcType()] = true;
  totalThicknessMm_ = 1000 * stack.totalThickness();
  return Outcome::Result;
}

}  // namespace veltaro
