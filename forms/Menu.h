#pragma once
// Menus and toolbars of a form, as model objects: the program sets their captions, tips and
// visibility from the language files and reacts to their clicks.

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace forms {

class Form;

class MenuItem {
 public:
  MenuItem(Form& form, std::string name, int index, MenuItem* parent)
      : form_(&form), name_(std::move(name)), index_(index), parent_(parent) {}

  Form& form() const { return *form_; }
  const std::string& name() const { return name_; }
  int index() const { return index_; }
  MenuItem* parent() const { return parent_; }
  const std::vector<MenuItem*>& children() const { return children_; }

  // "&" marks the access key; "-" alone is a separator.
  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& caption);
  bool visible() const { return visible_; }
  void setVisible(bool visible);
  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  bool checked() const { return checked_; }
  void setChecked(bool checked);
  // Shortcut in the portable form "Ctrl+N", "F5", "Shift+F1"; empty for none.
  const std::string& shortcut() const { return shortcut_; }
  void setShortcut(const std::string& shortcut);
  // The menu under which the front end lists the open child windows.
  bool isWindowList() const { return windowList_; }
  void setWindowList(bool on);

  std::function<void()> onClick;
  // The user chose the item (menu, access key or shortcut).
  void userClick();

 private:
  friend class Form;
  void changed();
  Form* form_;
  std::string name_;
  int index_;
  MenuItem* parent_;
  std::vector<MenuItem*> children_;
  std::string caption_;
  bool visible_ = true;
  bool enabled_ = true;
  bool checked_ = false;
  std::string shortcut_;
  bool windowList_ = false;
};

struct ToolbarButton {
  int index = 0;  // 1-based
  std::string key;
  std::string caption;
  std::string toolTip;
  std::string image;  // full path of a picture, or empty
  bool visible = true;
  bool enabled = true;
  bool separator = false;
};

class Toolbar {
 public:
  Toolbar(Form& form, std::string name) : form_(&form), name_(std::move(name)) {}
  Form& form() const { return *form_; }
  const std::string& name() const { return name_; }

  ToolbarButton& addButton(const std::string& key, bool separator = false);
  int buttonCount() const { return static_cast<int>(buttons_.size()); }
  // 1-based, as the program counts buttons. Throws std::out_of_range outside the bar.
  ToolbarButton& button(int index);
  // By key (exact); nullptr when no button has it.
  ToolbarButton* button(const std::string& key);
  const std::vector<ToolbarButton>& buttons() const { return buttons_; }

  void setToolTip(int index, const std::string& tip);
  void setButtonVisible(int index, bool visible);
  bool visible() const { return visible_; }
  void setVisible(bool visible);
  // A background picture of the whole bar (full path) or empty.
  std::string picture;

  std::function<void(ToolbarButton&)> onButtonClick;
  void userClick(int index);

 private:
  void changed();
  Form* form_;
  std::string name_;
  std::vector<ToolbarButton> buttons_;
  bool visible_ = true;
};

}  // namespace forms
