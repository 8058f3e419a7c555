// The window registry: one instance per class, created on reference, fresh after unload.

#include <gtest/gtest.h>

#include "TestForms.h"
#include "forms/Application.h"
#include "support/ScriptedPlatform.h"

using formstest::eventLog;
using formstest::TestWindow;
using Events = std::vector<std::string>;

namespace {

class Registry : public ::testing::Test {
 protected:
  testing_support::ScriptedPlatform platform;
  forms::Application app{platform};
  formstest::Frame& frame = app.get<formstest::Frame>();
  void SetUp() override { eventLog().clear(); }
};

TEST_F(Registry, FirstReferenceCreatesLoadsAndShowsAChildAndFindsItsControls) {
  EXPECT_EQ(app.find("TestWindow"), nullptr);
  EXPECT_FALSE(frame.visible());  // a frame loads without showing
  auto& w = app.get<TestWindow>();
  EXPECT_EQ(&app.get("TestWindow"), &w);
  EXPECT_EQ(eventLog(), (Events{"TestWindow.Load", "TestWindow.Activate"}));
  EXPECT_TRUE(w.visible() && frame.visible());  // its first child makes the frame appear
  EXPECT_EQ(app.activeMdiChild(), &w);
  EXPECT_THROW(app.get("NoSuchWindow"), std::out_of_range);
  EXPECT_EQ(&w.control("OPTA", 2), &w.control("optA", 2));  // names are case-insensitive
  EXPECT_EQ(w.findControl("optA", 1), nullptr);             // the gap
  EXPECT_EQ(w.controlArray("optA").size(), 2u);
  EXPECT_THROW(w.control("txtMissing"), std::out_of_range);
}

// QueryUnload, then Unload, may refuse; an unloaded window comes back fresh, and one that
// unloads itself from its own handler lives until the event ends.
TEST_F(Registry, UnloadAsksQueryUnloadFirstAndThenGivesAFreshInstance) {
  auto& w = app.get<TestWindow>();
  w.txt.setText("changed");
  w.refuseQuery = true;
  eventLog().clear();
  EXPECT_FALSE(w.userClose());
  w.refuseQuery = false;
  w.refuseUnload = true;
  EXPECT_FALSE(w.unload());
  EXPECT_TRUE(w.isLoaded());
  EXPECT_EQ(eventLog(),
            (Events{"TestWindow.QueryUnload0", "TestWindow.QueryUnload1", "TestWindow.Unload"}));
  w.refuseUnload = false;
  EXPECT_TRUE(w.unload());
  EXPECT_EQ(app.find("TestWindow"), nullptr);
  auto& again = app.get<TestWindow>();
  EXPECT_EQ(again.txt.text(), "");
  bool stillReadable = false;
  again.cmd.onClick = [&again, &stillReadable] {
    again.unload();
    stillReadable = again.txt.text().empty() && !again.isLoaded();
  };
  again.cmd.userClick();
  EXPECT_TRUE(stillReadable);
  EXPECT_EQ(app.find("TestWindow"), nullptr);
}

// Closing the active child activates the one before it; closing the frame asks every child.
TEST_F(Registry, ClosingAChildOrTheFrame) {
  auto& w = app.get<TestWindow>();
  app.get<formstest::OtherWindow>();
  eventLog().clear();
  app.find("OtherWindow")->unload();
  EXPECT_EQ(app.activeMdiChild(), &w);
  app.get<formstest::OtherWindow>();
  w.refuseQuery = true;
  EXPECT_FALSE(frame.userClose());
  EXPECT_TRUE(app.isLoaded("OtherWindow"));
  w.refuseQuery = false;
  EXPECT_TRUE(frame.userClose());
  EXPECT_EQ(eventLog(), (Events{"TestWindow.Activate", "OtherWindow.Activate", "TestWindow.QueryUnload4",
                                "TestWindow.QueryUnload4", "TestWindow.Unload"}));
  EXPECT_TRUE(app.loadedForms().empty());
}

TEST_F(Registry, ModalShowRunsThroughThePlatform) {
  auto& w = app.get<TestWindow>();
  w.setMdiChild(false);
  w.hide();
  platform.expectModal("TestWindow", [](forms::Form& f) {
    f.control("cmdGo").userClick();
    f.hide();
  });
  w.show(true);
  EXPECT_FALSE(w.isModal());
  EXPECT_TRUE(platform.scriptDone());
}

TEST_F(Registry, MenusAndToolbarFindByNameAndIgnoreHiddenItems) {
  auto& quit = frame.addMenu("menuQuit", &frame.addMenu("menuFiler"));
  auto& bar = frame.addToolbar("tobMenu");
  for (const char* key : {"NewCase", "", "Calculate"}) bar.addButton(key, !*key);
  std::vector<std::string> clicks;
  quit.onClick = [&] { clicks.push_back("quit"); };
  bar.onButtonClick = [&](forms::ToolbarButton& b) { clicks.push_back(b.key); };
  frame.menu("MENUQUIT").userClick();
  frame.toolbar("tobmenu").userClick(1);
  bar.userClick(2);  // separator
  quit.setVisible(false);
  bar.setButtonVisible(3, false);
  quit.userClick();
  bar.userClick(3);
  EXPECT_EQ(clicks, (std::vector<std::string>{"quit", "NewCase"}));
  EXPECT_EQ(bar.button("Missing"), nullptr);
  EXPECT_THROW(bar.button(4), std::out_of_range);
}

TEST_F(Registry, AnEscapedErrorIsAMessageAndEndUnloadsEverythingWithoutEvents) {
  platform.expectMsgBox(forms::mb::IdOk, "boom");
  app.dispatch([] { throw std::runtime_error("boom"); });
  EXPECT_EQ(platform.callsOf("msgBox").at(0).style, forms::mb::Critical);
  app.get<TestWindow>();
  eventLog().clear();
  app.end();
  EXPECT_TRUE(app.ended() && app.loadedForms().empty() && eventLog().empty());
}

}  // namespace
