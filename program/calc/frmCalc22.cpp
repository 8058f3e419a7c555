#include "calc/frmCalc22.h"

#include <vector>

#include "calc/InputCheck.h"
#include "core/Fx.h"
#include "core/Numbers.h"

namespace veltaro {

namespace {
const MultiLayerForm::Design kDesign = {.captionLine = 141,
                                        .top = 400,
                                        .height = 5905,
                                        .width = 10430,
                                        .countHint = "Max. 6 !",
                                        .labels = "Lblflere22",
                                        .thicknessInput = false,
                                        .surfaceInput = true,
                                        .lossInput = false,
                                        .pipeLeft = 1950,
                                        .mmLeft = 3680,
                                        .inputHeight = 1600,
                                        .emissionLabelTop = 465,
                                        .emissionLabelHeight = 600,
                                        .emissionTop = 410,
                                        .windTop = 1100,
                                        .windLabelTop = 1160,
                                        .calculateTop = 4560,
                                        .layersWidth = 6045,
                                        .layersHeight = 5200,
                                        .rowsTop = 840,
                                        .thicknessHeadLeft = 3200,
                                        .interfaceHeadWidth = 1100,
                                        .firstProductWidth = 2755,
                                        .thicknessLeft = 3180,
                                        .thicknessWidth = 1100,
                                        .thicknessHeight = 330,
                                        .resultsTop = 3900,
                                        .resultLabelLeft = 2400,
                                        .surfaceTop = 3840,
                                        .surfaceUnitTop = 3900,
                                        .ambientLabelTop = 4275,
                                        .ambientLabelWidth = 1625,
                                        .ambientTop = 4250,
                                        .ambientUnitTop = 4310,
                                        .lossLabelTop = 4720,
                                        .lossTop = 4660,
                                        .lossUnitLeft = 5585,
                                        .halfDiameterRounded = true};
}  // namespace

frmCalc22::frmCalc22() : MultiLayerForm(kName, 22, kDesign) {}

bool frmCalc22::ValidateInput() {
  const FX& s = fx();
  auto line = [&](int k) -> const std::string& { return s.TextTable[k]; };
  InputCheck check(*this);
  check.omitDashes();
  const int n = shownLayers();
  checkRequirementInputs(check, n);

  // The requirements fall from the medium through every interface to the surface and the air
  // (rise, for a cold medium). Interface k lies between layers k and k+1.
  // An order is checked only when each temperature in it holds a number.
  const auto tmRead = checked(check, "MEDIETEMP"), taRead = checked(check, "Omgivende"),
             tsRead = checked(check, "OVERFLADE");
  bool facesRead = true;
  std::vector<double> faces;
  for (int j = 0; j < n - 1; ++j) {
    const auto face = checked(check, "Skilleflade", j);
    facesRead = facesRead && face;
    faces.push_back(face.value_or(0));
  }
  const double tm = tmRead.value_or(0), ta = taRead.value_or(0), ts = tsRead.value_or(0);
  if (tmRead && taRead && tsRead && ta != tm) {
    const bool hot = ta < tm;
    auto wrong = [hot](double inner, double outer) {
      return hot ? outer >= inner : outer <= inner;
    };
    auto I = [&faces](int j) { return faces[j]; };
    const std::string& towards = line(hot ? 39 : 43);
    for (int k = 1; facesRead && k <= n - 1; ++k) {
      if (k == 1)
        check.test(wrong(tm, I(0)), line(hot ? 36 : 42) + number(1) + line(37) + number(2));
      if (k == 1 && n > 2) {
        const std::string gap = hot ? " " : "";
        check.test(wrong(I(0), I(1)), line(38) + number(1) + gap + line(37) + number(2) + gap +
                                          towards + number(2) + gap + line(37) + number(3));
      }
      if (k > 1 && k < n - 1)
        check.test(wrong(I(k - 1), I(k)), line(38) + number(k) + line(37) + number(k + 1) +
                                              towards + number(k + 1) + line(37) + number(k + 2));
      // With two layers too: a surface beyond the interface has no thickness that meets it.
      if (k == n - 1)
        check.test(wrong(I(k - 1), ts),
                   line(38) + number(k) + line(37) + number(k + 1) + line(hot ? 40 : 44));
    }
    if (hot)
      check.test(ta >= ts, 41);
    else
      check.test(ta < ts, 45);
  }
  if (tsRead) check.test(control("OVERFLADE").text().empty(), 188);
  check.test(taRead && tsRead && ta == ts, 46);
  checkAmbientGiven(check);
  // The interfaces of the rows a lower layer count hides are passed over.
  checkTemperatures(check, {"MEDIETEMP", "Skilleflade", "OVERFLADE", "Omgivende"});
  return check.finish();
}

MultiLayerForm::Outcome frmCalc22::solveLayers(int n) {
  FX& s = fx();
  std::array<double, kMaxLayers> faces{};
  for (int i = 0; i < n; ++i) faces[i] = i == n - 1 ? num("OVERFLADE") : num("Skilleflade", i);
  LayerStack stack(stackGeometry(), n, {}, num("MEDIETEMP"), num("Omgivende"));
  const StackEnd end = stack.solveForTemperatures(faces);
  if (end == StackEnd::NoSolution || end == StackEnd::Fault) return Outcome::NoResult;

  // The heat loss shown is what the surface gives off at its required temperature.
  control("VT").setText(LocaleText(RoundHalfEven(stack.targetHeatFlow(), s.HeatLossDecimals)));
  s.ResultValid[calcType()] = true;
  const Outcome written = writeThicknesses(n, stack.thickness(), true);
  if (end == StackEnd::PassLimit && written != Outcome::Rejected) return Outcome::NoResult;
  return written;
}

}  // namespace veltaro
