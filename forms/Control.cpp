#include "forms/Control.h"

#include <algorithm>

#include "forms/Application.h"
#include "forms/Form.h"

namespace forms {

const char* kindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::TextBox:
      return "TextBox";
    case ControlKind::ComboBox:
      return "ComboBox";
    case ControlKind::OptionButton:
      return "OptionButton";
    case ControlKind::CheckBox:
      return "CheckBox";
    case ControlKind::Label:
      return "Label";
    case ControlKind::Frame:
      return "Frame";
    case ControlKind::CommandButton:
      return "CommandButton";
    case ControlKind::PictureBox:
      return "PictureBox";
    case ControlKind::Image:
      return "Image";
    case ControlKind::ProgressBar:
      return "ProgressBar";
    case ControlKind::Line:
      return "Line";
    case ControlKind::Browser:
      return "Browser";
  }
  return "?";
}

Control::Control(Form& form, ControlKind kind, std::string name, int index, Control* container)
    : form_(&form), kind_(kind), name_(std::move(name)), index_(index), container_(container) {
  if (kind_ == ControlKind::Label || kind_ == ControlKind::Frame || kind_ == ControlKind::Image ||
      kind_ == ControlKind::Line || kind_ == ControlKind::ProgressBar)
    tabStop_ = false;
}

void Control::markDirty(uint32_t bits) {
  if (dirty_ == 0) form_->noteDirty(this);
  dirty_ |= bits;
}

bool Control::isTextKind() const {
  return kind_ == ControlKind::TextBox || kind_ == ControlKind::ComboBox;
}

bool Control::isEditable() const {
  if (kind_ == ControlKind::TextBox) return !locked_;
  if (kind_ == ControlKind::ComboBox) return comboStyle_ == ComboStyle::DropdownCombo && !locked_;
  return false;
}

bool Control::hasCaret() const {
  return kind_ == ControlKind::TextBox ||
         (kind_ == ControlKind::ComboBox && comboStyle_ == ComboStyle::DropdownCombo);
}

void Control::selectAllSilently() {
  selStart_ = 0;
  selLength_ = static_cast<int>(text_.size());
  markDirty(kDirtyLook);
}

void Control::raise(const std::function<void()>& handler) {
  if (!handler) return;
  Application::EventScope scope(form_->app());
  handler();
}

// ---------------------------------------------------------------- text

void Control::setText(const std::string& text) {
  if (kind_ == ControlKind::ComboBox) {
    int match = findItem(text);
    if (comboStyle_ == ComboStyle::DropdownList) {
      // A list that takes no typing can only show one of its items: choosing it by text
      // selects it like a click. Any other text is kept without an event.
      if (match >= 0) {
        setListIndex(match);
      } else {
        setTextSilently(text);
      }
      return;
    }
    if (text == text_) {
      if (match != listIndex_) setListIndexSilently(match);
      return;
    }
    text_ = text;
    listIndex_ = match;
    selStart_ = 0;
    selLength_ = 0;
    markDirty(kDirtyText | kDirtyValue);
    raise(onChange);
    return;
  }
  if (text == text_) return;
  text_ = text;
  markDirty(kDirtyText);
  if (kind_ == ControlKind::TextBox) {
    selStart_ = 0;
    selLength_ = 0;
    raise(onChange);
  }
}

void Control::setTextSilently(const std::string& text) {
  if (kind_ == ControlKind::ComboBox) {
    listIndex_ = findItem(text);
  }
  if (text_ != text) {
    text_ = text;
    if (kind_ == ControlKind::TextBox) selStart_ = selLength_ = 0;
  }
  markDirty(kDirtyText | kDirtyValue);
}

// ---------------------------------------------------------------- flags

void Control::setEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  markDirty(kDirtyState);
}

void Control::setVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  markDirty(kDirtyState);
}

void Control::setLocked(bool locked) {
  if (locked_ == locked) return;
  locked_ = locked;
  markDirty(kDirtyState);
}

void Control::setMultiLine(bool multiLine) {
  multiLine_ = multiLine;
  markDirty(kDirtyState);
}

// ---------------------------------------------------------------- value

void Control::selectOption() {
  // Clears the other options of the same container without events.
  for (auto& c : form_->controls_) {
    if (c.get() != this && c->kind_ == ControlKind::OptionButton && c->container_ == container_ &&
        c->value_ != 0) {
      c->value_ = 0;
      c->markDirty(kDirtyValue);
    }
  }
  if (value_ != 1) {
    value_ = 1;
    markDirty(kDirtyValue);
  }
}

