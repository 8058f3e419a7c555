// A form on screen: its window, the flow of model state to it and of user input to the model.

#include "qtview/FormView.h"

#include <QApplication>
#include <QBitmap>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShortcut>
#include <algorithm>
#include <utility>
#include <vector>

#include "forms/Application.h"
#include "qtview/Convert.h"
#include "qtview/FormsView.h"

namespace qtview {

using forms::Control;
using forms::ControlKind;

namespace {

int windowStateOf(Qt::WindowStates s) {
  if (s & Qt::WindowMinimized) return forms::kStateMinimized;
  if (s & Qt::WindowMaximized) return forms::kStateMaximized;
  return forms::kStateNormal;
}

// Frame sizes assumed until the window manager has shown a window: 4 pixels of border on
// each side and a 19-pixel title, what the model's design sizes take for granted.
constexpr int kDefaultFrameWidth = 8;
constexpr int kDefaultFrameHeight = 27;

}  // namespace

// ---------------------------------------------------------------- canvas

FormCanvas::FormCanvas(FormView& view, QWidget* parent) : QWidget(parent), view_(&view) {}

void FormCanvas::setPicture(const QPixmap& picture) {
  picture_ = picture;
  update();
}

bool FormCanvas::focusNextPrevChild(bool next) {
  view_->tabFrom(next);
  return true;
}

void FormCanvas::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter p(this);
  p.drawPixmap(0, 0, picture_);
}

void applyPointer(QWidget* target, int mousePointer) {
  if (auto cursor = toQCursor(mousePointer))
    target->setCursor(*cursor);
  else
    target->unsetCursor();
}

// ---------------------------------------------------------------- life

FormView::FormView(FormsView& owner, forms::Form& form)
    : owner_(&owner), form_(&form), instanceId_(form.instanceId()) {}

FormView::~FormView() {
  // Widgets being destroyed still send events to this filter; it must not look at them.
  form_ = nullptr;
  // The window owns every widget of the form.
  if (frame_)
    delete frame_.data();
  else if (sub_)
    delete sub_.data();
  else if (canvas_)
    delete canvas_.data();
}

void FormView::detach() {
  form_ = nullptr;
  hideWindow();
  if (frame_) frame_->removeEventFilter(this);
  for (auto& [obj, c] : controlOf_) const_cast<QObject*>(obj)->removeEventFilter(this);
  controlOf_.clear();
}

bool FormView::isFrameless() const {
  // A window with neither a control box nor a caption has no title bar at all.
  return !form_->hasControlBox() && form_->caption().empty() && !form_->isMdiChild();
}

bool FormView::isTopLevel() const {
  return !sub_ && !frame_;
}

QWidget* FormView::widgetOf(const forms::Control& control) const {
  auto it = widgets_.find(&control);
  return it == widgets_.end() ? nullptr : it->second.data();
}

forms::Control* FormView::controlOf(const QObject* widget) const {
  auto it = controlOf_.find(widget);
  return it == controlOf_.end() ? nullptr : it->second;
}

bool FormView::user(const std::function<void()>& event) {
  if (!form_ || !form_->isLoaded() || owner_->isSyncing()) return false;
  owner_->userEvent(event);
  return form_ != nullptr;
}

QIcon FormView::iconFor(const std::string& path) {
  QString p = toQt(path);
  auto it = icons_.find(p);
  if (it != icons_.end()) return *it;
  QIcon icon;
  if (p.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive)) {
    // Toolbar pictures are bitmaps whose light grey (192, 192, 192) is the see-through colour.
    QPixmap pixmap(p);
    if (!pixmap.isNull()) pixmap.setMask(pixmap.createMaskFromColor(QColor(192, 192, 192)));
    icon = QIcon(pixmap);
  } else {
    icon = QIcon(p);
  }
  icons_.insert(p, icon);
  return icon;
}

// ---------------------------------------------------------------- building

