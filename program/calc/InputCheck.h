#pragma once
// The frame of every calculation window's input check. Each failed test appends its
// text-table line to the list in the input-error window; the first failure brings the header
// (the window's caption, line 19 and a row of 88 dashes), the savings section has its own
// header, and a list with any failure ends with 100 blanks and line 18. Every test runs,
// whatever failed before it; the caller shows the list when the check returns false.

#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace forms {
class Control;
class Form;
}  // namespace forms

namespace veltaro {

class InputCheck {
 public:
  // Hides the input-error window (creating it, unshown, when needed) and empties its list.
  // `headerLine` is the text-table line under the caption in the header.
  explicit InputCheck(forms::Form& window, int headerLine = 19);
  ~InputCheck();
  InputCheck(const InputCheck&) = delete;
  InputCheck& operator=(const InputCheck&) = delete;

  // Writes `line` when `failed`.
  void test(bool failed, int line);
  // Writes a composed line when `failed`.
  void test(bool failed, const std::string& line);
  // The header without its row of dashes.
  void omitDashes() { dashes_ = false; }
  // From here on a failure writes the savings header (with the trimmed frame caption) once.
  void beginSavings(const std::string& savingsFrameCaption);
  // Appends the closing line when anything failed; true when every test passed.
  bool finish();

  // A list counts as not chosen when its text, in upper case, contains text-table line 75.
  static bool notChosen(std::string_view listText);
  // Whether a box's text holds a number at all: the reader gives 0 for a text without one,
  // which must not pass as an entered 0.
  static bool holdsNumber(std::string_view text);

  // The number `box` holds, read as the calculation reads it. Digits beyond the range of a
  // double (a box of 400 nines) hold no number: the box is refused here, once, with a line
  // naming it by its caption on the window, and the tests of its value are left out. An
  // exponent form ("1E+400") is read as 10000 or 0.0001, as every reader of a box reads it.
  std::optional<double> number(const forms::Control& box);
  // The lowest temperature there is, in °C.
  static constexpr double kAbsoluteZero = -273.15;
  // Refuses a temperature typed below absolute zero with a line naming its box by its
  // caption. A box the window hides or disables takes no input and is passed over; a box
  // refused as beyond range has its one line already.
  void temperature(const forms::Control& box);
  // The caption the window shows for a box: the nearest caption to its left on its row, else
  // the heading above its column followed by the row number of an array element; a list with
  // neither is known by the prompt it shows, else by its frame's caption, as is an option.
  static std::string fieldCaption(const forms::Control& box);

  // Hears every test a check runs, failed or not, with the line it would write and whether it
  // belongs to the savings section: the listing of what each window can refuse is made from
  // it. No recorder listens while the program runs.
  class Recorder {
   public:
    virtual ~Recorder() = default;
    virtual void tested(const std::string& line, bool savings) = 0;
  };
  static void setRecorder(Recorder* recorder) { recorder_ = recorder; }

 private:
  void append(const std::string& addition);
  forms::Control& list_;
  std::string caption_;
  std::string savingsCaption_;
  int headerLine_;
  bool ok_ = true;
  bool headerWritten_ = false;
  bool savings_ = false;
  bool dashes_ = true;
  static Recorder* recorder_;
  std::set<const forms::Control*> refused_;
};

// Upper case of a UTF-8 text for the letters of the markets' languages (ASCII, Latin-1 and
// Latin Extended-A); other characters stay as they are.
std::string UpperCase(std::string_view text);

}  // namespace veltaro
