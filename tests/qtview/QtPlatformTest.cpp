// The Qt platform: Windows message-box styles and answers, file filters, addresses, programs,
// input boxes and modal runs, with the boxes answered by a scripted click.

#include <gtest/gtest.h>

#include <QPrintDialog>
#include <QtTest>
#include <QtWidgets>
#include <functional>

#include "forms/Application.h"
#include "qtview/FormsView.h"
#include "qtview/QtPlatform.h"

namespace {

using QMB = QMessageBox;
namespace mb = forms::mb;

class Dialog : public forms::Form {
 public:
  static constexpr const char* kName = "Dialog";
  forms::Control& txtValue = add(forms::ControlKind::TextBox, "txtValue");
  Dialog() : forms::Form(kName) {
    setCaption("Dialog");
    setTopmost(true);
    move(1500, 1500, 4000, 2000);
    txtValue.move(120, 120, 2000, 315);
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
  void TearDown() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
  // Acts on the box or dialog that the next call opens, once it is up.
  static void whenOpen(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] { act(QApplication::activeModalWidget()); });
  }
};

TEST_F(QtPlatformTest, MessageBoxStylesAndAnswers) {
  struct Case {
    int style;
    std::vector<QMB::StandardButton> buttons;
    QMB::Icon icon;
    QMB::StandardButton defaultButton;
    QMB::StandardButton click;
    int answer;
  } cases[] = {
      {mb::OkOnly, {QMB::Ok}, QMB::NoIcon, QMB::Ok, QMB::Ok, mb::IdOk},
      {mb::OkCancel | mb::Critical,
       {QMB::Ok, QMB::Cancel},
       QMB::Critical,
       QMB::Ok,
       QMB::Cancel,
       mb::IdCancel},
      {mb::AbortRetryIgnore | mb::DefaultButton3,
       {QMB::Abort, QMB::Retry, QMB::Ignore},
       QMB::NoIcon,
       QMB::Ignore,
       QMB::Abort,
       mb::IdAbort},
      {mb::YesNoCancel | mb::Information,
       {QMB::Yes, QMB::No, QMB::Cancel},
       QMB::Information,
       QMB::Yes,
       QMB::Cancel,
       mb::IdCancel},
      {mb::YesNo | mb::Question, {QMB::Yes, QMB::No}, QMB::Question, QMB::Yes, QMB::No, mb::IdNo},
      {mb::YesNo | mb::DefaultButton2,
       {QMB::Yes, QMB::No},
       QMB::NoIcon,
       QMB::No,
       QMB::Yes,
       mb::IdYes},
      {mb::RetryCancel,
       {QMB::Retry, QMB::Cancel},
       QMB::NoIcon,
       QMB::Retry,
       QMB::Retry,
       mb::IdRetry},
      {mb::SetForeground | mb::Exclamation, {QMB::Ok}, QMB::Warning, QMB::Ok, QMB::Ok, mb::IdOk},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    EXPECT_EQ(qtview::messageBoxButtons(c.style), c.buttons);
    QMB::Icon icon = QMB::NoIcon;
    QMB::StandardButton defaultButton = QMB::NoButton;
    whenOpen([&](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      ASSERT_NE(box, nullptr);
      icon = box->icon();
      defaultButton = box->standardButton(box->defaultButton());
      box->button(c.click)->click();
    });
    EXPECT_EQ(platform.msgBox("Prompt", c.style, "Title"), c.answer);
    EXPECT_EQ(icon, c.icon);
    EXPECT_EQ(defaultButton, c.defaultButton);
  }
}

