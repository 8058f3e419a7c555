#pragma once
// The calculation-window template. Every calculation window derives from CalcForm and gets
// from it the lifecycle (load, activate, unload), the input handler families (clear the
// results on every change or focus, the key filters of the numeric boxes), the geometry and
// location switches, the product and pipe-size choice with the pipe-only question, the frame
// of the input check, and the frame of Calculate around the window's own search.
//
// A result on screen always belongs to the inputs beside it: every handler that sees the user
// touch an input runs ClearResults, which empties the result boxes, clears the window's
// ResultValid entry, closes the pipe-distance windows and blanks the details.
//
// A window's constructor builds its controls (its design state) and then binds the handler
// families by naming their members; the template finds the common controls by name.

#include <exception>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "calc/CalcWindow.h"
#include "forms/Form.h"

namespace veltaro {

class InputCheck;

class CalcForm : public forms::Form, public CalcWindow {
 public:
  CalcForm(const char* className, int calcNumber);

  int calcNumber() const { return number_; }
  int calcType() const { return type_; }
  int16_t listIndexOnFocus() const { return ListIndexOnFocus; }

  // Calculate: pipe distances zeroed, input check, results cleared, the window's search, then
  // the result checks, pipe distances and the product's temperature limits.
  void Beregn_Click() override;

  PipeDistances pipeDistancesOfResult() const override { return pipeDistances_; }
  void clearResults() override { ClearResults(); }

  void Form_Load() override;
  void Form_Activate() override;
  // F1 anywhere in the window: its own help page; the key goes no further.
  void Form_KeyDown(int& keyCode, int shift) override;
  void Form_Unload(int& cancel) override;

 protected:
  // ------------------------------------------------------------ what a window describes

  struct Placement {
    int top, height, width;
    int leftNormal;                   // main window in its normal state
    int leftMaximized, topMaximized;  // main window maximised
  };
  virtual Placement placement() const = 0;
  virtual int windowCaptionLine() const = 0;
  // The captioned controls with their text-table lines, in the order they are set at load.
  // Frames get a blank before and after the text.
  struct CaptionLine {
    const char* name;
    int index;
    int line;
  };
  virtual std::vector<CaptionLine> captionLines() const = 0;
  // Load work that comes before the captions (window 1's market layout).
  virtual void loadLayout() {}
  // Load work after the lists are filled, before the window becomes the active calculation.
  virtual void loadFinish() {}
  // Fills the product list at load (the multi-layer windows show their layer rows instead).
  virtual void fillProductLists();
  // The product that the pipe-size question asks about.
  virtual forms::Control& pipeSizeProduct() { return control("PRODUKT"); }

  // Where the focus goes after Yes to the pipe-only question, and on Enter in the product list
  // (nullptr: it stays).
  virtual forms::Control* nextAfterProduct() = 0;
  virtual forms::Control* nextAfterPipeSize() = 0;
  virtual forms::Control* nextOnProductEnter() = 0;

  // Empties the window's result boxes (those marked by resultBoxes), run by ClearResults.
  void clearResultBoxes();
  // Indoors: INDE on the template; window 1 has its own option array.
  virtual bool indoors() const;

  // ------------------------------------------------------------ template operations

  virtual void ClearResults();
  virtual bool ValidateInput() = 0;
  virtual void SetPipeMode();
  virtual void SetPlaneMode();
  void INDE_Click();
  void UDE_Click();
  void PRODUKT_Click();
  void RORCOM_Click();
  void PRODUKT_KeyDown(int& keyCode);
  // The product choice itself (window 1 also fills its thickness list).
  virtual void productChosen(int listIndex);
  // Whether RORCOM_Click asks the pipe-only question in plane geometry too (window 1).
  virtual bool pipeQuestionInAnyGeometry() const { return false; }

  // Unit labels that the template's switches work on (lblUnit elements).
  struct TemplateUnits {
    int planeHeight;               // the "mm" beside PLANH
    int lossPipe;                  // "W/m" of the heat loss (-1: the window shows no loss)
    int lossPlane;                 // "W/m²" of the heat loss (-1: as above)
    int wind;                      // "m/s"
    const char* windCaptionArray;  // the caption label array
    int windCaption;               // its element beside VINDHASTIGHED
    bool pipeEnablesVertical;      // SetPipeMode enables LOD too
  };
  TemplateUnits units_{};

