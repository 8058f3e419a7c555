// The main window's background of each market: every calculation's title inside the band
// that opens it, and the two link bands.
#include "Backgrounds.h"

#include <QLinearGradient>
#include <algorithm>
#include <stdexcept>
#include <vector>

#include "Drawing.h"
#include "Marketing.h"

namespace imagegen {

namespace {

// The pixels of a band given in twips (15 twips per pixel). The clickable area excludes its
// borders: a pixel belongs to it when its twips lie strictly between them, and the box drawn
// for the band covers exactly those pixels.
QRect bandRect(int x0, int x1, int y0, int y1) {
  const int left = x0 / 15 + 1;
  const int right = (x1 + 14) / 15 - 1;
  const int top = y0 / 15 + 1;
  const int bottom = (y1 + 14) / 15 - 1;
  return QRect(QPoint(left, top), QPoint(right, bottom));
}

// Clear pixels between a box's edge and its text: its one-pixel border and one more.
constexpr int kMargin = 2;
// The smallest type a band's text may take.
constexpr int kSmallestPixels = 9;
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip;

// Where a box's text goes: inside its margin.
QRect clearOf(const QRect& box) {
  return box.adjusted(kMargin, kMargin, -kMargin, -kMargin);
}

// The font in which text, drawn left-aligned and centred in the clear part of its box, stays
// inside it, or an error naming what does not fit.
QFont fitOrFail(const QString& market, const QString& band, const QString& text, const QRect& box,
                int maxPixels, bool bold) {
  const QString trimmed = text.trimmed();
  const QFont f = trimmed.isEmpty() ? QFont()
                                    : fittedWithin(trimmed, clearOf(box), kTextFlags, maxPixels,
                                                   kSmallestPixels, bold);
  if (f.pixelSize() <= 0)
    throw std::runtime_error(
        QString("%1, %2: \"%3\" does not fit its box of %4 x %5 pixels with a margin of %6")
            .arg(market, band, text)
            .arg(box.width())
            .arg(box.height())
            .arg(kMargin)
            .toStdString());
  return f;
}

struct Band {
  int calc;
  int y0, y1;  // twips
};

struct Layout {
  int x0, x1;  // twips
  std::vector<Band> bands;
};

Layout layoutOf(const QString& m) {
  if (m == "DK" || m == "NO")
    return {3375,
            9750,
            {{1, 1900, 2150},
             {2, 2350, 2650},
             {3, 2850, 3150},
             {4, 3350, 3630},
             {5, 3830, 4110},
             {6, 4310, 4580},
             {7, 4780, 5050},
             {21, 5750, 6280},
             {22, 6510, 6750},
             {23, 6975, 7250},
             {24, 7450, 7720}}};
  const std::vector<Band> common = {{1, 1900, 2150}, {2, 2350, 2650}, {3, 2850, 3150},
                                    {5, 3350, 3630}, {6, 3830, 4110}, {21, 5300, 5750},
                                    {22, 6050, 6280}};
  Layout l{3000, 11600, common};
  if (m == "UK" || m == "SE") {
    l.bands.push_back({7, 4310, 4580});
    l.bands.push_back({23, 6510, 6750});
    l.bands.push_back({24, 6975, 7250});
  } else if (m == "LT" || m == "LV") {
    l.bands.push_back({23, 6510, 7005});
    l.bands.push_back({24, 7230, 7490});
  } else {
    l.bands.push_back({23, 6510, 6750});
    l.bands.push_back({24, 6975, 7250});
  }
  return l;
}

// Menu-file line of each calculation's caption.
int menuLineOf(int calc) {
  switch (calc) {
    case 7:
      return 56;
    case 21:
    case 22:
    case 23:
    case 24:
      return calc + 1;
    default:
      return 14 + calc;
  }
}

int addressBlockStart(const QString& m) {
  if (m == "MRN") return 16;
  if (m == "UK") return 31;
  if (m == "NO") return 61;
  if (m == "SE") return 76;
  if (m == "LT") return 91;
  if (m == "EE") return 106;
  if (m == "LV") return 121;
  return 46;
}

struct LinkTexts {
  QString web, sheets;
};

LinkTexts linkTextsOf(const QString& m) {
  if (m == "DK") return {"Torvelin på nettet", "Produktdatablade"};
  if (m == "SE") return {"Torvelin på webben", "Produktdatablad"};
  if (m == "NO") return {"Torvelin på nett", "Produktdatablader"};
  if (m == "LT") return {"Torvelin internete", "Gaminių duomenų lapai"};
  if (m == "EE") return {"Torvelin veebis", "Toodete andmelehed"};
  if (m == "LV") return {"Torvelin tīmeklī", "Izstrādājumu datu lapas"};
  return {"Torvelin on the web", "Product data sheets"};
}

QString hostOf(QString url) {
  url.remove(QStringLiteral("https://")).remove(QStringLiteral("http://"));
  return url.trimmed();
}

}  // namespace

void drawBackground(const QString& dataDir, const QString& m) {
  const QStringList menu = readMarketFile(dataDir + "/Text/MenuText." + m, codePageOf(m));
  const QStringList addr = readMarketFile(dataDir + "/Text/adress.all", "ASCII");
  const int b = addressBlockStart(m) - 1;
  const QString company = addr.value(b).trimmed();
  const QString web = addr.value(b + 9), sheets = addr.value(b + 10);

  QImage img = canvas(800, 600);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  QLinearGradient sky(0, 0, 0, 600);
  sky.setColorAt(0, QColor(0xf4, 0xf7, 0xfa));
  sky.setColorAt(1, QColor(0xcf, 0xdb, 0xe7));
  p.fillRect(img.rect(), sky);

  // Left column with the mark, an illustration and the two link bands.
  p.fillRect(QRect(0, 0, 190, 600), kNavy);
  drawWordmark(p, QRect(12, 18, 166, 30), Qt::white);
  p.setPen(QColor(0xc8, 0xd6, 0xe6));
  p.setFont(fitted(company, QSize(166, 14), 11, false));
  p.drawText(QRect(12, 52, 166, 14), Qt::AlignLeft | Qt::AlignVCenter, company);
  drawPipeSection(p, QPointF(95, 200), 58);
  drawPipeSection(p, QPointF(60, 310), 30);
  drawPipeSection(p, QPointF(140, 320), 36);

  const LinkTexts links = linkTextsOf(m);
  const struct {
    int y0, y1;
    QString title, url;
  } linkBands[] = {{6200, 6650, links.web, web}, {6725, 7175, links.sheets, sheets}};
  for (const auto& lb : linkBands) {
    const QRect r = bandRect(0, 2700, lb.y0, lb.y1);
    p.setPen(QPen(kOrange, 1));
    p.setBrush(QColor(0x2b, 0x50, 0x78));
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    // The title above the address, each in its half of the box.
    const QRect inner = r.adjusted(2, 0, 0, 0);
    const QRect upper(inner.left(), inner.top(), inner.width(), inner.height() / 2 + kMargin);
    const QRect lower(inner.left(), inner.bottom() + 1 - upper.height(), inner.width(),
                      upper.height());
    const QString where = "link band at " + QString::number(lb.y0);
    p.setPen(Qt::white);
    p.setFont(fitOrFail(m, where, lb.title, upper, 12, true));
    p.drawText(clearOf(upper), kTextFlags, lb.title);
    p.setPen(QColor(0xff, 0xd3, 0x9a));
    const QString host = hostOf(lb.url);
    p.setFont(fitOrFail(m, where, host, lower, 11, false));
    p.drawText(clearOf(lower), kTextFlags, host);
  }

  // Header.
  p.setPen(kNavy);
  p.setFont(font(40, true));
  p.drawText(QRect(210, 14, 560, 50), Qt::AlignLeft | Qt::AlignVCenter, "VELTARO");
  p.setPen(QPen(kOrange, 3));
  p.drawLine(212, 66, 780, 66);

  // The calculation bands, each with the title of its calculation from the menu file.
  const Layout l = layoutOf(m);
  const QRect first = bandRect(l.x0, l.x1, l.bands.front().y0, l.bands.front().y1);
  p.setPen(kNavy);
  const QString single = withoutAccessKey(menu.value(13));
  p.setFont(fitted(single, QSize(first.width(), 18), 15, true));
  p.drawText(QRect(first.left(), first.top() - 26, first.width(), 20),
             Qt::AlignLeft | Qt::AlignBottom, single);
  // One type size for all titles: the largest that fits every band of the market.
  // The text keeps clear of the orange mark at the band's left.
  auto textBoxOf = [](const QRect& band) { return band.adjusted(6, 0, 0, 0); };
  auto titleOf = [&](const Band& band) {
    return withoutAccessKey(menu.value(menuLineOf(band.calc) - 1));
  };
  int titlePixels = 13;
  for (const Band& band : l.bands) {
    const QRect r = bandRect(l.x0, l.x1, band.y0, band.y1);
    const QString which = "band of calculation " + QString::number(band.calc);
    titlePixels = std::min(titlePixels,
                           fitOrFail(m, which, titleOf(band), textBoxOf(r), 13, false).pixelSize());
  }
  for (const Band& band : l.bands) {
    const QRect r = bandRect(l.x0, l.x1, band.y0, band.y1);
    if (band.calc == 21) {
      const QString multi = withoutAccessKey(menu.value(20));
      p.setPen(kNavy);
      p.setFont(fitted(multi, QSize(r.width(), 18), 15, true));
      p.drawText(QRect(r.left(), r.top() - 26, r.width(), 20), Qt::AlignLeft | Qt::AlignBottom,
                 multi);
    }
    p.setPen(QPen(QColor(0x6d, 0x8b, 0xb0), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    p.fillRect(QRect(r.left() + 1, r.top() + 1, 4, r.height() - 2), kOrange);
    p.setPen(QColor(0x12, 0x32, 0x4f));
    p.setFont(font(titlePixels));
    p.drawText(clearOf(textBoxOf(r)), kTextFlags, titleOf(band));
  }
  if (m == "MRN") {
    p.setPen(kNavy);
    p.setFont(font(13, true));
    p.drawText(QRect(210, 72, 560, 18), Qt::AlignLeft | Qt::AlignVCenter, "MARINE");
  }
  p.end();
  save(img, "background_" + m.toLower() + ".jpg");
}

}  // namespace imagegen
