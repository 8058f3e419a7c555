// The Qt platform: Windows message-box styles and answers, file filters, addresses, programs,
// input boxes, modal runs, help and a report printed to a PDF file, with the boxes and dialogs
// answered by a scripted click.

#include <gtest/gtest.h>
#include <signal.h>

#include <QPrintDialog>
#include <QProcess>
#include <QtTest>
#include <QtWidgets>
#include <functional>
#include <map>

#include "MarketRun.h"
#include "core/Fx.h"
#include "core/LanguageTexts.h"
#include "core/TextFile.h"
#include "forms/Application.h"
#include "qtview/FormsView.h"
#include "qtview/QtPlatform.h"
#include "report/Reports.h"

namespace {

using QMB = QMessageBox;
namespace mb = forms::mb;
using K = forms::ControlKind;

class Dialog : public forms::Form {
 public:
  static constexpr const char* kName = "Dialog";
  forms::Control& txtValue = add(K::TextBox, "txtValue");
  Dialog() : forms::Form(kName) {
    setTopmost(true);
    move(1500, 1500, 4000, 2000);
    txtValue.move(120, 120, 2000, 315);
  }
};

const QString kDir = VELTARO_BINARY_DIR "/qtview-files";
using viewtest::writeFile;

// Acts on the box or dialog of type W that the next call opens, once it is up.
template <class W = QDialog>
void whenOpen(std::function<void(W*)> act) {
  QTimer::singleShot(0, [act] {
    if (QWidget* w = QApplication::activeModalWidget()) {
      ASSERT_TRUE(qobject_cast<W*>(w)) << w->metaObject()->className();
      act(static_cast<W*>(w));
    } else {
      whenOpen(act);
    }
  });
}
void rejectNext() {
  whenOpen<QDialog>([](QDialog* d) { d->reject(); });
}
// Answers every message box with OK while it lives, keeping their texts.
struct BoxesAnswered : QTimer {
  QStringList texts;
  BoxesAnswered() {
    connect(this, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMB*>(QApplication::activeModalWidget())) {
        texts << box->text();
        box->button(QMB::Ok)->click();
      }
    });
    start(10);
  }
};

class QtPlatformTest : public ::testing::Test {
 protected:
  qtview::QtPlatform platform;
  forms::Application app{platform};
  qtview::FormsView view{app};
  void SetUp() override {
    platform.setView(&view);
    app.registerForm<Dialog>();
  }
  void TearDown() override {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    veltaro::resetFx();
  }
  // The market's language file read as at start-up, from the shipped data; "" is the start-up
  // before it.
  void useMarket(const std::string& market) {
    app.setWords({});
    if (market.empty()) return;
    testing_support::ScriptedPlatform shipped;
    shipped.folder = VELTARO_SOURCE_DIR "/data";
    app.setPlatform(shipped);
    veltaro::fx().CountryCode = market;
    veltaro::LoadTextFile();
    app.setPlatform(platform);
  }
};