void FormView::build() {
  built_ = true;
  if (form_->isMdiForm()) {
    buildFrame();
    return;
  }
  FormView* frameView = form_->isMdiChild() ? owner_->frameView() : nullptr;
  if (frameView && frameView->workspace()) {
    canvas_ = new FormCanvas(*this, nullptr);
    sub_ = new QMdiSubWindow;
    sub_->setAttribute(Qt::WA_DeleteOnClose, false);
    // Ctrl+F4 belongs to the frame alone (see buildFrame): the same key on the child's own
    // window menu made the key ambiguous, and an ambiguous key closed nothing.
    if (QMenu* system = sub_->systemMenu())
      for (QAction* a : system->actions())
        if (a->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_F4)) a->setShortcut({});
    sub_->setWidget(canvas_);
    // The workspace maximises a child activated while the one in front is maximised, and
    // restores that one, as on the desktop. A child without a maximise button (the case
    // header, the about box) opens over the maximised one instead, as it always looks, and
    // leaves it as it is. Told before the workspace hears of the activation.
    QObject::connect(sub_, &QMdiSubWindow::aboutToActivate, this, [this] {
      const Qt::WindowFlags flags = sub_->windowFlags();
      if (QMdiArea* area = sub_->mdiArea())
        area->setOption(QMdiArea::DontMaximizeSubWindowOnActivation,
                        flags.testFlag(Qt::CustomizeWindowHint) &&
                            !flags.testFlag(Qt::WindowMaximizeButtonHint));
    });
    frameView->workspace()->addSubWindow(sub_);
    sub_->hide();
    window_ = sub_;
    // A child's new state is told once the workspace has done with it: it activates a child
    // being minimised (as a click on it would) and keeps it active, and only afterwards may
    // the model move the front on to another child. A child brought back from minimised,
    // whichever way, stands at the model's place, which moved with the content while it lay
    // there (the area would put it back where it stood on screen).
    QObject::connect(sub_, &QMdiSubWindow::windowStateChanged, this,
                     [this](Qt::WindowStates before, Qt::WindowStates now) {
                       if (placed_ && (before & Qt::WindowMinimized) &&
                           !(now & (Qt::WindowMinimized | Qt::WindowMaximized)))
                         placeChild();
                       if (!owner_->isSyncing()) reportWindowState();
                     });
  } else {
    canvas_ = new FormCanvas(*this, nullptr);
    canvas_->setWindowFlag(Qt::Window);
    window_ = canvas_;
  }
  canvas_->installEventFilter(this);
  window_->installEventFilter(this);
  canvas_->setMouseTracking(true);
}

void FormView::buildFrame() {
  auto* frame = new QMainWindow;
  // The toolbars show as the program says; the user cannot switch them off.
  frame->setContextMenuPolicy(Qt::PreventContextMenu);
  frame_ = frame;
  window_ = frame;
  workspace_ = new Workspace(frame);
  workspace_->setBackground(frame->palette().color(QPalette::Dark));
  // The workspace is the only thing that scrolls (see Workspace.h).
  frame->setCentralWidget(workspace_);
  // The keys of a multiple-document frame: Ctrl+F4 closes the active child (asking the
  // model, as its close box does), Ctrl+F6 goes to the next one and Ctrl+Shift+F6 back.
  auto* closeChild = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4), frame);
  auto closeActive = [this] {
    if (QMdiSubWindow* active = workspace_ ? workspace_->activeSubWindow() : nullptr)
      active->close();
  };
  QObject::connect(closeChild, &QShortcut::activated, this, closeActive);
  QObject::connect(closeChild, &QShortcut::activatedAmbiguously, this, closeActive);
  auto* nextChild = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F6), frame);
  QObject::connect(nextChild, &QShortcut::activated, workspace_.data(),
                   &QMdiArea::activateNextSubWindow);
  auto* previousChild = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6), frame);
  QObject::connect(previousChild, &QShortcut::activated, workspace_.data(),
                   &QMdiArea::activatePreviousSubWindow);
  workspace_->placeMoved = [this](QMdiSubWindow* sub, QPoint by) {
    for (auto& [f, v] : owner_->views_)
      if (v && v->subWindow() == sub) v->followContent(by);
  };
  workspace_->viewport()->setMouseTracking(true);
  workspace_->viewport()->installEventFilter(this);
  frame->installEventFilter(this);
  QObject::connect(workspace_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
    if (!sub || owner_->isSyncing()) return;
    for (auto& [f, v] : owner_->views_)
      if (v && v->subWindow() == sub && v->form() && v->form()->isLoaded()) {
        forms::Form* child = v->form();
        if (owner_->app().activeMdiChild() != child)
          owner_->userEvent([child] { child->userActivate(); });
        return;
      }
  });
}

QWidget* FormView::ensureWidget(Control& c) {
  if (QWidget* w = widgetOf(c)) return w;
  QWidget* parent = c.container() ? ensureWidget(*c.container()) : nullptr;
  if (!parent) parent = frame_ ? stripFor(c.toolbarHost()) : canvas_.data();
  QWidget* w = createWidget(c, parent);
  widgets_[&c] = w;
  controlOf_[w] = &c;
  w->installEventFilter(this);
  return w;
}

