#pragma once
// Reference data files of the market ("\Text\<base>.<suffix>", suffix as CountrySuffix) and
// the product table.
//
// A list file of N lines gives N-1 items, each exactly as read, and its last line is the text
// the box shows after filling (its default). The product file is read the same way: lines
// 1..N-1 are products, line N the default product name. Every fill reads its file again.
// A missing file, a product file of fewer than two lines or a malformed product line raises
// DataFileError naming the file and the line.

#include <string>

#include "core/Fx.h"

namespace forms {
class Control;
}

namespace veltaro {

// Rebuilds ProductTable; returns the default product name (the file's last line).
std::string LoadProductFile();
// Fills `rec` from a product line "name;Coef0;Coef1;Coef2;TempLimit1;TempLimit2;t1;...;t30;".
// The line is consumed field by field and left holding the unread rest. Returns false (and
// leaves `problem` saying why) when a field lacks its closing ";" or a thickness does not fit a
// 16-bit integer.
bool ParseProductLine(ProductRecord& rec, std::string& line, std::string* problem = nullptr);

void FillProductCombo(forms::Control& box);
// The thicknesses of the product at 0-based `position` in the product box; a position below 0
// shows the "no product chosen" message (lines 59/60) and leaves the box empty.
void FillThicknessCombo(int position, forms::Control& box);

void FillMediumCombo(forms::Control& box);             // "Medie"
void FillPipeDiameterCombo(forms::Control& box);       // "PipeDiam"
void FillPipeInnerDiameterCombo(forms::Control& box);  // "PipeIDia"
void FillPlaneEmissivityCombo(forms::Control& box);    // "PlanEmis"
void FillMaterialConstantsCombo(forms::Control& box);  // "StofKons"
void FillPipeEmissivityCombo(forms::Control& box);     // "PipeEmis"
void FillEnergyCombo(forms::Control& box);             // "energy"
void FillClassCombo(forms::Control& box);              // "Class"
// The class list IsoKlasse of calculation window 4, reached by name.
void FillClassCombo();

// Copies the coefficients of the product at 0-based box position into LambdaA..LambdaC and its
// Nr into SelectedProductNr. A position outside ProductTable (-1 when nothing is chosen) is
// refused: nothing changes and the result is false.
bool SelectProduct(int position);
// The same into element layer + 1 (layer 0..5) of LayerLambdaA..LayerLambdaC.
bool SelectLayerProduct(int position, int layer);

// The seven constants of the saturation-vapour-pressure equation.
void InitVapourPressureConstants();

}  // namespace veltaro
