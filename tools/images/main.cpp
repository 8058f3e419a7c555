// Draws every picture of data/Images: the market backgrounds with their clickable bands, the
// splash pictures, the flags of the country dialog, the marine icon, the toolbar pictures, the
// report logos and pictures, and the pictures of the small windows.
//
// Usage: imagegen <data folder> [<pictures folder>]
//   reads <data>/Text, writes <data>/Images or the pictures folder given; fails, naming the
//   market, band and text, when a band's text does not fit its box
// The drawing is deterministic; run with QT_QPA_PLATFORM=offscreen.
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "Backgrounds.h"
#include "Drawing.h"

using namespace imagegen;

namespace {

// ---------------------------------------------------------------- splash, flags, icon

void drawSplash(const QString& name, const QString& subtitle, const QColor& accent) {
  QImage img = canvas(480, 300);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 480, 300);
  g.setColorAt(0, kNavy);
  g.setColorAt(1, kNavy.darker(160));
  p.fillRect(img.rect(), g);
  drawWordmark(p, QRect(24, 22, 220, 36), Qt::white);
  drawPipeSection(p, QPointF(380, 170), 80);
  p.setPen(Qt::white);
  p.setFont(font(54, true));
  p.drawText(QRect(24, 110, 300, 70), Qt::AlignLeft | Qt::AlignVCenter, "VELTARO");
  p.setPen(QPen(accent, 4));
  p.drawLine(26, 184, 270, 184);
  p.setPen(QColor(0xdd, 0xe6, 0xf0));
  p.setFont(font(14));
  p.drawText(QRect(26, 192, 300, 22), Qt::AlignLeft | Qt::AlignVCenter, subtitle);
  p.setFont(font(11));
  p.drawText(QRect(26, 262, 300, 18), Qt::AlignLeft | Qt::AlignVCenter, "Version 2.6.4");
  p.end();
  save(img, name);
}

void nordicCross(QPainter& p, const QRect& r, QColor field, QColor outer, QColor inner = QColor()) {
  p.fillRect(r, field);
  const double u = r.height() / 8.0;  // cross proportions in eighths of the height
  auto bar = [&](double w, QColor c) {
    p.fillRect(QRectF(r.left(), r.top() + r.height() / 2.0 - w / 2, r.width(), w), c);
    p.fillRect(QRectF(r.left() + r.height() * 0.45 - w / 2 + u, r.top(), w, r.height()), c);
  };
  bar(u * 2, outer);
  if (inner.isValid()) bar(u, inner);
}

