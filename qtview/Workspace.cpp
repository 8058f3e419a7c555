#include "qtview/Workspace.h"

#include <QChildEvent>
#include <QCoreApplication>
#include <QMdiSubWindow>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace qtview {

Workspace::Workspace(QWidget* parent)
    : QMdiArea(parent),
      horizontal_(new QScrollBar(Qt::Horizontal, this)),
      vertical_(new QScrollBar(Qt::Vertical, this)),
      corner_(new QWidget(this)) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  corner_->setAutoFillBackground(true);
  for (QWidget* w : {static_cast<QWidget*>(horizontal_), static_cast<QWidget*>(vertical_), corner_})
    w->hide();
  QObject::connect(horizontal_, &QScrollBar::valueChanged, this, [this](int x) {
    if (!updating_) scrollTo({x, origin_.y()});
  });
  QObject::connect(vertical_, &QScrollBar::valueChanged, this, [this](int y) {
    if (!updating_) scrollTo({origin_.x(), y});
  });
}

QScrollBar* Workspace::bar(Qt::Orientation orientation) const {
  return orientation == Qt::Horizontal ? horizontal_ : vertical_;
}

void Workspace::setPicture(const QPixmap& picture) {
  picture_ = picture;
  viewport()->update();
  updateBars();
}

void Workspace::paintEvent(QPaintEvent* event) {
  QPainter p(viewport());
  p.fillRect(event->rect(), background());
  if (!picture_.isNull()) p.drawPixmap(-origin_, picture_);
}

void Workspace::scrollContentsBy(int, int) {
  // The area's own bars are off; only scrollTo moves the content.
}

void Workspace::scrollTo(QPoint to) {
  const QPoint by = to - origin_;
  if (by.isNull()) return;
  origin_ = to;
  updating_ = true;
  // Hidden and minimised children come back where they stood in the content too: a hidden one
  // moves along, a minimised one keeps its bar in the row and the place it comes back to moves.
  for (QMdiSubWindow* sub : subWindowList()) {
    if (sub->isMaximized()) continue;
    if (!sub->isMinimized()) sub->move(sub->pos() - by);
    if ((sub->isMinimized() || !sub->isVisible()) && placeMoved) placeMoved(sub, by);
  }
  updating_ = false;
  viewport()->update();
  updateBars();
}

void Workspace::resizeEvent(QResizeEvent* event) {
  QMdiArea::resizeEvent(event);
  updateBars();
  // A view that grew shows no blank beyond one end of the content while the other end is cut
  // off: it comes back towards that end as far as the blank allows, so that content that fits
  // is shown whole and its bar goes. First as if no bar were shown (content that fits only
  // without the bars would keep them), then in the part on screen that the bars leave.
  for (const QSize extent : {contentsRect().size(), QSize()}) {
    bool maximised = false;
    const QRect shown = content(&maximised);
    if (maximised || shown.isNull()) return;
    const QSize room = extent.isValid() ? extent : view_;
    auto back = [](int from, int to, int extent) {
      if (from < 0 && to < extent) return -std::min(-from, extent - to);
      if (to > extent && from > 0) return std::min(to - extent, from);
      return 0;
    };
    const QPoint by(back(shown.left(), shown.right() + 1, room.width()),
                    back(shown.top(), shown.bottom() + 1, room.height()));
    if (!by.isNull()) scrollTo(origin_ + by);
  }
}

