// The widgets of the controls: one per kind, written from the model.

#include <qdrawutil.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPen>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTextBrowser>
#include <QUrl>

#include "qtview/Convert.h"
#include "qtview/FormView.h"
#include "qtview/FormsView.h"
#include "qtview/ReportLayout.h"

namespace qtview {

using forms::Control;
using forms::ControlKind;

namespace {

class LineWidget : public QWidget {
 public:
  explicit LineWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  QPoint from, to;
  QColor color = Qt::black;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setPen(color);
    p.drawLine(from, to);
  }
};

// A list whose drop-down opens on its own choice: with nothing chosen yet no item is
// current, so that the first Down takes the first item.
class ListWidget : public QComboBox {
 public:
  explicit ListWidget(QWidget* parent) : QComboBox(parent) {}
  void showPopup() override {
    QComboBox::showPopup();
    if (currentIndex() < 0 && view()->selectionModel()) {
      view()->selectionModel()->clear();
      view()->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
  }
};

}  // namespace

FocusMarkStyle::FocusMarkStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

// The style draws its focus mark only after the keyboard has been used in a window; the
// design's user expects it on whichever control has the focus, however it got there.
template <class Option, class Draw>
static bool drawMarked(const QStyleOption* option, const Draw& draw) {
  auto* typed = qstyleoption_cast<const Option*>(option);
  if (!typed || !(option->state & QStyle::State_HasFocus)) return false;
  Option copy(*typed);
  copy.state |= QStyle::State_KeyboardFocusChange;
  draw(&copy);
  return true;
}

void FocusMarkStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
  auto draw = [&](const QStyleOption* o) {
    QProxyStyle::drawPrimitive(element, o, painter, widget);
  };
  if (drawMarked<QStyleOptionFocusRect>(option, draw) ||
      drawMarked<QStyleOptionButton>(option, draw))
    return;
  QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void FocusMarkStyle::drawControl(ControlElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
  auto draw = [&](const QStyleOption* o) { QProxyStyle::drawControl(element, o, painter, widget); };
  if (!drawMarked<QStyleOptionButton>(option, draw)) {
    QProxyStyle::drawControl(element, option, painter, widget);
    return;
  }
  // An option or check box without a caption (the flags of the country dialog stand beside
  // theirs) has no text to mark: a dotted frame round its indicator shows the focus.
  auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
  const bool indicatorOnly = (element == CE_RadioButton || element == CE_CheckBox) &&
                             button->text.isEmpty() && button->icon.isNull();
  if (!indicatorOnly) return;
  const QRect indicator = subElementRect(
      element == CE_RadioButton ? SE_RadioButtonIndicator : SE_CheckBoxIndicator, option, widget);
  painter->save();
  painter->setPen(QPen(option->palette.color(QPalette::WindowText), 1, Qt::DotLine));
  painter->setBrush(Qt::NoBrush);
  painter->drawRect(
      indicator.adjusted(-2, -2, 1, 1).intersected(option->rect.adjusted(0, 0, -1, -1)));
  painter->restore();
}

void FocusMarkStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                        QPainter* painter, const QWidget* widget) const {
  auto draw = [&](const QStyleOption* o) {
    QProxyStyle::drawComplexControl(control, static_cast<const QStyleOptionComplex*>(o), painter,
                                    widget);
  };
  if (drawMarked<QStyleOptionComboBox>(option, draw)) return;
  auto* bar =
      control == CC_ScrollBar ? qstyleoption_cast<const QStyleOptionSlider*>(option) : nullptr;
  if (!bar) {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    return;
  }
  // The platform style draws the thumb lighter than its groove, which reads the wrong way
  // round: users took the groove for the thumb and dragged the view away from where they
  // wanted. The groove is drawn light and the thumb as a darker raised button; the arrows
  // stay the style's.
  QStyleOptionSlider arrows(*bar);
  arrows.subControls &= SC_ScrollBarAddLine | SC_ScrollBarSubLine;
  QProxyStyle::drawComplexControl(control, &arrows, painter, widget);
  const QPalette& palette = bar->palette;
  painter->fillRect(subControlRect(control, bar, SC_ScrollBarGroove, widget),
                    palette.color(QPalette::Base));
  if (bar->maximum == bar->minimum) return;
  const QRect thumb = subControlRect(control, bar, SC_ScrollBarSlider, widget);
  const bool pressed = (bar->state & State_Sunken) && (bar->activeSubControls & SC_ScrollBarSlider);
  painter->fillRect(thumb, palette.color(QPalette::Button).darker(pressed ? 135 : 118));
  qDrawShadeRect(painter, thumb, palette, false, 1);
}

