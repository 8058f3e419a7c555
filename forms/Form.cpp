#include "forms/Form.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "forms/Application.h"

namespace forms {

namespace {
std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}
}  // namespace

Form::Form(std::string className)
    : app_(&Application::current()),
      name_(std::move(className)),
      instanceId_(app_->nextInstanceId_++) {}

Form::~Form() = default;

// ---------------------------------------------------------------- controls

Control& Form::add(ControlKind kind, const std::string& name, int index, Control* container) {
  auto& slot = byName_[lower(name)];
  if (slot.count(index))
    throw std::logic_error(name_ + ": control " + name + "(" + std::to_string(index) +
                           ") exists already");
  controls_.push_back(std::make_unique<Control>(*this, kind, name, index, container));
  Control* c = controls_.back().get();
  c->tabIndex_ = static_cast<int>(controls_.size()) - 1;
  slot[index] = c;
  markDirty(kDirtyControls);
  return *c;
}

Control* Form::findControl(std::string_view name, int index) {
  auto it = byName_.find(lower(name));
  if (it == byName_.end()) return nullptr;
  auto jt = it->second.find(index);
  return jt == it->second.end() ? nullptr : jt->second;
}

Control& Form::control(std::string_view name, int index) {
  if (Control* c = findControl(name, index)) return *c;
  throw std::out_of_range(name_ + " has no control " + std::string(name) +
                          (index >= 0 ? "(" + std::to_string(index) + ")" : std::string()));
}

std::vector<Control*> Form::controlArray(std::string_view name) {
  std::vector<Control*> out;
  auto it = byName_.find(lower(name));
  if (it == byName_.end()) return out;
  for (auto& [index, c] : it->second)
    if (index >= 0) out.push_back(c);
  return out;
}

// ---------------------------------------------------------------- properties

void Form::setCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  markDirty(kDirtyCaption);
}

void Form::setLeft(int v) {
  left_ = v;
  markDirty(kDirtyGeometry);
}
void Form::setTop(int v) {
  top_ = v;
  markDirty(kDirtyGeometry);
}
void Form::setWidth(int v) {
  width_ = v;
  markDirty(kDirtyGeometry);
}
void Form::setHeight(int v) {
  height_ = v;
  markDirty(kDirtyGeometry);
}
void Form::move(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  markDirty(kDirtyGeometry);
}

void Form::setWindowState(int state) {
  if (state == windowState_) return;
  const int old = windowState_;
  windowState_ = state;
  markDirty(kDirtyState);
  Application::EventScope scope(*app_);
  Form_Resize();
  if (mdiChild_ && loaded_ && visible_ && windowState_ == state)
    app_->childStateChanged(*this, old);
}

void Form::setMousePointer(int pointer) {
  if (mousePointer_ == pointer) return;
  mousePointer_ = pointer;
  markDirty(kDirtyLook);
  if (app_->observer_) app_->observer_->mousePointerChanged(*this);
}

void Form::setFont(const Font& font) {
  font_ = font;
  markDirty(kDirtyLook);
}

void Form::setFontName(const std::string& name) {
  font_.name = name;
  markDirty(kDirtyLook);
}

void Form::setFontSize(double size) {
  font_.size = size;
  markDirty(kDirtyLook);
}

void Form::setIcon(const std::string& path) {
  icon_ = path;
  markDirty(kDirtyLook);
}

void Form::setPicture(const std::string& path) {
  picture_ = path;
  markDirty(kDirtyLook);
}

void Form::setBackColor(int64_t color) {
  backColor_ = color;
  markDirty(kDirtyLook);
}

void Form::setTopmost(bool on) {
  topmost_ = on;
  markDirty(kDirtyState);
}

// ---------------------------------------------------------------- actions

void Form::show(bool modal) {
  Application::EventScope scope(*app_);
  if (!loaded_) {
    // A shown instance that was unloaded meanwhile: show the registered one instead, unless
    // that one too unloads itself while it loads.
    Form& fresh = app_->get(name_);
    if (fresh.loaded_) fresh.show(modal);
    return;
  }
  if (!visible_) {
    visible_ = true;
    markDirty(kDirtyState);
    app_->formShown(*this);
  }
  activate();
  if (modal) {
    modal_ = true;
    markDirty(kDirtyState);
    app_->platform().runModal(*this);
    modal_ = false;
    if (loaded_) markDirty(kDirtyState);
  }
}

void Form::hide() {
  if (!visible_) return;
  visible_ = false;
  markDirty(kDirtyState);
  app_->formHidden(*this);
}

bool Form::unload(int unloadMode) {
  if (!loaded_ || unloading_) return true;
  Application::EventScope scope(*app_);
  int cancel = 0;
  Form_QueryUnload(cancel, unloadMode);
  if (cancel) return false;
  if (mdiForm_) {
    // Children first: every one may refuse, then each is unloaded.
    auto children = app_->loadedForms();
    for (Form* f : children) {
      if (!f->mdiChild_ || !f->loaded_) continue;
      int c = 0;
      f->Form_QueryUnload(c, kUnloadFormMdiForm);
      if (c) return false;
    }
    for (Form* f : children) {
      if (!f->mdiChild_ || !f->loaded_) continue;
      int c = 0;
      f->unloading_ = true;
      f->Form_Unload(c);
      f->unloading_ = false;
      if (c) return false;
      app_->formUnloaded(*f);
    }
  }
  unloading_ = true;
  cancel = 0;
  Form_Unload(cancel);
  unloading_ = false;
  if (cancel) return false;
  app_->formUnloaded(*this);
  return true;
}