// ---------------------------------------------------------------- applying the model

// The system font runs a little wider than the one the windows were designed with, which
// would cut the end off many captions. A left-aligned label may therefore
// use the free space to its right, up to the next control on its row or its container's edge;
// its width in the model stays as designed.
void FormView::fitOneLineLabel(QLabel* label) {
  auto found = controlOf_.find(label);
  if (found == controlOf_.end()) return;
  const Control* c = found->second;
  if (c->alignment() != 0) return;
  const QRect design(toPixels(c->left()), toPixels(c->top()), toPixels(c->width()),
                     toPixels(c->height()));
  // A wrapping label needs room for its longest word, any other for its whole text.
  int need = 0;
  const QStringList parts =
      label->wordWrap() ? label->text().split(' ', Qt::SkipEmptyParts) : QStringList{label->text()};
  for (const QString& part : parts)
    need = std::max(need, label->fontMetrics().horizontalAdvance(part) + 2);
  int width = design.width();
  if (need > width) {
    QWidget* parent = label->parentWidget();
    int limit = parent && parent->width() > 0 ? parent->width() - design.left() : need;
    for (QObject* o : parent ? parent->children() : QObjectList()) {
      auto* sibling = qobject_cast<QWidget*>(o);
      if (!sibling || sibling == label || sibling->isHidden()) continue;
      const QRect g = sibling->geometry();
      if (g.left() >= design.right() && g.top() <= design.bottom() && g.bottom() >= design.top())
        limit = std::min(limit, g.left() - design.left());
    }
    width = std::max(width, std::min(need, limit));
  }
  if (label->width() != width) label->resize(width, design.height());
}

void FormView::apply() {
  if (!form_) return;
  if (!built_) build();
  uint32_t dirty = form_->takeDirty();
  if (frame_) {
    if (dirty & forms::Form::kDirtyMenus) applyMenus();
    if (dirty & forms::Form::kDirtyToolbars) applyToolbars();
  }
  // Controls before the window is shown, so that it appears complete.
  // A new control starts dirty without being listed, so new controls are looked at whole.
  bool anyChanged = false;
  std::vector<QLabel*> labels;
  auto applyDirty = [&](Control* c) {
    uint32_t d = c->takeDirty();
    if (!d) return;
    anyChanged = true;
    QWidget* w = ensureWidget(*c);
    applyControl(*c, w, d);
    if (c->kind() == forms::ControlKind::Label) labels.push_back(static_cast<QLabel*>(w));
  };
  if (dirty & forms::Form::kDirtyControls)
    for (auto& c : form_->controls()) applyDirty(c.get());
  for (Control* c : form_->takeDirtyControls()) applyDirty(c);
  // Once every sibling stands where it belongs.
  for (QLabel* l : labels) fitOneLineLabel(l);
  if (frame_ && anyChanged) fitStrips();
  applyWindow(dirty);
}

