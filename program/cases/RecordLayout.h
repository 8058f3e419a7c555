#pragma once
// The record files of a case: one fixed-length record per calculation window, described as
// data. Each layout lists its fields in file order with their offsets and widths, the control
// each field comes from and goes back into (by name and array index, as the window registry
// reaches them), and the step at which the reader puts it back. The writer and the reader
// both walk the same table, so a field cannot be written at one offset and read at another.
//
// Field types in the file: texts are blank-padded in the market's code page and cut at their
// width in bytes; integers are signed 16-bit little-endian; the conductivity coefficients
// are little-endian IEEE doubles.

#include <optional>
#include <string>
#include <vector>

namespace forms {
class Form;
}

namespace veltaro::cases {

enum class FieldKind {
  Text,            // a box's or list's text, put back trimmed
  BlankText,       // put back as one blank followed by the trimmed text (diameter lists)
  RawText,         // put back exactly as stored, trailing blanks included
  LayerCount,      // a raw text after which the box's LostFocus handler lays out the rows
  GeometryText,    // RORCOM's text for a pipe (with a leading blank), PLANH's for a plane
  GeometryIndex,   // RORCOM's list position for a pipe; 0 and not read for a plane
  ListIndex,       // a list's position; -1 (a typed value) leaves the text as it was put
  FirstUnitIndex,  // a list's position, stored as 0 when nothing is selected
  OptionPair,      // -1 when `control` is on; the reader switches it and then `partner`
  CheckBox,        // -1 when checked (value 1), else 0
  OptionIndex,     // the index of the selected member of an option array (0..2)
  Coefficient,     // the window's product's conductivity coefficient `index` (0, 1, 2)
  Reserved,        // zero bytes, never read
};

struct Field {
  int offset;
  int width;
  FieldKind kind;
  const char* control;
  int index;    // array index of the control, -1 for a single control
  int step;     // the reader puts fields back by rising step, in file order within a step
  bool result;  // a computed value: a cut result is what the file has always kept
  const char* partner = nullptr;
  int partnerIndex = -1;
};

struct RecordLayout {
  int calcType;           // element of ResultValid
  int calcNumber;         // the window's calculation number
  const char* extension;  // with its point, upper case
  int length;             // bytes
  std::vector<Field> fields;
};

// The eleven layouts in CalcType order 1..11.
const std::vector<RecordLayout>& RecordLayouts();
// The layout of a CalcType; nullptr for any other number.
const RecordLayout* LayoutOfType(int calcType);

// A value that the record cannot keep as it is (it would come back as another value).
struct CutField {
  std::string field;  // its caption on the window
  std::string text;   // as the window holds it
  std::string kept;   // what the record keeps
};

// The record of `window` as the layout describes it. Reads the controls only.
// `cuts` receives the values that would come back changed (KeptIfChanged).
std::string WriteRecord(const RecordLayout& layout, forms::Form& window,
                        std::vector<CutField>* cuts = nullptr);

// Puts a full record (at least layout.length bytes) back into `window` through its controls,
// in the layout's step order, so that the window's own handlers run as for a user's input.
// Returns what could not be put back (a list position outside its list, a missing control,
// a calculation type outside its options); an empty list means the whole record came back.
std::vector<std::string> ReadRecord(const RecordLayout& layout, forms::Form& window,
                                    const std::string& bytes);

// --- The field codings, shared with the header file ---

// `text` in the market's code page, cut at `width` bytes or padded with blanks to it.
std::string EncodeText(const std::string& text, int width);
// The field's bytes decoded from the market's code page (not trimmed).
std::string DecodeText(const std::string& bytes, int offset, int width);
// What a text field of `width` bytes gives back of `text` (trimmed) when that is worth a word
// before saving, else nothing. A typed text: when it is cut or holds a letter the market's code
// page lacks. A computed `result`, which the file has always kept cut: only when the cut drops
// digits before the decimal separator.
std::optional<std::string> KeptIfChanged(const std::string& text, int width, bool result);
void PutInt16(std::string& record, int offset, int value);
int GetInt16(const std::string& record, int offset);
void PutDouble(std::string& record, int offset, double value);
double GetDouble(const std::string& record, int offset);

}  // namespace veltaro::cases