void Form::activate() {
  if (!loaded_) return;
  app_->formActivated(*this);
}

// ---------------------------------------------------------------- focus

bool Form::moveFocus(Control* target, bool selectText) {
  if (activeControl_ == target) return true;
  // The selection comes before the focus events, as Windows does it, so that a GotFocus
  // handler may still choose a selection of its own.
  if (selectText) target->selectAllSilently();
  Control* old = activeControl_;
  activeControl_ = target;
  markDirty(kDirtyFocus);
  Application::EventScope scope(*app_);
  if (old && old->onLostFocus) old->onLostFocus();
  // A LostFocus handler may have moved the focus elsewhere already.
  if (activeControl_ == target && target->onGotFocus) target->onGotFocus();
  return true;
}

void Form::dropFocus(Control* c) {
  if (activeControl_ == c) activeControl_ = nullptr;
}

bool Form::focusNext(bool backward) {
  std::vector<Control*> order;
  for (auto& c : controls_)
    if (c->tabStop_ && c->canFocus()) order.push_back(c.get());
  if (order.empty()) return false;
  std::stable_sort(order.begin(), order.end(),
                   [](Control* a, Control* b) { return a->tabIndex_ < b->tabIndex_; });
  // Option buttons of one group form one tab stop: only the selected one is reached,
  // or the first when none is selected.
  std::vector<Control*> stops;
  for (Control* c : order) {
    if (c->kind_ == ControlKind::OptionButton) {
      bool groupHasSelected = false;
      for (Control* o : order)
        if (o->kind_ == ControlKind::OptionButton && o->container_ == c->container_ && o->value_)
          groupHasSelected = true;
      if (groupHasSelected ? c->value_ == 0 : false) continue;
      if (!groupHasSelected) {
        bool first = true;
        for (Control* s : stops)
          if (s->kind_ == ControlKind::OptionButton && s->container_ == c->container_) first = false;
        if (!first) continue;
      }
    }
    stops.push_back(c);
  }
  auto it = std::find(stops.begin(), stops.end(), activeControl_);
  size_t n = stops.size();
  size_t pos;
  if (it == stops.end()) {
    pos = backward ? n - 1 : 0;
  } else {
    size_t cur = static_cast<size_t>(it - stops.begin());
    pos = backward ? (cur + n - 1) % n : (cur + 1) % n;
  }
  return stops[pos]->userFocus(true);
}

// ---------------------------------------------------------------- menus and toolbars

MenuItem& Form::addMenu(const std::string& name, MenuItem* parent, int index) {
  menus_.push_back(std::make_unique<MenuItem>(*this, name, index, parent));
  MenuItem* m = menus_.back().get();
  if (parent) parent->children_.push_back(m);
  markDirty(kDirtyMenus);
  return *m;
}

MenuItem* Form::findMenu(std::string_view name, int index) {
  std::string key = lower(name);
  for (auto& m : menus_)
    if (m->index_ == index && lower(m->name_) == key) return m.get();
  return nullptr;
}

MenuItem& Form::menu(std::string_view name, int index) {
  if (MenuItem* m = findMenu(name, index)) return *m;
  throw std::out_of_range(name_ + " has no menu item " + std::string(name));
}

std::vector<MenuItem*> Form::topMenus() const {
  std::vector<MenuItem*> out;
  for (auto& m : menus_)
    if (!m->parent_) out.push_back(m.get());
  return out;
}

Toolbar& Form::addToolbar(const std::string& name) {
  toolbars_.push_back(std::make_unique<Toolbar>(*this, name));
  markDirty(kDirtyToolbars);
  return *toolbars_.back();
}

Toolbar& Form::toolbar(std::string_view name) {
  std::string key = lower(name);
  for (auto& t : toolbars_)
    if (lower(t->name()) == key) return *t;
  throw std::out_of_range(name_ + " has no toolbar " + std::string(name));
}

// ---------------------------------------------------------------- user actions

void Form::userActivate() {
  Application::EventScope scope(*app_);
  activate();
}

bool Form::userClose(int unloadMode) {
  Application::EventScope scope(*app_);
  return unload(unloadMode);
}

void Form::userSetWindowState(int state) {
  Application::EventScope scope(*app_);
  setWindowState(state);
}

void Form::userMove(int left, int top) {
  left_ = left;
  top_ = top;
}

void Form::userResize(int width, int height, int scaleWidth, int scaleHeight) {
  Application::EventScope scope(*app_);
  bool changed = width != width_ || height != height_ || scaleWidth != scaleWidth_ ||
                 scaleHeight != scaleHeight_;
  width_ = width;
  height_ = height;
  scaleWidth_ = scaleWidth;
  scaleHeight_ = scaleHeight;
  if (changed) Form_Resize();
}

void Form::userMouseDown(int button, int shift, double x, double y) {
  Application::EventScope scope(*app_);
  Form_MouseDown(button, shift, x, y);
}

void Form::userMouseMove(int button, int shift, double x, double y) {
  Application::EventScope scope(*app_);
  Form_MouseMove(button, shift, x, y);
}

void Form::userMouseUp(int button, int shift, double x, double y) {
  Application::EventScope scope(*app_);
  Form_MouseUp(button, shift, x, y);
}

void Form::userClick() {
  Application::EventScope scope(*app_);
  Form_Click();
}

std::vector<Control*> Form::takeDirtyControls() {
  std::vector<Control*> out;
  out.swap(dirtyControls_);
  return out;
}

}  // namespace forms