bool isFocusKind(ControlKind k) {
  return k == ControlKind::TextBox || k == ControlKind::ComboBox ||
         k == ControlKind::OptionButton || k == ControlKind::CheckBox ||
         k == ControlKind::CommandButton;
}

bool isMouseKind(ControlKind k) {
  return k == ControlKind::Label || k == ControlKind::Image || k == ControlKind::PictureBox ||
         k == ControlKind::Frame;
}

QWidget* FormView::createWidget(Control& c, QWidget* parent) {
  QWidget* w = nullptr;
  switch (c.kind()) {
    case ControlKind::TextBox:
      if (c.multiLine()) {
        auto* e = new QPlainTextEdit(parent);
        e->setTabChangesFocus(true);
        QObject::connect(e, &QPlainTextEdit::textChanged, this, [this, &c, e] {
          if (owner_->isSyncing()) return;
          std::string text = modelText(e->toPlainText());
          int caret = modelPosition(e->toPlainText(), e->textCursor().position());
          user([&c, text, caret] { c.userEditText(text, caret); });
        });
        w = e;
      } else {
        auto* e = new QLineEdit(parent);
        QObject::connect(e, &QLineEdit::textEdited, this, [this, &c, e](const QString& t) {
          std::string text = fromQt(t);
          int caret = modelPosition(t, e->cursorPosition());
          user([&c, text, caret] { c.userEditText(text, caret); });
        });
        w = e;
      }
      break;
    case ControlKind::ComboBox: {
      auto* cb = new ListWidget(parent);
      cb->setFocusPolicy(Qt::StrongFocus);
      // A prompt that is none of the items ("SELECT product") is drawn as text, not greyed.
      QPalette palette = cb->palette();
      for (auto group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::PlaceholderText, palette.color(group, QPalette::Text));
      cb->setPalette(palette);
      cb->setMaxVisibleItems(8);
      if (c.comboStyle() == forms::ComboStyle::DropdownCombo) {
        cb->setEditable(true);
        cb->setInsertPolicy(QComboBox::NoInsert);
        cb->setCompleter(nullptr);
        QLineEdit* e = cb->lineEdit();
        QObject::connect(e, &QLineEdit::textEdited, this, [this, &c, e](const QString& t) {
          std::string text = fromQt(t);
          int caret = modelPosition(t, e->cursorPosition());
          user([&c, text, caret] { c.userEditText(text, caret); });
        });
      }
      QObject::connect(cb, &QComboBox::activated, this, [this, &c, cb](int index) {
        if (!user([&c, index] { c.userSelectItem(index); })) return;
        // The model may have refused or changed the choice.
        if (cb->currentIndex() != c.listIndex()) applyText(c, cb);
      });
      w = cb;
      break;
    }
    case ControlKind::OptionButton: {
      auto* b = new QRadioButton(parent);
      b->setAutoExclusive(false);  // the model clears the siblings
      QObject::connect(b, &QAbstractButton::clicked, this, [this, &c, b] {
        if (user([&c] { c.userClick(); })) b->setChecked(c.value() != 0);
      });
      w = b;
      break;
    }
    case ControlKind::CheckBox: {
      auto* b = new QCheckBox(parent);
      QObject::connect(b, &QAbstractButton::clicked, this, [this, &c, b] {
        if (user([&c] { c.userClick(); }))
          b->setCheckState(c.value() == 2 ? Qt::PartiallyChecked
                           : c.value()    ? Qt::Checked
                                          : Qt::Unchecked);
      });
      w = b;
      break;
    }
    case ControlKind::CommandButton: {
      auto* b = new QPushButton(parent);
      b->setAutoDefault(false);
      QObject::connect(b, &QAbstractButton::clicked, this,
                       [this, &c] { user([&c] { c.userClick(); }); });
      w = b;
      break;
    }
    case ControlKind::Label: {
      auto* l = new QLabel(parent);
      l->setTextFormat(Qt::PlainText);
      w = l;
      break;
    }
    case ControlKind::Frame:
      w = new QGroupBox(parent);
      break;
    case ControlKind::PictureBox:
    case ControlKind::Image: {
      auto* l = new QLabel(parent);
      l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      w = l;
      break;
    }
    case ControlKind::ProgressBar: {
      auto* p = new QProgressBar(parent);
      p->setTextVisible(false);
      w = p;
      break;
    }
    case ControlKind::Line:
      w = new LineWidget(parent);
      break;
    case ControlKind::Browser: {
      auto* b = new QTextBrowser(parent);
      b->setOpenLinks(false);
      w = b;
      break;
    }
  }
  w->setObjectName(toQt(c.name() + (c.index() >= 0 ? "(" + std::to_string(c.index()) + ")" : "")));
  // A page takes the keyboard for its own scrolling, though it is no stop of the tab order and
  // the model never gives it the focus.
  if (c.kind() == ControlKind::Browser)
    w->setFocusPolicy(Qt::StrongFocus);
  else if (!isFocusKind(c.kind()))
    w->setFocusPolicy(Qt::NoFocus);
  if (isMouseKind(c.kind())) w->setMouseTracking(true);
  return w;
}

