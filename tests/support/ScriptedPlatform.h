#pragma once
// A Platform for tests: records every call and answers from a script. A message box, input
// box, file dialog or modal window that the script did not expect fails the test loudly.

#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "forms/Form.h"
#include "forms/Platform.h"

namespace testing_support {

struct PlatformCall {
  std::string kind;  // "msgBox", "inputBox", "openFile", "saveFile", "openAddress", ...
  std::string text;  // prompt, address, program, file ...
  std::string title;
  int style = 0;
  std::vector<std::string> args;
};

class ScriptedPlatform : public forms::Platform {
 public:
  // --- The script ---
  // The next message box gets `answer`; when `promptContains` is given, the prompt must
  // contain it.
  void expectMsgBox(int answer, std::string promptContains = {}) {
    msgAnswers_.push_back({answer, std::move(promptContains)});
  }
  void expectInputBox(std::optional<std::string> answer) { inputAnswers_.push_back(answer); }
  void expectOpenFile(std::optional<std::string> path) { openAnswers_.push_back(path); }
  void expectSaveFile(std::optional<std::string> path) { saveAnswers_.push_back(path); }
  // What happens while a modal window runs (the scripted user acts on it); when the
  // action leaves it shown, the modal run ends anyway.
  void expectModal(const std::string& formName, std::function<void(forms::Form&)> action) {
    modalActions_.emplace_back(formName, std::move(action));
  }
  // True when every scripted answer was used.
  bool scriptDone() const;

  // --- Settings ---
  std::string decimal = ".";
  std::string folder = ".";
  std::string arguments;
  std::chrono::system_clock::time_point clock = std::chrono::system_clock::from_time_t(1'700'000'000);
  bool startSucceeds = true;
  // A look at the program as it pauses or shows a message box.
  std::function<void(int)> onPause;
  std::function<void()> onMsgBox;

  // --- What happened ---
  std::vector<PlatformCall> calls;
  std::vector<PlatformCall> callsOf(const std::string& kind) const;

  // --- Platform ---
  int msgBox(const std::string& prompt, int style, const std::string& title) override;
  std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText, int x, int y) override;
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
  std::chrono::system_clock::time_point now() override { return clock; }
  std::string decimalSeparator() override { return decimal; }
  std::string programFolder() override { return folder; }
  std::string commandLine() override { return arguments; }

 private:
  struct MsgAnswer { int answer; std::string contains; };
  std::deque<MsgAnswer> msgAnswers_;
  std::deque<std::optional<std::string>> inputAnswers_;
  std::deque<std::optional<std::string>> openAnswers_;
  std::deque<std::optional<std::string>> saveAnswers_;
  std::deque<std::pair<std::string, std::function<void(forms::Form&)>>> modalActions_;
};

}  // namespace testing_support
