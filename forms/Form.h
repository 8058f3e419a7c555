#pragma once
// A window of the program. Each window class derives from Form, builds its controls (its
// design state) in its constructor and overrides the event handlers it has. The Application
// keeps at most one instance per class; see Application.h for the lifecycle.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "forms/Control.h"
#include "forms/Menu.h"
#include "forms/Types.h"

namespace forms {

class Application;

class Form {
 public:
  enum DirtyBits : uint32_t {
    kDirtyCaption = 1,
    kDirtyGeometry = 2,
    kDirtyState = 4,  // visible, window state, topmost
    kDirtyLook = 8,   // font, icon, picture, mouse pointer
    kDirtyMenus = 16,
    kDirtyToolbars = 32,
    kDirtyFocus = 64,
    kDirtyControls = 128,  // controls were added
    kDirtyAll = 0xffffffffu,
  };

  explicit Form(std::string className);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& name() const { return name_; }
  Application& app() const { return *app_; }
  // A number that differs for every instance ever created, so that the front end notices
  // that a window was unloaded and built afresh.
  uint64_t instanceId() const { return instanceId_; }
  bool isLoaded() const { return loaded_; }

  // --- Controls ---
  Control& add(ControlKind kind, const std::string& name, int index = -1,
               Control* container = nullptr);
  // By name (case-insensitive, as the original toolkit) and index; throws std::out_of_range
  // naming the control when there is none.
  Control& control(std::string_view name, int index = -1);
  Control* findControl(std::string_view name, int index = -1);
  // The elements of a control array, ordered by index (gaps allowed).
  std::vector<Control*> controlArray(std::string_view name);
  const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

  // --- Properties ---
  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& caption);
  int left() const { return left_; }
  int top() const { return top_; }
  int width() const { return width_; }
  int height() const { return height_; }
  void setLeft(int v);
  void setTop(int v);
  void setWidth(int v);
  void setHeight(int v);
  void move(int left, int top, int width, int height);
  // The inner size (client area) in twips, as the front end reports it.
  int scaleWidth() const { return scaleWidth_; }
  int scaleHeight() const { return scaleHeight_; }
  int windowState() const { return windowState_; }
  void setWindowState(int state);  // raises Resize when it changes
  int mousePointer() const { return mousePointer_; }
  void setMousePointer(int pointer);
  const Font& font() const { return font_; }
  void setFont(const Font& font);
  void setFontName(const std::string& name);
  void setFontSize(double size);
  const std::string& icon() const { return icon_; }  // full path, empty for the default
  void setIcon(const std::string& path);
  const std::string& picture() const { return picture_; }  // background picture, full path
  void setPicture(const std::string& path);
  int64_t backColor() const { return backColor_; }  // 0xRRGGBB, -1 for the default
  void setBackColor(int64_t color);
  bool visible() const { return visible_; }
  bool isMdiForm() const { return mdiForm_; }
  void setMdiForm(bool on) { mdiForm_ = on; }
  bool isMdiChild() const { return mdiChild_; }
  void setMdiChild(bool on) { mdiChild_ = on; }
  bool topmost() const { return topmost_; }
  void setTopmost(bool on);
  bool isModal() const { return modal_; }
  bool hasControlBox() const { return controlBox_; }
  void setControlBox(bool on) { controlBox_ = on; }
  bool resizable() const { return resizable_; }
  void setResizable(bool on) { resizable_ = on; }

  // --- Actions ---
  // Shows the window (loading it first if needed) and activates it. A modal show returns
  // when the window is hidden or unloaded.
  void show(bool modal = false);
  void hide();
  // Unloads the window: QueryUnload, then Unload; false when a handler cancelled.
  bool unload(int unloadMode = kUnloadFormCode);
  // Makes this the active window (raises Activate when it was not).
  void activate();
  void zOrder() { activate(); }

  // --- Focus ---
  Control* activeControl() const { return activeControl_; }
  // Tab order: the next (or previous) control that can take the focus; false when none.
  bool focusNext(bool backward = false);

