#pragma once
// The four case commands behind the main window's case buttons and menu items.
//
// A case is saved as one set of files (files/WholeFiles.h): the header and every record are
// built in memory and written whole; the records of an earlier save that this save did not
// write are removed with it, so an open brings back exactly what was saved. A save cut off
// after its list was written is finished by the next open, save or delete of the case;
// one whose list cannot be trusted is offered to be given up, the case kept as it is on disk.
// Each command holds the case's lock while it reads or changes the files, so a second program
// waits or is told the case is in use. A save over a case asks first, under any spelling of its
// name; Delete is one set through the same writer. A read-only case file stops a save or a
// delete before anything changes. A cancelled dialog, or No to a
// question, leaves every file and window as it was. A record is put back through the window's
// controls, so its own handlers run; the questions those handlers would ask are answered as the
// record says (keep the geometry and the product) without showing them.

#include <string>

#include "files/FileOps.h"
#include "shell/ShellServices.h"

namespace forms {
class Application;
}

namespace veltaro::cases {

class CaseCommands : public CaseService {
 public:
  // The file operations every command goes through.
  explicit CaseCommands(FileOps& files = SystemFiles()) : files_(files) {}
  void CaseNew() override;
  void CaseOpen() override;
  void CaseSave() override;
  void CaseDelete() override;

  // The two file dialogs: the chosen path, or the empty text on a cancel. The case path
  // (CaseBasePath) changes only when a case was saved or opened.
  std::string SaveCaseDialog();
  std::string OpenCaseDialog(const std::string& title);

 private:
  // Runs a command unless one is running already; a failure ends in a message.
  void run(const char* menuName, void (CaseCommands::*command)(bool), bool arg);
  void save(bool withRecords);
  void open(bool);
  void remove(bool);
  FileOps& files_;
  bool busy_ = false;  // a case command is running (it lets window events run in between)
};

// Registers the case-header dialog and installs the case commands.
void InstallCaseFiles(forms::Application& app);

}  // namespace veltaro::cases
