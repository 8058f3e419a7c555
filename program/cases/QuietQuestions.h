#pragma once
// While a record is put back, the windows' handlers run as for a user's input, and some of
// them ask (the pipe-only sizes, the large-pipe question, a missing product). The record
// already holds the user's answer: keep the stored geometry and product. For the length of
// this scope every message box is answered with its affirmative button without being shown;
// everything else the platform does passes through.

#include "forms/Application.h"
#include "forms/Platform.h"

namespace veltaro::cases {

class QuietQuestions : public forms::Platform {
 public:
  explicit QuietQuestions(forms::Application& app) : app_(app), inner_(app.platform()) {
    app_.setPlatform(*this);
  }
  ~QuietQuestions() override { app_.setPlatform(inner_); }
  QuietQuestions(const QuietQuestions&) = delete;
  QuietQuestions& operator=(const QuietQuestions&) = delete;

  int msgBox(const std::string&, int style, const std::string&) override;
  std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText, int x, int y) override {
    return inner_.inputBox(prompt, title, defaultText, x, y);
  }
  std::optional<std::string> openFileDialog(const forms::FileDialogOptions& o) override {
    return inner_.openFileDialog(o);
  }
  std::optional<std::string> saveFileDialog(const forms::FileDialogOptions& o) override {
    return inner_.saveFileDialog(o);
  }
  bool openAddress(const std::string& a) override { return inner_.openAddress(a); }
  bool startProgram(const std::string& p, const std::vector<std::string>& a,
                    const ProgramFailed& f) override {
    return inner_.startProgram(p, a, f);
  }
  void showHelp(const std::string& f) override { inner_.showHelp(f); }
  bool printHtml(const std::string& f) override { return inner_.printHtml(f); }
  void runModal(forms::Form& f) override { inner_.runModal(f); }
  void pause(int ms) override { inner_.pause(ms); }
  void doEvents() override { inner_.doEvents(); }
  std::chrono::system_clock::time_point now() override { return inner_.now(); }
  std::string decimalSeparator() override { return inner_.decimalSeparator(); }
  std::string programFolder() override { return inner_.programFolder(); }
  std::string commandLine() override { return inner_.commandLine(); }

 private:
  forms::Application& app_;
  forms::Platform& inner_;
};

}  // namespace veltaro::cases