void drawFlag(QPainter& p, const QRect& r, const QString& code) {
  p.save();
  p.setClipRect(r);
  if (code == "DK") {
    nordicCross(p, r, QColor(0xc8, 0x10, 0x2e), Qt::white);
  } else if (code == "NO") {
    nordicCross(p, r, QColor(0xba, 0x0c, 0x2f), Qt::white, QColor(0x00, 0x20, 0x5b));
  } else if (code == "SE") {
    nordicCross(p, r, QColor(0x00, 0x6a, 0xa7), QColor(0xfe, 0xcc, 0x00));
  } else if (code == "UK") {
    p.fillRect(r, QColor(0x01, 0x21, 0x69));
    p.setRenderHint(QPainter::Antialiasing);
    const double h = r.height();
    p.setPen(QPen(Qt::white, h / 5.0));
    p.drawLine(r.topLeft(), r.bottomRight() + QPoint(1, 1));
    p.drawLine(r.bottomLeft() + QPoint(0, 1), r.topRight() + QPoint(1, 0));
    p.setPen(QPen(QColor(0xc8, 0x10, 0x2e), h / 15.0));
    p.drawLine(r.topLeft(), r.bottomRight() + QPoint(1, 1));
    p.drawLine(r.bottomLeft() + QPoint(0, 1), r.topRight() + QPoint(1, 0));
    const QPointF c = QRectF(r).center();
    p.fillRect(QRectF(r.left(), c.y() - h / 6, r.width(), h / 3), Qt::white);
    p.fillRect(QRectF(c.x() - h / 6, r.top(), h / 3, h), Qt::white);
    p.fillRect(QRectF(r.left(), c.y() - h / 10, r.width(), h / 5), QColor(0xc8, 0x10, 0x2e));
    p.fillRect(QRectF(c.x() - h / 10, r.top(), h / 5, h), QColor(0xc8, 0x10, 0x2e));
  } else {
    QColor a, b, c;
    double split1 = 1.0 / 3, split2 = 2.0 / 3;
    if (code == "LT") {
      a = QColor(0xfd, 0xb9, 0x13);
      b = QColor(0x00, 0x6a, 0x44);
      c = QColor(0xc1, 0x27, 0x2d);
    } else if (code == "EE") {
      a = QColor(0x00, 0x72, 0xce);
      b = Qt::black;
      c = Qt::white;
    } else {  // LV: carmine, a narrow white stripe, carmine
      a = QColor(0x9e, 0x30, 0x39);
      b = Qt::white;
      c = a;
      split1 = 0.4;
      split2 = 0.6;
    }
    const double h = r.height();
    p.fillRect(QRectF(r.left(), r.top(), r.width(), h * split1 + 0.5), a);
    p.fillRect(QRectF(r.left(), r.top() + h * split1, r.width(), h * (split2 - split1) + 0.5), b);
    p.fillRect(QRectF(r.left(), r.top() + h * split2, r.width(), h * (1 - split2)), c);
  }
  p.restore();
}

void drawFlags() {
  // In the order of the dialog's options; the names are the dialog's own.
  const struct {
    const char* code;
    const char* language;
  } flags[] = {{"UK", "English"},  {"NO", "Norwegian"}, {"SE", "Swedish"}, {"DK", "Danish"},
               {"LT", "Litauian"}, {"EE", "Estonian"},  {"LV", "Latvian"}};
  for (const auto& f : flags) {
    QImage img = canvas(72, 62, QColor(0xf0, 0xf0, 0xf0));
    QPainter p(&img);
    const QRect flag(4, 3, 64, 40);
    drawFlag(p, flag, f.code);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.setBrush(Qt::NoBrush);
    p.drawRect(flag.adjusted(0, 0, -1, -1));
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::black);
    p.setFont(fitted(f.language, QSize(70, 14), 11, false));
    p.drawText(QRect(1, 45, 70, 15), Qt::AlignCenter, f.language);
    p.end();
    save(img, QString("Flags/flag_%1.jpg").arg(f.code));
  }
}

void drawMarineIcon() {
  QImage img(32, 32, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::white, 1.5));
  p.setBrush(kNavy);
  p.drawEllipse(QRectF(1, 1, 30, 30));
  p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(16, 8.5), 2.5, 2.5);  // anchor ring
  p.drawLine(QPointF(16, 11), QPointF(16, 25));
  p.drawLine(QPointF(11, 14.5), QPointF(21, 14.5));
  p.drawArc(QRectF(8.5, 14, 15, 11.5), 200 * 16, 140 * 16);
  p.setPen(QPen(kOrange, 2));
  p.drawLine(QPointF(4.5, 27.5), QPointF(8, 26));
  p.drawLine(QPointF(24, 26), QPointF(27.5, 27.5));
  p.end();
  save(img, "Icons/veltaro32_32_marine.ico", "ICO");
}

