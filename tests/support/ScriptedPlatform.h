#pragma once
// A Platform for tests: records every call and answers from a script. A message box, input
// box, file dialog or modal window that the script did not expect fails the test loudly.
// Free of the test framework, so that the fuzz target can drive the program with it too.

#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "forms/Form.h"
#include "forms/Platform.h"

namespace testing_support {

// Reports a call the script did not expect: a test failure in the test programs, nothing in
// the fuzz target (which answers every message box and counts them).
void unscripted(const std::string& what);

struct PlatformCall {
  std::string kind;  // "msgBox", "inputBox", "openFile", "saveFile", "openAddress", ...
  std::string text;  // prompt, address, program, file ...
  std::string title;
  int style = 0;
  std::vector<std::string> args;
};

class ScriptedPlatform : public forms::Platform {
  using Answers = std::deque<std::optional<std::string>>;

 public:
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
  bool scriptDone() const {
    return msgAnswers_.empty() && inputAnswers_.empty() && openAnswers_.empty() &&
           saveAnswers_.empty() && modalActions_.empty();
  }

  std::string decimal = ".";
  std::string folder = ".";
  std::string arguments;
  std::chrono::system_clock::time_point clock =
      std::chrono::system_clock::from_time_t(1'700'000'000);
  // The report of the last started program's failure, for a test to call.
  ProgramFailed programFailed;
  bool startSucceeds = true;
  // The answer of every message box the script does not list (none: such a box is unexpected).
  std::optional<int> anyMsgBox;
  // A look at the program as it pauses or shows a message box.
  std::function<void(int)> onPause;
  std::function<void()> onMsgBox;
  // Answers a message box before the script does, as a user who answers it unseen: a box it
  // gives an answer is neither recorded nor takes an answer of the script (none: as any box).
  std::function<std::optional<int>(const std::string& prompt)> answerFirst;

  std::vector<PlatformCall> calls;
  std::vector<PlatformCall> callsOf(const std::string& kind) const {
    std::vector<PlatformCall> out;
    for (const auto& c : calls)
      if (c.kind == kind) out.push_back(c);
    return out;
  }

  int msgBox(const std::string& prompt, int style, const std::string& title) override {
    if (answerFirst)
      if (const std::optional<int> answer = answerFirst(prompt)) return *answer;
    calls.push_back({"msgBox", prompt, title, style, {}});
    if (onMsgBox) onMsgBox();
    if (msgAnswers_.empty()) {
      if (!anyMsgBox) unscripted("message box \"" + title + "\": " + prompt);
      return anyMsgBox.value_or(forms::mb::IdCancel);
    }
    const MsgAnswer a = msgAnswers_.front();
    msgAnswers_.pop_front();
    if (!a.contains.empty() && prompt.find(a.contains) == std::string::npos)
      unscripted("message box prompt \"" + prompt + "\" lacks \"" + a.contains + "\"");
    return a.answer;
  }
  std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText, int x, int y) override {
    calls.push_back(
        {"inputBox", prompt, title, 0, {defaultText, std::to_string(x), std::to_string(y)}});
    return next(inputAnswers_, "input box: " + prompt);
  }
  std::optional<std::string> openFileDialog(const forms::FileDialogOptions& o) override {
    calls.push_back({"openFile", o.initialFolder, o.title, 0, {o.filter, o.fileName}});
    return next(openAnswers_, "open dialog: " + o.title);
  }
  std::optional<std::string> saveFileDialog(const forms::FileDialogOptions& o) override {
    calls.push_back({"saveFile", o.initialFolder, o.title, 0, {o.filter, o.fileName}});
    return next(saveAnswers_, "save dialog: " + o.title);
  }
  bool openAddress(const std::string& address) override {
    calls.push_back({"openAddress", address, {}, 0, {}});
    return true;
  }
  bool startProgram(const std::string& program, const std::vector<std::string>& args,
                    const ProgramFailed& failed) override {
    calls.push_back({"startProgram", program, {}, 0, args});
    programFailed = failed;
    return startSucceeds;
  }
  void showHelp(const std::string& helpFile) override {
    calls.push_back({"showHelp", helpFile, {}, 0, {}});
  }
  bool printHtml(const std::string& htmlFile) override {
    calls.push_back({"printHtml", htmlFile, {}, 0, {}});
    return true;
  }
  void runModal(forms::Form& form) override {
    calls.push_back({"runModal", form.name(), {}, 0, {}});
    if (modalActions_.empty() || modalActions_.front().first != form.name()) {
      unscripted("modal window " + form.name());
      form.hide();
      return;
    }
    auto action = std::move(modalActions_.front().second);
    modalActions_.pop_front();
    action(form);
  }
  void pause(int milliseconds) override {
    calls.push_back({"pause", std::to_string(milliseconds), {}, 0, {}});
    if (onPause) onPause(milliseconds);
  }
  void doEvents() override { calls.push_back({"doEvents", {}, {}, 0, {}}); }
  std::chrono::system_clock::time_point now() override { return clock; }
  std::string decimalSeparator() override { return decimal; }
  std::string programFolder() override { return folder; }
  std::string commandLine() override { return arguments; }

 private:
  // The next scripted answer of a kind; none left is unexpected.
  static std::optional<std::string> next(Answers& answers, const std::string& what) {
    if (answers.empty()) {
      unscripted(what);
      return std::nullopt;
    }
    auto a = answers.front();
    answers.pop_front();
    return a;
  }
  struct MsgAnswer {
    int answer;
    std::string contains;
  };
  std::deque<MsgAnswer> msgAnswers_;
  Answers inputAnswers_, openAnswers_, saveAnswers_;
  std::deque<std::pair<std::string, std::function<void(forms::Form&)>>> modalActions_;
};

}  // namespace testing_support