  // ------------------------------------------------------------ handler families

  void familyChange(std::initializer_list<const char*> names);
  void familyTextGotFocus(std::initializer_list<const char*> names);
  void familyListGotFocus(std::initializer_list<const char*> names);
  void familyOptionGotFocus(std::initializer_list<const char*> names);
  void familyListLostFocus(std::initializer_list<const char*> names);
  void familyUnsignedKeys(std::initializer_list<const char*> names);
  void familySignedKeys(std::initializer_list<const char*> names);
  void familyWholeNumberKeys(std::initializer_list<const char*> names);
  void familyNoTyping(std::initializer_list<const char*> names);
  // The same rules for one control (an element of a control array).
  void clearOnChange(forms::Control& c);
  void selectTextOnFocus(forms::Control& c);
  void storeListIndexOnFocus(forms::Control& c);
  void clearIfListIndexChanged(forms::Control& c);
  void unsignedKeys(forms::Control& c);
  void signedKeys(forms::Control& c);
  // Any number of "-" anywhere; one decimal separator.
  void looseSignKeys(forms::Control& c);
  void noTyping(forms::Control& c);
  // On leaving, the box shows the number it reads as, in the user's locale ("" becomes "0").
  void normaliseOnLeave(forms::Control& c);
  // Binds the template's own handlers (switches, product and pipe-size clicks, product keys,
  // the Calculate button) to the controls of that name.
  void bindTemplateHandlers();

  void showOwnHelp();

  // ------------------------------------------------------------ input check helpers

  // The tests shared by the windows, each writing its line when it fails.
  void checkPipeAndPlane(InputCheck& check, bool outdoors);  // A1, A2, B1, B2
  void checkMediumGiven(InputCheck& check);                  // C
  void checkTemperaturesDiffer(InputCheck& check);           // D
  void checkProductChosen(InputCheck& check);                // E
  void checkEmissivity(InputCheck& check);                   // F1, F2
  void checkWind(InputCheck& check);                         // G
  void checkAmbientGiven(InputCheck& check);                 // H
  // Run after all the window's other tests: each temperature box named (each row of an
  // array), in the order the window shows them, refused below absolute zero.
  void checkTemperatures(InputCheck& check, std::initializer_list<const char*> names);

  // ------------------------------------------------------------ Calculate frame

  // How a window's search ended, for the common result checks.
  struct SearchEnd {
    bool converged = true;  // false: passes exhausted, or a stop the search could not check
  };
  // The window's inputs, search and outputs (after the product is selected): fills the details,
  // writes the rounded results and sets ResultValid. A RunTimeError thrown from here (a
  // floating-point fault) ends the run as non-convergence.
  virtual SearchEnd calculate() = 0;
  // True for the windows whose result is a thickness (checked against 0 and 1000 mm).
  virtual bool computesThickness() const { return false; }
  // After a floating-point fault: true when it came from a thickness that ran away beyond any
  // size, which is shown as a thickness above 1000 mm.
  virtual bool faultWasRunawayThickness() const { return false; }
  // The savings step of a run whose heat-loss results stand. The shared coefficients, heat flow
  // and flow regime come back as the run left them: the details show the insulated object, not
  // the bare one the saving is measured against. A saving beyond the range of the money value
  // (a price, length or operating time beyond reason) leaves the saving empty and says so,
  // pointing at the savings inputs, while the heat-loss results stay.
  void savingsStep(const std::function<void()>& step);
  // The window's own closing steps, run after every calculation that passed the input check.
  virtual void closingSteps() {}
  // True for a window that empties its results before the input check, so that a failed
  // check leaves no result of an earlier run beside the changed inputs.
  virtual bool clearsResultsBeforeCheck() const { return false; }
  // Runs after a thickness below 0 or above 1000 mm has replaced the results, for a window
  // that shows some of its results again beside that verdict.
  virtual void thicknessRejected() {}
  // The product variables a run starts from (the window's one product list by default).
  virtual void selectProducts();

