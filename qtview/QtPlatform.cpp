#include "qtview/QtPlatform.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLayout>
#include <QLibraryInfo>
#include <QLocale>
#include <QMainWindow>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStringDecoder>
#include <QStyle>
#include <QTemporaryFile>
#include <QTextBrowser>
#include <QTextDocument>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QTranslator>
#include <QUrl>
#include <QVBoxLayout>
#include <cstdio>
#include <memory>
#include <utility>

#include "forms/Application.h"
#include "forms/Types.h"
#include "qtview/Convert.h"
#include "qtview/FormsView.h"
#include "qtview/ReportLayout.h"

namespace qtview {

namespace mb = forms::mb;

std::vector<QMessageBox::StandardButton> messageBoxButtons(int style) {
  switch (style & mb::ButtonsMask) {
    case mb::OkCancel:
      return {QMessageBox::Ok, QMessageBox::Cancel};
    case mb::AbortRetryIgnore:
      return {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore};
    case mb::YesNoCancel:
      return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case mb::YesNo:
      return {QMessageBox::Yes, QMessageBox::No};
    case mb::RetryCancel:
      return {QMessageBox::Retry, QMessageBox::Cancel};
    default:
      return {QMessageBox::Ok};
  }
}

QMessageBox::Icon messageBoxIcon(int style) {
  switch (style & mb::IconMask) {
    case mb::Critical:
      return QMessageBox::Critical;
    case mb::Question:
      return QMessageBox::Question;
    case mb::Exclamation:
      return QMessageBox::Warning;
    case mb::Information:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

int answerCode(QMessageBox::StandardButton button) {
  switch (button) {
    case QMessageBox::Ok:
      return mb::IdOk;
    case QMessageBox::Cancel:
      return mb::IdCancel;
    case QMessageBox::Abort:
      return mb::IdAbort;
    case QMessageBox::Retry:
      return mb::IdRetry;
    case QMessageBox::Ignore:
      return mb::IdIgnore;
    case QMessageBox::Yes:
      return mb::IdYes;
    case QMessageBox::No:
      return mb::IdNo;
    default:
      return mb::IdCancel;
  }
}

QStringList nameFilters(const std::string& windowsFilter) {
  QStringList parts = toQt(windowsFilter).split(QLatin1Char('|'));
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    // The description's own "(...)" is replaced by the real patterns.
    description.remove(QRegularExpression(QStringLiteral("\\s*\\([^()]*\\)\\s*$")));
    QStringList patterns;
    for (QString p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      p = p.trimmed();
      if (p == QLatin1String("*.*")) p = QStringLiteral("*");
      for (const QString& v : {p, p.toLower(), p.toUpper()})
        if (!patterns.contains(v)) patterns << v;
    }
    out << QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' ')));
  }
  return out;
}