void FormView::applyControl(Control& c, QWidget* w, uint32_t d) {
  if (d & Control::kDirtyFont)
    w->setFont(c.kind() == ControlKind::Browser ? reportFont() : toQFont(c.font()));
  if (d & Control::kDirtyGeometry) {
    if (auto* line = dynamic_cast<LineWidget*>(w)) {
      QPoint a(toPixels(c.x1), toPixels(c.y1)), b(toPixels(c.x2), toPixels(c.y2));
      QRect box = QRect(a, b).normalized().adjusted(0, 0, 1, 1);
      line->setGeometry(box);
      line->from = a - box.topLeft();
      line->to = b - box.topLeft();
      line->update();
    } else {
      w->setGeometry(toPixels(c.left()), toPixels(c.top()), toPixels(c.width()),
                     toPixels(c.height()));
    }
  }
  if ((d & (Control::kDirtyFont | Control::kDirtyGeometry)) && c.kind() == ControlKind::Label) {
    // Words wrap only in a label tall enough for a second line; a one-line label keeps its
    // text on one line, clipped at its edge, as the design shows it.
    auto* l = static_cast<QLabel*>(w);
    l->setWordWrap(w->height() >= 2 * l->fontMetrics().lineSpacing());
  }
  if (d & Control::kDirtyItems) {
    if (auto* cb = qobject_cast<QComboBox*>(w)) {
      cb->clear();
      for (const std::string& item : c.items()) cb->addItem(toQt(item));
      d |= Control::kDirtyText;
    }
  }
  if (d & (Control::kDirtyText | Control::kDirtyValue)) applyText(c, w);
  if (d & Control::kDirtyLook) {
    w->setToolTip(toQt(c.toolTip()));
    if (c.kind() == ControlKind::Image || c.kind() == ControlKind::PictureBox) {
      auto* l = static_cast<QLabel*>(w);
      l->setPixmap(c.picture().empty() ? QPixmap() : QPixmap(toQt(c.picture())));
    }
    Qt::Alignment h = c.alignment() == 1   ? Qt::AlignRight
                      : c.alignment() == 2 ? Qt::AlignHCenter
                                           : Qt::AlignLeft;
    if (auto* l = qobject_cast<QLabel*>(w); l && c.kind() == ControlKind::Label)
      l->setAlignment(h | Qt::AlignTop);
    if (auto* e = qobject_cast<QLineEdit*>(w)) e->setAlignment(h | Qt::AlignVCenter);
    QPalette pal = w->palette();
    auto fore = toQColor(c.foreColor()), back = toQColor(c.backColor());
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
      // Disabled colours stay the style's, so a disabled label is grey.
      pal.setColor(group, QPalette::WindowText,
                   fore.value_or(QApplication::palette().color(group, QPalette::WindowText)));
      pal.setColor(group, QPalette::Text,
                   fore.value_or(QApplication::palette().color(group, QPalette::Text)));
      pal.setColor(group, QPalette::ButtonText,
                   fore.value_or(QApplication::palette().color(group, QPalette::ButtonText)));
      pal.setColor(group, QPalette::Base,
                   back.value_or(QApplication::palette().color(group, QPalette::Base)));
      pal.setColor(group, QPalette::Window,
                   back.value_or(QApplication::palette().color(group, QPalette::Window)));
    }
    if (auto* line = dynamic_cast<LineWidget*>(w)) {
      line->color = fore.value_or(QColor(Qt::black));
      line->update();
    }
    w->setPalette(pal);
    if (c.kind() == ControlKind::Label || c.kind() == ControlKind::PictureBox)
      w->setAutoFillBackground(back.has_value());
    if (auto cursor = toQCursor(c.mousePointer()))
      w->setCursor(*cursor);
    else
      w->unsetCursor();
    applySelection(c, w);
  }
  if (d & Control::kDirtyState) {
    w->setEnabled(c.enabled());
    if (auto* e = qobject_cast<QLineEdit*>(w)) e->setReadOnly(c.locked());
    if (auto* e = qobject_cast<QPlainTextEdit*>(w)) e->setReadOnly(c.locked());
    w->setVisible(c.visible());
  }
}