  // The surface coefficient of one pass: convection by geometry, location and orientation,
  // radiation (which may move ts by 0.001 when it equals ta), and their sum.
  struct Surface {
    bool pipe;
    bool indoors;
    bool vertical;
    double size;  // outer diameter of the insulated pipe, or the plane's height, m
    double emissivity;
  };
  void surfaceCoefficient(const Surface& s, double& ts, double ta, double wind);
  // The convective part alone (ConvectiveCoefficient and FlowRegimeText).
  void convection(const Surface& s, double ts, double ta, double wind);
  // The heat flow of an insulated pipe (inner diameter Di, m; the surface's size the outer
  // one) settled with its surface coefficient and surface temperature ts, from a start of
  // 7 W/m and ts given. qPrev: the heat flow of the pass before the last. Out of passes, a last
  // change below 2 % is accepted as the mean of the last two; otherwise not converged.
  SearchEnd settlePipeHeatFlow(const Surface& g, double ti, double ta, double Di, double wind,
                               double& ts, double& qPrev);

  // Shared steps of the frame.
  // This calculation's pipe distances closed and zeroed.
  void resetPipeDistances();
  // The input-error window shown on top of every window.
  void showInputErrors();
  void closePipeDistanceWindows();
  // The message of a search that did not converge (after the results are cleared).
  virtual void showNonConvergence();
  virtual void handOffPipeDistances();
  // The thickness in mm the pipe distances are measured from; none: no distances are shown.
  virtual std::optional<double> pipeDistanceThickness();
  // For a total thickness: D the pipe diameter in whole millimetres (the Swedish size class),
  // centre the distance from the pipe's axis to the insulation's outside, mm.
  void handOffPipeDistances(double D, double thicknessMm, double halfDiameter);
  // The warning when the medium or surface temperature lies outside the product's limits.
  virtual void warnProductLimits();
  // A number read from a box through the lenient reader.
  double num(const char* name, int index = -1);
  // The same, read for the input check: none for a box the check refused as beyond range.
  std::optional<double> checked(InputCheck& check, const char* name, int index = -1);
  bool isSet(const char* name, int index = -1);
  // Writes a text into a box; the box's own handlers run as for any assignment.
  void put(const char* name, const std::string& text);

  // A value computed inside a search: a NaN or an infinity is a floating-point fault.
  static double finite(double x);
  // A search's running value kept in a box: read through the lenient reader, written as a
  // text that reads back to the same number.
  static double readBox(const forms::Control& box);
  static void writeBox(forms::Control& box, double x);
  // Runs one step of a handler that ignores run-time errors: a failing step is skipped.
  template <class F>
  static void ignoringErrors(F&& step) {
    try {
      step();
    } catch (const std::exception&) {
    }
  }

  // ------------------------------------------------------------ building the design

  forms::Control& make(forms::ControlKind kind, const char* name, int index,
                       forms::Control* container, int left, int top, int width, int height,
                       const char* caption = nullptr);
  // The frames of geometry (Frame2), location (Frame3) and orientation (Frame4) at the places
  // most windows have them: pipe, indoors and horizontal selected, PLANH disabled; `planeUnit`
  // is the lblUnit element of the "mm" beside PLANH.
  void makeSiteFrames(int planeUnit, int planeUnitTop = 765, int planeHeightBox = 315);
  // Frames and result boxes carry the bold font of the design.
  void boldDesignFont(std::initializer_list<const char*> names);
  // Result boxes, in the order ClearResults empties them. They are written only by the
  // calculation, so they take no typing: a typed number would pass for a result in a saved
  // case or a report. `shaded`: the 3D-light background of the windows designed with it.
  void resultBoxes(std::initializer_list<const char*> names, bool shaded);
  void resultBox(forms::Control& box, bool shaded);
  // The tab order: the controls in the order given, by name and index.
  struct TabStop {
    const char* name;
    int index = -1;
  };
  void tabOrder(std::initializer_list<TabStop> stops);
  void tabOrder(std::initializer_list<const char*> names);

  int16_t ListIndexOnFocus = 0;

 private:
  void runCalculation();
  void showLossUnit(bool pipe);
  int number_;
  int type_;
  PipeDistances pipeDistances_;
  std::vector<forms::Control*> results_;
};

}  // namespace veltaro
