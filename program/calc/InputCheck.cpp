#include "calc/InputCheck.h"

#include <algorithm>
#include <cmath>

#include "calc/frmErrorInfo.h"
#include "core/Fx.h"
#include "core/MessageLines.h"
#include "core/NumericInput.h"
#include "forms/Application.h"

namespace veltaro {

namespace {
constexpr const char* kCrLf = "\r\n";

forms::Control& hiddenErrorList() {
  frmErrorInfo& w = forms::app().get<frmErrorInfo>();
  w.hide();
  return w.control("txtError");
}

void appendUtf8(std::string& out, unsigned cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

unsigned upper(unsigned cp) {
  if (cp >= 'a' && cp <= 'z') return cp - 32;
  if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) return cp - 32;  // à..þ except ÷
  if (cp == 0xFF) return 0x178;                                // ÿ
  // Latin Extended-A pairs capital/small on even/odd code points, with a shifted stretch.
  if (cp >= 0x100 && cp <= 0x137) return cp & ~1u;
  if (cp >= 0x139 && cp <= 0x148) return (cp % 2 == 0) ? cp - 1 : cp;
  if (cp >= 0x14A && cp <= 0x177) return cp & ~1u;
  if (cp == 0x17A || cp == 0x17C || cp == 0x17E) return cp - 1;
  return cp;
}
}  // namespace

std::string UpperCase(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    auto b = static_cast<unsigned char>(text[i]);
    size_t len = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    if (len > 3 || i + len > text.size()) {  // outside the range handled: keep the bytes
      out.append(text.substr(i, len));
      i += len;
      continue;
    }
    unsigned cp = len == 1 ? b : len == 2 ? (b & 0x1Fu) : (b & 0x0Fu);
    for (size_t k = 1; k < len; ++k)
      cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
    appendUtf8(out, upper(cp));
    i += len;
  }
  return out;
}

bool InputCheck::notChosen(std::string_view listText) {
  const std::string& marker = fx().TextTable[75];
  // A language file without line 75 has no "nothing chosen" text: every list counts as chosen.
  if (marker.empty()) return false;
  return UpperCase(listText).find(marker) != std::string::npos;
}

bool InputCheck::holdsNumber(std::string_view text) {
  const std::string s = TrimSpaces(text);
  // The reader takes any text with an exponent mark as a number.
  if (s.find("E+") != std::string::npos || s.find("E-") != std::string::npos) return true;
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  bool separator = false;
  for (; i < s.size(); ++i) {
    if (s[i] >= '0' && s[i] <= '9') return true;
    if ((s[i] != '.' && s[i] != ',') || separator) return false;
    separator = true;
  }
  return false;
}

InputCheck::Recorder* InputCheck::recorder_ = nullptr;

InputCheck::InputCheck(forms::Form& window, int headerLine)
    : list_(hiddenErrorList()), caption_(window.caption()), headerLine_(headerLine) {
  list_.setText("");
}

InputCheck::~InputCheck() = default;

std::optional<double> InputCheck::number(const forms::Control& box) {
  const double value = ParseNumber(box.text());
  if (std::isfinite(value)) return value;
  if (refused_.insert(&box).second)
    test(true, fieldCaption(box) + fx().TextTable[lines::NumberTooLarge]);
  return std::nullopt;
}

void InputCheck::temperature(const forms::Control& box) {
  if (!box.visible() || !box.enabled()) return;
  const std::optional<double> t = number(box);
  test(t && *t < kAbsoluteZero, fieldCaption(box) + fx().TextTable[lines::BelowAbsoluteZero]);
}

namespace {
// A caption as the user reads it: no access-key mark ("&&" stands for "&" itself), no colon.
std::string shownCaption(std::string_view text) {
  const std::string shown = TrimSpaces(text);
  std::string caption;
  for (size_t i = 0; i < shown.size(); ++i)
    if (shown[i] != '&' || (++i < shown.size())) caption += shown[i];
  while (!caption.empty() && (caption.back() == ':' || caption.back() == ' ')) caption.pop_back();
  return caption;
}
}  // namespace

std::string InputCheck::fieldCaption(const forms::Control& box) {
  // An option stands for the choice its frame asks for.
  if (box.kind() == forms::ControlKind::OptionButton && box.container())
    if (std::string frame = shownCaption(box.container()->caption()); !frame.empty()) return frame;
  auto isCaption = [&box](const forms::Control& c) {
    const auto k = c.kind();
    return c.container() == box.container() && c.visible() && c.name() != "lblUnit" &&
           (k == forms::ControlKind::Label || k == forms::ControlKind::OptionButton ||
            k == forms::ControlKind::CheckBox) &&
           !TrimSpaces(c.caption()).empty();
  };
  auto overlap = [&box](const forms::Control& c) {
    return std::min(c.top() + c.height(), box.top() + box.height()) - std::max(c.top(), box.top());
  };
  const forms::Control *left = nullptr, *above = nullptr;
  for (const auto& owned : box.form().controls()) {
    const forms::Control& c = *owned;
    if (&c == &box || !isCaption(c)) continue;
    const bool sameRow = overlap(c) > 0;
    const bool sameColumn =
        c.left() < box.left() + box.width() && box.left() < c.left() + c.width();
    // Of two captions as near, the one level with the box: a tall caption of the row above
    // may reach down beside it.
    if (sameRow && c.left() < box.left() &&
        (!left || c.left() > left->left() ||
         (c.left() == left->left() && overlap(c) > overlap(*left))))
      left = &c;
    if (sameColumn && c.top() + c.height() <= box.top() && (!above || c.top() > above->top()))
      above = &c;
  }
  std::string caption = shownCaption(left ? left->caption() : above ? above->caption() : "");
  if (!left && above && box.index() >= 0) caption += " " + std::to_string(box.index() + 1);
  if (!caption.empty()) return caption;
  // A list without a caption beside it is known by the prompt it shows, else by its frame.
  if (box.kind() == forms::ControlKind::ComboBox && notChosen(box.text()))
    return shownCaption(box.text());
  const forms::Control* frame = box.container();
  return frame ? shownCaption(frame->caption()) : std::string();
}

void InputCheck::append(const std::string& addition) {
  list_.setText(list_.text() + addition);
}

void InputCheck::test(bool failed, int line) {
  if (failed || recorder_) test(failed, fx().TextTable[line]);
}

void InputCheck::test(bool failed, const std::string& line) {
  if (recorder_) recorder_->tested(line, savings_);
  if (!failed) return;
  const FX& s = fx();
  if (!headerWritten_) {
    headerWritten_ = true;
    if (savings_) {
      append(kCrLf + savingsCaption_ + kCrLf + s.TextTable[20] + kCrLf + std::string(58, '-') +
             kCrLf);
    } else {
      append(caption_ + kCrLf + s.TextTable[headerLine_] + kCrLf);
      if (dashes_) append(std::string(88, '-') + kCrLf);
    }
  }
  append(line + kCrLf);
  ok_ = false;
}

void InputCheck::beginSavings(const std::string& savingsFrameCaption) {
  savings_ = true;
  headerWritten_ = false;
  savingsCaption_ = TrimSpaces(savingsFrameCaption);
}

bool InputCheck::finish() {
  if (!ok_) append(std::string(100, ' ') + fx().TextTable[18]);
  return ok_;
}

}  // namespace veltaro
