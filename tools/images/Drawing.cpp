#include "Drawing.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace imagegen {

namespace {

QString gOut;

void arrowLine(QPainter& p, QPointF a, QPointF b) {
  p.drawLine(a, b);
  const QPointF d = b - a;
  const double len = std::hypot(d.x(), d.y());
  if (len < 1) return;
  const QPointF u = d / len, n(-u.y(), u.x());
  for (auto [tip, dir] : {std::pair{a, u}, std::pair{b, -u}}) {
    QPolygonF head;
    head << tip << tip + dir * 5 + n * 2.5 << tip + dir * 5 - n * 2.5;
    p.setBrush(p.pen().color());
    p.drawPolygon(head);
  }
}

void hatched(QPainter& p, const QRectF& r) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xbb, 0xbb, 0xbb));
  p.drawRect(r);
  p.setBrush(QBrush(QColor(0x77, 0x77, 0x77), Qt::BDiagPattern));
  p.drawRect(r);
}

}  // namespace

void setOutputFolder(const QString& folder) {
  gOut = folder;
}

QFont font(int pixels, bool bold) {
  QFont f(kFont);
  f.setPixelSize(pixels);
  f.setBold(bold);
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

void save(const QImage& img, const QString& name, const char* format) {
  const QString path = gOut + "/" + name;
  QDir().mkpath(QFileInfo(path).absolutePath());
  if (!img.save(path, format, format[0] == 'J' ? 92 : -1))
    throw std::runtime_error("cannot write " + path.toStdString());
}

QImage canvas(int w, int h, const QColor& fill) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(fill);
  return img;
}

// Largest font (up to maxPixels) whose rendering of text fits the box.
QFont fitted(const QString& text, const QSize& box, int maxPixels, bool bold) {
  for (int px = maxPixels; px > 6; --px) {
    const QFont f = font(px, bold);
    const QFontMetrics fm(f);
    if (fm.horizontalAdvance(text) <= box.width() && fm.height() <= box.height() + 1) return f;
  }
  return font(6, bold);
}

QRect inkOf(const QString& text, const QFont& f, const QRect& box, int flags) {
  // Drawn alone on a clear layer with room round the box, then the coloured pixels found.
  const int room = 3 * f.pixelSize();
  QImage layer(box.size() + QSize(2 * room, 2 * room), QImage::Format_ARGB32_Premultiplied);
  layer.fill(Qt::transparent);
  QPainter p(&layer);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setPen(Qt::black);
  p.setFont(f);
  // Unclipped: a rectangle would otherwise hide the very ink that overflows it.
  p.drawText(QRect(QPoint(room, room), box.size()), flags | Qt::TextDontClip, text);
  p.end();
  int left = layer.width(), top = layer.height(), right = -1, bottom = -1;
  for (int y = 0; y < layer.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
    for (int x = 0; x < layer.width(); ++x)
      if (qAlpha(line[x]) != 0) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  }
  if (right < 0) return QRect();
  return QRect(QPoint(left, top), QPoint(right, bottom)).translated(box.topLeft() - QPoint(room, room));
}

QFont fittedWithin(const QString& text, const QRect& box, int flags, int maxPixels, int minPixels,
                   bool bold) {
  for (int px = maxPixels; px >= minPixels; --px) {
    const QFont f = font(px, bold);
    if (box.contains(inkOf(text, f, box, flags))) return f;
  }
  return QFont();
}

// The company mark: a pipe in its insulation seen end-on, followed by the name.
void drawWordmark(QPainter& p, const QRect& r, const QColor& text, const QString& name) {
  const int d = r.height() * 8 / 10;
  const QPoint c(r.left() + d / 2 + 2, r.center().y());
  p.setPen(Qt::NoPen);
  p.setBrush(kOrange);
  p.drawEllipse(c, d / 2, d / 2);
  p.setBrush(Qt::white);
  p.drawEllipse(c, d * 3 / 10, d * 3 / 10);
  p.setBrush(kNavy);
  p.drawEllipse(c, d / 6, d / 6);
  // Fitted with room for the wider letter spacing set below.
  QFont f =
      fitted(name, QSize((r.width() - d - 8) * 9 / 10, r.height()), r.height() * 7 / 10, true);
  f.setLetterSpacing(QFont::PercentageSpacing, 108);
  p.setFont(f);
  p.setPen(text);
  p.drawText(QRect(r.left() + d + 7, r.top(), r.width() - d - 7, r.height()),
             Qt::AlignVCenter | Qt::AlignLeft, name);
}