// The program's own icon, shown by every market's main window (the marine edition has its own):
// an insulated pipe seen end on, orange insulation round a steel pipe on the navy ground.
void drawProgramIcon() {
  QImage img(32, 32, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(kNavy);
  p.drawRoundedRect(QRectF(1, 1, 30, 30), 5, 5);
  p.setBrush(kOrange);
  p.drawEllipse(QPointF(16, 16), 11.5, 11.5);
  p.setBrush(QColor(0xB0, 0xB8, 0xC0));
  p.drawEllipse(QPointF(16, 16), 6, 6);
  p.setBrush(kNavy);
  p.drawEllipse(QPointF(16, 16), 3.5, 3.5);
  p.end();
  save(img, "Icons/veltaro32_32.ico", "ICO");
}

// ---------------------------------------------------------------- toolbar pictures

void page(QPainter& p, QRectF r) {
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::white);
  QPolygonF poly;
  poly << r.topLeft() << QPointF(r.right() - 3, r.top()) << QPointF(r.right(), r.top() + 3)
       << r.bottomRight() << r.bottomLeft();
  p.drawPolygon(poly);
}

void numberIcon(QPainter& p, const QString& n, bool multi) {
  p.setPen(Qt::NoPen);
  p.setBrush(multi ? QColor(0x2b, 0x6c, 0xa8) : kNavy);
  p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 2.5, 2.5);
  if (multi) {
    p.setBrush(kWool);
    p.drawRect(QRectF(1.5, 12.5, 13, 2));
  }
  p.setPen(Qt::white);
  p.setFont(font(n.size() > 1 ? 9 : 11, true));
  p.drawText(QRectF(0, -1, 16, 15), Qt::AlignCenter, n);
}

void drawToolbarPicture(int index, const QString& key) {
  QImage img = canvas(16, 16, kMask);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, false);
  if (key == "NewCase") {
    page(p, QRectF(3.5, 1.5, 9, 13));
  } else if (key == "OpenCase") {
    p.setPen(Qt::black);
    p.setBrush(QColor(0xf0, 0xd0, 0x60));
    p.drawRect(QRectF(1.5, 4.5, 12, 9));
    p.setBrush(QColor(0xd8, 0xb0, 0x40));
    p.drawPolygon(QPolygonF() << QPointF(3.5, 7.5) << QPointF(15.5, 7.5) << QPointF(13.5, 13.5)
                              << QPointF(1.5, 13.5));
  } else if (key == "SaveCase") {
    p.setPen(Qt::black);
    p.setBrush(QColor(0x30, 0x40, 0x90));
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(0xa0, 0xa0, 0xa0));
    p.drawRect(QRectF(4.5, 9.5, 7, 5));
  } else if (key == "DeleteCase") {
    page(p, QRectF(2.5, 1.5, 9, 13));
    p.setPen(QPen(QColor(0xc0, 0x10, 0x10), 2));
    p.drawLine(8, 8, 14, 14);
    p.drawLine(14, 8, 8, 14);
  } else if (key == "Calculate") {
    p.setPen(Qt::black);
    p.setBrush(QColor(0xe8, 0xe8, 0xe8));
    p.drawRect(QRectF(2.5, 0.5, 11, 15));
    p.setBrush(QColor(0x90, 0xc0, 0x90));
    p.drawRect(QRectF(4.5, 2.5, 7, 3));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) p.drawRect(4 + c * 3, 7 + r * 3, 2, 2);
  } else if (key == "ShowDetails" || key == "PreView") {
    if (key == "PreView") page(p, QRectF(1.5, 0.5, 9, 12));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(0xc8, 0xe4, 0xff));
    p.drawEllipse(QPointF(7, 7), 4, 4);
    p.setPen(QPen(QColor(0x60, 0x40, 0x20), 2.5));
    p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
  } else if (key == "ResetFields") {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x10, 0x70, 0x10), 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 60 * 16, 280 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x10, 0x70, 0x10));
    p.drawPolygon(QPolygonF() << QPointF(9, 0.5) << QPointF(14, 3.5) << QPointF(9, 6.5));
  } else if (key == "PrintCase") {
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(0xa0, 0xa0, 0xa0));
    p.drawRect(QRectF(1.5, 6.5, 13, 6));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 10.5, 7, 4));
  } else if (key == "Help") {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0x60, 0xc0));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    p.setPen(Qt::white);
    p.setFont(font(12, true));
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, "?");
  } else if (key == "ExitPrgm") {
    p.setPen(Qt::black);
    p.setBrush(QColor(0x90, 0x60, 0x30));
    p.drawRect(QRectF(2.5, 1.5, 7, 13));
    p.setPen(QPen(QColor(0xc0, 0x10, 0x10), 2));
    p.drawLine(9, 8, 15, 8);
    p.drawLine(12, 5, 15, 8);
    p.drawLine(12, 11, 15, 8);
  } else {  // Calc01 .. Calc24
    const QString n = QString::number(key.mid(4).toInt());
    numberIcon(p, n, n.size() > 1);
  }
  p.end();
  save(img, QString("Toolbar/tob%1_%2.bmp").arg(index, 2, 10, QChar('0')).arg(key), "BMP");
}