TEST_F(QtPlatformTest, MessageBoxStylesAndAnswers) {
  using enum QMB::StandardButton;
  using enum QMB::Icon;
  const struct {
    int style;
    std::vector<QMB::StandardButton> buttons;
    QMB::Icon icon;
    QMB::StandardButton defaultButton, click;
    int answer;
  } cases[] = {
      {mb::OkOnly, {Ok}, NoIcon, Ok, Ok, mb::IdOk},
      {mb::OkCancel | mb::Critical, {Ok, Cancel}, Critical, Ok, Cancel, mb::IdCancel},
      {mb::AbortRetryIgnore | mb::DefaultButton3,
       {Abort, Retry, Ignore},
       NoIcon,
       Ignore,
       Abort,
       mb::IdAbort},
      {mb::YesNoCancel | mb::Information,
       {Yes, No, Cancel},
       Information,
       Yes,
       Cancel,
       mb::IdCancel},
      {mb::YesNo | mb::Question, {Yes, No}, Question, Yes, No, mb::IdNo},
      {mb::YesNo | mb::DefaultButton2, {Yes, No}, NoIcon, No, Yes, mb::IdYes},
      {mb::RetryCancel, {Retry, Cancel}, NoIcon, Retry, Retry, mb::IdRetry},
      {mb::SetForeground | mb::Exclamation, {Ok}, Warning, Ok, Ok, mb::IdOk},
  };
  // Each market's words for Yes, No, OK, Cancel, Abort, Retry and Ignore, access keys marked;
  // before the language file is read, Qt's own.
  const QMB::StandardButton order[] = {Yes, No, Ok, Cancel, Abort, Retry, Ignore};
  const std::pair<const char*, QString> markets[] = {
      {"", ""},
      {"UK", "&Yes|&No|OK|Cancel|&Abort|&Retry|&Ignore"},
      {"DK", "&Ja|&Nej|OK|Annuller|&Afbryd|&Prøv igen|&Ignorer"},
      {"LT", "&Taip|&Ne|Gerai|Atšaukti|&Nutraukti|&Kartoti|&Ignoruoti"}};
  for (const auto& [market, line] : markets) {
    std::map<QMB::StandardButton, QString> words;
    for (int i = 0; !line.isEmpty() && i < 7; ++i) words[order[i]] = line.section('|', i, i);
    useMarket(market);
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(market) + " " + std::to_string(c.style));
      EXPECT_EQ(qtview::messageBoxButtons(c.style), c.buttons);
      QMB::Icon icon = NoIcon;
      QMB::StandardButton defaultButton = NoButton;
      std::map<QMB::StandardButton, QString> shown;
      whenOpen<QMB>([&](QMB* box) {
        EXPECT_EQ(box->windowTitle(), "Title");
        icon = box->icon();
        defaultButton = box->standardButton(box->defaultButton());
        for (QAbstractButton* b : box->buttons()) shown[box->standardButton(b)] = b->text();
        box->button(c.click)->click();
      });
      EXPECT_EQ(platform.msgBox("Prompt", c.style, "Title"), c.answer);
      EXPECT_EQ(icon, c.icon);
      EXPECT_EQ(defaultButton, c.defaultButton);
      ASSERT_EQ(shown.size(), c.buttons.size());
      for (auto b : c.buttons)
        if (!words.empty()) {
          EXPECT_EQ(shown[b], words.at(b));
        }
    }
  }
}

// A box closed by its window's close button, by Escape or by the window system answers as its
// Cancel or No button does (OK when that is its only one), never Yes: closing the quit question
// does not quit. A box that refuses to close is answered with its first button, which fails.
TEST_F(QtPlatformTest, AClosedBoxAnswersCancelOrNoNeverYes) {
  const std::pair<int, int> cases[] = {{mb::OkOnly, mb::IdOk},
                                       {mb::OkCancel | mb::Critical, mb::IdCancel},
                                       {mb::YesNoCancel, mb::IdCancel},
                                       {mb::YesNo | mb::Question, mb::IdNo},
                                       {mb::RetryCancel, mb::IdCancel}};
  const std::pair<const char*, std::function<void(QMB*)>> ways[] = {
      {"close button", [](QMB* box) { box->close(); }},
      {"Escape", [](QMB* box) { QTest::keyClick(box, Qt::Key_Escape); }},
      {"window system", [](QMB* box) { box->reject(); }}};
  for (const char* market : {"", "LT"}) {  // in the market's words as in Qt's own
    useMarket(market);
    for (const auto& [style, answer] : cases)
      for (const auto& [way, close] : ways) {
        SCOPED_TRACE(market + std::to_string(style) + " " + way);
        whenOpen<QMB>([close](QMB* box) {
          close(box);
          QTimer::singleShot(50, box, [box] {
            if (box->isVisible()) box->buttons().front()->click();
          });
        });
        EXPECT_EQ(platform.msgBox("Quit ?", style, "Title"), answer);
      }
  }
}

