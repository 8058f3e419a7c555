// A report previewed in the real front end and printed to a PDF file through the print
// dialog, the way a user prints one.

#include <gtest/gtest.h>

#include <QPrintDialog>
#include <QProcess>
#include <QtTest>
#include <QtWidgets>
#include <functional>

#include "core/Fx.h"
#include "forms/Application.h"
#include "qtview/FormsView.h"
#include "qtview/QtPlatform.h"
#include "report/Reports.h"

namespace {

// Calculation 2's window as far as its report reads it, each control holding its own name.
class Window2 : public forms::Form {
 public:
  static constexpr const char* kName = "Window2";
  Window2() : forms::Form(kName) {
    setCaption("Caption2");
    for (const char* name : {"Frame3",    "Frame4",        "Frame5",    "Frame6",      "ROR",
                             "PLAN",      "RORCOM",        "PLANH",     "INDE",        "UDE",
                             "LOD",       "VAND",          "MEDIETEMP", "PRODUKT",     "Emission",
                             "OVERFLADE", "VINDHASTIGHED", "Omgivende", "ISOLERINGST", "VARMETAB"})
      add(forms::ControlKind::TextBox, name).setTextSilently(name);
    for (int i = 0; i <= 8; ++i)
      add(forms::ControlKind::Label, "LblTVFO", i).setTextSilently("LblTVFO" + std::to_string(i));
  }
};

class MainWindow : public forms::Form {
 public:
  static constexpr const char* kName = "mdiVeltaro";
  MainWindow() : forms::Form(kName) {
    setMdiForm(true);
    addMenu("menuShowPipeDistance");
    for (int i = 0; i < 3; ++i) add(forms::ControlKind::TextBox, "txtCase", i);
  }
};

TEST(ReportPrintTest, PreviewShowsAndPrintoutHoldsTheReport) {
  if (QStandardPaths::findExecutable("pdftotext").isEmpty())
    GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  qtview::QtPlatform platform;
  forms::Application app{platform};
  qtview::FormsView view{app};
  platform.setView(&view);
  veltaro::resetFx();
  veltaro::fx().CountryCode = "DK";
  app.get<MainWindow>().control("txtCase", 1).setText("Sag: Tank <2> & \"hall\"");
  forms::Form& w = app.get<Window2>();
  w.control("VARMETAB").setTextSilently("17.4");
  veltaro::Reports reports;

  const QString pdf = QDir::tempPath() + "/veltaro-report-print.pdf";
  QFile::remove(pdf);
  // The user picks printing to a PDF file in the print dialog once it is up, and names the file.
  std::function<void()> printToPdf = [&] {
    auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
    if (!dialog) return QTimer::singleShot(10, printToPdf);
    auto* printers = dialog->findChild<QComboBox*>("printers");
    for (int i = 0; i < printers->count(); ++i)
      if (printers->itemText(i).contains("PDF")) printers->setCurrentIndex(i);
    dialog->findChild<QLineEdit*>("filename")->setText(pdf);
    dialog->accept();
  };
  QTimer::singleShot(0, printToPdf);
  ASSERT_TRUE(reports.WriteReport(2, w, true, false));
  view.sync();

  // The preview: maximised, with the degree sign and the case name as text.
  QTextBrowser* browser = nullptr;
  for (QWidget* widget : QApplication::allWidgets())
    if (widget->objectName() == "WebBrowser1") browser = qobject_cast<QTextBrowser*>(widget);
  ASSERT_NE(browser, nullptr);
  const QString shown = browser->toPlainText();
  EXPECT_TRUE(shown.contains("OVERFLADE °C")) << shown.toStdString();
  EXPECT_TRUE(shown.contains("Tank <2> & \"hall\""));
  EXPECT_EQ(app.find("frmPrint")->windowState(), forms::kStateMaximized);

  QProcess text;
  text.start("pdftotext", {"-layout", pdf, "-"});
  ASSERT_TRUE(text.waitForFinished(20000));
  const QString printed = QString::fromUtf8(text.readAllStandardOutput());
  for (const char* expected :
       {"Tank <2> & \"hall\"", "17", "W/m", "OVERFLADE °C", "LblTVFO8", "2. Caption2"})
    EXPECT_TRUE(printed.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                               << printed.toStdString();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