void drawToolbar() {
  const char* keys[] = {"NewCase",     "OpenCase",    "SaveCase",  "DeleteCase", "Calculate",
                        "ShowDetails", "ResetFields", "PrintCase", "PreView",    "Help",
                        "ExitPrgm",    "Calc01",      "Calc02",    "Calc03",     "Calc04",
                        "Calc05",      "Calc06",      "Calc07",    "Calc21",     "Calc22",
                        "Calc23",      "Calc24"};
  for (int i = 0; i < 22; ++i) drawToolbarPicture(i + 1, keys[i]);
  QImage strip = canvas(114, 25, kMask);
  QPainter p(&strip);
  p.setRenderHint(QPainter::Antialiasing);
  drawWordmark(p, QRect(2, 2, 110, 21), kNavy);
  p.end();
  save(strip, "Toolbar/tobmenu_picture.bmp", "BMP");
}

// ---------------------------------------------------------------- report pictures

void drawLogos() {
  const struct {
    const char* code;
    int height;
    const char* subtitle;
  } logos[] = {{"DK", 34, "Danmark"}, {"NO", 34, "Norge"},
               {"SE", 51, "Sverige"}, {"UK", 34, "United Kingdom"},
               {"LT", 39, "Lietuva"}, {"EE", 39, "Eesti"},
               {"LV", 39, "Latvija"}, {"MRN", 74, "Marine & Offshore"}};
  for (const auto& l : logos) {
    QImage img = canvas(210, l.height);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const int markH = std::min(30, l.height - 4);
    drawWordmark(p, QRect(3, 2, 140, markH), kNavy);
    p.setPen(kOrange);
    const QString sub = QString::fromUtf8(l.subtitle);
    if (l.height >= 50) {
      p.setFont(fitted(sub, QSize(200, l.height - markH - 10), 16, true));
      p.drawText(QRect(6, markH + 4, 200, l.height - markH - 8), Qt::AlignLeft | Qt::AlignVCenter,
                 sub);
      if (l.height > 60) {
        p.setPen(QPen(QColor(0x2b, 0x6c, 0xa8), 2));
        QPainterPath wave;
        wave.moveTo(6, l.height - 6);
        for (int x = 6; x <= 204; x += 12)
          wave.quadTo(x + 3, l.height - 11, x + 6, l.height - 6),
              wave.quadTo(x + 9, l.height - 1, x + 12, l.height - 6);
        p.drawPath(wave);
      }
    } else {
      p.setFont(fitted(sub, QSize(64, l.height - 6), 12, true));
      p.drawText(QRect(144, 0, 64, l.height), Qt::AlignRight | Qt::AlignVCenter, sub);
    }
    p.end();
    save(img, QString("Logo_%1.jpg").arg(l.code));
  }
}

