#pragma once
// The report document that every calculation's report is built of: the value conversions,
// the row kinds, the shared fragments (logo, contact block, pipe-distance tables) and the
// frame around a writer's own rows.
//
// A writer reads nothing from the calculation itself: every label and value comes from the
// window's controls by name at the moment of writing, from the main window's case fields,
// from the text table and from the pipe distances. A control the window does not have ends
// the writer with std::out_of_range; the caller tells the user that no report was written.
//
// The document is built as UTF-8 lines; the file gets CR LF after every line and the market's
// code page. Every text a user typed or a data file supplied (case fields, inputs, product
// names, address lines) is escaped; the program's own captions and fixed pieces are written
// as they stand.

#include <string>
#include <string_view>

namespace forms {
class Form;
}

namespace veltaro {

// The unit text of a temperature: the degree sign as the report writes it.
inline constexpr const char* kDegrees = " &#176C";

// The number in a text written with a point, no grouping and no zero before the point; a
// number beyond the range of a double is left as it was typed.
std::string ReportNumberText(std::string_view text);
// The same rounded (halves to even) to `decimals` decimals; empty for a text without a digit.
std::string ReportRoundedText(std::string_view text, int decimals);
// A text that is a number becomes that number rounded half away from zero, without grouping,
// and empty for 0; any other text stays as it is. Read with ParseNumber, so "12.6" is 13 under
// a decimal comma too.
std::string ReportWholeNumberText(std::string_view text);
// A whole text that is a number: blanks, an optional sign, digits and at most one separator.
bool IsNumberText(std::string_view text);
// & < > " and ' as character references.
std::string HtmlEscape(std::string_view text);

// A picture of the program's Images folder as it exists on this system.
std::string ReportPicturePath(std::string_view fileName);
// The image tag of the market's logo.
std::string HtmlLogoTag();

class ReportDocument {
 public:
  ReportDocument(forms::Form& form, int calcNumber);

  forms::Form& form() const { return form_; }
  int calcNumber() const { return number_; }

  // ---- reading the window
  // A caption as the window shows it.
  const std::string& caption(std::string_view name, int index = -1) const;
  // A box's text as typed, escaped.
  std::string text(std::string_view name, int index = -1) const;
  const std::string& rawText(std::string_view name, int index = -1) const;
  bool isSet(std::string_view name, int index = -1) const;
  bool plane() const { return isSet("PLAN"); }
  // " " and then "W/m²" or "W/m" with a blank of their own: two blanks after the number.
  std::string heatLossUnit() const;
  // A box's text as a whole number (ReportWholeNumberText), escaped.
  std::string wholeNumber(std::string_view name) const;

  // ---- rows
  void line(std::string text);
  void sectionRow(const std::string& caption);
  void choiceRow(const std::string& label, const std::string& chosen);
  void valueRow(const std::string& label, const std::string& value, const std::string& unit = "");
  void blankRows(int count);
  void spacerRow();
  void geometryRow();
  // A value row of the window's label array element `label` with a box's text.
  void boxRow(const char* labels, int label, std::string_view box, const std::string& unit = "");

  // ---- the shared tables
  void contactBlock();
  void pipeDistance(int calcType);
  void pipeDistanceSE(int calcType, int a, int b);

  const std::string& lines() const { return lines_; }

 private:
  // The wave picture, a spacer cell and the cell of the distances.
  void pipeDistanceTable(const char* spacerWidth, const std::string& distances);

  forms::Form& form_;
  int number_;
  std::string lines_;  // every line ended by "\n"
};

// The whole report of calculation `calcNumber` (1-7, 21-24) from `window`: UTF-8 lines, each
// ended by "\n". Throws std::out_of_range for another number or a control the window lacks.
std::string ReportLines(int calcNumber, forms::Form& window, bool autoPrint);

}  // namespace veltaro