bool isOpenableAddress(const std::string& address) {
  QUrl url(toQt(address).trimmed(), QUrl::StrictMode);
  if (!url.isValid()) return false;
  QString scheme = url.scheme().toLower();
  if (scheme == QLatin1String("mailto")) return !url.path().isEmpty();
  return (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
         !url.host().isEmpty();
}

QtPlatform::~QtPlatform() {
  if (help_) delete help_->window();
  // A program still running when this one ends runs on: deleting its process object would end
  // it (and the user's unsaved spreadsheet with it), so it is released, unwatched, instead.
  for (QProcess* process : watching_.findChildren<QProcess*>(Qt::FindDirectChildrenOnly)) {
    process->disconnect();
    process->setParent(nullptr);
  }
}

// The words of the program's market, or the start-up ones before there is a program.
static forms::Application::Words words() {
  return forms::Application::hasCurrent() ? forms::app().words() : forms::Application::Words{};
}

// A message box button's words in the market's language, empty before the language file is read.
static const std::string& buttonWord(QMessageBox::StandardButton button) {
  static const forms::Application::Words start;
  const auto& b = forms::Application::hasCurrent() ? forms::app().words().buttons : start.buttons;
  switch (button) {
    case QMessageBox::Yes:
      return b.yes;
    case QMessageBox::No:
      return b.no;
    case QMessageBox::Ok:
      return b.ok;
    case QMessageBox::Cancel:
      return b.cancel;
    case QMessageBox::Abort:
      return b.abort;
    case QMessageBox::Retry:
      return b.retry;
    case QMessageBox::Ignore:
      return b.ignore;
    default:
      return start.buttons.ok;
  }
}

// The help viewer: a window of its own, owned by the main window, with Back and Forward, that
// opens on the screen; its title is the page's.
QTextBrowser* makeHelpWindow(QWidget* owner) {
  auto* window = new QWidget(owner, Qt::Window);
  window->setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(window);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* bar = new QToolBar(window);
  auto* browser = new QTextBrowser(window);
  browser->setOpenExternalLinks(true);
  QAction* back = bar->addAction(window->style()->standardIcon(QStyle::SP_ArrowBack),
                                 toQt(words().helpBack), browser, &QTextBrowser::backward);
  QAction* forward = bar->addAction(window->style()->standardIcon(QStyle::SP_ArrowForward),
                                    toQt(words().helpForward), browser, &QTextBrowser::forward);
  back->setObjectName(QStringLiteral("helpBack"));
  forward->setObjectName(QStringLiteral("helpForward"));
  back->setEnabled(false);
  forward->setEnabled(false);
  QObject::connect(browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  QObject::connect(browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
  QObject::connect(browser, &QTextBrowser::sourceChanged, window, [window, browser] {
    window->setWindowTitle(browser->documentTitle().isEmpty()
                               ? QFileInfo(browser->source().toLocalFile()).fileName()
                               : browser->documentTitle());
  });
  layout->addWidget(bar);
  layout->addWidget(browser);
  QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
  const QSize size = QSize(720, 560).boundedTo(area.size() - QSize(40, 60));
  window->resize(size);
  window->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
  return browser;
}

void QtPlatform::syncView() {
  if (view_) view_->sync();
}

static QWidget* parentOf(FormsView* view) {
  return view ? view->dialogParent() : QApplication::activeWindow();
}

// Lives as long as a box or dialog of Qt's own: when it closes, the window that was in front
// is active again (see FormsView::bringBackFront).
struct FrontBack {
  FormsView* view;
  ~FrontBack() {
    if (view) view->bringBackFront();
  }
};

int QtPlatform::msgBox(const std::string& prompt, int style, const std::string& title) {
  syncView();
  const FrontBack back{view_};
  QMessageBox box(parentOf(view_));
  box.setIcon(messageBoxIcon(style));
  box.setText(toQt(prompt));
  box.setWindowTitle(title.empty() ? QApplication::applicationDisplayName() : toQt(title));
  std::vector<QMessageBox::StandardButton> buttons = messageBoxButtons(style);
  for (auto b : buttons) {
    QPushButton* button = box.addButton(b);
    // In the market's words, as the text above them; Qt's own before the language file is read.
    if (const std::string& word = buttonWord(b); !word.empty()) button->setText(toQt(word));
  }
  size_t def = (style & mb::DefaultButton3) ? 2 : (style & mb::DefaultButton2) ? 1 : 0;
  box.setDefaultButton(buttons[std::min(def, buttons.size() - 1)]);
  // Escape answers Cancel, or OK when that is the only button.
  for (auto b : buttons)
    if (b == QMessageBox::Cancel || (buttons.size() == 1 && b == QMessageBox::Ok))
      box.setEscapeButton(b);
  if (style & (mb::SystemModal | mb::SetForeground)) box.setWindowFlag(Qt::WindowStaysOnTopHint);
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  // A box closed without a button answers with its last, least committal one (No, Cancel).
  if (!clicked) return answerCode(buttons.back());
  return answerCode(box.standardButton(clicked));
}

std::optional<std::string> QtPlatform::inputBox(const std::string& prompt, const std::string& title,
                                                const std::string& defaultText, int xTwips,
                                                int yTwips) {
  syncView();
  const FrontBack back{view_};
  QInputDialog dialog(parentOf(view_));
  dialog.setInputMode(QInputDialog::TextInput);
  dialog.setWindowTitle(title.empty() ? QApplication::applicationDisplayName() : toQt(title));
  dialog.setLabelText(toQt(prompt));
  dialog.setTextValue(toQt(defaultText));
  if (const std::string& ok = buttonWord(QMessageBox::Ok); !ok.empty())
    dialog.setOkButtonText(toQt(ok));
  if (const std::string& cancel = buttonWord(QMessageBox::Cancel); !cancel.empty())
    dialog.setCancelButtonText(toQt(cancel));
  // Wide enough for the window system to show its title whole: the title in the bold face of
  // the program's font (as title bars draw it, or smaller), beside the window's icon and its
  // buttons. A narrower box had its title cut in the middle.
  QFont bold = dialog.font();
  bold.setBold(true);
  const int bar = dialog.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &dialog);
  if (QLayout* layout = dialog.layout()) layout->setSizeConstraint(QLayout::SetDefaultConstraint);
  dialog.setMinimumWidth(QFontMetrics(bold).horizontalAdvance(dialog.windowTitle()) + 5 * bar);
  if (xTwips >= 0 && yTwips >= 0) {
    // Placed on the screen where the program asks for it; otherwise centred.
    dialog.adjustSize();
    dialog.move(toPixels(xTwips), toPixels(yTwips));
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return fromQt(dialog.textValue());
}

std::optional<std::string> QtPlatform::fileDialog(const forms::FileDialogOptions& o, bool save) {
  syncView();
  const FrontBack back{view_};
  QFileDialog dialog(parentOf(view_), toQt(o.title));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save || !o.fileMustExist ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!o.filter.empty()) dialog.setNameFilters(nameFilters(o.filter));
  if (!o.initialFolder.empty()) dialog.setDirectory(toQt(o.initialFolder));
  if (!o.defaultExtension.empty()) dialog.setDefaultSuffix(toQt(o.defaultExtension));
  if (!o.fileName.empty()) dialog.selectFile(toQt(o.fileName));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !o.overwritePrompt);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return fromQt(QDir::toNativeSeparators(dialog.selectedFiles().front()));
}

std::optional<std::string> QtPlatform::openFileDialog(const forms::FileDialogOptions& options) {
  return fileDialog(options, false);
}

std::optional<std::string> QtPlatform::saveFileDialog(const forms::FileDialogOptions& options) {
  return fileDialog(options, true);
}

bool QtPlatform::openAddress(const std::string& address) {
  if (!isOpenableAddress(address)) return false;
  return QDesktopServices::openUrl(QUrl(toQt(address).trimmed(), QUrl::StrictMode));
}

// The end of what a program wrote to a file.
static QByteArray tail(QFile& file) {
  file.seek(std::max<qint64>(0, file.size() - 4096));
  return file.readAll();
}

// The last line a program wrote to its error output, if any.
static std::string lastLine(const QByteArray& output) {
  const QList<QByteArray> lines = output.split('\n');
  for (auto line = lines.rbegin(); line != lines.rend(); ++line)
    if (!line->trimmed().isEmpty())
      return fromQt(QString::fromLocal8Bit(line->trimmed().left(200)));
  return {};
}

bool QtPlatform::startProgram(const std::string& program, const std::vector<std::string>& args,
                              const ProgramFailed& failed) {
  QStringList list;
  for (const std::string& a : args) list << toQt(a);
  auto* process = new QProcess(&watching_);
  process->setStandardInputFile(QProcess::nullDevice());
  process->setProcessChannelMode(QProcess::ForwardedOutputChannel);
  // Its error output goes to a file kept for a report, not through a pipe: a program left
  // running when this one ends would die of the closed pipe at its next message. The file is
  // removed with its last reader; the program may go on writing to it unseen.
  auto errors = std::make_shared<QTemporaryFile>();
  if (errors->open()) process->setStandardErrorFile(errors->fileName());
  // An argument list, never a command line for a shell. Only the start is waited for.
  process->start(toQt(program), list);
  if (!process->waitForStarted(10000)) {
    delete process;
    return false;
  }
  // A failure is the user's business only while the program starts; after that the program is
  // let go (the office program may be in use for hours).
  auto report = std::make_shared<ProgramFailed>(failed);
  QTimer::singleShot(launchWindow_, process, [report] { *report = nullptr; });
  QObject::connect(process, &QProcess::finished, &watching_,
                   [this, process, errors, report](int code, QProcess::ExitStatus status) {
                     process->deleteLater();
                     const ProgramFailed told = std::exchange(*report, nullptr);
                     if (!told || (status == QProcess::NormalExit && code == 0)) return;
                     const ProgramEnd end{.crashed = status == QProcess::CrashExit,
                                          .exitCode = code,
                                          .lastError = lastLine(tail(*errors))};
                     reportWhenIdle([told, end] { told(end); });
                   });
  return true;
}

void QtPlatform::reportWhenIdle(std::function<void()> report) {
  // Not from inside a handler's event pumping (a case being saved, a modal box): its message
  // would come between the handler's steps.
  if (forms::Application::hasCurrent() && forms::app().eventDepth() > 0) {
    QTimer::singleShot(100, &watching_, [this, report] { reportWhenIdle(report); });
    return;
  }
  if (forms::Application::hasCurrent())
    forms::app().dispatch(report);
  else
    report();
}

void QtPlatform::showHelp(const std::string& helpFile) {
  syncView();
  QString path = toQt(helpFile);
  if (!QFileInfo(path).isFile()) {
    msgBox(words().helpMissing + "\r\n" + helpFile, mb::Exclamation, "");
    return;
  }
  if (!help_) help_ = makeHelpWindow(view_ ? view_->mainWindow() : nullptr);
  help_->setSource(QUrl::fromLocalFile(path));
  QWidget* window = help_->window();
  window->show();
  window->raise();
  window->activateWindow();
}

bool QtPlatform::printHtml(const std::string& htmlFile) {
  syncView();
  const FrontBack back{view_};
  QFile file(toQt(htmlFile));
  if (!file.open(QIODevice::ReadOnly)) return false;
  QTextDocument document;
  // Pictures the report refers to are found beside it.
  document.setBaseUrl(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
  // Decoded by the charset the page declares (reports are in the market's code page).
  QByteArray bytes = file.readAll();
  QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
  if (!decoder.isValid()) decoder = QStringDecoder(QStringDecoder::Utf8);
  document.setHtml(decoder.decode(bytes));
  layOutAsBrowser(document);
  QPrinter printer(QPrinter::HighResolution);
  const qreal margin = kBrowserPrintMarginMm;
  printer.setPageMargins(QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter);
  QPrintDialog dialog(&printer, parentOf(view_));
  if (dialog.exec() != QDialog::Accepted) return false;
  printReport(document, printer);
  return printer.printerState() != QPrinter::Error;
}

void QtPlatform::runModal(forms::Form& form) {
  if (view_) view_->runModal(form);
}

void QtPlatform::pause(int milliseconds) {
  // The screen is brought up to date and painted; the user's input waits for the pause.
  syncView();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  if (milliseconds > 0) QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void QtPlatform::doEvents() {
  syncView();
  QCoreApplication::processEvents();
  syncView();
}

std::chrono::system_clock::time_point QtPlatform::now() {
  return std::chrono::system_clock::now();
}

std::string QtPlatform::decimalSeparator() {
  return fromQt(QLocale().decimalPoint());
}

std::string QtPlatform::programFolder() {
  return fromQt(QCoreApplication::applicationDirPath());
}

bool loadDesktopTranslations() {
  auto* translator = new QTranslator(QCoreApplication::instance());
  // The "qt" catalogue brings the base module's texts for the languages Qt translates.
  if (translator->load(QLocale::system(), QStringLiteral("qt"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
      QCoreApplication::installTranslator(translator))
    return true;
  delete translator;
  return false;
}

std::string QtPlatform::commandLine() {
  QStringList args = QCoreApplication::arguments();
  if (!args.isEmpty()) args.removeFirst();
  return fromQt(args.join(QLatin1Char(' ')));
}

}  // namespace qtview
