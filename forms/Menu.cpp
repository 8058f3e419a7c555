#include "forms/Menu.h"

#include <stdexcept>

#include "forms/Application.h"
#include "forms/Form.h"

namespace forms {

void MenuItem::changed() { form_->markDirty(Form::kDirtyMenus); }

void MenuItem::setCaption(const std::string& caption) {
  caption_ = caption;
  changed();
}
void MenuItem::setVisible(bool visible) {
  visible_ = visible;
  changed();
}
void MenuItem::setEnabled(bool enabled) {
  enabled_ = enabled;
  changed();
}
void MenuItem::setChecked(bool checked) {
  checked_ = checked;
  changed();
}
void MenuItem::setShortcut(const std::string& shortcut) {
  shortcut_ = shortcut;
  changed();
}
void MenuItem::setWindowList(bool on) {
  windowList_ = on;
  changed();
}

void MenuItem::userClick() {
  Application::EventScope scope(form_->app());
  if (enabled_ && visible_ && onClick) onClick();
}

void Toolbar::changed() { form_->markDirty(Form::kDirtyToolbars); }

ToolbarButton& Toolbar::addButton(const std::string& key, bool separator) {
  ToolbarButton b;
  b.index = static_cast<int>(buttons_.size()) + 1;
  b.key = key;
  b.separator = separator;
  buttons_.push_back(b);
  changed();
  return buttons_.back();
}

ToolbarButton& Toolbar::button(int index) {
  if (index < 1 || index > buttonCount())
    throw std::out_of_range(name_ + " has no button " + std::to_string(index));
  changed();  // the caller may change it
  return buttons_[static_cast<size_t>(index - 1)];
}

ToolbarButton* Toolbar::button(const std::string& key) {
  for (auto& b : buttons_)
    if (b.key == key) {
      changed();
      return &b;
    }
  return nullptr;
}

void Toolbar::setToolTip(int index, const std::string& tip) { button(index).toolTip = tip; }

void Toolbar::setButtonVisible(int index, bool visible) { button(index).visible = visible; }

void Toolbar::setVisible(bool visible) {
  visible_ = visible;
  changed();
}

void Toolbar::userClick(int index) {
  Application::EventScope scope(form_->app());
  if (index < 1 || index > buttonCount()) return;
  ToolbarButton& b = buttons_[static_cast<size_t>(index - 1)];
  if (b.separator || !b.enabled || !b.visible) return;
  if (onButtonClick) onButtonClick(b);
}

}  // namespace forms