void FormView::applyWindow(uint32_t dirty) {
  using F = forms::Form;
  QWidget* win = window_;
  if (!win) return;
  if (dirty & F::kDirtyCaption) win->setWindowTitle(toQt(form_->caption()));
  if (dirty & F::kDirtyLook) {
    if (!form_->icon().empty()) {
      win->setWindowIcon(iconFor(form_->icon()));
    } else if (sub_) {
      // A child without an icon of its own shows the program's, or none.
      QIcon icon = QApplication::windowIcon();
      if (icon.isNull()) {
        QPixmap blank(16, 16);
        blank.fill(Qt::transparent);
        icon = QIcon(blank);
      }
      sub_->setWindowIcon(icon);
    }
    QPixmap picture;
    if (!form_->picture().empty()) picture.load(toQt(form_->picture()));
    if (workspace_)
      workspace_->setPicture(picture);
    else if (canvas_)
      canvas_->setPicture(picture);
    if (canvas_ && !frame_) {
      canvas_->setFont(toQFont(form_->font()));
      QPalette palette = canvas_->palette();
      QColor back =
          toQColor(form_->backColor()).value_or(QApplication::palette().color(QPalette::Window));
      palette.setColor(QPalette::Window, back);
      canvas_->setPalette(palette);
      canvas_->setAutoFillBackground(true);
    }
    if (workspace_)
      applyPointer(workspace_->viewport(), form_->mousePointer());
    else if (canvas_)
      // A window's own pointer, so that the workspace's never shows through it.
      canvas_->setCursor(toQCursor(form_->mousePointer()).value_or(QCursor(Qt::ArrowCursor)));
  }
  if (dirty & F::kDirtyState) {
    if (isTopLevel() || frame_) {
      Qt::WindowFlags flags = frame_ ? Qt::Window : Qt::Window | Qt::Dialog;
      if (isFrameless())
        flags = Qt::Window | Qt::FramelessWindowHint;
      else if (!form_->hasControlBox())
        flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
      if (form_->topmost()) flags |= Qt::WindowStaysOnTopHint;
      applyFlags(win, flags);
      Qt::WindowModality modality = form_->isModal() ? Qt::ApplicationModal : Qt::NonModal;
      if (win->windowModality() != modality) {
        bool shown = win->isVisible();
        if (shown) win->hide();
        win->setWindowModality(modality);
        if (shown) win->show();
      }
    } else if (sub_) {
      Qt::WindowFlags flags = Qt::SubWindow;
      if (!form_->hasControlBox())
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
      else if (!form_->resizable())
        // A fixed border: a window menu and a close box, neither maximise nor minimise.
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint;
      applyFlags(sub_, flags);
    }
  }
  if (dirty & (F::kDirtyGeometry | F::kDirtyState)) {
    // A window first shown minimised (a reopened case) still gets the normal geometry that
    // it comes back to.
    if (form_->windowState() == forms::kStateNormal || !placed_) {
      int w = toPixels(form_->width()), h = toPixels(form_->height());
      int x = toPixels(form_->left()), y = toPixels(form_->top());
      if (sub_) {
        if (!placed_) {
          // A child opens inside the workspace where it fits; a larger one at its top left,
          // from where the workspace scrolls to the rest. The model is told at once, also of a
          // child first shown minimised: that is where it comes back to.
          FormView* frame = owner_->frameView();
          const QSize room = frame && frame->workspace() ? frame->visibleWorkspace() : QSize();
          x = std::max(0, std::min(x, room.width() - w));
          y = std::max(0, std::min(y, room.height() - h));
          if (x != toPixels(form_->left()) || y != toPixels(form_->top()))
            form_->userMove(toTwips(x), toTwips(y));
        }
        placeChild();
        if (!form_->resizable()) sub_->setFixedSize(w, h);
      } else {
        QRect frameRect = win->frameGeometry(), inner = win->geometry();
        const bool frameless = isFrameless();
        int fw = frameless                                ? 0
                 : win->isVisible() && frameRect != inner ? frameRect.width() - inner.width()
                                                          : kDefaultFrameWidth;
        int fh = frameless                                ? 0
                 : win->isVisible() && frameRect != inner ? frameRect.height() - inner.height()
                                                          : kDefaultFrameHeight;
        QSize client(std::max(1, w - fw), std::max(1, h - fh));
        win->resize(client);
        if (!form_->resizable() && !frame_) win->setFixedSize(client);
        QScreen* screen = QGuiApplication::primaryScreen();
        const QRect area = screen ? screen->availableGeometry() : QRect();
        if (!placed_ && ((form_->left() == 0 && form_->top() == 0) || frameless)) {
          // A window that was never placed, and the splash window, open in the middle of
          // the screen.
          if (screen) win->move(area.center() - QPoint(w / 2, h / 2));
        } else if (!placed_ && screen) {
          // Every other window opens on the screen.
          win->move(std::max(area.left(), std::min(x, area.right() + 1 - w)),
                    std::max(area.top(), std::min(y, area.bottom() + 1 - h)));
        } else {
          win->move(x, y);
        }
      }
      placed_ = true;
    }
  }
  if (dirty & F::kDirtyState) {
    bool show = form_->isLoaded() && form_->visible();
    if (show) {
      applyWindowState();
      if (!win->isVisible()) win->show();
    } else if (win->isVisible()) {
      win->hide();
    }
  }
  if (dirty & F::kDirtyFocus) applyFocus();
}

void FormView::applyFlags(QWidget* win, Qt::WindowFlags flags) {
  // Qt adds hints of its own to the flags it is given, so they are compared with the ones last
  // set: setting them again re-creates the window, which would drop its maximised state.
  if (flagsSet_ && flags == appliedFlags_) return;
  flagsSet_ = true;
  appliedFlags_ = flags;
  win->setWindowFlags(flags);
}

void FormView::applyWindowState() {
  QWidget* win = window_;
  int want = form_->windowState();
  if (win->isVisible() && windowStateOf(win->windowState()) == want) return;
  Qt::WindowStates s = win->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
  if (want == forms::kStateMinimized) s |= Qt::WindowMinimized;
  if (want == forms::kStateMaximized) s |= Qt::WindowMaximized;
  win->setWindowState(s);
}