TEST_F(QtPlatformTest, BoxesSeeTheCurrentScreenAndMoveNoFocusAndModalFormsRunOnTop) {
  auto& dialog = app.get<Dialog>();
  dialog.show();
  view.sync();
  view.windowOf(dialog)->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(view.windowOf(dialog)));
  ASSERT_EQ(dialog.activeControl(), &dialog.txtValue);
  int focusEvents = 0;
  dialog.txtValue.onGotFocus = dialog.txtValue.onLostFocus = [&focusEvents] { ++focusEvents; };
  QString shown, proposed;
  whenOpen<QMB>([&](QMB* box) {
    shown = static_cast<QLineEdit*>(view.widgetOf(dialog.txtValue))->text();
    box->button(QMB::Ok)->click();
  });
  view.userEvent([&] {
    dialog.txtValue.setText("written before the box");
    platform.msgBox("Look", mb::OkOnly, "");
  });
  QApplication::processEvents();
  EXPECT_EQ(shown, "written before the box");
  EXPECT_EQ(focusEvents, 0);

  // The input box in the market's words: its title whole on the bar beside the window's icon
  // and buttons (the title bar's font is the bold one, or smaller), each button its own word.
  const struct {
    const char* market;
    QString title, ok, cancel;
  } inputs[] = {{"DK", "Vis antal decimaler på Varmetab", "OK", "Annuller"},
                {"LT", "Šilumos nuostolių dešimtainiai", "Gerai", "Atšaukti"},
                {"UK", "Number of decimals for heat loss", "OK", "Cancel"}};
  for (const auto& in : inputs) {
    SCOPED_TRACE(in.market);
    useMarket(in.market);
    whenOpen<QInputDialog>([&](QInputDialog* d) {
      proposed = d->textValue();
      EXPECT_EQ(d->windowTitle(), in.title);
      QFont bold = d->font();
      bold.setBold(true);
      const int bar = d->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, d);
      EXPECT_GE(d->width(), QFontMetrics(bold).horizontalAdvance(in.title) + 4 * bar);
      auto* buttons = d->findChild<QDialogButtonBox*>();
      EXPECT_EQ(buttons->button(QDialogButtonBox::Ok)->text(), in.ok);
      EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), in.cancel);
      d->setTextValue("3");
      d->accept();
    });
    EXPECT_EQ(platform.inputBox("Decimals", in.title.toStdString(), "1", 100, 100), "3");
    EXPECT_EQ(proposed, "1");
  }
  rejectNext();
  EXPECT_EQ(platform.inputBox("Decimals", "Heat loss", "1", 100, 100), std::nullopt);

  // A modal form runs on top until it is unloaded.
  view.userEvent([&] { dialog.unload(); });
  bool modalOnTop = false, loadedAfter = true;
  QTimer::singleShot(0, [&] {
    forms::Form* d = app.find("Dialog");
    ASSERT_NE(d, nullptr);
    QWidget* w = view.windowOf(*d);
    modalOnTop = w->isVisible() && w->windowModality() == Qt::ApplicationModal &&
                 (w->windowFlags() & Qt::WindowStaysOnTopHint);
    view.userEvent([d] { d->unload(); });
  });
  view.userEvent([&] {
    app.get("Dialog").show(true);
    loadedAfter = app.isLoaded("Dialog");
  });
  EXPECT_TRUE(modalOnTop);
  EXPECT_FALSE(loadedAfter);
}