TEST_F(QtPlatformTest, ABoxSeesTheCurrentScreenAndMovesNoFocus) {
  auto& dialog = static_cast<Dialog&>(app.get("Dialog"));
  dialog.show();
  view.sync();
  QWidget* window = view.windowOf(dialog);
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  ASSERT_EQ(dialog.activeControl(), &dialog.txtValue);
  int focusEvents = 0;
  dialog.txtValue.onGotFocus = dialog.txtValue.onLostFocus = [&focusEvents] { ++focusEvents; };

  QString shown;
  whenOpen([&](QWidget* w) {
    shown = static_cast<QLineEdit*>(view.widgetOf(dialog.txtValue))->text();
    static_cast<QMessageBox*>(w)->button(QMB::Ok)->click();
  });
  view.userEvent([&] {
    dialog.txtValue.setText("written before the box");
    platform.msgBox("Look", mb::OkOnly, "");
  });
  QApplication::processEvents();
  EXPECT_EQ(shown, "written before the box");
  EXPECT_EQ(focusEvents, 0);
}

TEST_F(QtPlatformTest, InputBoxProposesItsDefaultAndMayBeCancelled) {
  QString proposed;
  whenOpen([&](QWidget* w) {
    auto* d = qobject_cast<QInputDialog*>(w);
    ASSERT_NE(d, nullptr);
    proposed = d->textValue();
    d->setTextValue("3");
    static_cast<QDialog*>(d)->accept();
  });
  EXPECT_EQ(platform.inputBox("Decimals", "Heat loss", "1", 100, 100), "3");
  EXPECT_EQ(proposed, "1");
  whenOpen([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
  EXPECT_EQ(platform.inputBox("Decimals", "Heat loss", "1", 100, 100), std::nullopt);
}

TEST_F(QtPlatformTest, AModalFormRunsUntilItIsUnloaded) {
  bool modalOnTop = false;
  QTimer::singleShot(0, [&] {
    forms::Form* d = app.find("Dialog");
    ASSERT_NE(d, nullptr);
    QWidget* w = view.windowOf(*d);
    modalOnTop = w->isVisible() && w->windowModality() == Qt::ApplicationModal &&
                 (w->windowFlags() & Qt::WindowStaysOnTopHint);
    view.userEvent([d] { d->unload(); });
  });
  std::vector<std::string> order;
  view.userEvent([&] {
    app.get("Dialog").show(true);
    order.push_back(app.isLoaded("Dialog") ? "still loaded" : "unloaded");
  });
  EXPECT_TRUE(modalOnTop);
  EXPECT_EQ(order, std::vector<std::string>{"unloaded"});
}

TEST_F(QtPlatformTest, HelpAndPrintingOfHtmlFiles) {
  const QString dir = VELTARO_BINARY_DIR "/qtview-files", page = dir + "/help-test.htm";
  QDir().mkpath(dir);
  QFile f(page);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  // A report in the market's code page: the charset of the page decides.
  f.write(
      "<html><head><meta charset=\"windows-1252\"><title>Contents</title></head>"
      "<body><p>Varmetab 17,4 W/m\xB2</p></body></html>");
  f.close();
  platform.showHelp(page.toStdString());
  QTextBrowser* help = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible())
      if (auto* b = w->findChild<QTextBrowser*>()) help = b;
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->window()->windowTitle(), "Contents");
  EXPECT_TRUE(help->toPlainText().contains(QString::fromUtf8("W/m\xC2\xB2")));
  // It opens on the screen with Back and Forward through the pages seen.
  EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(
      help->window()->frameGeometry()));
  const QString second = dir + "/help-second.htm";
  QFile f2(second);
  ASSERT_TRUE(f2.open(QIODevice::WriteOnly));
  f2.write("<html><head><title>Index</title></head><body>Index</body></html>");
  f2.close();
  help->setSource(QUrl::fromLocalFile(second));
  EXPECT_EQ(help->window()->windowTitle(), "Index");
  auto* back = help->window()->findChild<QAction*>("helpBack");
  auto* forward = help->window()->findChild<QAction*>("helpForward");
  ASSERT_TRUE(back && forward);
  back->trigger();
  EXPECT_EQ(help->source(), QUrl::fromLocalFile(page));
  EXPECT_TRUE(forward->isEnabled());
  // A missing help file is named in a message.
  QString message;
  whenOpen([&](QWidget* w) {
    message = static_cast<QMessageBox*>(w)->text();
    static_cast<QMessageBox*>(w)->button(QMB::Ok)->click();
  });
  platform.showHelp("/nonexistent/helpdk.htm");
  EXPECT_TRUE(message.contains("/nonexistent/helpdk.htm"));

  // The user picks printing to a PDF file in the print dialog and names the file.
  const QString pdf = dir + "/print-test.pdf";
  QFile::remove(pdf);
  whenOpen([&](QWidget* w) {
    auto* printers = w->findChild<QComboBox*>("printers");
    auto* fileName = w->findChild<QLineEdit*>("filename");
    ASSERT_TRUE(qobject_cast<QPrintDialog*>(w) && printers && fileName);
    for (int i = 0; i < printers->count(); ++i)
      if (printers->itemText(i).contains("PDF")) printers->setCurrentIndex(i);
    fileName->setText(pdf);
    static_cast<QDialog*>(w)->accept();
  });
  EXPECT_TRUE(platform.printHtml(page.toStdString()));
  QFile printed(pdf);
  ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
  EXPECT_TRUE(printed.read(4) == "%PDF");
  whenOpen([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
  EXPECT_FALSE(platform.printHtml(page.toStdString()));
  EXPECT_FALSE(platform.printHtml("/nonexistent/output.htm"));
}

TEST_F(QtPlatformTest, FileDialogsTakeTheirOptions) {
  const QString dir = VELTARO_BINARY_DIR "/qtview-files";
  QDir().mkpath(dir);
  QFile::remove(dir + "/case7.DAT");
  const forms::FileDialogOptions o{.title = "Save case",
                                   .filter = "Case files (*.DAT)|*.DAT",
                                   .initialFolder = dir.toStdString(),
                                   .defaultExtension = "DAT",
                                   .overwritePrompt = true};
  QFileDialog* d = nullptr;
  whenOpen([&](QWidget* w) {
    d = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), "Save case");
    EXPECT_EQ(d->directory().absolutePath(), QDir(dir).absolutePath());
    EXPECT_EQ(d->nameFilters(), QStringList{"Case files (*.DAT *.dat)"});
    EXPECT_FALSE(d->testOption(QFileDialog::DontConfirmOverwrite));
    d->selectFile("case7");
    static_cast<QDialog*>(d)->accept();
  });
  EXPECT_EQ(platform.saveFileDialog(o), (dir + "/case7.DAT").toStdString());
  ASSERT_NE(d, nullptr);
  whenOpen([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
  EXPECT_EQ(platform.openFileDialog(o), std::nullopt);
}

TEST(QtPlatformRules, FileFiltersInQtForm) {
  struct Case {
    std::string windows;
    QStringList qt;
  } cases[] = {
      {"Case files (*.DAT)|*.DAT|All files (*.*)|*.*",
       {"Case files (*.DAT *.dat)", "All files (*)"}},
      {"Reports|*.htm;*.html", {"Reports (*.htm *.HTM *.html *.HTML)"}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(qtview::nameFilters(c.windows), c.qt) << c.windows;
}

TEST(QtPlatformRules, OnlyWebAndMailAddressesOpen) {
  for (const char* yes : {"http://www.example.com", "https://example.com/contact",
                          "mailto:info@example.com", "HTTPS://EXAMPLE.COM"})
    EXPECT_TRUE(qtview::isOpenableAddress(yes)) << yes;
  for (const char* no : {"file:///etc/passwd", "javascript:alert(1)", "www.example.com", "",
                         "ftp://example.com/file", "http://"})
    EXPECT_FALSE(qtview::isOpenableAddress(no)) << no;
  qtview::QtPlatform platform;
  EXPECT_FALSE(platform.openAddress("file:///etc/passwd"));
}

TEST(QtPlatformRules, ProgramsStartWithoutAShellAndReportFailure) {
  qtview::QtPlatform platform;
  EXPECT_FALSE(platform.startProgram("/nonexistent/spreadsheet", {"report.htm"}));
  // A shell string is a program name that does not exist, never a command.
  EXPECT_FALSE(platform.startProgram("true; touch /tmp/never", {}));
  EXPECT_TRUE(platform.startProgram("true", {"with blanks in it.htm"}));
}

}  // namespace