void FormView::placeChild() {
  if (!form_ || !sub_) return;
  sub_->setGeometry(toPixels(form_->left()), toPixels(form_->top()), toPixels(form_->width()),
                    toPixels(form_->height()));
}

void FormView::followContent(QPoint by) {
  // Never shown, a child has no place in the content yet: it opens where the model says.
  if (!form_ || !form_->isLoaded() || !sub_ || !placed_) return;
  form_->userMove(form_->left() - toTwips(by.x()), form_->top() - toTwips(by.y()));
}

void FormView::hideWindow() {
  if (window_ && window_->isVisible()) window_->hide();
}

void FormView::activateWindow() {
  if (!window_ || !window_->isVisible()) return;
  if (sub_) {
    if (auto* area = sub_->mdiArea()) {
      if (area->activeSubWindow() != sub_) area->setActiveSubWindow(sub_);
    }
  } else {
    owner_->expectActivation(window_);
    window_->raise();
    window_->activateWindow();
  }
  applyFocus();
}

void FormView::applyFocus() {
  if (!form_ || !window_ || !window_->isVisible()) return;
  // A child that is not the active one takes the focus when it is activated.
  if (sub_ && owner_->app().activeMdiChild() != form_) return;
  QWidget* w = nullptr;
  if (Control* c = form_->activeControl()) {
    w = widgetOf(*c);
  } else {
    // No control has the model's focus here (the preview shows its page alone): the keyboard
    // stays in the window all the same, on its page, never on a control of another window.
    // The model's own controls wait for their first focus.
    for (const auto& page : form_->controls())
      if (page->kind() == ControlKind::Browser && (w = widgetOf(*page))) break;
  }
  if (w && !w->hasFocus() && w->isVisible() && w->isEnabled()) w->setFocus(Qt::OtherFocusReason);
}

// ---------------------------------------------------------------- user input

void FormView::tabFrom(bool next) {
  if (!form_ || owner_->isSyncing()) return;
  forms::Form* f = form_;
  user([f, next] { f->focusNext(!next); });
}

void FormView::syncModelSelection(Control& c, QWidget* w) {
  QLineEdit* e = qobject_cast<QLineEdit*>(w);
  if (auto* cb = qobject_cast<QComboBox*>(w)) e = cb->lineEdit();
  if (e) {
    QString t = e->text();
    int start = e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
    int end = e->hasSelectedText() ? e->selectionEnd() : start;
    int s = modelPosition(t, start);
    c.userSelect(s, modelPosition(t, end) - s);
  } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
    QString t = p->toPlainText();
    QTextCursor cur = p->textCursor();
    int s = modelPosition(t, cur.selectionStart());
    c.userSelect(s, modelPosition(t, cur.selectionEnd()) - s);
  }
}

bool FormView::controlKey(Control& c, QWidget* w, QKeyEvent* e) {
  int code = windowsKeyCode(*e);
  int shift = shiftState(e->modifiers());
  if (e->type() == QEvent::KeyRelease) {
    if (code && !e->isAutoRepeat()) user([&c, code, shift] { c.userKeyUp(code, shift); });
    return false;
  }
  // Tab belongs to the tab order, never to the handlers.
  if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) return false;
  if (code) {
    int result = code;
    if (!user([&c, &result, code, shift] { result = c.userKeyDown(code, shift); })) return true;
    if (result == 0) return true;  // swallowed
  }
  if (c.kind() == ControlKind::OptionButton && code >= forms::key::Left &&
      code <= forms::key::Down) {
    // The arrows move within the option group and select; the model does it.
    bool moved = false;
    user([&c, &moved, code] { moved = c.userArrowInGroup(code); });
    if (moved) return true;
  }
  std::optional<int> ascii = keyAscii(*e);
  if (!ascii) return false;  // caret keys, Delete, F-keys: the widget does them
  syncModelSelection(c, w);
  int result = *ascii;
  if (!user([&c, &result, ascii] { result = c.userKeyPress(*ascii); })) return true;
  if (result == 0) return true;  // cancelled
  bool textKind =
      c.kind() == ControlKind::TextBox ||
      (c.kind() == ControlKind::ComboBox && c.comboStyle() == forms::ComboStyle::DropdownCombo);
  if (!textKind) {
    // Enter presses a focused command button, as Space does (the widget does Space).
    if (result == forms::key::Return && c.kind() == ControlKind::CommandButton) {
      user([&c] { c.userClick(); });
      return true;
    }
    // Lists without typing search by letter; options and check boxes do their own keys.
    return result == forms::key::Return && c.kind() == ControlKind::ComboBox;
  }
  // The model typed the character itself; only the clipboard keys and the keys it does not
  // type (Ctrl+A, Ctrl+Z ...) are left to the widget. Enter never reaches a list.
  if (result == forms::key::CtrlV || result == forms::key::CtrlX || result == forms::key::CtrlC)
    return false;
  if (result == forms::key::Return || result == forms::key::Back || result >= 32) return true;
  return result == forms::key::Escape;
}

