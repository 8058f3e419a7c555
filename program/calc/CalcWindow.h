#pragma once
// What the rest of the program may call on a calculation window: the main window's Calculate
// command, the case files and the reports reach a window by its class name and use this.

#include <string>

namespace forms {
class Control;
}

namespace veltaro {

class CalcWindow {
 public:
  virtual ~CalcWindow() = default;
  // Calculate: check the inputs, run the calculation, show the results.
  virtual void Beregn_Click() = 0;
  // The pipe distances of the window's last calculation, when they belong to the result it
  // shows: set by a calculation that stored them, gone with the next calculation and with
  // the window (a result put back from a case has none until it is calculated again). a and b
  // are the Swedish size-class distances of that calculation.
  struct PipeDistances {
    bool computed = false;
    int a = 0, b = 0;
  };
  virtual PipeDistances pipeDistancesOfResult() const { return {}; }

  // For a case put back into the window. A list that only one of the window's handlers fills
  // (the savings lists, filled when the savings are switched on; a layer's thicknesses, filled
  // by its product) is filled as that handler would fill it, enabled or greyed as it stands;
  // false when no handler of the window fills `list` or it has nothing to fill it from.
  virtual bool fillListAsItsHandlerWould(forms::Control& list) {
    (void)list;
    return false;
  }
  // After a case's record is back: what a calculation derives from the inputs and shows
  // without the record keeping it is derived again.
  virtual void recordRestored() {}
  // The window as after any change of its inputs: its inputs stay, its result boxes are
  // emptied and its result is not valid. A case window that opens not calculated shows so.
  virtual void clearResults() {}
};

// The window class of a calculation number (1-7, 21-24); empty for any other number.
inline std::string calcFormName(int calcNumber) {
  if ((calcNumber >= 1 && calcNumber <= 7) || (calcNumber >= 21 && calcNumber <= 24))
    return std::string(calcNumber < 10 ? "frmCalc0" : "frmCalc") + std::to_string(calcNumber);
  return {};
}

}  // namespace veltaro