TEST_F(QtPlatformTest, HelpInItsOwnViewer) {
  // A page in the market's code page: the charset of the page decides.
  const QString page =
      writeFile("help-test.htm",
                "<html><head><meta charset=\"windows-1252\"><title>Contents</title></head>"
                "<body><p>Varmetab 17,4 W/m\xB2</p></body></html>");
  const QString second = writeFile("help-second.htm", "<html><head><title>Index</title></head>");
  // In the words the program gives.
  app.setWords({.helpMissing = "Hjælpefilen kan ikke findes:",
                .helpBack = "Tilbage",
                .helpForward = "Frem"});
  platform.showHelp(page.toStdString());
  ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeWindow(); }));
  QWidget* viewer = QApplication::activeWindow();
  auto* help = viewer->findChild<QTextBrowser*>();
  EXPECT_EQ(viewer->windowTitle(), "Contents");
  EXPECT_TRUE(help->toPlainText().contains(QString::fromUtf8("W/m\xC2\xB2")));
  // It opens on the screen with Back and Forward through the pages seen.
  EXPECT_TRUE(
      QGuiApplication::primaryScreen()->availableGeometry().contains(viewer->frameGeometry()));
  help->setSource(QUrl::fromLocalFile(second));
  EXPECT_EQ(viewer->windowTitle(), "Index");
  auto* back = viewer->findChild<QAction*>("helpBack");
  auto* forward = viewer->findChild<QAction*>("helpForward");
  ASSERT_TRUE(help && back && forward);
  EXPECT_EQ(back->text() + forward->text(), "TilbageFrem");
  back->trigger();
  EXPECT_EQ(help->source(), QUrl::fromLocalFile(page));
  EXPECT_TRUE(forward->isEnabled());
  // A missing help file is named in a message.
  BoxesAnswered boxes;
  platform.showHelp("/nonexistent/helpdk.htm");
  EXPECT_EQ(boxes.texts.join(""), "Hjælpefilen kan ikke findes:\r\n/nonexistent/helpdk.htm");
}

// What a program of poppler-utils makes of a PDF file.
QString poppler(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  EXPECT_TRUE(p.waitForFinished(20000)) << program.toStdString();
  return QString::fromUtf8(p.readAllStandardOutput());
}

// The user prints `report` through the print dialog to the PDF file `pdf`, of the printer's
// paper; the pages' text.
QStringList printedPages(qtview::QtPlatform& platform, const QString& report, const QString& pdf) {
  QFile::remove(pdf);
  whenOpen<QPrintDialog>([pdf](QPrintDialog* d) {
    auto* printers = d->findChild<QComboBox*>("printers");
    auto* fileName = d->findChild<QLineEdit*>("filename");
    ASSERT_TRUE(printers && fileName);
    for (int i = 0; i < printers->count(); ++i)
      if (printers->itemText(i).contains("PDF")) printers->setCurrentIndex(i);
    fileName->setText(pdf);
    d->accept();
  });
  EXPECT_TRUE(platform.printHtml(report.toStdString()));
  return poppler("pdftotext", {"-layout", pdf, "-"}).split(u'\f');
}

TEST_F(QtPlatformTest, AReportIsPrintedThroughThePrintDialog) {
  if (QStandardPaths::findExecutable("pdftotext").isEmpty())
    GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  // A report in the market's code page, with the case name escaped as the report writes it.
  const QString report = writeFile(
      "print-test.htm",
      "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
      "</head><body><p>Sag: Tank &lt;2&gt; &amp; \"hall\"</p><p>OVERFLADE \xB0"
      "C 17,4 W/m</p>");
  const QString printed = printedPages(platform, report, kDir + "/report-print.pdf").join("");
  for (const char* expected : {"Tank <2> & \"hall\"", "OVERFLADE °C 17,4 W/m"})
    EXPECT_TRUE(printed.contains(QString::fromUtf8(expected))) << printed.toStdString();
  // A cancelled print dialog and a missing file print nothing and say so.
  rejectNext();
  EXPECT_FALSE(platform.printHtml(report.toStdString()));
  EXPECT_FALSE(platform.printHtml("/nonexistent/output.htm"));
}