void FormView::giveFirstFocus() {
  // Once per window: a window whose controls cannot take the focus stays without one.
  if (!form_ || !form_->isLoaded() || form_->activeControl() || firstFocusGiven_) return;
  firstFocusGiven_ = true;
  forms::Form* f = form_;
  user([f] { f->focusNext(false); });
}

bool FormView::controlFocusIn(Control& c, QFocusEvent* e) {
  if (owner_->isSyncing() || !form_) return false;
  forms::Form* f = form_;
  switch (e->reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
      // The window came back (activation, a closed list or box): no focus move. A window
      // that never had a focused control gets its first one in the tab order. The main
      // window that comes back gives the focus to the child in front, whose control had it,
      // whatever control of its own the window system chose.
      if (frame_ && owner_->app().activeMdiChild()) {
        QMetaObject::invokeMethod(
            this,
            [this] {
              if (forms::Form* child = owner_->app().activeMdiChild())
                if (FormView* v = owner_->viewOf(*child)) v->applyFocus();
            },
            Qt::QueuedConnection);
        return false;
      }
      giveFirstFocus();
      return false;
    case Qt::MouseFocusReason:
    case Qt::ShortcutFocusReason:
      // The user's own moves: a click on the control, or its access key, which enters a box
      // with its whole text selected. Tab and Shift+Tab never come this way: the canvas hands
      // them to the model's tab order (see FormCanvas), and the widget follows the model.
      if (f->activeControl() != &c) {
        const bool byKeyboard = e->reason() == Qt::ShortcutFocusReason;
        user([&c, byKeyboard] { c.userFocus(byKeyboard); });
      }
      return false;
    default:
      // Qt's own placing of the focus: a sub-window being minimised hands it on along its
      // chain as if Tab were pressed, one restored or activated gives it to the widget it last
      // had or to the first of its chain. That is no move of the user's between controls: the
      // model keeps its focused control (whose GotFocus would empty the results beside it),
      // and the widget follows it.
      giveFirstFocus();
      if (f->activeControl() && f->activeControl() != &c)
        QMetaObject::invokeMethod(
            this, [this] { applyFocus(); }, Qt::QueuedConnection);
      return false;
  }
}

// A label, picture or frame takes the mouse events meant for it alone, as on Windows: what it
// takes never climbs on to its container, and the control that took a press keeps the mouse
// until the release. A release that a button or option inside a frame lets go (Qt hands it on
// to the parent) belongs to the control pressed, not to the frame.
bool FormView::controlMouse(Control& c, QWidget* w, QEvent* e) {
  auto* me = static_cast<QMouseEvent*>(e);
  QPointF p = me->position();
  double x = p.x() * forms::kTwipsPerPixel, y = p.y() * forms::kTwipsPerPixel;
  int shift = shiftState(me->modifiers());
  switch (e->type()) {
    case QEvent::MouseButtonPress: {
      pressedOn_ = w;
      afterDblClick_ = false;
      int b = mouseButton(me->button());
      user([&c, b, shift, x, y] { c.userMouseDown(b, shift, x, y); });
      break;
    }
    case QEvent::MouseMove: {
      if (me->buttons() != Qt::NoButton && pressedOn_ != w) return false;
      int b = mouseButtons(me->buttons());
      user([&c, b, shift, x, y] { c.userMouseMove(b, shift, x, y); });
      break;
    }
    case QEvent::MouseButtonRelease: {
      if (pressedOn_ != w) return false;
      pressedOn_ = nullptr;
      int b = mouseButton(me->button());
      bool inside = w->rect().contains(me->position().toPoint());
      if (!user([&c, b, shift, x, y] { c.userMouseUp(b, shift, x, y); })) return true;
      // The release that ends a double-click raises MouseUp alone: its Click came before.
      if (inside && me->button() == Qt::LeftButton && !std::exchange(afterDblClick_, false))
        user([&c] { c.userClick(); });
      break;
    }
    case QEvent::MouseButtonDblClick:
      // The second press of a double-click arrives as this event alone; its release follows.
      pressedOn_ = w;
      afterDblClick_ = true;
      user([&c] { c.userDblClick(); });
      break;
    default:
      return false;
  }
  e->accept();
  return true;
}