void FormView::applyText(Control& c, QWidget* w) {
  QString text = displayText(c.text());
  switch (c.kind()) {
    case ControlKind::TextBox:
      if (auto* e = qobject_cast<QLineEdit*>(w)) {
        if (e->text() != text) e->setText(text);
      } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
        if (p->toPlainText() != text) p->setPlainText(text);
      }
      applySelection(c, w);
      break;
    case ControlKind::ComboBox: {
      auto* cb = static_cast<QComboBox*>(w);
      if (cb->currentIndex() != c.listIndex()) cb->setCurrentIndex(c.listIndex());
      if (cb->isEditable()) {
        if (cb->lineEdit()->text() != text) cb->lineEdit()->setText(text);
        applySelection(c, w);
      } else {
        // A list that takes no typing shows a text that is none of its items as a prompt.
        cb->setPlaceholderText(c.listIndex() < 0 ? text : QString());
      }
      break;
    }
    case ControlKind::OptionButton:
      static_cast<QRadioButton*>(w)->setText(toQt(c.caption()));
      static_cast<QRadioButton*>(w)->setChecked(c.value() != 0);
      break;
    case ControlKind::CheckBox: {
      auto* b = static_cast<QCheckBox*>(w);
      b->setText(toQt(c.caption()));
      b->setTristate(c.value() == 2);
      b->setCheckState(c.value() == 2 ? Qt::PartiallyChecked
                       : c.value()    ? Qt::Checked
                                      : Qt::Unchecked);
      break;
    }
    case ControlKind::CommandButton:
      static_cast<QPushButton*>(w)->setText(toQt(c.caption()));
      break;
    case ControlKind::Label:
      static_cast<QLabel*>(w)->setText(withoutAccessKey(c.caption()));
      break;
    case ControlKind::Frame:
      static_cast<QGroupBox*>(w)->setTitle(toQt(c.caption()));
      break;
    case ControlKind::ProgressBar: {
      auto* p = static_cast<QProgressBar*>(w);
      p->setRange(c.minimum(), c.maximum());
      p->setValue(c.value());
      // A bar may carry a text of its own (the splash window's); it is shown in the bar.
      p->setTextVisible(!c.text().empty());
      p->setFormat(toQt(c.text()));
      break;
    }
    case ControlKind::Browser: {
      auto* b = static_cast<QTextBrowser*>(w);
      QUrl url = c.text().empty() ? QUrl() : QUrl::fromLocalFile(toQt(c.text()));
      // The same report file is rewritten for every preview: a write of its path, even a
      // silent one, reads it again.
      if (url.isEmpty()) {
        b->clear();
        break;
      }
      if (b->source() == url)
        b->reload();
      else
        b->setSource(url);
      // A report, shown as a browser shows it.
      layOutAsBrowser(*b->document());
      break;
    }
    default:
      break;
  }
}

void FormView::applySelection(Control& c, QWidget* w) {
  int start = displayPosition(c.text(), c.selStart());
  int end = displayPosition(c.text(), c.selStart() + c.selLength());
  QLineEdit* e = qobject_cast<QLineEdit*>(w);
  if (auto* cb = qobject_cast<QComboBox*>(w)) e = cb->lineEdit();
  if (e) {
    if (end > start)
      e->setSelection(start, end - start);
    else
      e->setCursorPosition(start);
  } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
    QTextCursor cur = p->textCursor();
    cur.setPosition(start);
    if (end > start) cur.setPosition(end, QTextCursor::KeepAnchor);
    p->setTextCursor(cur);
  }
}

}  // namespace qtview
