#pragma once
// Conversions between the window model and Qt: text and caret positions (the model counts
// UTF-8 bytes and ends lines with CR LF), twips, fonts, colours, key codes and pointers.

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QKeyEvent>
#include <QString>
#include <optional>
#include <string>

#include "forms/Types.h"

namespace qtview {

QString toQt(const std::string& utf8);
std::string fromQt(const QString& text);

// Text as a widget shows it (LF line ends) and back (CR LF).
QString displayText(const std::string& modelText);
std::string modelText(const QString& shown);
// A caret position in the model text (bytes) as a position in the shown text, and back.
int displayPosition(const std::string& modelText, int bytePosition);
int modelPosition(const QString& shown, int position);

inline int toPixels(int twips) {
  return twips / forms::kTwipsPerPixel;
}
inline int toTwips(int pixels) {
  return pixels * forms::kTwipsPerPixel;
}

// The design font "MS Sans Serif" is rendered by a narrow sans font; every font is sized in
// pixels as at 96 dots per inch (8 points = 11 pixels).
QFont toQFont(const forms::Font& font);
int designPixelSize(double points);
// 0xRRGGBB, or a system colour (0x800000nn); nullopt for the default (-1).
std::optional<QColor> toQColor(int64_t color);

// The Windows key code of a key (0 when the program has no code for it).
int windowsKeyCode(const QKeyEvent& event);
// The character code a key types (KeyPress), nullopt for keys that type nothing.
std::optional<int> keyAscii(const QKeyEvent& event);
int shiftState(Qt::KeyboardModifiers modifiers);
int mouseButton(Qt::MouseButton button);
int mouseButtons(Qt::MouseButtons buttons);

// The cursor of a model mouse pointer; nullopt for the default pointer.
std::optional<QCursor> toQCursor(int mousePointer);

// "&&" stays a literal "&"; a single "&" marks the access key and is dropped.
QString withoutAccessKey(const std::string& caption);

}  // namespace qtview
