#pragma once
// One loaded form on screen: its window, the widgets of its controls and, for the MDI frame,
// the main window with its workspace, menus and toolbars. Internal to the front end.

#include <QHash>
#include <QIcon>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "forms/Form.h"
#include "qtview/Workspace.h"

class QAction;
class QMenu;
class QToolBar;

class QLabel;

namespace qtview {

class FormsView;
class FormView;

// Kinds whose widgets take the keyboard focus, and kinds that report mouse events themselves.
bool isFocusKind(forms::ControlKind kind);
bool isMouseKind(forms::ControlKind kind);
// Shows a model mouse pointer on a widget (the default one is inherited).
void applyPointer(QWidget* target, int mousePointer);

// The style of the windows: the platform's, with the focus mark always shown on the control
// that has the focus.
class FocusMarkStyle : public QProxyStyle {
 public:
  FocusMarkStyle();
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget) const override;
};

// The client area of a form: holds its controls, draws its picture, and hands Tab to the
// model's tab order.
class FormCanvas : public QWidget {
 public:
  FormCanvas(FormView& view, QWidget* parent);
  void setPicture(const QPixmap& picture);

 protected:
  bool focusNextPrevChild(bool next) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  FormView* view_;
  QPixmap picture_;
};

class FormView : public QObject {
 public:
  FormView(FormsView& owner, forms::Form& form);
  ~FormView() override;

  // The form is about to be destroyed: forget it and take the window off the screen.
  void detach();
  forms::Form* form() const { return form_; }
  uint64_t instanceId() const { return instanceId_; }

  // Writes what changed in the model to the widgets.
  void apply();
  // Takes the window off the screen while the form waits to be destroyed.
  void hideWindow();
  void activateWindow();
  // Puts the keyboard focus on the model's active control.
  void applyFocus();
  // Qt focused a control of this window, which never had a focused one (it was just
  // shown): the model gives it its first control in the tab order.
  void giveFirstFocus();

  QWidget* window() const { return window_; }
  QWidget* canvas() const { return canvas_; }
  QMdiSubWindow* subWindow() const { return sub_; }
  QMainWindow* frame() const { return frame_; }
  Workspace* workspace() const { return workspace_; }
  // The part of the workspace on screen.
  QSize visibleWorkspace() const;
  QWidget* widgetOf(const forms::Control& control) const;
  forms::Control* controlOf(const QObject* widget) const;

  // Tab pressed in the canvas.
  void tabFrom(bool next);
  // Reports the window's real position and sizes to the model.
  void reportGeometry();
  // The workspace's content moved by `by` while this child lay minimised or hidden: the place
  // it comes back to, the model's, moves with it.
  void followContent(QPoint by);
  // Reports a window state the window took while the view was syncing (the workspace
  // maximises a child activated while the one in front is maximised, and restores that one),
  // so that the model's state never drifts from the one on screen.
  void reportWindowState();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void tellWindowState();
  void build();
  void buildFrame();
  void applyWindow(uint32_t dirty);
  void applyWindowState();
  // Puts a child where the model says, at its size.
  void placeChild();
  void applyFlags(QWidget* win, Qt::WindowFlags flags);
  void applyMenus();
  void applyToolbars();
  void fillWindowList(QMenu* menu);
  FormCanvas* stripFor(const forms::Toolbar* toolbar);
  void fitStrips();
  void fitOneLineLabel(QLabel* label);
  QWidget* ensureWidget(forms::Control& c);
  QWidget* createWidget(forms::Control& c, QWidget* parent);
  void applyControl(forms::Control& c, QWidget* w, uint32_t dirty);
  void applyText(forms::Control& c, QWidget* w);
  void applySelection(forms::Control& c, QWidget* w);
  // Runs a user event on this form's model; false when the form is gone afterwards.
  bool user(const std::function<void()>& event);
  bool controlKey(forms::Control& c, QWidget* w, QKeyEvent* e);
  bool controlFocusIn(forms::Control& c, QFocusEvent* e);
  bool controlMouse(forms::Control& c, QWidget* w, QEvent* e);
  bool windowEvent(QEvent* e);
  void syncModelSelection(forms::Control& c, QWidget* w);
  bool isTopLevel() const;
  bool isFrameless() const;
  QIcon iconFor(const std::string& path);

  FormsView* owner_;
  forms::Form* form_;
  uint64_t instanceId_;
  bool built_ = false;
  bool placed_ = false;
  bool framed_ = false;
  bool firstFocusGiven_ = false;
  bool flagsSet_ = false;
  bool stateReportQueued_ = false;
  Qt::WindowFlags appliedFlags_;
  QPointer<QWidget> window_;
  QPointer<FormCanvas> canvas_;
  QPointer<QMdiSubWindow> sub_;
  QPointer<QMainWindow> frame_;
  QPointer<Workspace> workspace_;
  std::map<const forms::Toolbar*, QPointer<FormCanvas>> strips_;
  std::map<const forms::Control*, QPointer<QWidget>> widgets_;
  std::map<const QObject*, forms::Control*> controlOf_;
  QPointer<QWidget> pressedOn_;  // the label, picture or frame that has the mouse
  bool afterDblClick_ = false;   // its next release ends a double-click
  std::map<const forms::MenuItem*, QPointer<QAction>> menuActions_;
  std::vector<QPointer<QMenu>> menus_;
  std::vector<QPointer<QAction>> windowListActions_;
  std::vector<QPointer<QToolBar>> toolbars_;
  std::vector<std::vector<QPointer<QAction>>> toolbarActions_;
  QHash<QString, QIcon> icons_;
};

}  // namespace qtview
