#pragma once
// The registry of windows and the dispatcher of events.
//
// Lifecycle of a window class:
//  - the first reference by name (get) creates the one instance and runs its Form_Load;
//    an MDI child then becomes visible (and makes its MDI frame visible) and active;
//  - find() looks without creating;
//  - unload runs Form_QueryUnload and Form_Unload, removes the instance from the registry and
//    destroys it once the outermost event handler has returned (so a form may unload itself
//    from one of its own handlers); the next reference builds a fresh instance in its design
//    state.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/Form.h"
#include "forms/Platform.h"

namespace forms {

class Application {
 public:
  using Factory = std::function<std::unique_ptr<Form>()>;

  // The front end is told about structural changes as they happen; it applies them to the
  // screen after the current event (see syncAll in the front end).
  class Observer {
   public:
    virtual ~Observer() = default;
    virtual void formCreated(Form&) {}
    virtual void formDestroyed(Form&) {}  // the instance is about to be deleted
    virtual void applicationEnded() {}
    // A window's mouse pointer changed. Told at once, not after the event, because the
    // hourglass must show while a long handler is still running.
    virtual void mousePointerChanged(Form&) {}
  };

  // Makes this the current application (there is one per program run, and one per test).
  explicit Application(Platform& platform);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  static Application& current();
  static bool hasCurrent();

  // The words of the few messages the layers below the program show themselves, in the
  // market's language once the program has read its language file; before that (start-up)
  // the fixed English ones.
  struct Words {
    std::string actionFailed = "The action could not be completed:";
    std::string helpMissing = "The help file cannot be found:";
    std::string helpBack = "Back";
    std::string helpForward = "Forward";
    // The message boxes' buttons, "&" before the access key; empty (at start-up) leaves the
    // toolkit's own words.
    struct Buttons {
      std::string yes, no, ok, cancel, abort, retry, ignore;
    } buttons;
  };
  const Words& words() const { return words_; }
  void setWords(Words words) { words_ = std::move(words); }

  Platform& platform() const { return *platform_; }
  void setPlatform(Platform& platform) { platform_ = &platform; }
  void setObserver(Observer* observer) { observer_ = observer; }

  // --- Registry ---
  void registerForm(const std::string& name, Factory factory);
  template <class T>
  void registerForm() {
    registerForm(T::kName, [] { return std::make_unique<T>(); });
  }
  bool isRegistered(std::string_view name) const;
  // Every registered window class, by name.
  std::vector<std::string> registeredNames() const;

  // The instance of a window class, created and loaded on first reference.
  // Throws std::out_of_range for a name that was never registered.
  Form& get(std::string_view name);
  template <class T>
  T& get() {
    if (!isRegistered(T::kName)) registerForm<T>();
    return static_cast<T&>(get(T::kName));
  }
  // Without creating: nullptr when not loaded.
  Form* find(std::string_view name) const;
  template <class T>
  T* find() const {
    return static_cast<T*>(find(T::kName));
  }
  bool isLoaded(std::string_view name) const { return find(name) != nullptr; }
  // Unloads the window if it is loaded ("close it if it is open"). False when cancelled.
  bool unloadIfLoaded(std::string_view name);
  // Loaded windows in load order.
  std::vector<Form*> loadedForms() const;

  // --- Windows ---
  // The MDI frame (the form marked isMdiForm that is loaded), or nullptr.
  Form* mdiForm() const;
  // The child in front. Minimising it brings the most recently active child that is not
  // minimised to the front, closing or hiding it too; restoring a minimised child or
  // maximising one brings it to the front, and one restored while it was the active one (a
  // minimised child is activated by a click on it) raises Activate again, since only now can
  // its handler take it as the window in front.
  Form* activeMdiChild() const { return activeChild_; }
  Form* activeWindow() const { return activeTop_; }
  // Visible MDI children, the most recently activated first.
  std::vector<Form*> mdiChildrenByActivation() const;

  // Ends the program (the original's End): unloads every window without events.
  void end();
  bool ended() const { return ended_; }

  // --- Event dispatch ---
  // Every event runs inside a scope; destruction of unloaded windows waits until the
  // outermost scope closes.
  class EventScope {
   public:
    explicit EventScope(Application& app) : app_(app) { ++app_.depth_; }
    ~EventScope() {
      if (--app_.depth_ == 0) app_.flushUnloaded();
    }
    EventScope(const EventScope&) = delete;
    EventScope& operator=(const EventScope&) = delete;

   private:
    Application& app_;
  };
  int eventDepth() const { return depth_; }
  // Runs a user event from the front end; an exception that escapes the handlers is shown
  // as an error message instead of ending the program.
  void dispatch(const std::function<void()>& event);

 private:
  friend class Form;
  void loadForm(Form& form);
  void formShown(Form& form);
  void formHidden(Form& form);
  void formActivated(Form& form);
  // A child was minimised, restored or maximised: the front moves as on the desktop.
  void childStateChanged(Form& form, int oldState);
  // The child that comes to the front when `leaving` goes: the most recently activated one
  // that is not minimised, else the most recent minimised one; nullptr when none is left.
  Form* nextFrontChild(const Form* leaving) const;
  void formUnloaded(Form& form);
  void flushUnloaded();
  Form* takeInstance(Form& form);

  Platform* platform_;
  Words words_;
  Observer* observer_ = nullptr;
  Application* previous_;
  std::map<std::string, Factory, std::less<>> factories_;
  std::vector<std::unique_ptr<Form>> loaded_;    // load order
  std::vector<std::unique_ptr<Form>> unloaded_;  // waiting for the outermost event to end
  std::vector<Form*> activation_;                // MDI children, most recent last
  Form* activeChild_ = nullptr;
  Form* activeTop_ = nullptr;
  int depth_ = 0;
  bool ended_ = false;
  uint64_t nextInstanceId_ = 1;
};

// Shorthand for Application::current().
inline Application& app() {
  return Application::current();
}

}  // namespace forms
