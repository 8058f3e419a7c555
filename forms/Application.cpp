#include "forms/Application.h"

#include <algorithm>
#include <exception>
#include <stdexcept>

namespace forms {

namespace {
Application* g_current = nullptr;
}

Application::Application(Platform& platform) : platform_(&platform), previous_(g_current) {
  g_current = this;
}

Application::~Application() {
  // Destroy windows while this is still the current application (their destructors may look).
  activation_.clear();
  activeChild_ = activeTop_ = nullptr;
  flushUnloaded();
  for (auto it = loaded_.rbegin(); it != loaded_.rend(); ++it)
    if (observer_) observer_->formDestroyed(**it);
  loaded_.clear();
  g_current = previous_;
}

Application& Application::current() {
  if (!g_current) throw std::logic_error("no forms application");
  return *g_current;
}

bool Application::hasCurrent() {
  return g_current != nullptr;
}

void Application::registerForm(const std::string& name, Factory factory) {
  factories_[name] = std::move(factory);
}

std::vector<std::string> Application::registeredNames() const {
  std::vector<std::string> names;
  for (const auto& [name, factory] : factories_) names.push_back(name);
  return names;
}

bool Application::isRegistered(std::string_view name) const {
  return factories_.find(name) != factories_.end();
}

Form* Application::find(std::string_view name) const {
  for (auto& f : loaded_)
    if (f->name() == name) return f.get();
  return nullptr;
}

Form& Application::get(std::string_view name) {
  if (Form* f = find(name)) return *f;
  auto it = factories_.find(name);
  if (it == factories_.end()) throw std::out_of_range("no window class " + std::string(name));
  std::unique_ptr<Form> made = it->second();
  Form& form = *made;
  form.loaded_ = true;
  loaded_.push_back(std::move(made));
  if (observer_) observer_->formCreated(form);
  // As an event scope, except that a window that unloaded itself while loading is destroyed
  // only when the next event ends, as one unloaded from its own handler is: the caller holds a
  // reference to it.
  struct LoadScope {
    Application& app;
    Form& form;
    ~LoadScope() {
      if (--app.depth_ == 0 && form.loaded_) app.flushUnloaded();
    }
  } scope{*this, form};
  ++depth_;
  loadForm(form);
  return form;
}

void Application::loadForm(Form& form) {
  form.Form_Load();
  // Children of the frame appear as soon as they are loaded.
  if (form.loaded_ && form.isMdiChild() && !form.visible()) form.show();
}

bool Application::unloadIfLoaded(std::string_view name) {
  Form* f = find(name);
  return f ? f->unload(kUnloadFormCode) : true;
}

std::vector<Form*> Application::loadedForms() const {
  std::vector<Form*> out;
  for (auto& f : loaded_) out.push_back(f.get());
  return out;
}

Form* Application::mdiForm() const {
  for (auto& f : loaded_)
    if (f->isMdiForm()) return f.get();
  return nullptr;
}

std::vector<Form*> Application::mdiChildrenByActivation() const {
  std::vector<Form*> out(activation_.rbegin(), activation_.rend());
  return out;
}

void Application::formShown(Form& form) {
  if (form.isMdiChild()) {
    Form* frame = mdiForm();
    if (frame && !frame->visible()) {
      frame->visible_ = true;
      frame->markDirty(Form::kDirtyState);
    }
  }
}

void Application::formHidden(Form& form) {
  if (form.isMdiChild()) {
    activation_.erase(std::remove(activation_.begin(), activation_.end(), &form),
                      activation_.end());
    if (activeChild_ == &form) {
      activeChild_ = nullptr;
      if (Form* next = nextFrontChild(&form)) formActivated(*next);
    }
  } else if (activeTop_ == &form) {
    // As on the desktop, the main window comes back to the front when a window over it goes.
    activeTop_ = nullptr;
    Form* frame = mdiForm();
    if (frame && frame != &form && frame->loaded_ && frame->visible_) formActivated(*frame);
  }
}

void Application::formActivated(Form& form) {
  EventScope scope(*this);
  if (form.isMdiChild()) {
    activation_.erase(std::remove(activation_.begin(), activation_.end(), &form),
                      activation_.end());
    activation_.push_back(&form);
    if (activeChild_ == &form) return;
    Form* old = activeChild_;
    activeChild_ = &form;
    if (old) old->Form_Deactivate();
    if (activeChild_ == &form) form.Form_Activate();
  } else {
    if (activeTop_ == &form) return;
    Form* old = activeTop_;
    activeTop_ = &form;
    if (old && old->loaded_) old->Form_Deactivate();
    if (activeTop_ == &form) form.Form_Activate();
  }
}

Form* Application::nextFrontChild(const Form* leaving) const {
  Form* minimised = nullptr;
  for (auto it = activation_.rbegin(); it != activation_.rend(); ++it) {
    Form* f = *it;
    if (f == leaving || !f->loaded_ || !f->visible_) continue;
    if (f->windowState_ != kStateMinimized) return f;
    if (!minimised) minimised = f;
  }
  return minimised;
}

void Application::childStateChanged(Form& form, int oldState) {
  EventScope scope(*this);
  if (form.windowState_ == kStateMinimized) {
    if (activeChild_ != &form) return;
    Form* next = nextFrontChild(&form);
    if (next && next->windowState_ != kStateMinimized) formActivated(*next);
  } else if (oldState == kStateMinimized || form.windowState_ == kStateMaximized) {
    // Restored from maximised (the workspace does that to the child in front when another
    // takes its place), a child keeps its place in the order.
    if (activeChild_ != &form)
      formActivated(form);
    else if (oldState == kStateMinimized)
      form.Form_Activate();
  }
}

void Application::formUnloaded(Form& form) {
  form.loaded_ = false;
  if (form.visible_) {
    form.visible_ = false;
    formHidden(form);
  }
  if (activeTop_ == &form) activeTop_ = nullptr;
  activation_.erase(std::remove(activation_.begin(), activation_.end(), &form), activation_.end());
  form.activeControl_ = nullptr;
  auto it = std::find_if(loaded_.begin(), loaded_.end(),
                         [&](const std::unique_ptr<Form>& p) { return p.get() == &form; });
  if (it == loaded_.end()) return;
  unloaded_.push_back(std::move(*it));
  loaded_.erase(it);
  if (depth_ == 0) flushUnloaded();
}

void Application::flushUnloaded() {
  while (!unloaded_.empty()) {
    std::vector<std::unique_ptr<Form>> batch;
    batch.swap(unloaded_);
    for (auto& f : batch)
      if (observer_) observer_->formDestroyed(*f);
    batch.clear();
  }
}

void Application::end() {
  EventScope scope(*this);
  ended_ = true;
  while (!loaded_.empty()) formUnloaded(*loaded_.back());
  if (observer_) observer_->applicationEnded();
}

void Application::dispatch(const std::function<void()>& event) {
  EventScope scope(*this);
  try {
    event();
  } catch (const std::exception& e) {
    // Under the program's title, as every other message.
    platform_->msgBox(words_.actionFailed + "\r\n" + e.what(), mb::Critical, "");
  }
}

}  // namespace forms
