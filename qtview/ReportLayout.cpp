#include "qtview/ReportLayout.h"

#include <QAbstractTextDocumentLayout>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <algorithm>
#include <cmath>
#include <vector>

namespace qtview {

namespace {

// A browser passes over a face that is not installed and goes on to the next name, or to the last
// name's stand-in. Qt takes the desktop's look-alike of the first name ("Helvetica" becomes a face
// with lines a quarter higher).
QStringList browserFamilies(QStringList families) {
  if (families.size() < 2) return families;
  static const QStringList installed = QFontDatabase::families();
  while (families.size() > 1 && !installed.contains(families.front(), Qt::CaseInsensitive))
    families.removeFirst();
  return families;
}

// The sizes of <FONT SIZE=1> to <FONT SIZE=7> (and <SMALL>, <BIG>), which Qt keeps as steps -2
// to +4 from the normal size, in a browser's pixels. Qt's own scale makes SIZE=1 11 pixels.
constexpr int kBrowserSizes[] = {10, 13, 16, 18, 24, 32, 48};

// Our mark on a table that names no width: the width it has is the one we gave it.
constexpr int kOwnWidth = QTextFormat::UserProperty + 1;
// A block's user state when it ends with a line break: it makes a line even when empty.
constexpr int kEndsInBreak = 1;

// True when `f` was changed into the face and size a browser shows.
bool asBrowserShows(QTextCharFormat& f) {
  bool changed = false;
  const QStringList names = f.fontFamilies().toStringList();
  if (const QStringList shown = browserFamilies(names); shown != names) {
    f.setFontFamilies(shown);
    changed = true;
  }
  if (f.hasProperty(QTextFormat::FontSizeAdjustment)) {
    const int step = std::clamp(f.intProperty(QTextFormat::FontSizeAdjustment), -2, 4);
    f.clearProperty(QTextFormat::FontSizeAdjustment);
    f.setProperty(QTextFormat::FontPixelSize, kBrowserSizes[step + 2]);
    changed = true;
  }
  return changed;
}

QTextCursor span(QTextDocument& d, int from, int to) {
  QTextCursor c(&d);
  c.setPosition(from);
  c.setPosition(to, QTextCursor::KeepAnchor);
  return c;
}

void mendFonts(QTextDocument& d, const QTextBlock& b) {
  struct Part {
    int from, to;
    QTextCharFormat format;
  };
  std::vector<Part> changed;  // applied after the walk, which a change of format would upset
  for (auto it = b.begin(); !it.atEnd(); ++it) {
    Part p{it.fragment().position(), it.fragment().position() + it.fragment().length(),
           it.fragment().charFormat()};
    if (asBrowserShows(p.format)) changed.push_back(p);
  }
  for (const Part& p : changed) span(d, p.from, p.to).setCharFormat(p.format);
  if (QTextCharFormat own = b.charFormat(); asBrowserShows(own))
    QTextCursor(b).setBlockCharFormat(own);
}

// Qt puts what follows an <HR> (the logo) into the rule's block and draws the rule beside it,
// shifted right past the margin; and the block right after a table it places beside the table's
// last row. A browser's rule is a block of its own, under what came before. Returns the block
// that holds what followed the rule.
QTextBlock ruleAlone(QTextDocument& d, const QTextBlock& b) {
  const QTextBlockFormat rule = b.blockFormat();
  if (!rule.hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth)) return b;
  QTextBlockFormat plain = rule;
  plain.clearProperty(QTextFormat::BlockTrailingHorizontalRulerWidth);
  int start = b.position();
  if (b.previous().isValid() &&
      QTextCursor(b.previous()).currentFrame() != QTextCursor(b).currentFrame()) {
    // An empty block, of no height, takes the place beside the table.
    QTextCursor(b).insertBlock(rule, b.charFormat());
    QTextCursor(d.findBlock(start)).setBlockFormat(plain);
    ++start;
  }
  const QTextBlock ruled = d.findBlock(start);
  if (ruled.length() <= 1) return ruled;
  QTextCursor(ruled).insertBlock(plain, ruled.charFormat());
  return d.findBlock(start + 1);
}

// A browser makes no line of a break at the end of a block, and gives each other break's line
// a height of its own. In Qt a last break adds an empty line, and all lines of a block are
// spaced alike. So each break here ends its block, marked as making a line even when empty (with
// the break's own height); after a last break comes an empty block, which has none. Returns the
// last block made of `b`.
QTextBlock breaksEndBlocks(QTextDocument& d, QTextBlock b) {
  for (int at; (at = b.text().indexOf(QChar::LineSeparator)) >= 0;) {
    const int start = b.position();
    QTextCursor c = span(d, start + at, start + at + 1);
    const QTextCharFormat format = c.charFormat();
    c.removeSelectedText();
    c.insertBlock(b.blockFormat(), format);
    QTextBlock ended = d.findBlock(start);
    if (ended.length() == 1) QTextCursor(ended).setBlockCharFormat(format);
    ended.setUserState(kEndsInBreak);
    b = ended.next();
  }
  return b;
}

// A browser drops the spaces at the start and the end of a line. Qt keeps them, and a space in
// the cell's larger font makes a picture's line higher than the picture, or a right-aligned
// value stand off the edge.
void trimSpaces(QTextDocument& d, const QTextBlock& b) {
  const QString text = b.text();
  auto space = [](QChar c) { return c == u' ' || c == u'\t'; };
  int end = static_cast<int>(text.size());
  while (end > 0 && space(text[end - 1])) --end;
  if (end < text.size())
    span(d, b.position() + end, b.position() + static_cast<int>(text.size())).removeSelectedText();
  int start = 0;
  while (start < end && space(text[start])) ++start;
  if (start > 0) span(d, b.position(), b.position() + start).removeSelectedText();
}

// The widest line of a cell when nothing wraps.
qreal widestLine(const QTextDocument& d, const QTextTableCell& cell) {
  qreal widest = 0;
  for (auto it = cell.begin(); !it.atEnd(); ++it) {
    const QTextBlock b = it.currentBlock();
    if (!b.isValid()) continue;
    QTextLayout layout(b.text(), d.defaultFont());
    layout.setFormats(b.textFormats());
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e6);
    layout.endLayout();
    widest = std::max(widest, line.naturalTextWidth());
  }
  return widest;
}

