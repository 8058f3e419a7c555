// Drawing primitives shared by the pictures: fonts, the company mark, the insulated pipe.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

namespace imagegen {

inline const QString kFont = QStringLiteral("DejaVu Sans");
inline const QColor kNavy(0x1f, 0x3b, 0x5a);
inline const QColor kOrange(0xe0, 0x7a, 0x1f);
inline const QColor kWool(0xe8, 0xc4, 0x4a);
inline const QColor kSteel(0x6b, 0x72, 0x7a);
inline const QColor kMask(192, 192, 192);  // the toolbar image list's transparent colour

// Pictures are written below this folder (data/Images).
void setOutputFolder(const QString& folder);
void save(const QImage& img, const QString& name, const char* format = "JPG");
QImage canvas(int w, int h, const QColor& fill = Qt::white);
QFont font(int pixels, bool bold = false);
// Largest font (up to maxPixels) whose rendering of text fits the box.
QFont fitted(const QString& text, const QSize& box, int maxPixels, bool bold);
// Where text, drawn with font f and the alignment flags in box, puts ink: the pixels the
// painter actually colours, accents and descenders included. Empty for blank text.
QRect inkOf(const QString& text, const QFont& f, const QRect& box, int flags);
// The largest font (maxPixels down to minPixels) whose ink, drawn in box, stays inside it; a
// null font when even the smallest does not.
QFont fittedWithin(const QString& text, const QRect& box, int flags, int maxPixels, int minPixels,
                   bool bold);
// The company mark: a pipe in its insulation seen end-on, followed by the name.
void drawWordmark(QPainter& p, const QRect& r, const QColor& text,
                  const QString& name = "TORVELIN");
// An insulated pipe in section: medium, steel wall, mineral wool, cladding.
void drawPipeSection(QPainter& p, QPointF c, double rOuter);
// Two insulated pipes beside a wall, with the distances of the pipe-distance windows.
void drawPipeDistances(QPainter& p, const QSize& s, bool swedish);

}  // namespace imagegen
