#pragma once
// The platform of the running program, done with Qt: message and input boxes, file dialogs,
// addresses, programs, the help viewer, printing, pauses and the user's locale.

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "forms/Platform.h"

class QTextBrowser;
class QWidget;

namespace qtview {

class FormsView;

class QtPlatform : public forms::Platform {
 public:
  QtPlatform() = default;
  ~QtPlatform() override;
  // The view brought up to date before a box appears, a pause or a modal run.
  void setView(FormsView* view) { view_ = view; }
  // How long after its start a program's failure is still reported (tests shorten it).
  void setLaunchWindow(std::chrono::milliseconds window) { launchWindow_ = window; }

  int msgBox(const std::string& prompt, int style, const std::string& title) override;
  std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText, int xTwips,
                                      int yTwips) override;
  std::optional<std::string> openFileDialog(const forms::FileDialogOptions& options) override;
  std::optional<std::string> saveFileDialog(const forms::FileDialogOptions& options) override;
  bool openAddress(const std::string& address) override;
  bool startProgram(const std::string& program, const std::vector<std::string>& args,
                    const ProgramFailed& failed) override;
  void showHelp(const std::string& helpFile) override;
  bool printHtml(const std::string& htmlFile) override;
  void runModal(forms::Form& form) override;
  void pause(int milliseconds) override;
  void doEvents() override;
  std::chrono::system_clock::time_point now() override;
  std::string decimalSeparator() override;
  std::string programFolder() override;
  std::string commandLine() override;

 private:
  void syncView();
  std::optional<std::string> fileDialog(const forms::FileDialogOptions& options, bool save);
  // Calls `report` from the event loop once no event of the program is running.
  void reportWhenIdle(std::function<void()> report);

  FormsView* view_ = nullptr;
  QPointer<QTextBrowser> help_;
  std::chrono::milliseconds launchWindow_{30000};
  // The parent of the started programs' process objects and the context of their reports:
  // no report can come once the platform is gone, and none of them is left behind unowned.
  QObject watching_;
};

// Installs Qt's own translations for the desktop's language (the system locale), so that
// message-box buttons and the file and print dialogs speak it; English where Qt has none.
// Call it before any window opens. True when a translation was found.
bool loadDesktopTranslations();

// The help viewer's window, owned by `owner` (may be null); returns its page view.
QTextBrowser* makeHelpWindow(QWidget* owner);

// The Windows conventions of the window model that the platform translates.

// The buttons of a message-box style, in the order Windows shows them.
std::vector<QMessageBox::StandardButton> messageBoxButtons(int style);
QMessageBox::Icon messageBoxIcon(int style);
// The Windows answer code of a button (1 OK, 2 Cancel, 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No).
int answerCode(QMessageBox::StandardButton button);
// "Case files (*.DAT)|*.DAT|All files (*.*)|*.*" as Qt name filters; patterns match either case.
QStringList nameFilters(const std::string& windowsFilter);
// Only http, https and mailto addresses may be opened.
bool isOpenableAddress(const std::string& address);

}  // namespace qtview
