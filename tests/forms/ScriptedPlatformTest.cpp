// The scripted platform must answer as scripted and fail a test that meets a box it did not
// expect, since the program's messages are part of what the tests check.

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "forms/Application.h"
#include "support/ScriptedPlatform.h"

namespace {

using testing_support::ScriptedPlatform;

TEST(ScriptedPlatform, FailsLoudlyOnWhatTheScriptDidNotExpect) {
  ScriptedPlatform p;
  EXPECT_NONFATAL_FAILURE(p.msgBox("Surprise", 0, "t"), "unexpected message box");
  p.expectMsgBox(forms::mb::IdOk, "limit");
  EXPECT_NONFATAL_FAILURE(p.msgBox("Something else", 0, "t"), "lacks \"limit\"");
  EXPECT_NONFATAL_FAILURE(p.inputBox("x", "", "", 0, 0), "unexpected input box");
  EXPECT_NONFATAL_FAILURE(p.openFileDialog({}), "unexpected open dialog");
  forms::Application app(p);
  class Dialog : public forms::Form {
   public:
    Dialog() : forms::Form("Dialog") {}
  };
  app.registerForm("Dialog", [] { return std::make_unique<Dialog>(); });
  auto& d = app.get("Dialog");
  EXPECT_NONFATAL_FAILURE(d.show(true), "unexpected modal window Dialog");
  EXPECT_FALSE(d.visible());  // the unexpected modal run ends with the window hidden
}

}  // namespace