bool Workspace::viewportEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::ChildAdded:
      // Every child window tells when it moves, changes size or state, or comes and goes.
      if (auto* sub = qobject_cast<QMdiSubWindow*>(static_cast<QChildEvent*>(event)->child()))
        sub->installEventFilter(this);
      queueUpdate();
      break;
    case QEvent::ChildRemoved:
      queueUpdate();
      break;
    case QEvent::Wheel: {
      // The wheel, over the background or passed on by a child window that has no use for it,
      // scrolls the workspace: up and down, or sideways with its sideways turn or with Alt.
      auto* wheel = static_cast<QWheelEvent*>(event);
      const bool sideways = wheel->angleDelta().x() != 0 || (wheel->modifiers() & Qt::AltModifier);
      QScrollBar* target = sideways ? horizontal_ : vertical_;
      if (target->isVisible()) QCoreApplication::sendEvent(target, event);
      return true;
    }
    default:
      break;
  }
  return QMdiArea::viewportEvent(event);
}

bool Workspace::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::WindowStateChange:
      if (qobject_cast<QMdiSubWindow*>(watched)) queueUpdate();
      break;
    default:
      break;
  }
  return QMdiArea::eventFilter(watched, event);
}

void Workspace::queueUpdate() {
  if (queued_) return;
  queued_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        queued_ = false;
        updateBars();
      },
      Qt::QueuedConnection);
}

QRect Workspace::content(bool* maximised) const {
  QRect content;
  if (!picture_.isNull()) content = QRect(-origin_, picture_.size());
  for (QMdiSubWindow* sub : subWindowList()) {
    if (!sub->isVisible() || sub->isMinimized()) continue;
    *maximised = *maximised || sub->isMaximized();
    content |= sub->geometry();
  }
  return content;
}

void Workspace::updateBars() {
  if (updating_) return;
  updating_ = true;
  bool maximised = false;
  const QRect content = this->content(&maximised);
  const QRect inside = contentsRect();
  const int barHeight = horizontal_->sizeHint().height();
  const int barWidth = vertical_->sizeHint().width();
  auto beyond = [&content](int from, int to, int extent) { return from < 0 || to > extent; };
  bool wide = false, tall = false;
  if (!maximised && !content.isNull()) {
    wide = beyond(content.left(), content.right() + 1, inside.width());
    tall = beyond(content.top(), content.bottom() + 1, inside.height());
    // A bar takes room from the other direction.
    tall =
        tall || (wide && beyond(content.top(), content.bottom() + 1, inside.height() - barHeight));
    wide = wide || (tall && beyond(content.left(), content.right() + 1, inside.width() - barWidth));
  }
  setViewportMargins(0, 0, tall ? barWidth : 0, wide ? barHeight : 0);
  view_ = QSize(inside.width() - (tall ? barWidth : 0), inside.height() - (wide ? barHeight : 0));
  const QSize view = view_;
  // Where nothing reaches beyond, where the view stands becomes the content's origin again:
  // nothing moves but a picture that the view had scrolled away from its corner. A maximised
  // child hides the content and keeps it as it stands.
  if (!maximised) {
    if (!wide && origin_.x() != 0) origin_.setX(0), viewport()->update();
    if (!tall && origin_.y() != 0) origin_.setY(0), viewport()->update();
  }
  // The reach is the content and the part on screen, in content coordinates.
  const QRect reach = (content | QRect(QPoint(0, 0), view)).translated(origin_);
  horizontal_->setRange(reach.left(), reach.right() + 1 - view.width());
  vertical_->setRange(reach.top(), reach.bottom() + 1 - view.height());
  horizontal_->setPageStep(view.width());
  vertical_->setPageStep(view.height());
  horizontal_->setSingleStep(20);
  vertical_->setSingleStep(20);
  horizontal_->setValue(origin_.x());
  vertical_->setValue(origin_.y());
  horizontal_->setGeometry(inside.left(), inside.top() + view.height(), view.width(), barHeight);
  vertical_->setGeometry(inside.left() + view.width(), inside.top(), barWidth, view.height());
  corner_->setGeometry(inside.left() + view.width(), inside.top() + view.height(), barWidth,
                       barHeight);
  horizontal_->setVisible(wide);
  vertical_->setVisible(tall);
  corner_->setVisible(wide && tall);
  updating_ = false;
}

}  // namespace qtview