// A table that names no width and gives each column a share of it (the addresses): Qt makes the
// shares of the whole page and leaves the rest of it empty. A browser makes the table as wide as
// the share of its widest line needs, and shares the rest out among the columns.
void ownWidth(QTextDocument& d, QTextTable& t) {
  QTextTableFormat f = t.format();
  const QList<QTextLength> columns = f.columnWidthConstraints();
  if (f.width().type() != QTextLength::VariableLength || columns.isEmpty()) return;
  qreal shares = 0, needed = 0;
  for (int c = 0; c < columns.size(); ++c) {
    if (columns[c].type() != QTextLength::PercentageLength) return;
    const qreal share = columns[c].rawValue();
    shares += share;
    qreal widest = 0;
    for (int r = 0; r < t.rows(); ++r) widest = std::max(widest, widestLine(d, t.cellAt(r, c)));
    if (share > 0) needed = std::max(needed, (widest + 2 * f.cellPadding()) * 100 / share);
  }
  if (shares <= 0) return;
  QList<QTextLength> scaled;
  for (const QTextLength& c : columns)
    scaled << QTextLength(QTextLength::PercentageLength, c.rawValue() * 100 / shares);
  f.setColumnWidthConstraints(scaled);
  f.setWidth(QTextLength(QTextLength::FixedLength,
                         needed + (columns.size() + 1) * f.cellSpacing() + 2 * f.border()));
  f.setProperty(kOwnWidth, true);
  t.setFormat(f);
}

bool isFloat(const QTextDocument& d, const QTextFormat& f) {
  auto* frame = qobject_cast<QTextFrame*>(d.objectForFormat(f));
  return frame && frame->frameFormat().position() != QTextFrameFormat::InFlow;
}

// A line is as high as its tallest text's ascent, descent and line gap, each rounded, where Qt
// rounds their sum up (a pixel more at 16 pixels). A block with nothing to show (an empty cell,
// the space beside a floating picture, what Qt puts between two tables) has no height at all;
// a line with a picture is the picture's, in Qt too.
void browserLineHeight(const QTextDocument& d, const QTextBlock& b) {
  QTextBlockFormat f = b.blockFormat();
  bool shows = b.userState() == kEndsInBreak ||
               f.hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth);
  bool picture = false;
  qreal ascent = 0, descent = 0, gap = 0;
  auto measure = [&](const QFont& font) {
    const QFontMetricsF m(font);
    ascent = std::max(ascent, m.ascent());
    descent = std::max(descent, m.descent());
    gap = std::max(gap, m.leading());
  };
  for (auto it = b.begin(); !it.atEnd(); ++it) {
    const QTextCharFormat format = it.fragment().charFormat();
    if (format.isImageFormat()) {
      if (!isFloat(d, format)) picture = shows = true;
      continue;
    }
    if (!it.fragment().text().trimmed().isEmpty()) shows = true;
    measure(format.font());
  }
  if (b.length() == 1) measure(b.charFormat().font());
  if (!shows)
    f.setLineHeight(0, QTextBlockFormat::FixedHeight);
  else if (picture)
    return;
  else
    f.setLineHeight(std::round(ascent) + std::round(descent) + std::round(gap) -
                        std::ceil(ascent + descent + gap),
                    QTextBlockFormat::LineDistanceHeight);
  QTextCursor(b).setBlockFormat(f);
}

