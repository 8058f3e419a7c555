#include "qtview/FormsView.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QIcon>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSessionManager>
#include <algorithm>

#include "qtview/FormView.h"

namespace qtview {

FormsView::FormsView(forms::Application& app) : app_(&app) {
  app.setObserver(this);
  QApplication::setQuitOnLastWindowClosed(false);
  // The program's own icon, which every window without one of its own shows.
  const QString icon =
      QString::fromStdString(app.platform().programFolder()) + "/Images/Icons/veltaro32_32.ico";
  if (QFileInfo::exists(icon)) QApplication::setWindowIcon(QIcon(icon));
  if (!dynamic_cast<FocusMarkStyle*>(QApplication::style()))
    QApplication::setStyle(new FocusMarkStyle);
  // The session ends: the frame is asked like any other way of closing it.
  QObject::connect(qApp, &QGuiApplication::commitDataRequest, this,
                   [this](QSessionManager& manager) {
                     forms::Form* frame = app_->mdiForm();
                     if (!frame) return;
                     userEvent([frame] { frame->userClose(forms::kUnloadAppWindows); });
                     if (app_->mdiForm() == frame && frame->isLoaded()) manager.cancel();
                   });
}

FormsView::~FormsView() {
  app_->setObserver(nullptr);
  // Signals of widgets going away (another child activated) are not the user's.
  ++syncing_;
  // Children before the frame, whose workspace holds them.
  for (auto& [f, v] : views_)
    if (!v->frame()) v.reset();
  views_.clear();
  if (busyCursor_) QApplication::restoreOverrideCursor();
}

FormView* FormsView::viewOf(const forms::Form& form) const {
  auto it = views_.find(&form);
  return it == views_.end() ? nullptr : it->second.get();
}

FormView* FormsView::frameView() const {
  forms::Form* frame = app_->mdiForm();
  return frame ? viewOf(*frame) : nullptr;
}

QWidget* FormsView::widgetOf(const forms::Control& control) const {
  FormView* v = viewOf(control.form());
  return v ? v->widgetOf(control) : nullptr;
}

QWidget* FormsView::windowOf(const forms::Form& form) const {
  FormView* v = viewOf(form);
  return v ? v->window() : nullptr;
}

QWidget* FormsView::canvasOf(const forms::Form& form) const {
  FormView* v = viewOf(form);
  return v ? v->canvas() : nullptr;
}

QMainWindow* FormsView::mainWindow() const {
  FormView* v = frameView();
  return v ? v->frame() : nullptr;
}

QMdiArea* FormsView::workspace() const {
  FormView* v = frameView();
  return v ? v->workspace() : nullptr;
}

QWidget* FormsView::dialogParent() const {
  // Only the window of a loaded form: a box must not belong to a window on its way out.
  QWidget* active = QApplication::activeWindow();
  for (auto& [f, v] : views_)
    if (active && v->window() == active && v->form() && v->form()->isLoaded() &&
        active->isVisible())
      return active;
  return mainWindow();
}

void FormsView::expectActivation(QWidget* window) {
  expectedActive_ = window;
  expectedSince_.start();
}

bool FormsView::isLateActivation(QWidget* window) {
  // Half a second is ample for the window system to catch up with the program.
  constexpr qint64 kCatchUpMs = 500;
  if (!expectedActive_ || window == expectedActive_) {
    expectedActive_ = nullptr;
    return false;
  }
  return expectedSince_.elapsed() < kCatchUpMs;
}

// ---------------------------------------------------------------- model to screen

void FormsView::userEvent(const std::function<void()>& event) {
  if (syncing_) return;
  app_->dispatch(event);
  sync();
}

void FormsView::sync() {
  if (syncing_) return;
  ++syncing_;
  syncOnce();
  --syncing_;
  // Sizes that Qt settled on go back to the model, whose Resize handlers may change the
  // forms again (and sync again); a few rounds settle any disagreement.
  if (reportDepth_ < 3) {
    ++reportDepth_;
    std::vector<FormView*> views;
    for (auto& [f, v] : views_) views.push_back(v.get());
    for (FormView* v : views) {  // views are deleted only later
      v->reportWindowState();
      v->reportGeometry();
    }
    --reportDepth_;
  }
  // A window just shown: Qt has put the focus into it, the model chooses the control.
  if (QWidget* focus = QApplication::focusWidget()) {
    for (auto& [f, v] : views_) {
      if (v->controlOf(focus)) {
        v->giveFirstFocus();
        break;
      }
    }
  }
  checkModalLoops();
}

void FormsView::syncOnce() {
  // Forms that were unloaded but are not destroyed yet leave the screen.
  for (auto& [f, v] : views_)
    if (v->form() && !v->form()->isLoaded()) v->hideWindow();
  std::vector<forms::Form*> forms = app_->loadedForms();
  // The frame first: its workspace receives the children.
  std::stable_partition(forms.begin(), forms.end(), [](forms::Form* f) { return f->isMdiForm(); });
  for (forms::Form* f : forms) {
    auto& slot = views_[f];
    if (!slot) slot = std::make_unique<FormView>(*this, *f);
    slot->apply();
  }
  syncActivation();
}

void FormsView::syncActivation() {
  const forms::Form* child = app_->activeMdiChild();
  FormView* front = child ? viewOf(*child) : nullptr;
  // The workspace activates a child of its own accord when the one in front is hidden,
  // minimised or closed, and while the view syncs its signal is not heard: the model's choice
  // is put back, so that the window in front is the one every command acts on.
  QMdiArea* area = workspace();
  const bool drifted = front && front->subWindow() && area && front->subWindow()->isVisible() &&
                       area->activeSubWindow() != front->subWindow();
  if (child != appliedActiveChild_ || drifted) {
    appliedActiveChild_ = child;
    if (front) front->activateWindow();
  }
  const forms::Form* top = app_->activeWindow();
  if (top != appliedActiveTop_) {
    appliedActiveTop_ = top;
    if (top) bringBackFront();
  }
}

void FormsView::bringBackFront() {
  const forms::Form* top = app_->activeWindow();
  FormView* v = top ? viewOf(*top) : nullptr;
  if (!v || !v->window() || !v->window()->isVisible()) return;
  v->activateWindow();
  // The main window's focus belongs to the child in front, whatever widget Qt last left it on.
  const forms::Form* child = v->frame() ? app_->activeMdiChild() : nullptr;
  if (FormView* front = child ? viewOf(*child) : nullptr) front->activateWindow();
}

void FormsView::runModal(forms::Form& form) {
  sync();
  FormView* v = viewOf(form);
  if (!v || !form.isLoaded() || !form.visible()) return;
  QEventLoop loop;
  modalRuns_.push_back({&form, form.instanceId(), &loop});
  loop.exec(QEventLoop::DialogExec);
  std::erase_if(modalRuns_, [&](const ModalRun& r) { return r.loop == &loop; });
  sync();
}

void FormsView::checkModalLoops() {
  for (const ModalRun& r : modalRuns_) {
    FormView* v = viewOf(*r.form);
    bool running = v && v->form() && v->instanceId() == r.instanceId &&
                   app_->find(r.form->name()) == r.form && r.form->visible();
    if (!running) r.loop->quit();
  }
}

// ---------------------------------------------------------------- observer

void FormsView::formDestroyed(forms::Form& form) {
  auto it = views_.find(&form);
  if (it != views_.end()) {
    // The widgets may be in the middle of delivering the event that unloaded the form.
    FormView* v = it->second.release();
    views_.erase(it);
    v->detach();
    v->deleteLater();
  }
  if (appliedActiveChild_ == &form) appliedActiveChild_ = nullptr;
  if (appliedActiveTop_ == &form) appliedActiveTop_ = nullptr;
  checkModalLoops();
  if (form.isMdiForm() && !ended_) {
    ended_ = true;
    emit ended();
  }
}

void FormsView::applicationEnded() {
  for (const ModalRun& r : modalRuns_) r.loop->quit();
  if (!ended_) {
    ended_ = true;
    emit ended();
  }
}

void FormsView::mousePointerChanged(forms::Form& changed) {
  // The hourglass must show while the handler that set it still runs, so it is applied at
  // once, for the whole program.
  bool busy = changed.mousePointer() == forms::kPointerHourglass;
  for (forms::Form* f : app_->loadedForms())
    if (f != &changed && f->mousePointer() == forms::kPointerHourglass) busy = true;
  if (busy == busyCursor_) return;
  busyCursor_ = busy;
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

}  // namespace qtview
