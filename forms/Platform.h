#pragma once
// Everything the program needs from outside itself. The Qt front end implements it for real;
// tests use a scripted implementation that records every call and answers from a script.

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace forms {

class Form;

struct FileDialogOptions {
  std::string title;
  // Filter in the Windows form: "Case files (*.DAT)|*.DAT|All files (*.*)|*.*".
  std::string filter;
  std::string initialFolder;
  std::string fileName;        // proposed name
  std::string defaultExtension;  // without the dot, e.g. "DAT"
  bool overwritePrompt = false;  // save: ask before replacing an existing file
  bool fileMustExist = false;    // open: only existing files
};

class Platform {
 public:
  virtual ~Platform() = default;

  // A message box. `style` is the Windows style (buttons + icon + flags, see forms::mb);
  // the answer is the Windows answer code (1 OK, 2 Cancel, 6 Yes, 7 No ...).
  virtual int msgBox(const std::string& prompt, int style, const std::string& title) = 0;

  // An input box at a screen position in twips (negative: centred). Returns the text,
  // or nullopt when the user cancelled.
  virtual std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                              const std::string& defaultText, int xTwips,
                                              int yTwips) = 0;

  // File dialogs: the chosen full path, or nullopt when cancelled.
  virtual std::optional<std::string> openFileDialog(const FileDialogOptions& options) = 0;
  virtual std::optional<std::string> saveFileDialog(const FileDialogOptions& options) = 0;

  // Opens an address (http, https or mailto only). False when refused or it could not open.
  virtual bool openAddress(const std::string& address) = 0;

  // How a started program failed: it crashed, or it ended with a failure status; with the
  // last line it wrote to its error output (may be empty). The program words it for the user.
  struct ProgramEnd {
    bool crashed = false;
    int exitCode = 0;
    std::string lastError;
  };
  using ProgramFailed = std::function<void(const ProgramEnd& end)>;

  // Starts a program with an argument list (never through a shell) and does not wait for it.
  // False when it could not be started; the caller says so to the user. When it was started
  // but ends with a failure status or crashes while it is starting (within about half a
  // minute), `failed` (if set) is called from the event loop once no event of the program is
  // running. A program that keeps running, ends cleanly or fails later is never reported: a
  // message then would come over whatever the user is doing by that time.
  virtual bool startProgram(const std::string& program, const std::vector<std::string>& args,
                            const ProgramFailed& failed) = 0;

  // Shows an HTML help file (full path) in the help viewer.
  virtual void showHelp(const std::string& helpFile) = 0;

  // Prints an HTML file (full path). False when the user cancelled or printing failed.
  virtual bool printHtml(const std::string& htmlFile) = 0;

  // Runs a modal form: returns when the form is hidden or unloaded.
  virtual void runModal(Form& form) = 0;

  // Pauses the program for the given milliseconds.
  virtual void pause(int milliseconds) = 0;

  // Lets pending user-interface events run.
  virtual void doEvents() = 0;

  // The clock.
  virtual std::chrono::system_clock::time_point now() = 0;

  // The user's decimal separator ("," or ".").
  virtual std::string decimalSeparator() = 0;

  // The program folder: the directory of the running executable, where Text/, Images/,
  // help/ and DATA/ lie.
  virtual std::string programFolder() = 0;

  // The command line after the program name (the original program read it as one string).
  virtual std::string commandLine() = 0;
};

}  // namespace forms