// Where the lines of a table's row stand in the document (the page breaks included).
QRectF rowExtent(const QTextDocument& d, const QTextTable& t, int row) {
  qreal top = 0, bottom = 0;
  bool any = false;
  for (int c = 0; c < t.columns(); ++c) {
    const QTextTableCell cell = t.cellAt(row, c);
    if (cell.row() != row || cell.column() != c) continue;
    for (auto it = cell.begin(); !it.atEnd(); ++it) {
      const QTextBlock b = it.currentBlock();
      if (!b.isValid() || b.layout()->lineCount() == 0 ||
          b.blockFormat().lineHeightType() == QTextBlockFormat::FixedHeight)
        continue;
      const qreal y = d.documentLayout()->blockBoundingRect(b).top();
      const QTextLine last = b.layout()->lineAt(b.layout()->lineCount() - 1);
      top = any ? std::min(top, y + b.layout()->lineAt(0).y()) : y + b.layout()->lineAt(0).y();
      bottom = std::max(bottom, y + last.y() + last.height());
      any = true;
    }
  }
  return any ? QRectF(0, top, 1, bottom - top) : QRectF();
}

// Qt lays out again from a changed table on, with the floating logo where it was: the
// addresses no longer fit beside it. Laid out whole again, they do.
void layOutAgain(QTextDocument& d) {
  d.markContentsDirty(0, d.characterCount());
}

std::vector<QTextTable*> tables(const QTextDocument& d) {
  std::vector<QTextTable*> out;
  for (QTextFrame* f : d.rootFrame()->childFrames())
    if (auto* t = qobject_cast<QTextTable*>(f)) out.push_back(t);
  return out;
}

// A table we gave a width takes no more than the room it has (beside the logo it has less);
// then a page narrower than what names its own width is laid out wider and printed smaller.
void fitWidth(QTextDocument& d, const QSizeF& page) {
  const qreal right = page.width() - d.documentMargin();
  for (QTextTable* t : tables(d)) {
    const QRectF r = d.documentLayout()->frameBoundingRect(t);
    if (!t->format().boolProperty(kOwnWidth) || r.right() <= right) continue;
    QTextTableFormat f = t->format();
    f.setWidth(
        QTextLength(QTextLength::FixedLength, std::max<qreal>(0, r.width() - (r.right() - right))));
    t->setFormat(f);
    layOutAgain(d);
  }
  qreal widest = right;
  for (QTextFrame* f : d.rootFrame()->childFrames())
    widest = std::max(widest, d.documentLayout()->frameBoundingRect(f).right());
  if (widest > right) d.setPageSize(page * ((widest + d.documentMargin()) / page.width()));
}

// A table whose first row the end of a page would cut (a picture with its caption, the
// addresses) starts on the next page, as in a browser. Lines of text and pictures on their own
// Qt never cuts; neither does it a floating picture.
void keepPicturesWhole(QTextDocument& d) {
  const qreal page = d.pageSize().height();
  const qreal room = page - 2 * d.documentMargin();
  for (bool moved = true; moved;) {
    moved = false;
    for (QTextTable* t : tables(d)) {
      QTextTableFormat f = t->format();
      const QRectF row = rowExtent(d, *t, 0);
      if ((f.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) || row.isNull() ||
          row.height() > room ||
          std::floor(row.top() / page) == std::floor((row.bottom() - 0.5) / page))
        continue;
      f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
      t->setFormat(f);
      layOutAgain(d);
      moved = true;  // the tables below have moved: measured again
      break;
    }
  }
}

}  // namespace

QFont reportFont() {
  QFont font;
  font.setFamilies(browserFamilies({QStringLiteral("Helvetica"), QStringLiteral("Arial")}));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(16);
  return font;
}

void layOutAsBrowser(QTextDocument& document) {
  document.setUndoRedoEnabled(false);
  document.setDefaultFont(reportFont());
  // A browser's page margin.
  document.setDocumentMargin(8);
  // A word wider than its table cell widens the column, as in a browser, not cut in two.
  QTextOption option = document.defaultTextOption();
  option.setWrapMode(QTextOption::WordWrap);
  document.setDefaultTextOption(option);
  QTextCursor edit(&document);
  edit.beginEditBlock();
  for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
    mendFonts(document, b);
    b = breaksEndBlocks(document, ruleAlone(document, b));
  }
  for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) trimSpaces(document, b);
  for (QTextTable* t : tables(document)) ownWidth(document, *t);
  for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) browserLineHeight(document, b);
  edit.endEditBlock();
}

void printReport(QTextDocument& document, QPrinter& printer) {
  const QSizeF page = printer.pageLayout().paintRect(QPageLayout::Inch).size() * 96;
  document.setPageSize(page);
  fitWidth(document, page);
  keepPicturesWhole(document);
  // A document with pages of its own is printed as it is laid out, one page to a sheet.
  document.print(&printer);
}

}  // namespace qtview
