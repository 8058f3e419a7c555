#pragma once
// The main window's workspace: the background picture and the child windows, with one pair of
// scroll bars that reaches all of them at any size of the frame. Internal to the front end.

#include <QMdiArea>
#include <QPixmap>
#include <QPoint>
#include <functional>

class QMdiSubWindow;
class QScrollBar;

namespace qtview {

// The content of the workspace is its picture, drawn unscaled from the content's top left, and
// every child window that is not minimised; the part on screen starts at origin(). Scrolling
// moves the picture and those children together; minimised children stay in a row along the
// bottom of the part on screen, and the place each comes back to moves with the content (told
// to placeMoved, as a hidden child's is). The bars show only while some of the content lies
// beyond the part on screen, and never while a child is maximised (it fills the part on screen).
//
// The area's own scrolling is switched off and its own bars never show: it recomputed their
// ranges itself from its children alone, so that its thumbs and the view disagreed and the
// picture was out of reach. What is left to the area rests on its behaviour as it stands:
//  - it never moves its children except through scrollContentsBy (made a no-op here), its
//    tiling and cascading (not used) and its maximising;
//  - it lines up minimised children along the bottom of its viewport when they are minimised
//    and whenever the viewport is resized, and sizes a maximised child to the viewport.
class Workspace : public QMdiArea {
 public:
  explicit Workspace(QWidget* parent);
  void setPicture(const QPixmap& picture);
  // The point of the content at the viewport's top left: a viewport point plus the origin is
  // the content point (the picture's pixel) under it.
  QPoint origin() const { return origin_; }
  QScrollBar* bar(Qt::Orientation orientation) const;
  // Scrolls until the content point `to` stands at the viewport's top left.
  void scrollTo(QPoint to);
  // Told, for every child lying minimised or hidden as the content scrolls, how far the place
  // it comes back to moved with the content (the area keeps a minimised child's own place to
  // itself, where it stood on screen).
  std::function<void(QMdiSubWindow* child, QPoint by)> placeMoved;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void resizeEvent(QResizeEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void queueUpdate();
  void updateBars();
  // The picture and every child that is not minimised, in viewport coordinates; whether one of
  // them is maximised.
  QRect content(bool* maximised) const;

  QPixmap picture_;
  QScrollBar* horizontal_;
  QScrollBar* vertical_;
  QWidget* corner_;
  QPoint origin_;
  QSize view_;  // the part on screen, without the bars shown
  bool updating_ = false;
  bool queued_ = false;
};

}  // namespace qtview
