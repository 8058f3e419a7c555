#include "calc/frmCalc23.h"

#include <vector>

#include "calc/InputCheck.h"
#include "core/Fx.h"
#include "core/Numbers.h"

namespace veltaro {

namespace {
const MultiLayerForm::Design kDesign = {.captionLine = 142,
                                        .top = 750,
                                        .height = 5850,
                                        .width = 10410,
                                        .countHint = "Max. 6",
                                        .labels = "Lblflere23",
                                        .thicknessInput = false,
                                        .surfaceInput = false,
                                        .lossInput = true,
                                        .pipeLeft = 1950,
                                        .mmLeft = 3680,
                                        .inputHeight = 2100,
                                        .emissionLabelTop = 400,
                                        .emissionLabelHeight = 590,
                                        .emissionTop = 370,
                                        .windTop = 1000,
                                        .windLabelTop = 1060,
                                        .calculateTop = 4700,
                                        .layersWidth = 6025,
                                        .layersHeight = 5100,
                                        .rowsTop = 940,
                                        .thicknessHeadLeft = 3180,
                                        .interfaceHeadWidth = 1100,
                                        .firstProductWidth = 2755,
                                        .thicknessLeft = 3180,
                                        .thicknessWidth = 1100,
                                        .thicknessHeight = 330,
                                        .resultsTop = 4095,
                                        .resultLabelLeft = 2595,
                                        .surfaceTop = 4040,
                                        .surfaceUnitTop = 4100,
                                        .ambientLabelTop = 4455,
                                        .ambientLabelWidth = 1605,
                                        .ambientTop = 4400,
                                        .ambientUnitTop = 4460,
                                        .lossLabelTop = 0,
                                        .lossTop = 0,
                                        .lossUnitLeft = 0,
                                        .halfDiameterRounded = true};
}  // namespace

frmCalc23::frmCalc23() : MultiLayerForm(kName, 23, kDesign) {}

bool frmCalc23::ValidateInput() {
  const FX& s = fx();
  auto line = [&](int k) -> const std::string& { return s.TextTable[k]; };
  InputCheck check(*this);
  const int n = shownLayers();
  checkRequirementInputs(check, n);

  // The interfaces fall from the medium to the air (rise, for a cold medium); with two layers
  // the one interface is checked against the medium only.
  // The order is checked only when every temperature holds a number.
  const auto tmRead = checked(check, "MEDIETEMP"), taRead = checked(check, "Omgivende");
  bool readable = tmRead && taRead;
  std::vector<double> faces;
  for (int j = 0; j < n - 1; ++j) {
    const auto face = checked(check, "Skilleflade", j);
    readable = readable && face;
    faces.push_back(face.value_or(0));
  }
  const double tm = tmRead.value_or(0), ta = taRead.value_or(0);
  if (readable && ta != tm) {
    const bool hot = ta < tm;
    auto wrong = [hot](double inner, double outer) {
      return hot ? outer >= inner : outer <= inner;
    };
    auto Sk = [&faces](int j) { return faces[j]; };
    const std::string& towards = line(hot ? 39 : 43);
    for (int i = 1; i <= n - 1; ++i) {
      if (i == 1)
        check.test(wrong(tm, Sk(0)), line(hot ? 36 : 42) + number(1) + line(37) + number(2));
      if (i == 1 && n != 2)
        check.test(wrong(Sk(0), Sk(1)), line(38) + number(1) + line(37) + number(2) + towards +
                                            number(2) + line(37) + number(3));
      if (i == n - 1 && i != 1)
        check.test(wrong(Sk(i - 1), ta),
                   line(38) + number(i) + line(37) + number(i + 1) + line(hot ? 47 : 48));
      if (i > 1 && i < n - 1)
        check.test(wrong(Sk(i - 1), Sk(i)), line(38) + number(i) + line(37) + number(i + 1) +
                                                towards + number(i + 1) + line(37) + number(i + 2));
    }
  }
  // The required heat loss flows from the medium to the air: none, or one against the drop,
  // has no thickness.
  const auto q = checked(check, "VT");
  check.test(q && (*q == 0 || (tmRead && taRead && ta != tm && *q * (tm - ta) < 0)), 22);
  checkAmbientGiven(check);
  // The interfaces of the rows a lower layer count hides are passed over.
  checkTemperatures(check, {"MEDIETEMP", "Skilleflade", "Omgivende"});
  return check.finish();
}

MultiLayerForm::Outcome frmCalc23::solveLayers(int n) {
  FX& s = fx();
  ClearResults();
  std::array<double, kMaxLayers> faces{};
  for (int i = 0; i < n - 1; ++i) faces[i] = num("Skilleflade", i);
  LayerStack stack(stackGeometry(), n, {}, num("MEDIETEMP"), num("Omgivende"));
  const StackEnd end = stack.solveForHeatFlow(faces, num("VT"));
  if (end == StackEnd::NoSolution || end == StackEnd::Fault) return Outcome::NoResult;

  control("OVERFLADE").setText(PointText(RoundHalfEven(s.LayerTemperatures[n])));
  s.ResultValid[calcType()] = true;
  const Outcome written = writeThicknesses(n, stack.thickness(), false);
  if (end == StackEnd::PassLimit && written != Outcome::Rejected) return Outcome::NoResult;
  return written;
}

}  // namespace veltaro
