#pragma once
// The multi-layer window: two to six layers of different products on a pipe or a plane. One
// design serves calculations 21, 22 and 23; each window gives its Design (positions, texts and
// which boxes are inputs), its input check and its calculation.
//
// Layer i is row i: PRODUKT(i) and ISOLERINGST(i); Skilleflade(i) is the interface between
// layers i and i+1, OVERFLADE the outer surface, VT the heat loss. The layer count box AntalLag
// decides how many rows show (AntalLag_LostFocus, also called by the case files before they
// fill the rows).

#include <string>

#include "calc/CalcForm.h"
#include "calc/LayerStack.h"

namespace veltaro {

class MultiLayerForm : public CalcForm {
 public:
  // Everything in which the three windows differ.
  struct Design {
    int captionLine;
    int top, height, width;
    const char* countHint;  // hover hint of AntalLag
    const char* labels;     // the window's label array
    bool thicknessInput;    // ISOLERINGST lists (21); else Skilleflade are the inputs
    bool surfaceInput;      // OVERFLADE is a requirement (22)
    bool lossInput;         // VT is a requirement, in the input frame (23)
    int pipeLeft, mmLeft;   // RORCOM and PLANH; the "mm" beside PLANH
    int inputHeight;        // frame Inddata
    int emissionLabelTop, emissionLabelHeight, emissionTop, windTop, windLabelTop;
    int calculateTop;
    int layersWidth, layersHeight, rowsTop;  // frames Flerelag and Frame5
    int thicknessHeadLeft, interfaceHeadWidth, firstProductWidth;
    int thicknessLeft, thicknessWidth, thicknessHeight;
    int resultsTop, resultLabelLeft, surfaceTop, surfaceUnitTop;
    int ambientLabelTop, ambientLabelWidth, ambientTop, ambientUnitTop;
    int lossLabelTop, lossTop, lossUnitLeft;  // VT in Flerelag (21, 22)
    bool halfDiameterRounded;                 // pipe distances: D/2 rounded before adding (22, 23)
  };

  // The layer count rule: below 2 gives "2", above 6 gives "6", and a count between two whole
  // numbers becomes the whole count of the rows it shows; then the rows are shown, each with the
  // default product.
  void AntalLag_LostFocus();
  void Beregn_Click() override;
  bool fillListAsItsHandlerWould(forms::Control& list) override;

  // Rows shown.
  int shownLayers();

 protected:
  MultiLayerForm(const char* className, int calcNumber, const Design& d);

  // What a window's calculation leaves for the common end of Calculate.
  enum class Outcome { Result, Rejected, NoResult };
  // Reads the inputs of n layers, solves and writes the results (ResultValid set on a result).
  virtual Outcome solveLayers(int n) = 0;

  // ---------------------------------------------------------------- for the windows

  StackGeometry stackGeometry();
  // A product row counts as not chosen when it shows the placeholder, nothing, or a text that
  // names no product of its list (its layer would run on a product chosen elsewhere).
  bool productMissing(int row);
  // "text line k" followed by the layer number with its leading blank.
  static std::string numbered(int line, int number);
  // A layer or interface number with its leading blank.
  static std::string number(int k);
  // The checks 22 and 23 share, in their order: geometry, emissivity, wind, the medium
  // temperature, medium against ambient, and the products of the n rows.
  void checkRequirementInputs(InputCheck& check, int n);
  // The geometry checks; `diameterAlways`: the diameter range also when none is chosen.
  void checkGeometry(InputCheck& check, bool diameterAlways);
  // The products of rows 1..n, each "text line 33" with its number.
  void checkLayerProducts(InputCheck& check, int n);
  // The thicknesses of 22 and 23, in whole millimetres, with the markers of a thickness below 0
  // or above 1000 mm; `judgeRounded`: the bounds judge the rounded value. Sums the total.
  Outcome writeThicknesses(int n, const LayerThicknesses& s, bool judgeRounded);
  double totalThicknessMm_ = 0;  // for the pipe distances

 private:
  Placement placement() const override { return {d_.top, d_.height, d_.width, 1400, 2860, 2810}; }
  int windowCaptionLine() const override { return d_.captionLine; }
  std::vector<CaptionLine> captionLines() const override;
  void fillProductLists() override;
  forms::Control* nextAfterProduct() override { return nullptr; }
  forms::Control* nextAfterPipeSize() override;
  forms::Control* nextOnProductEnter() override { return nullptr; }
  forms::Control& pipeSizeProduct() override { return control("PRODUKT", 0); }
  SearchEnd calculate() override { return {}; }  // Calculate is the window's own

  void build();
  void bindHandlers();
  void PRODUKT_Click(int i);
  void PRODUKT_LostFocus(int i);
  // The pipe-size question about the innermost layer's product, and where the focus goes.
  void askPipeSize(int row);
  void matchLayerRows();
  void warnLayerLimits(int n);

  Design d_;
};

}  // namespace veltaro
