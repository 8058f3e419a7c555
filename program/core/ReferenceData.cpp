#include "core/ReferenceData.h"

#include <cmath>

#include "core/LanguageTexts.h"
#include "core/MessageLines.h"
#include "core/Numbers.h"
#include "core/NumericInput.h"
#include "core/TextFile.h"
#include "forms/Application.h"
#include "forms/Control.h"

namespace veltaro {
namespace {

std::string listPath(const std::string& baseName) {
  return ProgramPath("\\Text\\" + baseName + "." + CountrySuffix(fx().CountryCode));
}

// Every line but the last is an item, exactly as read; the last line is the box's text.
void fillList(forms::Control& box, const std::string& baseName) {
  const std::vector<std::string> lines = ReadTextLines(listPath(baseName));
  box.clear();
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) box.addItem(lines[i]);
  box.setText(lines.empty() ? std::string() : lines.back());
}

bool fail(std::string* problem, const std::string& why) {
  if (problem) *problem = why;
  return false;
}

}  // namespace

bool ParseProductLine(ProductRecord& rec, std::string& line, std::string* problem) {
  std::string field;
  if (!TakeField(line, field))
    return fail(problem, TextOr(lines::NoProductNameEnd, "the product name has no closing \";\""));
  rec.Name = field;
  double* numbers[] = {&rec.Coef0, &rec.Coef1, &rec.Coef2, &rec.TempLimit1, &rec.TempLimit2};
  for (double* target : numbers) {
    if (!TakeField(line, field))
      return fail(problem, TextOr(lines::NoNumberEnd, "a number field has no closing \";\""));
    *target = ParseNumber(field);
  }
  // The thickness list ends where the rest of the line is blank; fields after the 30th are
  // not read.
  for (std::size_t k = 0; k < rec.Thickness.size(); ++k) {
    if (TrimSpaces(line).empty()) break;
    if (!TakeField(line, field))
      return fail(problem, TextOr(lines::NoThicknessEnd, "a thickness has no closing \";\""));
    const double t = RoundHalfEven(ParseNumber(field));
    if (!(t >= -32768 && t <= 32767))
      return fail(problem, TextOr(lines::ThicknessOutOfRange, "a thickness is out of range"));
    rec.Thickness[k] = static_cast<int16_t>(t);
  }
  return true;
}

std::string LoadProductFile() {
  const std::string path = listPath("Product");
  const std::vector<std::string> lines = ReadTextLines(path);
  if (lines.size() < 2)
    throw DataFileError(
        path, 0, TextOr(lines::NoProducts, "the product file holds no product and default line"));
  std::vector<ProductRecord> table(lines.size() - 1);
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    ProductRecord& rec = table[i];
    rec.Nr = static_cast<int32_t>(i + 1);
    std::string rest = lines[i];
    std::string problem;
    if (!ParseProductLine(rec, rest, &problem))
      throw DataFileError(path, static_cast<int>(i + 1), problem);
  }
  fx().ProductTable.assign(std::move(table));
  return lines.back();
}

void FillProductCombo(forms::Control& box) {
  const std::string defaultName = LoadProductFile();
  box.clear();
  for (const ProductRecord& rec : fx().ProductTable) box.addItem(rec.Name);
  box.setText(defaultName);
}

void FillThicknessCombo(int position, forms::Control& box) {
  box.clear();
  const auto& state = fx();
  if (position < 0) {
    forms::app().platform().msgBox(state.TextTable[59], forms::mb::Critical, state.TextTable[60]);
    return;
  }
  if (!state.ProductTable.contains(position + 1)) return;
  for (int16_t t : state.ProductTable[position + 1].Thickness) {
    if (t < 1) break;
    box.addItem(IntegerText(t));
  }
  box.setText(box.item(0));
}

void FillMediumCombo(forms::Control& box) {
  fillList(box, "Medie");
}
void FillPipeDiameterCombo(forms::Control& box) {
  fillList(box, "PipeDiam");
}
void FillPipeInnerDiameterCombo(forms::Control& box) {
  fillList(box, "PipeIDia");
}
void FillPlaneEmissivityCombo(forms::Control& box) {
  fillList(box, "PlanEmis");
}
void FillMaterialConstantsCombo(forms::Control& box) {
  fillList(box, "StofKons");
}
void FillPipeEmissivityCombo(forms::Control& box) {
  fillList(box, "PipeEmis");
}
void FillEnergyCombo(forms::Control& box) {
  fillList(box, "energy");
}
void FillClassCombo(forms::Control& box) {
  fillList(box, "Class");
}
void FillClassCombo() {
  FillClassCombo(forms::app().get("frmCalc04").control("IsoKlasse"));
}

bool SelectProduct(int position) {
  auto& state = fx();
  if (!state.ProductTable.contains(position + 1)) return false;
  const ProductRecord& rec = state.ProductTable[position + 1];
  state.LambdaA = rec.Coef0;
  state.LambdaB = rec.Coef1;
  state.LambdaC = rec.Coef2;
  state.SelectedProductNr = static_cast<int16_t>(rec.Nr);
  return true;
}

bool SelectLayerProduct(int position, int layer) {
  auto& state = fx();
  if (!state.ProductTable.contains(position + 1) || layer < 0 || layer > 5) return false;
  const ProductRecord& rec = state.ProductTable[position + 1];
  state.LayerLambdaA[layer + 1] = rec.Coef0;
  state.LayerLambdaB[layer + 1] = rec.Coef1;
  state.LayerLambdaC[layer + 1] = rec.Coef2;
  state.SelectedProductNr = static_cast<int16_t>(rec.Nr);
  return true;
}

void InitVapourPressureConstants() {
  auto& c = fx().VapourPressureConstants;
  c[0] = 20.82648355;
  c[1] = 2948.997118;
  c[2] = 5.02808;
  c[3] = 29811.33781;
  c[4] = 32.923061;
  c[5] = 25.21934913;
  c[6] = 1302.8503;
}

}  // namespace veltaro