// Printed as a browser prints it: at 96 pixels to the inch inside margins of 10 mm, a report
// wider than the paper shrunk to its width; the pipe distances on the page of their drawing (the
// 200x180 picture) wherever the end of a page falls; nothing in the margins (the footer's rule
// used to run to the edge of the paper) or cut off at them.
TEST_F(QtPlatformTest, APictureStaysOnOnePageWithItsCaptionAndEveryRuleWithinTheMargins) {
  if (QStandardPaths::findExecutable("pdfimages").isEmpty())
    GTEST_SKIP() << "pdfimages (poppler-utils) is not installed";
  const QString pdf = kDir + "/report-pages.pdf";
  // Blank rows above the distances move them down an A4 page, 24 pixels each: none, the end of
  // the page in the drawing, between the distances and the drawing, in the distances; and a
  // report too wide for the paper. Without them the report is one page, with the left edge of a
  // label 198.1 points from the paper's, as Chromium 120 printed the same copy (A4, 10 mm).
  const struct {
    int rows, width;
    double label;  // 0: not measured
    int pages;
  } cases[] = {{0, 652, 198.1, 1},
               {8, 652, 198.1, 2},
               {12, 652, 198.1, 2},
               {15, 652, 198.1, 2},
               {0, 1200, 0, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rows);
    const QString report =
        viewtest::displayedGolden("calc01-se-pipe-indoors-distances", [&](std::string& html) {
          std::string blank;
          for (int i = 0; i < c.rows; ++i)
            blank += "<TR><TD Width=33%></TD><TD><BR></TD><TD></TD></TR>\n";
          html.insert(html.find("</TABLE>\n<TABLE>"), blank);
          // An address as long as the shipped ones: beside the logo the table has less room.
          html.replace(html.find("rådgivning 152"), 14, "info.se@torvelin.example.com");
          for (std::size_t at = 0; (at = html.find("WIDTH=652", at)) != std::string::npos; ++at)
            html.replace(at, 9, "WIDTH=" + std::to_string(c.width));
        });
    const QStringList pages = printedPages(platform, report, pdf);
    EXPECT_EQ(pages.size() - 1, c.pages);  // the text ends with a page's end
    int caption = 0;
    while (caption < pages.size() && !pages[caption].contains("F =")) ++caption;
    QSet<int> drawing;
    for (const QString& line : poppler("pdfimages", {"-list", pdf}).split(u'\n').mid(2)) {
      const QStringList f = line.simplified().split(u' ');
      if (f.size() > 4 && f[3] == "200" && f[4] == "180") drawing.insert(f[0].toInt() - 1);
    }
    EXPECT_EQ(drawing, QSet<int>{caption});
    const QString words = poppler("pdftotext", {"-bbox", pdf, "-"});
    const QRegularExpression label(QStringLiteral("<word xMin=\"([0-9.]+)\"[^>]*>T201</word>"));
    const double left = label.match(words).captured(1).toDouble();
    if (c.label > 0) {
      EXPECT_NEAR(left, c.label, 1);
    }
    // Nothing is cut off at the right, and no word runs into the margin.
    for (const char* text : {"VELTARO version", "44.2", "info.se@torvelin.example.com"})
      EXPECT_TRUE(pages.join("").contains(QString::fromUtf8(text))) << text;
    const QRegularExpression right(QStringLiteral("<word [^>]*xMax=\"([0-9.]+)\""));
    for (auto m = right.globalMatch(words); m.hasNext();)
      EXPECT_LE(m.next().captured(1).toDouble(), 595.3 - 28.35);
    // The pages as pictures at 24 dots to the inch: the margins, 10 mm, are 9 dots.
    poppler("pdftoppm", {"-r", "24", "-gray", "-png", pdf, kDir + "/report-page"});
    for (int page = 1; page < pages.size(); ++page) {
      const QImage sheet(kDir + QString("/report-page-%1.png").arg(page));
      ASSERT_FALSE(sheet.isNull()) << page;
      for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < 6; ++x)
          for (int at : {x, sheet.width() - 1 - x})
            ASSERT_GT(qGray(sheet.pixel(at, y)), 240)
                << "page " << page << " at " << at << "," << y;
    }
  }
}

