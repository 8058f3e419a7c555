#pragma once
// The program on the shipped data, rendered by the front end (offscreen in the tests): started
// in one market with every registered window open unless asked not to, or with no market as on
// the first start, the windows registered and none open.

#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QtCore>
#include <cctype>
#include <filesystem>
#include <functional>
#include <string>

#include "core/Fx.h"
#include "core/TextFile.h"
#include "forms/Application.h"
#include "qtview/FormsView.h"
#include "report/Reports.h"
#include "start/Startup.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedPlatform.h"

namespace viewtest {

// Counts the events of one type that the objects it watches receive.
struct EventCounter : QObject {
  explicit EventCounter(QEvent::Type counted) : type(counted) {}
  QEvent::Type type;
  int n = 0;
  bool eventFilter(QObject*, QEvent* e) override { return (n += e->type() == type), false; }
};

// A file of the tests' own in their file folder; its full name.
inline QString writeFile(const QString& name, const QByteArray& bytes) {
  const QString dir = VELTARO_BINARY_DIR "/qtview-files";
  QDir().mkpath(QFileInfo(dir + "/" + name).path());
  QFile f(dir + "/" + name);
  EXPECT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
  return f.fileName();
}

// The displayed copy of a golden report (tests/report/golden/NAME.htm, "calcNN-market-..."), with
// the shipped pictures, after `edit`; its full name.
inline QString displayedGolden(const std::string& name,
                               const std::function<void(std::string&)>& edit = {}) {
  std::string market = name.substr(7, name.find('-', 7) - 7);
  for (char& c : market) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  std::string text = veltaro::DecodeCodePage(
      veltaro::ReadFileBytes(VELTARO_SOURCE_DIR "/tests/report/golden/" + name + ".htm"),
      veltaro::CodePageFor(market));
  std::erase(text, '\r');
  for (std::size_t at; (at = text.find("@PROGRAM@")) != std::string::npos;)
    text.replace(at, 9, VELTARO_SOURCE_DIR "/data");
  if (edit) edit(text);
  return writeFile(QString::fromStdString(name + "-view.htm"),
                   QByteArray::fromStdString(veltaro::DisplayedCopy(text)));
}

class MarketRun {
 public:
  explicit MarketRun(const std::string& market, bool openAll = true) : market_(market) {
    veltaro::resetFx();
    if (market.empty()) {
      veltaro::RegisterProgramWindows();
      return;
    }
    folder_.writeBytes("VELTARO.INI", market + "\r\n");
    veltaro::Main();
    for (const std::string& name : app.registeredNames())
      if (openAll && !app.isLoaded(name)) view.userEvent([&] { app.get(name); });
    view.sync();
  }
  ~MarketRun() { veltaro::resetFx(); }
  const std::string& market() const { return market_; }

  // The folder first: the view finds the program's icon in it as it is made.
  testing_support::ProgramFolder folder_{"qtview"};
  testing_support::ScriptedPlatform platform;
  bool folderSet_ = shipData();
  forms::Application app{platform};
  qtview::FormsView view{app};

 private:
  bool shipData() {
    folder_.shipData();
    platform.folder = folder_.path.string();
    return true;
  }
  std::string market_;
};

// The main window's menu item or toolbar button whose text is `text`, as the user reaches it.
inline QAction* actionNamed(MarketRun& run, const std::string& text) {
  for (QAction* a : run.view.mainWindow()->findChildren<QAction*>())
    if (a->text() == QString::fromStdString(text)) return a;
  ADD_FAILURE() << "no action " << text;
  return nullptr;
}

}  // namespace viewtest