bool FormView::windowEvent(QEvent* e) {
  forms::Form* f = form_;
  switch (e->type()) {
    case QEvent::Close: {
      // Every way of closing asks the model first; it unloads the form or refuses.
      e->ignore();
      user([f] { f->userClose(forms::kUnloadFormControlMenu); });
      return true;
    }
    case QEvent::WindowStateChange: {
      if (sub_) return false;  // told by the child's own signal (see build)
      int state = windowStateOf(window_->windowState());
      if (!owner_->isSyncing() && state != f->windowState())
        user([f, state] { f->userSetWindowState(state); });
      return false;
    }
    case QEvent::MouseButtonPress:
      // A child's title bar acts on the button it last saw the pointer over, and it sees the
      // pointer only when it moves. A minimised bar that the workspace lined up under a resting
      // pointer (the one before it was just restored) took the click for a plain activation.
      // It is shown the pointer where the press is first.
      if (sub_) {
        auto* me = static_cast<QMouseEvent*>(e);
        QMouseEvent hover(QEvent::MouseMove, me->position(), me->scenePosition(),
                          me->globalPosition(), Qt::NoButton, Qt::NoButton, me->modifiers());
        QCoreApplication::sendEvent(sub_, &hover);
      }
      return false;
    case QEvent::WindowActivate:
      if (!sub_ && !owner_->isSyncing() && owner_->app().activeWindow() != f &&
          !owner_->isLateActivation(window_))
        user([f] { f->userActivate(); });
      return false;
    case QEvent::Move:
    case QEvent::Resize:
      if (!owner_->isSyncing()) reportGeometry();
      return false;
    case QEvent::Enter:
      // The title bar of a child window shows the workspace's pointer unless it is taken off.
      if (sub_)
        if (FormView* frame = owner_->frameView(); frame && frame->workspace())
          frame->workspace()->viewport()->unsetCursor();
      return false;
    default:
      return false;
  }
}

QSize FormView::visibleWorkspace() const {
  return workspace_->viewport()->size();
}

void FormView::reportWindowState() {
  if (sub_ && !stateReportQueued_) {
    // A child is looked at once the workspace has done with the event at hand (see build).
    stateReportQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
          stateReportQueued_ = false;
          if (!owner_->isSyncing()) tellWindowState();
        },
        Qt::QueuedConnection);
    return;
  }
  if (!sub_) tellWindowState();
}

void FormView::tellWindowState() {
  if (!form_ || !form_->isLoaded() || !window_ || !window_->isVisible()) return;
  const int shown = windowStateOf(window_->windowState());
  if (shown == form_->windowState()) return;
  forms::Form* f = form_;
  user([f, shown] { f->userSetWindowState(shown); });
}

void FormView::reportGeometry() {
  if (!form_ || !form_->isLoaded() || !window_ || !window_->isVisible()) return;
  // For a child the state on screen decides too: its new state reaches the model only after
  // the workspace has moved and sized it (see build), and the place of a minimised or
  // maximised child is not the one it comes back to.
  const int shown = sub_ ? windowStateOf(window_->windowState()) : form_->windowState();
  if (shown == forms::kStateMinimized || form_->windowState() == forms::kStateMinimized) return;
  QSize client = workspace_ ? visibleWorkspace() : canvas_ ? canvas_->size() : QSize();
  int left = form_->left(), top = form_->top(), width = form_->width(), height = form_->height();
  if (!sub_ && !framed_ && shown == forms::kStateNormal &&
      window_->frameGeometry() != window_->geometry()) {
    // The window manager has framed the window: now the client can be sized so that the
    // outer size is the model's, as the program set it.
    framed_ = true;
    QSize margins = window_->frameGeometry().size() - window_->geometry().size();
    QSize client(toPixels(form_->width()) - margins.width(),
                 toPixels(form_->height()) - margins.height());
    if (client.isValid() && client != window_->size()) {
      window_->resize(client);
      return;  // reported when the resize arrives
    }
  }
  // A maximised top-level window reports its maximised size, as Windows does; windows that
  // place themselves by the frame's width need it.
  if ((shown == forms::kStateNormal && form_->windowState() == forms::kStateNormal) ||
      (!sub_ && shown == forms::kStateMaximized)) {
    QRect outer = sub_ ? sub_->geometry() : window_->frameGeometry();
    if (!sub_ && outer == window_->geometry() && !isFrameless()) {
      // Not decorated (yet): the frame the model's sizes include is the assumed one.
      outer.setSize(outer.size() + QSize(kDefaultFrameWidth, kDefaultFrameHeight));
    }
    left = toTwips(outer.x());
    top = toTwips(outer.y());
    width = toTwips(outer.width());
    height = toTwips(outer.height());
  }
  int sw = toTwips(client.width()), sh = toTwips(client.height());
  if (left == form_->left() && top == form_->top() && width == form_->width() &&
      height == form_->height() && sw == form_->scaleWidth() && sh == form_->scaleHeight())
    return;
  forms::Form* f = form_;
  user([f, left, top, width, height, sw, sh] {
    f->userMove(left, top);
    f->userResize(width, height, sw, sh);
  });
}