TEST_F(QtPlatformTest, FileDialogsTakeTheirOptions) {
  QFile::remove(kDir + "/case7.DAT");
  const forms::FileDialogOptions o{.title = "Save case",
                                   .filter = "Case files (*.DAT)|*.DAT",
                                   .initialFolder = kDir.toStdString(),
                                   .defaultExtension = "DAT",
                                   .overwritePrompt = true};
  whenOpen<QFileDialog>([&](QFileDialog* d) {
    EXPECT_EQ(d->windowTitle(), "Save case");
    EXPECT_EQ(d->directory().absolutePath(), QDir(kDir).absolutePath());
    EXPECT_FALSE(d->testOption(QFileDialog::DontConfirmOverwrite));
    d->selectFile("case7");
    static_cast<QDialog*>(d)->accept();
  });
  EXPECT_EQ(platform.saveFileDialog(o), (kDir + "/case7.DAT").toStdString());
  rejectNext();
  EXPECT_EQ(platform.openFileDialog(o), std::nullopt);
}

TEST(QtPlatformRules, FileFiltersAddressesAndPrograms) {
  const std::pair<std::string, QStringList> filters[] = {
      {"Case files (*.DAT)|*.DAT|All files (*.*)|*.*",
       {"Case files (*.DAT *.dat)", "All files (*)"}},
      {"Reports|*.htm;*.html", {"Reports (*.htm *.HTM *.html *.HTML)"}},
      {"", {}}};
  for (const auto& [windows, qt] : filters) EXPECT_EQ(qtview::nameFilters(windows), qt) << windows;
  // Only web and mail addresses open.
  for (const char* yes : {"http://www.example.com", "https://example.com/contact",
                          "mailto:info@example.com", "HTTPS://EXAMPLE.COM"})
    EXPECT_TRUE(qtview::isOpenableAddress(yes)) << yes;
  for (const char* no : {"file:///etc/passwd", "javascript:alert(1)", "www.example.com", "",
                         "ftp://example.com/file", "http://"})
    EXPECT_FALSE(qtview::isOpenableAddress(no)) << no;
  qtview::QtPlatform platform;
  EXPECT_FALSE(platform.openAddress("file:///etc/passwd"));
  // Programs start without a shell and report failure: a shell string is a program name that
  // does not exist, never a command.
  EXPECT_FALSE(platform.startProgram("/nonexistent/spreadsheet", {"report.htm"}, {}));
  EXPECT_FALSE(platform.startProgram("true; touch /tmp/never", {}, {}));
  EXPECT_TRUE(platform.startProgram("true", {"with blanks in it.htm"}, {}));
}