  // --- Menus and toolbars ---
  MenuItem& addMenu(const std::string& name, MenuItem* parent = nullptr, int index = -1);
  MenuItem& menu(std::string_view name, int index = -1);  // throws std::out_of_range
  MenuItem* findMenu(std::string_view name, int index = -1);
  const std::vector<std::unique_ptr<MenuItem>>& menus() const { return menus_; }
  std::vector<MenuItem*> topMenus() const;
  Toolbar& addToolbar(const std::string& name);
  Toolbar& toolbar(std::string_view name);  // throws std::out_of_range
  const std::vector<std::unique_ptr<Toolbar>>& toolbars() const { return toolbars_; }

  // --- Events (override what the window handles) ---
  virtual void Form_Load() {}
  virtual void Form_Activate() {}
  virtual void Form_Deactivate() {}
  virtual void Form_QueryUnload(int& cancel, int unloadMode) {
    (void)cancel;
    (void)unloadMode;
  }
  virtual void Form_Unload(int& cancel) { (void)cancel; }
  virtual void Form_Resize() {}
  virtual void Form_Click() {}
  virtual void Form_MouseDown(int button, int shift, double x, double y) {
    (void)button, (void)shift, (void)x, (void)y;
  }
  virtual void Form_MouseMove(int button, int shift, double x, double y) {
    (void)button, (void)shift, (void)x, (void)y;
  }
  virtual void Form_MouseUp(int button, int shift, double x, double y) {
    (void)button, (void)shift, (void)x, (void)y;
  }

  // --- What a user does (front end and tests) ---
  void userActivate();
  bool userClose(int unloadMode = kUnloadFormControlMenu);  // close box: QueryUnload, Unload
  void userSetWindowState(int state);
  void userMove(int left, int top);
  void userResize(int width, int height, int scaleWidth, int scaleHeight);
  void userMouseDown(int button, int shift, double x, double y);
  void userMouseMove(int button, int shift, double x, double y);
  void userMouseUp(int button, int shift, double x, double y);
  void userClick();

  // --- Key preview: the window sees each key before the control that has the focus ---
  bool keyPreview() const { return keyPreview_; }
  void setKeyPreview(bool on) { keyPreview_ = on; }
  // Setting the code to 0 swallows the key: the control never sees it.
  virtual void Form_KeyDown(int& keyCode, int shift) { (void)keyCode, (void)shift; }
  virtual void Form_KeyPress(int& keyAscii) { (void)keyAscii; }
  virtual void Form_KeyUp(int& keyCode, int shift) { (void)keyCode, (void)shift; }

  // --- For the front end: what changed since last looked ---
  uint32_t takeDirty() {
    uint32_t d = dirty_;
    dirty_ = 0;
    return d;
  }
  std::vector<Control*> takeDirtyControls();
  bool anyDirty() const { return dirty_ != 0 || !dirtyControls_.empty(); }

 protected:
  void markDirty(uint32_t bits) { dirty_ |= bits; }

 private:
  friend class Application;
  friend class Control;
  friend class MenuItem;
  friend class Toolbar;
  void noteDirty(Control* c) { dirtyControls_.push_back(c); }
  bool moveFocus(Control* target, bool selectText = false);
  void dropFocus(Control* c);

  Application* app_;
  std::string name_;
  uint64_t instanceId_;
  bool loaded_ = false;
  bool unloading_ = false;
  std::vector<std::unique_ptr<Control>> controls_;
  std::map<std::string, std::map<int, Control*>, std::less<>> byName_;  // lower-case name
  std::vector<std::unique_ptr<MenuItem>> menus_;
  std::vector<std::unique_ptr<Toolbar>> toolbars_;
  std::string caption_;
  int left_ = 0, top_ = 0, width_ = 4800, height_ = 3600;
  int scaleWidth_ = 4680, scaleHeight_ = 3195;
  int windowState_ = kStateNormal;
  int mousePointer_ = kPointerDefault;
  Font font_;
  std::string icon_;
  std::string picture_;
  int64_t backColor_ = -1;
  bool visible_ = false;
  bool mdiForm_ = false;
  bool mdiChild_ = false;
  bool topmost_ = false;
  bool modal_ = false;
  bool controlBox_ = true;
  bool resizable_ = true;
  bool keyPreview_ = false;
  Control* activeControl_ = nullptr;
  uint32_t dirty_ = kDirtyAll;
  std::vector<Control*> dirtyControls_;
};

}  // namespace forms
