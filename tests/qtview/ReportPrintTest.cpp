// A report previewed in the real front end and printed to a PDF file through the print
// dialog, the way a user prints one.

#include <gtest/gtest.h>

#include <QPrintDialog>
#include <QProcess>
#include <QtTest>
#include <QtWidgets>

#include "core/Fx.h"
#include "forms/Application.h"
#include "qtview/FormsView.h"
#include "qtview/QtPlatform.h"
#include "report/Reports.h"
#include "report/StandIns.h"

namespace {

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
  reporttest::registerStandIns(app);
  forms::Form& w = app.get("standIn21");
  w.control("AntalLag").setTextSilently("2");
  w.control("VT").setTextSilently("17.4");
  veltaro::Reports reports;

  const QString pdf = QDir::tempPath() + "/veltaro-report-print.pdf";
  QFile::remove(pdf);
  QTimer::singleShot(0, [pdf] {
    QWidget* dialog = QApplication::activeModalWidget();
    auto* printers = dialog ? dialog->findChild<QComboBox*>("printers") : nullptr;
    auto* fileName = dialog ? dialog->findChild<QLineEdit*>("filename") : nullptr;
    ASSERT_TRUE(qobject_cast<QPrintDialog*>(dialog) && printers && fileName);
    for (int i = 0; i < printers->count(); ++i)
      if (printers->itemText(i).contains("PDF")) printers->setCurrentIndex(i);
    fileName->setText(pdf);
    static_cast<QDialog*>(dialog)->accept();
  });
  ASSERT_TRUE(reports.WriteReport(21, w, true, false));
  view.sync();

  // The preview: maximised, with the degree sign and the case name as text.
  QTextBrowser* browser = nullptr;
  for (QWidget* widget : QApplication::allWidgets())
    if (widget->objectName() == "WebBrowser1") browser = qobject_cast<QTextBrowser*>(widget);
  ASSERT_NE(browser, nullptr);
  const QString shown = browser->toPlainText();
  EXPECT_TRUE(shown.contains("Skilleflade(0) °C")) << shown.toStdString();
  EXPECT_TRUE(shown.contains("Tank <2> & \"hall\""));
  EXPECT_EQ(app.find("frmPrint")->windowState(), forms::kStateMaximized);

  QProcess text;
  text.start("pdftotext", {"-layout", pdf, "-"});
  ASSERT_TRUE(text.waitForFinished(20000));
  const QString printed = QString::fromUtf8(text.readAllStandardOutput());
  for (const char* expected :
       {"Tank <2> & \"hall\"", "17.4", "W/m", "Skilleflade(0) °C", "PRODUKT(1)", "Caption21"})
    EXPECT_TRUE(printed.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                               << printed.toStdString();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
