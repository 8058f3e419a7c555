#pragma once
// One control of a form: a text box, list, option, check box, label, frame, button, picture,
// progress bar, line or browser. All kinds share one class, as the program reaches controls
// by name and index and reads the same properties from all of them.
//
// Event rules (the program's handlers rely on each one):
//  - setText from code raises Change only when the text differs; user typing raises Change.
//  - setListIndex from code sets the text to that item and raises Click; a user's choice of an
//    item raises Click, not Change. Setting the text of a list to an item's exact text selects
//    that item.
//  - setValue(true) on an option raises its Click and clears the other options of the same
//    container silently. A check box raises Click when its value changes.
//  - Events nest synchronously: a handler that sets a value runs that control's handler at once.
//  - KeyPress runs before a typed character is inserted (also Backspace, Enter and control
//    characters); setting the code to 0 cancels it. KeyDown sees Windows key codes; 0 swallows.
//  - setFocus on a disabled, hidden or not-shown control does nothing and returns false.
//  - the *Silently setters change a value without any event.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "forms/Types.h"

namespace forms {

class Form;
class Toolbar;

class Control {
 public:
  // What changed since the view last looked (for the front end).
  enum DirtyBits : uint32_t {
    kDirtyText = 1,
    kDirtyItems = 2,
    kDirtyValue = 4,
    kDirtyState = 8,  // enabled, visible, locked
    kDirtyGeometry = 16,
    kDirtyFont = 32,
    kDirtyLook = 64,  // tooltip, picture, colours, alignment, selection
    kDirtyAll = 0xffffffffu,
  };

  Control(Form& form, ControlKind kind, std::string name, int index, Control* container);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Form& form() const { return *form_; }
  ControlKind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  int index() const { return index_; }  // -1 when the control is not part of an array
  Control* container() const { return container_; }
  // A control may sit on a toolbar strip instead of the window's client area (for example
  // the case fields of the main window); its geometry is then relative to the strip.
  Toolbar* toolbarHost() const { return toolbarHost_; }
  void placeOnToolbar(Toolbar& toolbar) {
    toolbarHost_ = &toolbar;
    markDirty(kDirtyGeometry);
  }

  // --- Text (Text of boxes and lists, Caption of everything else) ---
  const std::string& text() const { return text_; }
  const std::string& caption() const { return text_; }
  void setText(const std::string& text);
  void setCaption(const std::string& caption) { setText(caption); }
  void setTextSilently(const std::string& text);

  // --- Flags ---
  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  bool visible() const { return visible_; }
  void setVisible(bool visible);
  bool locked() const { return locked_; }
  void setLocked(bool locked);
  bool multiLine() const { return multiLine_; }
  void setMultiLine(bool multiLine);
  bool tabStop() const { return tabStop_; }
  void setTabStop(bool tabStop) { tabStop_ = tabStop; }
  int tabIndex() const { return tabIndex_; }
  void setTabIndex(int tabIndex) { tabIndex_ = tabIndex; }

  // --- Value: options (0/1), check boxes (0 unchecked, 1 checked, 2 grey), progress bars ---
  int value() const { return value_; }
  bool isSet() const { return value_ != 0; }
  void setValue(int value);
  void setValueSilently(int value);
  int minimum() const { return min_; }
  int maximum() const { return max_; }
  void setRange(int minimum, int maximum);

  // --- List items (combo boxes) ---
  ComboStyle comboStyle() const { return comboStyle_; }
  void setComboStyle(ComboStyle style) { comboStyle_ = style; }
  int listCount() const { return static_cast<int>(items_.size()); }
  const std::string& item(int i) const;  // empty text outside the list
  const std::vector<std::string>& items() const { return items_; }
  void addItem(const std::string& item, int position = -1);
  void removeItem(int position);
  void clear();  // removes the items; an editable list loses its text too
  int listIndex() const { return listIndex_; }
  // Returns false (and changes nothing) for an index outside -1 .. listCount()-1.
  bool setListIndex(int index);
  void setListIndexSilently(int index);
  long itemData(int i) const;
  void setItemData(int i, long data);

  // --- Selection in the text ---
  int selStart() const { return selStart_; }
  int selLength() const { return selLength_; }
  void setSelStart(int start);
  void setSelLength(int length);
  std::string selText() const;

  // --- Look ---
  const std::string& toolTip() const { return toolTip_; }
  void setToolTip(const std::string& tip);
  const Font& font() const { return font_; }
  void setFont(const Font& font);
  void setFontName(const std::string& name);
  void setFontSize(double size);
  void setFontBold(bool bold);
  const std::string& picture() const { return picture_; }  // full path of an image, or empty
  void setPicture(const std::string& path);
  int alignment() const { return alignment_; }  // 0 left, 1 right, 2 centre
  void setAlignment(int alignment);
  int64_t foreColor() const { return foreColor_; }  // 0xRRGGBB, -1 for the default
  void setForeColor(int64_t color);
  int64_t backColor() const { return backColor_; }
  void setBackColor(int64_t color);
  int mousePointer() const { return mousePointer_; }
  void setMousePointer(int pointer);