void Control::setValue(int value) {
  switch (kind_) {
    case ControlKind::OptionButton:
      if (value != 0) {
        selectOption();
        raise(onClick);
      } else if (value_ != 0) {
        value_ = 0;
        markDirty(kDirtyValue);
      }
      return;
    case ControlKind::CheckBox:
      if (value_ == value) return;
      value_ = value;
      markDirty(kDirtyValue);
      raise(onClick);
      return;
    case ControlKind::ProgressBar:
      value = std::clamp(value, min_, max_);
      [[fallthrough]];
    default:
      if (value_ == value) return;
      value_ = value;
      markDirty(kDirtyValue);
  }
}

void Control::setValueSilently(int value) {
  if (kind_ == ControlKind::OptionButton && value != 0) {
    selectOption();
    return;
  }
  if (value_ == value) return;
  value_ = value;
  markDirty(kDirtyValue);
}

void Control::setRange(int minimum, int maximum) {
  min_ = minimum;
  max_ = std::max(minimum, maximum);
  value_ = std::clamp(value_, min_, max_);
  markDirty(kDirtyValue);
}

// ---------------------------------------------------------------- items

int Control::findItem(const std::string& text) const {
  auto it = std::find(items_.begin(), items_.end(), text);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

const std::string& Control::item(int i) const {
  static const std::string empty;
  if (i < 0 || i >= listCount()) return empty;
  return items_[static_cast<size_t>(i)];
}

void Control::addItem(const std::string& item, int position) {
  if (position < 0 || position > listCount()) position = listCount();
  items_.insert(items_.begin() + position, item);
  itemData_.insert(itemData_.begin() + position, 0);
  if (listIndex_ >= position) ++listIndex_;
  markDirty(kDirtyItems);
}

void Control::removeItem(int position) {
  if (position < 0 || position >= listCount()) return;
  items_.erase(items_.begin() + position);
  itemData_.erase(itemData_.begin() + position);
  if (listIndex_ == position) {
    listIndex_ = -1;
    if (comboStyle_ == ComboStyle::DropdownList) text_.clear();
  } else if (listIndex_ > position) {
    --listIndex_;
  }
  markDirty(kDirtyItems | kDirtyText | kDirtyValue);
}

void Control::clear() {
  items_.clear();
  itemData_.clear();
  listIndex_ = -1;
  text_.clear();
  selStart_ = selLength_ = 0;
  markDirty(kDirtyItems | kDirtyText | kDirtyValue);
}

bool Control::setListIndex(int index) {
  if (index < -1 || index >= listCount()) return false;
  setListIndexSilently(index);
  raise(onClick);
  return true;
}

void Control::setListIndexSilently(int index) {
  if (index < -1 || index >= listCount()) return;
  listIndex_ = index;
  text_ = index < 0 ? std::string() : items_[static_cast<size_t>(index)];
  selStart_ = 0;
  selLength_ = 0;
  markDirty(kDirtyText | kDirtyValue);
}

long Control::itemData(int i) const {
  if (i < 0 || i >= listCount()) return 0;
  return itemData_[static_cast<size_t>(i)];
}

void Control::setItemData(int i, long data) {
  if (i < 0 || i >= listCount()) return;
  itemData_[static_cast<size_t>(i)] = data;
}

// ---------------------------------------------------------------- selection

void Control::setSelStart(int start) {
  selStart_ = std::clamp(start, 0, static_cast<int>(text_.size()));
  selLength_ = 0;
  markDirty(kDirtyLook);
}

void Control::setSelLength(int length) {
  selLength_ = std::clamp(length, 0, static_cast<int>(text_.size()) - selStart_);
  markDirty(kDirtyLook);
}

std::string Control::selText() const {
  return text_.substr(static_cast<size_t>(selStart_), static_cast<size_t>(selLength_));
}

// ---------------------------------------------------------------- look

void Control::setToolTip(const std::string& tip) {
  if (toolTip_ == tip) return;
  toolTip_ = tip;
  markDirty(kDirtyLook);
}

void Control::setFont(const Font& font) {
  if (font_ == font) return;
  font_ = font;
  markDirty(kDirtyFont);
}

void Control::setFontName(const std::string& name) {
  Font f = font_;
  f.name = name;
  setFont(f);
}

void Control::setFontSize(double size) {
  Font f = font_;
  f.size = size;
  setFont(f);
}

void Control::setFontBold(bool bold) {
  Font f = font_;
  f.bold = bold;
  setFont(f);
}

void Control::setPicture(const std::string& path) {
  if (picture_ == path) return;
  picture_ = path;
  markDirty(kDirtyLook);
}

void Control::setAlignment(int alignment) {
  alignment_ = alignment;
  markDirty(kDirtyLook);
}

void Control::setForeColor(int64_t color) {
  foreColor_ = color;
  markDirty(kDirtyLook);
}

void Control::setBackColor(int64_t color) {
  backColor_ = color;
  markDirty(kDirtyLook);
}

void Control::setMousePointer(int pointer) {
  mousePointer_ = pointer;
  markDirty(kDirtyLook);
}

// ---------------------------------------------------------------- geometry

void Control::setLeft(int v) {
  left_ = v;
  markDirty(kDirtyGeometry);
}
void Control::setTop(int v) {
  top_ = v;
  markDirty(kDirtyGeometry);
}
void Control::setWidth(int v) {
  width_ = v;
  markDirty(kDirtyGeometry);
}
void Control::setHeight(int v) {
  height_ = v;
  markDirty(kDirtyGeometry);
}
void Control::move(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  markDirty(kDirtyGeometry);
}

// ---------------------------------------------------------------- focus

bool Control::canFocus() const {
  switch (kind_) {
    case ControlKind::TextBox:
    case ControlKind::ComboBox:
    case ControlKind::OptionButton:
    case ControlKind::CheckBox:
    case ControlKind::CommandButton:
    case ControlKind::PictureBox:
      break;
    default:
      return false;
  }
  if (!form_->isLoaded() || !form_->visible()) return false;
  for (const Control* c = this; c; c = c->container_)
    if (!c->enabled_ || !c->visible_) return false;
  return true;
}

bool Control::hasFocus() const {
  return form_->activeControl_ == this;
}

bool Control::setFocus() {
  if (!canFocus()) return false;
  return form_->moveFocus(this, kind_ == ControlKind::ComboBox && hasCaret());
}

bool Control::userFocus(bool byKeyboard) {
  Application::EventScope scope(form_->app());
  if (!canFocus()) return false;
  form_->activate();
  return form_->moveFocus(this, byKeyboard && hasCaret());
}

// ---------------------------------------------------------------- user input

namespace {
std::string utf8(int cp) {
  std::string out;
  auto u = static_cast<unsigned>(cp);
  if (u < 0x80) {
    out += static_cast<char>(u);
  } else if (u < 0x800) {
    out += static_cast<char>(0xC0 | (u >> 6));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else if (u < 0x10000) {
    out += static_cast<char>(0xE0 | (u >> 12));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (u >> 18));
    out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  }
  return out;
}
}  // namespace

void Control::applyTyped(int keyAscii) {
  if (!isEditable()) return;
  std::string next = text_;
  int caret = std::clamp(selStart_, 0, static_cast<int>(next.size()));
  int length = std::clamp(selLength_, 0, static_cast<int>(next.size()) - caret);
  if (keyAscii == key::Back) {
    if (length > 0) {
      next.erase(static_cast<size_t>(caret), static_cast<size_t>(length));
    } else if (caret > 0) {
      // Remove one whole UTF-8 character before the caret.
      int start = caret - 1;
      while (start > 0 &&
             (static_cast<unsigned char>(next[static_cast<size_t>(start)]) & 0xC0) == 0x80)
        --start;
      next.erase(static_cast<size_t>(start), static_cast<size_t>(caret - start));
      caret = start;
    }
  } else if (keyAscii >= 32 || (multiLine_ && keyAscii == key::Return)) {
    std::string ch = keyAscii == key::Return ? std::string("\r\n") : utf8(keyAscii);
    next.replace(static_cast<size_t>(caret), static_cast<size_t>(length), ch);
    caret += static_cast<int>(ch.size());
  } else {
    return;
  }
  commitUserEdit(next, caret);
}

void Control::commitUserEdit(const std::string& text, int caret) {
  // A key that leaves the text as it was ("1" over a selected "1") still moves the caret past
  // it; only a change of the text raises Change.
  const bool same = text == text_;
  text_ = text;
  selStart_ = std::clamp(caret, 0, static_cast<int>(text_.size()));
  selLength_ = 0;
  if (same) return markDirty(kDirtyLook);
  if (kind_ == ControlKind::ComboBox) listIndex_ = findItem(text_);
  markDirty(kDirtyText | kDirtyValue | kDirtyLook);
  raise(onChange);
}

int Control::userKeyPress(int keyAscii) {
  Application::EventScope scope(form_->app());
  if (!enabled_) return 0;
  if (form_->keyPreview_) form_->Form_KeyPress(keyAscii);
  if (keyAscii != 0 && onKeyPress) onKeyPress(keyAscii);
  if (keyAscii != 0) applyTyped(keyAscii);
  return keyAscii;
}

void Control::userType(const std::string& text) {
  // Decodes UTF-8 so that each character arrives as one key, as typing does.
  for (size_t i = 0; i < text.size();) {
    auto b = static_cast<unsigned char>(text[i]);
    int len = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    int cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
    for (int k = 1; k < len && i + static_cast<size_t>(k) < text.size(); ++k)
      cp = (cp << 6) | (static_cast<unsigned char>(text[i + static_cast<size_t>(k)]) & 0x3F);
    userKeyPress(cp);
    i += static_cast<size_t>(len);
  }
}

int Control::userKeyDown(int keyCode, int shift) {
  Application::EventScope scope(form_->app());
  if (!enabled_) return 0;
  if (form_->keyPreview_) form_->Form_KeyDown(keyCode, shift);
  if (keyCode != 0 && onKeyDown) onKeyDown(keyCode, shift);
  return keyCode;
}

int Control::userKeyUp(int keyCode, int shift) {
  Application::EventScope scope(form_->app());
  if (form_->keyPreview_) form_->Form_KeyUp(keyCode, shift);
  if (keyCode != 0 && onKeyUp) onKeyUp(keyCode, shift);
  return keyCode;
}

void Control::userEditText(const std::string& text, int caretPosition) {
  Application::EventScope scope(form_->app());
  if (isEditable()) commitUserEdit(text, caretPosition);
}

void Control::userSelectItem(int index) {
  Application::EventScope scope(form_->app());
  if (!enabled_ || index < 0 || index >= listCount()) return;
  setListIndexSilently(index);
  raise(onClick);
}

void Control::userClick() {
  Application::EventScope scope(form_->app());
  if (!enabled_) return;
  switch (kind_) {
    case ControlKind::OptionButton:
      setValue(1);
      return;
    case ControlKind::CheckBox:
      setValue(value_ == 1 ? 0 : 1);
      return;
    default:
      raise(onClick);
  }
}

bool Control::userArrowInGroup(int keyCode) {
  Application::EventScope scope(form_->app());
  if (kind_ != ControlKind::OptionButton) return false;
  int step = 0;
  if (keyCode == key::Left || keyCode == key::Up) step = -1;
  if (keyCode == key::Right || keyCode == key::Down) step = 1;
  if (step == 0) return false;
  // The group is the options of one container that can take the focus, in tab order.
  std::vector<Control*> group;
  for (const auto& c : form_->controls())
    if (c->kind_ == ControlKind::OptionButton && c->container_ == container_ &&
        (c.get() == this || c->canFocus()))
      group.push_back(c.get());
  std::stable_sort(group.begin(), group.end(),
                   [](Control* a, Control* b) { return a->tabIndex_ < b->tabIndex_; });
  const auto at = std::find(group.begin(), group.end(), this) - group.begin();
  const auto n = static_cast<std::ptrdiff_t>(group.size());
  Control* next = group[static_cast<size_t>((at + step + n) % n)];
  if (next != this && !next->userFocus()) return true;
  next->setValue(1);
  return true;
}

void Control::userDblClick() {
  Application::EventScope scope(form_->app());
  if (enabled_) raise(onDblClick);
}

void Control::userMouseDown(int button, int shift, double x, double y) {
  Application::EventScope scope(form_->app());
  if (enabled_ && onMouseDown) onMouseDown(button, shift, x, y);
}

void Control::userMouseMove(int button, int shift, double x, double y) {
  Application::EventScope scope(form_->app());
  if (enabled_ && onMouseMove) onMouseMove(button, shift, x, y);
}

void Control::userMouseUp(int button, int shift, double x, double y) {
  Application::EventScope scope(form_->app());
  if (enabled_ && onMouseUp) onMouseUp(button, shift, x, y);
}

void Control::userSelect(int start, int length) {
  selStart_ = std::clamp(start, 0, static_cast<int>(text_.size()));
  selLength_ = std::clamp(length, 0, static_cast<int>(text_.size()) - selStart_);
}

}  // namespace forms