// An insulated pipe in section: medium, steel wall, mineral wool, cladding.
void drawPipeSection(QPainter& p, QPointF c, double rOuter) {
  p.setPen(QPen(QColor(0x55, 0x55, 0x55), 1));
  p.setBrush(QColor(0xd8, 0xdc, 0xe0));
  p.drawEllipse(c, rOuter, rOuter);
  QRadialGradient wool(c, rOuter);
  wool.setColorAt(0.4, kWool.lighter(115));
  wool.setColorAt(1.0, kWool.darker(110));
  p.setBrush(wool);
  p.drawEllipse(c, rOuter * 0.93, rOuter * 0.93);
  p.setPen(QPen(kWool.darker(140), 1));
  for (int i = 0; i < 24; ++i) {  // fibre strokes
    const double a = i * M_PI / 12.0;
    const QPointF u(std::cos(a), std::sin(a));
    p.drawLine(c + u * rOuter * 0.5, c + u * rOuter * 0.88);
  }
  p.setPen(QPen(QColor(0x33, 0x33, 0x33), 1));
  p.setBrush(kSteel);
  p.drawEllipse(c, rOuter * 0.45, rOuter * 0.45);
  p.setBrush(QColor(0x4a, 0x8c, 0xc8));
  p.drawEllipse(c, rOuter * 0.38, rOuter * 0.38);
}

// Two insulated pipes beside a wall (and under a ceiling for the Swedish layout), with the
// distances the pipe-distance windows and reports give: G to the wall, H to the middle of the
// free space; the Swedish one F to the wall, G to the ceiling, H to the middle, a and b.
void drawPipeDistances(QPainter& p, const QSize& s, bool swedish) {
  p.setRenderHint(QPainter::Antialiasing);
  const double top = swedish ? s.height() * 0.16 : 0;
  hatched(p, QRectF(0, 0, 10, s.height()));
  if (swedish) hatched(p, QRectF(0, 0, s.width(), top - 4));
  const double r = std::min(s.width() * 0.13, (s.height() - top) * 0.24);
  const double cy = swedish ? top + r + (s.height() - top) * 0.22 : s.height() * 0.45;
  const QPointF c1(10 + r + s.width() * 0.12, cy), c2(s.width() - r - 6, cy);
  drawPipeSection(p, c1, r);
  drawPipeSection(p, c2, r);
  p.setPen(QPen(QColor(0xc0, 0x1f, 0x1f), 1));
  p.setFont(font(11, true));
  const double dimY = cy + r + 14;
  auto label = [&](QPointF at, const QString& t) {
    p.setPen(QColor(0xc0, 0x1f, 0x1f));
    p.drawText(QRectF(at.x() - 12, at.y() - 14, 24, 13), Qt::AlignCenter, t);
  };
  const double mid = (c1.x() + c2.x()) / 2;
  p.setPen(QPen(QColor(0xc0, 0x1f, 0x1f), 1, Qt::DashLine));
  p.drawLine(QPointF(mid, cy - r), QPointF(mid, dimY + 4));
  p.setPen(QPen(QColor(0xc0, 0x1f, 0x1f), 1));
  const QString wallName = swedish ? "F" : "G";
  arrowLine(p, QPointF(10, dimY), QPointF(c1.x() - r, dimY));
  label(QPointF((10 + c1.x() - r) / 2, dimY), wallName);
  arrowLine(p, QPointF(c1.x() + r, dimY), QPointF(mid, dimY));
  label(QPointF((c1.x() + r + mid) / 2, dimY), "H");
  if (swedish) {
    arrowLine(p, QPointF(c1.x() + r * 0.35, top - 4), QPointF(c1.x() + r * 0.35, cy - r));
    label(QPointF(c1.x() + r * 0.35 + 9, (top + cy - r) / 2 + 6), "G");
    const double y2 = dimY + 18;
    arrowLine(p, QPointF(10, y2), QPointF(c1.x(), y2));
    label(QPointF((10 + c1.x()) / 2, y2), "a");
    arrowLine(p, QPointF(c1.x(), y2 + 0), QPointF(c2.x(), y2));
    label(QPointF((c1.x() + c2.x()) / 2, y2), "b");
  }
}

}  // namespace imagegen
