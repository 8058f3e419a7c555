#pragma once
// A report is written for a web browser, and the preview and the printout show it as one does.
// Qt reads the same HTML into a text document that it lays out by rules of its own; these mend
// the document where those rules differ from a browser's, and print it on pages as a browser
// prints it. The HTML itself is mended beforehand where Qt's reading differs (the displayed copy).

#include <QFont>

class QPrinter;
class QTextDocument;

namespace qtview {

// A browser's normal text: 16 pixels, in the first face of the report's list ("Helvetica,
// Arial") that a browser finds installed, or the last one's stand-in.
QFont reportFont();

// Mends a report just read into `document` (its default font is set to reportFont()): faces and
// font sizes, line heights, empty cells and lines, rules and the widths of tables that name none.
void layOutAsBrowser(QTextDocument& document);

// Prints `document`, laid out by layOutAsBrowser(), on the printer's pages as a browser does: 96
// pixels to the inch inside the printer's margins, shrunk to the page's width when it is wider, and
// never a picture, or a picture's table row with its caption, cut in two by the end of a page.
void printReport(QTextDocument& document, QPrinter& printer);

// The margins a browser prints with, in millimetres.
constexpr double kBrowserPrintMarginMm = 10;

}  // namespace qtview
