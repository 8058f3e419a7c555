// The one writer and the one reader of every record layout.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>

#include "calc/CalcWindow.h"
#include "calc/InputCheck.h"
#include "cases/CaseFiles.h"
#include "cases/RecordLayout.h"
#include "core/Fx.h"
#include "core/MessageLines.h"
#include "core/NumericInput.h"
#include "core/TextFile.h"
#include "forms/Form.h"

namespace veltaro::cases {

using forms::Control;

// ---------------------------------------------------------------- codings

std::string EncodeText(const std::string& text, int width) {
  std::string bytes = EncodeCodePage(text, MarketCodePage());
  bytes.resize(static_cast<std::size_t>(width), ' ');
  return bytes;
}

std::string DecodeText(const std::string& bytes, int offset, int width) {
  return DecodeCodePage(std::string_view(bytes).substr(static_cast<std::size_t>(offset),
                                                       static_cast<std::size_t>(width)),
                        MarketCodePage());
}

namespace {

// Whether cutting a number's text at `width` bytes changes more than the digits after its
// decimal separator: "243657719" cut to "24365771" is a tenth of the value, "1.5E+20" cut to
// "1.5E+2" another number altogether, while "1234.5" cut to "1234" keeps every whole digit.
// A text that is no number is cut silently as always.
bool cutChangesMagnitude(std::string_view text, std::size_t width) {
  std::size_t i = text.find_first_not_of(' ');
  if (i == std::string_view::npos) return false;
  if (text[i] == '-' || text[i] == '+') ++i;
  if (i == text.size() || text.substr(i, 1).find_first_of("0123456789.,") != 0) return false;
  if (text.find_first_of("EeDd", i) != std::string_view::npos) return true;
  // The whole digits all stand before the separator (or make up the whole text).
  return text.find_first_of(".,", i) > width;
}

}  // namespace

std::optional<std::string> KeptIfChanged(const std::string& text, int width, bool result) {
  const std::string bytes = EncodeCodePage(text, MarketCodePage());
  const auto w = static_cast<std::size_t>(width);
  const bool cut = bytes.size() > w;
  // A letter the code page lacks is stored as "?".
  const bool lossy = DecodeCodePage(bytes, MarketCodePage()) != text;
  if (result ? !(cut && cutChangesMagnitude(bytes, w)) : !(cut || lossy)) return std::nullopt;
  return TrimSpaces(DecodeText(EncodeText(text, width), 0, width));
}

// Little-endian whatever the machine: the files are exchanged between installations.
void PutInt16(std::string& record, int offset, int value) {
  const auto v = static_cast<uint16_t>(static_cast<int16_t>(value));
  record[static_cast<std::size_t>(offset)] = static_cast<char>(v & 0xff);
  record[static_cast<std::size_t>(offset) + 1] = static_cast<char>(v >> 8);
}

int GetInt16(const std::string& record, int offset) {
  const auto lo = static_cast<unsigned char>(record[static_cast<std::size_t>(offset)]);
  const auto hi = static_cast<unsigned char>(record[static_cast<std::size_t>(offset) + 1]);
  return static_cast<int16_t>(static_cast<uint16_t>(lo | (hi << 8)));
}

void PutDouble(std::string& record, int offset, double value) {
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  for (int i = 0; i < 8; ++i)
    record[static_cast<std::size_t>(offset + i)] = static_cast<char>((bits >> (8 * i)) & 0xff);
}

double GetDouble(const std::string& record, int offset) {
  uint64_t bits = 0;
  for (int i = 0; i < 8; ++i)
    bits |= static_cast<uint64_t>(
                static_cast<unsigned char>(record[static_cast<std::size_t>(offset + i)]))
            << (8 * i);
  double value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

namespace {

bool isPipe(forms::Form& window) {
  return window.control("ROR").isSet();
}

// The control a geometry text belongs to: the diameter list of a pipe, the height of a plane.
Control& geometryControl(forms::Form& window, bool pipe) {
  return pipe ? window.control("RORCOM") : window.control("PLANH");
}

double coefficient(forms::Form& window, int which) {
  const FX& s = fx();
  const int position = window.control("PRODUKT").listIndex();
  // The window's own product, whichever product another window selected last.
  if (s.ProductTable.contains(position + 1)) {
    const ProductRecord& p = s.ProductTable[position + 1];
    return which == 0 ? p.Coef0 : which == 1 ? p.Coef1 : p.Coef2;
  }
  return which == 0 ? s.LambdaA : which == 1 ? s.LambdaB : s.LambdaC;
}

bool isText(FieldKind k) {
  return k == FieldKind::Text || k == FieldKind::BlankText || k == FieldKind::RawText ||
         k == FieldKind::LayerCount || k == FieldKind::GeometryText;
}

}  // namespace

// ---------------------------------------------------------------- writer

std::string WriteRecord(const RecordLayout& layout, forms::Form& window,
                        std::vector<CutField>* cuts) {
  std::string record(static_cast<std::size_t>(layout.length), '\0');
  const bool pipe = isPipe(window);
  for (const Field& f : layout.fields) {
    if (isText(f.kind)) {
      Control& c = f.kind == FieldKind::GeometryText ? geometryControl(window, pipe)
                                                     : window.control(f.control, f.index);
      // The reader puts a diameter back behind one blank whatever the file holds before it, so
      // the file holds none: a reopened typed diameter saves back the bytes it came from.
      const bool blankLed =
          f.kind == FieldKind::BlankText || (f.kind == FieldKind::GeometryText && pipe);
      const std::string bytes = EncodeText(
          blankLed ? c.text().substr(std::min(c.text().find_first_not_of(' '), c.text().size()))
                   : c.text(),
          f.width);
      record.replace(static_cast<std::size_t>(f.offset), bytes.size(), bytes);
      // A list entry comes back whole through its position, and a list's prompt ("SELECT
      // inner pipe diameter") is no value anyone typed.
      const bool list = c.kind() == forms::ControlKind::ComboBox;
      const bool typed = !list || (c.listIndex() < 0 && !InputCheck::notChosen(c.text()));
      if (cuts && (typed || f.result))
        if (auto kept = KeptIfChanged(c.text(), f.width, f.result))
          cuts->push_back({InputCheck::fieldCaption(c), c.text(), *kept});
      continue;
    }
    int value = 0;
    switch (f.kind) {
      case FieldKind::GeometryIndex:
        value = pipe ? window.control(f.control, f.index).listIndex() : 0;
        break;
      case FieldKind::ListIndex:
        value = window.control(f.control, f.index).listIndex();
        break;
      case FieldKind::FirstUnitIndex:
        // Nothing selected is kept as the first unit; the window itself is left as it is.
        value = std::max(0, window.control(f.control, f.index).listIndex());
        break;
      case FieldKind::OptionPair:
        value = window.control(f.control, f.index).isSet() ? -1 : 0;
        break;
      case FieldKind::CheckBox:
        value = window.control(f.control, f.index).value() == 1 ? -1 : 0;
        break;
      case FieldKind::OptionIndex:
        for (Control* c : window.controlArray(f.control))
          if (c->isSet() && c->index() >= 0 && c->index() <= 2) value = c->index();
        break;
      case FieldKind::Coefficient:
        PutDouble(record, f.offset, coefficient(window, f.index));
        continue;
      default:  // reserved bytes stay zero
        continue;
    }
    PutInt16(record, f.offset, value);
  }
  return record;
}

// ---------------------------------------------------------------- reader

namespace {

class Restore {
 public:
  Restore(forms::Form& window, const std::string& bytes)
      : w_(window), calc_(dynamic_cast<CalcWindow*>(&window)), bytes_(bytes) {}

  void put(const Field& f, bool pipe) {
    switch (f.kind) {
      case FieldKind::GeometryText: {
        const std::string t = TrimSpaces(DecodeText(bytes_, f.offset, f.width));
        if (pipe)
          putText(w_.control("RORCOM"), " " + t);
        else
          w_.control("PLANH").setText(t);
        return;
      }
      case FieldKind::GeometryIndex:
        if (pipe) position(f);
        return;
      case FieldKind::Text:
        if (Control* c = find(f)) putText(*c, TrimSpaces(DecodeText(bytes_, f.offset, f.width)));
        return;
      case FieldKind::BlankText:
        if (Control* c = find(f))
          putText(*c, " " + TrimSpaces(DecodeText(bytes_, f.offset, f.width)));
        return;
      case FieldKind::RawText:
      case FieldKind::LayerCount:
        if (Control* c = find(f)) {
          c->setText(DecodeText(bytes_, f.offset, f.width));
          // The layer count lays out its rows when it loses the focus.
          if (f.kind == FieldKind::LayerCount && c->onLostFocus) c->onLostFocus();
        }
        return;
      case FieldKind::ListIndex:
      case FieldKind::FirstUnitIndex:
        position(f);
        return;
      case FieldKind::OptionPair: {
        Control* on = find(f);
        Control* off = w_.findControl(f.partner, f.partnerIndex);
        if (!on || !off) return missing(f);
        // The first button first, then its partner, whichever of them is switched on; with
        // both in one frame, only the one switched on runs its click handler.
        const bool set = GetInt16(bytes_, f.offset) != 0;
        on->setValue(set ? 1 : 0);
        off->setValue(set ? 0 : 1);
        return;
      }
      case FieldKind::CheckBox:
        if (Control* c = find(f)) c->setValue(GetInt16(bytes_, f.offset) != 0 ? 1 : 0);
        return;
      case FieldKind::OptionIndex: {
        const int i = GetInt16(bytes_, f.offset);
        Control* c = w_.findControl(f.control, i);
        if (c) return c->setValue(1);
        const auto choices = w_.controlArray(f.control);
        if (choices.empty()) return missing(f);
        problems.push_back(Text(lines::NoSuchChoice, {InputCheck::fieldCaption(*choices.front())}));
        return;
      }
      case FieldKind::Coefficient: {
        FX& s = fx();
        const double v = GetDouble(bytes_, f.offset);
        (f.index == 0 ? s.LambdaA : f.index == 1 ? s.LambdaB : s.LambdaC) = v;
        return;
      }
      case FieldKind::Reserved:
        return;
    }
  }

  std::vector<std::string> problems;

 private:
  Control* find(const Field& f) {
    Control* c = w_.findControl(f.control, f.index);
    if (!c) missing(f);
    return c;
  }
  // Only a record whose layout and window disagree: the field has nothing to be named by.
  void missing(const Field& f) {
    problems.push_back(Text(lines::NoSuchField, {std::to_string(f.offset)}));
  }

  // A list's prompt, kept cut by its field, comes back as the prompt the list shows whole.
  static void putText(Control& c, const std::string& text) {
    if (c.kind() == forms::ControlKind::ComboBox && InputCheck::notChosen(text) &&
        InputCheck::notChosen(c.text()))
      return;
    c.setText(text);
  }

  // A stored position of -1 is a typed value: the text put just before it stays. An empty list
  // that only a handler fills which did not run (the savings lists with the savings off) is
  // filled as that handler would and takes its position. A position the list does not hold is
  // skipped with the text kept; it matters only on a row in use.
  void position(const Field& f) {
    Control* c = find(f);
    if (!c) return;
    const int i = GetInt16(bytes_, f.offset);
    if (i == -1 || c->setListIndex(i)) return;
    if (c->listCount() == 0 && calc_) {
      const std::string text = c->text();
      if (calc_->fillListAsItsHandlerWould(*c) && !c->setListIndex(i)) c->setTextSilently(text);
      if (c->listIndex() == i) return;
    }
    if (!c->visible()) return;
    // Counted from 1, as a user counts the entries.
    problems.push_back(Text(lines::NotInList, {InputCheck::fieldCaption(*c), std::to_string(i + 1),
                                               std::to_string(c->listCount())}));
  }

  forms::Form& w_;
  CalcWindow* calc_;
  const std::string& bytes_;
};

}  // namespace

std::vector<std::string> ReadRecord(const RecordLayout& layout, forms::Form& window,
                                    const std::string& bytes) {
  std::vector<const Field*> order;
  for (const Field& f : layout.fields) order.push_back(&f);
  std::stable_sort(order.begin(), order.end(),
                   [](const Field* a, const Field* b) { return a->step < b->step; });
  // Every record keeps the geometry option at offset 12; it decides where offset 0 goes.
  const bool pipe = GetInt16(bytes, 12) != 0;
  Restore restore(window, bytes);
  for (const Field* f : order) restore.put(*f, pipe);
  if (auto* calc = dynamic_cast<CalcWindow*>(&window)) calc->recordRestored();
  return restore.problems;
}

}  // namespace veltaro::cases
