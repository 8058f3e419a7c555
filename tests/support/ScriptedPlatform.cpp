#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

namespace testing_support {

bool ScriptedPlatform::scriptDone() const {
  return msgAnswers_.empty() && inputAnswers_.empty() && openAnswers_.empty() &&
         saveAnswers_.empty() && modalActions_.empty();
}

std::vector<PlatformCall> ScriptedPlatform::callsOf(const std::string& kind) const {
  std::vector<PlatformCall> out;
  for (const auto& c : calls)
    if (c.kind == kind) out.push_back(c);
  return out;
}

int ScriptedPlatform::msgBox(const std::string& prompt, int style, const std::string& title) {
  calls.push_back({"msgBox", prompt, title, style, {}});
  if (onMsgBox) onMsgBox();
  if (msgAnswers_.empty()) {
    ADD_FAILURE() << "unexpected message box \"" << title << "\": " << prompt;
    return forms::mb::IdCancel;
  }
  MsgAnswer a = msgAnswers_.front();
  msgAnswers_.pop_front();
  if (!a.contains.empty() && prompt.find(a.contains) == std::string::npos)
    ADD_FAILURE() << "message box prompt \"" << prompt << "\" lacks \"" << a.contains << "\"";
  return a.answer;
}

namespace {
// The next scripted answer of a kind; none left is a failure of the test.
std::optional<std::string> next(std::deque<std::optional<std::string>>& answers,
                                const std::string& what) {
  if (answers.empty()) {
    ADD_FAILURE() << "unexpected " << what;
    return std::nullopt;
  }
  auto a = answers.front();
  answers.pop_front();
  return a;
}
}  // namespace

std::optional<std::string> ScriptedPlatform::inputBox(const std::string& prompt,
                                                      const std::string& title,
                                                      const std::string& defaultText, int x,
                                                      int y) {
  calls.push_back({"inputBox", prompt, title, 0, {defaultText, std::to_string(x), std::to_string(y)}});
  return next(inputAnswers_, "input box: " + prompt);
}

std::optional<std::string> ScriptedPlatform::openFileDialog(const forms::FileDialogOptions& o) {
  calls.push_back({"openFile", o.initialFolder, o.title, 0, {o.filter, o.fileName}});
  return next(openAnswers_, "open dialog: " + o.title);
}

std::optional<std::string> ScriptedPlatform::saveFileDialog(const forms::FileDialogOptions& o) {
  calls.push_back({"saveFile", o.initialFolder, o.title, 0, {o.filter, o.fileName}});
  return next(saveAnswers_, "save dialog: " + o.title);
}

bool ScriptedPlatform::openAddress(const std::string& address) {
  calls.push_back({"openAddress", address, {}, 0, {}});
  return true;
}

bool ScriptedPlatform::startProgram(const std::string& program,
                                    const std::vector<std::string>& args, const ProgramFailed&) {
  calls.push_back({"startProgram", program, {}, 0, args});
  return startSucceeds;
}

void ScriptedPlatform::showHelp(const std::string& helpFile) {
  calls.push_back({"showHelp", helpFile, {}, 0, {}});
}

bool ScriptedPlatform::printHtml(const std::string& htmlFile) {
  calls.push_back({"printHtml", htmlFile, {}, 0, {}});
  return true;
}

void ScriptedPlatform::runModal(forms::Form& form) {
  calls.push_back({"runModal", form.name(), {}, 0, {}});
  if (modalActions_.empty() || modalActions_.front().first != form.name()) {
    ADD_FAILURE() << "unexpected modal window " << form.name();
    form.hide();
    return;
  }
  auto action = std::move(modalActions_.front().second);
  modalActions_.pop_front();
  action(form);
}

void ScriptedPlatform::pause(int milliseconds) {
  calls.push_back({"pause", std::to_string(milliseconds), {}, 0, {}});
  if (onPause) onPause(milliseconds);
}

void ScriptedPlatform::doEvents() {
  calls.push_back({"doEvents", {}, {}, 0, {}});
}

}  // namespace testing_support