void drawReportPictures() {
  QImage wave = canvas(200, 40);
  {
    QPainter p(&wave);
    p.setRenderHint(QPainter::Antialiasing);
    for (int row = 0; row < 3; ++row) {
      p.setPen(QPen(QColor(0x2b, 0x6c, 0xa8).lighter(100 + row * 30), 2));
      QPainterPath path;
      const double y = 12 + row * 8;
      path.moveTo(0, y);
      for (int x = 0; x < 200; x += 20)
        path.quadTo(x + 5, y - 5, x + 10, y), path.quadTo(x + 15, y + 5, x + 20, y);
      p.drawPath(path);
    }
  }
  save(wave, "bolgeprint.jpg");
  for (bool se : {false, true}) {
    QImage img = canvas(200, se ? 180 : 130);
    QPainter p(&img);
    drawPipeDistances(p, img.size(), se);
    p.end();
    save(img, se ? "ror200SE.jpg" : "ror200.jpg");
  }
}

// ---------------------------------------------------------------- pictures of small windows

void drawWindowPictures() {
  // Pipe-distance windows (3015 twips wide): the illustration above the distance boxes.
  for (bool se : {false, true}) {
    QImage img = canvas(185, se ? 170 : 120);
    QPainter p(&img);
    drawPipeDistances(p, img.size(), se);
    p.end();
    save(img, se ? "pipedistanceSE.jpg" : "pipedistance.jpg");
  }
  // Contact window: the strip (3810 x 555 twips) and the square (2625 x 2625 twips).
  {
    QImage strip = canvas(254, 37);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    drawWordmark(p, QRect(2, 3, 200, 31), kNavy);
    p.end();
    save(strip, "adresses_Image1.jpg");
    QImage square = canvas(175, 175);
    QPainter q(&square);
    q.setRenderHint(QPainter::Antialiasing);
    drawPipeSection(q, QPointF(87.5, 87.5), 80);
    q.end();
    save(square, "adresses_Image2.jpg");
  }
  // About box: Picture1 (2895 x 2175), picIcon (1710 x 375), Picture2 (2895 x 850) twips.
  {
    QImage pic = canvas(193, 145);
    QPainter p(&pic);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(pic.rect(), kNavy);
    drawPipeSection(p, QPointF(140, 80), 46);
    p.setPen(Qt::white);
    p.setFont(font(24, true));
    p.drawText(QRect(8, 20, 120, 40), Qt::AlignLeft | Qt::AlignVCenter, "VELTARO");
    p.setPen(QPen(kOrange, 3));
    p.drawLine(10, 64, 88, 64);
    p.end();
    save(pic, "about_Picture1.jpg");
    QImage icon = canvas(114, 25);
    QPainter i(&icon);
    i.setRenderHint(QPainter::Antialiasing);
    drawWordmark(i, QRect(2, 2, 110, 21), kNavy);
    i.end();
    save(icon, "about_picIcon.jpg");
    QImage link = canvas(193, 57);
    QPainter l(&link);
    l.setRenderHint(QPainter::Antialiasing);
    drawWordmark(l, QRect(4, 4, 150, 28), kNavy);
    l.setPen(QColor(0x20, 0x50, 0xb0));
    l.setFont(font(11));
    l.drawText(QRect(6, 36, 185, 16), Qt::AlignLeft | Qt::AlignVCenter, "www.torvelin.example.com");
    l.end();
    save(link, "about_Picture2.jpg");
  }
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: imagegen <data folder> [<pictures folder>]\n");
    return 2;
  }
  const QString data = QString::fromLocal8Bit(argv[1]);
  setOutputFolder(argc == 3 ? QString::fromLocal8Bit(argv[2]) : data + "/Images");
  try {
    for (const char* m : {"DK", "SE", "NO", "UK", "LT", "EE", "LV", "MRN"}) drawBackground(data, m);
    drawSplash("VELTAROOPSTART_DK.jpg", "Torvelin Insulation", kOrange);
    drawSplash("VELTAROOPSTART_SE.jpg", "Torvelin Sverige AB", QColor(0xfe, 0xcc, 0x00));
    drawFlags();
    drawMarineIcon();
    drawProgramIcon();
    drawToolbar();
    drawLogos();
    drawReportPictures();
    drawWindowPictures();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "imagegen: %s\n", e.what());
    return 1;
  }
  return 0;
}