// The export with stand-in office programs on the search path: a failure is reported when it
// happens, an office program that keeps running is left alone.
TEST_F(QtPlatformTest, ExportWatchesTheOfficeProgram) {
  // In the market's words (Danish here), with the place of the report.
  veltaro::fx().TextTable.assign(
      veltaro::ReadTextLines(VELTARO_SOURCE_DIR "/data/Text/TextFile.DK", 1252));
  const std::string where = "\r\n\r\nRapporten ligger i denne fil:\r\n";
  const std::string failed = "LibreOffice Calc kunne ikke vise rapporten.\r\n";
  platform.setLaunchWindow(std::chrono::milliseconds(1500));
  const struct {
    const char* script;    // the stand-in's body; none on the path: null
    std::string message;   // empty: none within the wait
    bool inEvent = false;  // started, and failing, while a handler pumps events
  } cases[] = {
      {"echo 'Unspecified Application Error' >&2; exit 1",
       failed + "Programmet sluttede med fejlkoden 1.\r\n(Unspecified Application Error)" + where},
      {"kill -SEGV $$", failed + "Programmet stoppede uventet." + where},
      {"exit 3", failed + "Programmet sluttede med fejlkoden 3." + where, true},
      {"exit 0", ""},
      // Failing after the launch window: let go.
      {"/bin/sleep 2; exit 1", ""},
      {"echo $$ > DIR/soffice.pid; exec /bin/sleep 3", ""},
      {nullptr,
       "LibreOffice Calc kunne ikke startes: LibreOffice er ikke installeret på denne "
       "computer." +
           where},
  };
  const QByteArray path = qgetenv("PATH");
  int n = 0;
  for (const auto& c : cases) {
    const QString bin = kDir + "/office" + QString::number(n++);
    SCOPED_TRACE(bin.toStdString());
    QDir(bin).removeRecursively();
    if (c.script)
      QFile::setPermissions(
          writeFile(bin.mid(kDir.size() + 1) + "/soffice",
                    "#!/bin/sh\n" + QByteArray(c.script).replace("DIR", bin.toUtf8())),
          QFile::ReadOwner | QFile::ExeOwner);
    qputenv("PATH", bin.toLocal8Bit());
    BoxesAnswered boxes;
    if (c.inEvent) {
      // A case being saved lets events run: no box comes between its steps.
      app.dispatch([&] {
        veltaro::Reports().OpenReportInExcel();
        QTest::qWait(500);
        EXPECT_TRUE(boxes.texts.isEmpty()) << boxes.texts.join("|").toStdString();
      });
    } else {
      veltaro::Reports().OpenReportInExcel();
    }
    qputenv("PATH", path);
    // A program failing late is waited for until it has failed.
    const bool late = c.script && QByteArray(c.script).startsWith("/bin/sleep");
    (void)QTest::qWaitFor([&] { return !boxes.texts.isEmpty(); }, !c.message.empty() ? 10000
                                                                  : late             ? 2500
                                                                                     : 1000);
    const QString shown = boxes.texts.join("|");
    EXPECT_EQ(shown.toStdString(),
              c.message.empty() ? "" : c.message + veltaro::DisplayedCopyPath());
    if (!c.script || !QByteArray(c.script).contains("pid")) continue;
    // Still running, and nobody waited for it.
    QFile pid(bin + "/soffice.pid");
    ASSERT_TRUE(pid.open(QIODevice::ReadOnly));
    EXPECT_EQ(kill(pid.readAll().trimmed().toInt(), 0), 0);
  }
  // A program still running when the platform goes, as the program quits, runs on.
  const QString pidFile = kDir + "/quit.pid";
  QFile::remove(pidFile);
  {
    qtview::QtPlatform quitting;
    ASSERT_TRUE(quitting.startProgram(
        "/bin/sh", {"-c", "echo $$ > " + pidFile.toStdString() + "; exec /bin/sleep 2"}, {}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo(pidFile).size() > 0; }));
  }
  QFile pid(pidFile);
  ASSERT_TRUE(pid.open(QIODevice::ReadOnly));
  EXPECT_EQ(kill(pid.readAll().trimmed().toInt(), 0), 0);
  veltaro::resetFx();
}

// Started under a Danish locale only (see tests/CMakeLists.txt): Qt's own buttons speak the
// desktop's language.
class DesktopLanguage : public QtPlatformTest {};

TEST_F(DesktopLanguage, YesNoBoxSpeaksDanish) {
  ASSERT_TRUE(qtview::loadDesktopTranslations());
  whenOpen<QMB>([](QMB* box) {
    EXPECT_EQ(box->button(QMB::Yes)->text(), "&Ja");
    EXPECT_EQ(box->button(QMB::No)->text(), "&Nej");
    box->button(QMB::No)->click();
  });
  EXPECT_EQ(platform.msgBox("Gem?", mb::YesNo, "Veltaro"), mb::IdNo);
}

}  // namespace