  // --- Geometry in twips, relative to the container ---
  int left() const { return left_; }
  int top() const { return top_; }
  int width() const { return width_; }
  int height() const { return height_; }
  void setLeft(int v);
  void setTop(int v);
  void setWidth(int v);
  void setHeight(int v);
  void move(int left, int top, int width, int height);
  // Lines use two end points instead.
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;

  std::string tag;

  // --- Focus ---
  // True when the control could take the focus now: a focusable kind, enabled and visible
  // with all its containers, on a loaded and shown form.
  bool canFocus() const;
  bool hasFocus() const;
  // Moves the focus here; false (and nothing happens) when it cannot take it. An editable list
  // selects its whole text, as it does on every focus that is not a click.
  bool setFocus();

  // --- Events ---
  std::function<void()> onClick;
  std::function<void()> onDblClick;
  std::function<void()> onChange;
  std::function<void()> onGotFocus;
  std::function<void()> onLostFocus;
  std::function<void(int& keyAscii)> onKeyPress;
  std::function<void(int& keyCode, int shift)> onKeyDown;
  std::function<void(int& keyCode, int shift)> onKeyUp;
  std::function<void(int button, int shift, double x, double y)> onMouseDown;
  std::function<void(int button, int shift, double x, double y)> onMouseMove;
  std::function<void(int button, int shift, double x, double y)> onMouseUp;

  // --- What a user does (the front end and the tests call these) ---
  // A typed character: KeyPress first; unless cancelled, a printable character or Backspace
  // edits the text (replacing the selection) and raises Change. Returns the code after
  // KeyPress (0 when cancelled); the caller performs clipboard keys that come back unchanged.
  int userKeyPress(int keyAscii);
  // Types each character of `text` through userKeyPress.
  void userType(const std::string& text);
  // A key going down: returns the key code after KeyDown (0 when swallowed).
  int userKeyDown(int keyCode, int shift = 0);
  int userKeyUp(int keyCode, int shift = 0);
  // An edit the front end made itself (paste, Delete key): sets the text, raises Change.
  void userEditText(const std::string& text, int caretPosition);
  // The user chose list item i (mouse or arrow keys): sets the index and raises Click.
  void userSelectItem(int index);
  // A click: buttons raise Click; options become selected; check boxes toggle.
  void userClick();
  void userDblClick();
  // An arrow key left to an option button after its KeyDown: the focus moves to the previous
  // (Left, Up) or next (Right, Down) option of its group, wrapping round, and selects it.
  // False when the key is no arrow or the control is no option.
  bool userArrowInGroup(int keyCode);
  // The user moved the focus here, by the mouse or (byKeyboard) by Tab, Shift+Tab or an access
  // key. Entering a text box or an editable list by the keyboard selects its whole text.
  // False when it cannot take the focus.
  bool userFocus(bool byKeyboard = false);
  void userMouseDown(int button, int shift, double x, double y);
  void userMouseMove(int button, int shift, double x, double y);
  void userMouseUp(int button, int shift, double x, double y);
  // The user moved the caret or selection.
  void userSelect(int start, int length);

  // For the front end: what changed since takeDirty() was last called.
  uint32_t dirty() const { return dirty_; }
  uint32_t takeDirty() {
    uint32_t d = dirty_;
    dirty_ = 0;
    return d;
  }

 private:
  friend class Form;
  void markDirty(uint32_t bits);
  bool isTextKind() const;
  bool isEditable() const;
  bool hasCaret() const;  // a text box or a list that takes typing
  void selectAllSilently();
  void raise(const std::function<void()>& handler);
  void selectOption();
  void applyTyped(int keyAscii);
  void commitUserEdit(const std::string& text, int caret);
  int findItem(const std::string& text) const;

  Form* form_;
  ControlKind kind_;
  std::string name_;
  int index_;
  Control* container_;
  Toolbar* toolbarHost_ = nullptr;

  std::string text_;
  bool enabled_ = true;
  bool visible_ = true;
  bool locked_ = false;
  bool multiLine_ = false;
  bool tabStop_ = true;
  int tabIndex_ = 0;
  int value_ = 0;
  int min_ = 0;
  int max_ = 100;
  ComboStyle comboStyle_ = ComboStyle::DropdownCombo;
  std::vector<std::string> items_;
  std::vector<long> itemData_;
  int listIndex_ = -1;
  int selStart_ = 0;
  int selLength_ = 0;
  std::string toolTip_;
  Font font_;
  std::string picture_;
  int alignment_ = 0;
  int64_t foreColor_ = -1;
  int64_t backColor_ = -1;
  int mousePointer_ = 0;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  uint32_t dirty_ = kDirtyAll;
};

}  // namespace forms
