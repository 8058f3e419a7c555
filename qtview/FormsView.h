#pragma once
// The generic renderer: shows every loaded form of the window model with Qt widgets and feeds
// what the user does back into the model, which raises the events.
//
// Wiring, in main():
//   QApplication qapp(argc, argv);
//   qtview::QtPlatform platform;
//   forms::Application app(platform);
//   qtview::FormsView view(app);          // observes app; destroy it before app
//   platform.setView(&view);
//   QObject::connect(&view, &qtview::FormsView::ended, &qapp, &QApplication::quit);
//   ... load and show the first windows ..., view.sync(); return QApplication::exec();
//
// The model is the only owner of state. Widgets are written from it in sync(), which runs
// after each user event the view dispatches (and when the platform opens a box, pauses or
// lets events run); a handler that writes a box many times is shown only with its final text.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "forms/Application.h"

class QEventLoop;
class QMainWindow;
class QMdiArea;
class QWidget;

namespace qtview {

class FormView;

class FormsView : public QObject, public forms::Application::Observer {
  Q_OBJECT

 public:
  // Registers itself as the application's observer.
  explicit FormsView(forms::Application& app);
  ~FormsView() override;
  FormsView(const FormsView&) = delete;
  FormsView& operator=(const FormsView&) = delete;

  forms::Application& app() const { return *app_; }

  // Brings every window and control on screen up to date with the model.
  void sync();
  // Runs a user event in the model (as Application::dispatch does), then syncs. Ignored
  // while a sync is writing the widgets, whose signals are not the user's.
  void userEvent(const std::function<void()>& event);
  bool isSyncing() const { return syncing_ > 0; }

  // Runs the event loop until the form is hidden or unloaded (modal show).
  void runModal(forms::Form& form);

  // The rendered widgets, for the platform and for tests; nullptr when not on screen yet.
  QWidget* widgetOf(const forms::Control& control) const;
  // The window of a form: its QMdiSubWindow, its top-level widget or the main window.
  QWidget* windowOf(const forms::Form& form) const;
  // The client area that holds the form's controls.
  QWidget* canvasOf(const forms::Form& form) const;
  QMainWindow* mainWindow() const;
  QMdiArea* workspace() const;
  // The window that message boxes and dialogs belong to.
  QWidget* dialogParent() const;

  // A dialog of the platform's own closed: the window system need not give the activation back
  // (offscreen and under some window managers no window is active afterwards, every title grey
  // and the keyboard going nowhere). The model's window in front is activated again, with the
  // child in front and the control that had the focus.
  void bringBackFront();

  // The program activated a window; the window system reports activations late, so for a
  // moment an activation of any other window is an old one and not the user's.
  void expectActivation(QWidget* window);
  bool isLateActivation(QWidget* window);

 signals:
  // The program is over: its MDI frame was unloaded, or it ended itself.
  void ended();

 private:
  friend class FormView;
  void formDestroyed(forms::Form& form) override;
  void applicationEnded() override;
  void mousePointerChanged(forms::Form& form) override;

  FormView* viewOf(const forms::Form& form) const;
  FormView* frameView() const;
  void syncOnce();
  void syncActivation();
  void checkModalLoops();
  void updateBusyCursor();

  forms::Application* app_;
  std::map<const forms::Form*, std::unique_ptr<FormView>> views_;
  int syncing_ = 0;
  int reportDepth_ = 0;
  const forms::Form* appliedActiveChild_ = nullptr;
  const forms::Form* appliedActiveTop_ = nullptr;
  bool busyCursor_ = false;
  QPointer<QWidget> expectedActive_;
  QElapsedTimer expectedSince_;
  bool ended_ = false;
  struct ModalRun {
    const forms::Form* form;
    uint64_t instanceId;
    QEventLoop* loop;
  };
  std::vector<ModalRun> modalRuns_;
};

}  // namespace qtview
