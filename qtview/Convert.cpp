#include "qtview/Convert.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPalette>
#include <cmath>
#include <iterator>

namespace qtview {

QString toQt(const std::string& utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string fromQt(const QString& text) {
  return text.toStdString();
}

QString displayText(const std::string& text) {
  QString s = toQt(text);
  s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  return s;
}

std::string modelText(const QString& shown) {
  QString s = shown;
  s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  s.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  return fromQt(s);
}

int displayPosition(const std::string& text, int bytePosition) {
  if (bytePosition <= 0) return 0;
  size_t n = std::min(text.size(), static_cast<size_t>(bytePosition));
  return static_cast<int>(displayText(text.substr(0, n)).size());
}

int modelPosition(const QString& shown, int position) {
  if (position <= 0) return 0;
  return static_cast<int>(modelText(shown.left(position)).size());
}

// The windows were laid out in a narrow bitmap sans font whose 8-point size is 11 pixels high
// at 96 dots per inch. A narrow sans outline font at the same pixel size has metrics that let
// every caption fit its control as designed (a test measures them in every market); the pixel
// size keeps the look independent of the screen's dots per inch, as the twips geometry is.
static QString designSansFamily() {
  static const QString family = [] {
    const QString narrow = QStringLiteral("Liberation Sans Narrow");
    if (QFontDatabase::families().contains(narrow)) return narrow;
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
  }();
  return family;
}

int designPixelSize(double points) {
  return static_cast<int>(std::lround((points > 0 ? points : 8) * 96 / 72));
}

QFont toQFont(const forms::Font& font) {
  QFont f;
  QString name = toQt(font.name);
  if (name.isEmpty() || name.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0)
    f.setFamily(designSansFamily());
  else
    f.setFamily(name);
  f.setStyleHint(QFont::SansSerif);
  f.setPixelSize(designPixelSize(font.size));
  f.setBold(font.bold);
  f.setItalic(font.italic);
  f.setUnderline(font.underline);
  return f;
}

std::optional<QColor> toQColor(int64_t color) {
  if (color < 0) return std::nullopt;
  if (color & 0x80000000LL) {
    // A system colour, by its Windows index, follows the desktop's palette as the Windows
    // colour scheme does; each index takes the role that stands for the same element.
    struct Role {
      QPalette::ColorGroup group;
      QPalette::ColorRole role;
    };
    constexpr QPalette::ColorGroup A = QPalette::Active, I = QPalette::Inactive,
                                   D = QPalette::Disabled;
    static constexpr Role kRoles[] = {
        {A, QPalette::Mid},              // 0 scroll bar
        {A, QPalette::Dark},             // 1 desktop
        {A, QPalette::Highlight},        // 2 active title bar
        {I, QPalette::Highlight},        // 3 inactive title bar
        {A, QPalette::Window},           // 4 menu
        {A, QPalette::Base},             // 5 window
        {A, QPalette::Shadow},           // 6 window frame
        {A, QPalette::WindowText},       // 7 menu text
        {A, QPalette::Text},             // 8 window text
        {A, QPalette::HighlightedText},  // 9 title-bar text
        {A, QPalette::Window},           // 10 active border
        {I, QPalette::Window},           // 11 inactive border
        {A, QPalette::Dark},             // 12 MDI workspace
        {A, QPalette::Highlight},        // 13 selection
        {A, QPalette::HighlightedText},  // 14 selected text
        {A, QPalette::Button},           // 15 button face
        {A, QPalette::Dark},             // 16 button shadow
        {D, QPalette::Text},             // 17 greyed text
        {A, QPalette::ButtonText},       // 18 button text
        {I, QPalette::HighlightedText},  // 19 inactive title-bar text
        {A, QPalette::Light},            // 20 button highlight
        {A, QPalette::Shadow},           // 21 3D dark shadow
        {A, QPalette::Midlight},         // 22 3D light
        {A, QPalette::ToolTipText},      // 23 tooltip text
        {A, QPalette::ToolTipBase},      // 24 tooltip background
    };
    const int64_t index = color & 0xffffff;
    if (index >= static_cast<int64_t>(std::size(kRoles))) return std::nullopt;
    const Role& r = kRoles[index];
    return QGuiApplication::palette().color(r.group, r.role);
  }
  return QColor(static_cast<int>((color >> 16) & 0xff), static_cast<int>((color >> 8) & 0xff),
                static_cast<int>(color & 0xff));
}

int windowsKeyCode(const QKeyEvent& e) {
  int k = e.key();
  bool keypad = e.modifiers() & Qt::KeypadModifier;
  if (keypad && k >= Qt::Key_0 && k <= Qt::Key_9) return 96 + (k - Qt::Key_0);
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return k;  // same codes as Windows
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return k;
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return 112 + (k - Qt::Key_F1);
  switch (k) {
    case Qt::Key_Backspace:
      return forms::key::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return forms::key::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return forms::key::Return;
    case Qt::Key_Escape:
      return forms::key::Escape;
    case Qt::Key_Space:
      return 32;
    case Qt::Key_PageUp:
      return forms::key::PageUp;
    case Qt::Key_PageDown:
      return forms::key::PageDown;
    case Qt::Key_End:
      return forms::key::End;
    case Qt::Key_Home:
      return forms::key::Home;
    case Qt::Key_Left:
      return forms::key::Left;
    case Qt::Key_Up:
      return forms::key::Up;
    case Qt::Key_Right:
      return forms::key::Right;
    case Qt::Key_Down:
      return forms::key::Down;
    case Qt::Key_Insert:
      return 45;
    case Qt::Key_Delete:
      return forms::key::Delete;
    case Qt::Key_Shift:
      return 16;
    case Qt::Key_Control:
      return 17;
    case Qt::Key_Alt:
      return 18;
    case Qt::Key_Asterisk:
      return keypad ? 106 : 0;
    case Qt::Key_Plus:
      return keypad ? 107 : 187;
    case Qt::Key_Comma:
      return 188;
    case Qt::Key_Minus:
      return keypad ? 109 : 189;
    case Qt::Key_Period:
      return keypad ? 110 : 190;
    case Qt::Key_Slash:
      return keypad ? 111 : 0;
    default:
      return 0;
  }
}

std::optional<int> keyAscii(const QKeyEvent& e) {
  int k = e.key();
  Qt::KeyboardModifiers m = e.modifiers();
  if ((m & Qt::ControlModifier) && !(m & Qt::AltModifier) && k >= Qt::Key_A && k <= Qt::Key_Z)
    return k - Qt::Key_A + 1;  // Ctrl+V = 22 and its siblings
  switch (k) {
    case Qt::Key_Backspace:
      return forms::key::Back;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return forms::key::Return;
    case Qt::Key_Escape:
      return forms::key::Escape;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return std::nullopt;
    default:
      break;
  }
  QString t = e.text();
  if (t.isEmpty()) return std::nullopt;
  auto ucs = t.toUcs4();
  if (ucs.isEmpty()) return std::nullopt;
  int c = static_cast<int>(ucs.front());
  if (c < 32 || c == 127) return std::nullopt;
  return c;
}

int shiftState(Qt::KeyboardModifiers m) {
  int s = 0;
  if (m & Qt::ShiftModifier) s |= forms::kShiftMask;
  if (m & Qt::ControlModifier) s |= forms::kCtrlMask;
  if (m & Qt::AltModifier) s |= forms::kAltMask;
  return s;
}

int mouseButton(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton:
      return forms::kLeftButton;
    case Qt::RightButton:
      return forms::kRightButton;
    case Qt::MiddleButton:
      return forms::kMiddleButton;
    default:
      return 0;
  }
}

int mouseButtons(Qt::MouseButtons b) {
  int s = 0;
  if (b & Qt::LeftButton) s |= forms::kLeftButton;
  if (b & Qt::RightButton) s |= forms::kRightButton;
  if (b & Qt::MiddleButton) s |= forms::kMiddleButton;
  return s;
}

std::optional<QCursor> toQCursor(int pointer) {
  switch (pointer) {
    case forms::kPointerHourglass:
      return QCursor(Qt::WaitCursor);
    case forms::kPointerNoDrop:
      return QCursor(Qt::ForbiddenCursor);
    case forms::kPointerCustom:
      return QCursor(Qt::PointingHandCursor);
    default:
      return std::nullopt;
  }
}

QString withoutAccessKey(const std::string& caption) {
  QString in = toQt(caption), out;
  for (qsizetype i = 0; i < in.size(); ++i) {
    if (in[i] == QLatin1Char('&')) {
      if (i + 1 < in.size() && in[i + 1] == QLatin1Char('&')) {
        out += QLatin1Char('&');
        ++i;
      }
      continue;
    }
    out += in[i];
  }
  return out;
}

}  // namespace qtview