bool FormView::eventFilter(QObject* watched, QEvent* e) {
  if (!form_) return false;
  if (watched == window_ && watched != canvas_) return windowEvent(e);
  if (watched == canvas_) {
    if (isTopLevel()) {
      if (e->type() == QEvent::Close || e->type() == QEvent::WindowStateChange ||
          e->type() == QEvent::WindowActivate || e->type() == QEvent::Move)
        return windowEvent(e);
    }
    if (e->type() == QEvent::Resize && !owner_->isSyncing()) reportGeometry();
    return false;
  }
  if (workspace_ && watched == workspace_->viewport()) {
    if (e->type() == QEvent::Resize) {
      if (!owner_->isSyncing()) reportGeometry();
      return false;
    }
    if (e->type() != QEvent::MouseButtonPress && e->type() != QEvent::MouseMove &&
        e->type() != QEvent::MouseButtonRelease)
      return false;
    // The frame's bands are hit-tested by the model in twips of the workspace's content (its
    // picture, however far it is scrolled); only what happens on the background itself
    // counts, never what a child window left unhandled.
    auto* me = static_cast<QMouseEvent*>(e);
    if (workspace_->viewport()->childAt(me->position().toPoint())) return false;
    const QPointF at = me->position() + workspace_->origin();
    double x = at.x() * forms::kTwipsPerPixel;
    double y = at.y() * forms::kTwipsPerPixel;
    int shift = shiftState(me->modifiers());
    forms::Form* f = form_;
    if (e->type() == QEvent::MouseButtonPress) {
      int b = mouseButton(me->button());
      user([f, b, shift, x, y] { f->userMouseDown(b, shift, x, y); });
    } else if (e->type() == QEvent::MouseMove) {
      int b = mouseButtons(me->buttons());
      user([f, b, shift, x, y] { f->userMouseMove(b, shift, x, y); });
      // Entering a child window took the pointer off the workspace; the model's pointer is
      // shown again as soon as the mouse is back on the background.
      if (form_) applyPointer(workspace_->viewport(), form_->mousePointer());
    } else {
      int b = mouseButton(me->button());
      user([f, b, shift, x, y] { f->userMouseUp(b, shift, x, y); });
    }
    return false;
  }
  if (e->type() == QEvent::Wheel) {
    // The wheel never changes a list; it scrolls only an open drop-down.
    QObject* o = watched;
    if (qobject_cast<QComboBox*>(o)) return true;
    return false;
  }
  auto it = controlOf_.find(watched);
  if (it == controlOf_.end()) return false;
  Control& c = *it->second;
  QWidget* w = static_cast<QWidget*>(watched);
  switch (e->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      if (!isFocusKind(c.kind())) return false;
      return controlKey(c, w, static_cast<QKeyEvent*>(e));
    case QEvent::FocusIn:
      if (!isFocusKind(c.kind())) return false;
      return controlFocusIn(c, static_cast<QFocusEvent*>(e));
    case QEvent::MouseButtonDblClick:
      // An option button reports its double-click (a country is chosen that way).
      if (c.kind() == ControlKind::OptionButton) {
        // Its first click has selected it, as on Windows, before the double-click is told.
        user([&c] {
          if (!c.isSet()) c.userClick();
          c.userDblClick();
        });
        return false;
      }
      [[fallthrough]];
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
      if (isMouseKind(c.kind())) return controlMouse(c, w, e);
      // Another kind of control has the press (it passes on only what it cannot take).
      if (e->type() == QEvent::MouseButtonPress) pressedOn_ = nullptr;
      return false;
    default:
      return false;
  }
}

}  // namespace qtview
